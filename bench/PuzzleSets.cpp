#include "PuzzleSets.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool IsPuzzle(const std::string& word) {
    if (word.size() != 81) {
        return false;
    }
    for (char ch : word) {
        if (ch != '.' && (ch < '0' || ch > '9')) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string SudokuDataFolder() {
    const char* folder = std::getenv("NEREKU_SUDOKU_DATA");
    return (folder != nullptr && *folder != '\0') ? folder : NEREKU_SUDOKU_DATA_DIR;
}

namespace {

// The lines of a file that are not empty or '#' comments, each as `take`
// makes it (an empty result drops the line), at most `limit` (0: all).
template <typename Take>
bool ReadLines(const std::string& path, size_t limit, std::vector<std::string>& kept, Take take) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return false;
    }
    kept.clear();
    std::string line;
    while (std::getline(stream, line) && (limit == 0 || kept.size() < limit)) {
        if (!line.empty() && line[0] != '#') {
            std::string item = take(line);
            if (!item.empty()) {
                kept.push_back(std::move(item));
            }
        }
    }
    return true;
}

} // namespace

bool ReadPuzzleFile(const std::string& path, size_t limit, std::vector<std::string>& puzzles) {
    return ReadLines(path, limit, puzzles, [](const std::string& line) {
        std::istringstream words(line); // also drops a '\r' before the line feed
        std::string word;
        while (words >> word) {
            if (IsPuzzle(word)) {
                return word;
            }
        }
        return std::string();
    });
}

bool ReadBoardFile(const std::string& path, size_t limit, std::vector<std::string>& boards) {
    return ReadLines(path, limit, boards, [](const std::string& line) {
        return line.substr(0, std::min(line.find("  #"), line.find('\r')));
    });
}
