// The database tests' fixture: a fresh database file of class TDb in a temporary folder per test.
#pragma once

#include "KVXFiles.h"
#include "OtherProgram.h"
#include "TestSupport.h"
#include "UnitDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

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

template <class TDb> class TempDbTest : public ::testing::Test
{
protected:
    QString Path(const QString &Name) const { return Dir.filePath(Name); }

    QTemporaryDir Dir;
    std::unique_ptr<TDb> Db = std::make_unique<TDb>(Path(QStringLiteral("test.db3")));
};
