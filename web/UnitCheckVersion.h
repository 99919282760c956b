// The version check of the settings object (TConfig.CheckVersion). It lives in the web
// layer because it needs the HTTP client, which the settings object's layer cannot reach.
#pragma once

#include <QString>

#include <exception>

class THttpObject;

// Asks the maker's web site for the latest version of the program and returns the address
// of its download page when that version is newer than Config->Version, else "". Every
// failure (no connection, an error status, a reply that is not a version) is written to the
// log under "TConfig.CheckVersion" and gives ""; nothing is raised. A build that names no web
// site (WebSiteAddress() empty) sends no request, logs nothing and gives "".
QString CheckVersion();

// The request itself, on the HTTP client Http, for a program of version Version and the web
// site SiteAddress: the download address of a newer version, else "". Raises what fails.
// Touches no global, so that a worker thread may run it with an HTTP client of its own.
QString NewerVersionUrl(THttpObject &Http, const QString &Version, const QString &SiteAddress);

// Writes a failed check's message to the log under "TConfig.CheckVersion"; never raises.
void LogCheckVersionFailure(const QString &Message) noexcept;
