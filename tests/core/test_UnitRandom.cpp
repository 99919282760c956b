#include "UnitRandom.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UnitRandom, SeededSequencesRepeatAndCoverTheRange)
{
    RandSeed(1234);
    std::vector<int> First(50);
    for (int &R : First)
        R = Random(7);
    RandSeed(1234);
    for (int R : First)
        EXPECT_EQ(Random(7), R);

    std::vector<int> Counts(7, 0);
    for (int I = 0; I < 7000; ++I) {
        const int R = Random(7);
        ASSERT_TRUE(R >= 0 && R < 7) << R;
        ++Counts[R];
    }
    for (int C : Counts)
        EXPECT_GT(C, 700);
    EXPECT_EQ(Random(1) + Random(0) + Random(-5), 0);
}
