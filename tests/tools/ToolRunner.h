// Runs the built nereku program on level files in a temporary folder, and
// builds and checks those files independently of the engine.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Grid.h"

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs nereku with the given arguments; stdout and stderr are collected whole.
ToolResult RunTool(const std::vector<std::string>& arguments);

// The text split at `separator`; a last piece without one still counts.
std::vector<std::string> Lines(const std::string& text, char separator = '\n');

std::string ReadFile(const std::string& path);

// A fresh folder for the running test, removed again with all its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of `name` inside the folder, as text.
    std::string File(const std::string& name) const { return (folder / name).string(); }
    // Writes `bytes` as the file `name` and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path folder;
};

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

// Every line is a correct sudoku of 81 digits that keeps the digits of
// `givens` and the signs, and no line comes twice.
void ExpectSolutions(const std::vector<std::string>& lines, const std::string& givens,
                     const std::vector<Sign>& signs = {});

// Exit code 2, nothing on stdout, and one line on stderr that names the file
// and says why.
void ExpectFileRefused(const ToolResult& result, const std::string& path, const std::string& why);
