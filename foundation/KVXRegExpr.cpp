#include "KVXRegExpr.h"

#include "SysUtils.h"

#include <QRegularExpression>

QString KVXSubExpr(const QString &Input, const QString &Pattern, int Index, bool CaseSensitive, bool Greedy,
                   bool MultiLine, bool SingleLine, const QString &Default)
{
    QRegularExpression::PatternOptions Options = QRegularExpression::NoPatternOption;
    if (!CaseSensitive)
        Options |= QRegularExpression::CaseInsensitiveOption;
    if (!Greedy)
        Options |= QRegularExpression::InvertedGreedinessOption;
    if (MultiLine)
        Options |= QRegularExpression::MultilineOption;
    if (SingleLine)
        Options |= QRegularExpression::DotMatchesEverythingOption;
    const QRegularExpression Re(Pattern, Options);
    if (!Re.isValid())
        throw Exception(QStringLiteral("KVXSubExpr: ") + Re.errorString());
    const QRegularExpressionMatch M = Re.match(Input);
    if (!M.hasMatch())
        return Default;
    // The number of the last group that took part in the match, as the expression library
    // counts "sub-expressions matched".
    const int Matched = M.lastCapturedIndex();
    if (Matched != 0 && Index >= 0 && Index <= Matched)
        return M.captured(Index);
    return M.captured(0);
}

QString KVXFirstSubExpr(const QString &Input, const QString &Pattern, bool CaseSensitive, bool Greedy,
                        const QString &Default)
{
    return KVXSubExpr(Input, Pattern, 1, CaseSensitive, Greedy, false, true, Default);
}

bool KVXFullMatch(const QString &Input, const QString &Pattern, bool CaseSensitive, bool Greedy, bool MultiLine,
                  bool SingleLine)
{
    const QString Match = KVXSubExpr(Input, Pattern, 0, CaseSensitive, Greedy, MultiLine, SingleLine, QString());
    return !Input.isEmpty() && Match.size() == Input.size();
}
