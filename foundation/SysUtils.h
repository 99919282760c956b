// Basic routines every layer of the program shares: the base exception, Format, text
// comparison and trimming, integer and float texts, and the date-time value with its
// French formatting.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVariantList>

#include <exception>
#include <functional>

// ---------------------------------------------------------------------------------------
// Exceptions
// ---------------------------------------------------------------------------------------

// Base of every exception the program raises: a technical message. Catch handlers of the
// program catch `Exception &` and read `Message`.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &Msg);
    // The message is Format(Fmt, Args).
    Exception(const QString &Fmt, const QVariantList &Args);

    // The message as UTF-8; stays valid until the next call or until Message changes.
    const char *what() const noexcept override;

    QString Message;
    int HelpContext = 0;

private:
    mutable QByteArray FWhat;
};

// A text that does not convert to the wanted value (number, date, format argument).
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A failed file operation; ErrorCode follows the Windows numbering where one exists
// (2 file not found, 3 invalid file name, 4 too many open files, 5 access denied,
// 101 disk full), else it is the system's errno.
class EInOutError : public Exception
{
public:
    EInOutError(int Code, const QString &Msg) : Exception(Msg), ErrorCode(Code) {}
    // The error of the C library's errno value, with the message of its code.
    static EInOutError FromErrno(int Errno);

    int ErrorCode = 0;
};

// A string list misused: an index outside the list, an insertion into a sorted list.
class EStringListError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be opened by name: 'Cannot open file "%s". %s'.
class EFOpenError : public Exception
{
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------------------------------
// Format
// ---------------------------------------------------------------------------------------

// Formats Args into Fmt by the directives %s, %d, %u, %x, %e, %f, %g, %n and %%, each
// with an optional index ("%1:s"), "-" for left alignment, a width and a precision ("*" takes
// them from the arguments). %d, %u and %x take integers, %e, %f, %g and %n floats (written
// with the French decimal separator ","), %s texts. A directive whose argument is missing
// raises EConvertError "No argument for format '%s'"; one whose argument has the wrong type,
// or an unknown directive, raises "Format '%s' invalid or incompatible with argument".
QString Format(const QString &Fmt, const QVariantList &Args);

// ---------------------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------------------

// Ordinal comparison in which only the letters A to Z are folded to lower case; returns
// a negative number, 0 or a positive number.
int CompareText(const QString &S1, const QString &S2);
// CompareText(S1, S2) == 0.
bool SameText(const QString &S1, const QString &S2);
// Ordinal, case-sensitive comparison.
int CompareStr(const QString &S1, const QString &S2);
// Comparison by the user's locale without regard to case (accents still count).
int AnsiCompareText(const QString &S1, const QString &S2);
// Comparison by the user's locale, case-sensitive.
int AnsiCompareStr(const QString &S1, const QString &S2);
// Only A..Z change.
QString LowerCaseAscii(const QString &S);
// Only a..z change.
QString UpperCaseAscii(const QString &S);
// Removes the blanks and control characters (codes up to 32) at both ends / one end.
QString Trim(const QString &S);
QString TrimLeft(const QString &S);
QString TrimRight(const QString &S);

// ---------------------------------------------------------------------------------------
// Numbers as text
// ---------------------------------------------------------------------------------------

// Decimal integer with optional blanks before it and an optional sign; "$", "0x" or "x"
// introduce hexadecimal. StrToInt raises EConvertError "'%s' is not a valid integer value".
bool TryStrToInt(const QString &S, int &Value);
int StrToInt(const QString &S);
int StrToIntDef(const QString &S, int Default);
bool TryStrToInt64(const QString &S, qint64 &Value);
qint64 StrToInt64(const QString &S);
qint64 StrToInt64Def(const QString &S, qint64 Default);

// A decimal number with DecimalSeparator as its only separator, optional sign, optional
// exponent, blanks allowed around it and nothing else.
bool TryStrToFloat(const QString &S, double &Value, QChar DecimalSeparator);
// The general float form: shortest text of up to Precision significant digits, scientific
// ("1E20", "1,5E-7") when the number has more than Precision integer digits or is below
// 0.00001; the exponent has at least ExpDigits digits and a sign only when negative.
QString FloatToStrGeneral(double Value, QChar DecimalSeparator, int Precision = 15, int ExpDigits = 0);
// FloatToStrGeneral with the user's decimal separator ",".
QString FloatToStr(double Value);

// ---------------------------------------------------------------------------------------
// Locale
// ---------------------------------------------------------------------------------------

// The user's locale: French (France).
QLocale UserLocale();

// The program's fixed locale settings, the Windows French (France) ones. Date and time
// formats are written with the pattern letters of FormatDateTime.
struct TFormatSettings
{
    QChar DecimalSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString LongDateFormat = QStringLiteral("dddd d mmmm yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
};
const TFormatSettings &FormatSettings();

// ---------------------------------------------------------------------------------------
// Date and time
// ---------------------------------------------------------------------------------------

// Days since 30 December 1899 in local time; the fraction is the time of day. A negative
// value counts days before that date and its fraction is still a time of day (-1.25 is
// 29 December 1899 at 06:00).
using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24 * 60 * 60 * 1000.0;

// Year 1..9999; EncodeDate raises EConvertError "Invalid argument to date encode".
bool TryEncodeDate(int Year, int Month, int Day, TDateTime &Value);
TDateTime EncodeDate(int Year, int Month, int Day);
// Hour 0..23, minutes and seconds 0..59, milliseconds 0..999; EncodeTime raises
// EConvertError "Invalid argument to time encode".
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime &Value);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// Date and time parts of a value (rounded to the millisecond).
void DecodeDate(TDateTime Value, int &Year, int &Month, int &Day);
void DecodeTime(TDateTime Value, int &Hour, int &Min, int &Sec, int &MSec);
// Day of the week, 1 Sunday .. 7 Saturday.
int DayOfWeek(TDateTime Value);
// The date without its time / the time without its date.
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);
// Adds whole days, keeping the time of day.
TDateTime IncDay(TDateTime Value, int Days = 1);
// Whole days between two values (fraction dropped), never negative; a span beyond int
// gives the largest int.
int DaysBetween(TDateTime A, TDateTime B);

// The current local date and time / today at midnight. Tests replace the clock with
// SetNowFunction (an empty function restores the system clock).
TDateTime Now();
TDateTime Today();
void SetNowFunction(std::function<TDateTime()> Fn);

// Conversions with Qt's values; an invalid QDate/QDateTime gives 0, 0 converts to
// 30 December 1899 at midnight.
TDateTime QDateTimeToDateTime(const QDateTime &Value);
TDateTime QDateToDateTime(const QDate &Value);
TDateTime QTimeToDateTime(const QTime &Value);
QDateTime DateTimeToQDateTime(TDateTime Value);
QDate DateTimeToQDate(TDateTime Value);
QTime DateTimeToQTime(TDateTime Value);

// Formats Value with these pattern letters: d dd ddd dddd ddddd dddddd,
// m mm mmm mmmm (minutes right after h or hh), yy yyyy, h hh, n nn, s ss, z zzz,
// c (short date and long time), t tt (short and long time), "/" and ":" (the locale's
// separators), and literal text between single or double quotes. Names are French.
QString FormatDateTime(const QString &Pattern, TDateTime Value);
// Short date "dd/mm/yyyy".
QString DateToStr(TDateTime Value);
// Long time "hh:nn:ss".
QString TimeToStr(TDateTime Value);
// Short date, then a blank and the long time unless the time is midnight.
QString DateTimeToStr(TDateTime Value);
// Reads the short date form (day, month, year in that order, separated by "/"; a year of
// one or two digits belongs to the century window of 50 years around today), optionally
// followed by a time "h:n" or "h:n:s". StrToDate raises EConvertError "'%s' is not a valid
// date", StrToDateTime "'%s' is not a valid date and time".
bool TryStrToDate(const QString &S, TDateTime &Value);
TDateTime StrToDate(const QString &S);
bool TryStrToDateTime(const QString &S, TDateTime &Value);
TDateTime StrToDateTime(const QString &S);
