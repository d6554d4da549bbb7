// nereku generate: random plain sudokus written as level files.
#include <gtest/gtest.h>

#include "SudokuChecks.h"
#include "ToolRunner.h"

namespace {

// The level file's numbers as 81 characters, '.' for an empty square.
std::string LevelDigits(const std::vector<unsigned char>& level) {
    std::string digits;
    for (int square = 0; square < kSquareCount; ++square) {
        const unsigned char number = level.at(NumberOffset(square));
        digits += number == 0 ? '.' : static_cast<char>('0' + number);
    }
    return digits;
}

// A generated level: no signs, every number a given with that digit as its
// only candidate, every other square empty with all nine candidates.
void ExpectPlainLevel(const std::vector<unsigned char>& level, int givens) {
    ASSERT_EQ(level.size(), kGridFileSize);
    for (size_t i = 0; i < kMaskImageSize; ++i) {
        EXPECT_EQ(level[i], 0) << "sign byte " << i;
    }
    int counted = 0;
    for (int square = 0; square < kSquareCount; ++square) {
        const int number = level[NumberOffset(square)];
        EXPECT_EQ(level[FixedOffset(square)], number > 0 ? 1 : 0) << "square " << square;
        for (int d = 1; d <= kDigitCount; ++d) {
            const int expected = (number == 0 || number == d) ? 1 : 0;
            EXPECT_EQ(level[NumberOffset(square) + d], expected) << "square " << square;
        }
        counted += number > 0 ? 1 : 0;
    }
    EXPECT_EQ(counted, givens);
}

ToolResult Generate(const std::string& count, const std::string& seed, const std::string& path) {
    return RunTool({"generate", "--count", count, "--seed", seed, path});
}

} // namespace

TEST(GenerateCommand, SameSeedSameLevel) {
    TempFolder folder;
    const std::string first = folder.File("first.lvl");
    const std::string second = folder.File("second.lvl");
    const ToolResult made = Generate("30", "7", first);
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out, "");
    EXPECT_EQ(made.err, "");
    EXPECT_EQ(Generate("30", "7", second).exitCode, 0);
    const std::vector<unsigned char> level = ReadBytes(first);
    ExpectPlainLevel(level, 30);
    EXPECT_EQ(ReadBytes(second), level);

    // Its solutions keep the givens; a plain level need not have only one.
    const ToolResult solved = RunTool({"solve", first});
    EXPECT_EQ(solved.exitCode, 0);
    const std::vector<std::string> lines = Lines(solved.out);
    EXPECT_GE(lines.size(), 1u);
    for (const std::string& line : lines) {
        EXPECT_TRUE(IsCorrectSudoku(line)) << line;
        EXPECT_TRUE(KeepsGivens(line, LevelDigits(level))) << line;
    }

    EXPECT_EQ(Generate("30", "8", second).exitCode, 0);
    EXPECT_NE(ReadBytes(second), level);
}

TEST(GenerateCommand, CountsFromNoneToAll) {
    TempFolder folder;
    const std::string path = folder.File("level.lvl");
    ASSERT_EQ(Generate("0", "1", path).exitCode, 0);
    ExpectPlainLevel(ReadBytes(path), 0);

    ASSERT_EQ(Generate("81", "1", path).exitCode, 0);
    const std::vector<unsigned char> full = ReadBytes(path);
    ExpectPlainLevel(full, 81);
    EXPECT_TRUE(IsCorrectSudoku(LevelDigits(full)));
    EXPECT_EQ(RunTool({"solve", path}).out, LevelDigits(full) + "\n");

    // Without --seed the level still has the requested givens.
    ASSERT_EQ(RunTool({"generate", path, "--count=20"}).exitCode, 0);
    ExpectPlainLevel(ReadBytes(path), 20);
}

// Writing replaces an older, longer file whole.
TEST(GenerateCommand, ReplacesAnExistingFile) {
    TempFolder folder;
    const std::string path = folder.File("old.lvl");
    WriteBytes(path, std::vector<unsigned char>(5000, 0xAA));
    ASSERT_EQ(Generate("25", "3", path).exitCode, 0);
    ExpectPlainLevel(ReadBytes(path), 25);
}

TEST(GenerateCommand, UnwritablePathIsNamed) {
    TempFolder folder;
    const std::string path = folder.File("no-such-folder") + "/level.lvl";
    const ToolResult result = Generate("30", "7", path);
    EXPECT_EQ(result.exitCode, 2);
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];

    const ToolResult onFolder = Generate("30", "7", folder.File(""));
    EXPECT_EQ(onFolder.exitCode, 2);
    EXPECT_NE(onFolder.err.find("folder"), std::string::npos) << onFolder.err;
}
