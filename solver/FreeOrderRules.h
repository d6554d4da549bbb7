// The elimination rules in whatever order is quickest: a placed digit is
// struck from its peers at once, a square left with one candidate is placed
// at once, and only units and signs that changed are looked at again.
//
// Why another order gives the same board. Read a board as its candidate sets,
// a number being a set of one. Every rule then only takes candidates away,
// and takes away more from a board that has fewer already (it is monotone):
// crossing off, a digit's only place in a unit, a sign's bounds (and,
// for the unique-place rule, a digit with no place at all ends the board).
// Rules of that kind, applied in any order until none changes anything,
// end at one and the same board, the greatest board below the start that
// none of them changes; this is the usual result for such propagation. Two
// differences to the member rules remain, and both mean that the board has
// no solution: a number that its own sign forbids (the member sign rule
// narrows empty squares only) and a square or unit left without a candidate
// or place. The rules are sound, so a board that has a solution keeps it
// under every rule, meets neither difference, and ends at the same board
// whatever the order; a board without solution stores nothing below it
// whatever the order. Both arguments need the rules to narrow only by facts
// every solution obeys: numbered squares whose candidate is their number,
// and signs told the same from both sides (SignsAreMirrored), so that the
// sign rule reads exactly the signs the checks hold.
#pragma once

#include "solver/SearchBoard.h"
#include "solver/SignLists.h"

// What changed and is still to be looked at. A square enters `singles` when
// its candidates shrink to one, a unit's digit enters `unique` when its
// places shrink to one: each happens once, so neither list overflows.
struct FreeWork {
    uint8_t singles[kSquareCount];            // squares left with one candidate, to be placed
    uint8_t unique[kUnitCount * kDigitCount]; // unit * 9 + digit - 1 with one place left
    int singleCount = 0;
    int uniqueCount = 0;
    SquareSet signSquares; // squares whose sign neighbours changed
    // For each digit (0 to 8), the units (one bit a unit) where its places
    // shrank: what the lines' rule is still to look at.
    uint32_t shrunk[kDigitCount] = {};
};

class FreeOrderRules {
public:
    // `narrowing`: the signs that narrow candidates, or nullptr for none;
    // `checked`: the signs every placement must keep with its filled
    // neighbours (the checks' signs, as ReadCheckedSigns reads them).
    FreeOrderRules(const SignList* narrowingSigns, const SignList& checkedSigns)
        : narrowing(narrowingSigns), checked(checkedSigns) {}

    // A worklist that has every rule look at the whole board. The numbers
    // on it must have been struck from their peers already (StrikeNumbers).
    FreeWork WholeBoard(const SearchBoard& board) const;

    // Strikes every number on the board from the candidates of its empty
    // peers, as a board read from the squares needs before the rules run on
    // it; false when that leaves a square without candidate. A digit left
    // without place is found by the rules.
    bool StrikeNumbers(SearchBoard& board) const;

    // Places a digit on an empty square and strikes it from the peers. False
    // when that breaks a unit or a sign: the board has no solution then.
    bool Place(SearchBoard& board, FreeWork& work, int index, int digit) const;

    // The rules until none changes anything; false as soon as the board is
    // shown to have no solution (a repeated digit, a broken sign, a square
    // without candidate or a digit without place), the board then left half
    // done.
    bool Propagate(SearchBoard& board, FreeWork& work) const;

    // The rules together with the lines' rule, until neither changes
    // anything: a digit whose places in a block lie on one line leaves the
    // rest of that line, and one whose places on a line lie in one block
    // leaves the rest of that block. False on a dead end, as Propagate. The
    // lines' rule narrows more than the member rules do, so a search that
    // must branch where they branch does not use it.
    bool PropagateWithLines(SearchBoard& board, FreeWork& work) const;

    // Takes the digits `lost`, which the empty square has, from its
    // candidates; false when that leaves it or a unit's digit without place.
    bool Drop(SearchBoard& board, FreeWork& work, int index, unsigned lost) const;

private:
    bool DropFrom(SearchBoard& board, FreeWork& work, int unit, unsigned rest, int d) const;
    bool SweepLines(SearchBoard& board, FreeWork& work) const;
    // Drop of the one digit `d` (0 to 8), kept inline; the places of the
    // units in `kept` (by kind) are left alone, where the caller empties them.
    bool DropOne(SearchBoard& board, FreeWork& work, int index, int d,
                 const uint8_t (&kept)[3]) const;

    const SignList* narrowing;
    const SignList& checked;
};
