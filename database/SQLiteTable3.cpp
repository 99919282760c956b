#include "SQLiteTable3.h"

#include "UnitTypes.h"

#include <QFile>

#include <sqlite3.h>

#include <cstring>
#include <iterator>
#include <limits>
#include <utility>

namespace {

const char *const ErrorTexts[] = {
    "Successful result",                           // 0
    "SQL error or missing database",               // 1
    "An internal logic error in SQLite",           // 2
    "Access permission denied",                    // 3
    "Callback routine requested an abort",         // 4
    "The database file is locked",                 // 5
    "A table in the database is locked",           // 6
    "A malloc() failed",                           // 7
    "Attempt to write a readonly database",        // 8
    "Operation terminated by sqlite3_interrupt()", // 9
    "Some kind of disk I/O error occurred",        // 10
    "The database disk image is malformed",        // 11
    "(Internal Only) Table or record not found",   // 12
    "Insertion failed because database is full",   // 13
    "Unable to open the database file",            // 14
    "Database lock protocol error",                // 15
    "Database is empty",                           // 16
    "The database schema changed",                 // 17
    "Too much data for one row of a table",        // 18
    "Abort due to contraint violation",            // 19
    "Data type mismatch",                          // 20
    "Library used incorrectly",                    // 21
    "Uses OS features not supported on host",      // 22
    "Authorization denied",                        // 23
    "Auxiliary database format error",             // 24
    "2nd parameter to sqlite3_bind out of range",  // 25
    "File opened that is not a database file",     // 26
};

QString EngineMessage(sqlite3 *DB)
{
    return QString::fromUtf8(sqlite3_errmsg(DB));
}

// The whole text as the engine reads it; SQL texts of the program are plain ASCII.
QByteArray SqlBytes(const QString &SQL)
{
    return SQL.toUtf8();
}

} // namespace

QString SQLiteErrorText(int ErrCode)
{
    if (ErrCode >= 0 && ErrCode < int(std::size(ErrorTexts)))
        return QString::fromLatin1(ErrorTexts[ErrCode]);
    if (ErrCode == SQLITE_ROW)
        return QStringLiteral("sqlite3_step() has another row ready");
    if (ErrCode == SQLITE_DONE)
        return QStringLiteral("sqlite3_step() has finished executing");
    return QStringLiteral("Unknown SQLite Error Code \"%1\"").arg(ErrCode);
}

void TSQLiteStatementFinalizer::operator()(sqlite3_stmt *Statement) const
{
    sqlite3_finalize(Statement);
}

// ---------------------------------------------------------------------------------------
// TSQLiteDatabase
// ---------------------------------------------------------------------------------------

TSQLiteDatabase::TSQLiteDatabase(const QString &FileName)
{
    const int Rc = sqlite3_open(QFile::encodeName(FileName).constData(), &DB);
    if (Rc != SQLITE_OK) {
        // The destructor does not run for a half-built object: close what the engine handed
        // back here.
        QString Msg;
        if (!DB) {
            Msg = QStringLiteral("Failed to open database \"%1\" : unknown error").arg(FileName);
        } else {
            Msg = QStringLiteral("Failed to open database \"%1\" : %2").arg(FileName, EngineMessage(DB));
            sqlite3_close(DB);
            DB = nullptr;
        }
        throw ESQLiteException(Msg);
    }
    sqlite3_busy_timeout(DB, BusyTimeoutMs);
}

TSQLiteDatabase::~TSQLiteDatabase()
{
    ParamsClear();
    // A prepared statement that a caller never released keeps sqlite3_close from closing;
    // sqlite3_close_v2 closes as soon as the last one is finalized.
    sqlite3_close_v2(DB);
}

void TSQLiteDatabase::AddParamInt(const QByteArray &Name, qint64 Value)
{
    TSQliteParam Param;
    Param.Name = Name;
    Param.ValueType = dtInt;
    Param.ValueInteger = Value;
    Params.push_back(std::move(Param));
}

void TSQLiteDatabase::AddParamFloat(const QByteArray &Name, double Value)
{
    TSQliteParam Param;
    Param.Name = Name;
    Param.ValueType = dtNumeric;
    Param.ValueFloat = Value;
    Params.push_back(std::move(Param));
}

void TSQLiteDatabase::AddParamText(const QByteArray &Name, const QByteArray &Value)
{
    TSQliteParam Param;
    Param.Name = Name;
    Param.ValueType = dtStr;
    Param.ValueData = Value;
    Params.push_back(std::move(Param));
}

void TSQLiteDatabase::AddParamNull(const QByteArray &Name)
{
    TSQliteParam Param;
    Param.Name = Name;
    Param.ValueType = dtNull;
    Params.push_back(std::move(Param));
}

void TSQLiteDatabase::ParamsClear()
{
    Params.clear();
}

void TSQLiteDatabase::RaiseError(const QString &Msg, const QString &SQL) const
{
    const int Code = sqlite3_errcode(DB);
    if (Code == SQLITE_OK)
        throw ESQLiteException(Msg);
    Raise(ESQLiteException(Msg + QStringLiteral(".\rError [%1]: %2.\r\"%3\": %4")
                                     .arg(QString::number(Code), SQLiteErrorText(Code), SQL, EngineMessage(DB))));
}

void TSQLiteDatabase::Raise(const ESQLiteException &E) const
{
    // Every failed statement leaves through here, whoever ran it: a lock that another program
    // kept beyond the busy timeout, or a disk without room, then tells the user what is wrong
    // wherever it was met, instead of reaching the error box with no text of its own.
    if (Busy())
        throw UserException::CreateUserFmt(
            QStringLiteral("La base de données \"%s\" est utilisée par un autre programme. Fermez ce programme, "
                           "puis réessayez."),
            {QFile::decodeName(sqlite3_db_filename(DB, "main"))}, &E);
    switch (sqlite3_errcode(DB) & 0xff) {
    case SQLITE_FULL:
        throw UserException::CreateUser(
            QStringLiteral("La base de données n'a pas pu être modifiée : le disque est plein."), &E);
    case SQLITE_READONLY:
        throw UserException::CreateUserFmt(
            QStringLiteral("La base de données \"%s\" ne peut pas être modifiée : elle est en lecture seule."),
            {QFile::decodeName(sqlite3_db_filename(DB, "main"))}, &E);
    default:
        throw E;
    }
}

TSQLiteStatement TSQLiteDatabase::PrepareStatement(const QString &SQL)
{
    sqlite3_stmt *Raw = nullptr;
    const QByteArray Bytes = SqlBytes(SQL);
    const int Rc = sqlite3_prepare_v2(DB, Bytes.constData(), -1, &Raw, nullptr);
    TSQLiteStatement Statement(Raw);
    if (Rc != SQLITE_OK)
        RaiseError(QStringLiteral("Error executing SQL"), SQL);
    if (!Statement)
        RaiseError(QStringLiteral("Could not prepare SQL statement"), SQL);
    return Statement;
}

void TSQLiteDatabase::BindParams(sqlite3_stmt *Statement)
{
    // Emptied on every way out: a statement consumes the whole queue even when it fails.
    struct TClear
    {
        TSQLiteDatabase &Owner;
        ~TClear() { Owner.ParamsClear(); }
    } Clear{*this};
    for (const TSQliteParam &Param : std::as_const(Params)) {
        const int Index = sqlite3_bind_parameter_index(Statement, Param.Name.constData());
        if (Index == 0)
            continue;
        switch (Param.ValueType) {
        case dtInt:
            sqlite3_bind_int64(Statement, Index, Param.ValueInteger);
            break;
        case dtNumeric:
            sqlite3_bind_double(Statement, Index, Param.ValueFloat);
            break;
        case dtStr:
            sqlite3_bind_text(Statement, Index, Param.ValueData.constData(), int(Param.ValueData.size()),
                              SQLITE_TRANSIENT);
            break;
        case dtNull:
            sqlite3_bind_null(Statement, Index);
            break;
        default:
            break;
        }
    }
}

void TSQLiteDatabase::ExecSQL(const QString &SQL)
{
    TSQLiteStatement Statement = PrepareStatement(SQL);
    BindParams(Statement.get());
    if (sqlite3_step(Statement.get()) != SQLITE_DONE) {
        sqlite3_reset(Statement.get());
        RaiseError(QStringLiteral("Error executing SQL statement"), SQL);
    }
}

int TSQLiteDatabase::Changes() const
{
    return sqlite3_changes(DB);
}

bool TSQLiteDatabase::Busy() const
{
    const int Rc = sqlite3_errcode(DB);
    return Rc == SQLITE_BUSY || Rc == SQLITE_LOCKED;
}

qint64 TSQLiteDatabase::TotalChanges() const
{
    return sqlite3_total_changes64(DB);
}

bool TSQLiteDatabase::ConstraintFailed() const
{
    return sqlite3_errcode(DB) == SQLITE_CONSTRAINT;
}

QByteArray TSQLiteDatabase::GetTableString(const QString &SQL)
{
    const std::unique_ptr<TSQLiteUniTable> Table = GetUniTable(SQL);
    if (Table->Eof())
        return QByteArray();
    return Table->FieldAsString(0);
}

std::unique_ptr<TSQLiteUniTable> TSQLiteDatabase::GetUniTable(const QString &SQL)
{
    return std::make_unique<TSQLiteUniTable>(*this, SQL);
}

TSQLiteQuery TSQLiteDatabase::PrepareSQL(const QString &SQL)
{
    TSQLiteQuery Query;
    Query.SQL = SQL;
    const QByteArray Bytes = SqlBytes(SQL);
    // The older interface on purpose: a statement that outlives a schema change reports it
    // at its next step instead of recompiling silently.
    const int Rc = sqlite3_prepare(DB, Bytes.constData(), -1, &Query.Statement, nullptr);
    if (Rc != SQLITE_OK) {
        TSQLiteStatement Failed(Query.Statement);
        RaiseError(QStringLiteral("Error executing SQL"), SQL);
    }
    if (!Query.Statement)
        RaiseError(QStringLiteral("Could not prepare SQL statement"), SQL);
    return Query;
}

void TSQLiteDatabase::BindSQL(TSQLiteQuery Query, int Index, int Value)
{
    if (!Query.Statement)
        RaiseError(QStringLiteral("Could not bind integer to prepared SQL statement"), Query.SQL);
    sqlite3_bind_int(Query.Statement, Index, Value);
}

void TSQLiteDatabase::ExecQuery(TSQLiteQuery Query)
{
    if (!Query.Statement)
        return;
    if (sqlite3_step(Query.Statement) != SQLITE_DONE) {
        sqlite3_reset(Query.Statement);
        RaiseError(QStringLiteral("Error executing prepared SQL statement"), Query.SQL);
    }
    sqlite3_reset(Query.Statement);
}

void TSQLiteDatabase::ReleaseSQL(TSQLiteQuery Query)
{
    if (!Query.Statement)
        RaiseError(QStringLiteral("Could not release prepared SQL statement"), Query.SQL);
    sqlite3_finalize(Query.Statement);
}

void TSQLiteDatabase::ExecScript(const QString &SQL)
{
    const QByteArray Bytes = SqlBytes(SQL);
    const char *Next = Bytes.constData();
    const char *const End = Next + Bytes.size();
    while (Next < End) {
        sqlite3_stmt *Raw = nullptr;
        const char *Tail = nullptr;
        const int Rc = sqlite3_prepare_v2(DB, Next, int(End - Next), &Raw, &Tail);
        TSQLiteStatement Statement(Raw);
        const QString Text = QString::fromUtf8(Next, Tail ? Tail - Next : End - Next).trimmed();
        if (Rc != SQLITE_OK)
            RaiseError(QStringLiteral("Error executing SQL"), Text);
        // Blanks and comments after the last statement compile to no statement.
        if (Statement) {
            int Step = SQLITE_ROW;
            while (Step == SQLITE_ROW)
                Step = sqlite3_step(Statement.get());
            if (Step != SQLITE_DONE) {
                sqlite3_reset(Statement.get());
                RaiseError(QStringLiteral("Error executing SQL statement"), Text);
            }
        }
        if (!Tail || Tail <= Next)
            break;
        Next = Tail;
    }
}

// ---------------------------------------------------------------------------------------
// Guards
// ---------------------------------------------------------------------------------------

TSQLiteQueryGuard::TSQLiteQueryGuard(TSQLiteDatabase &Database, const QString &SQL)
    : FDatabase(Database), FQuery(Database.PrepareSQL(SQL))
{
}

TSQLiteQueryGuard::~TSQLiteQueryGuard()
{
    sqlite3_finalize(FQuery.Statement);
}

void TSQLiteQueryGuard::Release()
{
    const TSQLiteQuery Query = FQuery;
    FQuery.Statement = nullptr;
    FDatabase.ReleaseSQL(Query);
}

TSQLiteTransaction::TSQLiteTransaction(TSQLiteDatabase &Database) : FDatabase(Database)
{
    Run("BEGIN");
    FActive = true;
}

TSQLiteTransaction::~TSQLiteTransaction()
{
    // Runs during unwinding: a failed rollback must not throw. The engine has then already
    // rolled the transaction back itself, or will when the connection closes.
    if (FActive)
        sqlite3_exec(FDatabase.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void TSQLiteTransaction::Commit()
{
    Run("COMMIT");
    FActive = false;
}

void TSQLiteTransaction::Run(const char *SQL)
{
    if (sqlite3_exec(FDatabase.Handle(), SQL, nullptr, nullptr, nullptr) != SQLITE_OK)
        FDatabase.RaiseError(QStringLiteral("Error executing SQL statement"), QString::fromLatin1(SQL));
}

// ---------------------------------------------------------------------------------------
// TSQLiteTable
// ---------------------------------------------------------------------------------------

namespace {

int ColumnTypeOf(sqlite3_stmt *Statement, int Column)
{
    const char *Declared = sqlite3_column_decltype(Statement, Column);
    if (!Declared)
        return sqlite3_column_type(Statement, Column);
    // Compared whole and case-sensitively: "INT" or "integer" make a text column.
    if (!std::strcmp(Declared, "INTEGER") || !std::strcmp(Declared, "BOOLEAN"))
        return dtInt;
    if (!std::strcmp(Declared, "NUMERIC") || !std::strcmp(Declared, "FLOAT") || !std::strcmp(Declared, "DOUBLE") ||
        !std::strcmp(Declared, "REAL"))
        return dtNumeric;
    if (!std::strcmp(Declared, "BLOB"))
        return dtBlob;
    return dtStr;
}

QString ColumnName(sqlite3_stmt *Statement, int Column)
{
    return QString::fromUtf8(sqlite3_column_name(Statement, Column)).toUpper();
}

} // namespace

namespace {

// Buffers of freed tables, for the tables to come: one thread, a few tables alive at once.
template <class TCellType> struct TBufferPool
{
    static constexpr std::size_t MaxEntries = 4;
    // A buffer above this size goes back to the system rather than stay idle.
    static constexpr std::size_t MaxBytes = std::size_t(32) << 20;

    std::vector<std::vector<TCellType>> Cells;
    std::vector<std::vector<char>> Bytes;

    static TBufferPool &Instance()
    {
        thread_local TBufferPool Pool;
        return Pool;
    }
};

template <class T> void TakeFrom(std::vector<std::vector<T>> &Pool, std::vector<T> &Target)
{
    if (Pool.empty())
        return;
    Target.swap(Pool.back());
    Pool.pop_back();
    Target.clear();
}

template <class T, std::size_t MaxEntries, std::size_t MaxBytes>
void GiveTo(std::vector<std::vector<T>> &Pool, std::vector<T> &Source)
{
    if (Source.capacity() == 0 || Source.capacity() * sizeof(T) > MaxBytes || Pool.size() >= MaxEntries)
        return;
    Pool.push_back(std::move(Source));
}

} // namespace

void TSQLiteTable::TakePooledBuffers()
{
    auto &Pool = TBufferPool<TCell>::Instance();
    TakeFrom(Pool.Cells, FResults);
    TakeFrom(Pool.Bytes, FArena);
}

void TSQLiteTable::ReturnBuffersToPool()
{
    using TPool = TBufferPool<TCell>;
    auto &Pool = TPool::Instance();
    GiveTo<TCell, TPool::MaxEntries, TPool::MaxBytes>(Pool.Cells, FResults);
    GiveTo<char, TPool::MaxEntries, TPool::MaxBytes>(Pool.Bytes, FArena);
}

TSQLiteTable::~TSQLiteTable()
{
    ReturnBuffersToPool();
}

TSQLiteTable::TSQLiteTable(TSQLiteDatabase &DB, const QString &SQL)
{
    const TSQLiteStatement Statement = DB.PrepareStatement(SQL);
    ReadAll(DB, Statement.get(), SQL);
}

TSQLiteTable::TSQLiteTable(TSQLiteDatabase &DB, const TSQLiteStatement &Statement, const QString &SQL)
{
    // Left ready for the next run whatever way the reading ends.
    struct TRearm
    {
        sqlite3_stmt *Statement;
        ~TRearm()
        {
            sqlite3_reset(Statement);
            sqlite3_clear_bindings(Statement);
        }
    } Rearm{Statement.get()};
    ReadAll(DB, Statement.get(), SQL);
}

void TSQLiteTable::ReadAll(TSQLiteDatabase &DB, sqlite3_stmt *Statement, const QString &SQL)
{
    DB.BindParams(Statement);
    for (;;) {
        const int Rc = sqlite3_step(Statement);
        if (Rc == SQLITE_DONE)
            break;
        if (Rc == SQLITE_BUSY)
            DB.Raise(ESQLiteException(QStringLiteral("Could not prepare SQL statement")));
        if (Rc != SQLITE_ROW) {
            sqlite3_reset(Statement);
            DB.RaiseError(QStringLiteral("Could not retrieve data"), SQL);
        }
        if (FRowCount == 0) {
            FColCount = quint32(sqlite3_column_count(Statement));
            FCols.reserve(int(FColCount));
            FColTypes.reserve(FColCount);
            for (int C = 0; C < int(FColCount); ++C) {
                FCols.append(ColumnName(Statement, C));
                FColTypes.push_back(ColumnTypeOf(Statement, C));
            }
            TakePooledBuffers();
            FResults.reserve(std::size_t(FColCount) * 64);
            FArena.reserve(4096);
        }
        ++FRowCount;
        ReadRow(Statement);
    }
    FRow = 0;
}

void TSQLiteTable::ReadRow(sqlite3_stmt *Statement)
{
    for (int C = 0; C < int(FColCount); ++C) {
        TCell Cell;
        Cell.Int = 0;
        Cell.Kind = 0;
        if (sqlite3_column_type(Statement, C) != SQLITE_NULL) {
            const int Type = FColTypes[std::size_t(C)];
            if (Type == dtInt) {
                Cell.Int = sqlite3_column_int64(Statement, C);
                Cell.Kind = dtInt;
            } else if (Type == dtNumeric) {
                Cell.Float = sqlite3_column_double(Statement, C);
                Cell.Kind = dtNumeric;
            } else {
                const char *Bytes = nullptr;
                qsizetype Length = 0;
                if (Type == dtBlob) {
                    Bytes = static_cast<const char *>(sqlite3_column_blob(Statement, C));
                    Length = sqlite3_column_bytes(Statement, C);
                } else {
                    Bytes = reinterpret_cast<const char *>(sqlite3_column_text(Statement, C));
                    Length = sqlite3_column_bytes(Statement, C);
                    // A text ends at its first zero byte, as the engine's C string does.
                    if (Bytes) {
                        if (const void *Zero = std::memchr(Bytes, 0, std::size_t(Length)))
                            Length = static_cast<const char *>(Zero) - Bytes;
                    }
                }
                // An empty blob is no value at all; an empty text is still a text.
                if (Type != dtBlob || Length > 0) {
                    const std::size_t Offset = FArena.size();
                    if (Offset + std::size_t(Length) > std::numeric_limits<quint32>::max())
                        throw ESQLiteException(QStringLiteral("Could not retrieve data"));
                    if (Length > 0)
                        FArena.insert(FArena.end(), Bytes, Bytes + Length);
                    Cell.Bytes.Offset = quint32(Offset);
                    Cell.Bytes.Length = quint32(Length);
                    Cell.Kind = quint8(Type == dtBlob ? dtBlob : dtStr);
                }
            }
        }
        FResults.push_back(Cell);
    }
}

bool TSQLiteTable::Next()
{
    if (Eof())
        return false;
    ++FRow;
    return true;
}

bool TSQLiteTable::MoveTo(quint32 Index)
{
    if (FRowCount == 0 || Index >= FRowCount)
        return false;
    FRow = Index;
    return true;
}

int TSQLiteTable::FieldIndex(const QString &FieldName) const
{
    if (FCols.isEmpty())
        throw ESQLiteException(QStringLiteral("Field ") + FieldName + QStringLiteral(" Not found. Empty dataset"));
    for (int I = 0; I < FCols.size(); ++I) {
        if (FCols[I].compare(FieldName, Qt::CaseInsensitive) == 0)
            return I;
    }
    throw ESQLiteException(QStringLiteral("Field not found in dataset: ") + FieldName);
}

void TSQLiteTable::CheckField(int I) const
{
    if (Eof())
        throw ESQLiteException(QStringLiteral("Table is at End of File"));
    if (I < 0 || quint32(I) >= FColCount)
        throw ESQLiteException(QStringLiteral("List index out of bounds (%1)").arg(I));
}

const char *TSQLiteTable::CellText(int I, qsizetype &Length) const
{
    const TCell &C = Cell(I);
    if (C.Kind != dtStr && C.Kind != dtBlob) {
        Length = 0;
        return "";
    }
    Length = C.Bytes.Length;
    return FArena.data() + C.Bytes.Offset;
}

QByteArray TSQLiteTable::FieldAsString(int I) const
{
    CheckField(I);
    switch (FColTypes[std::size_t(I)]) {
    case dtInt:
        return QByteArray::number(FieldAsInteger(I));
    case dtNumeric:
        return FloatToStr(FieldAsDouble(I)).toUtf8();
    case dtStr: {
        qsizetype Length = 0;
        const char *Bytes = CellText(I, Length);
        return QByteArray(Bytes, Length);
    }
    case dtBlob:
        return FieldAsBlobText(I);
    default:
        // An expression column whose first value was NULL has no type to read by.
        return QByteArray();
    }
}

// A NULL cell reads as 0 whatever the column; a float column read as an integer is
// truncated toward zero.
template <class T> T TSQLiteTable::FieldAsNumber(int I) const
{
    CheckField(I);
    const TCell &C = Cell(I);
    if (C.Kind == 0)
        return 0;
    switch (FColTypes[std::size_t(I)]) {
    case dtInt:
        return T(C.Int);
    case dtNumeric:
        return T(C.Float);
    default:
        throw ESQLiteException(QStringLiteral("Not an integer or numeric field"));
    }
}

qint64 TSQLiteTable::FieldAsInteger(int I) const
{
    return FieldAsNumber<qint64>(I);
}

double TSQLiteTable::FieldAsDouble(int I) const
{
    return FieldAsNumber<double>(I);
}

QByteArray TSQLiteTable::FieldAsBlob(int I) const
{
    CheckField(I);
    const TCell &C = Cell(I);
    if (C.Kind == 0)
        return QByteArray();
    if (FColTypes[std::size_t(I)] != dtBlob)
        throw ESQLiteException(QStringLiteral("Not a Blob field"));
    return QByteArray(FArena.data() + C.Bytes.Offset, qsizetype(C.Bytes.Length));
}

QByteArray TSQLiteTable::FieldAsBlobText(int I) const
{
    const QByteArray Blob = FieldAsBlob(I);
    return Blob.isEmpty() ? QByteArray() : Blob;
}

QByteArray TSQLiteTable::FieldAsStringByName(const QString &FieldName) const
{
    return FieldAsString(FieldIndex(FieldName));
}

// ---------------------------------------------------------------------------------------
// TSQLiteUniTable
// ---------------------------------------------------------------------------------------

TSQLiteUniTable::TSQLiteUniTable(TSQLiteDatabase &DB, const QString &SQL) : FDB(DB), FSQL(SQL)
{
    FStatement = DB.PrepareStatement(SQL);
    DB.BindParams(FStatement.get());
    FColCount = sqlite3_column_count(FStatement.get());
    FCols.reserve(FColCount);
    for (int C = 0; C < FColCount; ++C)
        FCols.append(ColumnName(FStatement.get(), C));
    Next();
}

bool TSQLiteUniTable::Next()
{
    FEof = true;
    const int Rc = sqlite3_step(FStatement.get());
    if (Rc == SQLITE_ROW) {
        FEof = false;
        ++FRow;
    } else if (Rc != SQLITE_DONE) {
        sqlite3_reset(FStatement.get());
        FDB.RaiseError(QStringLiteral("Could not retrieve data"), FSQL);
    }
    return !FEof;
}

QByteArray TSQLiteUniTable::FieldAsString(int I) const
{
    if (FEof || I < 0 || I >= FColCount)
        return QByteArray();
    const char *Text = reinterpret_cast<const char *>(sqlite3_column_text(FStatement.get(), I));
    return Text ? QByteArray(Text) : QByteArray();
}
