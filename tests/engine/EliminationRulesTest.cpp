#include <gtest/gtest.h>

#include "TestBoards.h"

TEST(EliminationRules, SingleCandidateBecomesTheNumber) {
    CNerekuEngine engine;
    SetCandidates(engine.squares[40], "7");
    SetCandidates(engine.squares[41], "");
    EXPECT_TRUE(engine.SolveLevel_SetSingleNumbersToDetermined());
    EXPECT_EQ(engine.squares[40].number, 7);
    EXPECT_EQ(Candidates(engine.squares[40]), "7");
    EXPECT_EQ(engine.squares[41].number, 0);
    // Nothing is struck elsewhere by this rule, and a second call finds nothing.
    EXPECT_EQ(Candidates(engine.squares[39]), "123456789");
    EXPECT_FALSE(engine.SolveLevel_SetSingleNumbersToDetermined());
}

TEST(EliminationRules, PlacedDigitsAreStruckFromTheirUnits) {
    CNerekuEngine engine;
    SetSquareToDigit(engine.squares[0], 5);
    engine.squares[SquareIndex(4, 4)].number = 3; // its own stale flags stay
    EXPECT_TRUE(engine.SolveLevel_MarkOffNeighboursOfDeterminedNumbers());
    for (int i = 1; i < kSquareCount; ++i) {
        const bool peer = RowOf(i) == 0 || ColumnOf(i) == 0 || BlockOf(RowOf(i), ColumnOf(i)) == 0;
        EXPECT_EQ(engine.squares[i].possible[4] == 0, peer) << "square " << i;
    }
    EXPECT_EQ(Candidates(engine.squares[0]), "5");
    EXPECT_EQ(Candidates(engine.squares[SquareIndex(4, 4)]), "123456789");
    EXPECT_EQ(Candidates(engine.squares[SquareIndex(3, 3)]), "12456789");
    EXPECT_FALSE(engine.SolveLevel_MarkOffNeighboursOfDeterminedNumbers());
}

TEST(EliminationRules, UniquePlaceInARow) {
    // With 7 already placed in the row, the lone candidate is not taken.
    for (const bool placed : {false, true}) {
        CNerekuEngine engine;
        for (int column = 0; column < 9; ++column) {
            SetCandidates(engine.squares[column], column == 6 ? "1237" : "123456");
        }
        if (placed) {
            SetSquareToDigit(engine.squares[0], 7);
        }
        EXPECT_EQ(engine.SolveLevel_SetUniqueNumbersToDetermined(), !placed);
        EXPECT_EQ(engine.squares[6].number, placed ? 0 : 7);
        EXPECT_EQ(Candidates(engine.squares[6]), placed ? "1237" : "7");
    }
}

// When one square is the only place for two digits of a unit, the lower digit
// takes it and the higher one is not placed anywhere.
TEST(EliminationRules, TwoDigitsWithTheSameOnlyPlace) {
    CNerekuEngine engine;
    for (int column = 0; column < 9; ++column) {
        SetCandidates(engine.squares[column], column == 4 ? "3489" : "12567");
    }
    EXPECT_TRUE(engine.SolveLevel_SetUniqueNumbersToDetermined());
    EXPECT_EQ(engine.squares[4].number, 3);
    for (int column = 0; column < 9; ++column) {
        if (column != 4) {
            EXPECT_EQ(engine.squares[column].number, 0);
        }
    }
}

TEST(EliminationRules, SignsLimitByTheNeighboursCandidates) {
    CNerekuEngine engine;
    const int upper = SquareIndex(3, 4);
    const int lower = SquareIndex(4, 4);
    PlaceSign(engine, upper, lower); // lower > upper
    SetCandidates(engine.squares[upper], "348");
    SetCandidates(engine.squares[lower], "123456789");
    EXPECT_TRUE(engine.SolveLevel_MarkOffEdgeLimitedNumbers());
    EXPECT_EQ(Candidates(engine.squares[lower]), "456789");
    // The upper square in turn must stay below 9 at most.
    EXPECT_EQ(Candidates(engine.squares[upper]), "348");

    CNerekuEngine smaller;
    PlaceSign(smaller, SquareIndex(0, 0), SquareIndex(0, 1)); // (0,0) < (0,1)
    SetCandidates(smaller.squares[1], "246");
    smaller.SolveLevel_MarkOffEdgeLimitedNumbers();
    EXPECT_EQ(Candidates(smaller.squares[0]), "12345");
}

TEST(EliminationRules, CountedSignsBoundTheDigit) {
    CNerekuEngine engine;
    const int middle = SquareIndex(4, 4);
    PlaceSign(engine, middle - 1, middle); // greater than left
    PlaceSign(engine, middle + 1, middle); // and right
    engine.SolveLevel_MarkOffEdgeLimitedNumbers();
    EXPECT_EQ(Candidates(engine.squares[middle]), "3456789");

    CNerekuEngine three;
    const int centre = SquareIndex(1, 1);
    PlaceSign(three, centre, centre - 9);
    PlaceSign(three, centre, centre + 1);
    PlaceSign(three, centre, centre + 9);
    three.SolveLevel_MarkOffEdgeLimitedNumbers();
    EXPECT_EQ(Candidates(three.squares[centre]).back(), '6');
}

TEST(EliminationRules, NoSignsNoChange) {
    CNerekuEngine engine;
    engine.squares[10].number = 4;
    EXPECT_FALSE(engine.SolveLevel_MarkOffEdgeLimitedNumbers());
    // A sign bit pointing out of the block is passed over.
    engine.edgeMasks[SquareIndex(0, 2)] = kRightGreater;
    engine.edgeMasks[SquareIndex(0, 0)] = kUpSmaller | kLeftGreater;
    EXPECT_FALSE(engine.SolveLevel_MarkOffEdgeLimitedNumbers());
}

TEST(EliminationRules, BranchingSquareHasFewestCandidates) {
    CNerekuEngine engine;
    ASSERT_TRUE(LoadPuzzleDigits(engine, kSolvedGrid));
    unsigned char row = 99, column = 99;
    EXPECT_FALSE(engine.SolveLevel_FindLowestPossibleSquares(&row, &column));
    EXPECT_EQ(row, 99);
    EXPECT_EQ(column, 99);

    const int squares[3] = {SquareIndex(2, 3), SquareIndex(5, 0), SquareIndex(7, 8)};
    const char* candidates[3] = {"123", "45", "67"};
    for (int k = 0; k < 3; ++k) {
        engine.squares[squares[k]].number = 0;
        SetCandidates(engine.squares[squares[k]], candidates[k]);
    }
    EXPECT_TRUE(engine.SolveLevel_FindLowestPossibleSquares(&row, &column));
    EXPECT_EQ(row, 5);
    EXPECT_EQ(column, 0);
}
