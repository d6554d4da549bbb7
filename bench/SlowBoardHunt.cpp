// Hunts for the editor boards on which the Solve command takes longest: any
// givens, any signs between neighbours of a block (both halves set, as the
// editor sets them). It keeps a pool of the slowest boards found, mutates one
// of them (a sign added, removed or turned round; a given added or removed;
// or the whole board turned in a way the rules cannot tell, see Turned), and
// keeps the mutant when it is slower than the fastest of the pool. Fresh
// boards come in four kinds: few givens and many signs of one grid, long
// monotone chains of signs, two or three near-solutions that the givens and
// signs do not tell apart, and a grid's signs with one given that
// contradicts them.
//
//   slow_board_hunt [--seconds N] [--cap-ms M] [--seed S] [--pool K]
//                   [--from FILE] [--out FILE]
//
// Each board is solved once, as the Solve command does (limit 100), in a
// child process whose processor time is the score; a child still busy after
// --cap-ms of processor time is stopped and scores the cap. Processor time
// rather than the clock, so that other work on the machine matters less; run
// it pinned (taskset -c 0) all the same. The pool starts from the boards of
// --from (lines as BoardLine writes them) and random boards; every minute and
// at the end it is written to --out, slowest first, each line followed by
// its time. Linux only (fork). It also prints how long the pool's fresh
// random boards took, see SummarizeFresh.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BoardText.h"
#include "CNerekuEngine.h"
#include "EditorBoards.h"

namespace {

struct Options {
    double seconds = 600;
    long capMs = 20000;
    uint64_t seed = 1;
    size_t pool = 24;
    std::string from;
    std::string out = "slow_boards.txt";
};

struct Scored {
    std::string line;
    double ms;
};

// ---- Random editor boards, of four kinds.

// Each sign of `grid` on about `percent` of the pairs.
void AddGridSigns(CNerekuEngine& engine, const std::string& grid, int percent, BoardRng& rng) {
    for (const auto& pair : BlockPairs()) {
        if (Below(rng, 100) < percent) {
            SetSign(engine, pair, GridSign(grid, pair));
        }
    }
}

// Few givens and many signs of one random grid: most such boards have one or
// a few solutions, and the search on them is slow when the signs do the
// work the givens do not.
void GridBoard(CNerekuEngine& engine, const std::string& grid, BoardRng& rng) {
    const int givens = Below(rng, 7);
    for (int n = 0; n < givens; ++n) {
        const int i = Below(rng, kSquareCount);
        engine.squares[i].fixed = 1;
        SetSquareToDigit(engine.squares[i], static_cast<unsigned char>(grid[i] - '0'));
    }
    AddGridSigns(engine, grid, 30 + Below(rng, 50), rng);
}

// Long monotone chains: in some blocks every sign along a snake through the
// block points one way, which fixes the block's order up to its turns; no
// grid need fit them all, so many of these boards have no solution.
void ChainBoard(CNerekuEngine& engine, const std::string& grid, BoardRng& rng) {
    for (int block = 0; block < 9; ++block) {
        if (Below(rng, 100) < 35) {
            continue;
        }
        const bool byRows = rng() % 2 != 0;
        const int way = rng() % 2 != 0 ? 1 : -1;
        int previous = -1;
        for (int k = 0; k < 9; ++k) {
            const int line = k / 3;
            const int along = line % 2 == 0 ? k % 3 : 2 - k % 3;
            const int row = 3 * (block / 3) + (byRows ? line : along);
            const int column = 3 * (block % 3) + (byRows ? along : line);
            const int square = SquareIndex(row, column);
            if (previous >= 0) {
                const bool forward = previous < square;
                SetSign(engine,
                        forward ? std::make_pair(previous, square)
                                : std::make_pair(square, previous),
                        forward ? way : -way);
            }
            previous = square;
        }
    }
    AddGridSigns(engine, grid, Below(rng, 20), rng);
}

// Two or three near-solutions: a grid and the grids made from it by swapping
// two rows of a band or two columns of a stack, with givens and signs only
// where all of them agree, so that the search must tell them apart deep down.
void NearSolutionsBoard(CNerekuEngine& engine, const std::string& grid, BoardRng& rng) {
    std::vector<std::string> grids = {grid};
    const int others = 1 + Below(rng, 2);
    for (int n = 0; n < others; ++n) {
        std::string other = grids.back();
        const int band = Below(rng, 3);
        const int a = 3 * band + Below(rng, 3);
        const int b = 3 * band + (a % 3 + 1 + Below(rng, 2)) % 3;
        const bool rows = rng() % 2 != 0;
        for (int k = 0; k < 9; ++k) {
            const int first = rows ? SquareIndex(a, k) : SquareIndex(k, a);
            const int second = rows ? SquareIndex(b, k) : SquareIndex(k, b);
            std::swap(other[first], other[second]);
        }
        grids.push_back(other);
    }
    auto agree = [&](int square) {
        for (const std::string& other : grids) {
            if (other[square] != grid[square]) {
                return false;
            }
        }
        return true;
    };
    for (int n = Below(rng, 8); n > 0; --n) {
        const int i = Below(rng, kSquareCount);
        if (agree(i)) {
            engine.squares[i].fixed = 1;
            SetSquareToDigit(engine.squares[i], static_cast<unsigned char>(grid[i] - '0'));
        }
    }
    const int percent = 40 + Below(rng, 50);
    for (const auto& pair : BlockPairs()) {
        bool same = true;
        for (const std::string& other : grids) {
            same = same && GridSign(other, pair) == GridSign(grid, pair);
        }
        if (same && Below(rng, 100) < percent) {
            SetSign(engine, pair, GridSign(grid, pair));
        }
    }
}

// Signs of a grid with one given that contradicts them, not at once but deep
// in the tree: a digit the grid puts elsewhere in the given's row.
void ContradictedBoard(CNerekuEngine& engine, const std::string& grid, BoardRng& rng) {
    AddGridSigns(engine, grid, 30 + Below(rng, 50), rng);
    const int i = Below(rng, kSquareCount);
    const int other = SquareIndex(RowOf(i), (ColumnOf(i) + 1 + Below(rng, 8)) % 9);
    engine.squares[i].fixed = 1;
    SetSquareToDigit(engine.squares[i], static_cast<unsigned char>(grid[other] - '0'));
    for (int n = Below(rng, 3); n > 0; --n) {
        const int j = Below(rng, kSquareCount);
        if (j != i) {
            engine.squares[j].fixed = 1;
            SetSquareToDigit(engine.squares[j], static_cast<unsigned char>(grid[j] - '0'));
        }
    }
}

std::string RandomBoard(BoardRng& rng) {
    const std::string grid = RandomGrid(rng);
    auto engine = std::make_unique<CNerekuEngine>();
    engine->ResetGrid();
    switch (rng() % 4) {
    case 0:
        GridBoard(*engine, grid, rng);
        break;
    case 1:
        ChainBoard(*engine, grid, rng);
        break;
    case 2:
        NearSolutionsBoard(*engine, grid, rng);
        break;
    default:
        ContradictedBoard(*engine, grid, rng);
        break;
    }
    engine->UpdateLevelHasEdges();
    return BoardLine(*engine);
}

// One to three changes of the kinds an editor makes.
std::string Mutate(const std::string& line, BoardRng& rng) {
    auto engine = std::make_unique<CNerekuEngine>();
    LoadBoardLine(*engine, line);
    const int changes = 1 + Below(rng, 3);
    for (int n = 0; n < changes; ++n) {
        const auto& pair = BlockPairs()[rng() % BlockPairs().size()];
        const int square = Below(rng, kSquareCount);
        switch (rng() % 6) {
        case 0: // add or turn a sign
        case 1:
            SetSign(*engine, pair, rng() % 2 ? 1 : -1);
            break;
        case 2:
            SetSign(*engine, pair, 0);
            break;
        case 3:
            SetSign(*engine, pair, -SignOf(*engine, pair));
            break;
        case 4: // a given, of any digit
            MakeEmptySquare(engine->squares[square]);
            engine->squares[square].fixed = 1;
            SetSquareToDigit(engine->squares[square], static_cast<unsigned char>(1 + rng() % 9));
            break;
        default:
            MakeEmptySquare(engine->squares[square]);
            break;
        }
    }
    engine->UpdateLevelHasEdges();
    return BoardLine(*engine);
}

// ---- Timing in a child process.

void WritePool(const std::vector<Scored>& pool, const std::string& path) {
    std::ofstream out(path, std::ios::trunc);
    out << "# slowest boards found by slow_board_hunt, with the processor time of one Solve\n";
    for (const Scored& entry : pool) {
        out << entry.line << "  # " << entry.ms << " ms\n";
    }
}

// How long the pool's fresh random boards took: what a player's boards take,
// where the hunt finds the slowest few. (With --seconds 0 and a large
// --pool, the tool does only this.)
void SummarizeFresh(std::vector<Scored> fresh) {
    if (fresh.empty()) {
        return;
    }
    std::sort(fresh.begin(), fresh.end(),
              [](const Scored& a, const Scored& b) { return a.ms < b.ms; });
    const auto at = [&](double share) {
        return fresh[static_cast<size_t>(share * (fresh.size() - 1))].ms;
    };
    const auto over =
        std::count_if(fresh.begin(), fresh.end(), [](const Scored& s) { return s.ms > 100; });
    std::printf(
        "%zu fresh random boards: median %.2f ms, 99%% under %.1f ms, 99.9%% under %.1f ms, "
        "slowest %.1f ms, %ld over 100 ms\n",
        fresh.size(), at(0.5), at(0.99), at(0.999), fresh.back().ms, static_cast<long>(over));
    std::fflush(stdout);
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return false;
        }
        if (name == "--seconds") {
            options.seconds = std::atof(value.c_str());
        } else if (name == "--cap-ms") {
            options.capMs = std::atol(value.c_str());
        } else if (name == "--seed") {
            options.seed = std::strtoull(value.c_str(), nullptr, 10);
        } else if (name == "--pool") {
            options.pool = static_cast<size_t>(std::max(2L, std::atol(value.c_str())));
        } else if (name == "--from") {
            options.from = value;
        } else if (name == "--out") {
            options.out = value;
        } else {
            return false;
        }
    }
    return options.capMs > 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: slow_board_hunt [--seconds N] [--cap-ms M] [--seed S] "
                             "[--pool K] [--from FILE] [--out FILE]\n");
        return 1;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    BoardRng rng(options.seed);

    std::vector<std::string> seeds;
    std::ifstream from(options.from);
    auto probe = std::make_unique<CNerekuEngine>();
    for (std::string line; std::getline(from, line);) {
        line = line.substr(0, line.find("  #"));
        if (!line.empty() && line[0] != '#' && LoadBoardLine(*probe, line)) {
            seeds.push_back(line);
        }
    }
    const size_t given = seeds.size();
    while (seeds.size() < options.pool) {
        seeds.push_back(RandomBoard(rng));
    }
    std::vector<Scored> pool;
    for (const std::string& line : seeds) {
        pool.push_back({line, SolveInChild(line, options.capMs, 100).ms});
    }
    auto slowestFirst = [](const Scored& a, const Scored& b) { return a.ms > b.ms; };
    SummarizeFresh(std::vector<Scored>(pool.begin() + static_cast<long>(given), pool.end()));
    std::sort(pool.begin(), pool.end(), slowestFirst);
    pool.resize(options.pool);

    long evaluations = 0;
    double lastWrite = 0;
    while (elapsed() < options.seconds) {
        // The parent: one of the slowest quarter most of the time, any of
        // the pool sometimes, and now and then a fresh random board.
        std::string child;
        if (rng() % 10 == 0) {
            child = RandomBoard(rng);
        } else {
            const size_t range = rng() % 4 != 0 ? pool.size() / 4 + 1 : pool.size();
            const std::string& parent = pool[rng() % range].line;
            child = rng() % 5 == 0 ? Turned(parent, rng) : Mutate(parent, rng);
        }
        const double ms = SolveInChild(child, options.capMs, 100).ms;
        ++evaluations;
        if (ms > pool.back().ms) {
            pool.back() = {child, ms};
            std::sort(pool.begin(), pool.end(), slowestFirst);
        }
        if (elapsed() - lastWrite > 60) {
            lastWrite = elapsed();
            WritePool(pool, options.out);
            std::printf("%.0f s, %ld boards: slowest %.1f ms, median of the pool %.1f ms\n",
                        elapsed(), evaluations, pool.front().ms, pool[pool.size() / 2].ms);
            std::fflush(stdout);
        }
    }
    WritePool(pool, options.out);
    std::printf("done: %.0f s, %ld boards tried; slowest %.1f ms:\n%s\n", elapsed(), evaluations,
                pool.front().ms, pool.front().line.c_str());
    return 0;
}
