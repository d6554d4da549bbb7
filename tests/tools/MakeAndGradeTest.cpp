// nereku make, nereku grade and nereku hint on real level files.
#include <algorithm>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace {

// A correct sudoku, and one of its rectangles that can swap: rows 4 and 7 hold
// 3 and 6 in columns 6 and 7, crosswise, in two blocks. Without those four
// squares the grid has two solutions; a sign can settle which.
const std::string kGrid = "123456789456789123789123456231674895875912364"
                          "694538217317265948542897631968341572";
constexpr int kRectangle[] = {42, 43, 69, 70};

std::string WithoutRectangle() {
    std::string digits = kGrid;
    for (int square : kRectangle) {
        digits[static_cast<size_t>(square)] = '.';
    }
    return digits;
}

} // namespace

// The rectangle decided by one sign: against a settled neighbour (its 5
// below puts the 6 above it) is easy; between two open squares of the
// rectangle it takes a bound from the neighbour's range. Without a sign, and
// with givens that clash, there is no one solution to grade.
TEST(GradeCommand, TechniquesDecideTheGrade) {
    TempFolder folder;
    std::string settled = LevelImage(WithoutRectangle());
    PlaceSign(settled, {78, 69});
    std::string chained = LevelImage(WithoutRectangle());
    PlaceSign(chained, {42, 43});
    std::string clash = kGrid;
    clash[0] = clash[1];
    // A saved game of it, where the player struck out the digit the solution
    // has in an empty square: notes are not the puzzle.
    std::string noted = settled;
    noted[NumberOffset(kRectangle[0]) + static_cast<size_t>(kGrid[kRectangle[0]] - '0')] = 0;
    const std::string settledReport =
        "grade: Easy\nsolutions: 1\ntechniques: naked single 4, settled sign 1\n"
        "givens: 77\nsigns: 1\n";
    const std::map<std::string, std::string> expected = {
        {settled, settledReport},
        {noted, settledReport},
        {chained, "grade: Medium\nsolutions: 1\ntechniques: naked single 4, sign chain 1\n"
                  "givens: 77\nsigns: 1\n"},
        {LevelImage(WithoutRectangle()), "grade: none\nsolutions: 2\ngivens: 77\nsigns: 0\n"},
        {LevelImage(clash), "grade: none\nsolutions: 0\ngivens: 81\nsigns: 0\n"},
        {LevelImage(std::string(81, '.')),
         "grade: none\nsolutions: 100 or more\ngivens: 0\nsigns: 0\n"},
    };
    for (const auto& [level, report] : expected) {
        const ToolResult result = RunTool({"grade", folder.Write("level.lvl", level)});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, report);
    }
    // The game's hint for the same boards: the grader's first step, the
    // given that repeats a digit, and a full board.
    const std::map<std::string, std::string> hints = {
        {settled, "Sign: row 8, column 7 is greater than its lower neighbour, so it cannot be "
                  "3.\nsquare: 8 7\n"},
        {chained, "Sign chain: row 5, column 7 cannot be 6: the signs through it, and the digits "
                  "its neighbours can still take, keep it from 1 to 5.\nsquare: 5 7\n"},
        {LevelImage(clash), "A rule is broken: row 1, column 2 holds 2, and so does another "
                            "square of its row.\nsquare: 1 2\n"},
        {LevelImage(kGrid), "The board is solved: there is nothing left to do.\nsquare: none\n"},
    };
    for (const auto& [level, hint] : hints) {
        const ToolResult result = RunTool({"hint", folder.Write("level.lvl", level)});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, hint);
    }

    // A well-known hard plain sudoku: the easy and medium techniques stall.
    const ToolResult hard = RunTool(
        {"grade", folder.Write("hard.lvl", LevelImage("1....7.9..3..2...8..96..5....53..9...1..8..."
                                                      "26....4...3......1..4......7..7...3.."))});
    EXPECT_EQ(Field(hard.out, "grade"), "Hard");
    EXPECT_NE(Field(hard.out, "techniques").find("trial "), std::string::npos) << hard.out;
}

// A made level: the same seed makes it again, byte for byte; it keeps to its
// bounds and has one solution, which keeps its givens and signs; no clue can
// go without a second solution appearing; and grade reports it as make did.
TEST(MakeCommand, OneSolutionNoSpareClueSameSeedSameLevel) {
    TempFolder folder;
    const std::string path = folder.File("made.lvl");
    const ToolResult made = RunTool({"make", "--signs", "6", "--seed", "11", path});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.err, "");
    std::vector<std::string> keys; // the report's lines, in order
    for (const std::string& line : Lines(made.out)) {
        keys.push_back(line.substr(0, line.find(": ")));
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"grade", "solutions", "techniques", "givens", "signs",
                                              "seed", "attempts"}));
    const Clues clues = ReadClues(path);
    EXPECT_LE(clues.signs.size(), 6u);
    EXPECT_EQ(Field(made.out, "signs"), std::to_string(clues.signs.size()));
    EXPECT_EQ(Field(made.out, "givens"), std::to_string(clues.Givens()));

    const std::vector<std::string> solutions = Lines(RunTool({"solve", path}).out);
    EXPECT_EQ(solutions.size(), 1u);
    ExpectSolutions(solutions, clues.digits, clues.signs);

    for (size_t k = 0; k < clues.digits.size() + clues.signs.size(); ++k) {
        Clues fewer = clues;
        if (k < clues.digits.size()) {
            if (clues.digits[k] == '.') {
                continue;
            }
            fewer.digits[k] = '.';
        } else {
            fewer.signs.erase(fewer.signs.begin() + static_cast<long>(k - clues.digits.size()));
        }
        const std::string spare = folder.Write("fewer.lvl", LevelOf(fewer));
        EXPECT_GE(Lines(RunTool({"solve", spare, "--limit", "2"}).out).size(), 2u)
            << "clue " << k << " is not needed";
    }

    const ToolResult graded = RunTool({"grade", path});
    EXPECT_EQ(graded.out, made.out.substr(0, made.out.find("seed:")));

    const std::string again = folder.File("again.lvl");
    ASSERT_EQ(RunTool({"make", again, "--seed=11", "--signs=6"}).exitCode, 0);
    EXPECT_EQ(ReadFile(again), ReadFile(path));
    // The seed it reports makes the same level at the first attempt.
    const ToolResult reported =
        RunTool({"make", "--signs", "6", "--seed", Field(made.out, "seed"), again});
    EXPECT_EQ(Field(reported.out, "attempts"), "1");
    EXPECT_EQ(ReadFile(again), ReadFile(path));
    ASSERT_EQ(RunTool({"make", "--signs", "6", "--seed", "12", again}).exitCode, 0);
    EXPECT_NE(ReadFile(again), ReadFile(path));
}

// Each grade asked for is the grade that grade then finds; the bounds hold,
// and bounds that allow no single solution end in exit code 3 and no file.
TEST(MakeCommand, GradesAndBoundsAreKept) {
    TempFolder folder;
    const struct {
        const char* grade;
        const char* givens;
        const char* signs;
        const char* expected;
    } cases[] = {{"easy", "81", "3", "Easy"},
                 {"MEDIUM", "40", "10", "Medium"},
                 {"hard", "30", "20", "Hard"}};
    for (const auto& wanted : cases) {
        SCOPED_TRACE(wanted.grade);
        const std::string path = folder.File(std::string(wanted.grade) + ".lvl");
        const ToolResult made = RunTool({"make", "--grade", wanted.grade, "--givens", wanted.givens,
                                         "--signs", wanted.signs, "--seed", "3", path});
        ASSERT_EQ(made.exitCode, 0) << made.err;
        EXPECT_EQ(Field(made.out, "grade"), wanted.expected);
        EXPECT_EQ(Field(RunTool({"grade", path}).out, "grade"), wanted.expected);
        const Clues clues = ReadClues(path);
        EXPECT_LE(clues.Givens(), std::stol(wanted.givens));
        EXPECT_LE(clues.signs.size(), std::stoul(wanted.signs));
    }

    const std::string never = folder.File("never.lvl");
    const ToolResult impossible = RunTool({"make", "--givens", "0", "--signs", "0", never});
    EXPECT_EQ(impossible.exitCode, 3);
    EXPECT_EQ(impossible.out, "");
    EXPECT_EQ(impossible.err,
              "nereku: no level with one solution within these bounds after 1000 attempts\n");
    EXPECT_FALSE(std::ifstream(never).good());
}
