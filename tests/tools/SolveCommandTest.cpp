// nereku solve and nereku show on real level files.
#include <algorithm>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace {

const std::string kEmptyGrid(81, '.');
// A puzzle with exactly one solution, and that solution.
const char* const kUniquePuzzle =
    ".5..83.17...1..4..3.4..56.8....3...9.9.8245....6....7...9....5...729..861.36.72.4";
const char* const kUniqueSolution =
    "652483917978162435314975628825736149791824563436519872269348751547291386183657294";

} // namespace

// The limit is tested before a branch opens, so the last branch point still
// tries its other digits: a limit of 1 gives 2 solutions, 3 gives 4; a limit
// of 0 opens no branch at all.
TEST(SolveCommand, EmptyGridPrintsItsSolutionsInSearchOrderUpToTheLimit) {
    TempFolder folder;
    const std::string path = folder.Write("empty.lvl", LevelImage(kEmptyGrid));
    const std::vector<std::string> all = Lines(RunTool({"solve", path, "--limit", "250"}).out);
    ASSERT_EQ(all.size(), 250u);
    EXPECT_EQ(all[0], "123456789456789123789123456231674895875912364694538217317265948542897631"
                      "968341572");
    ExpectSolutions(all, kEmptyGrid);

    const std::pair<std::vector<std::string>, size_t> runs[] = {
        {{"solve", path}, 100},
        {{"solve", path, "--limit", "1"}, 2},
        {{"solve", "--limit=3", path}, 4},
        {{"solve", path, "--limit", "0"}, 0}};
    for (const auto& [arguments, count] : runs) {
        SCOPED_TRACE(arguments.back());
        std::string expected;
        for (size_t i = 0; i < count; ++i) {
            expected += all[i] + "\n";
        }
        const ToolResult result = RunTool(arguments);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, expected);
    }
}

// With every sign its solution allows and no given, the board still has
// several solutions, but far fewer than the empty grid, and each obeys them.
TEST(SolveCommand, SignsNarrowTheSolutions) {
    std::vector<Sign> signs;
    for (int square = 0; square < 81; ++square) {
        for (int other : {square + 1, square + 9}) {
            if (other == square + 1 ? square % 3 != 2 : square / 9 % 3 != 2) { // one block
                signs.push_back(std::minmax(square, other, [](int a, int b) {
                    return kUniqueSolution[a] < kUniqueSolution[b];
                }));
            }
        }
    }
    std::string level = LevelImage(kEmptyGrid);
    for (const Sign& sign : signs) {
        PlaceSign(level, sign);
    }
    TempFolder folder;
    const ToolResult result = RunTool({"solve", folder.Write("signs.lvl", level)});
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> lines = Lines(result.out);
    EXPECT_GT(lines.size(), 1u);
    EXPECT_LT(lines.size(), 100u);
    ExpectSolutions(lines, kEmptyGrid, signs);
    EXPECT_NE(std::find(lines.begin(), lines.end(), kUniqueSolution), lines.end());
}

// Two fives in one row, a candidate struck out that the only solution needs,
// and a file of zeros (no square has a candidate).
TEST(SolveCommand, UnsolvableLevelsPrintNothing) {
    std::string clash = kUniquePuzzle;
    clash[0] = '5';
    std::string struck = LevelImage(kUniquePuzzle);
    struck[NumberOffset(0) + 6] = 0; // square 0 must be 6
    TempFolder folder;
    for (const std::string& level : {LevelImage(clash), struck, std::string(kGridFileSize, '\0')}) {
        const ToolResult result = RunTool({"solve", folder.Write("none.lvl", level)});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
    }
}

TEST(ShowCommand, DrawsDigitsAndSigns) {
    std::string level = LevelImage(kUniquePuzzle);
    PlaceSign(level, {1, 0});  // square 1 is smaller than its left neighbour
    PlaceSign(level, {10, 1}); // and greater than the square below it
    TempFolder folder;
    const ToolResult result = RunTool({"show", folder.Write("show.lvl", level)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.substr(0, 78), "+-------+-------+-------+\n"
                                        "| .>5 . | . 8 3 | . 1 7 |\n"
                                        "|   v   |       |       |\n");
}

// A file of puzzles with known solution counts, one "puzzle:count" or
// "puzzle:count:solution" a line: every solution of a puzzle with fewer than
// the 100 of the default limit is printed, at least 100 of one with more.
TEST(SolveCommand, KnownSolutionCounts) {
    std::ifstream list(std::string(NEREKU_TEST_DATA_DIR) + "/tdoku_test_puzzles_with_counts.txt");
    TempFolder folder;
    int puzzles = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        ++puzzles;
        SCOPED_TRACE(line);
        std::istringstream fields(line);
        std::string puzzle, count, solution;
        std::getline(std::getline(std::getline(fields, puzzle, ':'), count, ':'), solution);
        const ToolResult result =
            RunTool({"solve", folder.Write("counted.lvl", LevelImage(puzzle))});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        const size_t known = std::stoul(count);
        EXPECT_TRUE(known < 100 ? lines.size() == known : lines.size() >= 100) << lines.size();
        ExpectSolutions(lines, puzzle);
        if (!solution.empty()) {
            EXPECT_EQ(lines, std::vector<std::string>{solution});
        }
    }
    EXPECT_EQ(puzzles, 43);
}
