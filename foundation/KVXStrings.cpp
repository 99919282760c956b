#include "KVXStrings.h"

#include "SysUtils.h"

QString KVXCapitalize(const QString &S)
{
    QString R = LowerCaseAscii(S);
    if (!R.isEmpty() && R[0].unicode() >= 'a' && R[0].unicode() <= 'z')
        R[0] = QChar(R[0].unicode() - 32);
    return R;
}
