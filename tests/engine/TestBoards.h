// Boards and signs for the engine's tests.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "BoardText.h"
#include "CNerekuEngine.h"

// The first solution of the empty grid, and a correct sudoku in general.
inline const char* const kSolvedGrid = "123456789"
                                       "456789123"
                                       "789123456"
                                       "231674895"
                                       "875912364"
                                       "694538217"
                                       "317265948"
                                       "542897631"
                                       "968341572";

// The engine with its sign-rule switch within reach, for the tests that
// search the same signs with and without the rule, or check that an
// operation sets it.
class TestEngine : public CNerekuEngine {
public:
    using CNerekuEngine::levelHasEdges;
};

// Puts a sign between two adjacent squares of a block, both halves mirrored,
// saying that square `smaller` holds the smaller number.
inline void PlaceSign(CNerekuEngine& engine, int smaller, int greater) {
    const int step = greater - smaller;
    EdgeMask toGreater = 0;   // the smaller square's "smaller than" bit
    EdgeMask fromSmaller = 0; // the greater square's "greater than" bit
    switch (step) {
    case 1:
        toGreater = kRightSmaller, fromSmaller = kLeftGreater;
        break;
    case -1:
        toGreater = kLeftSmaller, fromSmaller = kRightGreater;
        break;
    case 9:
        toGreater = kDownSmaller, fromSmaller = kUpGreater;
        break;
    default:
        toGreater = kUpSmaller, fromSmaller = kDownGreater;
        break;
    }
    engine.edgeMasks[smaller] |= toGreater;
    engine.edgeMasks[greater] |= fromSmaller;
    engine.UpdateLevelHasEdges();
}

// The candidates of a square as a string of digits, e.g. "4589".
inline std::string Candidates(const Square& square) {
    std::string text;
    for (int d = 0; d < 9; ++d) {
        if (square.possible[d]) {
            text += static_cast<char>('1' + d);
        }
    }
    return text;
}

inline void SetCandidates(Square& square, const std::string& digits) {
    for (int d = 0; d < 9; ++d) {
        square.possible[d] = digits.find(static_cast<char>('1' + d)) != std::string::npos;
    }
}

// Takes the digits `digits` (bit d - 1 for digit d) from a square's candidates.
inline void TakeDigits(Square& square, unsigned digits) {
    for (int d = 0; d < kDigitCount; ++d) {
        square.possible[d] &= static_cast<unsigned char>(~digits >> d & 1);
    }
}

// Every stored solution as 81 digits, in order.
inline std::vector<std::string> SolutionDigits(const CNerekuEngine& engine) {
    std::vector<std::string> result;
    for (int row = 0; row < engine.solutions.GetRowCount(); ++row) {
        Square board[kSquareCount];
        std::memcpy(board, engine.solutions.GetValue(row, 0, nullptr, true), sizeof(board));
        result.push_back(BoardDigits(board));
    }
    return result;
}
