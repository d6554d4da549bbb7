// Times the random grid generator: for each count of givens, one generation
// per seed (the random source is seeded before each), and prints the median,
// the 99th percentile and the worst time of one generation with the seed that
// took longest, and the total.
//
//   generator_bench [--seeds N] [--counts 20,30,80] [--slowest K]
//
// --slowest K also lists the K seeds that took longest, slowest first.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CNerekuEngine.h"
#include "corvane/Numbers.h"

namespace {

struct Timing {
    uint64_t seed;
    double ms;
};

bool ParseNumber(const char* text, unsigned long long& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text >= '0' && *text <= '9' && end != text && *end == '\0';
}

bool ParseCounts(const char* text, std::vector<int>& counts) {
    counts.clear();
    std::string list = text;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        unsigned long long count = 0;
        if (!ParseNumber(list.substr(start, comma - start).c_str(), count) || count > 81) {
            return false;
        }
        counts.push_back(static_cast<int>(count));
        start = comma + 1;
    }
    return !counts.empty();
}

// The time below which `share` of the timings lie (nearest rank).
double Percentile(const std::vector<Timing>& sorted, double share) {
    size_t rank = static_cast<size_t>(share * static_cast<double>(sorted.size()) + 0.999999);
    rank = std::max<size_t>(1, std::min(rank, sorted.size()));
    return sorted[rank - 1].ms;
}

void TimeCount(CNerekuEngine& engine, int count, uint64_t seeds, unsigned long long slowest) {
    using Clock = std::chrono::steady_clock;
    std::vector<Timing> timings;
    timings.reserve(seeds);
    int failed = 0;
    for (uint64_t seed = 1; seed <= seeds; ++seed) {
        SeedRandomNumbers(seed);
        const Clock::time_point start = Clock::now();
        failed += engine.GenerateRandomGrid(static_cast<unsigned char>(count)) ? 0 : 1;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        timings.push_back({seed, ms});
    }
    double total = 0;
    int over10 = 0;
    int over100 = 0;
    for (const Timing& timing : timings) {
        total += timing.ms;
        over10 += timing.ms > 10 ? 1 : 0;
        over100 += timing.ms > 100 ? 1 : 0;
    }
    std::sort(timings.begin(), timings.end(),
              [](const Timing& a, const Timing& b) { return a.ms < b.ms; });
    std::printf("count %2d: %llu seeds  median %.3f ms  p99 %.3f ms  worst %.3f ms (seed %llu)"
                "  total %.2f s  over 10 ms: %d  over 100 ms: %d%s\n",
                count, static_cast<unsigned long long>(seeds), Percentile(timings, 0.5),
                Percentile(timings, 0.99), timings.back().ms,
                static_cast<unsigned long long>(timings.back().seed), total / 1000, over10, over100,
                failed > 0 ? ("  FAILED: " + std::to_string(failed)).c_str() : "");
    for (size_t k = 0; k < slowest && k < timings.size(); ++k) {
        const Timing& timing = timings[timings.size() - 1 - k];
        std::printf("    seed %llu: %.3f ms\n", static_cast<unsigned long long>(timing.seed),
                    timing.ms);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long seeds = 10000;
    unsigned long long slowest = 0;
    std::vector<int> counts = {20, 30, 80};
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--seeds") == 0 && hasValue && ParseNumber(argv[i + 1], seeds) &&
            seeds > 0) {
            ++i;
        } else if (std::strcmp(argv[i], "--counts") == 0 && hasValue &&
                   ParseCounts(argv[i + 1], counts)) {
            ++i;
        } else if (std::strcmp(argv[i], "--slowest") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], slowest)) {
            ++i;
        } else {
            std::fprintf(stderr,
                         "usage: generator_bench [--seeds N] [--counts 20,30,80] [--slowest K]\n");
            return 1;
        }
    }
    auto engine = std::make_unique<CNerekuEngine>();
    for (int count : counts) {
        TimeCount(*engine, count, seeds, slowest);
    }
    return 0;
}
