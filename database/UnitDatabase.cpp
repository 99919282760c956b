#include "UnitDatabase.h"

#include "UnitTools.h"
#include "UnitTypes.h"

#include <QFile>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <utility>

TQlDatabase *Database = nullptr;

namespace {

std::unique_ptr<TQlDatabase> &OwnedDatabase()
{
    static std::unique_ptr<TQlDatabase> Owned;
    return Owned;
}

// Length of the well-formed UTF-8 sequence starting at P (1 to 4), or 0 when the bytes
// there are not one: a stray continuation byte, an overlong form, a surrogate, a code point
// above U+10FFFF or a sequence cut short by End.
int Utf8SequenceLength(const unsigned char *P, const unsigned char *End, char32_t &CodePoint)
{
    const unsigned char B = *P;
    if (B < 0x80) {
        CodePoint = B;
        return 1;
    }
    int Length = 0;
    char32_t Min = 0;
    if (B >= 0xC2 && B <= 0xDF) {
        Length = 2;
        CodePoint = B & 0x1F;
        Min = 0x80;
    } else if (B >= 0xE0 && B <= 0xEF) {
        Length = 3;
        CodePoint = B & 0x0F;
        Min = 0x800;
    } else if (B >= 0xF0 && B <= 0xF4) {
        Length = 4;
        CodePoint = B & 0x07;
        Min = 0x10000;
    } else {
        return 0;
    }
    if (End - P < Length)
        return 0;
    for (int I = 1; I < Length; ++I) {
        if ((P[I] & 0xC0) != 0x80)
            return 0;
        CodePoint = (CodePoint << 6) | (P[I] & 0x3F);
    }
    if (CodePoint < Min || CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
        return 0;
    return Length;
}

// Walks a UTF-8 text character by character and gives each one folded to ASCII exactly as
// StrToAscii folds the same text held in a QString: a character beyond U+FFFF is two UTF-16
// units there, hence two "?". A byte that starts no well-formed sequence counts as one "?".
class TAsciiFolder
{
public:
    TAsciiFolder(const void *Text, int Length)
        : P(static_cast<const unsigned char *>(Text)), End(P + (Text && Length > 0 ? Length : 0))
    {
    }

    bool Next(char &C)
    {
        if (PendingQuestionMark) {
            PendingQuestionMark = false;
            C = '?';
            return true;
        }
        if (P >= End)
            return false;
        // Most names are plain ASCII.
        if (*P < 0x80) {
            C = char(*P++);
            return true;
        }
        char32_t CodePoint = 0;
        const int Length = Utf8SequenceLength(P, End, CodePoint);
        if (Length == 0) {
            ++P;
            C = '?';
            return true;
        }
        P += Length;
        if (CodePoint > 0xFFFF) {
            PendingQuestionMark = true;
            C = '?';
            return true;
        }
        C = CharToAscii(CodePoint);
        return true;
    }

    // Whether the next character is a plain ASCII byte, which folds to itself: the comparison
    // then takes it with TakeAscii, without the general walk.
    bool AsciiAhead() const { return !PendingQuestionMark && P < End && *P < 0x80; }
    char TakeAscii() { return char(*P++); }

private:
    const unsigned char *P;
    const unsigned char *End;
    bool PendingQuestionMark = false;
};

char LowerAscii(char C)
{
    return (C >= 'A' && C <= 'Z') ? char(C + ('a' - 'A')) : C;
}

// Two folded characters: their order when they differ other than by case, else 0, with the
// first difference of case kept in CaseOrder (lower case first).
int CompareFolded(char C1, char C2, int &CaseOrder)
{
    if (C1 == C2)
        return 0;
    const char L1 = LowerAscii(C1);
    const char L2 = LowerAscii(C2);
    if (L1 != L2)
        return static_cast<unsigned char>(L1) < static_cast<unsigned char>(L2) ? -1 : 1;
    if (CaseOrder == 0)
        CaseOrder = (C1 >= 'a' && C1 <= 'z') ? -1 : 1;
    return 0;
}

} // namespace

QString UTF8Decode(const char *Bytes, qsizetype Length)
{
    if (!Bytes || Length <= 0)
        return QString();
    // Decoded here rather than by QString::fromUtf8, which would drop a leading byte-order
    // mark: the text must come back exactly as it was stored.
    QString Result(Length, Qt::Uninitialized);
    QChar *Out = Result.data();
    const auto *P = reinterpret_cast<const unsigned char *>(Bytes);
    const auto *End = P + Length;
    while (P < End) {
        char32_t CodePoint = 0;
        const int N = Utf8SequenceLength(P, End, CodePoint);
        if (N == 0)
            return QString();
        P += N;
        if (CodePoint > 0xFFFF) {
            *Out++ = QChar(QChar::highSurrogate(CodePoint));
            *Out++ = QChar(QChar::lowSurrogate(CodePoint));
        } else {
            *Out++ = QChar(char16_t(CodePoint));
        }
    }
    Result.truncate(Out - Result.constData());
    return Result;
}

QString UTF8Decode(const QByteArray &Bytes)
{
    return UTF8Decode(Bytes.constData(), Bytes.size());
}

int SystemCollate2(void *UserData, int Length1, const void *Text1, int Length2, const void *Text2)
{
    Q_UNUSED(UserData);
    // Sorting compares names that share their first words ("Tarte aux ..."): the bytes both
    // texts share fold to the same characters and decide nothing, case included, so the
    // folding starts where they part. Every byte that is not a UTF-8 continuation byte starts
    // a character of its own, well-formed or not, so the walk resumes at the last such byte
    // that both texts share (at the parting byte itself when it starts a character in both).
    const auto *P1 = static_cast<const unsigned char *>(Text1);
    const auto *P2 = static_cast<const unsigned char *>(Text2);
    const int Size1 = P1 && Length1 > 0 ? Length1 : 0;
    const int Size2 = P2 && Length2 > 0 ? Length2 : 0;
    const int Shared = Size1 < Size2 ? Size1 : Size2;
    int Start = 0;
    while (Start < Shared && P1[Start] == P2[Start])
        ++Start;
    const auto Continues = [](const unsigned char *P, int Size, int I) { return I < Size && (P[I] & 0xC0) == 0x80; };
    if (Start > 0 && (Continues(P1, Size1, Start) || Continues(P2, Size2, Start))) {
        do
            --Start;
        while (Start > 0 && (P1[Start] & 0xC0) == 0x80);
    }
    TAsciiFolder A(Size1 ? P1 + Start : nullptr, Size1 - Start);
    TAsciiFolder B(Size2 ? P2 + Start : nullptr, Size2 - Start);
    // Case decides only when nothing else does, at the first place where it differs.
    int CaseOrder = 0;
    for (;;) {
        while (A.AsciiAhead() && B.AsciiAhead()) {
            const char C1 = A.TakeAscii();
            const char C2 = B.TakeAscii();
            if (const int Order = CompareFolded(C1, C2, CaseOrder))
                return Order;
        }
        char C1 = 0;
        char C2 = 0;
        const bool Has1 = A.Next(C1);
        const bool Has2 = B.Next(C2);
        if (!Has1 || !Has2) {
            if (Has1)
                return 1;
            if (Has2)
                return -1;
            return CaseOrder;
        }
        if (const int Order = CompareFolded(C1, C2, CaseOrder))
            return Order;
    }
}

void AppendSystem2Key(const char *Text, qsizetype Length, std::string &Keys)
{
    // A text folds to at most one character per byte.
    const std::size_t Start = Keys.size();
    Keys.resize(Start + 2 * std::size_t(Length > 0 ? Length : 0));
    char *Lowered = Keys.data() + Start;
    char *Folded = Lowered;
    TAsciiFolder Folder(Text, int(Length));
    for (;;) {
        while (Folder.AsciiAhead())
            *Folded++ = Folder.TakeAscii();
        char C = 0;
        if (!Folder.Next(C))
            break;
        *Folded++ = C;
    }
    const std::size_t Size = std::size_t(Folded - Lowered);
    std::memcpy(Lowered + Size, Lowered, Size);
    for (std::size_t I = 0; I < Size; ++I)
        Lowered[I] = LowerAscii(Lowered[I]);
    Keys.resize(Start + 2 * Size);
}

int CompareSystem2Keys(const char *Key1, std::size_t Length1, const char *Key2, std::size_t Length2)
{
    // The lowered halves decide, a shorter text first when it is the start of the other;
    // then the first difference of case, lower case first.
    const std::size_t Half1 = Length1 / 2;
    const std::size_t Half2 = Length2 / 2;
    if (const int Order = std::memcmp(Key1, Key2, std::min(Half1, Half2)))
        return Order < 0 ? -1 : 1;
    if (Half1 != Half2)
        return Half1 < Half2 ? -1 : 1;
    for (std::size_t I = Half1; I < Length1; ++I)
        if (Key1[I] != Key2[I])
            return (Key1[I] >= 'a' && Key1[I] <= 'z') ? -1 : 1;
    return 0;
}

// ---------------------------------------------------------------------------------------
// TQlTable
// ---------------------------------------------------------------------------------------

TQlTable::TQlTable(TSQLiteDatabase &DB, const QString &SQL) : TSQLiteTable(DB, SQL) {}

TQlTable::TQlTable(TSQLiteDatabase &DB, const TSQLiteStatement &Statement, const QString &SQL)
    : TSQLiteTable(DB, Statement, SQL)
{
}

QString TQlTable::FieldAsString(const QString &FieldName) const
{
    const int I = FieldIndex(FieldName);
    CheckField(I);
    if (ColTypes()[std::size_t(I)] == dtStr) {
        // Straight from the table's bytes: no copy before the decoding.
        qsizetype Length = 0;
        const char *Bytes = CellText(I, Length);
        return UTF8Decode(Bytes, Length);
    }
    return UTF8Decode(TSQLiteTable::FieldAsString(I));
}

int TQlTable::FieldAsInteger(const QString &FieldName) const
{
    return static_cast<int>(static_cast<quint32>(TSQLiteTable::FieldAsInteger(FieldIndex(FieldName))));
}

double TQlTable::FieldAsDouble(const QString &FieldName) const
{
    return TSQLiteTable::FieldAsDouble(FieldIndex(FieldName));
}

// ---------------------------------------------------------------------------------------
// TQlDatabase
// ---------------------------------------------------------------------------------------

TQlDatabase::TQlDatabase(const QString &FileName)
try : TSQLiteDatabase(FileName) {
    // UTF-8, the database's own encoding: the engine hands the texts over as they are
    // stored instead of converting both to UTF-16 at every comparison.
    sqlite3_create_collation(Handle(), "SYSTEM2", SQLITE_UTF8, nullptr, SystemCollate2);
    // The engine leaves foreign keys off unless the connection asks: the cascades and the
    // SET NULL rules of the schema depend on this.
    ExecSQL(QStringLiteral("PRAGMA foreign_keys = ON;"));
} catch (const std::exception &E) {
    throw UserException::Create(QStringLiteral("TQlDatabase.Create"), E);
}

std::unique_ptr<TQlTable> TQlDatabase::GetTable(const QString &SQL)
{
    std::unique_ptr<TQlTable> Table = LowerCaseAscii(SQL).contains(QLatin1String("order by"))
                                          ? std::make_unique<TQlTable>(*this, SQL + QStringLiteral(" collate SYSTEM2"))
                                          : std::make_unique<TQlTable>(*this, SQL);
    ParamsClear();
    return Table;
}

QString TQlDatabase::GetTableString(const QString &SQL)
{
    const QString Result = UTF8Decode(TSQLiteDatabase::GetTableString(SQL));
    ParamsClear();
    return Result;
}

void TQlDatabase::AddParamText(const QByteArray &Name, const QString &Value)
{
    TSQLiteDatabase::AddParamText(Name, Value.toUtf8());
}

void TQlDatabase::ExecSQL(const QString &SQL)
{
    TSQLiteDatabase::ExecSQL(SQL);
    ParamsClear();
}

// ---------------------------------------------------------------------------------------
// Database
// ---------------------------------------------------------------------------------------

void SetDatabase(std::unique_ptr<TQlDatabase> NewDatabase)
{
    FreeDatabase();
    OwnedDatabase() = std::move(NewDatabase);
    Database = OwnedDatabase().get();
}

void FreeDatabase()
{
    Database = nullptr;
    OwnedDatabase().reset();
}

TQlDatabase &CurrentDatabase()
{
    if (!Database) {
        const Exception NotOpen(QStringLiteral("Database is not open"));
        throw UserException::CreateUser(
            QStringLiteral("La base de données n'est pas ouverte : fermez le programme, puis relancez-le."), &NotOpen);
    }
    return *Database;
}
