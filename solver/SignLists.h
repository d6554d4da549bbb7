// The signs of a level, read once from the masks in the forms the search
// needs: as the sign rule reads them, as the checks read them, and as one
// list of "smaller < greater" facts that every stored solution obeys.
#pragma once

#include <cstdint>

#include "Grid.h"
#include "solver/SearchBoard.h"
#include "solver/SquareSet.h"

// The neighbours a square is narrowed by, each to be exceeded ("greater") or
// to stay below, and what the signs alone leave possible for the square.
struct SignNeighbours {
    uint8_t count;
    uint8_t neighbours[4];
    bool greater[4];
    uint16_t keep;
};

struct SignList {
    SquareSet squares;                  // the squares with at least one entry
    SignNeighbours signs[kSquareCount]; // filled for those squares
    SquareSet readers[kSquareCount];    // the squares narrowed by each square
};

// The signs as the sign rule reads them: each square's own bits that stay in
// its block, the greater bit of a direction before its smaller bit; `keep`
// from how many neighbours the square exceeds or stays below.
void ReadRuleSigns(const EdgeMask* edgeMasks, SignList& list);

// A sign as the checks read it: number[smaller] < number[greater].
struct Ordered {
    uint8_t smaller;
    uint8_t greater;
};

// The signs the checks hold a board to: in each block the middle row's
// squares look up and down and the middle column's squares left and right,
// the smaller bit of a look before its greater bit. Every stored solution
// obeys them, and no other sign.
struct CheckedSigns {
    Ordered pairs[9 * 12];
    int count = 0;
    explicit CheckedSigns(const EdgeMask* edgeMasks);
};

// The checked signs as narrowing facts for both squares of each pair, with
// `keep` bounded by the chains of signs inside the block: the squares of a
// block all differ, so a square above n others of its block, directly or
// through other squares, is at least n + 1, and one below n others at most
// 9 - n. False when the signs go round in a circle: then no board obeys them.
bool ReadCheckedSigns(const CheckedSigns& checked, SignList& list);

// Whether the two halves of every sign inside a block agree: each pair of
// neighbours carries no bit, or one sign told the same way from both sides.
// Then the sign rule narrows by exactly the signs the checks hold.
bool SignsAreMirrored(const EdgeMask* edgeMasks);

// What is left of `set` once a square's signs have narrowed it: above the
// smallest candidate of each neighbour it exceeds, below the largest of each
// it stays below, and within `keep`.
inline unsigned NarrowedBySigns(const SearchBoard& board, const SignNeighbours& entry,
                                unsigned set) {
    for (int k = 0; k < entry.count; ++k) {
        const uint16_t other = board.candidates[entry.neighbours[k]];
        set &= entry.greater[k] ? ~unsigned{kSets.upToLowest[other]}
                                : ~unsigned{kSets.fromHighest[other]};
    }
    return set & entry.keep;
}

// Whether no checked sign is broken between two numbered squares.
bool CheckedSignsHold(const SearchBoard& board, const CheckedSigns& checked);
