// Another program that holds a database file locked, for the tests of what the program says
// when it meets such a lock; header-only, so that every layer's tests can use it.
#pragma once

#include <QFile>
#include <QString>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <future>
#include <thread>

// Another program holding a database file with BEGIN EXCLUSIVE, on a connection and a thread
// of its own, so that the program's connection can wait for it meanwhile. It lets go when
// Hold has passed since it took the lock, or, with no Hold, when the object goes.
class TOtherProgram
{
public:
    TOtherProgram(const QString &FileName, std::chrono::milliseconds Hold = {})
    {
        std::promise<bool> Locked;
        std::future<bool> IsLocked = Locked.get_future();
        Holder = std::thread([Path = QFile::encodeName(FileName), Hold, Locked = std::move(Locked),
                              Release = LetGo.get_future()]() mutable {
            sqlite3 *Db = nullptr;
            const bool Ok = sqlite3_open(Path.constData(), &Db) == SQLITE_OK &&
                            sqlite3_exec(Db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
            Locked.set_value(Ok);
            if (Hold.count() > 0)
                Release.wait_for(Hold);
            else
                Release.wait();
            sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(Db);
        });
        EXPECT_TRUE(IsLocked.get()) << "the other program could not lock " << FileName.toStdString();
    }
    ~TOtherProgram()
    {
        LetGo.set_value();
        Holder.join();
    }
    TOtherProgram(const TOtherProgram &) = delete;
    TOtherProgram &operator=(const TOtherProgram &) = delete;

private:
    std::promise<void> LetGo;
    std::thread Holder;
};
