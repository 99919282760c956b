// The version check of the settings object (TConfig.CheckVersion). It lives in the web
// layer because it needs the HTTP client, which the settings object's layer cannot reach.
#pragma once

#include <QString>

// Asks the maker's web site for the latest version of the program and returns the address
// of its download page when that version is newer than Config->Version, else "". Every
// failure (no connection, an error status, a reply that is not a version) is written to the
// log under "TConfig.CheckVersion" and gives ""; nothing is raised.
QString CheckVersion();
