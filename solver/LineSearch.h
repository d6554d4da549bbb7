// A quicker way to a board's solutions where the rules are the plain ones (no
// signs): it narrows by the lines' rule as well, and branches near where it
// last branched, so it looks at far fewer boards than the search; but it
// finds the solutions in an order of its own. The search leaves to it the
// remaining branches of a node that have grown many, and, when it finds
// fewer solutions there than the search may still store, stores them in its
// own order.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/FreeOrderRules.h"

class LineSearch {
public:
    explicit LineSearch(const FreeOrderRules& freeRules) : rules(freeRules) {}

    // The solutions below the board's branches on `square` for its digits
    // other than `tried` (some of its candidates, not all), up to `most` of
    // them, into `found`. The board must be one the free order has
    // propagated. False when the count gave up after looking at `budget`
    // boards; `found` then holds some of them.
    bool CountRest(const SearchBoard& board, int square, unsigned tried, int most, long budget,
                   std::vector<SolvedNumbers>& found);

private:
    void Step(SearchBoard& board, FreeWork& work);
    int NextBranch(const SearchBoard& board);

    const FreeOrderRules& rules;
    int limit = 0;
    long boardsLeft = 0;
    int lastBranch = 0;
    std::vector<SolvedNumbers>* found = nullptr;
};
