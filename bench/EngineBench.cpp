// The search as the solve command runs it (SolveLevel_FindSolutions with the
// limit 100) over the empty grid, a level made of signs only, the usual
// sudoku collections, and four sets of our own editor boards (bench/data: the
// sign levels, those with one solution, the slowest boards the hunt found,
// and the boards that were left out of the sign levels for being slow).
//
//   engine_bench [--puzzles=N] [Google Benchmark flags]
//
// Each collection is solved whole per iteration, or its first N puzzles with
// --puzzles=N (0: every puzzle of every file); without the flag the big or
// slow collections are cut to their first puzzles, as the table below says.
// The context printed first names the build measured (build type, compiler,
// flags).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BoardText.h"
#include "CNerekuEngine.h"
#include "EditorBoards.h"
#include "PuzzleSets.h"

namespace {

struct Collection {
    const char* name;
    const char* file;
    size_t defaultLimit; // 0: the whole file
    bool ours;           // a set of bench/data, one BoardLine a line
};

const Collection kCollections[] = {
    {"17_clue", "puzzles2_17_clue.txt", 10000, false},
    {"magictour_top1465", "puzzles3_magictour_top1465.txt", 0, false},
    {"forum_hardest_1106", "puzzles6_forum_hardest_1106.txt", 0, false},
    {"forum_hardest_1905_11+", "puzzles5_forum_hardest_1905_11+.txt", 1000, false},
    {"serg_multi_solution", "puzzles7_serg_benchmark.txt", 2000, false},
    {"exchange_diabolical", "sudoku_exchange_diabolical.txt", 10000, false},
    {"sign_levels", "sign_levels.txt", 0, true},
    {"unique_sign_levels", "unique_sign_levels.txt", 0, true},
    {"slow_boards", "slow_boards.txt", 0, true},
    {"open_boards", "open_boards.txt", 0, true},
};

void EmptyGrid(benchmark::State& state) {
    auto engine = std::make_unique<CNerekuEngine>();
    int found = 0;
    for (auto _ : state) {
        engine->ResetGrid();
        found = engine->SolveLevel_FindSolutions();
    }
    state.counters["solutions"] = found;
}

// A level of signs only: between every two neighbours of every block, the
// sign that the solution below allows. The sign rule does most of the work.
void SignsOnly(benchmark::State& state) {
    const char* const solution =
        "652483917978162435314975628825736149791824563436519872269348751547291386183657294";
    auto engine = std::make_unique<CNerekuEngine>();
    engine->ResetGrid();
    for (int square = 0; square < kSquareCount; ++square) {
        const int column = ColumnOf(square);
        const int row = RowOf(square);
        if (column % 3 != 2) {
            const bool smaller = solution[square] < solution[square + 1];
            engine->edgeMasks[square] |= smaller ? kRightSmaller : kRightGreater;
            engine->edgeMasks[square + 1] |= smaller ? kLeftGreater : kLeftSmaller;
        }
        if (row % 3 != 2) {
            const bool smaller = solution[square] < solution[square + 9];
            engine->edgeMasks[square] |= smaller ? kDownSmaller : kDownGreater;
            engine->edgeMasks[square + 9] |= smaller ? kUpGreater : kUpSmaller;
        }
    }
    engine->UpdateLevelHasEdges();
    int found = 0;
    for (auto _ : state) {
        found = engine->SolveLevel_FindSolutions();
    }
    state.counters["solutions"] = found;
}

// The processor time this process has used, in milliseconds.
double ProcessorMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The time on the steady clock, in milliseconds. Reading the processor time
// costs over a microsecond here, a tenth of an easy puzzle, so the public
// collections, whose puzzles take microseconds, time each one by this clock
// (on a pinned, otherwise idle core the two agree); our own sets, whose
// boards take milliseconds, by the processor time their aims are given in.
double SteadyMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Solves every puzzle of the collection once per iteration. Besides the rate
// it reports the solutions found per puzzle, how many puzzles had none, the
// median time of one puzzle, how many took over 100 ms and the slowest puzzle
// (its time and its place in the list), timed by `clockMs`, so that other
// work on the machine counts less.
void SolveCollection(benchmark::State& state, const std::vector<std::string>* puzzles,
                     double (*clockMs)()) {
    auto engine = std::make_unique<CNerekuEngine>();
    long long solutions = 0;
    long long unsolved = 0;
    long long over100 = 0; // the aim for the Solve command: 100 ms
    double worstMs = 0;
    size_t worstIndex = 0;
    std::vector<double> times;
    for (auto _ : state) {
        for (size_t i = 0; i < puzzles->size(); ++i) {
            const double start = clockMs();
            LoadBoardLine(*engine, (*puzzles)[i]);
            const int found = engine->SolveLevel_FindSolutions();
            const double ms = clockMs() - start;
            solutions += found;
            unsolved += found == 0 ? 1 : 0;
            times.push_back(ms);
            over100 += ms > 100 ? 1 : 0;
            if (ms > worstMs) {
                worstMs = ms;
                worstIndex = i;
            }
        }
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
    const double solved = static_cast<double>(state.iterations()) * puzzles->size();
    state.counters["puzzles/s"] = benchmark::Counter(solved, benchmark::Counter::kIsRate);
    state.counters["puzzles"] = static_cast<double>(puzzles->size());
    state.counters["solutions/puzzle"] = solved > 0 ? solutions / solved : 0;
    state.counters["unsolved"] = solved > 0 ? unsolved * puzzles->size() / solved : 0;
    state.counters["worst_ms"] = worstMs;
    state.counters["over_100ms"] = solved > 0 ? over100 * puzzles->size() / solved : 0;
    state.SetLabel("slowest: puzzle " + std::to_string(worstIndex + 1));
}

// Takes --puzzles=N out of the arguments: N, or -1 when it is not there.
long TakePuzzleLimit(int& argc, char** argv) {
    long limit = -1;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--puzzles=", 10) == 0) {
            limit = std::strtol(argv[i] + 10, nullptr, 10);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return limit;
}

} // namespace

int main(int argc, char** argv) {
    const long limit = TakePuzzleLimit(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::AddCustomContext("build", NEREKU_BUILD_INFO);
    benchmark::RegisterBenchmark("Search/EmptyGrid", EmptyGrid)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Search/SignsOnly", SignsOnly)->Unit(benchmark::kMicrosecond);

    // The collections stay loaded for the whole run.
    static std::vector<std::vector<std::string>> loaded(std::size(kCollections));
    const std::string folder = SudokuDataFolder();
    for (size_t k = 0; k < std::size(kCollections); ++k) {
        const Collection& collection = kCollections[k];
        const size_t cut = limit >= 0 ? static_cast<size_t>(limit) : collection.defaultLimit;
        const std::string path =
            (collection.ours ? std::string(NEREKU_BENCH_DATA_DIR) : folder) + "/" + collection.file;
        const bool read = collection.ours ? ReadBoardFile(path, cut, loaded[k])
                                          : ReadPuzzleFile(path, cut, loaded[k]);
        if (!read || loaded[k].empty()) {
            std::fprintf(stderr, "engine_bench: no puzzles in %s, skipped\n", path.c_str());
            continue;
        }
        const std::string name =
            std::string("Search/") + collection.name + "/" + std::to_string(loaded[k].size());
        benchmark::RegisterBenchmark(name.c_str(), SolveCollection, &loaded[k],
                                     collection.ours ? ProcessorMs : SteadyMs)
            ->Unit(benchmark::kMillisecond);
    }
    // The slow boards turned as the rules cannot tell, eight ways each: a
    // set that no build was hunted against, so its sum and median compare
    // builds better than those of the slow boards themselves.
    static std::vector<std::string> turned;
    BoardRng rng(1);
    for (size_t k = 0; k < std::size(kCollections); ++k) {
        if (std::strcmp(kCollections[k].name, "slow_boards") != 0) {
            continue;
        }
        for (const std::string& line : loaded[k]) {
            for (int way = 0; way < 8; ++way) {
                turned.push_back(Turned(line, rng));
            }
        }
    }
    if (!turned.empty()) {
        const std::string name = "Search/slow_boards_turned/" + std::to_string(turned.size());
        benchmark::RegisterBenchmark(name.c_str(), SolveCollection, &turned, ProcessorMs)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
