#include "corvane/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

// Both bounds are reached, in either order, and every value comes about
// equally often: 10000 expected of each digit, standard deviation about 94.
TEST(GetRandomNumber, StaysWithinBothBoundsInclusiveAndUniform) {
    SeedRandomNumbers(7);
    std::vector<int> counts(10, 0);
    for (int i = 0; i < 45000; ++i) {
        for (const int digit : {GetRandomNumber(1, 9), GetRandomNumber(9, 1)}) {
            ASSERT_TRUE(digit >= 1 && digit <= 9) << digit;
            ++counts[static_cast<size_t>(digit)];
        }
    }
    for (int digit = 1; digit <= 9; ++digit) {
        EXPECT_NEAR(counts[static_cast<size_t>(digit)], 10000, 500) << digit;
    }
    EXPECT_EQ(GetRandomNumber(INT_MIN, INT_MIN), INT_MIN);
    for (int i = 0; i < 100; ++i) {
        ASSERT_GE(GetRandomNumber(-1, INT_MAX), -1); // a span of 2^31 + 1
    }
}

// The first numbers for one seed, so that every platform and compiler is held
// to the same generator (xoshiro256** seeded through splitmix64); seeding again
// starts the sequence again, and another seed gives other numbers.
TEST(GetRandomNumber, PinnedSequenceForAFixedSeed) {
    SeedRandomNumbers(20240607);
    for (int expected : {6, 8, 2, 5, 8, 5, 7, 7, 7, 3, 3, 7}) {
        EXPECT_EQ(GetRandomNumber(1, 9), expected);
    }
    // The full range shows the generator's low 32 bits unreduced.
    SeedRandomNumbers(20240607);
    for (int expected : {-304866106, -1848515088, 1343126514, -1574777775}) {
        EXPECT_EQ(GetRandomNumber(INT_MIN, INT_MAX), expected);
    }
    SeedRandomNumbers(20240608);
    EXPECT_NE(GetRandomNumber(INT_MIN, INT_MAX), -304866106);
}

TEST(Dbl_Round, HalvesGoAwayFromZero) {
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int digits;
        double rounded;
    } cases[] = {{2.5, 0, 3.0},      {-2.5, 0, -3.0},     {2.4999, 0, 2.0},
                 {-0.125, 2, -0.13}, {1.23456, 3, 1.235}, {1250.0, -2, 1300.0},
                 {1e300, 20, 1e300}, {123.0, -400, 0.0},  {-infinity, 0, -infinity}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Dbl_Round(c.value, c.digits), c.rounded) << c.value << ", " << c.digits;
    }
    EXPECT_TRUE(std::isnan(Dbl_Round(std::nan(""), 2)));
}

// Values no further apart than epsilon (1e-9 unless given) are equal; NaN is
// neither smaller nor bigger.
TEST(Dbl_Compare, ValuesWithinEpsilonAreEqual) {
    EXPECT_TRUE(Dbl_IsSmaller(1.0, 1.1) && Dbl_IsBigger(1.1, 1.0));
    EXPECT_FALSE(Dbl_IsSmaller(1.1, 1.0) || Dbl_IsBigger(1.0, 1.1));
    EXPECT_FALSE(Dbl_IsSmaller(1.0, 1.0 + 1e-12) || Dbl_IsBigger(1.0 + 1e-12, 1.0));
    EXPECT_TRUE(!Dbl_IsSmaller(1.0, 1.4, 0.5) && Dbl_IsSmaller(1.0, 1.6, 0.5));
    EXPECT_FALSE(Dbl_IsSmaller(std::nan(""), 1.0) || Dbl_IsBigger(std::nan(""), 1.0));
}
