#include "UnitRandom.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UnitRandom, SeededSequencesRepeatAndStayInRange)
{
    RandSeed(1234);
    std::vector<int> First;
    for (int I = 0; I < 50; ++I)
        First.push_back(Random(7));
    RandSeed(1234);
    for (int I = 0; I < 50; ++I)
        EXPECT_EQ(Random(7), First[I]);

    std::vector<int> Counts(7, 0);
    for (int I = 0; I < 7000; ++I) {
        const int R = Random(7);
        ASSERT_GE(R, 0);
        ASSERT_LT(R, 7);
        ++Counts[R];
    }
    // Every value comes up: no value of the range is out of reach.
    for (int C : Counts)
        EXPECT_GT(C, 700);

    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}
