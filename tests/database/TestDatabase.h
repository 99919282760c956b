// The database tests' fixture: a fresh database file of class TDb in a temporary folder per test.
#pragma once

#include "KVXFiles.h"
#include "TestSupport.h"
#include "UnitDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <future>
#include <thread>

// True when the connection holds no statement: nothing was leaked.
inline bool NoOpenStatement(const TSQLiteDatabase &Db)
{
    return sqlite3_next_stmt(Db.Handle(), nullptr) == nullptr;
}

// Runs a whole SQL file of data/ or tests/fixtures.
inline void RunSqlFile(TSQLiteDatabase &Db, const QString &FileName)
{
    Db.ExecScript(KVXReadFile(FileName));
}

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

template <class TDb> class TempDbTest : public ::testing::Test
{
protected:
    QString Path(const QString &Name) const { return Dir.filePath(Name); }

    QTemporaryDir Dir;
    std::unique_ptr<TDb> Db = std::make_unique<TDb>(Path(QStringLiteral("test.db3")));
};
