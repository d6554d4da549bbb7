// The level maker: a random full grid, clues that agree with it, and the
// search to tell when they leave one solution.
#include "LevelMaker.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "corvane/Numbers.h"

namespace {

// A clue that agrees with the grid: a given on `square`, or the sign that
// says `square` holds less than its neighbour `greater`.
struct Clue {
    bool isSign;
    int square;
    int greater;
};

template <typename T> void Shuffle(std::vector<T>& items) {
    for (int k = static_cast<int>(items.size()) - 1; k > 0; --k) {
        std::swap(items[static_cast<size_t>(k)], items[static_cast<size_t>(GetRandomNumber(0, k))]);
    }
}

// The digits that square `index` of a partly filled grid may still take.
unsigned FreeDigits(const int (&grid)[kSquareCount], int index) {
    const int row = RowOf(index);
    const int column = ColumnOf(index);
    const int block = BlockOf(row, column);
    unsigned used = 0;
    for (int k = 0; k < 9; ++k) {
        used |= 1u << grid[SquareIndex(row, k)];
        used |= 1u << grid[SquareIndex(k, column)];
        used |= 1u << grid[BlockSquare(block, k)];
    }
    return 0x3FEu & ~used; // bits 1 to 9
}

// Fills the empty squares (0) of a sudoku grid: the square with the fewest
// digits left first, its digits in random order. This takes a few hundred
// steps from the empty grid, and draws its own random numbers, so that the
// grid does not depend on how the engine's search orders its solutions.
bool FillGrid(int (&grid)[kSquareCount]) {
    int best = -1;
    int fewest = 10;
    unsigned digits = 0;
    for (int i = 0; i < kSquareCount; ++i) {
        if (grid[i] != 0) {
            continue;
        }
        const unsigned free = FreeDigits(grid, i);
        int count = 0;
        for (int d = 1; d <= kDigitCount; ++d) {
            count += (free >> d) & 1;
        }
        if (count < fewest) {
            fewest = count;
            best = i;
            digits = free;
        }
    }
    if (best < 0) {
        return true;
    }
    std::vector<int> order;
    for (int d = 1; d <= kDigitCount; ++d) {
        if ((digits >> d) & 1) {
            order.push_back(d);
        }
    }
    Shuffle(order);
    for (int digit : order) {
        grid[best] = digit;
        if (FillGrid(grid)) {
            return true;
        }
    }
    grid[best] = 0;
    return false;
}

// Puts the sign "smaller < greater" on the board, both halves.
void PlaceSign(CNerekuEngine& engine, int smaller, int greater) {
    for (int d = 0; d < 4; ++d) {
        if (kSignDirections[d].offset == greater - smaller) {
            engine.edgeMasks[smaller] |= kSignDirections[d].smaller;
            engine.edgeMasks[greater] |= kSignDirections[(d + 2) % 4].greater;
        }
    }
}

using Clock = std::chrono::steady_clock;

class Attempt {
public:
    Attempt(CNerekuEngine& engine, const MakeOptions& options);
    // Finds the clues that leave one solution; false when the bounds allow
    // none, or when the searches ran out of time.
    bool ChooseClues();
    bool RanOutOfTime() const { return outOfTime; }
    // Sets the engine's board to the chosen clues.
    void Load() { Load(kept); }
    int Count(bool signs) const;

private:
    void Load(const std::vector<char>& use);
    bool Unique(const std::vector<char>& use) {
        outOfTime = outOfTime || Clock::now() > deadline;
        if (outOfTime) {
            return false;
        }
        Load(use);
        return engine.SolveLevel_FindSolutions(2) == 1;
    }

    CNerekuEngine& engine;
    Clock::time_point deadline;
    bool outOfTime = false;
    int grid[kSquareCount] = {};
    std::vector<Clue> clues; // signs first, then givens
    std::vector<char> kept;
};

Attempt::Attempt(CNerekuEngine& engine_, const MakeOptions& options)
    : engine(engine_),
      deadline(Clock::now() + std::chrono::milliseconds(options.attemptMilliseconds)) {
    FillGrid(grid);
    std::vector<Clue> signs;
    for (int i = 0; i < kSquareCount; ++i) {
        for (int other : {i + 1, i + 9}) {
            const bool sameBlock = other == i + 1 ? ColumnOf(i) % 3 != 2 : RowOf(i) % 3 != 2;
            if (sameBlock) {
                const bool less = grid[i] < grid[other];
                signs.push_back({true, less ? i : other, less ? other : i});
            }
        }
    }
    std::vector<Clue> givens;
    for (int i = 0; i < kSquareCount; ++i) {
        givens.push_back({false, i, -1});
    }
    Shuffle(signs);
    Shuffle(givens);
    signs.resize(static_cast<size_t>(std::clamp(options.maxSigns, 0, kSignPlaces)));
    givens.resize(static_cast<size_t>(std::clamp(options.maxGivens, 0, kSquareCount)));
    clues = signs;
    clues.insert(clues.end(), givens.begin(), givens.end());
}

void Attempt::Load(const std::vector<char>& use) {
    engine.ResetGrid();
    for (size_t k = 0; k < clues.size(); ++k) {
        if (!use[k]) {
            continue;
        }
        const Clue& clue = clues[k];
        if (clue.isSign) {
            PlaceSign(engine, clue.square, clue.greater);
        } else {
            SetSquareToDigit(engine.squares[clue.square],
                             static_cast<unsigned char>(grid[clue.square]));
            engine.squares[clue.square].fixed = 1;
        }
    }
    engine.UpdateLevelHasEdges();
}

bool Attempt::ChooseClues() {
    // More clues never give more solutions, so the shortest front part of the
    // line that leaves one is found by halving.
    kept.assign(clues.size(), 1);
    if (!Unique(kept)) {
        return false;
    }
    size_t low = 0;
    size_t high = clues.size();
    while (low < high) {
        const size_t middle = (low + high) / 2;
        std::vector<char> front(clues.size(), 0);
        std::fill(front.begin(), front.begin() + static_cast<std::ptrdiff_t>(middle), 1);
        if (Unique(front)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    std::fill(kept.begin() + static_cast<std::ptrdiff_t>(high), kept.end(), 0);

    // A clue that is needed stays needed as others go, so one pass leaves
    // only needed clues. Givens go first: signs are what this game adds.
    for (bool signs : {false, true}) {
        for (size_t k = 0; k < high; ++k) {
            if (clues[k].isSign != signs) {
                continue;
            }
            kept[k] = 0;
            if (!Unique(kept)) {
                kept[k] = 1;
            }
        }
    }
    return !outOfTime;
}

int Attempt::Count(bool signs) const {
    int count = 0;
    for (size_t k = 0; k < clues.size(); ++k) {
        count += kept[k] && clues[k].isSign == signs;
    }
    return count;
}

} // namespace

uint64_t NextSeed(uint64_t seed) {
    // splitmix64's step: neighbouring seeds lead far apart.
    uint64_t z = seed + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

bool MakeLevel(CNerekuEngine& engine, const MakeOptions& options, MadeLevel& made) {
    made = MadeLevel();
    uint64_t seed = options.seed;
    for (int attempt = 1; attempt <= options.maxAttempts; ++attempt, seed = NextSeed(seed)) {
        made.attempts = attempt;
        SeedRandomNumbers(seed);
        Attempt maker(engine, options);
        if (!maker.ChooseClues()) {
            made.timedOut += maker.RanOutOfTime();
            continue;
        }
        maker.Load();
        if (engine.SolveLevel_FindSolutions(2) != 1 ||
            engine.solutions.GetColumnLen(0, 0) != kSquareImageSize) {
            continue;
        }
        Square solution[kSquareCount];
        std::memcpy(solution, engine.solutions.GetValue(0, 0), kSquareImageSize);
        made.report = GradeLevel(engine.squares, engine.edgeMasks, solution);
        if (!made.report.solved || (options.gradeWanted && made.report.grade != options.grade)) {
            continue;
        }
        made.seed = seed;
        made.givens = maker.Count(false);
        made.signs = maker.Count(true);
        return true;
    }
    return false;
}
