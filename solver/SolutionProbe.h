// Whether a board has any solution at all: a small search of its own, with
// stronger narrowing than the game's rules and any branching order, that
// stops at the first solution. The game's search asks it before going on
// into a part of the tree that has grown large: a part without solution
// stores nothing, so it may be cut without changing the results.
//
// A solution here is what the game's search can store below a board: its
// numbers kept, every empty square given one of its candidates, every unit
// complete, and every sign the checks read obeyed.
#pragma once

#include "solver/FreeOrderRules.h"
#include "solver/SignLists.h"

class SolutionProbe {
public:
    // `bounds`: the checked signs as ReadCheckedSigns reads them, with
    // `circle` its answer.
    SolutionProbe(const SignList& checkedBounds, bool signCircle)
        : bounds(checkedBounds), circle(signCircle), rules(&bounds, bounds, true) {}

    // False only when the board has no solution; true also when the probe
    // could not tell within `budget` boards of its own.
    bool MayHaveSolution(const SearchBoard& board, long budget);

    // How many boards the probes have looked at, for the benchmarks.
    long Nodes() const { return nodes; }

private:
    bool Solve(SearchBoard& board, FreeWork& work, int index, int digit);
    // The board with every numbered square reduced to its number, and the
    // rules' worklist for the whole of it.
    SearchBoard Start(const SearchBoard& board, FreeWork& work) const;

    const SignList& bounds; // the checked signs with the bounds of their chains
    bool circle;            // the signs go round in a circle: no solution anywhere
    FreeOrderRules rules;
    long nodes = 0;
    long stopAt = 0; // the probe gives up when `nodes` reaches it
    // The last solution found: a board it fits has a solution, and the next
    // question is often about a part of the tree that still holds it.
    uint8_t lastSolution[kSquareCount] = {};
    long failures[kSquareCount] = {}; // branches of each square that held no solution
    bool haveSolution = false;
};
