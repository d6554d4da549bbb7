// The probe: the free-order rules with the checked signs narrowing both of
// their squares and the bounds of the chains of signs, then depth first on
// the square with the fewest candidates.
#include "solver/SolutionProbe.h"

bool SolutionProbe::MayHaveSolution(const SearchBoard& board) {
    if (circle) {
        return false;
    }
    SearchBoard copy = board;
    // A numbered square stands for its number alone, whatever flags it kept.
    for (int i = 0; i < kSquareCount; ++i) {
        if (copy.numbers[i] != 0) {
            copy.candidates[i] = DigitBit(copy.numbers[i]);
        }
    }
    FreeWork work = rules.WholeBoard(copy);
    return Solve(copy, work, -1, 0);
}

// Places `digit` on square `index` (none when it is negative), propagates,
// and branches on.
bool SolutionProbe::Solve(SearchBoard& board, FreeWork& work, int index, int digit) {
    ++nodes;
    if ((index >= 0 && !rules.Place(board, work, index, digit)) || !rules.Propagate(board, work)) {
        return false;
    }
    if (board.emptySquares == 0) {
        return true;
    }
    int chosen = 0;
    FindLowest(board, &chosen, 2);
    for (unsigned digits = board.candidates[chosen]; digits != 0; digits &= digits - 1) {
        SearchBoard child = board;
        FreeWork childWork;
        if (Solve(child, childWork, chosen, LowestBit(digits) + 1)) {
            return true;
        }
    }
    return false;
}
