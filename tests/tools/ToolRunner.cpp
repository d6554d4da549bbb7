#include "ToolRunner.h"

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

// One argument, quoted for the shell that std::system starts.
std::string Quoted(const std::string& argument) {
#ifdef _WIN32
    return "\"" + argument + "\"";
#else
    std::string quoted = "'";
    for (char ch : argument) {
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    }
    return quoted + "'";
#endif
}

} // namespace

ToolResult RunTool(const std::vector<std::string>& arguments) {
    TempFolder captures;
    std::string command = Quoted(NEREKU_TOOL_PATH);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    command += " >" + Quoted(captures.File("out")) + " 2>" + Quoted(captures.File("err"));
    ToolResult result;
#ifdef _WIN32
    result.exitCode = std::system(("\"" + command + "\"").c_str()); // cmd /c drops the outer quotes
#else
    const int status = std::system(command.c_str());
    result.exitCode = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
#endif
    result.out = ReadFile(captures.File("out"));
    result.err = ReadFile(captures.File("err"));
    return result;
}

std::vector<std::string> Lines(const std::string& text, char separator) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line, separator);) {
        lines.push_back(line);
    }
    return lines;
}

std::string LevelImage(const std::string& digits) {
    std::string level(kGridFileSize, '\0');
    for (int square = 0; square < kSquareCount; ++square) {
        const int given = digits.at(static_cast<size_t>(square)) == '.' ? 0 : digits[square] - '0';
        level[NumberOffset(square) - 1] = given > 0 ? 1 : 0;
        level[NumberOffset(square)] = static_cast<char>(given);
        for (int d = 1; d <= kDigitCount; ++d) {
            level[NumberOffset(square) + d] = (given == 0 || given == d) ? 1 : 0;
        }
    }
    return level;
}

void PlaceSign(std::string& level, Sign sign) {
    // Each square holds its own half of the sign, by where the other one lies.
    const std::map<int, std::pair<EdgeMask, EdgeMask>> halves = {
        {1, {kRightSmaller, kLeftGreater}},
        {-1, {kLeftSmaller, kRightGreater}},
        {9, {kDownSmaller, kUpGreater}},
        {-9, {kUpSmaller, kDownGreater}}};
    const auto& [smallerHalf, greaterHalf] = halves.at(sign.second - sign.first);
    level[static_cast<size_t>(sign.first)] |= smallerHalf;
    level[static_cast<size_t>(sign.second)] |= greaterHalf;
}

std::string Field(const std::string& out, const std::string& key) {
    for (const std::string& line : Lines(out)) {
        if (line.rfind(key + ": ", 0) == 0) {
            return line.substr(key.size() + 2);
        }
    }
    return "<missing>";
}

Clues ReadClues(const std::string& path) {
    const std::string level = ReadFile(path);
    Clues clues;
    EXPECT_EQ(level.size(), kGridFileSize) << path;
    if (level.size() != kGridFileSize) {
        return clues;
    }
    for (int square = 0; square < kSquareCount; ++square) {
        const char number = level[NumberOffset(square)];
        clues.digits += number == 0 ? '.' : static_cast<char>('0' + number);
        const auto mask = static_cast<EdgeMask>(level[static_cast<size_t>(square)]);
        EXPECT_EQ(mask & ~SignBitsInsideBlock(square), 0) << "square " << square;
        for (const SignDirection& direction : kSignDirections) {
            if (mask & direction.smaller) {
                clues.signs.push_back({square, square + direction.offset});
            }
        }
    }
    EXPECT_EQ(level, LevelOf(clues)) << "each sign in both halves, and nothing else";
    return clues;
}

std::string LevelOf(const Clues& clues) {
    std::string level = LevelImage(clues.digits);
    for (const Sign& sign : clues.signs) {
        PlaceSign(level, sign);
    }
    return level;
}

void ExpectSolutions(const std::vector<std::string>& lines, const std::string& givens,
                     const std::vector<Sign>& signs) {
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size());
    for (const std::string& line : lines) {
        ASSERT_EQ(line.find_first_not_of("123456789"), std::string::npos) << line;
        ASSERT_EQ(line.size(), 81u) << line;
        for (int unit = 0; unit < 9; ++unit) { // row, column and block hold each digit once
            std::set<char> row, column, block;
            for (int k = 0; k < 9; ++k) {
                row.insert(line[unit * 9 + k]);
                column.insert(line[k * 9 + unit]);
                block.insert(line[(3 * (unit / 3) + k / 3) * 9 + 3 * (unit % 3) + k % 3]);
            }
            ASSERT_EQ(row.size() + column.size() + block.size(), 27u) << line;
        }
        for (size_t i = 0; i < givens.size(); ++i) {
            EXPECT_TRUE(givens[i] == '.' || givens[i] == line[i]) << line << " at " << i;
        }
        for (const Sign& sign : signs) {
            EXPECT_LT(line[static_cast<size_t>(sign.first)], line[static_cast<size_t>(sign.second)])
                << line;
        }
    }
}

void ExpectFileRefused(const ToolResult& result, const std::string& path, const std::string& why) {
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(why), std::string::npos) << lines[0];
}
