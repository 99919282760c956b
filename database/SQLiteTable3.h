// The thin wrapper over the SQLite 3 engine: one connection with its queue of named
// parameters, reusable prepared statements, buffered result tables and a forward cursor.
// Text is held as bytes and handed to the engine unchanged; UTF-8 is the business of the
// program database (UnitDatabase).
#pragma once

#include "SysUtils.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Every failure of the wrapper. It carries no user text: the routines above wrap it. A lock of
// another program that outlasted the busy timeout, and a full database or disk, are raised as a
// UserException instead, with a French user text and the same message.
class ESQLiteException : public Exception
{
public:
    using Exception::Exception;
};

// English text of an engine result code; an unknown code gives
// 'Unknown SQLite Error Code "<code>"'.
QString SQLiteErrorText(int ErrCode);

// How long a connection waits for a lock that another program holds before its statement
// fails with SQLITE_BUSY: a short write elsewhere is waited out.
constexpr int BusyTimeoutMs = 5000;

// Column and parameter type codes.
constexpr int dtInt = 1;
constexpr int dtNumeric = 2;
constexpr int dtStr = 3;
constexpr int dtBlob = 4;
constexpr int dtNull = 5;

// Finalizes an engine statement; a statement is always held by a TSQLiteStatement, so that
// no path, an exception included, leaves one behind.
struct TSQLiteStatementFinalizer
{
    void operator()(sqlite3_stmt *Statement) const;
};
using TSQLiteStatement = std::unique_ptr<sqlite3_stmt, TSQLiteStatementFinalizer>;

// One queued named parameter.
class TSQliteParam
{
public:
    // The name exactly as written in the SQL, colon included (":code").
    QByteArray Name;
    // dtInt, dtNumeric, dtStr or dtNull.
    int ValueType = dtNull;
    qint64 ValueInteger = 0;
    double ValueFloat = 0;
    QByteArray ValueData;
};

// A reusable prepared statement, passed by value. After ReleaseSQL the caller's copy still
// names the finalized statement and must not be used again; TSQLiteQueryGuard avoids that.
struct TSQLiteQuery
{
    QString SQL;
    sqlite3_stmt *Statement = nullptr;
};

class TSQLiteUniTable;

// One open database file. Parameters are queued first (AddParam...), then exactly one
// statement (ExecSQL, GetTableString, GetUniTable or a TSQLiteTable) binds them by name and
// empties the queue. When a statement fails to compile, the queue is left as it was and
// waits for the next statement. Nothing runs inside a transaction unless a
// TSQLiteTransaction asks for one.
class TSQLiteDatabase
{
public:
    // Opens the file, creating it when missing, with a busy timeout of BusyTimeoutMs. A
    // failure raises ESQLiteException 'Failed to open database "<file>" : <engine message>'.
    explicit TSQLiteDatabase(const QString &FileName);
    virtual ~TSQLiteDatabase();

    TSQLiteDatabase(const TSQLiteDatabase &) = delete;
    TSQLiteDatabase &operator=(const TSQLiteDatabase &) = delete;

    void AddParamInt(const QByteArray &Name, qint64 Value);
    void AddParamFloat(const QByteArray &Name, double Value);
    // The bytes go to the engine unchanged.
    void AddParamText(const QByteArray &Name, const QByteArray &Value);
    void AddParamNull(const QByteArray &Name);
    void ParamsClear();

    // Runs the first statement of SQL (what follows it is ignored) with the queue bound.
    // A statement that yields a row fails as well.
    void ExecSQL(const QString &SQL);
    // First column of the first row as the engine's text; empty when there is no row.
    QByteArray GetTableString(const QString &SQL);
    // A forward cursor on the first row of the query, the queue bound.
    std::unique_ptr<TSQLiteUniTable> GetUniTable(const QString &SQL);

    // Reusable statements with positional integer parameters ("?"). The queue is neither
    // bound nor emptied. The statement belongs to the caller until ReleaseSQL.
    TSQLiteQuery PrepareSQL(const QString &SQL);
    void BindSQL(TSQLiteQuery Query, int Index, int Value);
    // Runs the statement once and resets it for the next run; no statement does nothing.
    void ExecQuery(TSQLiteQuery Query);
    void ReleaseSQL(TSQLiteQuery Query);

    // How many rows the last INSERT, UPDATE or DELETE changed (rows changed by triggers
    // not counted).
    int Changes() const;
    // Whether the last failure was a lock of another connection that outlasted BusyTimeoutMs
    // (SQLITE_BUSY or SQLITE_LOCKED); meaningful right after a failure only.
    bool Busy() const;
    // How many rows this connection's statements have inserted, updated or deleted since it
    // opened, triggers included: unchanged, nothing was written through it.
    qint64 TotalChanges() const;
    // Whether the last failure on this connection was a row that a table refused (a
    // constraint: a foreign key, NOT NULL, UNIQUE...), rather than a failure of the engine or
    // the disk. Still readable once the failing call has raised.
    bool ConstraintFailed() const;

    // Runs every statement of a script in order (rows that a statement yields are skipped),
    // without touching the queue. Triggers and ";" inside literals are safe: the engine
    // itself finds where each statement ends. A failure raises RaiseError("Error executing
    // SQL statement", the failing statement) and leaves the statements before it applied.
    void ExecScript(const QString &SQL);

    // Raises ESQLiteException: Msg alone when the connection holds no error, else (through
    // Raise, so a lock or a full disk gets its user text) Msg ".\rError [<code>]: <code
    // text>.\r\"<SQL>\": <engine message>".
    [[noreturn]] void RaiseError(const QString &Msg, const QString &SQL) const;
    // Raises E, or a UserException with E's message and a user text when the last failure was
    //   a lock that another program kept beyond the busy timeout (Busy): 'La base de données
    //   "<file>" est utilisée par un autre programme. Fermez ce programme, puis réessayez.';
    //   a database or disk without room (SQLITE_FULL): 'La base de données n'a pas pu être
    //   modifiée : le disque est plein.';
    //   a database that cannot be written (SQLITE_READONLY: a read-only file or file system):
    //   'La base de données "<file>" ne peut pas être modifiée : elle est en lecture seule.'.
    [[noreturn]] void Raise(const ESQLiteException &E) const;

    // Compiles the first statement of SQL with sqlite3_prepare_v2. A failure raises
    // "Error executing SQL"; a text without a statement "Could not prepare SQL statement".
    TSQLiteStatement PrepareStatement(const QString &SQL);
    // Binds the queue to Statement by name (unknown names skipped, a name queued twice
    // bound twice) and empties it, also when binding is left by a failure.
    void BindParams(sqlite3_stmt *Statement);

    // The engine connection, for the table classes and the transaction guard.
    sqlite3 *Handle() const { return DB; }

    // Pending named parameters, in queue order.
    std::vector<TSQliteParam> Params;

private:
    sqlite3 *DB = nullptr;
};

// Finalizes a prepared statement that its caller did not release, whatever way the caller
// leaves: PrepareSQL in the constructor, ReleaseSQL in Release or in the destructor.
class TSQLiteQueryGuard
{
public:
    TSQLiteQueryGuard(TSQLiteDatabase &Database, const QString &SQL);
    ~TSQLiteQueryGuard();

    TSQLiteQueryGuard(const TSQLiteQueryGuard &) = delete;
    TSQLiteQueryGuard &operator=(const TSQLiteQueryGuard &) = delete;

    const TSQLiteQuery &Query() const { return FQuery; }
    // ReleaseSQL now, with its error; the guard then holds nothing.
    void Release();

private:
    TSQLiteDatabase &FDatabase;
    TSQLiteQuery FQuery;
};

// BEGIN in the constructor; COMMIT in Commit; ROLLBACK in the destructor when Commit was
// not reached. The queue is left untouched.
class TSQLiteTransaction
{
public:
    explicit TSQLiteTransaction(TSQLiteDatabase &Database);
    ~TSQLiteTransaction();

    TSQLiteTransaction(const TSQLiteTransaction &) = delete;
    TSQLiteTransaction &operator=(const TSQLiteTransaction &) = delete;

    void Commit();

private:
    void Run(const char *SQL);

    TSQLiteDatabase &FDatabase;
    bool FActive = false;
};

// A query read to its end at construction, rows kept in memory, served through a row
// cursor. One column type per column, decided on the first row: from the declared type
// ("INTEGER" or "BOOLEAN" integer; "NUMERIC", "FLOAT", "DOUBLE" or "REAL" float; "BLOB"
// blob; any other declared type text, compared whole and case-sensitively), or, for an
// expression, from the first row's value.
class TSQLiteTable
{
public:
    // Runs SQL to the end, binding and emptying DB's queue.
    TSQLiteTable(TSQLiteDatabase &DB, const QString &SQL);
    // The same with Statement, prepared from SQL by DB.PrepareStatement and run again and
    // again: it is reset and its bindings cleared afterwards, ready for the next run.
    TSQLiteTable(TSQLiteDatabase &DB, const TSQLiteStatement &Statement, const QString &SQL);
    virtual ~TSQLiteTable();

    TSQLiteTable(const TSQLiteTable &) = delete;
    TSQLiteTable &operator=(const TSQLiteTable &) = delete;

    quint32 RowCount() const { return FRowCount; }
    // 0 when the query yielded no row.
    quint32 ColCount() const { return FColCount; }
    quint32 Row() const { return FRow; }
    // Upper-cased column names; empty when the query yielded no row.
    const QStringList &Cols() const { return FCols; }
    // dtInt .. dtNull per column; empty when the query yielded no row.
    const std::vector<int> &ColTypes() const { return FColTypes; }

    // Row >= RowCount: past the last row (named Eof because EOF is the C library's macro).
    bool Eof() const { return FRow >= FRowCount; }
    // False at the end; otherwise moves one row on (also past the last) and gives true.
    bool Next();
    // False when Index >= RowCount, the cursor staying; otherwise moves there.
    bool MoveTo(quint32 Index);

    // Index of a column by name without regard to case, first match first.
    int FieldIndex(const QString &FieldName) const;
    // The current row's value as text: integer and float columns as their decimal text
    // (NULL gives "0", floats with ","), text as stored, a blob's bytes.
    QByteArray FieldAsString(int I) const;
    // NULL gives 0; a float is truncated toward zero; a text or blob column raises
    // "Not an integer or numeric field".
    qint64 FieldAsInteger(int I) const;
    double FieldAsDouble(int I) const;
    // The bytes of a blob column; a null QByteArray for NULL or an empty blob. Another
    // column type raises "Not a Blob field".
    QByteArray FieldAsBlob(int I) const;
    QByteArray FieldAsBlobText(int I) const;
    QByteArray FieldAsStringByName(const QString &FieldName) const;

protected:
    // The cell's text bytes; Length 0 for NULL.
    const char *CellText(int I, qsizetype &Length) const;
    // Raises "Table is at End of File" at the end, and for a column outside the row.
    void CheckField(int I) const;

private:
    struct TSpan
    {
        quint32 Offset;
        quint32 Length;
    };
    // One value: NULL (Kind 0), an integer, a double, or text or blob bytes in the arena.
    // Sixteen bytes, so that a table of thousands of rows is a few flat allocations.
    struct TCell
    {
        union {
            qint64 Int;
            double Float;
            TSpan Bytes;
        };
        quint8 Kind;
    };

    // The cell and byte buffers of tables already freed are kept for the next tables, so
    // that a query run again and again (random generation) neither asks the system for
    // fresh pages nor grows its buffers anew each time.
    void TakePooledBuffers();
    void ReturnBuffersToPool();
    void ReadAll(TSQLiteDatabase &DB, sqlite3_stmt *Statement, const QString &SQL);
    void ReadRow(sqlite3_stmt *Statement);
    const TCell &Cell(int I) const { return FResults[std::size_t(FRow) * FColCount + std::size_t(I)]; }
    template <class T> T FieldAsNumber(int I) const;

    // Row-major: the cell of row r and column c is r * ColCount + c.
    std::vector<TCell> FResults;
    // The bytes of every text and blob cell, one after the other.
    std::vector<char> FArena;
    quint32 FRowCount = 0;
    quint32 FColCount = 0;
    QStringList FCols;
    std::vector<int> FColTypes;
    quint32 FRow = 0;
};

// A forward-only cursor reading one row at a time from the engine, nothing buffered.
class TSQLiteUniTable
{
public:
    // Compiles SQL, binds and empties the queue, and steps to the first row.
    TSQLiteUniTable(TSQLiteDatabase &DB, const QString &SQL);
    virtual ~TSQLiteUniTable() = default;

    TSQLiteUniTable(const TSQLiteUniTable &) = delete;
    TSQLiteUniTable &operator=(const TSQLiteUniTable &) = delete;

    int ColCount() const { return FColCount; }
    const QStringList &Cols() const { return FCols; }
    // Rows stepped so far.
    quint32 Row() const { return FRow; }
    bool Eof() const { return FEof; }
    // Steps one row; true while a row is current.
    bool Next();
    // The current row's value as the engine's text (NULL gives the empty text).
    QByteArray FieldAsString(int I) const;

private:
    int FColCount = 0;
    QStringList FCols;
    quint32 FRow = 0;
    bool FEof = true;
    TSQLiteStatement FStatement;
    TSQLiteDatabase &FDB;
    QString FSQL;
};
