// Runs the built nereku program and keeps the files of one test in a
// temporary folder of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/Grid.h"

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs nereku with the given arguments; stdout and stderr are collected whole.
ToolResult RunTool(const std::vector<std::string>& arguments);

// The text split at line feeds; a last line without one still counts.
std::vector<std::string> Lines(const std::string& text);

// A fresh folder for the running test, removed again with all its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of `name` inside the folder, as text.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path folder;
};

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const std::string& path);

// ---- Level images, built byte by byte as the file format lays them out.

// A level of 972 bytes: no signs; the digits '1'-'9' of `digits` (81
// characters, '.' or '0' empty) are givens with that digit as their only
// candidate, every other square empty with all nine candidates.
std::vector<unsigned char> LevelImage(const std::string& digits);

// Puts a sign into a level image between two squares of one block that stand
// side by side or one above the other: `smaller` holds the smaller number.
void PlaceSign(std::vector<unsigned char>& level, int smaller, int greater);

// Byte offsets of a square's fields in a level image.
constexpr size_t FixedOffset(int square) {
    return kMaskImageSize + 11 * square;
}
constexpr size_t NumberOffset(int square) {
    return FixedOffset(square) + 1;
}
