// Independent checks of the tool's output lines: 81 digits that make a
// correct sudoku, agree with a level's givens and obey its signs.
#pragma once

#include <string>
#include <utility>
#include <vector>

inline bool IsCorrectSudoku(const std::string& digits) {
    if (digits.size() != 81) {
        return false;
    }
    for (int unit = 0; unit < 9; ++unit) {
        std::string row, column, block;
        for (int k = 0; k < 9; ++k) {
            row += digits[unit * 9 + k];
            column += digits[k * 9 + unit];
            block += digits[(3 * (unit / 3) + k / 3) * 9 + 3 * (unit % 3) + k % 3];
        }
        for (const std::string* group : {&row, &column, &block}) {
            for (char d = '1'; d <= '9'; ++d) {
                if (group->find(d) == std::string::npos) {
                    return false;
                }
            }
        }
    }
    return true;
}

// Every digit '1'-'9' of `givens` stands at the same place in `digits`.
inline bool KeepsGivens(const std::string& digits, const std::string& givens) {
    for (size_t i = 0; i < givens.size() && i < digits.size(); ++i) {
        if (givens[i] >= '1' && givens[i] <= '9' && givens[i] != digits[i]) {
            return false;
        }
    }
    return digits.size() == givens.size();
}

// Each pair (smaller, greater) of squares holds a smaller and a greater digit.
inline bool KeepsSigns(const std::string& digits, const std::vector<std::pair<int, int>>& signs) {
    for (const auto& sign : signs) {
        if (digits.at(static_cast<size_t>(sign.first)) >=
            digits.at(static_cast<size_t>(sign.second))) {
            return false;
        }
    }
    return true;
}
