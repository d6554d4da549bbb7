// The rules in the quickest order (see FreeOrderRules.h for why the order
// does not matter where it is used). The places of a unit's digits do most of
// the work: a placed digit is struck only from the squares its three units
// still offer it, and a digit whose places shrink to one or none is noticed
// as they shrink, so no unit is ever scanned.
#include "solver/FreeOrderRules.h"

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
    if (strong) {
        work.subsetUnits = (uint32_t{1} << kUnitCount) - 1;
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
    if (strong) {
        work.subsetUnits |= kUnits.unitSet[index];
    }
    return true;
}

// Looks for n empty squares of the unit whose candidates together are n
// digits: more such squares than digits leave no solution, as many take the
// digits from the other squares. After one change the unit is looked at
// again, with its new candidates.
bool FreeOrderRules::NarrowBySubsets(SearchBoard& board, FreeWork& work, int unit) const {
    uint8_t squares[9];
    uint16_t sets[9];
    int open = 0;
    for (uint8_t index : kUnits.squares[unit]) {
        if (board.numbers[index] == 0) {
            squares[open] = index;
            sets[open++] = board.candidates[index];
        }
    }
    for (int a = 0; a < open; ++a) {
        const unsigned digits = sets[a];
        const int size = kSets.count[digits];
        if (size > 4 || size >= open) {
            continue;
        }
        int inside = 0;
        for (int b = 0; b < open; ++b) {
            inside += (sets[b] & ~digits) == 0 ? 1 : 0;
        }
        if (inside > size) {
            return false;
        }
        if (inside < size) {
            continue;
        }
        bool changed = false;
        for (int b = 0; b < open; ++b) {
            const unsigned lost = sets[b] & digits;
            if ((sets[b] & ~digits) != 0 && lost != 0) {
                if (!Drop(board, work, squares[b], lost)) {
                    return false;
                }
                changed = true;
            }
        }
        if (changed) {
            return true;
        }
    }
    // The same with the roles of squares and digits swapped: n digits whose
    // places in the unit are n squares between them take those squares.
    const unsigned missing = kAllDigits & ~unsigned{board.unitDigits[unit]};
    for (unsigned digits = missing; digits != 0; digits &= digits - 1) {
        const unsigned places = board.places[unit][LowestBit(digits)];
        const int size = kSets.count[places];
        if (size > 4 || size >= open) {
            continue;
        }
        unsigned inside = 0;
        for (unsigned others = missing; others != 0; others &= others - 1) {
            const int d = LowestBit(others);
            inside |= (board.places[unit][d] & ~places) == 0 ? 1u << d : 0u;
        }
        if (kSets.count[inside] > size) {
            return false;
        }
        if (kSets.count[inside] < size) {
            continue;
        }
        bool changed = false;
        for (unsigned taken = places; taken != 0; taken &= taken - 1) {
            const int index = kUnits.squares[unit][LowestBit(taken)];
            const unsigned lost = board.candidates[index] & ~inside;
            if (lost != 0) {
                if (!Drop(board, work, index, lost)) {
                    return false;
                }
                changed = true;
            }
        }
        if (changed) {
            return true;
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
    if (strong) {
        work.subsetUnits |= kUnits.unitSet[index];
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
            if ((board.candidates[peer] & bit) != 0 && !Drop(board, work, peer, bit)) {
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
                unsigned set =
                    NarrowedBySigns(board, narrowing->signs[index], board.candidates[index]);
                if (strong) {
                    set = NarrowedByChains(board, *narrowing, index, set);
                }
                const unsigned lost = board.candidates[index] & ~set;
                if (lost != 0 && !Drop(board, work, index, lost)) {
                    return false;
                }
            }
        } else if (work.subsetUnits != 0) {
            const int unit = LowestBit(work.subsetUnits);
            work.subsetUnits &= work.subsetUnits - 1;
            if (!NarrowBySubsets(board, work, unit)) {
                return false;
            }
        } else {
            return true;
        }
    }
}
