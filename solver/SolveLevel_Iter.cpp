// The search: propagation by the elimination rules, then depth-first
// branching on the square with the fewest candidates. It serves both the
// Solve command and the random level generator, and finds the solutions in a
// fixed order: at each branch the digits are tried in increasing order.
#include <cstring>

#include "model/CNerekuEngine.h"
#include "model/Guarded.h"
#include "solver/CompactBoard.h"

// Applies the rules in passes until a pass changes nothing. Every rule of a
// pass runs, even after an earlier one has changed the board; the sign rule
// only on a level that has signs.
void CNerekuEngine::PropagateUntilStable() {
    bool changed = true;
    while (changed) {
        changed = SolveLevel_SetSingleNumbersToDetermined();
        changed |= SolveLevel_MarkOffNeighboursOfDeterminedNumbers();
        changed |= SolveLevel_SetUniqueNumbersToDetermined();
        if (levelHasEdges) {
            changed |= SolveLevel_MarkOffEdgeLimitedNumbers();
        }
    }
}

// One step of the search. `depth` is the number of branching levels still
// allowed below this one. The limit is only tested before a branch is opened,
// so a branch point opened below the limit tries all its digits, and the list
// can end with more than `maxSolutions` rows. The board is not restored: the
// caller saves and restores it.
void CNerekuEngine::SolveLevel_IterPlain(unsigned char depth, int maxSolutions) {
    NEREKU_GUARDED([&] {
        PropagateUntilStable();
        if (CheckSolution_IsCorrect()) {
            const int row = solutions.AddRow(-1, 0);
            if (row >= 0 && row < solutions.GetRowCount()) {
                solutions.SetValue(row, 0, squares, kSquareImageSize, true);
            }
            return;
        }
        if (!CheckSolution_IsPossible() || depth == 0 || solutions.GetRowCount() >= maxSolutions) {
            return;
        }
        unsigned char row = 0;
        unsigned char column = 0;
        if (!SolveLevel_FindLowestPossibleSquares(&row, &column)) {
            return;
        }
        Square backup[kSquareCount];
        std::memcpy(backup, squares, kSquareImageSize);
        Square& chosen = squares[SquareIndex(row, column)];
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            if (chosen.possible[digit - 1]) {
                SetSquareToDigit(chosen, static_cast<unsigned char>(digit));
                SolveLevel_IterPlain(static_cast<unsigned char>(depth - 1), maxSolutions);
                std::memcpy(squares, backup, kSquareImageSize);
            }
        }
    });
}

// The same search on the compact board (solver/CompactBoard.h), which stores
// the same solutions in the same order and leaves the same board behind.
// Boards with values outside the usual ranges take the search above.
void CNerekuEngine::SolveLevel_Iter(unsigned char depth, int maxSolutions) {
    NEREKU_GUARDED([&] {
        if (!FitsCompactBoard(squares)) {
            SolveLevel_IterPlain(depth, maxSolutions);
            return;
        }
        unsigned char fixed[kSquareCount];
        for (int i = 0; i < kSquareCount; ++i) {
            fixed[i] = squares[i].fixed;
        }
        CompactBoard board;
        LoadCompactBoard(squares, board);
        const CompactSolver solver(edgeMasks, levelHasEdges);
        solver.Search(board, depth, maxSolutions, fixed, solutions);
        StoreCompactBoard(board, squares);
    });
}
