// Dates, numbers and Format: every text and every double is read, written or refused with the
// program's own exception, never with undefined behaviour; a number written in full reads
// back the same.
#include "FuzzSupport.h"
#include "KVXConversion.h"

#include <cmath>
#include <cstring>

namespace {

void Numbers(const QString &Text)
{
    for (const QChar Separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        double V = 0;
        if (!TryStrToFloat(Text, V, Separator))
            continue;
        FUZZ_CHECK(std::isfinite(V), "a number text read as infinity");
        double Back = 0;
        FUZZ_CHECK(TryStrToFloat(FloatToStrGeneral(V, Separator, 17), Back, Separator) && Back == V,
                   "17 digits do not read back");
    }
    KVXStringToFloat(Text, 0);
    qint64 I = 0;
    if (TryStrToInt64(Text, I))
        FUZZ_CHECK(StrToInt64(QString::number(I)) == I, "an integer does not read back");
    StrToIntDef(Text, 0);
}

void Dates(const QString &Text)
{
    KVXStringToDateTime(Text, false, 0);
    try {
        KVXStringToDateTime(Text, true, 0);
    } catch (const Exception &) {
    }
    TDateTime V = 0;
    if (TryStrToDateTime(Text, V))
        DateTimeToStr(V);
    if (TryStrToDate(Text, V))
        DateToStr(V);
}

void Formats(const QString &Text)
{
    try {
        // Index 7 is a width that fits an int but not the bounds of a written width.
        const QVariantList Args = {7,
                                   qint64(-9000000000),
                                   2.5,
                                   QStringLiteral("abc"),
                                   quint64(1) << 40,
                                   -1,
                                   QStringLiteral("é"),
                                   qint64(1600000000),
                                   12};
        const QString Result = Format(Text, Args);
        FUZZ_CHECK(Result.size() <= Text.size() * 100100, "a piece longer than the widths allow");
    } catch (const Exception &) {
    }
}

void Doubles(const uint8_t *Data, size_t Size)
{
    if (Size < 9)
        return;
    double D = 0;
    std::memcpy(&D, Data + 1, sizeof D);
    DaysBetween(D, 0);
    if (!std::isfinite(D))
        return;
    double Back = 0;
    FUZZ_CHECK(TryStrToFloat(KVXFloatToString(D), Back, QLatin1Char('.')), "a float text does not read");
    FloatToStr(D);
    Format(QStringLiteral("%g %.3f %e %n"), {D, D, D, D});
    // Dates within the calendar the program writes: years 1 to 9999.
    if (D > -693593 && D < 2958466) {
        for (quint8 Kind = 0; Kind <= 5; ++Kind)
            KVXDateTimeToString(Kind, false, D);
        DateTimeToStr(D);
        IncDay(D, 7);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size == 0 || Size > 4096)
        return 0;
    const QString Text = FuzzText(Data + 1, Size - 1);
    switch (Data[0] % 4) {
    case 0:
        Numbers(Text);
        break;
    case 1:
        Dates(Text);
        break;
    case 2:
        Formats(Text);
        break;
    default:
        Doubles(Data, Size);
        break;
    }
    return 0;
}
