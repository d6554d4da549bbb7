// A player's journeys through the real game, each from a fresh folder, with
// the real dialogs, files and pixels: build a level in the editor, play a
// starter level to the win, let the program solve levels, make a random
// level, delete levels, close in play or log off, and play with the keys. Every
// question and answer of the flow is also tested natively, through a
// scripted window (tests/game).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "GameSession.h"

namespace fs = std::filesystem;

namespace {

const char* const kSolved = "123456789456789123789123456231674895875912364"
                            "694538217317265948542897631968341572";

// The solved grid with some squares emptied.
std::unique_ptr<CNerekuEngine> SolvedWithout(std::initializer_list<int> empty) {
    std::string digits = kSolved;
    for (int index : empty) {
        digits[index] = '.';
    }
    return Puzzle(digits.c_str());
}

std::wstring TextOf(HWND dialog) {
    const DialogContents contents = ReadDialog(dialog);
    return contents.texts.empty() ? L"" : contents.texts[0];
}

// Waits for the dialog, checks its text, and answers it.
void Expect(GameSession& game, const wchar_t* caption, const std::wstring& text,
            const wchar_t* answer) {
    const HWND dialog = game.WaitForDialog(caption);
    ASSERT_NE(dialog, nullptr) << "no dialog \"" << std::string(caption, caption + wcslen(caption))
                               << "\"";
    if (!text.empty()) {
        EXPECT_EQ(TextOf(dialog), text);
    }
    ASSERT_TRUE(game.Answer(dialog, answer));
}

// Names the level in the editor's requester.
void NameLevel(GameSession& game, const std::wstring& name) {
    const HWND requester = game.WaitForDialog(L"Save level");
    ASSERT_NE(requester, nullptr);
    game.Type(requester, name);
    ASSERT_TRUE(game.Answer(requester, L"Ok"));
}

std::string Candidates(const Square& square) {
    std::string text;
    for (int d = 0; d < 9; ++d) {
        text += square.possible[d] ? static_cast<char>('1' + d) : '.';
    }
    return text;
}

} // namespace

// Numbers and signs in the editor, saved under a name that Windows cannot
// take as it is; a click on a block border changes nothing but still asks.
TEST(Journey, EditorBuildsAndSavesALevel) {
    GameSession game(L"editor journey");
    ASSERT_TRUE(game.Start());
    game.ClickButton(BarEditor);
    ASSERT_EQ(game.Mode(), EditMode);
    game.LeftClick(game.CellPoint(0, 7));
    game.LeftClick(game.CellPoint(1, 3));
    game.LeftClick(game.CellPoint(40, 9));
    game.RightClick(game.SidePoint(0, kRight)); // (0,0) > (0,1)
    game.RightClick(game.SidePoint(13, kDown)); // (1,4) > (2,4)
    game.RightClick(game.SidePoint(13, kDown)); // now (1,4) < (2,4)
    game.RightClick(game.SidePoint(41, kLeft)); // (4,5) > (4,4)
    EXPECT_EQ(game.MaskAt(0), kRightGreater);
    EXPECT_EQ(game.MaskAt(1), kLeftSmaller);
    EXPECT_EQ(game.MaskAt(13), kDownSmaller);
    EXPECT_EQ(game.MaskAt(22), kUpGreater);
    EXPECT_EQ(game.Probe(ProbeEditChanged), 1);

    game.ClickButton(BarSave);
    NameLevel(game, L"a<b>c:d");
    EXPECT_EQ(game.ListedLevels(), std::vector<std::wstring>{L"a_b_c_d"});
    EXPECT_EQ(game.SelectedLevel(), L"a_b_c_d");
    EXPECT_EQ(game.Probe(ProbeEditChanged), 0);
    const std::vector<unsigned char> bytes = GameSession::ReadBytes(game.LevelPath(L"a_b_c_d"));
    ASSERT_EQ(bytes.size(), 972u);
    for (int i = 0; i < 81; ++i) {
        const unsigned char number = bytes[82 + 11 * i];
        EXPECT_EQ(bytes[81 + 11 * i], number != 0 ? 1 : 0) << "fixed of square " << i;
    }
    EXPECT_EQ(bytes[82], 7);
    EXPECT_EQ(bytes[82 + 11 * 40], 9);
    const unsigned char masks[][2] = {{0, kRightGreater}, {1, kLeftSmaller},  {13, kDownSmaller},
                                      {22, kUpGreater},   {41, kLeftGreater}, {40, kRightSmaller}};
    for (const auto& mask : masks) {
        EXPECT_EQ(bytes[mask[0]], mask[1]) << "mask " << int{mask[0]};
    }

    // A border: no sign, but a change all the same.
    game.RightClick(game.SidePoint(2, kRight));
    EXPECT_EQ(game.MaskAt(2), 0);
    EXPECT_EQ(game.MaskAt(3), 0);
    game.ClickButton(BarEditor);
    Expect(game, L"Edit mode", L"Do you want to save the level?", L"Cancel");
    EXPECT_EQ(game.Mode(), EditMode);
    game.ClickButton(BarEditor);
    Expect(game, L"Edit mode", L"", L"Don't save");
    EXPECT_EQ(game.Mode(), GameMode);
    EXPECT_EQ(game.Close(), 0);
}

// Solve in the real window: the only solution shown in SolveMode, and a
// board that breaks a rule given back in play's colours.
TEST(Journey, SolveLevels) {
    GameSession game(L"solve journey");
    game.WriteLevel(L"one", *SolvedWithout({0, 10, 20, 30, 40, 50, 60, 70, 80}));
    std::string broken(81, '.');
    broken[0] = broken[5] = '4';
    game.WriteLevel(L"wrong", *Puzzle(broken.c_str()));
    ASSERT_TRUE(game.Start());

    ASSERT_TRUE(game.ChooseLevel(L"one"));
    game.ClickButton(BarSolve);
    EXPECT_EQ(game.Mode(), SolveMode);
    Expect(game, L"Nereku Sudoku",
           L"The solution for this level has been found.\n\nThe solution is unique (i.e., there "
           L"are no other valid solutions).",
           L"Ok");
    EXPECT_EQ(game.Digits(), kSolved);
    Sleep(300);
    EXPECT_EQ(game.OpenDialog(), nullptr) << "no browsing for one solution";
    game.Screenshot(L"SolveMode");

    ASSERT_TRUE(game.ChooseLevel(L"wrong"));
    const std::string before = game.Digits();
    game.ClickButton(BarSolve);
    Expect(game, L"Nereku Sudoku", L"", L"Ok");
    EXPECT_EQ(game.Digits(), before) << "the board stays as it was";
    EXPECT_EQ(game.Mode(), GameMode);
    const std::unique_ptr<Canvas> screen = game.GrabClient();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->At(3, game.ClientRect().bottom - 3), RGB(64, 96, 160));
    EXPECT_EQ(game.Close(), 0);
}

// New: 20 squares revealed, named in the real requesters, listed and
// selected.
TEST(Journey, RandomLevels) {
    GameSession game(L"new journey");
    ASSERT_TRUE(game.Start());
    game.ClickButton(BarNew);
    const HWND count = game.WaitForDialog(L"Generate random level");
    ASSERT_NE(count, nullptr);
    game.Type(count, L"20");
    ASSERT_TRUE(game.Answer(count, L"Ok"));
    NameLevel(game, L"random");
    EXPECT_EQ(game.SelectedLevel(), L"random");
    EXPECT_EQ(game.Mode(), GameMode);
    const std::vector<unsigned char> bytes = GameSession::ReadBytes(game.LevelPath(L"random"));
    ASSERT_EQ(bytes.size(), 972u);
    int givens = 0;
    for (int i = 0; i < 81; ++i) {
        EXPECT_EQ(bytes[i], 0) << "no signs";
        givens += bytes[82 + 11 * i] != 0 && bytes[81 + 11 * i] == 1 ? 1 : 0;
    }
    EXPECT_EQ(givens, 20);

    EXPECT_EQ(game.Close(), 0);
}

// Delete: Enter alone cancels (the question's default is "Cancel");
// confirmed, the level and its saved game go, and no level is left chosen.
TEST(Journey, DeleteLevels) {
    GameSession game(L"delete journey");
    game.WriteLevel(L"gone", *SolvedWithout({0}));
    game.WriteLevel(L"kept", *SolvedWithout({0}));
    fs::create_directories(game.Folder() + L"\\Saves");
    GameSession::WriteBytes(game.SavePath(L"gone"),
                            GameSession::ReadBytes(game.LevelPath(L"gone")));
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"gone"));
    Expect(game, L"Nereku_sudoku", L"", L"No");
    game.ClickButton(BarDelete);
    const HWND question = game.WaitForDialog(L"Delete");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(question), L"Level : gone\n\nAre you sure you want to delete the level?");
    ASSERT_TRUE(PressKey(question, VK_RETURN));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(question) || !IsWindowVisible(question); }, 5));
    EXPECT_TRUE(fs::exists(game.LevelPath(L"gone")));
    EXPECT_EQ(game.Mode(), GameMode);
    game.ClickButton(BarDelete);
    Expect(game, L"Delete", L"", L"Delete");
    EXPECT_FALSE(fs::exists(game.LevelPath(L"gone")));
    EXPECT_FALSE(fs::exists(game.SavePath(L"gone")));
    EXPECT_EQ(game.ListedLevels(), std::vector<std::wstring>{L"kept"});
    EXPECT_EQ(game.SelectedLevel(), L"");
    EXPECT_EQ(game.Mode(), NoMode);
    EXPECT_EQ(game.Close(), 0);
}

// Closing in play keeps the game, offered at the next start.
TEST(Journey, CloseKeepsTheGame) {
    GameSession game(L"close journey");
    game.WriteLevel(L"level", *SolvedWithout({0, 40}));
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"level"));
    game.LeftClick(game.CellPoint(40, 1));
    EXPECT_EQ(game.Close(), 0);
    ASSERT_TRUE(fs::exists(game.SavePath(L"level")));

    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"level"));
    Expect(game, L"Nereku_sudoku", L"", L"Yes");
    EXPECT_EQ(game.SquareAt(40).number, 1);
    EXPECT_EQ(game.Close(), 0);
}

// Windows ends the session (log-off or shut-down) with a game in play: the
// window is never destroyed, and the game is kept as closing keeps it.
TEST(Journey, LogOffKeepsTheGame) {
    GameSession game(L"log-off journey");
    game.WriteLevel(L"level", *SolvedWithout({0, 40}));
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"level"));
    game.LeftClick(game.CellPoint(40, 1));
    EXPECT_EQ(SendMessageW(game.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(game.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const std::vector<unsigned char> saved = GameSession::ReadBytes(game.SavePath(L"level"));
    ASSERT_EQ(saved.size(), 972u);
    EXPECT_EQ(saved[82 + 11 * 40], 1);
}

// In the editor with changes, another level chosen and "Save" answered, but
// the name cancelled: the editor stays, with its board and changes, and the
// list shows the edited level again.
TEST(Journey, EditorSaveCancelledOnLevelChoice) {
    GameSession game(L"editor choice journey");
    game.WriteLevel(L"one", *SolvedWithout({0}));
    game.WriteLevel(L"two", *SolvedWithout({1}));
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"one"));
    game.ClickButton(BarEditor);
    game.LeftClick(game.CellPoint(0, 4));
    ASSERT_TRUE(game.ChooseLevel(L"two"));
    Expect(game, L"Edit mode", L"Do you want to save the level?", L"Save");
    const HWND requester = game.WaitForDialog(L"Save level");
    ASSERT_NE(requester, nullptr);
    ASSERT_TRUE(game.Answer(requester, L"Cancel"));
    EXPECT_EQ(game.Mode(), EditMode);
    EXPECT_EQ(game.SquareAt(0).number, 4);
    EXPECT_EQ(game.Probe(ProbeEditChanged), 1);
    EXPECT_EQ(game.SelectedLevel(), L"one");
    EXPECT_EQ(GameSession::ReadBytes(game.LevelPath(L"one"))[82], 0) << "nothing written";
    game.Screenshot(L"EditorKeptAfterCancelledSave");
    game.ClickButton(BarEditor);
    Expect(game, L"Edit mode", L"", L"Don't save");
    EXPECT_EQ(game.Close(), 0);
}

// The keyboard on the real window: the arrows and a digit write a number,
// Ctrl with a digit strikes a candidate, Ctrl+Z takes both back and Ctrl+Y
// and Ctrl+Shift+Z do them again, as the saved game shows; in the editor
// Ctrl+Right steps a sign, as the saved level shows. The grid's tool tip
// lists the keys.
TEST(Journey, KeyboardPlayUndoAndRedo) {
    GameSession game(L"keyboard journey");
    game.WriteLevel(L"keys", *Puzzle(std::string(81, '.').c_str()));
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"keys"));
    game.Key(VK_RIGHT);
    EXPECT_EQ(game.Cursor(), 40) << "the first arrow shows the cursor in the centre";
    game.Key(VK_RIGHT);
    game.Key('7');
    game.Key(VK_LEFT);
    game.Key('3', {VK_CONTROL});
    EXPECT_EQ(game.SquareAt(41).number, 7);
    EXPECT_EQ(Candidates(game.SquareAt(40)), "12.456789");

    auto saved = [&] {
        game.ClickButton(BarSave);
        return GameSession::ReadBytes(game.SavePath(L"keys"));
    };
    std::vector<unsigned char> bytes = saved();
    ASSERT_EQ(bytes.size(), 972u);
    EXPECT_EQ(bytes[82 + 11 * 41], 7);
    EXPECT_EQ(bytes[83 + 11 * 40 + 2], 0) << "candidate 3 of square 40 struck";

    game.Key('Z', {VK_CONTROL});
    EXPECT_EQ(Candidates(game.SquareAt(40)), "123456789");
    game.Key('Z', {VK_CONTROL});
    EXPECT_EQ(game.SquareAt(41).number, 0);
    bytes = saved();
    EXPECT_EQ(bytes[82 + 11 * 41], 0);
    EXPECT_EQ(bytes[83 + 11 * 40 + 2], 1);
    game.Key('Y', {VK_CONTROL});
    game.Key('Z', {VK_CONTROL, VK_SHIFT});
    bytes = saved();
    EXPECT_EQ(bytes[82 + 11 * 41], 7);
    EXPECT_EQ(bytes[83 + 11 * 40 + 2], 0);

    // The grid's tool tip shows where the pointer rests on the grid (its text
    // cannot be read from another process; the screenshot shows it).
    const LayoutRect grid = game.GridRect();
    const POINT centre =
        game.ToScreen({grid.left + grid.Width() / 2, grid.top + grid.Height() / 2});
    MoveMouse(centre);
    EXPECT_TRUE(WaitFor(
        [&] {
            const HWND tip = FindWindowW(L"tooltips_class32", nullptr);
            RECT place = {};
            return tip != nullptr && IsWindowVisible(tip) && GetWindowRect(tip, &place) &&
                   std::abs(place.top - centre.y) < 80 && place.bottom - place.top > 60;
        },
        5))
        << "no tool tip of several lines over the grid";
    game.Screenshot(L"GridToolTip");
    ParkMouse();

    game.ClickButton(BarEditor);
    EXPECT_EQ(game.Cursor(), -1) << "a mode change hides the cursor";
    game.Key(VK_UP);
    EXPECT_EQ(game.Cursor(), 40);
    game.Key(VK_RIGHT, {VK_CONTROL});
    EXPECT_EQ(game.MaskAt(40), kRightGreater);
    game.ClickButton(BarSave);
    NameLevel(game, L"keys");
    bytes = GameSession::ReadBytes(game.LevelPath(L"keys"));
    ASSERT_EQ(bytes.size(), 972u);
    EXPECT_EQ(bytes[40], kRightGreater);
    EXPECT_EQ(bytes[41], kLeftSmaller);
    EXPECT_EQ(game.Close(), 0);
}

// H on a starter level names a technique and a square; what it says of that
// square holds in the level's solution, and the cursor goes there.
TEST(Journey, HintOnAStarterLevel) {
    GameSession game(L"hint journey");
    const std::unique_ptr<StarterLevel> level = game.PlayStarterLevel(L"16 Medium - High Tide");
    ASSERT_TRUE(level);
    const std::string before = game.Digits();
    game.Key('H');
    const HWND box = game.WaitForDialog(L"Nereku Sudoku");
    ASSERT_NE(box, nullptr);
    const std::wstring text = TextOf(box);
    EXPECT_EQ(ReadDialog(box).buttons, std::vector<std::wstring>{L"Ok"});
    game.Screenshot(L"GameMode_Hint");
    ASSERT_TRUE(game.Answer(box, L"Ok"));

    const size_t colon = text.find(L": row ");
    ASSERT_NE(colon, std::wstring::npos) << std::string(text.begin(), text.end());
    int row = 0, column = 0;
    ASSERT_EQ(swscanf(text.c_str() + colon, L": row %d, column %d", &row, &column), 2);
    const int square = (row - 1) * 9 + (column - 1);
    ASSERT_TRUE(square >= 0 && square < 81);
    const int solution = level->solution[square].number;
    const size_t must = text.find(L"must be ");
    const size_t cannot = text.find(L"cannot be ");
    ASSERT_TRUE(must != std::wstring::npos || cannot != std::wstring::npos);
    if (must != std::wstring::npos) {
        EXPECT_EQ(text[must + 8] - L'0', solution);
    } else {
        // "cannot be 1", "1 or 2", "1, 2 or 3": up to the sentence's end.
        for (size_t k = cannot + 10; k < text.size() && text[k] != L'.' && text[k] != L'\n'; ++k) {
            if (text[k] >= L'1' && text[k] <= L'9') {
                EXPECT_NE(text[k] - L'0', solution) << "ruled out, yet the solution's";
            }
        }
    }
    EXPECT_EQ(game.Cursor(), square);
    EXPECT_EQ(game.Digits(), before) << "a hint changes nothing";
    EXPECT_EQ(game.Close(), 0);
}

// The first starter level, played to the win by writing its solution.
TEST(Journey, StarterLevelToTheWin) {
    GameSession game(L"starter journey");
    const std::wstring name = L"01 Easy - First Steps";
    const std::unique_ptr<StarterLevel> level = game.AddStarterLevel(name);
    ASSERT_TRUE(level->read);

    ASSERT_TRUE(game.Start());
    EXPECT_EQ(game.ListedLevels(), std::vector<std::wstring>{name});
    ASSERT_TRUE(game.ChooseLevel(name));
    for (int i = 0; i < kSquareCount; ++i) {
        if (level->board.squares[i].number == 0) {
            game.LeftClick(game.CellPoint(i, level->solution[i].number));
        }
    }
    const HWND won = game.WaitForDialog(L"Nereku Sudoku");
    ASSERT_NE(won, nullptr);
    EXPECT_EQ(TextOf(won), L"Congratulations!\n\nYou found the correct solution.");
    game.Screenshot(L"GameMode_Won");
    ASSERT_TRUE(game.Answer(won, L"Ok"));
    EXPECT_EQ(game.Mode(), GameMode);
    EXPECT_EQ(game.Close(), 0);
}

// The package, unpacked into a folder whose path has blanks, starts, lists
// its starter levels, and keeps a game played there beside itself. The test
// runs only where the package test's script has unpacked it.
TEST(Package, RunsFromItsUnpackedFolder) {
    wchar_t folder[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"NEREKU_PACKAGE_FOLDER", folder, MAX_PATH) == 0) {
        GTEST_SKIP() << "no unpacked package";
    }
    GameSession game(GameSession::InFolder{folder});
    ASSERT_NE(std::wstring(folder).find(L' '), std::wstring::npos);
    ASSERT_TRUE(fs::exists(game.Folder() + L"\\nereku.exe"));
    ASSERT_TRUE(fs::exists(game.Folder() + L"\\nerekusudoku\\nerekusudoku.html"));
    ASSERT_TRUE(game.Start());
    const std::vector<std::wstring> levels = game.ListedLevels();
    ASSERT_EQ(levels.size(), 24u);
    ASSERT_TRUE(game.ChooseLevel(levels[0]));
    int empty = 0;
    while (game.SquareAt(empty).number != 0) {
        ++empty;
    }
    game.LeftClick(game.CellPoint(empty, 5));
    EXPECT_EQ(game.Close(), 0);
    EXPECT_TRUE(fs::exists(game.SavePath(levels[0])));
}
