// nereku generate: random plain sudokus written as level files.
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#include "FileSizeLimit.h"
#include "ToolRunner.h"

namespace {

// The givens of a generated level, after checking that it is a clean level
// without signs, with `givens` of them.
std::string PlainLevelDigits(const std::string& path, long givens) {
    const Clues clues = ReadClues(path);
    EXPECT_TRUE(clues.signs.empty()) << path;
    EXPECT_EQ(clues.Givens(), givens) << path;
    return clues.digits;
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
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_EQ(made.out + made.err, "");
    EXPECT_EQ(Generate("30", "7", second).exitCode, 0);
    const std::string digits = PlainLevelDigits(first, 30);
    EXPECT_EQ(ReadFile(second), ReadFile(first));

    // Its solutions keep the givens; a plain level need not have only one.
    const std::vector<std::string> solutions = Lines(RunTool({"solve", first}).out);
    EXPECT_GE(solutions.size(), 1u);
    ExpectSolutions(solutions, digits);

    EXPECT_EQ(Generate("30", "8", second).exitCode, 0);
    EXPECT_NE(ReadFile(second), ReadFile(first));
}

// The first run replaces an older, longer file whole; the last has no seed
// and its count after the file.
TEST(GenerateCommand, CountsFromNoneToAll) {
    TempFolder folder;
    const std::string path = folder.Write("level.lvl", std::string(5000, '\xAA'));
    ASSERT_EQ(Generate("0", "1", path).exitCode, 0);
    PlainLevelDigits(path, 0);

    ASSERT_EQ(Generate("81", "1", path).exitCode, 0);
    const std::string full = PlainLevelDigits(path, 81);
    EXPECT_EQ(RunTool({"solve", path}).out, full + "\n");
    ExpectSolutions({full}, full);

    ASSERT_EQ(RunTool({"generate", path, "--count=20"}).exitCode, 0);
    PlainLevelDigits(path, 20);
}

// The complaint gives the system's reason. A disk that fills up during the
// write is played by the file size limit, which the tool inherits (with
// SIGXFSZ ignored, so that the write fails rather than kills it): the old file
// stays.
TEST(GenerateCommand, UnwritablePathIsNamedWithTheReason) {
    TempFolder folder;
    const std::string inMissingFolder = folder.File("no-such-folder") + "/level.lvl";
    ExpectFileRefused(Generate("30", "7", inMissingFolder), inMissingFolder, std::strerror(ENOENT));
    ExpectFileRefused(Generate("30", "7", folder.File("")), folder.File(""), "folder");
#ifndef _WIN32
    const std::string path = folder.Write("level.lvl", "old");
    const ToolResult full = WithFileSizeLimit(500, [&] { return Generate("30", "7", path); });
    ExpectFileRefused(full, path, std::strerror(EFBIG));
    EXPECT_EQ(ReadFile(path), "old");
#endif
}
