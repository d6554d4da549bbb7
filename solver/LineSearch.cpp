// The count: narrowing by the rules and the lines' rule, then branching on a
// square with the fewest candidates.
#include "solver/LineSearch.h"

#include <cstring>

bool LineSearch::CountRest(const SearchBoard& board, int square, unsigned tried, int most,
                           long budget, std::vector<SolvedNumbers>& solutions) {
    limit = most;
    boardsLeft = budget;
    found = &solutions;
    lastBranch = square;
    SearchBoard rest = board;
    // The lines' rule has not seen the board yet: it looks at every unit.
    FreeWork work;
    for (uint32_t& units : work.shrunk) {
        units = (uint32_t{1} << kUnitCount) - 1;
    }
    if (tried == 0 || rules.Drop(rest, work, square, tried)) {
        Step(rest, work);
    }
    return boardsLeft >= 0;
}

// The first square with the fewest candidates, looking from the square last
// branched on round the board: the next branch then mostly lies near the last
// one, where a wrong guess soon shows, and the count looks at fewer boards.
int LineSearch::NextBranch(const SearchBoard& board) {
    int best = 10;
    for (int n = 0, i = lastBranch; n < kSquareCount; ++n, i = i + 1 < kSquareCount ? i + 1 : 0) {
        const int count = kSets.count[board.candidates[i]];
        if (board.numbers[i] == 0 && count < best) {
            best = count;
            lastBranch = i;
            if (count <= 2) {
                break;
            }
        }
    }
    return lastBranch;
}

void LineSearch::Step(SearchBoard& board, FreeWork& work) {
    if (--boardsLeft < 0 || !rules.PropagateWithLines(board, work)) {
        return;
    }
    if (board.emptySquares == 0) {
        found->emplace_back();
        std::memcpy(found->back().data(), board.numbers, kSquareCount);
        return;
    }
    const int chosen = NextBranch(board);
    for (unsigned digits = board.candidates[chosen]; digits != 0; digits &= digits - 1) {
        if (static_cast<int>(found->size()) >= limit || boardsLeft < 0) {
            return;
        }
        SearchBoard child = board;
        FreeWork childWork;
        if (rules.Place(child, childWork, chosen, LowestBit(digits) + 1)) {
            Step(child, childWork);
        }
    }
}
