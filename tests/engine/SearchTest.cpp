#include <cstring>
#include <set>

#include <gtest/gtest.h>

#include "TestBoards.h"

namespace {

// Runs the search as the Solve command does, the board left as it was.
std::vector<std::string> Solve(CNerekuEngine& engine, int limit = 100) {
    engine.SolveLevel_FindSolutions(limit);
    return SolutionDigits(engine);
}

// A single search step `depth` levels deep.
std::vector<std::string> SearchStep(CNerekuEngine& engine, unsigned char depth) {
    engine.solutions.DeleteRow(-1);
    engine.SolveLevel_Iter(depth, 100);
    return SolutionDigits(engine);
}

} // namespace

TEST(Search, EmptyGridGivesTheFirstHundredSolutionsInOrder) {
    CNerekuEngine engine;
    const std::vector<std::string> found = Solve(engine);
    ASSERT_EQ(found.size(), 100u);
    EXPECT_EQ(found[0], kSolvedGrid);
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), 100u);
    // Every stored board is a correct solution, with only its own digits as
    // candidates and no given.
    for (int row = 0; row < engine.solutions.GetRowCount(); ++row) {
        ASSERT_EQ(engine.solutions.GetColumnLen(row, 0), 891u);
        CNerekuEngine check;
        std::memcpy(check.squares, engine.solutions.GetValue(row, 0, nullptr, true), 891);
        EXPECT_TRUE(check.CheckSolution_IsCorrect());
        for (const Square& square : check.squares) {
            EXPECT_EQ(square.fixed, 0);
            EXPECT_EQ(Candidates(square), std::string(1, static_cast<char>('0' + square.number)));
        }
    }
}

TEST(Search, DepthZeroStoresOnlyWhatPropagationCompletes) {
    CNerekuEngine easy;
    std::string oneGap = kSolvedGrid;
    oneGap[40] = '.';
    oneGap[0] = '.';
    ASSERT_TRUE(LoadPuzzleDigits(easy, oneGap));
    EXPECT_EQ(SearchStep(easy, 0), std::vector<std::string>{kSolvedGrid});

    CNerekuEngine empty;
    EXPECT_TRUE(SearchStep(empty, 0).empty());
}

// A full board gives itself, or nothing when it breaks a rule; so does a
// board with a repeat or with a square that has no candidate left.
TEST(Search, FullAndBrokenBoards) {
    CNerekuEngine solved, swapped, repeat, noCandidate;
    ASSERT_TRUE(LoadPuzzleDigits(solved, kSolvedGrid));
    EXPECT_EQ(Solve(solved), std::vector<std::string>{kSolvedGrid});
    std::string broken = kSolvedGrid;
    std::swap(broken[0], broken[1]);
    ASSERT_TRUE(LoadPuzzleDigits(swapped, broken));
    repeat.squares[0].number = 4;
    repeat.squares[5].number = 4;
    SetCandidates(noCandidate.squares[30], "");
    for (CNerekuEngine* engine : {&swapped, &repeat, &noCandidate}) {
        EXPECT_TRUE(Solve(*engine).empty());
    }
}

// The search starts from the board as it stands: a crossed-off candidate
// that the only solution needs leaves no solution, and the board comes back
// with the candidate still crossed off.
TEST(Search, CrossedOffCandidatesStayCrossedOff) {
    std::string puzzle = kSolvedGrid;
    for (int i : {0, 10, 20, 30, 40, 50, 60, 70, 80}) {
        puzzle[i] = '.';
    }
    CNerekuEngine engine;
    ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle));
    EXPECT_EQ(Solve(engine), std::vector<std::string>{kSolvedGrid});
    engine.squares[40].possible[kSolvedGrid[40] - '1'] = 0;
    EXPECT_TRUE(Solve(engine).empty());
    EXPECT_EQ(engine.squares[40].possible[kSolvedGrid[40] - '1'], 0);
}

// Signs narrow the search but never lose a solution: with or without the
// sign rule the same set is found.
TEST(Search, SignRuleKeepsTheSolutionSet) {
    std::string puzzle = kSolvedGrid;
    for (int i = 0; i < kSquareCount; ++i) {
        if (BlockOf(RowOf(i), ColumnOf(i)) % 2 == 0 && i % 4 != 0) {
            puzzle[i] = '.';
        }
    }
    TestEngine engine;
    ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle));
    // Every sign of blocks 0, 4 and 8, as the solved grid has them.
    for (int block : {0, 4, 8}) {
        for (int k = 0; k < 9; ++k) {
            const int a = BlockSquare(block, k);
            for (int b : {a + 1, a + 9}) {
                if (b < kSquareCount && BlockOf(RowOf(b), ColumnOf(b)) == block &&
                    (b == a + 9 || RowOf(b) == RowOf(a))) {
                    if (kSolvedGrid[a] < kSolvedGrid[b]) {
                        PlaceSign(engine, a, b);
                    } else {
                        PlaceSign(engine, b, a);
                    }
                }
            }
        }
    }
    std::vector<std::string> withRule = Solve(engine);
    engine.levelHasEdges = false;
    std::vector<std::string> withoutRule = Solve(engine);
    ASSERT_FALSE(withRule.empty());
    ASSERT_LT(withRule.size(), 100u);
    EXPECT_EQ(std::set<std::string>(withRule.begin(), withRule.end()),
              std::set<std::string>(withoutRule.begin(), withoutRule.end()));
    EXPECT_NE(std::find(withRule.begin(), withRule.end(), kSolvedGrid), withRule.end());
}
