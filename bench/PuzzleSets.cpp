#include "PuzzleSets.h"

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

bool ReadPuzzleFile(const std::string& path, size_t limit, std::vector<std::string>& puzzles) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return false;
    }
    puzzles.clear();
    std::string line;
    while (std::getline(stream, line) && (limit == 0 || puzzles.size() < limit)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream words(line); // also drops a '\r' before the line feed
        std::string word;
        while (words >> word) {
            if (IsPuzzle(word)) {
                puzzles.push_back(word);
                break;
            }
        }
    }
    return true;
}
