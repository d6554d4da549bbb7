// Times nereku make: for each grade asked for (and for none), one level per
// seed, and prints the median and the worst time of one level with the seed
// that took longest, how many attempts it took, and the mix of grades and
// the givens and signs of the levels made.
//
//   make_bench [--seeds N] [--givens N] [--signs N] [--grades any,easy,medium,hard]
//
// The bounds default to those of nereku make. Seeds run from 1 to N.
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
#include "LevelMaker.h"

namespace {

bool ParseNumber(const char* text, unsigned long long& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text >= '0' && *text <= '9' && end != text && *end == '\0';
}

// "any" or a grade's name; a grade of -1 stands for any.
bool ParseGrades(const std::string& list, std::vector<int>& grades) {
    grades.clear();
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string word = list.substr(start, comma - start);
        Grade grade = Grade::Easy;
        if (word == "any") {
            grades.push_back(-1);
        } else if (ParseGrade(word, grade)) {
            grades.push_back(static_cast<int>(grade));
        } else {
            return false;
        }
        start = comma + 1;
    }
    return !grades.empty();
}

struct Run {
    uint64_t seed;
    double ms;
    int attempts;
};

void TimeGrade(CNerekuEngine& engine, MakeOptions options, int grade, uint64_t seeds) {
    options.gradeWanted = grade >= 0;
    options.grade = static_cast<Grade>(std::max(grade, 0));
    std::vector<Run> runs;
    int mix[3] = {};
    int failed = 0;
    long givens = 0;
    long signs = 0;
    int signsOnly = 0; // levels with 4 givens or fewer
    for (uint64_t seed = 1; seed <= seeds; ++seed) {
        options.seed = seed;
        MadeLevel made;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = MakeLevel(engine, options, made);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        runs.push_back({seed, ms, made.attempts});
        if (!ok) {
            ++failed;
            continue;
        }
        ++mix[static_cast<int>(made.report.grade)];
        givens += made.givens;
        signs += made.signs;
        signsOnly += made.givens <= 4;
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
    const Run& median = runs[(runs.size() - 1) / 2];
    const Run& worst = runs.back();
    int attempts = 0;
    for (const Run& run : runs) {
        attempts += run.attempts;
    }
    const int made = static_cast<int>(seeds) - failed;
    std::printf("%-6s %llu seeds  median %.0f ms  worst %.0f ms (seed %llu, %d attempts)  "
                "attempts %.1f a level  grades E/M/H %d/%d/%d  givens %.1f  signs %.1f  "
                "<=4 givens %d%s\n",
                grade < 0 ? "any" : GradeName(static_cast<Grade>(grade)),
                static_cast<unsigned long long>(seeds), median.ms, worst.ms,
                static_cast<unsigned long long>(worst.seed), worst.attempts,
                static_cast<double>(attempts) / static_cast<double>(seeds), mix[0], mix[1], mix[2],
                made > 0 ? static_cast<double>(givens) / made : 0.0,
                made > 0 ? static_cast<double>(signs) / made : 0.0, signsOnly,
                failed > 0 ? ("  FAILED: " + std::to_string(failed)).c_str() : "");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long seeds = 100;
    MakeOptions options;
    options.maxGivens = kDefaultMaxGivens;
    options.maxSigns = kDefaultMaxSigns;
    std::vector<int> grades = {-1, 0, 1, 2};
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        unsigned long long value = 0;
        if (std::strcmp(argv[i], "--seeds") == 0 && hasValue && ParseNumber(argv[i + 1], seeds) &&
            seeds > 0) {
            ++i;
        } else if (std::strcmp(argv[i], "--givens") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], value) && value <= kSquareCount) {
            options.maxGivens = static_cast<int>(value);
            ++i;
        } else if (std::strcmp(argv[i], "--signs") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], value) && value <= kSignPlaces) {
            options.maxSigns = static_cast<int>(value);
            ++i;
        } else if (std::strcmp(argv[i], "--grades") == 0 && hasValue &&
                   ParseGrades(argv[i + 1], grades)) {
            ++i;
        } else {
            std::fprintf(stderr, "usage: make_bench [--seeds N] [--givens N] [--signs N] "
                                 "[--grades any,easy,medium,hard]\n");
            return 1;
        }
    }
    std::printf("make: at most %d givens and %d signs\n", options.maxGivens, options.maxSigns);
    auto engine = std::make_unique<CNerekuEngine>();
    for (int grade : grades) {
        TimeGrade(*engine, options, grade, seeds);
    }
    return 0;
}
