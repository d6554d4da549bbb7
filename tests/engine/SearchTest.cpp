#include <cstring>
#include <fstream>
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

// The limit is only tested before a branch is opened, so the list ends above it.
TEST(Search, TheLimitStopsOnlyNewBranches) {
    CNerekuEngine engine;
    EXPECT_EQ(Solve(engine, 1).size(), 2u);
    EXPECT_EQ(Solve(engine, 3).size(), 4u);
    EXPECT_EQ(Solve(engine, 0).size(), 0u);
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

TEST(Search, FullBoards) {
    CNerekuEngine solved;
    ASSERT_TRUE(LoadPuzzleDigits(solved, kSolvedGrid));
    EXPECT_EQ(Solve(solved), std::vector<std::string>{kSolvedGrid});

    std::string broken = kSolvedGrid;
    std::swap(broken[0], broken[1]);
    CNerekuEngine wrong;
    ASSERT_TRUE(LoadPuzzleDigits(wrong, broken));
    EXPECT_TRUE(Solve(wrong).empty());
}

TEST(Search, BrokenBoardsStoreNothing) {
    CNerekuEngine repeat;
    repeat.squares[0].number = 4;
    repeat.squares[5].number = 4;
    EXPECT_TRUE(Solve(repeat).empty());

    CNerekuEngine noCandidate;
    SetCandidates(noCandidate.squares[30], "");
    EXPECT_TRUE(Solve(noCandidate).empty());
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

// Known solution counts of hard puzzles: the search finds exactly that many
// where the count is below the limit, and at least the limit otherwise.
TEST(Search, SolutionCountsOfKnownPuzzles) {
    std::ifstream file(NEREKU_TEST_DATA_DIR "/tdoku_test_puzzles_with_counts.txt");
    ASSERT_TRUE(file) << "tests/data/tdoku_test_puzzles_with_counts.txt is missing";
    std::string line;
    int checked = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t colon = line.find(':');
        const std::string puzzle = line.substr(0, colon);
        const size_t second = line.find(':', colon + 1);
        const int count = std::stoi(line.substr(colon + 1, second - colon - 1));
        CNerekuEngine engine;
        ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle)) << puzzle;
        const std::vector<std::string> found = Solve(engine);
        if (count < 100) {
            EXPECT_EQ(found.size(), static_cast<size_t>(count)) << puzzle;
        } else {
            EXPECT_GE(found.size(), 100u) << puzzle;
        }
        if (count == 1 && second != std::string::npos) {
            EXPECT_EQ(found[0], line.substr(second + 1, 81)) << puzzle;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 43);
}
