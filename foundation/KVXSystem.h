// System services of the in-house library.
#pragma once

#include <QString>

// A new GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 characters, upper-case hex),
// or an empty text when none could be made.
QString KVXNewGuid();
