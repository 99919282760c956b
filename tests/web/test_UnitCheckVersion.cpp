#include "TestServer.h"
#include "TestSupport.h"
#include "UnitCheckVersion.h"
#include "UnitHttp.h"

#include <gtest/gtest.h>

TEST(CheckVersion, ComparesTheAnnouncedVersionAndLogsEveryFailure)
{
    TTestServer Server;
    TTestProgram Program;
    InitializeUnitHttp();
    SetWebAddressesForTesting(Server.Address(), Server.Address());
    SetNowFunction([] { return EncodeDate(2026, 12, 5) + EncodeTime(8, 15, 0, 0); });
    const auto CheckWith = [&](const TCannedReply &Reply) {
        Server.Answer("GET", "/version.php", Reply);
        return CheckVersion();
    };
    // Against 1.2.3; 1.2 is padded to 1.2.0, older.
    EXPECT_EQ(Config->Version, QStringLiteral("1.2.3"));
    EXPECT_EQ(CheckWith({200, "1.2.3"}), QString());
    EXPECT_EQ(CheckWith({200, "1.3"}), Server.Address() + QStringLiteral("/version.php?sw=fenolda&req=dl&ver=1.3"));
    EXPECT_EQ(CheckWith({200, "1.2"}), QString());
    EXPECT_EQ(Server.Requests().at(0).Line, "GET /version.php?sw=fenolda&req=check");
    EXPECT_EQ(Program.LogText(), QString());

    // The reply is not trimmed: a line break makes it no version.
    EXPECT_EQ(CheckWith({200, "1.3\r\n"}), QString());
    EXPECT_EQ(CheckWith({500, "panne"}), QString());
    EXPECT_EQ(Program.LogText(), QStringLiteral("2026-12-05 08:15:00 | [TConfig.CheckVersion] KVXCompareVersion: The "
                                                "version 2 \"1.3\r\n\" is not a correct version\r\n"
                                                "2026-12-05 08:15:00 | [TConfig.CheckVersion] HTTP/1.1 500 Internal "
                                                "Server Error\r\n"));

    // An unreachable site returns at once, with one log line.
    QFile::remove(Config->LogFileName);
    SetWebAddressesForTesting(QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()), Server.Address());
    EXPECT_EQ(CheckVersion(), QString());
    EXPECT_EQ(Program.LogLines().size(), 1);
    EXPECT_TRUE(Program.LogText().contains(QStringLiteral("[TConfig.CheckVersion] ")));

    // A build that names no web site asks nothing and logs nothing.
    QFile::remove(Config->LogFileName);
    Server.ClearRequests();
    SetWebAddressesForTesting(QString(), Server.Address());
    EXPECT_EQ(CheckVersion(), QString());
    EXPECT_TRUE(Server.Requests().empty());
    EXPECT_EQ(Program.LogText(), QString());
    FinalizeUnitHttp();
    SetNowFunction({});
}
