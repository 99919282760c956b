#include "UnitRecette.h"

int ShowFormRecette2(const QString & /*Caption*/, int /*Code*/)
{
    return 2;
}
