// What the tool does with files it cannot use and arguments it does not
// understand: one line on stderr and exit code 2 for a file, the usage and
// exit code 1 for the arguments.
#include <filesystem>

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace {

const std::string kEmptyGrid(81, '.');

// One line on stderr that names the file and says why; nothing on stdout.
void ExpectFileRefused(const ToolResult& result, const std::string& path, const std::string& why) {
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(why), std::string::npos) << lines[0];
}

void ExpectUsage(const std::vector<std::string>& arguments) {
    const ToolResult result = RunTool(arguments);
    std::string shown;
    for (const std::string& argument : arguments) {
        shown += " '" + argument + "'";
    }
    EXPECT_EQ(result.exitCode, 1) << shown;
    EXPECT_EQ(result.out, "") << shown;
    EXPECT_NE(result.err.find("usage: nereku solve"), std::string::npos) << shown;
}

} // namespace

TEST(ReadErrors, MissingFileIsNamed) {
    TempFolder folder;
    const std::string path = folder.File("missing.lvl");
    ExpectFileRefused(RunTool({"solve", path}), path, "no such file");
    ExpectFileRefused(RunTool({"show", path}), path, "no such file");
    ExpectFileRefused(RunTool({"solve", folder.File("")}), folder.File(""), "folder");
}

TEST(ReadErrors, ShortFileIsRefused) {
    TempFolder folder;
    std::vector<unsigned char> level = LevelImage(kEmptyGrid);
    level.pop_back();
    const std::string path = folder.File("short.lvl");
    WriteBytes(path, level);
    ExpectFileRefused(RunTool({"solve", path}), path, "too short");
    ExpectFileRefused(RunTool({"show", path}), path, "too short");
    WriteBytes(path, {});
    ExpectFileRefused(RunTool({"solve", path}), path, "too short");
}

TEST(ReadErrors, ValuesOutOfRangeAreRefused) {
    TempFolder folder;
    const std::string path = folder.File("range.lvl");
    const size_t badBytes[] = {NumberOffset(40), FixedOffset(80), NumberOffset(80) + 9};
    const unsigned char badValues[] = {10, 2, 2};
    for (int k = 0; k < 3; ++k) {
        std::vector<unsigned char> level = LevelImage(kEmptyGrid);
        level[badBytes[k]] = badValues[k];
        WriteBytes(path, level);
        SCOPED_TRACE(k);
        ExpectFileRefused(RunTool({"solve", path}), path, "out of range");
    }
}

// Only the first 972 bytes count; a file of zeros is a board without a
// single candidate, which has no solution.
TEST(ReadErrors, LongAndZeroFilesAreRead) {
    TempFolder folder;
    std::vector<unsigned char> level = LevelImage(kEmptyGrid);
    level.resize(1000, 0xFF);
    const std::string path = folder.File("long.lvl");
    WriteBytes(path, level);
    const ToolResult longFile = RunTool({"solve", path, "--limit", "1"});
    EXPECT_EQ(longFile.exitCode, 0);
    EXPECT_EQ(Lines(longFile.out).size(), 2u);

    WriteBytes(path, std::vector<unsigned char>(kGridFileSize, 0));
    const ToolResult zeros = RunTool({"solve", path});
    EXPECT_EQ(zeros.exitCode, 0);
    EXPECT_EQ(zeros.out, "");
    EXPECT_EQ(zeros.err, "");
}

// Names are bytes on the command line: UTF-8 and a leading '-' after "--".
// (Windows hands a program its arguments in the ANSI code page, so the UTF-8
// name is tried elsewhere only.)
TEST(ReadErrors, UnusualNamesReachTheFile) {
    TempFolder folder;
    std::vector<std::string> names = {"-dash.lvl", "it's.lvl"};
#ifndef _WIN32
    names.push_back("Niveau \xC3\xA9t\xC3\xA9.lvl");
#endif
    for (const std::string& name : names) {
        const std::string path = folder.File(name);
        WriteBytes(path, LevelImage(kEmptyGrid));
        const ToolResult result = RunTool({"solve", "--limit", "1", "--", path});
        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_EQ(Lines(result.out).size(), 2u) << name;
    }
}

TEST(Arguments, BadArgumentsShowTheUsage) {
    ExpectUsage({});
    ExpectUsage({"solvee", "a.lvl"});
    ExpectUsage({"solve"});
    ExpectUsage({"solve", "a.lvl", "b.lvl"});
    ExpectUsage({"solve", "a.lvl", "--limit"});
    ExpectUsage({"solve", "a.lvl", "--limit", "x"});
    ExpectUsage({"solve", "a.lvl", "--limit", "-1"});
    ExpectUsage({"solve", "a.lvl", "--limit", "+5"});
    ExpectUsage({"solve", "a.lvl", "--limit", "5x"});
    ExpectUsage({"solve", "a.lvl", "--limit", "99999999999"});
    ExpectUsage({"solve", "a.lvl", "--limit", "1", "--limit", "2"});
    ExpectUsage({"solve", "a.lvl", "--count", "3"});
    ExpectUsage({"show", "a.lvl", "--limit", "3"});
    ExpectUsage({"show"});
    ExpectUsage({"generate", "a.lvl"});
    ExpectUsage({"generate", "--count", "82", "a.lvl"});
    ExpectUsage({"generate", "--count", "", "a.lvl"});
    ExpectUsage({"generate", "--count", "30", "--seed", "-7", "a.lvl"});
    ExpectUsage({"generate", "--count", "30"});
    ExpectUsage({"--help", "solve"});
}

TEST(Arguments, HelpGoesToStdout) {
    const ToolResult result = RunTool({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_NE(result.out.find("usage: nereku solve FILE.lvl [--limit N]"), std::string::npos);
    EXPECT_NE(result.out.find("nereku generate --count N [--seed S] FILE.lvl"), std::string::npos);
}
