// The rules pass by pass. Each keeps the visiting order of its member twin
// wherever the order can change the board (unique places go unit by unit, the
// sign rule square by square in row-major order, both in place), and skips
// what cannot have changed since it last looked:
// - single candidates: only squares whose candidates changed;
// - crossing off: only numbers placed since the last time, because earlier
//   numbers have been struck from their peers already and no candidate ever
//   comes back;
// - unique places: only units whose places or digits changed, a digit's one
//   place read from the unit's place set;
// - signs: only squares whose sign neighbours changed, since a square already
//   narrowed by the same neighbours stays as it is.
#include "solver/RulePasses.h"

#include "Units.h"

RuleWork RulePasses::WholeBoard(const SearchBoard& board) const {
    RuleWork work;
    work.cleanNumbers = true;
    for (int i = 0; i < kSquareCount; ++i) {
        work.singles.Add(i);
        if (board.numbers[i] != 0) {
            work.placed[work.placedCount++] = static_cast<uint8_t>(i);
            work.cleanNumbers =
                work.cleanNumbers && board.candidates[i] == DigitBit(board.numbers[i]);
        }
    }
    work.units = (uint32_t{1} << kUnitCount) - 1;
    if (useSignRule) {
        work.signSquares = signs.squares;
    }
    return work;
}

void RulePasses::Place(SearchBoard& board, RuleWork& work, int index, int digit) const {
    PlaceDigit(board, index, digit);
    work.units |= kUnits.unitSet[index];
    if (useSignRule) {
        work.signSquares.Add(signs.readers[index]);
    }
    if (work.placedCount < kSquareCount) {
        work.placed[work.placedCount++] = static_cast<uint8_t>(index);
    }
}

void RulePasses::Drop(SearchBoard& board, RuleWork& work, int index, unsigned lost) const {
    DropCandidates(board, index, lost);
    Noted(board, work, index);
}

void RulePasses::Noted(const SearchBoard& board, RuleWork& work, int index) const {
    if (useSignRule) {
        work.signSquares.Add(signs.readers[index]);
    }
    if (board.numbers[index] == 0) {
        work.units |= kUnits.unitSet[index];
        if (kSets.count[board.candidates[index]] == 1) {
            work.singles.Add(index);
        }
    }
}

bool RulePasses::SetSingleNumbers(SearchBoard& board, RuleWork& work) const {
    bool changed = false;
    for (int i = work.singles.TakeFrom(0); i >= 0; i = work.singles.TakeFrom(i)) {
        if (board.numbers[i] == 0 && kSets.count[board.candidates[i]] == 1) {
            Place(board, work, i, kSets.lowestDigit[board.candidates[i]]);
            changed = true;
        }
    }
    return changed;
}

// A placed digit leaves the candidates of every other square of its row,
// column and block, numbered or not. Where numbered squares hold only their
// number and no digit repeats, the peers that have it are the digit's places
// in the three units.
bool RulePasses::MarkOffNeighbours(SearchBoard& board, RuleWork& work) const {
    bool changed = false;
    for (int k = 0; k < work.placedCount; ++k) {
        const int index = work.placed[k];
        const int d = board.numbers[index] - 1;
        if (work.cleanNumbers && !board.repeated) {
            for (uint8_t unit : kUnits.units[index]) {
                for (unsigned places = board.places[unit][d]; places != 0; places &= places - 1) {
                    const int peer = kUnits.squares[unit][LowestBit(places)];
                    if ((board.candidates[peer] >> d) & 1) { // a square in two of the units
                        DropDigit(board, peer, d);
                        Noted(board, work, peer);
                        changed = true;
                    }
                }
            }
            continue;
        }
        for (uint8_t peer : kPeerTable.peers[index]) {
            if ((board.candidates[peer] >> d) & 1) {
                DropDigit(board, peer, d);
                Noted(board, work, peer);
                changed = true;
            }
        }
    }
    work.placedCount = 0;
    return changed;
}

// Unit by unit in the member rule's order. The digits with one place are
// read before the unit's placements; a digit's one square may since have been
// taken by a lower digit, and then the digit is not placed.
bool RulePasses::SetUniqueNumbers(SearchBoard& board, RuleWork& work) const {
    bool changed = false;
    // Units after the one at hand that change are still seen in this pass;
    // the others wait for the next, as the member rule sees them only then.
    uint32_t thisPass = work.units;
    work.units = 0;
    while (thisPass != 0) {
        const int u = LowestBit(thisPass);
        thisPass &= thisPass - 1;
        const uint16_t(&places)[kDigitCount] = board.places[u];
        unsigned unique = 0;
        for (int d = 0; d < kDigitCount; ++d) {
            const unsigned set = places[d];
            unique |= (set != 0 && (set & (set - 1)) == 0) ? 1u << d : 0u;
        }
        unique &= ~unsigned{board.unitDigits[u]};
        for (; unique != 0; unique &= unique - 1) {
            const int d = LowestBit(unique);
            if (places[d] != 0) {
                Place(board, work, kUnits.squares[u][LowestBit(places[d])], d + 1);
                changed = true;
            }
        }
        const uint32_t later = work.units & ~((uint32_t{2} << u) - 1);
        thisPass |= later;
        work.units &= ~later;
    }
    return changed;
}

// In place and row-major: a square reads the already narrowed candidates of a
// neighbour visited before it, and a square visited before a neighbour
// changed waits for the next pass.
bool RulePasses::MarkOffEdgeLimited(SearchBoard& board, RuleWork& work) const {
    bool changed = false;
    for (int i = work.signSquares.TakeFrom(0); i >= 0; i = work.signSquares.TakeFrom(i + 1)) {
        if (board.numbers[i] != 0) {
            continue;
        }
        const unsigned set = NarrowedBySigns(board, signs.signs[i], board.candidates[i]);
        const unsigned lost = board.candidates[i] & ~set;
        if (lost != 0) {
            Drop(board, work, i, lost);
            changed = true;
        }
    }
    return changed;
}

void RulePasses::Propagate(SearchBoard& board, RuleWork& work) const {
    bool changed = true;
    while (changed) {
        changed = SetSingleNumbers(board, work);
        changed |= MarkOffNeighbours(board, work);
        changed |= SetUniqueNumbers(board, work);
        if (useSignRule) {
            changed |= MarkOffEdgeLimited(board, work);
        }
    }
}
