// A player who presses anything: clicks anywhere, every key, the eight
// buttons and the level list, with every question, name and number answered
// at random, on a data folder of the game's own. After each step the board
// keeps the grid's invariants and every level and saved game on disk still
// reads; now and then some changes are taken back and done again, which must
// leave the board as it was.
#include "GameFlow.h"
#include "corvane/Numbers.h"
#include "solver/SearchBoard.h"

namespace {

// Every sign of the solved grid inside its blocks, and a few givens.
std::string SignLevel() {
    std::string digits(kSquareCount, '.');
    for (int i = 0; i < kSquareCount; i += 7) {
        digits[i] = kSolvedGrid[i];
    }
    CNerekuEngine level;
    EXPECT_TRUE(LoadPuzzleDigits(level, digits));
    for (int i = 0; i < kSquareCount; ++i) {
        for (const int other : {i + 1, i + 9}) {
            if (other < kSquareCount &&
                BlockOf(RowOf(i), ColumnOf(i)) == BlockOf(RowOf(other), ColumnOf(other))) {
                kSolvedGrid[i] < kSolvedGrid[other] ? PlaceSign(level, i, other)
                                                    : PlaceSign(level, other, i);
            }
        }
    }
    return BoardLine(level);
}

class RandomPlay : public GameFlow, public testing::WithParamInterface<uint32_t> {
protected:
    // Every level and saved game on disk reads.
    void ExpectFilesRead(const std::string& where) {
        for (const char* kind : {"Levels", "Saves"}) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(folder / kind, error)) {
                CNerekuEngine reader;
                EXPECT_TRUE(reader.ReadGridFile(entry.path().wstring().c_str()))
                    << entry.path().string() << " " << where;
            }
        }
    }
};

TEST_P(RandomPlay, AnythingAPlayerMayPress) {
    const uint32_t seed = GetParam();
    SeedRandomNumbers(seed);
    window.anyAnswer.emplace(seed);
    AddLevel(L"plain", SolvedWithout({0, 1, 2, 10, 20, 30, 40, 50, 60, 70, 80}));
    AddLevel(L"open", SolvedWithout({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                     14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26}));
    AddLevel(L"signs", SignLevel());
    const int steps = NEREKU_SLOW_BUILD ? 500 : 1500;
    constexpr int s = ScriptedWindow::kSide;
    const auto anyX = [&] {
        return static_cast<short>(window.Below(ScriptedWindow::kLeft * 2 + 9 * s));
    };
    const auto anyY = [&] {
        return static_cast<short>(window.Below(ScriptedWindow::kTop * 2 + 9 * s));
    };
    for (int step = 0; step < steps && !HasFailure(); ++step) {
        const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step);
        const int roll = window.Below(100);
        if (roll < 25) {
            game.OnLeftButtonUp(anyX(), anyY());
        } else if (roll < 40) {
            game.OnRightButtonUp(anyX(), anyY());
        } else if (roll < 80) {
            GameKey key;
            key.kind = static_cast<GameKey::Kind>(window.Below(6));
            key.direction = static_cast<SignDirectionIndex>(window.Below(4));
            key.digit = 1 + window.Below(9);
            key.control = window.Below(3) == 0;
            game.OnKey(key);
        } else if (roll < 88) {
            GameCommand command = static_cast<GameCommand>(window.Below(8));
            // A random level takes its time: asked for less often.
            if (command == GameCommand::NewLevel && window.Below(4) != 0) {
                command = GameCommand::RestartLevel;
            }
            game.OnCommand(command);
        } else if (roll < 95) {
            if (!window.list.empty()) {
                Choose(
                    std::wstring(window.list[window.Below(static_cast<int>(window.list.size()))]));
            }
        } else {
            // Each change the history keeps alters the board, so an undo
            // that leaves it as it was found nothing to take back.
            const BoardState before = game.Board();
            const GameKey undo{GameKey::Undo, kUp, 0, true};
            const GameKey redo{GameKey::Redo, kUp, 0, true};
            int undone = 0;
            for (int k = 1 + window.Below(6); k > 0; --k) {
                const BoardState last = game.Board();
                game.OnKey(undo);
                undone += game.Board() == last ? 0 : 1;
            }
            for (int k = 0; k < undone; ++k) {
                game.OnKey(redo);
            }
            EXPECT_TRUE(game.Board() == before) << undone << " undone and done again, " << where;
        }
        EXPECT_TRUE(FitsSearchBoard(game.squares)) << where;
        ExpectFilesRead(where);
    }
    game.OnClose();
    ExpectFilesRead("after closing");
    EXPECT_FALSE(window.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlay, testing::Values(1u, 2u, 3u));

} // namespace
