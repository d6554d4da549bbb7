// The checks of a full or partial board: is it a correct solution, and can a
// partial board still be worked on. The search calls both at every node, so
// nothing here allocates.
#include "CNerekuEngine.h"
#include "Guarded.h"

namespace {

// One look at a pair: false when its sign is broken. `partial` passes over a
// pair that is not filled on both sides.
bool PairHolds(const Square* squares, const EdgeMask* masks, int index, const SignDirection& dir,
               bool partial) {
    const int thisNumber = squares[index].number;
    const int otherNumber = squares[index + dir.offset].number;
    if (partial && otherNumber == 0) {
        return true;
    }
    const EdgeMask mask = masks[index];
    if (mask & dir.smaller) {
        return thisNumber < otherNumber;
    }
    if (mask & dir.greater) {
        return thisNumber > otherNumber;
    }
    return true;
}

// The twelve looks at the pairs of a block: the middle row's squares look up
// and down, then the middle column's squares look left and right. Every pair
// lies inside the block, so no look leaves the grid.
bool BlockSignsHold(const Square* squares, const EdgeMask* masks, int block, bool partial) {
    const int middleRow = BlockMiddleRow(block);
    for (int column = BlockLeftColumn(block); column < BlockLeftColumn(block) + 3; ++column) {
        const int index = SquareIndex(middleRow, column);
        if (partial && squares[index].number == 0) {
            continue;
        }
        if (!PairHolds(squares, masks, index, kSignDirections[kUp], partial) ||
            !PairHolds(squares, masks, index, kSignDirections[kDown], partial)) {
            return false;
        }
    }
    const int middleColumn = BlockMiddleColumn(block);
    for (int row = BlockTopRow(block); row < BlockTopRow(block) + 3; ++row) {
        const int index = SquareIndex(row, middleColumn);
        if (partial && squares[index].number == 0) {
            continue;
        }
        if (!PairHolds(squares, masks, index, kSignDirections[kLeft], partial) ||
            !PairHolds(squares, masks, index, kSignDirections[kRight], partial)) {
            return false;
        }
    }
    return true;
}

// The squares of unit `unit` of a kind, in the unit's scan order.
enum class Unit { Row, Column, Block };

int UnitSquare(Unit kind, int unit, int k) {
    switch (kind) {
    case Unit::Row:
        return SquareIndex(unit, k);
    case Unit::Column:
        return SquareIndex(k, unit);
    default:
        return BlockSquare(unit, k);
    }
}

// A unit is complete when all nine squares hold different digits.
bool UnitIsComplete(const Square* squares, Unit kind, int unit) {
    bool seen[kDigitCount] = {};
    for (int k = 0; k < 9; ++k) {
        const int number = squares[UnitSquare(kind, unit, k)].number;
        if (number == 0 || number > kDigitCount || seen[number - 1]) {
            return false;
        }
        seen[number - 1] = true;
    }
    return true;
}

// No digit stands twice among the unit's filled squares.
bool UnitHasNoRepeat(const Square* squares, Unit kind, int unit) {
    bool seen[kDigitCount] = {};
    for (int k = 0; k < 9; ++k) {
        const int number = squares[UnitSquare(kind, unit, k)].number;
        if (number == 0 || number > kDigitCount) {
            continue;
        }
        if (seen[number - 1]) {
            return false;
        }
        seen[number - 1] = true;
    }
    return true;
}

bool AllUnits(bool (*check)(const Square*, Unit, int), const Square* squares) {
    for (Unit kind : {Unit::Row, Unit::Column, Unit::Block}) {
        for (int unit = 0; unit < 9; ++unit) {
            if (!check(squares, kind, unit)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

// ---- Complete units and signs.

bool CNerekuEngine::CheckSolution_IsCorrect_Row(unsigned char row) {
    return NEREKU_GUARDED([&] { return row < 9 && UnitIsComplete(squares, Unit::Row, row); });
}

bool CNerekuEngine::CheckSolution_IsCorrect_Col(unsigned char column) {
    return NEREKU_GUARDED(
        [&] { return column < 9 && UnitIsComplete(squares, Unit::Column, column); });
}

bool CNerekuEngine::CheckSolution_IsCorrect_Block(unsigned char block) {
    return NEREKU_GUARDED([&] { return block < 9 && UnitIsComplete(squares, Unit::Block, block); });
}

bool CNerekuEngine::CheckSolution_IsCorrect_Edges(unsigned char block) {
    return NEREKU_GUARDED(
        [&] { return block < 9 && BlockSignsHold(squares, edgeMasks, block, false); });
}

// Rows, then columns, then blocks, then signs: the first failure decides.
// The unit stages need every square filled, so the signs only see full boards.
bool CNerekuEngine::CheckSolution_IsCorrect() {
    return NEREKU_GUARDED([&] {
        if (!AllUnits(UnitIsComplete, squares)) {
            return false;
        }
        for (int block = 0; block < 9; ++block) {
            if (!BlockSignsHold(squares, edgeMasks, block, false)) {
                return false;
            }
        }
        return true;
    });
}

// ---- Consistency of a partial board.

bool CNerekuEngine::CheckSolution_IsPossible_Edges(unsigned char block) {
    return NEREKU_GUARDED(
        [&] { return block < 9 && BlockSignsHold(squares, edgeMasks, block, true); });
}

// No repeated digit in any unit, no sign broken between two filled squares,
// and no empty square without a candidate. The candidate flags are taken as
// they stand; the search's rules keep them up to date.
bool CNerekuEngine::CheckSolution_IsPossible() {
    return NEREKU_GUARDED([&] {
        if (!AllUnits(UnitHasNoRepeat, squares)) {
            return false;
        }
        for (int block = 0; block < 9; ++block) {
            if (!BlockSignsHold(squares, edgeMasks, block, true)) {
                return false;
            }
        }
        for (const Square& square : squares) {
            if (square.number != 0) {
                continue;
            }
            bool anyCandidate = false;
            for (unsigned char flag : square.possible) {
                anyCandidate = anyCandidate || flag != 0;
            }
            if (!anyCandidate) {
                return false;
            }
        }
        return true;
    });
}
