#include "KVXUtils.h"

#include "KVXRegExpr.h"
#include "KVXStringList.h"
#include "SysUtils.h"

qint64 KVXEnsureRange(qint64 Value, qint64 Min, qint64 Max)
{
    if (Min > Max)
        throw Exception(QStringLiteral("The minimal limit (%d) must be lower than the maximal limit (%d)"), {Min, Max});
    qint64 R = Value;
    if (R < Min)
        R = Min;
    if (R > Max)
        R = Max;
    return R;
}

bool KVXInRange(qint64 Value, qint64 Min, qint64 Max)
{
    return KVXEnsureRange(Value, Min, Max) == Value;
}

bool KVXIsVersion(const QString &S)
{
    return KVXFullMatch(S, QStringLiteral("(\\d+(\\.\\d+)*)"), false, true, false, true);
}

int KVXCompareVersion(const QString &Version1, const QString &Version2)
{
    try {
        if (!KVXIsVersion(Version1))
            throw Exception(QStringLiteral("The version 1 \"%s\" is not a correct version"), {Version1});
        if (!KVXIsVersion(Version2))
            throw Exception(QStringLiteral("The version 2 \"%s\" is not a correct version"), {Version2});
        TKVXStringList Parts1;
        TKVXStringList Parts2;
        Parts1.Split(Version1, QStringLiteral("."), true);
        Parts2.Split(Version2, QStringLiteral("."), true);
        while (Parts1.Count() < Parts2.Count())
            Parts1.Add(QStringLiteral("0"));
        while (Parts2.Count() < Parts1.Count())
            Parts2.Add(QStringLiteral("0"));
        for (int I = 0; I < Parts1.Count(); ++I) {
            const int N1 = StrToInt(Parts1[I]);
            const int N2 = StrToInt(Parts2[I]);
            if (N2 > N1)
                return -1;
            if (N2 < N1)
                return 1;
        }
        return 0;
    } catch (const Exception &E) {
        throw Exception(QStringLiteral("KVXCompareVersion: ") + E.Message);
    }
}
