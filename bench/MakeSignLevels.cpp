// Writes the benchmark set of sign levels: each a random full grid, 0 to 10
// of its squares as givens, and 15 to 40 of the signs it gives between
// neighbours of a block (both halves, as the editor sets them); a level is
// kept only when the search finds at most 100 solutions, so that one Solve
// searches it whole. The count is taken in a child process, and a candidate
// whose count takes more than 2 s of processor time is passed over (and
// reported on stderr): some levels with many solutions are that slow, and
// the slow editor boards have a set of their own (slow_boards.txt).
//
//   make_sign_levels [--count N] [--seed S] > bench/data/sign_levels.txt
//
// The committed set was made with the defaults (200 levels, seed 2024); the
// benchmarks and the tests read that file. With --unique it writes levels of
// 20 to 60 signs that have exactly one solution instead (the set
// unique_sign_levels.txt, made with --unique --count 88 --seed 2026).
// Linux only (fork).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "BoardText.h"
#include "EditorBoards.h"

namespace {

constexpr long kCapMs = 2000;

// One random sign level of `grid`.
void MakeLevel(CNerekuEngine& engine, const std::string& grid, bool unique, BoardRng& rng) {
    std::string puzzle(kSquareCount, '.');
    int squares[kSquareCount];
    for (int i = 0; i < kSquareCount; ++i) {
        squares[i] = i;
    }
    const int givens = Below(rng, 11);
    for (int n = 0; n < givens; ++n) { // the first `givens` of a shuffle
        std::swap(squares[n], squares[n + Below(rng, kSquareCount - n)]);
        puzzle[squares[n]] = grid[squares[n]];
    }
    LoadBoardLine(engine, puzzle);
    std::vector<std::pair<int, int>> pairs = BlockPairs();
    const int signs = unique ? 20 + Below(rng, 41) : 15 + Below(rng, 26);
    for (int n = 0; n < signs; ++n) {
        std::swap(pairs[n], pairs[n + Below(rng, static_cast<int>(pairs.size()) - n)]);
        SetSign(engine, pairs[n], GridSign(grid, pairs[n]));
    }
}

} // namespace

int main(int argc, char** argv) {
    long count = 200;
    unsigned long long seed = 2024;
    bool unique = false;
    bool known = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--unique") == 0) {
            unique = true;
        } else if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc) {
            count = std::atol(argv[++i]);
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else {
            known = false;
        }
    }
    if (!known || count <= 0) {
        std::fprintf(stderr, "usage: make_sign_levels [--unique] [--count N] [--seed S]\n");
        return 1;
    }
    BoardRng rng(seed);
    auto engine = std::make_unique<CNerekuEngine>();
    if (unique) {
        std::printf("# %ld sign levels of make_sign_levels --unique --count %ld --seed %llu: 0 to\n"
                    "# 10 givens, 20 to 60 signs of one grid, exactly one solution each\n",
                    count, count, seed);
    } else {
        std::printf(
            "# %ld sign levels of make_sign_levels --count %ld --seed %llu: 0 to 10 givens,\n"
            "# 15 to 40 signs of one grid, at most 100 solutions each\n",
            count, count, seed);
    }
    for (long kept = 0; kept < count;) {
        MakeLevel(*engine, RandomGrid(rng), unique, rng);
        const std::string line = BoardLine(*engine);
        const ChildSolve check = SolveInChild(line, kCapMs, unique ? 2 : 101);
        if (check.found < 0) {
            std::fprintf(stderr, "passed over, still counting after %ld ms: %s\n", kCapMs,
                         line.c_str());
        } else if (unique ? check.found == 1 : check.found <= 100) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
            ++kept;
        }
    }
    return 0;
}
