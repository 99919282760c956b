// The version check off the GUI thread: its answer arrives on the GUI thread, and nothing
// arrives once its owner has gone.
#include "UnitVersionCheck.h"

#include "TestServer.h"
#include "UnitHttp.h"

#include <QObject>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>

TEST(TVersionCheck, AnswersOnTheGuiThreadAndNotAfterItsOwnerLeft)
{
    if (!HttpObject)
        InitializeUnitHttp();
    TTestServer Server;
    Server.Answer("GET", "/version.php", {200, "3.0.0"});
    QObject Receiver;
    int Answers = 0;
    QString Url;
    bool OnGuiThread = false;
    auto Check = std::make_unique<TVersionCheck>(&Receiver, QStringLiteral("2.1.0"), Server.Address(),
                                                 [&](const QString &AUrl, const QString &Failure) {
                                                     ++Answers;
                                                     Url = AUrl;
                                                     OnGuiThread = QThread::currentThread() == Receiver.thread();
                                                     EXPECT_TRUE(Failure.isEmpty()) << Failure.toStdString();
                                                 });
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answers > 0; }, 5000));
    EXPECT_EQ(Url, Server.Address() + QStringLiteral("/version.php?sw=fenolda&req=dl&ver=3.0.0"));
    EXPECT_TRUE(OnGuiThread);

    // A failure comes back as its message; an owner gone before the answer hears nothing.
    QString Failure;
    Check = std::make_unique<TVersionCheck>(&Receiver, QStringLiteral("2.1.0"),
                                            QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()),
                                            [&](const QString &, const QString &AFailure) { Failure = AFailure; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Failure.isEmpty(); }, 5000));
    Answers = 0;
    Check = std::make_unique<TVersionCheck>(&Receiver, QStringLiteral("2.1.0"), Server.Address(),
                                            [&](const QString &, const QString &) { ++Answers; });
    Check.reset();
    // The request goes out all the same; its answer is dropped.
    ASSERT_TRUE(QTest::qWaitFor([&Server] { return Server.Requests().size() == 2; }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(Answers, 0);
}
