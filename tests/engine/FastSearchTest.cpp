// The search on the search board against the search on the squares: the same
// stored solutions, byte for byte and in the same order, and the same board
// left behind, on puzzle collections, on the empty grid and on random boards
// with signs, crossed-off candidates, conflicting numbers and stale flags.
// The search board's rules and checks are also held against the member rules one by
// one, which points at the rule when the searches differ.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestBoards.h"
#include "corvane/Numbers.h"
#include "solver/BoardSearch.h"
#include "solver/LineSearch.h"
#include "solver/SatProbe.h"

namespace {

// ---- The search written square by square with the engine's member rules and
// checks, in their fixed order: the yardstick that the engine's fast search is
// held against, byte for byte.

// The four rules in passes until a pass changes nothing; the sign rule only
// when the level has signs.
void PlainPropagate(CNerekuEngine& engine) {
    bool changed = true;
    while (changed) {
        changed = engine.SolveLevel_SetSingleNumbersToDetermined();
        changed |= engine.SolveLevel_MarkOffNeighboursOfDeterminedNumbers();
        changed |= engine.SolveLevel_SetUniqueNumbersToDetermined();
        if (engine.LevelHasEdges()) {
            changed |= engine.SolveLevel_MarkOffEdgeLimitedNumbers();
        }
    }
}

// One search step: propagate, store a correct board, else branch on the
// lowest square with the digits in increasing order, restoring the squares
// after each branch. The top level's propagation stays on the board.
void PlainSearch(CNerekuEngine& engine, unsigned char depth, int maxSolutions) {
    PlainPropagate(engine);
    CDataCube& solutions = engine.solutions;
    if (engine.CheckSolution_IsCorrect()) {
        const int row = solutions.AddRow(-1, 0);
        if (row >= 0 && row < solutions.GetRowCount()) {
            solutions.SetValue(row, 0, engine.squares, kSquareImageSize, true);
        }
        return;
    }
    if (!engine.CheckSolution_IsPossible() || depth == 0 ||
        solutions.GetRowCount() >= maxSolutions) {
        return;
    }
    unsigned char row = 0;
    unsigned char column = 0;
    if (!engine.SolveLevel_FindLowestPossibleSquares(&row, &column)) {
        return;
    }
    Square backup[kSquareCount];
    std::memcpy(backup, engine.squares, kSquareImageSize);
    Square& chosen = engine.squares[SquareIndex(row, column)];
    for (int digit = 1; digit <= kDigitCount; ++digit) {
        if (chosen.possible[digit - 1]) {
            SetSquareToDigit(chosen, static_cast<unsigned char>(digit));
            PlainSearch(engine, static_cast<unsigned char>(depth - 1), maxSolutions);
            std::memcpy(engine.squares, backup, kSquareImageSize);
        }
    }
}

// The numbers of the plain search's first `limit` solutions.
std::set<SolvedNumbers> PlainSolutions(TestEngine& engine, int limit) {
    engine.solutions.DeleteRow(-1);
    PlainSearch(engine, 255, limit);
    std::set<SolvedNumbers> found;
    for (const std::string& digits : SolutionDigits(engine)) {
        SolvedNumbers numbers;
        std::transform(digits.begin(), digits.end(), numbers.begin(),
                       [](char digit) { return static_cast<uint8_t>(digit - '0'); });
        found.insert(numbers);
    }
    return found;
}

// ---- Random boards. The draws use the generator's raw output only, so a
// seed gives the same boards with every standard library.

struct Rng {
    explicit Rng(uint32_t seed) : engine(seed) {}
    int Below(int n) { return static_cast<int>(engine() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, size_t N> void Shuffle(T (&items)[N]) {
        for (int i = static_cast<int>(N) - 1; i > 0; --i) {
            std::swap(items[i], items[Below(i + 1)]);
        }
    }
    std::mt19937 engine;
};

// A random correct grid: the known solution with its digits renamed, rows
// shuffled within bands, bands shuffled, the same for columns, and maybe
// mirrored on the diagonal.
std::string RandomSolvedGrid(Rng& rng) {
    auto shuffledLines = [&rng]() {
        std::vector<int> order;
        int bands[3] = {0, 1, 2};
        rng.Shuffle(bands);
        for (int band : bands) {
            int lines[3] = {0, 1, 2};
            rng.Shuffle(lines);
            for (int line : lines) {
                order.push_back(3 * band + line);
            }
        }
        return order;
    };
    char names[9] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    rng.Shuffle(names);
    const std::vector<int> rows = shuffledLines();
    const std::vector<int> columns = shuffledLines();
    const bool mirrored = rng.Chance(50);
    std::string grid(kSquareCount, '0');
    for (int i = 0; i < kSquareCount; ++i) {
        const int r = rows[RowOf(i)], c = columns[ColumnOf(i)];
        grid[i] = names[kSolvedGrid[mirrored ? SquareIndex(c, r) : SquareIndex(r, c)] - '1'];
    }
    return grid;
}

// The engine's board as the usual puzzle: `grid`'s digits on about
// `keepPercent` of the squares, the other squares empty.
void SetGivens(TestEngine& engine, const std::string& grid, Rng& rng, int keepPercent) {
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
void AddSigns(TestEngine& engine, const std::string& grid, Rng& rng, int percent, int faults) {
    for (int i = 0; i < kSquareCount; ++i) {
        for (int other : {i + 1, i + 9}) {
            if (other < kSquareCount && (other == i + 9 || ColumnOf(other) != 0) &&
                BlockOf(RowOf(i), ColumnOf(i)) == BlockOf(RowOf(other), ColumnOf(other)) &&
                rng.Chance(percent)) {
                grid[i] < grid[other] ? PlaceSign(engine, i, other) : PlaceSign(engine, other, i);
            }
        }
    }
    for (int n = 0; n < faults; ++n) {
        EdgeMask& mask = engine.edgeMasks[rng.Below(kSquareCount)];
        const int kind = rng.Below(3);
        if (kind == 0) { // reversed: the two bits of every pair swapped
            mask = static_cast<EdgeMask>(((mask & 0xAA) >> 1) | ((mask & 0x55) << 1));
        } else {
            mask = static_cast<EdgeMask>(kind == 1 ? 0 : mask | (1u << rng.Below(8)));
        }
    }
    engine.levelHasEdges = rng.Chance(85);
}

// Damage of the kinds a player or a level file can bring: crossed-off
// candidates, numbers that may break a rule, numbered squares with stale
// flags.
void Damage(TestEngine& engine, Rng& rng, int crossPercent, int wrongNumbers, int stale) {
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
void RandomValues(TestEngine& engine, Rng& rng) {
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

void CopyBoard(const TestEngine& from, TestEngine& to) {
    std::memcpy(to.squares, from.squares, sizeof(to.squares));
    std::memcpy(to.edgeMasks, from.edgeMasks, sizeof(to.edgeMasks));
    to.levelHasEdges = from.levelHasEdges;
}

std::string Bytes(const void* data, size_t length) {
    return std::string(static_cast<const char*>(data), length);
}

// ---- The two searches side by side.

// Runs both searches on the board, each on a copy with `rowsBefore` rows in
// its list already; compares every stored value, all its bytes, and the
// square block left behind. Returns how many solutions they stored.
size_t ExpectSameSearch(const TestEngine& start, int depth, int limit, const std::string& what,
                        int rowsBefore = 0) {
    auto run = [&](bool fast) {
        TestEngine engine;
        CopyBoard(start, engine);
        engine.solutions.DeleteRow(-1);
        for (int n = 0; n < rowsBefore; ++n) {
            engine.solutions.AddRow(-1, 0);
        }
        const auto shallow = static_cast<unsigned char>(depth);
        fast ? engine.SolveLevel_Iter(shallow, limit) : PlainSearch(engine, shallow, limit);
        std::vector<std::string> outcome;
        for (int row = 0; row < engine.solutions.GetRowCount(); ++row) {
            const void* value = engine.solutions.GetValue(row, 0, nullptr, true);
            outcome.push_back(value ? Bytes(value, engine.solutions.GetColumnLen(row, 0)) : "");
        }
        outcome.push_back(Bytes(engine.squares, kSquareImageSize));
        return outcome;
    };
    const auto fast = run(true), plain = run(false);
    EXPECT_TRUE(fast == plain) << fast.size() - 1 << " and " << plain.size() - 1
                               << " solutions (fast, plain), or the board left behind differs: "
                               << what << " (depth " << depth << ", limit " << limit << ")\n"
                               << RenderBoard(start);
    return plain.size() - 1;
}

// ---- The search board's rules against the member rules.

// Applies each rule both ways to the same board and compares board and
// result; then the checks and the choice of the square to branch on, with the
// board just loaded and stored again.
void ExpectSameRules(const TestEngine& start) {
    using Rule = bool (RulePasses::*)(SearchBoard&, RuleWork&) const;
    const struct {
        const char* name;
        bool (CNerekuEngine::*member)();
        Rule rule;
    } rules[] = {{"single numbers", &CNerekuEngine::SolveLevel_SetSingleNumbersToDetermined,
                  &RulePasses::SetSingleNumbers},
                 {"marking off", &CNerekuEngine::SolveLevel_MarkOffNeighboursOfDeterminedNumbers,
                  &RulePasses::MarkOffNeighbours},
                 {"unique numbers", &CNerekuEngine::SolveLevel_SetUniqueNumbersToDetermined,
                  &RulePasses::SetUniqueNumbers},
                 {"sign limits", &CNerekuEngine::SolveLevel_MarkOffEdgeLimitedNumbers,
                  &RulePasses::MarkOffEdgeLimited},
                 {"propagation", nullptr, nullptr},
                 {"checks", nullptr, nullptr}};
    SignList signs;
    ReadRuleSigns(start.edgeMasks, signs);
    const CheckedSigns checked(start.edgeMasks);
    for (const auto& rule : rules) {
        const std::string where = std::string(rule.name) + "\n" + RenderBoard(start);
        TestEngine engine;
        CopyBoard(start, engine);
        SearchBoard board;
        LoadSearchBoard(engine.squares, board);
        // A member rule runs whether the level has signs or not.
        const RulePasses passes(signs, rule.member != nullptr || engine.levelHasEdges);
        RuleWork work = passes.WholeBoard(board);
        if (rule.member) {
            const bool changed = (passes.*rule.rule)(board, work);
            EXPECT_EQ(changed, (engine.*rule.member)()) << where;
        } else if (rule.name[0] == 'p') {
            passes.Propagate(board, work);
            PlainPropagate(engine);
        } else {
            const bool hold = CheckedSignsHold(board, checked);
            EXPECT_EQ(board.emptySquares == 0 && !board.repeated && hold,
                      engine.CheckSolution_IsCorrect())
                << where;
            EXPECT_EQ(!board.repeated && !board.stranded && hold, engine.CheckSolution_IsPossible())
                << where;
            int index = -1;
            unsigned char row = 99, column = 99;
            EXPECT_EQ(FindLowest(board, &index),
                      engine.SolveLevel_FindLowestPossibleSquares(&row, &column));
            EXPECT_TRUE(index < 0 || index == SquareIndex(row, column)) << where;
        }
        Square squares[kSquareCount];
        std::memcpy(squares, engine.squares, sizeof(squares)); // keeps `fixed`
        StoreSearchBoard(board, squares);
        EXPECT_TRUE(Bytes(squares, kSquareImageSize) == Bytes(engine.squares, kSquareImageSize))
            << where;
    }
}

} // namespace

// ---- Rules and checks.

TEST(SearchBoardRules, MatchTheMemberRulesOnRandomBoards) {
    Rng rng(20240611);
    for (int n = 0; n < 600 && !HasFailure(); ++n) {
        TestEngine engine;
        const std::string grid = RandomSolvedGrid(rng);
        if (n % 3 == 0) {
            RandomValues(engine, rng);
        } else if (n % 3 == 1) {
            SetGivens(engine, grid, rng, 20 + rng.Below(60));
            AddSigns(engine, grid, rng, 50, rng.Below(4));
            Damage(engine, rng, 20, rng.Below(3), rng.Below(6));
        } else {
            SetGivens(engine, grid, rng, 100 - rng.Below(12)); // nearly full boards
            AddSigns(engine, grid, rng, 30, rng.Below(3));
            Damage(engine, rng, 5, rng.Below(2), rng.Below(3));
        }
        ExpectSameRules(engine);
    }
}

// The free order is taken only where the two halves of every sign agree, so
// that the sign rule reads exactly the signs the checks hold: a half lost,
// or both halves the same way, is no mirror, from either side.
TEST(SearchBoardRules, SignsAreMirroredOnlyWhereBothHalvesAgree) {
    const auto mirrored = [](int a, EdgeMask aBits, int b, EdgeMask bBits) {
        EdgeMask masks[kSquareCount] = {};
        masks[a] = aBits;
        masks[b] = bBits;
        return SignsAreMirrored(masks);
    };
    const int left = SquareIndex(4, 3);
    const int right = SquareIndex(4, 4);
    const int above = SquareIndex(3, 4);
    EXPECT_TRUE(mirrored(left, 0, right, 0));
    EXPECT_TRUE(mirrored(left, kRightSmaller, right, kLeftGreater));
    EXPECT_TRUE(mirrored(left, kRightGreater, right, kLeftSmaller));
    EXPECT_TRUE(mirrored(above, kDownGreater, right, kUpSmaller));
    for (const EdgeMask half : {kRightSmaller, kRightGreater}) {
        EXPECT_FALSE(mirrored(left, half, right, 0)) << int{half};
        EXPECT_FALSE(mirrored(left, half, right, kLeftSmaller | kLeftGreater)) << int{half};
    }
    EXPECT_FALSE(mirrored(left, 0, right, kLeftGreater));
    EXPECT_FALSE(mirrored(above, 0, right, kUpGreater));
    EXPECT_FALSE(mirrored(right, kDownGreater, SquareIndex(5, 4), 0));
    EXPECT_FALSE(mirrored(left, kRightGreater, right, kLeftGreater));
    EXPECT_FALSE(mirrored(left, kRightSmaller, right, kLeftSmaller));
    EXPECT_FALSE(mirrored(above, kDownSmaller, right, kUpSmaller));
}

// A board outside the usual ranges breaks the grid's invariants, which every
// file and every operation keeps: the search leaves it alone and stores
// nothing.
TEST(SearchBoardRules, OnlyUsualValuesAreSearched) {
    TestEngine engine;
    EXPECT_TRUE(FitsSearchBoard(engine.squares));
    engine.squares[80].number = 10;
    EXPECT_FALSE(FitsSearchBoard(engine.squares));
    engine.squares[80].number = 9;
    for (int d = 0; d < kDigitCount; ++d) { // any flag of the nine
        engine.squares[3].possible[d] = static_cast<unsigned char>(2 + 125 * (d % 2));
        EXPECT_FALSE(FitsSearchBoard(engine.squares)) << d;
        engine.squares[3].possible[d] = 1;
    }
    engine.squares[40].fixed = 7;
    EXPECT_FALSE(FitsSearchBoard(engine.squares));

    std::string puzzle = kSolvedGrid;
    for (int i = 0; i < kSquareCount; i += 4) {
        puzzle[i] = '.';
    }
    ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle));
    engine.squares[12].number = 11;
    const std::string before = Bytes(engine.squares, kSquareImageSize);
    engine.solutions.DeleteRow(-1);
    engine.SolveLevel_Iter(255, 3);
    EXPECT_EQ(engine.solutions.GetRowCount(), 0);
    EXPECT_TRUE(Bytes(engine.squares, kSquareImageSize) == before);
}

// A unit with a digit that no square can take has no completion: the search
// on the squares stores nothing for such a board either.
TEST(SearchBoardRules, AMissingDigitMeansNoSolution) {
    std::string puzzle = kSolvedGrid;
    for (int i = 0; i < kSquareCount; i += 3) {
        puzzle[i] = '.';
    }
    TestEngine engine;
    ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle));
    SearchBoard board;
    LoadSearchBoard(engine.squares, board);
    EXPECT_FALSE(MissesADigit(board));
    for (int c = 0; c < 9; ++c) {
        engine.squares[SquareIndex(4, c)].possible[7] = 0; // no 8 left in row 4
    }
    LoadSearchBoard(engine.squares, board);
    EXPECT_TRUE(MissesADigit(board));
    EXPECT_EQ(ExpectSameSearch(engine, 255, 100, "no 8 in row 4"), 0u);
}

// The probe that cuts the search: whether a board has a solution, as the
// plain search answers it, also with digits excluded from one square. Where
// the halves of a sign disagree, or a numbered square's flags are not its
// number alone, the sign rule may drop solutions that the checks accept, so
// there the probe may only find more.
TEST(SearchBoardRules, TheProbeFindsWhatThePlainSearchFinds) {
    Rng rng(5);
    int found = 0;
    for (int n = 0; n < 120 && !HasFailure(); ++n) {
        TestEngine engine;
        const std::string grid = RandomSolvedGrid(rng);
        SetGivens(engine, grid, rng, 28 + rng.Below(25));
        const int faults = n % 4 == 0 ? 1 + rng.Below(2) : 0;
        AddSigns(engine, grid, rng, 10 + rng.Below(60), faults);
        if (n % 2 == 1) {
            Damage(engine, rng, 3, rng.Chance(20) ? 1 : 0, rng.Below(3));
        }
        SearchBoard board;
        LoadSearchBoard(engine.squares, board);
        const int square = rng.Below(kSquareCount);
        const unsigned excluded =
            engine.squares[square].number == 0 && rng.Chance(30)
                ? board.candidates[square] & static_cast<unsigned>(rng.Below(512))
                : 0u;
        TakeDigits(engine.squares[square], excluded);
        const CheckedSigns checked(engine.edgeMasks);
        SignList bounds;
        const bool circle = !ReadCheckedSigns(checked, bounds);
        SatProbe probe(checked, bounds, circle, board);
        const bool probeFinds = probe.HasSolution(board, nullptr, 0, square, excluded);
        bool staleFlags = false;
        for (const Square& numbered : engine.squares) {
            for (int d = 0; numbered.number != 0 && d < kDigitCount; ++d) {
                const int alone = d + 1 == numbered.number ? 1 : 0; // its number's flag only
                staleFlags = staleFlags || numbered.possible[d] != alone;
            }
        }
        const bool signRuleMayDrop = faults > 0 || (staleFlags && engine.levelHasEdges);
        const bool plainFinds = !PlainSolutions(engine, 1).empty();
        EXPECT_TRUE(signRuleMayDrop ? probeFinds || !plainFinds : probeFinds == plainFinds)
            << "probe " << probeFinds << ", plain search " << plainFinds << "\n"
            << RenderBoard(engine);
        found += plainFinds ? 1 : 0;
    }
    EXPECT_GT(found, 40);
    EXPECT_LT(found, 100);
}

// One probe asked question after question, as the search asks them: along a
// path of placements that grows and shrinks, each time with digits taken
// from one more square. What the solver and the interval rule keep from one
// question for the next (levels, struck digits, learnt clauses, the last
// solution) never changes an answer.
TEST(SearchBoardRules, OneProbeAnswersAWalkOfQuestions) {
    Rng rng(11);
    constexpr size_t kCounted = 5;
    int answers[2] = {0, 0};
    for (int n = 0; n < 60 && !HasFailure(); ++n) {
        TestEngine start;
        const std::string grid = RandomSolvedGrid(rng);
        SetGivens(start, grid, rng, 28 + rng.Below(25));
        AddSigns(start, grid, rng, 40 + rng.Below(50), 0);
        SearchBoard board;
        LoadSearchBoard(start.squares, board);
        const CheckedSigns checked(start.edgeMasks);
        SignList bounds;
        const bool circle = !ReadCheckedSigns(checked, bounds);
        SatProbe probe(checked, bounds, circle, board);
        std::vector<Placement> path;
        // A square that is empty at the start and not yet on the path.
        const auto freeSquare = [&] {
            for (;;) {
                const int i = rng.Below(kSquareCount);
                const bool onPath = std::any_of(path.begin(), path.end(),
                                                [i](const Placement& p) { return p.square == i; });
                if (start.squares[i].number == 0 && !onPath) {
                    return i;
                }
            }
        };
        // After a solution, the search mostly asks next about the same
        // square without the digit that solution has there.
        int square = -1;
        unsigned excluded = 0;
        int solvedDigit = 0;
        for (int q = 0; q < 40 && !HasFailure(); ++q) {
            if (solvedDigit != 0 && rng.Chance(60)) {
                excluded |= DigitBit(solvedDigit);
            } else {
                while (!path.empty() && rng.Chance(35)) {
                    path.pop_back();
                }
                for (int more = rng.Below(3); more > 0 && path.size() < 12; --more) {
                    const int i = freeSquare();
                    const int digit = rng.Chance(90) ? grid[i] - '0' : 1 + rng.Below(kDigitCount);
                    if (board.candidates[i] & DigitBit(digit)) {
                        path.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(digit)});
                    }
                }
                square = freeSquare();
                excluded = board.candidates[square] & static_cast<unsigned>(rng.Below(512));
            }
            TestEngine engine;
            CopyBoard(start, engine);
            for (const Placement& placed : path) {
                SetSquareToDigit(engine.squares[placed.square], placed.digit);
            }
            // The board as the search holds it keeps the digits taken.
            SearchBoard asked;
            LoadSearchBoard(engine.squares, asked);
            TakeDigits(engine.squares[square], excluded);
            const std::set<SolvedNumbers> plain =
                PlainSolutions(engine, static_cast<int>(kCounted) + 1);
            const bool plainFinds = !plain.empty();
            const auto where = [&] {
                return "board " + std::to_string(n) + ", question " + std::to_string(q) + "\n" +
                       RenderBoard(engine);
            };
            const int length = static_cast<int>(path.size());
            const int kind = rng.Below(10);
            if (kind < 2) { // a count, which shuts out each solution it finds
                std::vector<SolvedNumbers> found;
                const bool all = probe.CountSolutions(path.data(), length, square, excluded,
                                                      static_cast<int>(kCounted), -1, found);
                const std::set<SolvedNumbers> counted(found.begin(), found.end());
                EXPECT_EQ(counted.size(), found.size()) << where();
                // All of them, or as many as asked for of more.
                EXPECT_TRUE(all ? counted == plain
                                : counted.size() == kCounted && plain.size() >= kCounted)
                    << where();
            } else if (kind < 4) { // the quick question: no only where there is none
                EXPECT_TRUE(!plainFinds ||
                            probe.MayHaveSolution(asked, path.data(), length, square, excluded))
                    << where();
            } else {
                EXPECT_EQ(probe.HasSolution(asked, path.data(), length, square, excluded),
                          plainFinds)
                    << where();
            }
            solvedDigit = 0;
            if (plainFinds) {
                solvedDigit = (*plain.begin())[square];
            }
            ++answers[plainFinds ? 1 : 0];
        }
    }
    // Both answers come often.
    EXPECT_GT(answers[0], 400) << answers[1];
    EXPECT_GT(answers[1], 400) << answers[0];
}

// The count that the search leaves the rest of a node to on plain rules:
// where it says it finished with fewer solutions than asked for, they are all
// the rest holds; where its budget of boards ran out, it says so.
TEST(SearchBoardRules, TheLinesCountFindsTheWholeRestOrSaysItGaveUp) {
    Rng rng(7);
    const SignList noSigns{};
    const FreeOrderRules rules(nullptr, noSigns);
    int whole = 0;
    int gaveUp = 0;
    for (int n = 0; n < 300 && !HasFailure(); ++n) {
        TestEngine engine;
        const std::string grid = RandomSolvedGrid(rng);
        SetGivens(engine, grid, rng, 30 + rng.Below(25));
        SearchBoard board;
        LoadSearchBoard(engine.squares, board);
        ASSERT_TRUE(rules.StrikeNumbers(board));
        FreeWork work = rules.WholeBoard(board);
        if (!rules.Propagate(board, work) || board.emptySquares == 0) {
            continue;
        }
        int square = 0;
        FindLowest(board, &square, 2);
        // Some of its digits tried, not all.
        const unsigned tried = board.candidates[square] & static_cast<unsigned>(rng.Below(512)) &
                               ~DigitBit(LowestDigit(board.candidates[square]));
        const int most = 1 + rng.Below(8);
        std::vector<SolvedNumbers> found;
        LineSearch count(rules);
        const bool finished =
            count.CountRest(board, square, tried, most, long{1} << rng.Below(13), found);
        TakeDigits(engine.squares[square], tried);
        const std::set<SolvedNumbers> plain = PlainSolutions(engine, most + 1);
        const std::set<SolvedNumbers> counted(found.begin(), found.end());
        EXPECT_LE(found.size(), static_cast<size_t>(most));
        EXPECT_EQ(counted.size(), found.size()) << "a solution found twice";
        if (finished && found.size() < static_cast<size_t>(most)) {
            EXPECT_TRUE(counted == plain) << counted.size() << " of " << plain.size() << "\n"
                                          << RenderBoard(engine);
            ++whole;
        }
        gaveUp += finished ? 0 : 1;
    }
    EXPECT_GT(whole, 30) << gaveUp;
    EXPECT_GT(gaveUp, 30) << whole;
}

// ---- Whole searches.

TEST(FastSearch, EmptyGridAtEveryLimitAndDepth) {
    TestEngine engine;
    for (int limit : {0, 1, 3, 100}) {
        for (int depth : {0, 1, 255}) {
            ExpectSameSearch(engine, depth, limit, "empty grid");
        }
    }
    // The limit counts the rows already in the list.
    ExpectSameSearch(engine, 255, 3, "empty grid, two rows before", 2);
    ExpectSameSearch(engine, 255, -5, "empty grid, negative limit");
}

// With the sign rule off the checks still read the signs: two numbers that
// break one leave the board without solution, though the rest of the grid
// could be filled many ways.
TEST(FastSearch, NumbersThatBreakASignWithTheSignRuleOff) {
    TestEngine engine;
    SetSquareToDigit(engine.squares[0], 5);
    SetSquareToDigit(engine.squares[9], 2);
    PlaceSign(engine, 0, 9);
    engine.levelHasEdges = false;
    for (int limit : {1, 100}) {
        EXPECT_EQ(0u, ExpectSameSearch(engine, 255, limit, "a broken sign between numbers"));
    }
}

namespace {

// The puzzles of a collection file in tests/data: '#' lines are comments,
// CRLF endings and anything after the 81 characters are ignored.
std::vector<std::string> ReadCollection(const std::string& file) {
    std::ifstream in(std::string(NEREKU_TEST_DATA_DIR) + "/" + file);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#' && line.size() >= 81) {
            all.push_back(line.substr(0, 81));
        }
    }
    return all;
}

} // namespace

// Puzzles spread evenly over a collection file, each searched to the depth
// and limit the collection's entry gives for its place in the list.
struct Collection {
    const char* file;
    size_t wanted;
    int (*depth)(size_t n);
    int (*limit)(size_t n);
};

class FastSearchCollection : public testing::TestWithParam<Collection> {};

TEST_P(FastSearchCollection, SameAsThePlainSearch) {
    const Collection& set = GetParam();
    const std::vector<std::string> all = ReadCollection(set.file);
    ASSERT_FALSE(all.empty()) << "no puzzles in tests/data/" << set.file;
    // A slow build searches every eighth of them.
    const size_t wanted = NEREKU_SLOW_BUILD ? std::max<size_t>(set.wanted / 8, 10) : set.wanted;
    const size_t step = std::max<size_t>(1, all.size() / wanted);
    for (size_t n = 0; n * step < all.size() && n < wanted; ++n) {
        TestEngine engine;
        ASSERT_TRUE(LoadPuzzleDigits(engine, all[n * step])) << all[n * step];
        ExpectSameSearch(engine, set.depth(n), set.limit(n), all[n * step]);
    }
}

// The hardest puzzles cost the search on the squares tens of milliseconds
// each, so most are searched only a few branching levels deep. The counted
// puzzles include some with no solution and some with hundreds.
INSTANTIATE_TEST_SUITE_P(Puzzles, FastSearchCollection,
                         testing::Values(Collection{"puzzles2_17_clue_sample.txt", 150,
                                                    [](size_t n) { return n % 10 == 0 ? 2 : 255; },
                                                    [](size_t n) { return n % 7 == 0 ? 1 : 100; }},
                                         Collection{"puzzles6_forum_hardest_1106.txt", 375,
                                                    [](size_t n) {
                                                        return n % 40 == 0
                                                                   ? 255
                                                                   : static_cast<int>(1 + n % 4);
                                                    },
                                                    [](size_t n) { return n % 2 == 0 ? 100 : 1; }},
                                         Collection{"tdoku_test_puzzles_with_counts.txt", 100,
                                                    [](size_t) { return 255; },
                                                    [](size_t) { return 100; }}));

// Hard puzzles with givens taken away: plain boards whose branches the count
// takes over, with one solution, a few, and more than the limit, searched to
// limits that their solutions fall short of, meet and pass, some with rows in
// the list already.
TEST(FastSearch, HardPuzzlesWithGivensTakenAway) {
    const std::vector<std::string> all = ReadCollection("puzzles6_forum_hardest_1106.txt");
    ASSERT_GT(all.size(), 100u);
    Rng rng(1465);
    int some = 0; // boards with 2 to 99 solutions
    int many = 0; // boards with 100 or more
    const int boards = NEREKU_SLOW_BUILD ? 12 : 60;
    for (int n = 0; n < boards && !HasFailure(); ++n) {
        std::string puzzle = all[static_cast<size_t>(n * 37) % all.size()];
        for (int taken = n % 5; taken > 0;) {
            char& given = puzzle[static_cast<size_t>(rng.Below(kSquareCount))];
            if (given != '.' && given != '0') {
                given = '.';
                --taken;
            }
        }
        TestEngine engine;
        ASSERT_TRUE(LoadPuzzleDigits(engine, puzzle)) << puzzle;
        const int limits[] = {1, 2, 3, 100};
        const size_t found = ExpectSameSearch(engine, 255, limits[n % 4 == 3 ? 3 : rng.Below(4)],
                                              puzzle, rng.Chance(20) ? 1 : 0);
        some += found > 1 && found < 100;
        many += found >= 100;
    }
    EXPECT_GT(some, boards / 10);
    EXPECT_GT(many, 0);
}

// Sign levels: givens and signs of a random grid (every fifth level without
// signs), with the damage a player or a file can do, searched with and
// without the sign rule; and boards of any values in range, most of them
// broken from the start.
TEST(FastSearch, RandomBoardsWithSignsAndRandomValues) {
    Rng rng(1106);
    size_t solved = 0;
    for (int n = 0; n < 300 && !HasFailure(); ++n) {
        TestEngine engine;
        const std::string grid = RandomSolvedGrid(rng);
        SetGivens(engine, grid, rng, n % 4 == 0 ? 10 + rng.Below(20) : 30 + rng.Below(40));
        if (n % 5 != 1) {
            AddSigns(engine, grid, rng, 20 + rng.Below(80), rng.Chance(30) ? 1 + rng.Below(3) : 0);
        }
        if (n % 3 != 0) {
            Damage(engine, rng, 4, rng.Chance(25) ? 1 : 0, rng.Below(4));
        }
        const int limits[] = {1, 3, 100};
        const int depth = n % 4 == 0 ? rng.Below(6) : 255;
        solved += ExpectSameSearch(engine, depth, limits[rng.Below(3)], "random sign board") > 0;
    }
    EXPECT_GT(solved, 100u) << "most boards should keep a solution";
    for (int n = 0; n < 300 && !HasFailure(); ++n) {
        TestEngine engine;
        RandomValues(engine, rng);
        ExpectSameSearch(engine, rng.Below(4), 1 + rng.Below(100), "random values");
    }
}

// Our own sets of editor boards (bench/data), the same the benchmarks time:
// the sign levels (with at most 100 solutions, and with one) searched whole,
// and the slowest boards the hunt and the generator found a few branching
// levels deep, since the search on the squares takes minutes on them whole.
TEST(FastSearch, BenchmarkSetsOfEditorBoards) {
    struct Set {
        const char* file;
        bool whole;
        int atLeast; // boards in the file
    };
    for (const Set& set :
         {Set{"sign_levels.txt", true, 200}, Set{"unique_sign_levels.txt", true, 80},
          Set{"slow_boards.txt", false, 10}, Set{"open_boards.txt", false, 10}}) {
        std::ifstream in(std::string(NEREKU_BENCH_DATA_DIR) + "/" + set.file);
        ASSERT_TRUE(in) << set.file;
        // A slow build searches every tenth level of the sets searched whole.
        const int step = !set.whole || !NEREKU_SLOW_BUILD ? 1 : 10;
        int boards = 0;
        for (std::string line; std::getline(in, line) && !HasFailure();) {
            line = line.substr(0, line.find("  #"));
            if (line.empty() || line[0] == '#') {
                continue;
            }
            TestEngine engine;
            ASSERT_TRUE(LoadBoardLine(engine, line)) << line;
            if (boards++ % step == 0) {
                ExpectSameSearch(engine, set.whole ? 255 : 4, 100, set.file);
            }
        }
        EXPECT_GE(boards, set.atLeast) << set.file;
    }
}

// The generator's levels, with a few signs added afterwards.
TEST(FastSearch, GeneratedLevels) {
    Rng rng(3);
    for (int seed = 1; seed <= 40; ++seed) {
        SeedRandomNumbers(static_cast<uint64_t>(seed));
        TestEngine engine;
        ASSERT_TRUE(engine.GenerateRandomGrid(static_cast<unsigned char>(22 + seed % 30)));
        ExpectSameSearch(engine, 255, seed % 5 == 0 ? 1 : 100, "generated level");
        std::string grid(kSquareCount, '5');
        for (char& digit : grid) {
            digit = static_cast<char>('1' + rng.Below(9));
        }
        AddSigns(engine, grid, rng, 15, 0);
        ExpectSameSearch(engine, 255, 100, "generated level with signs");
    }
}
