#include "TestHelpers.h"
#include "TestServer.h"
#include "UnitCheckVersion.h"
#include "UnitHttp.h"

#include <gtest/gtest.h>

namespace {

class CheckVersionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitializeUnitHttp();
        SetWebAddressesForTesting(Server.Address(), Server.Address());
    }
    void TearDown() override
    {
        FinalizeUnitHttp();
        SetNowFunction({});
    }

    QString CheckWith(const std::string &Announced)
    {
        Server.State([&](TApiState &State) { State.Version = Announced; });
        return CheckVersion();
    }

    TTestServer Server;
    TTestConfig Cfg;
};

} // namespace

TEST_F(CheckVersionTest, ComparesTheAnnouncedVersionWithTheProgramsOwn)
{
    ASSERT_EQ(Config->Version, QStringLiteral("1.2.3"));
    EXPECT_EQ(CheckWith("1.2.3"), QString());
    EXPECT_EQ(CheckWith("1.3"), Server.Address() + QStringLiteral("/version.php?sw=fenolda&req=dl&ver=1.3"));
    // Padded to 1.2.0: older.
    EXPECT_EQ(CheckWith("1.2"), QString());
    EXPECT_TRUE(Cfg.LogLines().isEmpty());

    const auto Requests = Server.Requests();
    ASSERT_EQ(Requests.size(), 3u);
    EXPECT_EQ(Requests[0].Method, "GET");
    EXPECT_EQ(Requests[0].Target, "/version.php?sw=fenolda&req=check");
}

TEST_F(CheckVersionTest, FailuresAreLoggedAndSwallowed)
{
    SetNowFunction([] { return EncodeDate(2026, 12, 5) + EncodeTime(8, 15, 0, 0); });
    // The reply is not trimmed: a line break makes it no version.
    EXPECT_EQ(CheckWith("1.3\r\n"), QString());
    EXPECT_EQ(Cfg.LogText(), QStringLiteral("2026-12-05 08:15:00 | [TConfig.CheckVersion] KVXCompareVersion: The "
                                            "version 2 \"1.3\r\n\" is not a correct version\r\n"));
    QFile::remove(Cfg.Cfg->LogFileName);

    // An error status.
    TCannedReply Broken;
    Broken.Status = 500;
    Broken.Body = "panne";
    Server.Answer("GET", "/version.php", Broken);
    EXPECT_EQ(CheckVersion(), QString());
    EXPECT_EQ(Cfg.LogText(),
              QStringLiteral("2026-12-05 08:15:00 | [TConfig.CheckVersion] HTTP/1.1 500 Internal Server Error\r\n"));
}

TEST_F(CheckVersionTest, AnUnreachableSiteGivesOneLogLine)
{
    SetWebAddressesForTesting(QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()), Server.Address());
    EXPECT_EQ(CheckVersion(), QString());
    const QStringList Lines = Cfg.LogLines();
    ASSERT_EQ(Lines.size(), 1);
    EXPECT_TRUE(Lines[0].contains(QStringLiteral("[TConfig.CheckVersion] "))) << Lines[0].toStdString();
    EXPECT_TRUE(Server.Requests().empty());
}
