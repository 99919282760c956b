#include "KVXTime.h"
#include "TestSupport.h"

#include <QDateTime>

#include <gtest/gtest.h>

TEST(KVXTime, NowPreciseIsTheLocalTime)
{
    const TDateTime Before = QDateTimeToDateTime(QDateTime::currentDateTime());
    const TDateTime Precise = KVXNowPrecise();
    const TDateTime After = QDateTimeToDateTime(QDateTime::currentDateTime());
    // Qt's clock has millisecond steps: allow one on either side.
    const double OneMs = 1.0 / MSecsPerDay;
    EXPECT_GE(Precise, Before - OneMs);
    EXPECT_LE(Precise, After + OneMs);
}
