#include "UnitCheckVersion.h"

#include "KVXUtils.h"
#include "UnitConfig.h"
#include "UnitHttp.h"
#include "UnitTools.h"

QString CheckVersion()
{
    const QString Context = QStringLiteral("TConfig.CheckVersion");
    try {
        if (!HttpObject)
            throw Exception(QStringLiteral("The HTTP client is not initialised"));
        // The reply is compared as it came: a version followed by a line break is no version.
        const QString Announced =
            HttpObject->Get(WebSiteAddress() + QStringLiteral("/version.php?sw=fenolda&req=check"));
        if (KVXCompareVersion(Config->Version, Announced) < 0)
            return WebSiteAddress() + Format(QStringLiteral("/version.php?sw=fenolda&req=dl&ver=%s"), {Announced});
    } catch (const std::exception &E) {
        try {
            WriteLog(ExceptionMessage(E), Context);
        } catch (const std::exception &) {
            // A log that cannot be written must not turn a failed check into a failed start.
        }
    }
    return QString();
}
