// Shared helpers of the foundation tests.
#pragma once

#include "SysUtils.h"

#include <QString>

#include <ostream>

// Lets GoogleTest show texts in failure reports.
inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

// The message of the Exception that Fn raises, or "<no exception>".
template <class TFn> QString ErrorOf(TFn &&Fn)
{
    try {
        Fn();
    } catch (const Exception &E) {
        return E.Message;
    }
    return QStringLiteral("<no exception>");
}
