#include "KVXConversion.h"

#include <cmath>

#include "KVXRegExpr.h"

QString KVXDateTimeToString(quint8 Kind, bool EmptyIfZero, TDateTime Value)
{
    if (EmptyIfZero && Value == 0)
        return QString();
    switch (Kind) {
    case dtkDate:
        return FormatDateTime(QStringLiteral("yyyy-mm-dd"), Value);
    case dtkDateTime:
        return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), Value);
    case dtkTime:
        return FormatDateTime(QStringLiteral("hh:nn:ss"), Value);
    case dtkShortTime:
        return FormatDateTime(QStringLiteral("hh:nn"), Value);
    case dtkDateShortTime:
        return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn"), Value);
    case dtkFileStamp:
        return FormatDateTime(QStringLiteral("yyyymmdd-hhnnss"), Value);
    default:
        return QString();
    }
}

namespace {

// The decimal number at positions First..Last of Text (counted from 1); the shape checks
// made before guarantee digits there.
int Field(const QString &Text, int First, int Last)
{
    return Text.mid(First - 1, Last - First + 1).toInt();
}

TDateTime ParseDateTime(const QString &Text)
{
    struct TForm
    {
        const char *Pattern;
        const char *Message;
    };
    TForm Form{nullptr, nullptr};
    switch (Text.size()) {
    case 5:
        Form = {"[0-2]\\d:[0-5]\\d", "The value \"%s\" is not a valid time value"};
        break;
    case 8:
        Form = {"[0-2]\\d:[0-5]\\d:[0-5]\\d", "The value \"%s\" is not a valid time value"};
        break;
    case 10:
        Form = {"\\d{4}-[0-1]\\d-[0-3]\\d", "The value \"%s\" is not a valid internal date value"};
        break;
    case 19:
        Form = {"\\d{4}-[0-1]\\d-[0-3]\\d [0-2]\\d:[0-5]\\d:[0-5]\\d",
                "The value \"%s\" is not a valid internal datetime value"};
        break;
    default:
        throw Exception(QStringLiteral("The value \"%s\" has not a valid length"), {Text});
    }
    if (!KVXFullMatch(Text, QLatin1String(Form.Pattern), true, false, false, true))
        throw Exception(QLatin1String(Form.Message), {Text});
    switch (Text.size()) {
    case 5:
        return EncodeTime(Field(Text, 1, 2), Field(Text, 4, 5), 0, 0);
    case 8:
        return EncodeTime(Field(Text, 1, 2), Field(Text, 4, 5), Field(Text, 7, 8), 0);
    case 10:
        return EncodeDate(Field(Text, 1, 4), Field(Text, 6, 7), Field(Text, 9, 10));
    default: {
        const TDateTime Date = EncodeDate(Field(Text, 1, 4), Field(Text, 6, 7), Field(Text, 9, 10));
        const TDateTime Time = EncodeTime(Field(Text, 12, 13), Field(Text, 15, 16), Field(Text, 18, 19), 0);
        // Before 30 December 1899 the day count is negative while the time of day still
        // runs forward.
        return Date >= 0 ? Date + Time : Date - Time;
    }
    }
}

} // namespace

TDateTime KVXStringToDateTime(const QString &Text, bool RaiseOnError, TDateTime Default)
{
    try {
        return ParseDateTime(Text);
    } catch (const Exception &E) {
        if (RaiseOnError)
            throw Exception(QStringLiteral("KVXStringToDateTime : ") + E.Message);
        return Default;
    }
}

double KVXStringToFloat(const QString &Text, double Default)
{
    QString T = Text;
    T.replace(QLatin1Char(','), QLatin1Char('.'));
    double V = 0;
    return TryStrToFloat(T, V, QLatin1Char('.')) ? V : Default;
}

QString KVXFloatToString(double Value)
{
    const QString Text = FloatToStrGeneral(Value, QLatin1Char('.'));
    // Rounded to 15 digits, the largest doubles pass the end of the range and would not read
    // back: those alone get the 17 digits that always do.
    double Back = 0;
    if (std::isfinite(Value) && !TryStrToFloat(Text, Back, QLatin1Char('.')))
        return FloatToStrGeneral(Value, QLatin1Char('.'), 17);
    return Text;
}
