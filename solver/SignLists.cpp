// The signs of a level in the search's forms.
#include "solver/SignLists.h"

#include "Units.h"

namespace {

void AddNeighbour(SignList& list, int index, int neighbour, bool greater) {
    SignNeighbours& entry = list.signs[index];
    entry.neighbours[entry.count] = static_cast<uint8_t>(neighbour);
    entry.greater[entry.count] = greater;
    ++entry.count;
    list.squares.Add(index);
    list.readers[neighbour].Add(index);
}

} // namespace

void ReadRuleSigns(const EdgeMask* edgeMasks, SignList& list) {
    list = SignList{};
    for (int i = 0; i < kSquareCount; ++i) {
        const EdgeMask mask = edgeMasks[i] & SignBitsInsideBlock(i);
        if (mask == 0) {
            continue;
        }
        int greaterThan = 0;
        int smallerThan = 0;
        for (const SignDirection& direction : kSignDirections) {
            const bool greater = (mask & direction.greater) != 0;
            if (greater || (mask & direction.smaller) != 0) {
                AddNeighbour(list, i, i + direction.offset, greater);
                ++(greater ? greaterThan : smallerThan);
            }
        }
        list.signs[i].keep = DigitRange(greaterThan + 1, kDigitCount - smallerThan);
    }
}

CheckedSigns::CheckedSigns(const EdgeMask* edgeMasks) {
    auto look = [&](int index, int direction) {
        const SignDirection& dir = kSignDirections[direction];
        const int other = index + dir.offset;
        if (edgeMasks[index] & dir.smaller) {
            pairs[count++] = {static_cast<uint8_t>(index), static_cast<uint8_t>(other)};
        } else if (edgeMasks[index] & dir.greater) {
            pairs[count++] = {static_cast<uint8_t>(other), static_cast<uint8_t>(index)};
        }
    };
    for (int block = 0; block < 9; ++block) {
        for (int k = 0; k < 3; ++k) {
            const int index = SquareIndex(BlockMiddleRow(block), BlockLeftColumn(block) + k);
            look(index, kUp);
            look(index, kDown);
        }
        for (int k = 0; k < 3; ++k) {
            const int index = SquareIndex(BlockTopRow(block) + k, BlockMiddleColumn(block));
            look(index, kLeft);
            look(index, kRight);
        }
    }
}

bool ReadCheckedSigns(const CheckedSigns& checked, SignList& list) {
    list = SignList{};
    if (checked.count == 0) {
        return true;
    }
    // below[a] bit k: the k-th square of a's block is smaller than a.
    uint16_t below[kSquareCount] = {};
    for (int n = 0; n < checked.count; ++n) {
        const Ordered pair = checked.pairs[n];
        AddNeighbour(list, pair.smaller, pair.greater, false);
        AddNeighbour(list, pair.greater, pair.smaller, true);
        below[pair.greater] |= static_cast<uint16_t>(1u << kUnits.places[pair.smaller][2]);
    }
    for (int block = 0; block < 9; ++block) {
        const uint8_t* squares = kUnits.squares[18 + block];
        // The chains: what lies below a square's smaller neighbours lies
        // below it too.
        for (int via = 0; via < 9; ++via) {
            for (int k = 0; k < 9; ++k) {
                if (below[squares[k]] & (1u << via)) {
                    below[squares[k]] |= below[squares[via]];
                }
            }
        }
        for (int k = 0; k < 9; ++k) {
            if (below[squares[k]] & (1u << k)) {
                return false; // a circle of signs
            }
            int over = 0;
            for (int other = 0; other < 9; ++other) {
                over += (below[squares[other]] >> k) & 1;
            }
            const int under = kSets.count[below[squares[k]]];
            list.signs[squares[k]].keep = DigitRange(under + 1, kDigitCount - over);
        }
    }
    return true;
}

bool SignsAreMirrored(const EdgeMask* edgeMasks) {
    struct Halves {
        int step;
        EdgeMask firstSmaller, firstGreater, secondSmaller, secondGreater;
    };
    const Halves kinds[2] = {{1, kRightSmaller, kRightGreater, kLeftSmaller, kLeftGreater},
                             {9, kDownSmaller, kDownGreater, kUpSmaller, kUpGreater}};
    for (int i = 0; i < kSquareCount; ++i) {
        if (edgeMasks[i] == 0 && (i + 9 >= kSquareCount || edgeMasks[i + 9] == 0) &&
            (i + 1 >= kSquareCount || edgeMasks[i + 1] == 0)) {
            continue;
        }
        for (const Halves& kind : kinds) {
            if ((kind.step == 1 && ColumnOf(i) % 3 == 2) || (kind.step == 9 && RowOf(i) % 3 == 2)) {
                continue;
            }
            const int first = edgeMasks[i] & (kind.firstSmaller | kind.firstGreater);
            const int second = edgeMasks[i + kind.step] & (kind.secondSmaller | kind.secondGreater);
            const bool agree = (first == 0 && second == 0) ||
                               (first == kind.firstSmaller && second == kind.secondGreater) ||
                               (first == kind.firstGreater && second == kind.secondSmaller);
            if (!agree) {
                return false;
            }
        }
    }
    return true;
}

bool CheckedSignsHold(const SearchBoard& board, const CheckedSigns& checked) {
    for (int n = 0; n < checked.count; ++n) {
        const int smaller = board.numbers[checked.pairs[n].smaller];
        const int greater = board.numbers[checked.pairs[n].greater];
        if (smaller != 0 && greater != 0 && smaller >= greater) {
            return false;
        }
    }
    return true;
}
