// Text utilities of the in-house library.
#pragma once

#include <QString>

// S in lower case (only A..Z change) with its first character raised when it is a letter
// a..z: "POMMES de TERRE" gives "Pommes de terre", "été" stays "été".
QString KVXCapitalize(const QString &S);
