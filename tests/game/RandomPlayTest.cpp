// A player who presses anything: clicks anywhere, every key, the eight
// buttons and the level list, with every question, name and number answered
// at random, on a data folder of the game's own. After each step the board
// keeps the grid's invariants and every level and saved game on disk still
// reads; now and then some changes are taken back and done again, which must
// leave the board as it was.
#include <iterator>
#include <memory>
#include <random>

#include "GameFlow.h"
#include "corvane/Numbers.h"
#include "solver/SearchBoard.h"

namespace {

// Answers as a player might, within what the real dialogs allow: any button
// or none, a number in the requester's range or a cancel, and names of every
// kind, some of which no file may take.
class AnyAnswerWindow : public ScriptedWindow {
public:
    explicit AnyAnswerWindow(uint32_t seed) : rng(seed) {}

    int Ask(const Question& question) override {
        ++asked;
        const int count = static_cast<int>(question.buttons.size());
        return Below(5) == 0 ? -1 : Below(count);
    }

    bool AskNumber(const wchar_t*, const wchar_t*, unsigned char* value, unsigned char lowest,
                   unsigned char highest) override {
        if (Below(4) == 0) {
            return false;
        }
        *value = static_cast<unsigned char>(lowest + Below(highest - lowest + 1));
        return true;
    }

    bool AskName(const wchar_t*, const wchar_t*, wchar_t* name, size_t size) override {
        static const wchar_t* const kNames[] = {
            L"one",
            L"Two",
            L"one",
            L"random",
            L"",
            L"  ",
            L"a/b",
            L"..",
            L"name.lvl",
            L"CON",
            L"a very long name that goes on and on beyond what any list shows in one line"};
        if (Below(6) == 0) {
            return false;
        }
        Safe_wcsncpy(name, kNames[Below(static_cast<int>(std::size(kNames)))], size);
        return true;
    }

    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<uint32_t>(n)); }

    std::mt19937 rng;
    int asked = 0;
};

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

class RandomPlay : public ::testing::Test {
protected:
    void Play(uint32_t seed, int steps);

    const TempFolder temp;
    fs::path folder; // of the seed in play
    std::unique_ptr<AnyAnswerWindow> window;
    std::unique_ptr<CNerekuGame> game;

    // A level of givens (and signs, in BoardLine's form) in "Levels".
    void AddLevel(const std::wstring& name, const std::string& line) {
        CNerekuEngine level;
        ASSERT_TRUE(LoadBoardLine(level, line));
        ASSERT_TRUE(level.WriteLevelFile((folder / "Levels" / (name + L".lvl")).wstring().c_str()));
    }

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

    BoardState Board() const {
        BoardState board;
        std::copy(std::begin(game->squares), std::end(game->squares), board.squares);
        std::copy(std::begin(game->edgeMasks), std::end(game->edgeMasks), board.edgeMasks);
        return board;
    }
};

void RandomPlay::Play(uint32_t seed, int steps) {
    SeedRandomNumbers(seed);
    folder = temp.path / std::to_string(seed);
    fs::create_directories(folder);
    window = std::make_unique<AnyAnswerWindow>(seed);
    game = std::make_unique<CNerekuGame>(*window);
    window->Attach(game.get());
    game->OpenDataFolder(folder.wstring().c_str());
    AddLevel(L"plain", SolvedWithout({0, 1, 2, 10, 20, 30, 40, 50, 60, 70, 80}));
    AddLevel(L"open", SolvedWithout({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                     14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26}));
    AddLevel(L"signs", SignLevel());
    game->UpdateLevelsCombo(nullptr);
    AnyAnswerWindow& player = *window;
    constexpr int s = ScriptedWindow::kSide;
    const auto anyX = [&] {
        return static_cast<short>(player.Below(ScriptedWindow::kLeft * 2 + 9 * s));
    };
    const auto anyY = [&] {
        return static_cast<short>(player.Below(ScriptedWindow::kTop * 2 + 9 * s));
    };
    for (int step = 0; step < steps && !HasFailure(); ++step) {
        const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step);
        const int roll = player.Below(100);
        if (roll < 25) {
            game->OnLeftButtonUp(anyX(), anyY());
        } else if (roll < 40) {
            game->OnRightButtonUp(anyX(), anyY());
        } else if (roll < 80) {
            GameKey key;
            key.kind = static_cast<GameKey::Kind>(player.Below(6));
            key.direction = static_cast<SignDirectionIndex>(player.Below(4));
            key.digit = 1 + player.Below(9);
            key.control = player.Below(3) == 0;
            game->OnKey(key);
        } else if (roll < 88) {
            GameCommand command = static_cast<GameCommand>(player.Below(8));
            // A random level takes its time: asked for less often.
            if (command == GameCommand::NewLevel && player.Below(4) != 0) {
                command = GameCommand::RestartLevel;
            }
            game->OnCommand(command);
        } else if (roll < 95) {
            if (!player.list.empty()) {
                player.SelectLevel(
                    player.list[player.Below(static_cast<int>(player.list.size()))].c_str());
                game->OnLevelChosen();
            }
        } else {
            // Each change the history keeps alters the board, so an undo
            // that leaves it as it was found nothing to take back.
            const BoardState before = Board();
            const GameKey undo{GameKey::Undo, kUp, 0, true};
            const GameKey redo{GameKey::Redo, kUp, 0, true};
            int undone = 0;
            for (int k = 1 + player.Below(6); k > 0; --k) {
                const BoardState last = Board();
                game->OnKey(undo);
                undone += Board() == last ? 0 : 1;
            }
            for (int k = 0; k < undone; ++k) {
                game->OnKey(redo);
            }
            EXPECT_TRUE(Board() == before) << undone << " undone and done again, " << where;
        }
        EXPECT_TRUE(FitsSearchBoard(game->squares)) << where;
        ExpectFilesRead(where);
    }
    game->OnClose();
    ExpectFilesRead("after closing");
    EXPECT_GT(player.asked, 0);
}

TEST_F(RandomPlay, AnythingAPlayerMayPress) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        Play(seed, NEREKU_SLOW_BUILD ? 500 : 1500);
    }
}

} // namespace
