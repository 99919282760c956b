// A FIFO for the tests of files the user names: a program that waits on it would hang the
// test run, so a reader still waiting after a few seconds is let go (a writer opens and closes
// the FIFO) and the test fails on Released() instead. Header-only, for every layer's tests.
#pragma once

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TFifo
{
public:
    explicit TFifo(const QString &Path) : FPath(QFile::encodeName(Path))
    {
        FMade = ::mkfifo(FPath.constData(), 0600) == 0;
        FWatch = std::thread([this] { Watch(); });
    }
    ~TFifo()
    {
        {
            const std::lock_guard<std::mutex> Lock(FMutex);
            FDone = true;
        }
        FWake.notify_all();
        FWatch.join();
    }
    TFifo(const TFifo &) = delete;
    TFifo &operator=(const TFifo &) = delete;

    bool Made() const { return FMade; }
    // Whether a reader was found waiting on the FIFO and had to be let go.
    bool Released() const { return FReleased; }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> Lock(FMutex);
        if (FWake.wait_for(Lock, std::chrono::seconds(5), [this] { return FDone; }))
            return;
        while (!FWake.wait_for(Lock, std::chrono::milliseconds(100), [this] { return FDone; })) {
            // Opens only while a reader is there; never waits itself.
            const int Fd = ::open(FPath.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (Fd >= 0) {
                FReleased = true;
                ::close(Fd);
            }
        }
    }

    QByteArray FPath;
    bool FMade = false;
    std::atomic<bool> FReleased{false};
    bool FDone = false;
    std::mutex FMutex;
    std::condition_variable FWake;
    std::thread FWatch;
};
