// The step finder behind the grader and the hint.
//
// The grader against its own record: the grades and technique counts it gave
// the starter levels and a few hundred made levels must not change when its
// code does, since nereku make picks levels by them and the starter levels
// were made that way. The hint: its sentences, its checks of a player's
// board, and a player's whole way through each starter level by hints alone.
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BoardText.h"
#include "TestBoards.h"
#include "TranslateStrings.h"
#include "Units.h"
#include "solver/Hint.h"
#include "solver/Steps.h"

namespace {

// One level of the record: what it is, the level, its solution and the
// grader's result.
struct Recorded {
    std::string name, board, grade, solved, uses;
    Square solution[kSquareCount];
};

std::vector<Recorded> ReadRecord() {
    std::vector<Recorded> levels;
    std::ifstream in(NEREKU_TEST_DATA_DIR "/graded_levels.txt");
    EXPECT_TRUE(in) << "the record is missing";
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Recorded level;
        std::string solution;
        for (std::string* field :
             {&level.name, &level.board, &solution, &level.grade, &level.solved, &level.uses}) {
            std::getline(fields, *field, '|');
        }
        EXPECT_EQ(solution.size(), static_cast<size_t>(kSquareCount)) << line;
        for (int i = 0; i < kSquareCount; ++i) {
            MakeEmptySquare(level.solution[i]);
            SetSquareToDigit(level.solution[i], static_cast<unsigned char>(solution[i] - '0'));
        }
        levels.push_back(level);
    }
    return levels;
}

std::string UsesText(const int (&uses)[kTechniqueCount]) {
    std::string text;
    for (int t = 0; t < kTechniqueCount; ++t) {
        text += (t > 0 ? "," : "") + std::to_string(uses[t]);
    }
    return text;
}

// Whether the steps up to `hardest`, one by one as the grader takes them,
// solve the level.
bool SolvedStepByStep(const CNerekuEngine& level, int hardest) {
    const StepFinder finder(level.edgeMasks);
    StepBoard board = finder.LoadLevel(level.squares);
    while (!finder.Broken(board) &&
           finder.Next(board, nullptr, hardest).technique != kTechniqueCount) {
    }
    for (uint8_t number : board.numbers) {
        if (number == 0) {
            return false;
        }
    }
    return !finder.Broken(board);
}

// Each recorded level grades as before. The quick test nereku make uses
// agrees with the grades, and its singles and signs, taken in their quickest
// order, end where the grader's steps end, also on the level with givens
// taken away (most then have several solutions) and with a given changed (no
// solution).
TEST(GraderRecord, GradesAndQuickTestsAsRecorded) {
    const std::vector<Recorded> levels = ReadRecord();
    EXPECT_GE(levels.size(), 24u + 300u);
    CNerekuEngine engine;
    for (size_t k = 0; k < levels.size(); ++k) {
        if (NEREKU_SLOW_BUILD && k >= 24 && k % 8 != 0) {
            continue; // a slow build grades the starter levels and a sample
        }
        const Recorded& level = levels[k];
        SCOPED_TRACE(level.name);
        ASSERT_TRUE(LoadBoardLine(engine, level.board));
        const GradeReport report = GradeLevel(engine.squares, engine.edgeMasks, level.solution);
        EXPECT_EQ(GradeName(report.grade), level.grade);
        EXPECT_EQ(report.solved ? "1" : "0", level.solved);
        EXPECT_EQ(UsesText(report.uses), level.uses);
        EXPECT_EQ(SolvedByTechniques(engine.squares, engine.edgeMasks, kSettledSign),
                  level.grade == "Easy");
        EXPECT_EQ(SolvedByTechniques(engine.squares, engine.edgeMasks, kHiddenPair),
                  level.grade != "Hard");
        for (int every : {2, 3, 5, 0}) {
            ASSERT_TRUE(LoadBoardLine(engine, level.board));
            int seen = 0;
            for (Square& square : engine.squares) {
                if (square.number != 0 && every == 0) {
                    square.number = static_cast<unsigned char>(square.number % 9 + 1);
                    break;
                }
                if (square.number != 0 && every != 0 && ++seen % every == 0) {
                    MakeEmptySquare(square);
                }
            }
            EXPECT_EQ(SolvedByTechniques(engine.squares, engine.edgeMasks, kSettledSign),
                      SolvedStepByStep(engine, kSettledSign))
                << "every " << every;
        }
    }
}

// ---- The hint.

class HintTest : public testing::Test {
protected:
    HintTest() { texts.Build(TranslateStrings, 7); } // English

    // The hint, with the check that it left the board and its solutions as they were.
    Hint HintFor(CNerekuEngine& board) {
        unsigned char before[kGridFileSize];
        board.StoreGridImage(before);
        const int solutions = board.solutions.GetRowCount();
        const Hint hint = FindHint(board, texts);
        unsigned char after[kGridFileSize];
        board.StoreGridImage(after);
        EXPECT_EQ(std::memcmp(before, after, kGridFileSize), 0) << "the hint changed the board";
        EXPECT_EQ(board.solutions.GetRowCount(), solutions);
        return hint;
    }

    // The first starter level in the record, "01 Easy - First Steps", and its
    // solution.
    void LoadFirstStarterLevel(CNerekuEngine& board, Square (&solution)[kSquareCount]) {
        const Recorded level = ReadRecord().at(0);
        ASSERT_TRUE(LoadBoardLine(board, level.board));
        std::memcpy(solution, level.solution, sizeof(solution));
    }

    CStringResource texts;
};

// The board of the hidden single: nothing written, and 7 struck out of every
// square of the top middle block but row 3, column 5. Every row and column
// keeps several places for each digit, so the block's 7 is the first step.
TEST_F(HintTest, SentencesForAHiddenSingleAndASettledSign) {
    CNerekuEngine board;
    for (int k = 0; k < 9; ++k) {
        const int square = BlockSquare(1, k);
        if (square != SquareIndex(2, 4)) {
            board.squares[square].possible[6] = 0;
        }
    }
    Hint hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::Step);
    EXPECT_EQ(hint.square, SquareIndex(2, 4));
    EXPECT_EQ(hint.text,
              L"Hidden single: row 3, column 5 must be 7, the only place for 7 in its block.");

    // Row 2, column 4 is greater than its right neighbour, which holds 3:
    // 1 and 2 go (3 is crossed out by the number itself).
    board.ResetGrid();
    SetSquareToDigit(board.squares[SquareIndex(1, 4)], 3);
    board.edgeMasks[SquareIndex(1, 3)] = kRightGreater;
    board.edgeMasks[SquareIndex(1, 4)] = kLeftSmaller;
    board.UpdateLevelHasEdges();
    hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::Step);
    EXPECT_EQ(hint.square, SquareIndex(1, 3));
    EXPECT_EQ(
        hint.text,
        L"Sign: row 2, column 4 is greater than its right neighbour, so it cannot be 1 or 2.");

    // The same sign, broken by the player's 1 against the given 3.
    board.squares[SquareIndex(1, 4)].fixed = 1;
    SetSquareToDigit(board.squares[SquareIndex(1, 3)], 1);
    hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::RuleBroken);
    EXPECT_EQ(hint.square, SquareIndex(1, 3));
    EXPECT_EQ(
        hint.text,
        L"A rule is broken: the sign between row 2, column 4 and row 2, column 5 does not hold.");
}

// A repeated digit names the player's square, not the given; a wrong number
// that breaks no rule yet leaves no solution, and so does a struck-out
// solution digit; the full board is solved.
TEST_F(HintTest, BrokenRuleNoSolutionAndSolved) {
    CNerekuEngine board;
    Square solution[kSquareCount];
    LoadFirstStarterLevel(board, solution);
    // The player's 4 in row 1, column 8 next to the given 4 in column 6.
    const int empty = SquareIndex(0, 7);
    SetSquareToDigit(board.squares[empty], 4);
    Hint hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::RuleBroken);
    EXPECT_EQ(hint.square, empty);
    EXPECT_EQ(hint.text,
              L"A rule is broken: row 1, column 8 holds 4, and so does another square of its row.");

    // 7 in the top left square: no number in its row, column or block rules
    // it out, but the solution has 1 there.
    MakeEmptySquare(board.squares[empty]);
    const int square = 0;
    SetSquareToDigit(board.squares[square], 7);
    hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::NoSolution);
    EXPECT_EQ(hint.square, square);
    EXPECT_EQ(hint.text,
              L"The board has no solution as it stands: row 1, column 1 should not hold 7.");

    MakeEmptySquare(board.squares[square]);
    board.squares[empty].possible[solution[empty].number - 1] = 0;
    hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::NoSolution);
    EXPECT_EQ(hint.square, empty);
    EXPECT_NE(hint.text.find(L"was struck out"), std::wstring::npos);

    for (int i = 0; i < kSquareCount; ++i) {
        board.squares[i].number = solution[i].number;
    }
    hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::Solved);
    EXPECT_EQ(hint.square, -1);
    EXPECT_EQ(hint.text, L"The board is solved: there is nothing left to do.");
}

// Of the rules broken, the hint names the player's number: not two givens
// alike, though their row comes first, and not the given the player's number
// repeats, though that comes after it.
TEST_F(HintTest, TheBrokenRuleNamedIsThePlayers) {
    CNerekuEngine board;
    for (const int given : {SquareIndex(0, 0), SquareIndex(0, 1), SquareIndex(8, 5)}) {
        SetSquareToDigit(board.squares[given], given == SquareIndex(8, 5) ? 3 : 5);
        board.squares[given].fixed = 1;
    }
    SetSquareToDigit(board.squares[SquareIndex(8, 0)], 3);
    const Hint hint = HintFor(board);
    EXPECT_EQ(hint.kind, Hint::RuleBroken);
    EXPECT_EQ(hint.square, SquareIndex(8, 0));
}

// A player who follows the hints through each starter level: the first hint
// is the grader's first step, every placement is the solution's digit, no
// ruled-out candidate is, and every sentence names its square. (An
// elimination pattern that clears several squares is named, and followed
// here, one square at a time, so the counts differ from the grader's.)
TEST_F(HintTest, FollowingTheHintsSolvesEveryStarterLevel) {
    const std::vector<Recorded> levels = ReadRecord();
    ASSERT_GE(levels.size(), 24u);
    CNerekuEngine board;
    for (size_t k = 0; k < 24; ++k) {
        const Recorded& level = levels[k];
        SCOPED_TRACE(level.name);
        ASSERT_TRUE(LoadBoardLine(board, level.board));
        const StepFinder finder(board.edgeMasks);
        StepBoard start = finder.LoadLevel(board.squares);
        uint8_t answers[kSquareCount];
        for (int i = 0; i < kSquareCount; ++i) {
            answers[i] = level.solution[i].number;
        }
        const Step first = finder.Next(start, answers);
        // A slow build follows every fourth level to its end.
        const int stepLimit = NEREKU_SLOW_BUILD && k % 4 != 0 ? 1 : 1000;
        for (int steps = 0; steps < stepLimit; ++steps) {
            const Hint hint = HintFor(board);
            if (hint.kind == Hint::Solved) {
                break;
            }
            ASSERT_EQ(hint.kind, Hint::Step) << testing::PrintToString(hint.text);
            if (steps == 0) {
                EXPECT_EQ(hint.technique, first.technique);
                EXPECT_EQ(hint.square, first.square);
                EXPECT_EQ(hint.digit, first.digit);
                EXPECT_EQ(hint.removed, first.removed);
            }
            Square& square = board.squares[hint.square];
            const std::wstring named = L"row " + std::to_wstring(RowOf(hint.square) + 1) +
                                       L", column " + std::to_wstring(ColumnOf(hint.square) + 1);
            EXPECT_NE(hint.text.find(named), std::wstring::npos)
                << testing::PrintToString(hint.text);
            EXPECT_EQ(hint.text.find(L"Hint_"), std::wstring::npos);
            const int answer = answers[hint.square];
            if (hint.digit != 0) {
                ASSERT_EQ(hint.digit, answer) << testing::PrintToString(hint.text);
                SetSquareToDigit(square, static_cast<unsigned char>(hint.digit));
            } else {
                ASSERT_NE(hint.removed, 0u);
                ASSERT_EQ(hint.removed & DigitBit(answer), 0u) << testing::PrintToString(hint.text);
                TakeDigits(square, hint.removed);
            }
        }
        EXPECT_TRUE(stepLimit == 1 || HintFor(board).kind == Hint::Solved);
    }
}

} // namespace
