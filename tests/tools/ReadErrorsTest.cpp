// What the tool does with files it cannot use and arguments it does not
// understand: one line on stderr and exit code 2 for a file, the usage and
// exit code 1 for the arguments.
#include <optional>

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace {

const std::string kEmptyLevel = LevelImage(std::string(81, '.'));

std::string WithByte(std::string level, size_t at, char value) {
    level[at] = value;
    return level;
}

} // namespace

TEST(ReadErrors, UnusableFilesAreRefused) {
    const struct {
        const char* command;
        const char* name;
        std::optional<std::string> bytes; // none: the file is not made
        const char* why;
    } cases[] = {
        {"solve", "missing.lvl", std::nullopt, "no such file"},
        {"show", "missing.lvl", std::nullopt, "no such file"},
        {"solve", "", std::nullopt, "folder"}, // the folder itself
        {"solve", "short.lvl", kEmptyLevel.substr(0, kGridFileSize - 1), "too short"},
        {"solve", "empty.lvl", "", "too short"},
        {"solve", "number.lvl", WithByte(kEmptyLevel, NumberOffset(40), 10), "out of range"},
        {"solve", "fixed.lvl", WithByte(kEmptyLevel, NumberOffset(80) - 1, 2), "out of range"},
        {"solve", "candidate.lvl", WithByte(kEmptyLevel, NumberOffset(80) + 9, 2), "out of range"},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(std::string(refused.command) + " " + refused.name);
        TempFolder folder;
        const std::string path =
            refused.bytes ? folder.Write(refused.name, *refused.bytes) : folder.File(refused.name);
        ExpectFileRefused(RunTool({refused.command, path}), path, refused.why);
    }
    // "--" ends the options: what follows is a file even when it starts with '-'.
    ExpectFileRefused(RunTool({"solve", "--", "-missing.lvl"}), "-missing.lvl", "no such file");
}

// Only the first 972 bytes count, and names are bytes on the command line: a
// quote, UTF-8. (Windows hands a program its arguments in the ANSI code page,
// so the UTF-8 name is tried elsewhere only.)
TEST(ReadErrors, LongFilesAndUnusualNamesAreRead) {
    std::vector<std::string> names = {"long.lvl", "it's.lvl"};
#ifndef _WIN32
    names.push_back("Niveau \xC3\xA9t\xC3\xA9.lvl");
#endif
    TempFolder folder;
    for (const std::string& name : names) {
        const std::string path = folder.Write(name, kEmptyLevel + std::string(28, '\xFF'));
        const ToolResult result = RunTool({"solve", "--limit", "1", "--", path});
        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_EQ(Lines(result.out).size(), 2u) << name;
    }
}

// Each bad case is the arguments joined by single blanks ("--count  a.lvl":
// an empty count).
TEST(Arguments, BadArgumentsShowTheUsageAndHelpGoesToStdout) {
    for (const char* arguments : {"",
                                  "solvee a.lvl",
                                  "solve",
                                  "solve a.lvl b.lvl",
                                  "solve a.lvl --limit",
                                  "solve a.lvl --limit x",
                                  "solve a.lvl --limit -1",
                                  "solve a.lvl --limit +5",
                                  "solve a.lvl --limit 5x",
                                  "solve a.lvl --limit 99999999999",
                                  "solve a.lvl --limit 1 --limit 2",
                                  "show a.lvl --limit 3",
                                  "generate a.lvl",
                                  "generate --count 82 a.lvl",
                                  "generate --count  a.lvl",
                                  "generate --count 30 --seed -7 a.lvl",
                                  "--help solve",
                                  "make",
                                  "make --signs 109 a.lvl",
                                  "make --givens 82 a.lvl",
                                  "make --grade extreme a.lvl",
                                  "make --grade a.lvl",
                                  "make --grade 1 a.lvl",
                                  "grade",
                                  "grade a.lvl --seed 1",
                                  "grade a.lvl b.lvl"}) {
        const ToolResult result = RunTool(Lines(arguments, ' '));
        EXPECT_EQ(result.exitCode, 1) << arguments;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("usage: nereku solve"), std::string::npos) << result.err;
    }

    const ToolResult help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_NE(help.out.find("usage: nereku solve FILE.lvl [--limit N]"), std::string::npos);
    EXPECT_NE(help.out.find("nereku generate --count N [--seed S] FILE.lvl"), std::string::npos);
    EXPECT_NE(help.out.find("nereku make [--givens N] [--signs N] [--grade G] [--seed S] FILE.lvl"),
              std::string::npos);
    EXPECT_NE(help.out.find("nereku grade FILE.lvl"), std::string::npos);
}
