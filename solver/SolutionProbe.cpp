// The probe: the free-order rules with the checked signs narrowing both of
// their squares and the bounds of the chains of signs, then depth first on
// the square with the fewest candidates.
#include "solver/SolutionProbe.h"

#include <cstring>

SearchBoard SolutionProbe::Start(const SearchBoard& board, FreeWork& work) const {
    SearchBoard copy = board;
    // A numbered square stands for its number alone, whatever flags it kept.
    for (int i = 0; i < kSquareCount; ++i) {
        if (copy.numbers[i] != 0) {
            copy.candidates[i] = DigitBit(copy.numbers[i]);
        }
    }
    work = rules.WholeBoard(copy);
    return copy;
}

bool SolutionProbe::MayHaveSolution(const SearchBoard& board, long budget) {
    if (circle) {
        return false;
    }
    bool fits = haveSolution;
    for (int i = 0; i < kSquareCount && fits; ++i) {
        fits = (board.candidates[i] & DigitBit(lastSolution[i])) != 0 &&
               (board.numbers[i] == 0 || board.numbers[i] == lastSolution[i]);
    }
    if (fits) {
        return true;
    }
    FreeWork work;
    SearchBoard copy = Start(board, work);
    stopAt = nodes + budget;
    return Solve(copy, work, -1, 0) || nodes >= stopAt;
}

// Places `digit` on square `index` (none when it is negative), propagates,
// and branches on.
bool SolutionProbe::Solve(SearchBoard& board, FreeWork& work, int index, int digit) {
    ++nodes;
    if ((index >= 0 && !rules.Place(board, work, index, digit)) || !rules.Propagate(board, work)) {
        return false;
    }
    if (board.emptySquares == 0) {
        std::memcpy(lastSolution, board.numbers, sizeof(lastSolution));
        haveSolution = true;
        return true;
    }
    // The square whose choices failed most often for its few candidates:
    // squares that lead into dead ends early make the refutations short.
    int chosen = -1;
    long best = -1;
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] == 0) {
            const long score = (failures[i] + 1) * 256 / kSets.count[board.candidates[i]];
            if (score > best) {
                best = score;
                chosen = i;
            }
        }
    }
    for (unsigned digits = board.candidates[chosen]; digits != 0; digits &= digits - 1) {
        SearchBoard child = board;
        FreeWork childWork;
        if (Solve(child, childWork, chosen, LowestBit(digits) + 1) || nodes >= stopAt) {
            return true;
        }
        ++failures[chosen];
    }
    return false;
}
