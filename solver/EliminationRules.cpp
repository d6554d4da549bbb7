// The four rules that narrow a board before the search guesses, and the
// choice of the square to guess on. Each rule works in place on the squares,
// reads the signs but never writes them, and tells whether it changed
// anything. The search applies them at every node, so nothing here allocates.
#include "CNerekuEngine.h"
#include "Guarded.h"
#include "Units.h"

namespace {

int CandidateCount(const Square& square) {
    int count = 0;
    for (unsigned char flag : square.possible) {
        count += flag != 0;
    }
    return count;
}

// Clears one candidate flag; true when it was set.
bool ClearFlag(Square& square, int digit) {
    const bool wasSet = square.possible[digit - 1] != 0;
    square.possible[digit - 1] = 0;
    return wasSet;
}

// ---- Unique places.

// The k-th square of a row, column or block (pass 0, 1, 2) in scan order.
int UnitSquare(int pass, int unit, int k) {
    switch (pass) {
    case 0:
        return SquareIndex(unit, k);
    case 1:
        return SquareIndex(k, unit);
    default:
        return BlockSquare(unit, k);
    }
}

constexpr unsigned char kPlaced = 10;

// Places each digit that is missing from the unit and has exactly one empty
// square left for it. The tallies are taken once, before any placement.
bool PlaceUniqueDigitsOfUnit(Square* squares, int pass, int unit) {
    unsigned char tally[kDigitCount] = {};
    for (int k = 0; k < 9; ++k) {
        const Square& square = squares[UnitSquare(pass, unit, k)];
        if (square.number != 0) {
            if (square.number <= kDigitCount) {
                tally[square.number - 1] = kPlaced;
            }
            continue;
        }
        for (int d = 0; d < kDigitCount; ++d) {
            if (square.possible[d] && tally[d] < kPlaced) {
                ++tally[d];
            }
        }
    }
    bool changed = false;
    for (int digit = 1; digit <= kDigitCount; ++digit) {
        if (tally[digit - 1] != 1) {
            continue;
        }
        // The square may have been taken by a lower digit of this unit: then
        // this digit is not placed, and the search finds the contradiction.
        for (int k = 0; k < 9; ++k) {
            Square& square = squares[UnitSquare(pass, unit, k)];
            if (square.number == 0 && square.possible[digit - 1]) {
                SetSquareToDigit(square, static_cast<unsigned char>(digit));
                changed = true;
                break;
            }
        }
    }
    return changed;
}

// ---- Limits from signs.

// Narrows an empty square by its signs. A square greater than a neighbour
// loses every digit up to the neighbour's smallest candidate; one smaller
// than a neighbour loses every digit down to the neighbour's largest. With g
// neighbours below it (all different digits of its block) it is at least
// g + 1, and with s neighbours above it at most 9 - s.
bool NarrowBySigns(Square* squares, int index, EdgeMask mask) {
    Square& square = squares[index];
    bool changed = false;
    int greaterThan = 0;
    int smallerThan = 0;
    for (const SignDirection& look : kSignDirections) {
        const Square& neighbour = squares[index + look.offset];
        if (mask & look.greater) {
            ++greaterThan;
            for (int k = 1; k <= kDigitCount; ++k) {
                changed |= ClearFlag(square, k);
                if (neighbour.possible[k - 1]) {
                    break;
                }
            }
        } else if (mask & look.smaller) {
            ++smallerThan;
            for (int k = kDigitCount; k >= 1; --k) {
                changed |= ClearFlag(square, k);
                if (neighbour.possible[k - 1]) {
                    break;
                }
            }
        }
    }
    for (int k = 1; k <= greaterThan; ++k) {
        changed |= ClearFlag(square, k);
    }
    for (int k = 10 - smallerThan; k <= kDigitCount; ++k) {
        changed |= ClearFlag(square, k);
    }
    return changed;
}

} // namespace

// An empty square with a single candidate takes it as its number; its flags
// already hold only that digit. Clearing it from other squares is the next
// rule's work.
bool CNerekuEngine::SolveLevel_SetSingleNumbersToDetermined() {
    return NEREKU_GUARDED([&] {
        bool changed = false;
        for (Square& square : squares) {
            if (square.number != 0 || CandidateCount(square) != 1) {
                continue;
            }
            for (int d = 0; d < kDigitCount; ++d) {
                if (square.possible[d]) {
                    square.number = static_cast<unsigned char>(d + 1);
                }
            }
            changed = true;
        }
        return changed;
    });
}

// Every placed digit is struck from the candidates of the other squares of
// its row, column and block, filled or not; a square keeps its own flags.
bool CNerekuEngine::SolveLevel_MarkOffNeighboursOfDeterminedNumbers() {
    return NEREKU_GUARDED([&] {
        bool changed = false;
        for (int i = 0; i < kSquareCount; ++i) {
            const int number = squares[i].number;
            if (number == 0 || number > kDigitCount) {
                continue;
            }
            for (unsigned char peer : kPeerTable.peers[i]) {
                changed |= ClearFlag(squares[peer], number);
            }
        }
        return changed;
    });
}

// A digit that is missing from a unit and fits only one of its empty squares
// goes there: rows first, then columns, then blocks.
bool CNerekuEngine::SolveLevel_SetUniqueNumbersToDetermined() {
    return NEREKU_GUARDED([&] {
        bool changed = false;
        for (int pass = 0; pass < 3; ++pass) {
            for (int unit = 0; unit < 9; ++unit) {
                changed |= PlaceUniqueDigitsOfUnit(squares, pass, unit);
            }
        }
        return changed;
    });
}

// Narrows the empty squares by their signs, in place: a square visited later
// sees the already narrowed candidates of a neighbour visited earlier. A sign
// bit that would point out of the square's block is passed over.
bool CNerekuEngine::SolveLevel_MarkOffEdgeLimitedNumbers() {
    return NEREKU_GUARDED([&] {
        bool changed = false;
        for (int i = 0; i < kSquareCount; ++i) {
            const EdgeMask mask = edgeMasks[i] & SignBitsInsideBlock(i);
            if (squares[i].number == 0 && mask != 0) {
                changed |= NarrowBySigns(squares, i, mask);
            }
        }
        return changed;
    });
}

// The empty square with the fewest candidates, the earliest in row-major
// order among equals. False, with row and column untouched, on a full board.
bool CNerekuEngine::SolveLevel_FindLowestPossibleSquares(unsigned char* row,
                                                         unsigned char* column) {
    return NEREKU_GUARDED([&] {
        int best = 11;
        bool found = false;
        for (int i = 0; i < kSquareCount; ++i) {
            if (squares[i].number != 0) {
                continue;
            }
            const int count = CandidateCount(squares[i]);
            if (count < best) {
                best = count;
                found = true;
                if (row != nullptr) {
                    *row = static_cast<unsigned char>(RowOf(i));
                }
                if (column != nullptr) {
                    *column = static_cast<unsigned char>(ColumnOf(i));
                }
            }
        }
        return found;
    });
}
