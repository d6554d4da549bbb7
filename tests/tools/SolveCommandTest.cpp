// nereku solve and nereku show on real level files.
#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "SudokuChecks.h"
#include "ToolRunner.h"

namespace {

const std::string kEmptyGrid(81, '.');
const char* const kFirstOfEmptyGrid =
    "123456789456789123789123456231674895875912364694538217317265948542897631968341572";
// A puzzle with exactly one solution, and that solution.
const char* const kUniquePuzzle =
    ".5..83.17...1..4..3.4..56.8....3...9.9.8245....6....7...9....5...729..861.36.72.4";
const char* const kUniqueSolution =
    "652483917978162435314975628825736149791824563436519872269348751547291386183657294";

// Every sign that the solution above allows inside the given blocks: one
// between each two neighbours of a block, pointing at the smaller digit.
std::vector<std::pair<int, int>> SignsOfSolution(const std::vector<int>& blocks) {
    std::vector<std::pair<int, int>> signs;
    for (int block : blocks) {
        for (int k = 0; k < 9; ++k) {
            const int square = BlockSquare(block, k);
            std::vector<int> neighbours;
            if (k % 3 != 2) {
                neighbours.push_back(square + 1);
            }
            if (k / 3 != 2) {
                neighbours.push_back(square + 9);
            }
            for (int other : neighbours) {
                const bool smaller = kUniqueSolution[square] < kUniqueSolution[other];
                signs.emplace_back(smaller ? square : other, smaller ? other : square);
            }
        }
    }
    return signs;
}

std::string WriteLevel(const TempFolder& folder, const std::string& name,
                       const std::vector<unsigned char>& level) {
    const std::string path = folder.File(name);
    WriteBytes(path, level);
    return path;
}

} // namespace

TEST(SolveCommand, EmptyGridPrintsItsFirstHundredSolutions) {
    TempFolder folder;
    const ToolResult result =
        RunTool({"solve", WriteLevel(folder, "empty.lvl", LevelImage(kEmptyGrid))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines[0], kFirstOfEmptyGrid);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 100u);
    for (const std::string& line : lines) {
        EXPECT_TRUE(IsCorrectSudoku(line)) << line;
    }
    EXPECT_EQ(result.out.back(), '\n');
}

// The limit is tested before a branch opens, so the last branch point still
// tries its other digits: a limit of 1 gives 2 solutions, 3 gives 4. A limit of
// 0 opens no branch at all.
TEST(SolveCommand, LimitStopsNewBranches) {
    TempFolder folder;
    const std::string path = WriteLevel(folder, "empty.lvl", LevelImage(kEmptyGrid));
    const std::vector<std::string> all = Lines(RunTool({"solve", path}).out);

    const ToolResult one = RunTool({"solve", path, "--limit", "1"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(Lines(one.out), std::vector<std::string>(all.begin(), all.begin() + 2));

    const ToolResult three = RunTool({"solve", "--limit=3", path});
    EXPECT_EQ(Lines(three.out), std::vector<std::string>(all.begin(), all.begin() + 4));

    const ToolResult none = RunTool({"solve", path, "--limit", "0"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");

    const ToolResult many = RunTool({"solve", path, "--limit", "250"});
    EXPECT_EQ(Lines(many.out).size(), 250u);
}

TEST(SolveCommand, UniquePuzzlePrintsItsSolution) {
    TempFolder folder;
    const ToolResult result =
        RunTool({"solve", WriteLevel(folder, "unique.lvl", LevelImage(kUniquePuzzle))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, std::string(kUniqueSolution) + "\n");
}

// With every sign its solution allows and no given, the board still has
// several solutions, but far fewer than the empty grid, and each obeys them.
TEST(SolveCommand, SignsNarrowTheSolutions) {
    TempFolder folder;
    std::vector<unsigned char> level = LevelImage(kEmptyGrid);
    const auto signs = SignsOfSolution({0, 1, 2, 3, 4, 5, 6, 7, 8});
    for (const auto& sign : signs) {
        PlaceSign(level, sign.first, sign.second);
    }
    const ToolResult result = RunTool({"solve", WriteLevel(folder, "signs.lvl", level)});
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> lines = Lines(result.out);
    EXPECT_GT(lines.size(), 1u);
    EXPECT_LT(lines.size(), 100u);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size());
    for (const std::string& line : lines) {
        EXPECT_TRUE(IsCorrectSudoku(line)) << line;
        EXPECT_TRUE(KeepsSigns(line, signs)) << line;
    }
    EXPECT_NE(std::find(lines.begin(), lines.end(), kUniqueSolution), lines.end());
}

// Two squares side by side in one row and the two below them in another row
// that hold the same pair of digits crossed over: emptied, they can take the
// digits either way round, and one sign between the first two decides.
TEST(SolveCommand, OneSignPicksOneOfTwoSolutions) {
    const std::string solution = kUniqueSolution;
    int top = -1;
    int bottom = -1;
    for (int square = 0; square < 81 && top < 0; ++square) {
        for (int below = square + 9; below < 81 && ColumnOf(square) % 3 != 2; below += 9) {
            if (solution[below] == solution[square + 1] &&
                solution[below + 1] == solution[square]) {
                top = square;
                bottom = below;
                break;
            }
        }
    }
    ASSERT_GE(top, 0) << "the solution holds no such rectangle";
    std::string twoWays = solution;
    for (int square : {top, top + 1, bottom, bottom + 1}) {
        twoWays[static_cast<size_t>(square)] = '.';
    }
    TempFolder folder;
    std::vector<unsigned char> level = LevelImage(twoWays);
    const std::vector<std::string> plain =
        Lines(RunTool({"solve", WriteLevel(folder, "plain.lvl", level)}).out);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_NE(std::find(plain.begin(), plain.end(), solution), plain.end());

    const bool leftSmaller = solution[top] < solution[top + 1];
    PlaceSign(level, leftSmaller ? top : top + 1, leftSmaller ? top + 1 : top);
    const ToolResult withSign = RunTool({"solve", WriteLevel(folder, "signed.lvl", level)});
    EXPECT_EQ(withSign.exitCode, 0);
    EXPECT_EQ(withSign.out, solution + "\n");
}

TEST(SolveCommand, UnsolvableLevelsPrintNothing) {
    TempFolder folder;
    std::string clash = kUniquePuzzle;
    clash[0] = '5'; // a second 5 in the first row
    const ToolResult twoFives =
        RunTool({"solve", WriteLevel(folder, "clash.lvl", LevelImage(clash))});
    EXPECT_EQ(twoFives.exitCode, 0);
    EXPECT_EQ(twoFives.out, "");
    EXPECT_EQ(twoFives.err, "");

    // A candidate struck out by the player that the only solution needs.
    std::vector<unsigned char> struck = LevelImage(kUniquePuzzle);
    struck[NumberOffset(0) + 6] = 0; // square 0 must be 6
    const ToolResult wrongMark = RunTool({"solve", WriteLevel(folder, "struck.lvl", struck)});
    EXPECT_EQ(wrongMark.exitCode, 0);
    EXPECT_EQ(wrongMark.out, "");
}

TEST(ShowCommand, DrawsDigitsAndSigns) {
    std::vector<unsigned char> level = LevelImage(kUniquePuzzle);
    PlaceSign(level, 1, 0);  // square 1 is smaller than its left neighbour
    PlaceSign(level, 10, 1); // and greater than the square below it
    TempFolder folder;
    const ToolResult result = RunTool({"show", WriteLevel(folder, "show.lvl", level)});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "+-------+-------+-------+");
    EXPECT_EQ(lines[1], "| .>5 . | . 8 3 | . 1 7 |");
    EXPECT_EQ(lines[2], "|   v   |       |       |");
}
