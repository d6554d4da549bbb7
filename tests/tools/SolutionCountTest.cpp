// The tool against a file of puzzles with known solution counts: each line
// is "puzzle:count" or "puzzle:count:solution". With the limit of 100 the tool
// prints every solution of a puzzle that has fewer, and at least 100 of one
// that has more.
#include <fstream>

#include <gtest/gtest.h>

#include "SudokuChecks.h"
#include "ToolRunner.h"

namespace {

struct CountedPuzzle {
    std::string puzzle;
    long count = 0;
    std::string solution; // empty when the line gives none
};

std::vector<CountedPuzzle> ReadCountedPuzzles(const std::string& path) {
    std::vector<CountedPuzzle> puzzles;
    std::ifstream stream(path);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t colon = line.find(':');
        const size_t second = line.find(':', colon + 1);
        CountedPuzzle entry;
        entry.puzzle = line.substr(0, colon);
        entry.count = std::stol(line.substr(colon + 1, second - colon - 1));
        if (second != std::string::npos) {
            entry.solution = line.substr(second + 1);
        }
        puzzles.push_back(entry);
    }
    return puzzles;
}

} // namespace

TEST(SolutionCount, KnownCountsUpToTheLimit) {
    const std::vector<CountedPuzzle> puzzles = ReadCountedPuzzles(
        std::string(NEREKU_TEST_DATA_DIR) + "/tdoku_test_puzzles_with_counts.txt");
    ASSERT_EQ(puzzles.size(), 43u);
    TempFolder folder;
    const std::string path = folder.File("counted.lvl");
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const CountedPuzzle& entry = puzzles[i];
        SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + entry.puzzle);
        WriteBytes(path, LevelImage(entry.puzzle));
        const ToolResult result = RunTool({"solve", path});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        if (entry.count < 100) {
            EXPECT_EQ(static_cast<long>(lines.size()), entry.count);
        } else {
            EXPECT_GE(lines.size(), 100u);
        }
        for (const std::string& solution : lines) {
            EXPECT_TRUE(IsCorrectSudoku(solution) && KeepsGivens(solution, entry.puzzle))
                << solution;
        }
        if (!entry.solution.empty()) {
            EXPECT_EQ(lines, std::vector<std::string>{entry.solution});
        }
    }
}
