// Random boards of the kinds the level editor makes, for the benchmark sets
// and the hunt for slow boards: a full grid, givens taken from it, and signs
// between neighbours of a block with both halves set.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "CNerekuEngine.h"

// The draws use the generator's raw output only (no standard distribution),
// so a seed gives the same boards with every standard library.
using BoardRng = std::mt19937_64;

// A number from 0 to n - 1.
inline int Below(BoardRng& rng, int n) {
    return static_cast<int>(rng() % static_cast<uint64_t>(n));
}

// A random full grid: a known grid with its digits renamed, rows shuffled
// within bands and bands shuffled, the same for the columns, and maybe
// mirrored on the diagonal.
std::string RandomGrid(BoardRng& rng);

// The 108 pairs of neighbours inside a block: a square and the one right of
// it or below it.
const std::vector<std::pair<int, int>>& BlockPairs();

// Sets the sign of a pair, both halves: 1 when the first square is the
// smaller, -1 when it is the greater, 0 for none.
void SetSign(CNerekuEngine& engine, std::pair<int, int> pair, int sign);

// The pair's sign as SetSign takes it.
int SignOf(const CNerekuEngine& engine, std::pair<int, int> pair);

// The sign that `grid` gives the pair.
inline int GridSign(const std::string& grid, std::pair<int, int> pair) {
    return grid[pair.first] < grid[pair.second] ? 1 : -1;
}

// The board of a line (BoardLine's form) as the rules cannot tell it from
// itself: turned on its diagonal, its bands and stacks reordered, the rows of
// a band or the columns of a stack read backwards (each keeps its neighbours
// inside a block), and maybe its digits read from 9 down, which turns every
// sign round. Its solutions are the old ones changed the same way, but the
// search meets them in another order, and many slow boards are slow only the
// way they face.
std::string Turned(const std::string& line, BoardRng& rng);

// One Solve of a board line (BoardLine's form) with `limit`, in a child
// process so that it can be stopped: its processor time in milliseconds and
// how many solutions it stored (up to 255), or the cap and -1 when the child
// was still busy after `capMs` of processor time. Linux only (fork).
struct ChildSolve {
    double ms;
    int found;
};
ChildSolve SolveInChild(const std::string& line, long capMs, int limit);
