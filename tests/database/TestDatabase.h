// Shared helpers of the database tests: readable failure reports, errors as values, and
// fresh database files in temporary folders.
#pragma once

#include "KVXFiles.h"
#include "SQLiteTable3.h"
#include "UnitDatabase.h"
#include "UnitTypes.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

inline void PrintTo(const QByteArray &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

// The message of the Exception that Fn raises, or "<no exception>".
template <class TFn> QString ErrorOf(TFn &&Fn)
{
    try {
        Fn();
    } catch (const Exception &E) {
        return E.Message;
    }
    return QStringLiteral("<no exception>");
}

inline QString DataFile(const QString &Name)
{
    return QStringLiteral(FENOLDA_DATA_DIR "/") + Name;
}

inline QString FixtureFile(const QString &Name)
{
    return QStringLiteral(FENOLDA_FIXTURES_DIR "/") + Name;
}

// Runs a whole SQL file of data/ or tests/fixtures on Db.
inline void RunSqlFile(TSQLiteDatabase &Db, const QString &FileName)
{
    Db.ExecScript(QString::fromUtf8(KVXReadFileBytes(FileName)));
}

// True when the connection holds no statement: nothing was leaked.
inline bool NoOpenStatement(const TSQLiteDatabase &Db)
{
    return sqlite3_next_stmt(Db.Handle(), nullptr) == nullptr;
}

// A temporary folder with a database file in it, removed with the fixture.
class TempDbTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }

    QString Path(const QString &Name) const { return Dir.filePath(Name); }

    std::unique_ptr<TQlDatabase> OpenQl(const QString &Name = QStringLiteral("test.db3"))
    {
        return std::make_unique<TQlDatabase>(Path(Name));
    }

    QTemporaryDir Dir;
};
