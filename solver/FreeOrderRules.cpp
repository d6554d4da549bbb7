// The rules in the quickest order (see FreeOrderRules.h for why the order
// does not matter where it is used). The places of a unit's digits do most of
// the work: a placed digit is struck only from the squares its three units
// still offer it, and a digit whose places shrink to one or none is noticed
// as they shrink, so no unit is ever scanned.
#include "solver/FreeOrderRules.h"

#include <cstring>

namespace {

// Takes square `k` of unit `unit` out of the places of digit `d` (0 to 8).
// False when a digit missing from the unit is left without a place; a digit
// left with one place is noted.
inline bool LeavePlace(SearchBoard& board, FreeWork& work, int unit, int k, int d) {
    const unsigned set = TakePlace(board, unit, k, d);
    work.shrunk[d] |= uint32_t{1} << unit;
    if ((set & (set - 1)) != 0 || (board.unitDigits[unit] & (1u << d)) != 0) {
        return true;
    }
    work.unique[work.uniqueCount++] = static_cast<uint8_t>(unit * kDigitCount + d);
    return set != 0;
}

} // namespace

FreeWork FreeOrderRules::WholeBoard(const SearchBoard& board) const {
    FreeWork work;
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] == 0 && kSets.count[board.candidates[i]] == 1) {
            work.singles[work.singleCount++] = static_cast<uint8_t>(i);
        }
    }
    for (int u = 0; u < kUnitCount; ++u) {
        for (int d = 0; d < kDigitCount; ++d) {
            const unsigned set = board.places[u][d];
            if ((set & (set - 1)) == 0 && (board.unitDigits[u] & (1u << d)) == 0) {
                work.unique[work.uniqueCount++] = static_cast<uint8_t>(u * kDigitCount + d);
            }
        }
    }
    if (narrowing != nullptr) {
        work.signSquares = narrowing->squares;
    }
    return work;
}

bool FreeOrderRules::Drop(SearchBoard& board, FreeWork& work, int index, unsigned lost) const {
    board.candidates[index] = static_cast<uint16_t>(board.candidates[index] & ~lost);
    for (; lost != 0; lost &= lost - 1) {
        const int d = LowestBit(lost);
        if (!LeavePlace(board, work, kUnits.units[index][0], kUnits.places[index][0], d) ||
            !LeavePlace(board, work, kUnits.units[index][1], kUnits.places[index][1], d) ||
            !LeavePlace(board, work, kUnits.units[index][2], kUnits.places[index][2], d)) {
            return false;
        }
    }
    const int count = kSets.count[board.candidates[index]];
    if (count == 0) {
        return false;
    }
    if (count == 1) {
        work.singles[work.singleCount++] = static_cast<uint8_t>(index);
    }
    if (narrowing != nullptr) {
        work.signSquares.Add(narrowing->readers[index]);
    }
    return true;
}

// Units that a dropped digit's places stay in: none.
constexpr uint8_t kNoUnits[3] = {0xFF, 0xFF, 0xFF};

inline bool FreeOrderRules::DropOne(SearchBoard& board, FreeWork& work, int index, int d,
                                    const uint8_t (&kept)[3]) const {
    const auto left = static_cast<uint16_t>(board.candidates[index] & ~(1u << d));
    board.candidates[index] = left;
    const uint8_t(&units)[3] = kUnits.units[index];
    const uint8_t(&places)[3] = kUnits.places[index];
    for (int kind = 0; kind < 3; ++kind) {
        if (units[kind] != kept[kind] && !LeavePlace(board, work, units[kind], places[kind], d)) {
            return false;
        }
    }
    if ((left & (left - 1)) == 0) {
        if (left == 0) {
            return false;
        }
        work.singles[work.singleCount++] = static_cast<uint8_t>(index);
    }
    if (narrowing != nullptr) {
        work.signSquares.Add(narrowing->readers[index]);
    }
    return true;
}

// All at once: each empty square loses the digits numbered in its units, and
// the places are read afresh from the candidates left.
bool FreeOrderRules::StrikeNumbers(SearchBoard& board) const {
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] == 0) {
            const uint8_t(&units)[3] = kUnits.units[i];
            const unsigned seen = board.unitDigits[units[0]] | board.unitDigits[units[1]] |
                                  board.unitDigits[units[2]];
            board.candidates[i] = static_cast<uint16_t>(board.candidates[i] & ~seen);
            if (board.candidates[i] == 0) {
                return false;
            }
        }
    }
    std::memset(board.places, 0, sizeof(board.places));
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] != 0) {
            continue;
        }
        for (int kind = 0; kind < 3; ++kind) {
            uint16_t(&places)[kDigitCount] = board.places[kUnits.units[i][kind]];
            const auto bit = static_cast<uint16_t>(1u << kUnits.places[i][kind]);
            for (unsigned digits = board.candidates[i]; digits != 0; digits &= digits - 1) {
                places[LowestBit(digits)] |= bit;
            }
        }
    }
    return true;
}

bool FreeOrderRules::Place(SearchBoard& board, FreeWork& work, int index, int digit) const {
    const uint16_t bit = DigitBit(digit);
    const unsigned others = board.candidates[index] & ~unsigned{bit};
    board.numbers[index] = static_cast<uint8_t>(digit);
    board.candidates[index] = bit;
    --board.emptySquares;
    for (uint8_t unit : kUnits.units[index]) {
        if (board.unitDigits[unit] & bit) {
            board.repeated = true;
            return false;
        }
        board.unitDigits[unit] = static_cast<uint16_t>(board.unitDigits[unit] | bit);
    }
    const SignNeighbours& signs = checked.signs[index];
    for (int k = 0; k < signs.count; ++k) {
        const int other = board.numbers[signs.neighbours[k]];
        if (other != 0 && (signs.greater[k] ? digit <= other : digit >= other)) {
            return false;
        }
    }
    if (narrowing != nullptr) {
        work.signSquares.Add(narrowing->readers[index]);
    }
    // The square leaves the places of its other candidates; the placed
    // digit's places in the three units, the square's own among them, are
    // emptied below. A numbered peer holds only its own number, another
    // digit, as the repeat check above has shown.
    for (int kind = 0; kind < 3; ++kind) {
        const int unit = kUnits.units[index][kind];
        const int k = kUnits.places[index][kind];
        for (unsigned digits = others; digits != 0; digits &= digits - 1) {
            if (!LeavePlace(board, work, unit, k, LowestBit(digits))) {
                return false;
            }
        }
    }
    // A peer loses the digit from its candidates and from the places of its
    // units other than the ones it shares with the square: those keep no
    // place for the digit, which is placed in them now. A peer in two of the
    // square's units has lost it when the second comes.
    const int d = digit - 1;
    const uint8_t(&own)[3] = kUnits.units[index];
    for (int kind = 0; kind < 3; ++kind) {
        const int unit = own[kind];
        const unsigned peers = board.places[unit][d] & ~(1u << kUnits.places[index][kind]);
        board.places[unit][d] = 0;
        for (unsigned left = peers; left != 0; left &= left - 1) {
            const int peer = kUnits.squares[unit][LowestBit(left)];
            if ((board.candidates[peer] & bit) != 0 && !DropOne(board, work, peer, d, own)) {
                return false;
            }
        }
    }
    return true;
}

bool FreeOrderRules::Propagate(SearchBoard& board, FreeWork& work) const {
    for (;;) {
        if (work.singleCount > 0) {
            const int index = work.singles[--work.singleCount];
            if (board.numbers[index] == 0 &&
                !Place(board, work, index, kSets.lowestDigit[board.candidates[index]])) {
                return false;
            }
        } else if (work.uniqueCount > 0) {
            // A digit with no place at all has ended the propagation where
            // its last place went; one already so is found here.
            const int entry = work.unique[--work.uniqueCount];
            const int unit = entry / kDigitCount;
            const int d = entry % kDigitCount;
            const unsigned set = board.places[unit][d];
            if ((board.unitDigits[unit] & (1u << d)) == 0 &&
                (set == 0 || !Place(board, work, kUnits.squares[unit][LowestBit(set)], d + 1))) {
                return false;
            }
        } else if (!work.signSquares.Empty()) {
            const int index = work.signSquares.TakeFrom(0);
            if (board.numbers[index] == 0) {
                const unsigned set =
                    NarrowedBySigns(board, narrowing->signs[index], board.candidates[index]);
                const unsigned lost = board.candidates[index] & ~set;
                if (lost != 0 && !Drop(board, work, index, lost)) {
                    return false;
                }
            }
        } else {
            return true;
        }
    }
}

namespace {

constexpr unsigned kBlockRow = 0x007;    // a block's places on its first row
constexpr unsigned kBlockColumn = 0x049; // a block's places on its first column

// For a unit's places (9 bits): the group of three places (0 to 2) that holds
// them all, and for a block's places the column of the block that holds them
// all; 3 where there is none, or no place at all. A line's groups are the
// blocks it crosses, a block's the rows it spans.
struct LineTables {
    uint8_t group[512];
    uint8_t column[512];
};

LineTables MakeLineTables() {
    LineTables tables{};
    for (unsigned set = 0; set < 512; ++set) {
        tables.group[set] = 3;
        tables.column[set] = 3;
        for (unsigned j = 0; j < 3 && set != 0; ++j) {
            if ((set & ~(kBlockRow << (3 * j))) == 0) {
                tables.group[set] = static_cast<uint8_t>(j);
            }
            if ((set & ~(kBlockColumn << j)) == 0) {
                tables.column[set] = static_cast<uint8_t>(j);
            }
        }
    }
    return tables;
}

const LineTables kLines = MakeLineTables();

} // namespace

// Takes digit `d` from the squares of `unit` at the places `rest`.
inline bool FreeOrderRules::DropFrom(SearchBoard& board, FreeWork& work, int unit, unsigned rest,
                                     int d) const {
    for (; rest != 0; rest &= rest - 1) {
        if (!DropOne(board, work, kUnits.squares[unit][LowestBit(rest)], d, kNoUnits)) {
            return false;
        }
    }
    return true;
}

// The lines' rule where places shrank: a block whose places of a digit
// shrank may now hold them on one line, and a line may now hold them in one
// block. A digit placed in a unit has no places left there, so only the
// places are read. False on a dead end.
bool FreeOrderRules::SweepLines(SearchBoard& board, FreeWork& work) const {
    for (int d = 0; d < kDigitCount; ++d) {
        uint32_t units = work.shrunk[d];
        work.shrunk[d] = 0;
        for (; units != 0; units &= units - 1) {
            const int unit = LowestBit(units);
            const unsigned set = board.places[unit][d];
            if (unit >= 18) {
                const int b = unit - 18;
                const int r = kLines.group[set];
                const int c = kLines.column[set];
                if (r < 3) {
                    const int row = 3 * (b / 3) + r;
                    const unsigned rest = board.places[row][d] & ~(7u << (3 * (b % 3)));
                    if (!DropFrom(board, work, row, rest, d)) {
                        return false;
                    }
                }
                if (c < 3) {
                    const int column = 9 + 3 * (b % 3) + c;
                    const unsigned rest = board.places[column][d] & ~(7u << (3 * (b / 3)));
                    if (!DropFrom(board, work, column, rest, d)) {
                        return false;
                    }
                }
                continue;
            }
            const int j = kLines.group[set];
            if (j < 3) {
                const int n = unit % 9;
                const int block = unit < 9 ? 18 + 3 * (n / 3) + j : 18 + 3 * j + n / 3;
                const unsigned own =
                    unit < 9 ? kBlockRow << (3 * (n % 3)) : kBlockColumn << (n % 3);
                if (!DropFrom(board, work, block, board.places[block][d] & ~own, d)) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool FreeOrderRules::PropagateWithLines(SearchBoard& board, FreeWork& work) const {
    for (;;) {
        if (!Propagate(board, work)) {
            return false;
        }
        uint32_t shrunk = 0;
        for (uint32_t units : work.shrunk) {
            shrunk |= units;
        }
        if (shrunk == 0) {
            return true;
        }
        if (!SweepLines(board, work)) {
            return false;
        }
    }
}
