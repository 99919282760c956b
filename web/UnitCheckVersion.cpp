#include "UnitCheckVersion.h"

#include "KVXUtils.h"
#include "UnitConfig.h"
#include "UnitHttp.h"
#include "UnitTools.h"

QString NewerVersionUrl(THttpObject &Http, const QString &Version, const QString &SiteAddress)
{
    // The reply is compared as it came: a version followed by a line break is no version.
    const QString Announced = Http.Get(SiteAddress + QStringLiteral("/version.php?sw=fenolda&req=check"));
    if (KVXCompareVersion(Version, Announced) < 0)
        return SiteAddress + Format(QStringLiteral("/version.php?sw=fenolda&req=dl&ver=%s"), {Announced});
    return QString();
}

void LogCheckVersionFailure(const QString &Message) noexcept
{
    try {
        WriteLog(Message, QStringLiteral("TConfig.CheckVersion"));
    } catch (...) {
        // A log that cannot be written must not turn a failed check into a failed start.
    }
}

QString CheckVersion()
{
    // A build that names no web site has nothing to ask: no request, and nothing to log.
    if (WebSiteAddress().isEmpty())
        return QString();
    try {
        if (!HttpObject)
            throw Exception(QStringLiteral("The HTTP client is not initialised"));
        return NewerVersionUrl(*HttpObject, Config->Version, WebSiteAddress());
    } catch (const std::exception &E) {
        LogCheckVersionFailure(ExceptionMessage(E));
    }
    return QString();
}
