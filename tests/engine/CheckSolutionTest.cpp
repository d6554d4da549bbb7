#include <gtest/gtest.h>

#include "TestBoards.h"

namespace {

// The solved grid, with the signs that hold for it in block 0: (0,0) 1 < (0,1) 2
// and (1,1) 5 > (0,1) 2.
struct SolvedBoard : ::testing::Test {
    CNerekuEngine engine;
    void SetUp() override {
        ASSERT_TRUE(LoadPuzzleDigits(engine, kSolvedGrid));
        PlaceSign(engine, 0, 1);
        PlaceSign(engine, 1, 10);
    }
};

} // namespace

TEST(CheckSolution, EmptyGridIsPossibleButNotCorrect) {
    CNerekuEngine engine;
    EXPECT_FALSE(engine.CheckSolution_IsCorrect());
    EXPECT_TRUE(engine.CheckSolution_IsPossible());
}

TEST(CheckSolution, ArgumentsOutOfRangeAreFalse) {
    CNerekuEngine engine;
    ASSERT_TRUE(LoadPuzzleDigits(engine, kSolvedGrid));
    EXPECT_TRUE(engine.CheckSolution_IsCorrect_Row(8));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Row(9));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Col(9));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Block(255));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Edges(9));
    EXPECT_FALSE(engine.CheckSolution_IsPossible_Edges(200));
}

TEST_F(SolvedBoard, SignsThatHoldPassBothChecks) {
    EXPECT_TRUE(engine.CheckSolution_IsCorrect());
    EXPECT_TRUE(engine.CheckSolution_IsPossible());
}

TEST_F(SolvedBoard, ABrokenSignFailsBothChecks) {
    engine.edgeMasks[0] = kRightGreater; // (0,0) 1 > (0,1) 2: false
    engine.edgeMasks[1] = kLeftSmaller;
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Edges(0));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect());
    EXPECT_FALSE(engine.CheckSolution_IsPossible());
}

// Only the middle row's and middle column's halves are read: a sign held
// only by a corner square is not seen.
TEST_F(SolvedBoard, OnlyTheMiddleHalvesAreRead) {
    engine.edgeMasks[0] = kRightGreater; // wrong, but only in the corner's half
    engine.edgeMasks[1] = kLeftGreater;  // the middle column's half still holds
    EXPECT_TRUE(engine.CheckSolution_IsCorrect_Edges(0));
}

TEST_F(SolvedBoard, EqualNumbersAlwaysBreakASign) {
    engine.squares[1].number = 1; // (0,0) and (0,1) both 1, with (0,0) < (0,1)
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Edges(0));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Row(0));
    EXPECT_FALSE(engine.CheckSolution_IsPossible_Edges(0));
}

TEST_F(SolvedBoard, RepeatsAreCaughtByTheirUnit) {
    // The same digit in columns 0 and 8 of row 0.
    CNerekuEngine rowRepeat;
    ASSERT_TRUE(LoadPuzzleDigits(rowRepeat, kSolvedGrid));
    rowRepeat.squares[8].number = 1;
    EXPECT_FALSE(rowRepeat.CheckSolution_IsCorrect_Row(0));
    EXPECT_FALSE(rowRepeat.CheckSolution_IsCorrect());
    EXPECT_FALSE(rowRepeat.CheckSolution_IsPossible());

    // Swapping two squares of a row keeps every row complete but repeats
    // digits in two columns and, across a block border, in two blocks.
    std::swap(engine.squares[2].number, engine.squares[3].number);
    for (unsigned char row = 0; row < 9; ++row) {
        EXPECT_TRUE(engine.CheckSolution_IsCorrect_Row(row));
    }
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Col(2));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect_Block(0));
    EXPECT_FALSE(engine.CheckSolution_IsCorrect());
    EXPECT_FALSE(engine.CheckSolution_IsPossible());

    // Swapping two squares of a column inside a block repeats only in rows.
    CNerekuEngine columnSwap;
    ASSERT_TRUE(LoadPuzzleDigits(columnSwap, kSolvedGrid));
    std::swap(columnSwap.squares[0].number, columnSwap.squares[9].number);
    EXPECT_TRUE(columnSwap.CheckSolution_IsCorrect_Col(0));
    EXPECT_TRUE(columnSwap.CheckSolution_IsCorrect_Block(0));
    EXPECT_FALSE(columnSwap.CheckSolution_IsCorrect_Row(0));
}

TEST(CheckSolution, PartialBoards) {
    CNerekuEngine engine;
    PlaceSign(engine, SquareIndex(4, 4), SquareIndex(4, 5)); // (4,4) < (4,5)
    engine.squares[SquareIndex(4, 4)].number = 9;
    // A sign with one side empty is not tested yet.
    EXPECT_TRUE(engine.CheckSolution_IsPossible_Edges(4));
    EXPECT_TRUE(engine.CheckSolution_IsPossible());
    engine.squares[SquareIndex(4, 5)].number = 3;
    EXPECT_FALSE(engine.CheckSolution_IsPossible_Edges(4));
    EXPECT_FALSE(engine.CheckSolution_IsPossible());
    engine.squares[SquareIndex(4, 5)].number = 0;

    // An empty square without candidates fails, even with no repeat anywhere.
    SetCandidates(engine.squares[80], "");
    EXPECT_FALSE(engine.CheckSolution_IsPossible());
    // The flags are read as they stand: a candidate already placed nearby
    // still counts.
    SetCandidates(engine.squares[80], "9");
    engine.squares[79].number = 9;
    EXPECT_TRUE(engine.CheckSolution_IsPossible());
}
