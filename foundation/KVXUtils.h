// Range and version utilities of the in-house library.
#pragma once

#include <QString>
#include <QtGlobal>

// Value clamped to Min..Max. Min > Max raises Exception
// "The minimal limit (%d) must be lower than the maximal limit (%d)".
qint64 KVXEnsureRange(qint64 Value, qint64 Min, qint64 Max);
// True when Value lies within Min..Max (both included); raises like KVXEnsureRange.
bool KVXInRange(qint64 Value, qint64 Min, qint64 Max);

// True when S is groups of decimal digits separated by single points, nothing else ("007",
// "1.4.2"; not "1..2", ".1", "1." or "v1").
bool KVXIsVersion(const QString &S);
// -1 when Version1 is older than Version2, 1 when newer, 0 when equal; the shorter one is
// padded with zero parts ("1.2" equals "1.2.0"). Raises Exception "KVXCompareVersion: " and
// the reason for a text that is not a version or a part too large for a 32-bit integer.
int KVXCompareVersion(const QString &Version1, const QString &Version2);
