#include "UnitVersionCheck.h"

#include "UnitAppEvents.h"
#include "UnitCheckVersion.h"
#include "UnitHttp.h"
#include "UnitTypes.h"

#include <QMetaObject>
#include <QObject>

#include <mutex>
#include <thread>

// What the worker and the owner share: the worker hands its answer over only while the
// owner still wants it.
struct TVersionCheck::TShared
{
    std::mutex Lock;
    QObject *Receiver = nullptr;
    TAnswer Answer;
};

TVersionCheck::TVersionCheck(QObject *Receiver, const QString &Version, const QString &SiteAddress, TAnswer Answer)
    : FShared(std::make_shared<TShared>())
{
    FShared->Receiver = Receiver;
    FShared->Answer = std::move(Answer);
    // The worker reads nothing global: it gets its inputs and an HTTP client of its own.
    std::thread([Shared = FShared, Version, SiteAddress] {
        QString Url;
        QString Failure;
        try {
            THttpObject Http;
            Url = NewerVersionUrl(Http, Version, SiteAddress);
        } catch (const std::exception &E) {
            Failure = ExceptionMessage(E);
        } catch (...) {
            Failure = QStringLiteral("Unknown exception");
        }
        const std::lock_guard<std::mutex> Lock(Shared->Lock);
        if (!Shared->Receiver)
            return;
        // Posted to the receiver: Qt drops it if the receiver is destroyed before it runs.
        QMetaObject::invokeMethod(
            Shared->Receiver,
            [Shared, Url, Failure] {
                TAnswer Answer;
                {
                    const std::lock_guard<std::mutex> Lock(Shared->Lock);
                    Answer = Shared->Answer;
                }
                if (Answer)
                    Guard([&] { Answer(Url, Failure); });
            },
            Qt::QueuedConnection);
    }).detach();
}

TVersionCheck::~TVersionCheck()
{
    const std::lock_guard<std::mutex> Lock(FShared->Lock);
    FShared->Receiver = nullptr;
    FShared->Answer = nullptr;
}
