#include "KVXSystem.h"

#include <QUuid>

QString KVXNewGuid()
{
    const QUuid Id = QUuid::createUuid();
    if (Id.isNull())
        return QString();
    return Id.toString(QUuid::WithBraces).toUpper();
}
