#include "KVXTime.h"

#include <QDateTime>

#include <chrono>

TDateTime KVXNowPrecise()
{
    const auto Micros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    // The local offset of that instant, daylight saving time included.
    const int Offset = QDateTime::fromMSecsSinceEpoch(Micros / 1000).offsetFromUtc();
    const double LocalSeconds = double(Micros) / 1e6 + Offset;
    // 25569 days lie between 30 December 1899 and 1 January 1970.
    return LocalSeconds / SecsPerDay + 25569.0;
}
