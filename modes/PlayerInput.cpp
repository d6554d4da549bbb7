// What the player's mouse buttons do to a square in play.
#include "CNerekuEngine.h"

namespace {

bool IsSquare(int index, int digit) {
    return index >= 0 && index < kSquareCount && digit >= 1 && digit <= kDigitCount;
}

} // namespace

bool CNerekuEngine::PlayerWriteOrErase(int index, int digit) {
    if (!IsSquare(index, digit) || squares[index].fixed == 1) {
        return false;
    }
    Square& square = squares[index];
    if (square.number != 0) {
        MakeEmptySquare(square);
    } else {
        SetSquareToDigit(square, static_cast<unsigned char>(digit));
    }
    return true;
}

bool CNerekuEngine::PlayerToggleCandidate(int index, int digit) {
    if (!IsSquare(index, digit) || squares[index].fixed == 1) {
        return false;
    }
    Square& square = squares[index];
    if (square.number != 0) {
        square.number = 0;
        return true;
    }
    square.possible[digit - 1] = square.possible[digit - 1] ? 0 : 1;
    int count = 0;
    int last = 0;
    for (int d = 1; d <= kDigitCount; ++d) {
        if (square.possible[d - 1]) {
            ++count;
            last = d;
        }
    }
    if (count == 1) {
        square.number = static_cast<unsigned char>(last);
    }
    return true;
}
