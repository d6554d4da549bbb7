// Runs the built nereku program on level files in a temporary folder, and
// builds and checks those files independently of the engine.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "Grid.h"
#include "TempFolder.h"

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs nereku with the given arguments; stdout and stderr are collected whole.
ToolResult RunTool(const std::vector<std::string>& arguments);

// The text split at `separator`; a last piece without one still counts.
std::vector<std::string> Lines(const std::string& text, char separator = '\n');

// ---- Level images, built byte by byte as the file format lays them out.

// Where a square's number lies in a level image: after its fixed flag, and
// before its nine candidate flags.
constexpr size_t NumberOffset(int square) {
    return kMaskImageSize + 11 * square + 1;
}

// A level of 972 bytes without signs: the digits '1'-'9' of `digits` (81
// characters, '.' empty) are givens with that digit as their only candidate,
// every other square is empty with all nine candidates.
std::string LevelImage(const std::string& digits);

// A sign between two neighbours of one block; `smaller` holds the smaller number.
using Sign = std::pair<int, int>; // smaller, greater
void PlaceSign(std::string& level, Sign sign);

// The value of `key` in the tool's report of "key: value" lines; "<missing>"
// when it has none.
std::string Field(const std::string& out, const std::string& key);

// The clues of a level file: its givens as 81 characters ('.' empty) and its
// signs, after checking that the file is a clean level: 972 bytes, every
// number a given with only its own candidate, every empty square open to all
// nine, every sign inside a block and stored in both halves.
struct Clues {
    std::string digits;
    std::vector<Sign> signs;
    long Givens() const {
        return 81 - static_cast<long>(std::count(digits.begin(), digits.end(), '.'));
    }
};
Clues ReadClues(const std::string& path);
// The level image of those clues.
std::string LevelOf(const Clues& clues);

// Every line is a correct sudoku of 81 digits that keeps the digits of
// `givens` and the signs, and no line comes twice.
void ExpectSolutions(const std::vector<std::string>& lines, const std::string& givens,
                     const std::vector<Sign>& signs = {});

// Exit code 2, nothing on stdout, and one line on stderr that names the file
// and says why.
void ExpectFileRefused(const ToolResult& result, const std::string& path, const std::string& why);
