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

inline bool FreeOrderRules::DropOne(SearchBoard& board, FreeWork& work, int index, int d) const {
    const auto left = static_cast<uint16_t>(board.candidates[index] & ~(1u << d));
    board.candidates[index] = left;
    const uint8_t(&units)[3] = kUnits.units[index];
    const uint8_t(&places)[3] = kUnits.places[index];
    if (!LeavePlace(board, work, units[0], places[0], d) ||
        !LeavePlace(board, work, units[1], places[1], d) ||
        !LeavePlace(board, work, units[2], places[2], d)) {
        return false;
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
    // The square leaves the places of all its candidates; the placed digit's
    // other places in the three units are the peers that lose it. A
    // numbered peer holds only its own number, another digit, as the repeat
    // check above has shown.
    for (int kind = 0; kind < 3; ++kind) {
        const int unit = kUnits.units[index][kind];
        const int k = kUnits.places[index][kind];
        TakePlace(board, unit, k, digit - 1);
        for (unsigned digits = others; digits != 0; digits &= digits - 1) {
            if (!LeavePlace(board, work, unit, k, LowestBit(digits))) {
                return false;
            }
        }
    }
    for (int kind = 0; kind < 3; ++kind) {
        const int unit = kUnits.units[index][kind];
        for (unsigned peers = board.places[unit][digit - 1]; peers != 0; peers &= peers - 1) {
            const int peer = kUnits.squares[unit][LowestBit(peers)];
            if ((board.candidates[peer] & bit) != 0 && !DropOne(board, work, peer, digit - 1)) {
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
