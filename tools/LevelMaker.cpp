// The level maker: a random full grid, clues that agree with it, and the
// search to tell when they leave one solution.
#include "LevelMaker.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "Units.h"
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

// A grid being filled, with the digits each row, column and block holds
// (bit d for digit d), so that the digits a square may still take are at hand.
struct FillingGrid {
    int (&grid)[kSquareCount];
    unsigned rowUsed[9] = {};
    unsigned columnUsed[9] = {};
    unsigned blockUsed[9] = {};

    unsigned FreeDigits(int index) const {
        const int row = RowOf(index);
        const int column = ColumnOf(index);
        return 0x3FEu & ~(rowUsed[row] | columnUsed[column] | blockUsed[BlockOf(row, column)]);
    }
    void Set(int index, int digit) {
        const int row = RowOf(index);
        const int column = ColumnOf(index);
        const unsigned bit = 1u << digit;
        if (digit != 0) {
            rowUsed[row] |= bit;
            columnUsed[column] |= bit;
            blockUsed[BlockOf(row, column)] |= bit;
        } else {
            const unsigned old = ~(1u << grid[index]);
            rowUsed[row] &= old;
            columnUsed[column] &= old;
            blockUsed[BlockOf(row, column)] &= old;
        }
        grid[index] = digit;
    }
};

// Fills the empty squares (0) of a sudoku grid: the square with the fewest
// digits left first (the first of them, row by row), its digits in random
// order. This takes a few hundred steps from the empty grid, and draws its
// own random numbers, so that the grid does not depend on how the engine's
// search orders its solutions.
bool FillGrid(FillingGrid& filling) {
    int best = -1;
    int fewest = 10;
    unsigned digits = 0;
    // The scan may stop at the first square with one digit left. Were there
    // a square with none further on, choosing it would fail at once; this
    // choice fails too, through squares of one digit each, which draw no
    // random numbers: the same grid and the same draws either way.
    for (int i = 0; i < kSquareCount && fewest > 1; ++i) {
        if (filling.grid[i] != 0) {
            continue;
        }
        const unsigned free = filling.FreeDigits(i);
        const int count = DigitCount(free >> 1);
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
        filling.Set(best, digit);
        if (FillGrid(filling)) {
            return true;
        }
        filling.Set(best, 0);
    }
    return false;
}

void FillGrid(int (&grid)[kSquareCount]) {
    FillingGrid filling{grid};
    for (int i = 0; i < kSquareCount; ++i) {
        filling.Set(i, grid[i]);
    }
    FillGrid(filling);
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
    // none, when the searches ran out of time, or when the level is sure to
    // grade harder than asked.
    bool ChooseClues();
    bool RanOutOfTime() const { return outOfTime; }
    // Sets the engine's board to the chosen clues.
    void Load() { Load(kept); }
    int Count(bool signs) const;

private:
    void Load(const std::vector<char>& use);
    // Whether the clues leave one solution. When the singles and settled
    // signs solve the level, they prove that without a search; `easy` tells
    // whether the techniques up to `hardest` solve a level with one solution.
    // `dropped`, the clue just taken away (-1 for none), is where a second
    // solution is looked for before any search.
    bool Unique(const std::vector<char>& use, bool& easy, int dropped = -1) {
        easy = false;
        outOfTime = outOfTime || Clock::now() > deadline;
        if (outOfTime) {
            return false;
        }
        Load(use);
        const StepFinder& finder = FinderForSigns();
        StepBoard board = finder.LoadLevel(engine.squares);
        if (finder.SolvedBySinglesAndSigns(board)) {
            easy = true;
            return true;
        }
        if (SecondSolution(finder, board, dropped) || engine.SolveLevel_FindSolutions(2) != 1) {
            return false;
        }
        easy =
            hardest > kSettledSign && SolvedByTechniques(engine.squares, engine.edgeMasks, hardest);
        return true;
    }
    bool Unique(const std::vector<char>& use) {
        bool easy = false;
        return Unique(use, easy);
    }
    // The step finder for the signs on the engine's board; the signs change
    // far less often than the givens.
    const StepFinder& FinderForSigns() {
        if (!signFinder || std::memcmp(finderSigns, engine.edgeMasks, sizeof(finderSigns)) != 0) {
            signFinder = std::make_unique<StepFinder>(engine.edgeMasks);
            std::memcpy(finderSigns, engine.edgeMasks, sizeof(finderSigns));
        }
        return *signFinder;
    }
    // Whether another digit than the grid's, in a square of clue `dropped`
    // (-1 for none) or in the first open square with the fewest candidates,
    // lets the singles and signs fill the board from where they stopped
    // (`board`): a solution besides the grid's, found in a few steps where a
    // search would take many. False proves nothing.
    bool SecondSolution(const StepFinder& finder, const StepBoard& board, int dropped) const {
        int fewest = -1;
        for (int i = 0; i < kSquareCount; ++i) {
            if (board.numbers[i] == 0 && (fewest < 0 || DigitCount(board.candidates[i]) <
                                                            DigitCount(board.candidates[fewest]))) {
                fewest = i;
            }
        }
        const Clue* clue = dropped >= 0 ? &clues[static_cast<size_t>(dropped)] : nullptr;
        for (int square :
             {clue ? clue->square : -1, clue && clue->isSign ? clue->greater : -1, fewest}) {
            if (square < 0 || board.numbers[square] != 0) {
                continue;
            }
            for (int digit = 1; digit <= kDigitCount; ++digit) {
                if (digit == grid[square] || (board.candidates[square] & DigitBit(digit)) == 0) {
                    continue;
                }
                StepBoard other = board;
                finder.Place(other, square, digit);
                if (finder.SolvedBySinglesAndSigns(other)) {
                    return true;
                }
            }
        }
        return false;
    }

    CNerekuEngine& engine;
    std::unique_ptr<StepFinder> signFinder;
    EdgeMask finderSigns[kSquareCount] = {};
    Clock::time_point deadline;
    bool outOfTime = false;
    // The hardest technique a level of the grade asked for may need, and
    // whether a level that needs more is given up.
    int hardest = kSettledSign;
    bool gradeCapped = false;
    int grid[kSquareCount] = {};
    std::vector<Clue> clues; // signs first, then givens
    std::vector<char> kept;
};

Attempt::Attempt(CNerekuEngine& engine_, const MakeOptions& options)
    : engine(engine_),
      deadline(Clock::now() + std::chrono::milliseconds(options.attemptMilliseconds)) {
    if (options.gradeWanted && options.grade != Grade::Hard) {
        gradeCapped = true;
        hardest = options.grade == Grade::Easy ? kSettledSign : kHiddenPair;
    }
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
    bool easy = false;
    while (low < high) {
        const size_t middle = (low + high) / 2;
        std::vector<char> front(clues.size(), 0);
        std::fill(front.begin(), front.begin() + static_cast<std::ptrdiff_t>(middle), 1);
        if (Unique(front, easy)) {
            if (gradeCapped && !easy) {
                return false; // the level will be a part of this front part
            }
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    std::fill(kept.begin() + static_cast<std::ptrdiff_t>(high), kept.end(), 0);

    // The clues kept from here on are ever fewer, and what the techniques up
    // to `hardest` cannot solve, they cannot solve with fewer clues: once
    // they fail on clues that leave one solution and hold the level's, the
    // level grades harder than asked, and the grading at the end would turn
    // it down.
    Load(kept);
    if (gradeCapped && !SolvedByTechniques(engine.squares, engine.edgeMasks, hardest)) {
        return false;
    }
    // A clue that is needed stays needed as others go, so one pass leaves
    // only needed clues. Givens go first: signs are what this game adds.
    for (bool signs : {false, true}) {
        for (size_t k = 0; k < high; ++k) {
            if (clues[k].isSign != signs) {
                continue;
            }
            kept[k] = 0;
            if (!Unique(kept, easy, static_cast<int>(k))) {
                kept[k] = 1;
            } else if (gradeCapped && !easy) {
                return false;
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
