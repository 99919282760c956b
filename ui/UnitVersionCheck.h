// The version check run off the path to the main window: the request goes out on a thread
// of its own with an HTTP client of its own, and its answer comes back on the GUI thread.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QObject;

class TVersionCheck
{
public:
    // Url: the download address of a newer version, else ""; Failure: the message of a failed
    // check, else "".
    using TAnswer = std::function<void(const QString &Url, const QString &Failure)>;

    // Starts the check for a program of version Version against the site SiteAddress. Answer
    // runs on Receiver's thread, through Guard, unless this object or Receiver is gone by then.
    TVersionCheck(QObject *Receiver, const QString &Version, const QString &SiteAddress, TAnswer Answer);
    // Drops the answer; the request is never waited for, so a silent network cannot hold up
    // the closing of the program.
    ~TVersionCheck();

    TVersionCheck(const TVersionCheck &) = delete;
    TVersionCheck &operator=(const TVersionCheck &) = delete;

private:
    struct TShared;
    std::shared_ptr<TShared> FShared;
};
