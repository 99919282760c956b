// Synchronisation switched on against a loopback test server, for the GUI tests of the
// server menus and the options: made after the main window's fixture has set up the program
// folder, dropped after its windows are gone and before the server stops.
#pragma once

#include "TestServer.h"
#include "UnitConfig.h"
#include "UnitHttp.h"
#include "UnitSync.h"

class TSyncOn
{
public:
    explicit TSyncOn(const TTestServer &Server)
    {
        // The version site stays unreachable; the web API is the test server.
        SetWebAddressesForTesting(QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()), Server.Address());
        Config->SetSyncEnabled(true);
        Config->SetSyncEmail(QString::fromStdString(TestEmail));
        Config->SetSyncApiKey(QString::fromStdString(TestApiKey));
        if (!HttpObject)
            InitializeUnitHttp();
        InitializeUnitSync();
    }
    ~TSyncOn()
    {
        FinalizeUnitSync();
        // The client's kept-alive connection would hold the server's stop for seconds; the
        // next test makes a new client.
        FinalizeUnitHttp();
    }

    TSyncOn(const TSyncOn &) = delete;
    TSyncOn &operator=(const TSyncOn &) = delete;
};
