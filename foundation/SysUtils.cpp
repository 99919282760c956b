#include "SysUtils.h"

#include <QCollator>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

// ---------------------------------------------------------------------------------------
// Exceptions
// ---------------------------------------------------------------------------------------

Exception::Exception(const QString &Msg) : Message(Msg) {}

Exception::Exception(const QString &Fmt, const QVariantList &Args) : Message(Format(Fmt, Args)) {}

const char *Exception::what() const noexcept
{
    // Message is a public field that handlers may extend, so the bytes follow it on each call.
    FWhat = Message.toUtf8();
    return FWhat.constData();
}

EInOutError EInOutError::FromErrno(int Errno)
{
    switch (Errno) {
    case ENOENT:
        return EInOutError(2, QStringLiteral("File not found"));
    case ENOTDIR:
    case ENAMETOOLONG:
        return EInOutError(3, QStringLiteral("Invalid filename"));
    case EMFILE:
    case ENFILE:
        return EInOutError(4, QStringLiteral("Too many open files"));
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return EInOutError(5, QStringLiteral("File access denied"));
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return EInOutError(101, QStringLiteral("Disk full"));
    default:
        return EInOutError(Errno, QStringLiteral("I/O error %1").arg(Errno));
    }
}

// ---------------------------------------------------------------------------------------
// Float texts
// ---------------------------------------------------------------------------------------

namespace {

// The decimal digits of a value and the exponent of the first one (Value =
// d1.d2d3... * 10^Exp); no digit at all stands for zero.
struct TDecimal
{
    bool Negative = false;
    std::string Digits;
    int Exp = 0;
};

// Eighteen significant digits of a finite Value, as the class library's float conversion
// starts from; to_chars also ignores the C locale, which QCoreApplication sets from the
// environment.
TDecimal ToDecimal(double Value)
{
    TDecimal D;
    if (Value == 0)
        return D;
    std::array<char, 64> Buf{};
    auto R = std::to_chars(Buf.data(), Buf.data() + Buf.size(), Value, std::chars_format::scientific, 17);
    std::string S(Buf.data(), R.ptr);
    std::size_t Pos = 0;
    if (!S.empty() && S[0] == '-') {
        D.Negative = true;
        Pos = 1;
    }
    const std::size_t EPos = S.find('e');
    for (std::size_t I = Pos; I < EPos; ++I) {
        if (S[I] != '.')
            D.Digits += S[I];
    }
    D.Exp = std::atoi(S.c_str() + EPos + 1);
    return D;
}

// Keeps Count significant digits, a half rounded away from zero, and drops trailing zeros.
void RoundDigits(TDecimal &D, int Count)
{
    if (Count < static_cast<int>(D.Digits.size())) {
        if (Count < 0) {
            D.Digits.clear();
        } else {
            const bool Up = D.Digits[std::size_t(Count)] >= '5';
            D.Digits.resize(std::size_t(Count));
            if (Up) {
                int I = Count - 1;
                while (I >= 0 && D.Digits[std::size_t(I)] == '9')
                    D.Digits[std::size_t(I--)] = '0';
                if (I >= 0) {
                    ++D.Digits[std::size_t(I)];
                } else {
                    D.Digits.insert(D.Digits.begin(), '1');
                    ++D.Exp;
                }
            }
        }
    }
    while (!D.Digits.empty() && D.Digits.back() == '0')
        D.Digits.pop_back();
}

QString ExponentText(int Exp, int MinDigits, bool AlwaysSign)
{
    QString E = QString::number(std::abs(Exp));
    while (E.size() < MinDigits)
        E.prepend(QLatin1Char('0'));
    if (Exp < 0)
        E.prepend(QLatin1Char('-'));
    else if (AlwaysSign)
        E.prepend(QLatin1Char('+'));
    return QLatin1Char('E') + E;
}

QString SpecialFloat(double Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Fixed notation with Decimals digits after the separator.
QString FloatToFixed(double Value, QChar Sep, int Decimals)
{
    if (!std::isfinite(Value))
        return SpecialFloat(Value);
    TDecimal D = ToDecimal(Value);
    RoundDigits(D, D.Exp + 1 + Decimals);
    const int IntDigits = D.Exp + 1;
    auto DigitAt = [&D](int I) {
        return I >= 0 && I < static_cast<int>(D.Digits.size()) ? QLatin1Char(D.Digits[std::size_t(I)])
                                                               : QLatin1Char('0');
    };
    QString Result;
    // A value rounded to zero is written without sign.
    if (D.Negative && !D.Digits.empty())
        Result += QLatin1Char('-');
    if (IntDigits <= 0 || D.Digits.empty())
        Result += QLatin1Char('0');
    else
        for (int I = 0; I < IntDigits; ++I)
            Result += DigitAt(I);
    if (Decimals > 0) {
        Result += Sep;
        for (int I = 0; I < Decimals; ++I)
            Result += D.Digits.empty() ? QLatin1Char('0') : DigitAt(IntDigits + I);
    }
    return Result;
}

// Scientific notation with Precision significant digits, as %e writes it.
QString FloatToExponent(double Value, QChar Sep, int Precision, int ExpDigits)
{
    if (!std::isfinite(Value))
        return SpecialFloat(Value);
    TDecimal D = ToDecimal(Value);
    RoundDigits(D, Precision);
    std::string Digits = D.Digits;
    Digits.resize(std::size_t(Precision), '0');
    QString Result;
    if (D.Negative)
        Result += QLatin1Char('-');
    Result += QLatin1Char(Digits[0]);
    if (Precision > 1)
        Result += Sep + QString::fromLatin1(Digits.c_str() + 1);
    return Result + ExponentText(D.Digits.empty() ? 0 : D.Exp, ExpDigits, true);
}

// Groups the integer digits of a fixed text by thousands.
QString GroupThousands(const QString &Fixed, QChar Sep)
{
    int Start = Fixed.startsWith(QLatin1Char('-')) ? 1 : 0;
    int End = Fixed.indexOf(Sep);
    if (End < 0)
        End = Fixed.size();
    QString Result = Fixed;
    for (int I = End - 3; I > Start; I -= 3)
        Result.insert(I, QChar(0x00A0));
    return Result;
}

} // namespace

QString FloatToStrGeneral(double Value, QChar DecimalSeparator, int Precision, int ExpDigits)
{
    if (!std::isfinite(Value))
        return SpecialFloat(Value);
    if (Value == 0)
        return QStringLiteral("0");
    Precision = qBound(1, Precision, 18);
    TDecimal D = ToDecimal(Value);
    RoundDigits(D, Precision);
    const int IntDigits = D.Exp + 1;
    QString Result;
    if (D.Negative)
        Result += QLatin1Char('-');
    const QString Digits = QString::fromLatin1(D.Digits.c_str());
    if (IntDigits > Precision || IntDigits < -3) {
        Result += Digits.left(1);
        if (Digits.size() > 1)
            Result += DecimalSeparator + Digits.mid(1);
        Result += ExponentText(D.Exp, ExpDigits, false);
    } else if (IntDigits <= 0) {
        Result += QLatin1Char('0') + QString(DecimalSeparator) + QString(-IntDigits, QLatin1Char('0')) + Digits;
    } else if (Digits.size() <= IntDigits) {
        Result += Digits + QString(IntDigits - Digits.size(), QLatin1Char('0'));
    } else {
        Result += Digits.left(IntDigits) + DecimalSeparator + Digits.mid(IntDigits);
    }
    return Result;
}

QString FloatToStr(double Value)
{
    return FloatToStrGeneral(Value, FormatSettings().DecimalSeparator);
}

bool TryStrToFloat(const QString &S, double &Value, QChar DecimalSeparator)
{
    const QString T = Trim(S);
    std::string C;
    int I = 0;
    const int N = T.size();
    if (I < N && (T[I] == QLatin1Char('+') || T[I] == QLatin1Char('-')))
        C += T[I++].toLatin1();
    int MantissaDigits = 0;
    while (I < N && T[I] >= QLatin1Char('0') && T[I] <= QLatin1Char('9')) {
        C += T[I++].toLatin1();
        ++MantissaDigits;
    }
    if (I < N && T[I] == DecimalSeparator) {
        C += '.';
        ++I;
        while (I < N && T[I] >= QLatin1Char('0') && T[I] <= QLatin1Char('9')) {
            C += T[I++].toLatin1();
            ++MantissaDigits;
        }
    }
    if (MantissaDigits == 0)
        return false;
    if (I < N && (T[I] == QLatin1Char('e') || T[I] == QLatin1Char('E'))) {
        C += 'e';
        ++I;
        if (I < N && (T[I] == QLatin1Char('+') || T[I] == QLatin1Char('-')))
            C += T[I++].toLatin1();
        int ExpDigits = 0;
        while (I < N && T[I] >= QLatin1Char('0') && T[I] <= QLatin1Char('9')) {
            C += T[I++].toLatin1();
            ++ExpDigits;
        }
        if (ExpDigits == 0)
            return false;
    }
    if (I != N)
        return false;
    // from_chars does not take a leading "+".
    const char *First = C.c_str();
    if (*First == '+')
        ++First;
    double V = 0;
    auto R = std::from_chars(First, C.c_str() + C.size(), V);
    if (R.ec != std::errc() || R.ptr != C.c_str() + C.size() || !std::isfinite(V))
        return false;
    Value = V;
    return true;
}

// ---------------------------------------------------------------------------------------
// Format
// ---------------------------------------------------------------------------------------

namespace {

bool IsIntegerVariant(const QVariant &V)
{
    switch (V.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool IsUnsigned64(const QVariant &V)
{
    return V.metaType().id() == QMetaType::ULongLong ||
           (V.metaType().id() == QMetaType::ULong && sizeof(unsigned long) == 8);
}

bool Is64(const QVariant &V)
{
    const int Id = V.metaType().id();
    return Id == QMetaType::LongLong || Id == QMetaType::ULongLong ||
           ((Id == QMetaType::Long || Id == QMetaType::ULong) && sizeof(long) == 8);
}

bool IsFloatVariant(const QVariant &V)
{
    const int Id = V.metaType().id();
    return Id == QMetaType::Double || Id == QMetaType::Float;
}

bool IsTextVariant(const QVariant &V)
{
    const int Id = V.metaType().id();
    return Id == QMetaType::QString || Id == QMetaType::QByteArray || Id == QMetaType::QChar || Id == QMetaType::Char;
}

QString VariantText(const QVariant &V)
{
    switch (V.metaType().id()) {
    case QMetaType::QByteArray:
        return QString::fromUtf8(V.toByteArray());
    case QMetaType::Char:
        return QString(QLatin1Char(V.value<char>()));
    default:
        return V.toString();
    }
}

// The unsigned two's-complement image of a signed value, 32 or 64 bits wide as its type.
quint64 UnsignedImage(const QVariant &V)
{
    if (IsUnsigned64(V))
        return V.toULongLong();
    const qint64 S = V.toLongLong();
    if (Is64(V))
        return static_cast<quint64>(S);
    return static_cast<quint32>(static_cast<qint32>(S));
}

QString PadDigits(QString Digits, int MinDigits)
{
    bool Negative = Digits.startsWith(QLatin1Char('-'));
    if (Negative)
        Digits.remove(0, 1);
    while (Digits.size() < MinDigits)
        Digits.prepend(QLatin1Char('0'));
    return Negative ? QLatin1Char('-') + Digits : Digits;
}

} // namespace

QString Format(const QString &Fmt, const QVariantList &Args)
{
    // The largest width, precision or argument index a format may ask for.
    constexpr qint64 MaxFormatNumber = 100000;
    auto Invalid = [&Fmt]() {
        return EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt));
    };
    auto Missing = [&Fmt]() { return EConvertError(QStringLiteral("No argument for format '%1'").arg(Fmt)); };

    QString Result;
    Result.reserve(Fmt.size() + 16 * Args.size());
    int ArgIndex = 0;
    const int N = Fmt.size();
    int I = 0;

    auto NextArg = [&]() -> const QVariant & {
        if (ArgIndex >= Args.size())
            throw Missing();
        return Args[ArgIndex++];
    };
    // A number or "*" (taken from the arguments); -1 when neither is there.
    auto ReadNumber = [&]() -> int {
        if (I < N && Fmt[I] == QLatin1Char('*')) {
            ++I;
            const QVariant &A = NextArg();
            if (!IsIntegerVariant(A))
                throw Invalid();
            // The same bounds as a written number: a 64-bit argument must not ask for a
            // width of gigabytes, nor wrap round to one when cut to int.
            const bool InRange = IsUnsigned64(A) ? A.toULongLong() <= quint64(MaxFormatNumber)
                                                 : A.toLongLong() >= 0 && A.toLongLong() <= MaxFormatNumber;
            if (!InRange)
                throw Invalid();
            return static_cast<int>(A.toLongLong());
        }
        if (I >= N || Fmt[I] < QLatin1Char('0') || Fmt[I] > QLatin1Char('9'))
            return -1;
        qint64 V = 0;
        while (I < N && Fmt[I] >= QLatin1Char('0') && Fmt[I] <= QLatin1Char('9')) {
            V = V * 10 + (Fmt[I].unicode() - '0');
            if (V > MaxFormatNumber)
                throw Invalid();
            ++I;
        }
        return static_cast<int>(V);
    };

    while (I < N) {
        const QChar C = Fmt[I];
        if (C != QLatin1Char('%')) {
            const int Start = I;
            while (I < N && Fmt[I] != QLatin1Char('%'))
                ++I;
            Result += QStringView(Fmt).mid(Start, I - Start);
            continue;
        }
        ++I;
        if (I >= N)
            throw Invalid();
        if (Fmt[I] == QLatin1Char('%')) {
            Result += QLatin1Char('%');
            ++I;
            continue;
        }
        bool Left = false;
        int Width = ReadNumber();
        if (Width >= 0 && I < N && Fmt[I] == QLatin1Char(':')) {
            ArgIndex = Width;
            ++I;
            Width = -1;
        }
        if (Width < 0) {
            if (I < N && Fmt[I] == QLatin1Char('-')) {
                Left = true;
                ++I;
            }
            Width = ReadNumber();
        }
        int Prec = -1;
        if (I < N && Fmt[I] == QLatin1Char('.')) {
            ++I;
            Prec = ReadNumber();
            if (Prec < 0)
                Prec = 0;
        }
        if (I >= N)
            throw Invalid();
        // Only an ASCII letter is a directive: a wider character must not pass for the letter
        // of its low byte.
        if (Fmt[I].unicode() > 0x7F)
            throw Invalid();
        const char Kind = static_cast<char>(Fmt[I].toLower().unicode());
        ++I;

        QString Piece;
        switch (Kind) {
        case 'd': {
            const QVariant &A = NextArg();
            if (!IsIntegerVariant(A))
                throw Invalid();
            Piece = IsUnsigned64(A) ? QString::number(A.toULongLong()) : QString::number(A.toLongLong());
            Piece = PadDigits(Piece, Prec);
            break;
        }
        case 'u': {
            const QVariant &A = NextArg();
            if (!IsIntegerVariant(A))
                throw Invalid();
            Piece = PadDigits(QString::number(UnsignedImage(A)), Prec);
            break;
        }
        case 'x': {
            const QVariant &A = NextArg();
            if (!IsIntegerVariant(A))
                throw Invalid();
            Piece = PadDigits(QString::number(UnsignedImage(A), 16).toUpper(), Prec);
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n': {
            const QVariant &A = NextArg();
            if (!IsFloatVariant(A))
                throw Invalid();
            const double V = A.toDouble();
            const QChar Sep = FormatSettings().DecimalSeparator;
            if (Kind == 'e')
                Piece = FloatToExponent(V, Sep, qBound(1, Prec < 0 ? 15 : Prec, 18), 3);
            else if (Kind == 'g')
                Piece = FloatToStrGeneral(V, Sep, Prec < 0 ? 15 : Prec, 3);
            else if (Kind == 'f')
                Piece = FloatToFixed(V, Sep, qMin(Prec < 0 ? 2 : Prec, 18));
            else
                Piece = std::isfinite(V) ? GroupThousands(FloatToFixed(V, Sep, qMin(Prec < 0 ? 2 : Prec, 18)), Sep)
                                         : SpecialFloat(V);
            break;
        }
        case 's': {
            const QVariant &A = NextArg();
            if (!IsTextVariant(A))
                throw Invalid();
            Piece = VariantText(A);
            if (Prec >= 0 && Piece.size() > Prec)
                Piece.truncate(Prec);
            break;
        }
        default:
            throw Invalid();
        }
        if (Width > Piece.size()) {
            const QString Pad(Width - Piece.size(), QLatin1Char(' '));
            Piece = Left ? Piece + Pad : Pad + Piece;
        }
        Result += Piece;
    }
    return Result;
}

// ---------------------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------------------

namespace {

inline ushort FoldAscii(ushort C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<ushort>(C + 32) : C;
}

const QCollator &Collator(bool CaseSensitive)
{
    static const QCollator Insensitive = [] {
        QCollator C(UserLocale());
        C.setCaseSensitivity(Qt::CaseInsensitive);
        return C;
    }();
    static const QCollator Sensitive = [] {
        QCollator C(UserLocale());
        C.setCaseSensitivity(Qt::CaseSensitive);
        return C;
    }();
    return CaseSensitive ? Sensitive : Insensitive;
}

inline bool IsTrimmed(QChar C)
{
    return C.unicode() <= ' ';
}

} // namespace

int CompareText(const QString &S1, const QString &S2)
{
    const int N = qMin(S1.size(), S2.size());
    for (int I = 0; I < N; ++I) {
        const int D = int(FoldAscii(S1[I].unicode())) - int(FoldAscii(S2[I].unicode()));
        if (D != 0)
            return D;
    }
    return S1.size() - S2.size();
}

bool SameText(const QString &S1, const QString &S2)
{
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int CompareStr(const QString &S1, const QString &S2)
{
    return QString::compare(S1, S2, Qt::CaseSensitive);
}

int AnsiCompareText(const QString &S1, const QString &S2)
{
    return Collator(false).compare(S1, S2);
}

int AnsiCompareStr(const QString &S1, const QString &S2)
{
    return Collator(true).compare(S1, S2);
}

QString LowerCaseAscii(const QString &S)
{
    QString R = S;
    for (QChar &C : R) {
        if (C.unicode() >= 'A' && C.unicode() <= 'Z')
            C = QChar(C.unicode() + 32);
    }
    return R;
}

QString UpperCaseAscii(const QString &S)
{
    QString R = S;
    for (QChar &C : R) {
        if (C.unicode() >= 'a' && C.unicode() <= 'z')
            C = QChar(C.unicode() - 32);
    }
    return R;
}

QString Trim(const QString &S)
{
    int First = 0;
    int Last = S.size() - 1;
    while (First <= Last && IsTrimmed(S[First]))
        ++First;
    while (Last >= First && IsTrimmed(S[Last]))
        --Last;
    return S.mid(First, Last - First + 1);
}

QString TrimLeft(const QString &S)
{
    int First = 0;
    while (First < S.size() && IsTrimmed(S[First]))
        ++First;
    return S.mid(First);
}

QString TrimRight(const QString &S)
{
    int Last = S.size() - 1;
    while (Last >= 0 && IsTrimmed(S[Last]))
        --Last;
    return S.left(Last + 1);
}

// ---------------------------------------------------------------------------------------
// Integers
// ---------------------------------------------------------------------------------------

namespace {

// Reads an integer; Bits is 32 or 64. Hexadecimal texts may use every bit (so "$FFFFFFFF"
// is -1 as a 32-bit value), decimal ones must fit the signed range.
bool ParseInteger(const QString &S, int Bits, qint64 &Value)
{
    int I = 0;
    const int N = S.size();
    while (I < N && S[I] == QLatin1Char(' '))
        ++I;
    bool Negative = false;
    if (I < N && (S[I] == QLatin1Char('+') || S[I] == QLatin1Char('-'))) {
        Negative = S[I] == QLatin1Char('-');
        ++I;
    }
    bool Hex = false;
    if (I < N && S[I] == QLatin1Char('$')) {
        Hex = true;
        ++I;
    } else if (I + 1 < N && S[I] == QLatin1Char('0') &&
               (S[I + 1] == QLatin1Char('x') || S[I + 1] == QLatin1Char('X'))) {
        Hex = true;
        I += 2;
    } else if (I < N && (S[I] == QLatin1Char('x') || S[I] == QLatin1Char('X'))) {
        Hex = true;
        ++I;
    }
    if (I >= N)
        return false;
    quint64 Acc = 0;
    const quint64 HexLimit = Bits == 32 ? 0xFFFFFFFFull : std::numeric_limits<quint64>::max();
    const quint64 DecLimit = Bits == 32 ? (Negative ? 2147483648ull : 2147483647ull)
                                        : (Negative ? 9223372036854775808ull : 9223372036854775807ull);
    for (; I < N; ++I) {
        const ushort C = S[I].unicode();
        int Digit;
        if (C >= '0' && C <= '9')
            Digit = C - '0';
        else if (Hex && C >= 'a' && C <= 'f')
            Digit = C - 'a' + 10;
        else if (Hex && C >= 'A' && C <= 'F')
            Digit = C - 'A' + 10;
        else
            return false;
        const quint64 Base = Hex ? 16 : 10;
        const quint64 Limit = Hex ? HexLimit : DecLimit;
        if (Acc > (Limit - Digit) / Base)
            return false;
        Acc = Acc * Base + Digit;
    }
    qint64 V;
    if (Hex)
        V = Bits == 32 ? static_cast<qint32>(static_cast<quint32>(Acc)) : static_cast<qint64>(Acc);
    else
        V = Negative ? static_cast<qint64>(0 - Acc) : static_cast<qint64>(Acc);
    if (Hex && Negative)
        V = Bits == 32 ? static_cast<qint32>(0u - static_cast<quint32>(V)) : static_cast<qint64>(0ull - quint64(V));
    Value = V;
    return true;
}

EConvertError InvalidInteger(const QString &S)
{
    return EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
}

} // namespace

bool TryStrToInt(const QString &S, int &Value)
{
    qint64 V = 0;
    if (!ParseInteger(S, 32, V))
        return false;
    Value = static_cast<int>(V);
    return true;
}

int StrToInt(const QString &S)
{
    int V = 0;
    if (!TryStrToInt(S, V))
        throw InvalidInteger(S);
    return V;
}

int StrToIntDef(const QString &S, int Default)
{
    int V = 0;
    return TryStrToInt(S, V) ? V : Default;
}

bool TryStrToInt64(const QString &S, qint64 &Value)
{
    return ParseInteger(S, 64, Value);
}

qint64 StrToInt64(const QString &S)
{
    qint64 V = 0;
    if (!TryStrToInt64(S, V))
        throw InvalidInteger(S);
    return V;
}

qint64 StrToInt64Def(const QString &S, qint64 Default)
{
    qint64 V = 0;
    return TryStrToInt64(S, V) ? V : Default;
}

// ---------------------------------------------------------------------------------------
// Locale
// ---------------------------------------------------------------------------------------

QLocale UserLocale()
{
    return QLocale(QLocale::French, QLocale::France);
}

const TFormatSettings &FormatSettings()
{
    static const TFormatSettings Settings;
    return Settings;
}

// ---------------------------------------------------------------------------------------
// Date and time
// ---------------------------------------------------------------------------------------

namespace {

const QDate &BaseDate()
{
    static const QDate D(1899, 12, 30);
    return D;
}

constexpr qint64 MSecsPerDayInt = 86400000;

// Days and milliseconds of the day of a value, rounded to the millisecond as a whole so
// that 23:59:59.9996 becomes the next day.
void SplitDateTime(TDateTime Value, qint64 &Days, qint64 &MSecs)
{
    // Beyond year 9999 the parts mean nothing; clamp so that the arithmetic stays defined.
    if (!std::isfinite(Value) || std::fabs(Value) > 3000000.0) {
        Days = 0;
        MSecs = 0;
        return;
    }
    const qint64 Total = std::llround(Value * MSecsPerDay);
    Days = Total / MSecsPerDayInt;
    MSecs = std::llabs(Total) % MSecsPerDayInt;
}

TDateTime Compose(qint64 Days, qint64 MSecs)
{
    const double Time = double(MSecs) / MSecsPerDay;
    return Days >= 0 ? double(Days) + Time : double(Days) - Time;
}

std::function<TDateTime()> &NowFunction()
{
    static std::function<TDateTime()> Fn;
    return Fn;
}

} // namespace

bool TryEncodeDate(int Year, int Month, int Day, TDateTime &Value)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31)
        return false;
    const QDate D(Year, Month, Day);
    if (!D.isValid())
        return false;
    Value = double(BaseDate().daysTo(D));
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime V = 0;
    if (!TryEncodeDate(Year, Month, Day, V))
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return V;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime &Value)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    Value = double(((qint64(Hour) * 60 + Min) * 60 + Sec) * 1000 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime V = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, V))
        throw EConvertError(QStringLiteral("Invalid argument to time encode"));
    return V;
}

void DecodeDate(TDateTime Value, int &Year, int &Month, int &Day)
{
    const QDate D = DateTimeToQDate(Value);
    Year = D.year();
    Month = D.month();
    Day = D.day();
}

void DecodeTime(TDateTime Value, int &Hour, int &Min, int &Sec, int &MSec)
{
    qint64 Days = 0;
    qint64 MSecs = 0;
    SplitDateTime(Value, Days, MSecs);
    MSec = int(MSecs % 1000);
    Sec = int(MSecs / 1000 % 60);
    Min = int(MSecs / 60000 % 60);
    Hour = int(MSecs / 3600000);
}

int DayOfWeek(TDateTime Value)
{
    return DateTimeToQDate(Value).dayOfWeek() % 7 + 1;
}

TDateTime DateOf(TDateTime Value)
{
    qint64 Days = 0;
    qint64 MSecs = 0;
    SplitDateTime(Value, Days, MSecs);
    return double(Days);
}

TDateTime TimeOf(TDateTime Value)
{
    qint64 Days = 0;
    qint64 MSecs = 0;
    SplitDateTime(Value, Days, MSecs);
    return double(MSecs) / MSecsPerDay;
}

TDateTime IncDay(TDateTime Value, int Days)
{
    qint64 D = 0;
    qint64 MSecs = 0;
    SplitDateTime(Value, D, MSecs);
    return Compose(D + Days, MSecs);
}

int DaysBetween(TDateTime A, TDateTime B)
{
    // Half a millisecond absorbs the rounding of times computed from parts.
    const double Span = std::trunc(std::fabs(A - B) + 0.5 / MSecsPerDay);
    // Beyond int (or not a number at all) the conversion would be undefined: such spans
    // lie far outside any calendar the program handles, so they count as the largest.
    if (!(Span < 2147483647.0))
        return std::numeric_limits<int>::max();
    return int(Span);
}

TDateTime Now()
{
    const auto &Fn = NowFunction();
    if (Fn)
        return Fn();
    return QDateTimeToDateTime(QDateTime::currentDateTime());
}

TDateTime Today()
{
    return DateOf(Now());
}

void SetNowFunction(std::function<TDateTime()> Fn)
{
    NowFunction() = std::move(Fn);
}

TDateTime QDateTimeToDateTime(const QDateTime &Value)
{
    if (!Value.isValid())
        return 0;
    const QDateTime Local = Value.toLocalTime();
    return Compose(BaseDate().daysTo(Local.date()), Local.time().msecsSinceStartOfDay());
}

TDateTime QDateToDateTime(const QDate &Value)
{
    return Value.isValid() ? double(BaseDate().daysTo(Value)) : 0;
}

TDateTime QTimeToDateTime(const QTime &Value)
{
    return Value.isValid() ? double(Value.msecsSinceStartOfDay()) / MSecsPerDay : 0;
}

QDateTime DateTimeToQDateTime(TDateTime Value)
{
    return QDateTime(DateTimeToQDate(Value), DateTimeToQTime(Value));
}

QDate DateTimeToQDate(TDateTime Value)
{
    qint64 Days = 0;
    qint64 MSecs = 0;
    SplitDateTime(Value, Days, MSecs);
    return BaseDate().addDays(Days);
}

QTime DateTimeToQTime(TDateTime Value)
{
    qint64 Days = 0;
    qint64 MSecs = 0;
    SplitDateTime(Value, Days, MSecs);
    return QTime::fromMSecsSinceStartOfDay(int(MSecs));
}

// ---------------------------------------------------------------------------------------
// FormatDateTime
// ---------------------------------------------------------------------------------------

namespace {

QString Number(int Value, int MinDigits)
{
    return QStringLiteral("%1").arg(Value, MinDigits, 10, QLatin1Char('0'));
}

void AppendFormat(QString &Out, const QString &Pattern, TDateTime Value, int Depth)
{
    // Nested short and long forms ("c", "ddddd") cannot recurse further than this.
    if (Depth > 2)
        return;
    const TFormatSettings &FS = FormatSettings();
    const QLocale Locale = UserLocale();
    int Year, Month, Day, Hour, Min, Sec, MSec;
    DecodeDate(Value, Year, Month, Day);
    DecodeTime(Value, Hour, Min, Sec, MSec);
    const QDate Date = DateTimeToQDate(Value);

    const int N = Pattern.size();
    int I = 0;
    char LastToken = 0;
    while (I < N) {
        const QChar C = Pattern[I];
        char Token = C.unicode() < 128 ? char(QChar::toUpper(C.unicode())) : 0;
        if (Token >= 'A' && Token <= 'Z') {
            if (Token == 'M' && LastToken == 'H')
                Token = 'N';
            LastToken = Token;
        }
        auto Count = [&](char Letter) {
            int K = 0;
            while (I < N && Pattern[I].unicode() < 128 && QChar::toUpper(Pattern[I].unicode()) == char16_t(Letter)) {
                ++K;
                ++I;
            }
            return K;
        };
        switch (Token) {
        case 'Y': {
            const int K = Count('Y');
            Out += K <= 2 ? Number(Year % 100, 2) : Number(Year, 4);
            break;
        }
        case 'M': {
            const int K = Count('M');
            if (K == 1)
                Out += QString::number(Month);
            else if (K == 2)
                Out += Number(Month, 2);
            else if (K == 3)
                Out += Locale.monthName(Month, QLocale::ShortFormat);
            else
                Out += Locale.monthName(Month, QLocale::LongFormat);
            break;
        }
        case 'D': {
            const int K = Count('D');
            if (K == 1)
                Out += QString::number(Day);
            else if (K == 2)
                Out += Number(Day, 2);
            else if (K == 3)
                Out += Locale.dayName(Date.dayOfWeek(), QLocale::ShortFormat);
            else if (K == 4)
                Out += Locale.dayName(Date.dayOfWeek(), QLocale::LongFormat);
            else if (K == 5)
                AppendFormat(Out, FS.ShortDateFormat, Value, Depth + 1);
            else
                AppendFormat(Out, FS.LongDateFormat, Value, Depth + 1);
            break;
        }
        case 'H': {
            const int K = Count('H');
            Out += K == 1 ? QString::number(Hour) : Number(Hour, 2);
            break;
        }
        case 'N': {
            // "m" after an hour stands for minutes; count the letter actually written.
            const int K = Count(char(QChar::toUpper(C.unicode())));
            Out += K == 1 ? QString::number(Min) : Number(Min, 2);
            break;
        }
        case 'S': {
            const int K = Count('S');
            Out += K == 1 ? QString::number(Sec) : Number(Sec, 2);
            break;
        }
        case 'Z': {
            const int K = Count('Z');
            Out += K >= 3 ? Number(MSec, 3) : QString::number(MSec);
            break;
        }
        case 'T': {
            const int K = Count('T');
            AppendFormat(Out, K == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, Value, Depth + 1);
            break;
        }
        case 'C': {
            Count('C');
            AppendFormat(Out, FS.ShortDateFormat, Value, Depth + 1);
            if (Hour != 0 || Min != 0 || Sec != 0 || MSec != 0) {
                Out += QLatin1Char(' ');
                AppendFormat(Out, FS.LongTimeFormat, Value, Depth + 1);
            }
            break;
        }
        default:
            if (C == QLatin1Char('/')) {
                Out += FS.DateSeparator;
                ++I;
            } else if (C == QLatin1Char(':')) {
                Out += FS.TimeSeparator;
                ++I;
            } else if (C == QLatin1Char('"') || C == QLatin1Char('\'')) {
                const int Close = Pattern.indexOf(C, I + 1);
                const int End = Close < 0 ? N : Close;
                Out += QStringView(Pattern).mid(I + 1, End - I - 1);
                I = Close < 0 ? N : Close + 1;
            } else {
                Out += C;
                ++I;
            }
            break;
        }
    }
}

// Reads an unsigned decimal number of at most MaxDigits digits at S[I]; -1 when none.
int ScanNumber(const QString &S, int &I, int MaxDigits, int &Digits)
{
    int V = 0;
    Digits = 0;
    while (I < S.size() && S[I] >= QLatin1Char('0') && S[I] <= QLatin1Char('9') && Digits < MaxDigits) {
        V = V * 10 + (S[I].unicode() - '0');
        ++I;
        ++Digits;
    }
    return Digits == 0 ? -1 : V;
}

void SkipBlanks(const QString &S, int &I)
{
    while (I < S.size() && S[I] == QLatin1Char(' '))
        ++I;
}

bool ScanDate(const QString &S, int &I, TDateTime &Value)
{
    const QChar Sep = FormatSettings().DateSeparator;
    SkipBlanks(S, I);
    int Digits = 0;
    const int Day = ScanNumber(S, I, 2, Digits);
    if (Day < 0 || I >= S.size() || S[I] != Sep)
        return false;
    ++I;
    const int Month = ScanNumber(S, I, 2, Digits);
    if (Month < 0)
        return false;
    int Year = QDate::currentDate().year();
    if (I < S.size() && S[I] == Sep) {
        ++I;
        Year = ScanNumber(S, I, 4, Digits);
        if (Year < 0)
            return false;
        if (Digits <= 2) {
            // A short year lies within 50 years of the current one.
            const int Current = QDate::currentDate().year();
            int Century = Current - 50;
            Year += Century - Century % 100;
            if (Year < Century)
                Year += 100;
        }
    }
    return TryEncodeDate(Year, Month, Day, Value);
}

bool ScanTime(const QString &S, int &I, TDateTime &Value)
{
    const QChar Sep = FormatSettings().TimeSeparator;
    SkipBlanks(S, I);
    int Digits = 0;
    const int Hour = ScanNumber(S, I, 2, Digits);
    if (Hour < 0 || I >= S.size() || S[I] != Sep)
        return false;
    ++I;
    const int Min = ScanNumber(S, I, 2, Digits);
    if (Min < 0)
        return false;
    int Sec = 0;
    if (I < S.size() && S[I] == Sep) {
        ++I;
        Sec = ScanNumber(S, I, 2, Digits);
        if (Sec < 0)
            return false;
    }
    return TryEncodeTime(Hour, Min, Sec, 0, Value);
}

} // namespace

QString FormatDateTime(const QString &Pattern, TDateTime Value)
{
    QString Out;
    AppendFormat(Out, Pattern, Value, 0);
    return Out;
}

QString DateToStr(TDateTime Value)
{
    return FormatDateTime(FormatSettings().ShortDateFormat, Value);
}

QString TimeToStr(TDateTime Value)
{
    return FormatDateTime(FormatSettings().LongTimeFormat, Value);
}

QString DateTimeToStr(TDateTime Value)
{
    return FormatDateTime(QStringLiteral("c"), Value);
}

bool TryStrToDate(const QString &S, TDateTime &Value)
{
    int I = 0;
    TDateTime D = 0;
    if (!ScanDate(S, I, D))
        return false;
    SkipBlanks(S, I);
    if (I != S.size())
        return false;
    Value = D;
    return true;
}

TDateTime StrToDate(const QString &S)
{
    TDateTime V = 0;
    if (!TryStrToDate(S, V))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(S));
    return V;
}

bool TryStrToDateTime(const QString &S, TDateTime &Value)
{
    int I = 0;
    TDateTime D = 0;
    if (!ScanDate(S, I, D))
        return false;
    TDateTime T = 0;
    SkipBlanks(S, I);
    if (I < S.size() && !ScanTime(S, I, T))
        return false;
    SkipBlanks(S, I);
    if (I != S.size())
        return false;
    qint64 Days = 0;
    qint64 MSecs = 0;
    SplitDateTime(T, Days, MSecs);
    Value = Compose(qint64(D), MSecs);
    return true;
}

TDateTime StrToDateTime(const QString &S)
{
    TDateTime V = 0;
    if (!TryStrToDateTime(S, V))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(S));
    return V;
}
