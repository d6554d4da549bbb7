#include "corvane/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

TEST(GetRandomNumber, StaysWithinBothBoundsInclusive) {
    SeedRandomNumbers(1);
    std::vector<int> seen(7, 0);
    for (int i = 0; i < 7000; ++i) {
        const int a = GetRandomNumber(1, 6);
        const int b = GetRandomNumber(6, 1); // the bounds in either order
        ASSERT_TRUE(a >= 1 && a <= 6) << a;
        ASSERT_TRUE(b >= 1 && b <= 6) << b;
        ++seen[static_cast<size_t>(a)];
        ++seen[static_cast<size_t>(b)];
    }
    for (int value = 1; value <= 6; ++value) {
        EXPECT_GT(seen[static_cast<size_t>(value)], 0) << value;
    }
    EXPECT_EQ(GetRandomNumber(20, 20), 20);
    EXPECT_EQ(GetRandomNumber(INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(GetRandomNumber(INT_MIN, INT_MIN), INT_MIN);
    for (int i = 0; i < 100; ++i) {
        const int wide = GetRandomNumber(-1, INT_MAX); // a span of 2^31 + 1
        ASSERT_GE(wide, -1);
    }
}

TEST(GetRandomNumber, SameSeedSameSequence) {
    std::vector<int> first;
    SeedRandomNumbers(42);
    for (int i = 0; i < 50; ++i) {
        first.push_back(GetRandomNumber(0, 1000));
    }
    SeedRandomNumbers(42);
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(GetRandomNumber(0, 1000), first[static_cast<size_t>(i)]) << i;
    }
    SeedRandomNumbers(43);
    int same = 0;
    for (int i = 0; i < 50; ++i) {
        same += GetRandomNumber(0, 1000) == first[static_cast<size_t>(i)] ? 1 : 0;
    }
    EXPECT_LT(same, 5);
}

// The first numbers for one seed, so that every platform and compiler is held
// to the same generator (xoshiro256** seeded through splitmix64).
TEST(GetRandomNumber, PinnedSequenceForAFixedSeed) {
    SeedRandomNumbers(20240607);
    const int digits[] = {6, 8, 2, 5, 8, 5, 7, 7, 7, 3, 3, 7};
    for (int expected : digits) {
        EXPECT_EQ(GetRandomNumber(1, 9), expected);
    }
    // The full range shows the generator's low 32 bits unreduced.
    SeedRandomNumbers(20240607);
    const int full[] = {-304866106, -1848515088, 1343126514, -1574777775};
    for (int expected : full) {
        EXPECT_EQ(GetRandomNumber(INT_MIN, INT_MAX), expected);
    }
}

TEST(GetRandomNumber, RoughlyUniform) {
    SeedRandomNumbers(7);
    const int draws = 90000;
    std::vector<int> counts(10, 0);
    for (int i = 0; i < draws; ++i) {
        ++counts[static_cast<size_t>(GetRandomNumber(1, 9))];
    }
    for (int digit = 1; digit <= 9; ++digit) {
        // 10000 expected, standard deviation about 94.
        EXPECT_NEAR(counts[static_cast<size_t>(digit)], draws / 9, 500) << digit;
    }
}

TEST(Dbl_Round, HalvesGoAwayFromZero) {
    EXPECT_EQ(Dbl_Round(2.5, 0), 3.0);
    EXPECT_EQ(Dbl_Round(-2.5, 0), -3.0);
    EXPECT_EQ(Dbl_Round(0.5, 0), 1.0);
    EXPECT_EQ(Dbl_Round(2.4999, 0), 2.0);
    EXPECT_EQ(Dbl_Round(-0.4, 0), 0.0);
    EXPECT_DOUBLE_EQ(Dbl_Round(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(Dbl_Round(-0.125, 2), -0.13);
    EXPECT_DOUBLE_EQ(Dbl_Round(1.23456, 3), 1.235);
    EXPECT_EQ(Dbl_Round(1250.0, -2), 1300.0);
    EXPECT_EQ(Dbl_Round(1e300, 20), 1e300);
    EXPECT_EQ(Dbl_Round(123.0, -400), 0.0);
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Dbl_Round(-infinity, 0), -infinity);
    EXPECT_TRUE(std::isnan(Dbl_Round(std::nan(""), 2)));
}

TEST(Dbl_Compare, ValuesWithinEpsilonAreEqual) {
    EXPECT_TRUE(Dbl_IsSmaller(1.0, 1.1));
    EXPECT_FALSE(Dbl_IsSmaller(1.1, 1.0));
    EXPECT_TRUE(Dbl_IsBigger(1.1, 1.0));
    EXPECT_FALSE(Dbl_IsBigger(1.0, 1.1));
    EXPECT_FALSE(Dbl_IsSmaller(1.0, 1.0 + 1e-12));
    EXPECT_FALSE(Dbl_IsBigger(1.0 + 1e-12, 1.0));
    EXPECT_FALSE(Dbl_IsSmaller(1.0, 1.4, 0.5));
    EXPECT_TRUE(Dbl_IsSmaller(1.0, 1.6, 0.5));
    EXPECT_FALSE(Dbl_IsSmaller(1.0, 1.0, 0.0));
    EXPECT_FALSE(Dbl_IsSmaller(std::nan(""), 1.0));
    EXPECT_FALSE(Dbl_IsBigger(std::nan(""), 1.0));
}
