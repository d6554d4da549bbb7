#include <cstring>

#include <gtest/gtest.h>

#include "TestBoards.h"
#include "corvane/Numbers.h"

namespace {

int Givens(const CNerekuEngine& engine) {
    int givens = 0;
    for (const Square& square : engine.squares) {
        givens += square.number != 0;
    }
    return givens;
}

} // namespace

// Up to the whole board, never more.
TEST(RandomGrid, RevealsTheCountFromOneSolution) {
    for (int count : {0, 20, 30, 80, 81}) {
        SeedRandomNumbers(1000 + count);
        CNerekuEngine engine;
        engine.edgeMasks[10] = kRightSmaller;
        ASSERT_TRUE(engine.GenerateRandomGrid(static_cast<unsigned char>(count)));
        EXPECT_EQ(Givens(engine), count);
        for (EdgeMask mask : engine.edgeMasks) {
            EXPECT_EQ(mask, 0) << "a random level has no signs";
        }
        for (const Square& square : engine.squares) {
            EXPECT_EQ(square.fixed, square.number != 0 ? 1 : 0);
            EXPECT_EQ(Candidates(square),
                      square.number == 0 ? std::string("123456789")
                                         : std::string(1, static_cast<char>('0' + square.number)));
        }
        EXPECT_TRUE(engine.CheckSolution_IsPossible());
        // The givens come from a completion of the seed grid, so the level
        // can be solved.
        EXPECT_GE(engine.SolveLevel_FindSolutions(1), 1) << "count " << count;
    }
    EXPECT_FALSE(CNerekuEngine().GenerateRandomGrid(82)) << "more than the board";
}

// A seed gives its level every time, and the level recorded for it: a seed
// written down (nereku generate --seed) keeps its level from one version to
// the next, as long as the draws keep their order.
TEST(RandomGrid, SameSeedSameLevel) {
    CNerekuEngine first, second;
    SeedRandomNumbers(7);
    ASSERT_TRUE(first.GenerateRandomGrid(30));
    SeedRandomNumbers(7);
    ASSERT_TRUE(second.GenerateRandomGrid(30));
    EXPECT_EQ(std::memcmp(first.squares, second.squares, sizeof(first.squares)), 0);
    EXPECT_EQ(first.solutions.GetRowCount(), second.solutions.GetRowCount());
    EXPECT_EQ(BoardLine(first).substr(0, kSquareCount),
              ".6.8.9.75.7.....8...3..71..3.......869....51351..36....5...2..9..9...6.4.3.5....1");
}
