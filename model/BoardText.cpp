// Boards as text, for the command-line tool, the tests and the benchmarks.
#include "BoardText.h"

#include <algorithm>
#include <cstring>

std::string BoardDigits(const Square (&squares)[kSquareCount]) {
    std::string digits(kSquareCount, '0');
    for (int i = 0; i < kSquareCount; ++i) {
        digits[i] = static_cast<char>('0' + (squares[i].number % 10));
    }
    return digits;
}

bool LoadPuzzleDigits(CNerekuEngine& engine, std::string_view line) {
    if (line.size() != kSquareCount) {
        return false;
    }
    for (char ch : line) {
        if (ch != '.' && (ch < '0' || ch > '9')) {
            return false;
        }
    }
    engine.ResetGrid();
    for (int i = 0; i < kSquareCount; ++i) {
        if (line[i] >= '1' && line[i] <= '9') {
            engine.squares[i].fixed = 1;
            SetSquareToDigit(engine.squares[i], static_cast<unsigned char>(line[i] - '0'));
        }
    }
    return true;
}

std::string BoardLine(const CNerekuEngine& engine) {
    static const char kHex[] = "0123456789abcdef";
    std::string line = BoardDigits(engine.squares);
    for (char& ch : line) {
        ch = ch == '0' ? '.' : ch;
    }
    line += ' ';
    for (EdgeMask mask : engine.edgeMasks) {
        line += kHex[mask >> 4];
        line += kHex[mask & 15];
    }
    return line;
}

bool LoadBoardLine(CNerekuEngine& engine, std::string_view line) {
    auto hexValue = [](char ch) {
        return ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
    };
    std::string_view signs;
    if (line.size() > kSquareCount) {
        signs = line.substr(kSquareCount + 1);
        if (line[kSquareCount] != ' ' || signs.size() != 2 * kMaskImageSize) {
            return false;
        }
    }
    EdgeMask masks[kSquareCount] = {};
    for (size_t k = 0; k < signs.size(); ++k) {
        const int value = hexValue(signs[k]);
        if (value < 0) {
            return false;
        }
        masks[k / 2] = static_cast<EdgeMask>(masks[k / 2] | value << (k % 2 == 0 ? 4 : 0));
    }
    if (!LoadPuzzleDigits(engine, line.substr(0, std::min<size_t>(line.size(), kSquareCount)))) {
        return false;
    }
    std::memcpy(engine.edgeMasks, masks, sizeof(masks));
    engine.UpdateLevelHasEdges();
    return true;
}

namespace {

// The sign between a square and its right or lower neighbour, read from
// either half: '<' / '^' when the first square is the smaller.
char SignBetween(const EdgeMask* masks, int first, int second, bool horizontal) {
    const EdgeMask firstSmaller = horizontal ? kRightSmaller : kDownSmaller;
    const EdgeMask firstGreater = horizontal ? kRightGreater : kDownGreater;
    const EdgeMask secondGreater = horizontal ? kLeftGreater : kUpGreater;
    const EdgeMask secondSmaller = horizontal ? kLeftSmaller : kUpSmaller;
    if ((masks[first] & firstSmaller) || (masks[second] & secondGreater)) {
        return horizontal ? '<' : '^';
    }
    if ((masks[first] & firstGreater) || (masks[second] & secondSmaller)) {
        return horizontal ? '>' : 'v';
    }
    return ' ';
}

} // namespace

std::string RenderBoard(const CNerekuEngine& engine) {
    bool anySign = false;
    for (EdgeMask mask : engine.edgeMasks) {
        anySign = anySign || mask != 0;
    }
    const std::string border = "+-------+-------+-------+\n";
    std::string text = border;
    for (int row = 0; row < 9; ++row) {
        std::string line = "|";
        for (int column = 0; column < 9; ++column) {
            const int index = SquareIndex(row, column);
            const int number = engine.squares[index].number;
            line += (column % 3 == 0) ? ' ' : SignBetween(engine.edgeMasks, index - 1, index, true);
            line += number == 0 ? '.' : static_cast<char>('0' + number % 10);
            if (column % 3 == 2) {
                line += " |";
            }
        }
        text += line + "\n";
        if (row % 3 == 2) {
            text += border;
        } else if (anySign) {
            std::string signs = "|";
            for (int column = 0; column < 9; ++column) {
                const int index = SquareIndex(row, column);
                signs += ' ';
                signs += SignBetween(engine.edgeMasks, index, index + 9, false);
                if (column % 3 == 2) {
                    signs += " |";
                }
            }
            text += signs + "\n";
        }
    }
    return text;
}
