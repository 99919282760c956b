// One-call regular-expression extraction (Perl-style syntax).
#pragma once

#include <QString>

// Searches Input once for Pattern and returns sub-expression Index of the first match (""
// when that group took no part); an Index outside 0..the last group that matched gives the
// whole match; no match gives Default. CaseSensitive false = modifier i; Greedy false makes
// every quantifier lazy; MultiLine = m ("^" and "$" at every line); SingleLine = s ("."
// matches line breaks). An invalid pattern raises Exception "KVXSubExpr: " + the reason.
QString KVXSubExpr(const QString &Input, const QString &Pattern, int Index, bool CaseSensitive, bool Greedy,
                   bool MultiLine, bool SingleLine, const QString &Default);
// KVXSubExpr with Index 1, MultiLine false and SingleLine true.
QString KVXFirstSubExpr(const QString &Input, const QString &Pattern, bool CaseSensitive, bool Greedy,
                        const QString &Default);
// True when Input is not empty and the first match covers the whole of it.
bool KVXFullMatch(const QString &Input, const QString &Pattern, bool CaseSensitive, bool Greedy, bool MultiLine,
                  bool SingleLine);
