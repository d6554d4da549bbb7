// The search on the compact board against the search on the squares: the same
// stored solutions, byte for byte and in the same order, and the same board
// left behind, on puzzle collections, on the empty grid and on random boards
// with signs, crossed-off candidates, conflicting numbers and stale flags.
// The compact rules and checks are also held against the member rules one by
// one, which points at the rule when the searches differ.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestBoards.h"
#include "corvane/Numbers.h"
#include "solver/CompactBoard.h"

namespace {

// ---- Random boards. The draws use the generator's raw output only, so a
// seed gives the same boards with every standard library.

class Rng {
public:
    explicit Rng(uint32_t seed) : engine(seed) {}
    int Below(int n) { return static_cast<int>(engine() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::mt19937 engine;
};

// A random correct grid: the known solution with its digits renamed, rows
// shuffled within bands, bands shuffled, the same for columns, and maybe
// mirrored on the diagonal.
std::string RandomSolvedGrid(Rng& rng) {
    auto shuffledLines = [&rng]() {
        int bands[3] = {0, 1, 2};
        std::vector<int> order;
        for (int i = 2; i > 0; --i) {
            std::swap(bands[i], bands[rng.Below(i + 1)]);
        }
        for (int band : bands) {
            int lines[3] = {0, 1, 2};
            for (int i = 2; i > 0; --i) {
                std::swap(lines[i], lines[rng.Below(i + 1)]);
            }
            for (int line : lines) {
                order.push_back(3 * band + line);
            }
        }
        return order;
    };
    char names[9] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    for (int i = 8; i > 0; --i) {
        std::swap(names[i], names[rng.Below(i + 1)]);
    }
    const std::vector<int> rows = shuffledLines();
    const std::vector<int> columns = shuffledLines();
    const bool mirrored = rng.Chance(50);
    std::string grid(kSquareCount, '0');
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const int from =
                mirrored ? SquareIndex(columns[c], rows[r]) : SquareIndex(rows[r], columns[c]);
            grid[SquareIndex(r, c)] = names[kSolvedGrid[from] - '1'];
        }
    }
    return grid;
}

// The engine's board as the usual puzzle: `grid`'s digits where `keep` says
// so, the other squares empty.
void SetGivens(CNerekuEngine& engine, const std::string& grid, Rng& rng, int keepPercent) {
    engine.ResetGrid();
    engine.levelHasEdges = false;
    for (int i = 0; i < kSquareCount; ++i) {
        if (rng.Chance(keepPercent)) {
            SetSquareToDigit(engine.squares[i], static_cast<unsigned char>(grid[i] - '0'));
            engine.squares[i].fixed = static_cast<unsigned char>(rng.Chance(80) ? 1 : 0);
        }
    }
}

// Signs between adjacent squares of a block as `grid` has them, with both
// halves; then `faults` of the kinds a damaged level file might hold: a sign
// reversed, a half lost, a stray bit (maybe pointing out of the block, or
// doubling a pair).
void AddSigns(CNerekuEngine& engine, const std::string& grid, Rng& rng, int percent, int faults) {
    for (int i = 0; i < kSquareCount; ++i) {
        for (int other : {i + 1, i + 9}) {
            if (other < kSquareCount && (other == i + 9 || ColumnOf(other) != 0) &&
                BlockOf(RowOf(i), ColumnOf(i)) == BlockOf(RowOf(other), ColumnOf(other)) &&
                rng.Chance(percent)) {
                if (grid[i] < grid[other]) {
                    PlaceSign(engine, i, other);
                } else {
                    PlaceSign(engine, other, i);
                }
            }
        }
    }
    for (int n = 0; n < faults; ++n) {
        const int i = rng.Below(kSquareCount);
        switch (rng.Below(3)) {
        case 0: // reversed: the two bits of every pair swapped
            engine.edgeMasks[i] = static_cast<EdgeMask>(((engine.edgeMasks[i] & 0xAA) >> 1) |
                                                        ((engine.edgeMasks[i] & 0x55) << 1));
            break;
        case 1:
            engine.edgeMasks[i] = 0;
            break;
        default:
            engine.edgeMasks[i] |= static_cast<EdgeMask>(1u << rng.Below(8));
            break;
        }
    }
    engine.levelHasEdges = rng.Chance(85);
}

// Damage of the kinds a player or a level file can bring: crossed-off
// candidates, numbers that may break a rule, numbered squares with stale
// flags.
void Damage(CNerekuEngine& engine, Rng& rng, int crossPercent, int wrongNumbers, int stale) {
    for (Square& square : engine.squares) {
        if (square.number == 0 && rng.Chance(crossPercent)) {
            square.possible[rng.Below(9)] = 0;
        }
    }
    if (rng.Chance(crossPercent)) { // a square with every candidate crossed off
        std::memset(engine.squares[rng.Below(kSquareCount)].possible, 0, kDigitCount);
    }
    for (int n = 0; n < wrongNumbers; ++n) {
        Square& square = engine.squares[rng.Below(kSquareCount)];
        square.number = static_cast<unsigned char>(1 + rng.Below(9));
        if (rng.Chance(50)) {
            SetSquareToDigit(square, square.number);
        }
    }
    for (int n = 0; n < stale; ++n) {
        Square& square = engine.squares[rng.Below(kSquareCount)];
        if (square.number != 0) {
            square.possible[rng.Below(9)] = 1;
        }
    }
}

// A board with any values in range: numbers, flags and masks at random.
void RandomValues(CNerekuEngine& engine, Rng& rng) {
    for (int i = 0; i < kSquareCount; ++i) {
        Square& square = engine.squares[i];
        square.fixed = static_cast<unsigned char>(rng.Below(2));
        square.number = static_cast<unsigned char>(rng.Chance(70) ? 0 : 1 + rng.Below(9));
        for (unsigned char& flag : square.possible) {
            flag = static_cast<unsigned char>(rng.Chance(70) ? 1 : 0);
        }
        engine.edgeMasks[i] = static_cast<EdgeMask>(rng.Chance(40) ? rng.Below(256) : 0);
    }
    engine.levelHasEdges = rng.Chance(70);
}

void CopyBoard(const CNerekuEngine& from, CNerekuEngine& to) {
    std::memcpy(to.squares, from.squares, sizeof(to.squares));
    std::memcpy(to.edgeMasks, from.edgeMasks, sizeof(to.edgeMasks));
    to.levelHasEdges = from.levelHasEdges;
}

std::string Bytes(const void* data, size_t length) {
    return std::string(static_cast<const char*>(data), length);
}

// ---- The two searches side by side.

struct Outcome {
    std::vector<std::string> rows; // every stored value, all its bytes
    std::string board;             // the square block left behind
};

Outcome Run(const CNerekuEngine& start, unsigned char depth, int limit, bool fast, int rowsBefore) {
    CNerekuEngine engine;
    CopyBoard(start, engine);
    engine.solutions.DeleteRow(-1);
    for (int n = 0; n < rowsBefore; ++n) {
        engine.solutions.AddRow(-1, 0);
    }
    if (fast) {
        engine.SolveLevel_Iter(depth, limit);
    } else {
        engine.SolveLevel_IterPlain(depth, limit);
    }
    Outcome outcome;
    for (int row = 0; row < engine.solutions.GetRowCount(); ++row) {
        const void* value = engine.solutions.GetValue(row, 0, nullptr, true);
        outcome.rows.push_back(
            value != nullptr ? Bytes(value, engine.solutions.GetColumnLen(row, 0)) : "");
    }
    outcome.board = Bytes(engine.squares, kSquareImageSize);
    return outcome;
}

// Runs both searches on the board; returns how many solutions they stored.
size_t ExpectSameSearch(const CNerekuEngine& start, unsigned char depth, int limit,
                        const std::string& what, int rowsBefore = 0) {
    const Outcome fast = Run(start, depth, limit, true, rowsBefore);
    const Outcome plain = Run(start, depth, limit, false, rowsBefore);
    const std::string where = what + " (depth " + std::to_string(depth) + ", limit " +
                              std::to_string(limit) + ")\n" + RenderBoard(start);
    EXPECT_EQ(fast.rows.size(), plain.rows.size()) << where;
    for (size_t row = 0; row < std::min(fast.rows.size(), plain.rows.size()); ++row) {
        if (fast.rows[row] != plain.rows[row]) {
            ADD_FAILURE() << "solution " << row << " differs: " << where;
            break;
        }
    }
    EXPECT_TRUE(fast.board == plain.board) << "the board left behind differs: " << where;
    return plain.rows.size();
}

// Up to `wanted` puzzles spread evenly over a collection file ('#' lines are
// comments, CRLF endings, anything after the 81 characters ignored).
std::vector<std::string> ReadPuzzles(const char* name, size_t wanted) {
    std::ifstream file(std::string(NEREKU_TEST_DATA_DIR) + "/" + name);
    std::vector<std::string> all;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line[0] != '#' && line.size() >= 81) {
            all.push_back(line.substr(0, 81));
        }
    }
    std::vector<std::string> picked;
    const size_t step = std::max<size_t>(1, all.size() / std::max<size_t>(1, wanted));
    for (size_t i = 0; i < all.size() && picked.size() < wanted; i += step) {
        picked.push_back(all[i]);
    }
    return picked;
}

// ---- The compact rules against the member rules.

// The member rules reach the engine's propagation too.
class EngineProbe : public CNerekuEngine {
public:
    using CNerekuEngine::PropagateUntilStable;
};

std::string CompactImage(const CompactBoard& board, const CNerekuEngine& engine) {
    Square squares[kSquareCount];
    std::memcpy(squares, engine.squares, sizeof(squares));
    StoreCompactBoard(board, squares);
    return Bytes(squares, kSquareImageSize);
}

// Applies one rule both ways to the same board and compares board and result.
template <typename Member, typename Compact>
void ExpectSameRule(const CNerekuEngine& start, const char* name, Member member, Compact compact) {
    EngineProbe engine;
    CopyBoard(start, engine);
    CompactBoard board;
    LoadCompactBoard(engine.squares, board);
    const CompactSolver solver(engine.edgeMasks, engine.levelHasEdges);
    const bool compactChanged = compact(solver, board);
    const bool memberChanged = member(engine);
    EXPECT_EQ(compactChanged, memberChanged) << name << "\n" << RenderBoard(start);
    EXPECT_TRUE(CompactImage(board, engine) == Bytes(engine.squares, kSquareImageSize))
        << name << "\n"
        << RenderBoard(start);
}

void ExpectSameRules(const CNerekuEngine& start) {
    ExpectSameRule(
        start, "single numbers",
        [](EngineProbe& e) { return e.SolveLevel_SetSingleNumbersToDetermined(); },
        [](const CompactSolver& s, CompactBoard& b) { return s.SetSingleNumbers(b); });
    ExpectSameRule(
        start, "marking off",
        [](EngineProbe& e) { return e.SolveLevel_MarkOffNeighboursOfDeterminedNumbers(); },
        [](const CompactSolver& s, CompactBoard& b) { return s.MarkOffNeighbours(b); });
    ExpectSameRule(
        start, "unique numbers",
        [](EngineProbe& e) { return e.SolveLevel_SetUniqueNumbersToDetermined(); },
        [](const CompactSolver& s, CompactBoard& b) { return s.SetUniqueNumbers(b); });
    ExpectSameRule(
        start, "sign limits",
        [](EngineProbe& e) { return e.SolveLevel_MarkOffEdgeLimitedNumbers(); },
        [](const CompactSolver& s, CompactBoard& b) { return s.MarkOffEdgeLimited(b); });
    ExpectSameRule(
        start, "propagation",
        [](EngineProbe& e) {
            e.PropagateUntilStable();
            return true;
        },
        [](const CompactSolver& s, CompactBoard& b) {
            s.Propagate(b);
            return true;
        });

    EngineProbe engine;
    CopyBoard(start, engine);
    CompactBoard board;
    LoadCompactBoard(engine.squares, board);
    const CompactSolver solver(engine.edgeMasks, engine.levelHasEdges);
    EXPECT_EQ(solver.IsCorrect(board), engine.CheckSolution_IsCorrect()) << RenderBoard(start);
    EXPECT_EQ(solver.IsPossible(board), engine.CheckSolution_IsPossible()) << RenderBoard(start);
    int index = -1;
    unsigned char row = 99;
    unsigned char column = 99;
    EXPECT_EQ(CompactSolver::FindLowest(board, &index),
              engine.SolveLevel_FindLowestPossibleSquares(&row, &column));
    if (index >= 0) {
        EXPECT_EQ(index, SquareIndex(row, column)) << RenderBoard(start);
    }
}

} // namespace

// ---- Rules and checks.

TEST(CompactRules, MatchTheMemberRulesOnRandomBoards) {
    Rng rng(20240611);
    for (int n = 0; n < 600; ++n) {
        CNerekuEngine engine;
        const std::string grid = RandomSolvedGrid(rng);
        switch (n % 3) {
        case 0:
            RandomValues(engine, rng);
            break;
        case 1:
            SetGivens(engine, grid, rng, 20 + rng.Below(60));
            AddSigns(engine, grid, rng, 50, rng.Below(4));
            Damage(engine, rng, 20, rng.Below(3), rng.Below(6));
            break;
        default:
            SetGivens(engine, grid, rng, 100 - rng.Below(12)); // nearly full boards
            AddSigns(engine, grid, rng, 30, rng.Below(3));
            Damage(engine, rng, 5, rng.Below(2), rng.Below(3));
            break;
        }
        ExpectSameRules(engine);
        if (HasFailure()) {
            return;
        }
    }
}

// Boards outside the usual ranges go to the search on the squares.
TEST(CompactRules, OnlyUsualValuesFit) {
    CNerekuEngine engine;
    EXPECT_TRUE(FitsCompactBoard(engine.squares));
    engine.squares[80].number = 10;
    EXPECT_FALSE(FitsCompactBoard(engine.squares));
    engine.squares[80].number = 9;
    engine.squares[3].possible[8] = 2;
    EXPECT_FALSE(FitsCompactBoard(engine.squares));
    engine.squares[3].possible[8] = 1;
    engine.squares[40].fixed = 7;
    EXPECT_FALSE(FitsCompactBoard(engine.squares));

    // Such boards still give the same results through SolveLevel_Iter.
    std::string puzzle = kSolvedGrid;
    for (int i = 0; i < kSquareCount; i += 4) {
        puzzle[i] = '.';
    }
    ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle));
    engine.squares[40].fixed = 2;
    ExpectSameSearch(engine, 255, 3, "a given byte of 2");
    engine.squares[12].number = 11; // never complete: the search must stop on its own
    ExpectSameSearch(engine, 255, 3, "a number of 11");
    ExpectSameSearch(engine, 2, 3, "a number of 11");
}

// Every board in and out of the compact form comes back as it was.
TEST(CompactRules, LoadAndStoreKeepTheSquares) {
    Rng rng(7);
    for (int n = 0; n < 50; ++n) {
        CNerekuEngine engine;
        RandomValues(engine, rng);
        CompactBoard board;
        LoadCompactBoard(engine.squares, board);
        EXPECT_TRUE(CompactImage(board, engine) == Bytes(engine.squares, kSquareImageSize));
    }
}

// A unit with a digit that no square can take has no completion: the search
// on the squares stores nothing for such a board either.
TEST(CompactRules, AMissingDigitMeansNoSolution) {
    std::string puzzle = kSolvedGrid;
    for (int i = 0; i < kSquareCount; i += 3) {
        puzzle[i] = '.';
    }
    CNerekuEngine engine;
    ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle));
    CompactBoard board;
    LoadCompactBoard(engine.squares, board);
    EXPECT_FALSE(CompactSolver::MissesADigit(board));
    for (int c = 0; c < 9; ++c) {
        engine.squares[SquareIndex(4, c)].possible[7] = 0; // no 8 left in row 4
    }
    LoadCompactBoard(engine.squares, board);
    EXPECT_TRUE(CompactSolver::MissesADigit(board));
    EXPECT_EQ(ExpectSameSearch(engine, 255, 100, "no 8 in row 4"), 0u);
}

// ---- Whole searches.

TEST(FastSearch, EmptyGridAtEveryLimitAndDepth) {
    CNerekuEngine engine;
    for (int limit : {0, 1, 3, 100}) {
        for (int depth : {0, 1, 255}) {
            ExpectSameSearch(engine, static_cast<unsigned char>(depth), limit, "empty grid");
        }
    }
    // The limit counts the rows already in the list.
    ExpectSameSearch(engine, 255, 3, "empty grid, two rows before", 2);
    ExpectSameSearch(engine, 255, -5, "empty grid, negative limit");
}

TEST(FastSearch, SeventeenGivenPuzzles) {
    const std::vector<std::string> puzzles = ReadPuzzles("puzzles2_17_clue.txt", 150);
    if (puzzles.empty()) {
        GTEST_SKIP() << "puzzle data not found";
    }
    for (size_t n = 0; n < puzzles.size(); ++n) {
        CNerekuEngine engine;
        ASSERT_TRUE(LoadPuzzleDigits(engine, puzzles[n])) << puzzles[n];
        ExpectSameSearch(engine, n % 10 == 0 ? 2 : 255, n % 7 == 0 ? 1 : 100, puzzles[n]);
    }
}

// The hardest puzzles cost the search on the squares tens of milliseconds
// each, so most are searched only a few branching levels deep.
TEST(FastSearch, HardestPuzzles) {
    const std::vector<std::string> puzzles = ReadPuzzles("puzzles6_forum_hardest_1106.txt", 375);
    if (puzzles.empty()) {
        GTEST_SKIP() << "puzzle data not found";
    }
    for (size_t n = 0; n < puzzles.size(); ++n) {
        CNerekuEngine engine;
        ASSERT_TRUE(LoadPuzzleDigits(engine, puzzles[n])) << puzzles[n];
        const bool whole = n % 40 == 0;
        ExpectSameSearch(engine, whole ? 255 : static_cast<unsigned char>(1 + n % 4),
                         n % 2 == 0 ? 100 : 1, puzzles[n]);
    }
}

// Puzzles with no solution and with hundreds of them.
TEST(FastSearch, PuzzlesWithKnownCounts) {
    const std::vector<std::string> puzzles = ReadPuzzles("tdoku_test_puzzles_with_counts.txt", 100);
    if (puzzles.empty()) {
        GTEST_SKIP() << "puzzle data not found";
    }
    for (const std::string& puzzle : puzzles) {
        CNerekuEngine engine;
        ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle)) << puzzle;
        ExpectSameSearch(engine, 255, 100, puzzle);
    }
}

// Sign levels: givens and signs of a random grid, with the damage a player
// or a file can do, searched with and without the sign rule.
TEST(FastSearch, RandomBoardsWithSigns) {
    Rng rng(1106);
    size_t solved = 0;
    for (int n = 0; n < 300; ++n) {
        CNerekuEngine engine;
        const std::string grid = RandomSolvedGrid(rng);
        SetGivens(engine, grid, rng, n % 4 == 0 ? 10 + rng.Below(20) : 30 + rng.Below(40));
        AddSigns(engine, grid, rng, 20 + rng.Below(80), rng.Chance(30) ? 1 + rng.Below(3) : 0);
        if (n % 3 != 0) {
            Damage(engine, rng, 4, rng.Chance(25) ? 1 : 0, rng.Below(4));
        }
        const int limits[] = {1, 3, 100};
        const unsigned char depth =
            n % 4 == 0 ? static_cast<unsigned char>(rng.Below(6)) : static_cast<unsigned char>(255);
        solved += ExpectSameSearch(engine, depth, limits[rng.Below(3)], "random sign board") > 0;
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_GT(solved, 100u) << "most boards should keep a solution";
}

// Boards of any values in range, most of them broken from the start.
TEST(FastSearch, RandomValues) {
    Rng rng(42);
    for (int n = 0; n < 300; ++n) {
        CNerekuEngine engine;
        RandomValues(engine, rng);
        ExpectSameSearch(engine, static_cast<unsigned char>(rng.Below(4)), 1 + rng.Below(100),
                         "random values");
        if (HasFailure()) {
            return;
        }
    }
}

// The generator's levels, with a few signs added afterwards.
TEST(FastSearch, GeneratedLevels) {
    Rng rng(3);
    for (int seed = 1; seed <= 40; ++seed) {
        SeedRandomNumbers(static_cast<uint64_t>(seed));
        CNerekuEngine engine;
        ASSERT_TRUE(engine.GenerateRandomGrid(static_cast<unsigned char>(22 + seed % 30)));
        ExpectSameSearch(engine, 255, seed % 5 == 0 ? 1 : 100, "generated level");
        std::string grid(kSquareCount, '5');
        for (int i = 0; i < kSquareCount; ++i) {
            grid[i] = static_cast<char>('1' + rng.Below(9));
        }
        AddSigns(engine, grid, rng, 15, 0);
        ExpectSameSearch(engine, 255, 100, "generated level with signs");
    }
}
