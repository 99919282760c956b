// The program's database connection: UTF-8 text, the accent-insensitive collation
// "SYSTEM2" on every ordered query, foreign keys switched on, and a parameter queue that
// every call empties. The global Database is the one connection of the run.
#pragma once

#include "SQLiteTable3.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <string>

// Bytes of the database read as UTF-8; bytes that are not well-formed UTF-8 (written by
// another tool in an 8-bit code page) give the empty text as a whole.
QString UTF8Decode(const char *Bytes, qsizetype Length);
QString UTF8Decode(const QByteArray &Bytes);

// A result table read by column name, texts decoded from UTF-8. The index-based reads of
// TSQLiteTable stay available (FieldAsString(0) gives the raw bytes).
class TQlTable : public TSQLiteTable
{
public:
    TQlTable(TSQLiteDatabase &DB, const QString &SQL);
    TQlTable(TSQLiteDatabase &DB, const TSQLiteStatement &Statement, const QString &SQL);

    using TSQLiteTable::FieldAsDouble;
    using TSQLiteTable::FieldAsInteger;
    using TSQLiteTable::FieldAsString;

    // The field of the current row decoded from UTF-8 (numbers as their decimal text).
    QString FieldAsString(const QString &FieldName) const;
    // The integer cut to its low 32 bits.
    int FieldAsInteger(const QString &FieldName) const;
    double FieldAsDouble(const QString &FieldName) const;
};

// The collation "SYSTEM2", registered for UTF-8 texts: both texts folded to ASCII as
// StrToAscii folds them, compared alphabetically without regard to case, case deciding
// only between texts otherwise equal (lower case first). Negative, 0 or positive.
// Allocates nothing and never throws; malformed UTF-8 counts as "?" per byte.
int SystemCollate2(void *UserData, int Length1, const void *Text1, int Length2, const void *Text2);

// SYSTEM2 for sorting many texts in memory: each text's key is made once (appended to Keys:
// the folded text with A to Z lowered, then the folded text itself), and two keys compare
// with CompareSystem2Keys exactly as SystemCollate2 compares their texts.
void AppendSystem2Key(const char *Text, qsizetype Length, std::string &Keys);
int CompareSystem2Keys(const char *Key1, std::size_t Length1, const char *Key2, std::size_t Length2);

class TQlDatabase : public TSQLiteDatabase
{
public:
    // Opens the file, registers "SYSTEM2" and switches foreign keys on. A failure raises
    // UserException "[TQlDatabase.Create] ..." with no user text.
    explicit TQlDatabase(const QString &FileName);

    // GetTable, GetTableString and ExecSQL raise the wrapper's ESQLiteException, except for
    // a lock of another program that outlasted the busy timeout and a full database or disk:
    // a UserException whose user text says so.
    // The query's rows; " collate SYSTEM2" is appended to the SQL when it holds "order by"
    // (any case of the letters, one blank between the words), so every ordered query must
    // end with its ORDER BY term, without ASC or DESC.
    std::unique_ptr<TQlTable> GetTable(const QString &SQL);
    // First column of the first row decoded from UTF-8; empty when there is no row.
    QString GetTableString(const QString &SQL);
    // Queues Value encoded as UTF-8.
    void AddParamText(const QByteArray &Name, const QString &Value);
    // Runs one statement, then empties the queue.
    void ExecSQL(const QString &SQL);
    using TSQLiteDatabase::BindSQL;
};

// The program's connection; empty until TDb3File.Open sets it. The object is owned here:
// SetDatabase replaces (and frees) the previous one, FreeDatabase frees it and empties it.
extern TQlDatabase *Database;
void SetDatabase(std::unique_ptr<TQlDatabase> NewDatabase);
void FreeDatabase();
// The program's database for a command that needs it. The main window stays up after a failed
// opening, so a command may run without one: it then fails, never crashes, with the one user
// text "La base de données n'est pas ouverte : fermez le programme, puis relancez-le." (the
// message "Database is not open").
TQlDatabase &CurrentDatabase();
