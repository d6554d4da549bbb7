// A player's journeys through the real game, each from a fresh folder, with
// the real dialogs, files and pixels: build and save a level in the editor,
// make a random level and delete it, close in play or log off, and play with
// the keys (a starter level played to the win is in the window's tests).
// Every question and answer of the flow is also tested natively, through a
// scripted window (tests/game); here go the real clicks, keys, dialogs, list
// and files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "BoardText.h"
#include "GameSession.h"
#include "TempFolder.h"

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

// Numbers and signs clicked into the editor, and saved through the real
// requester under a name that Windows cannot take as it is: the file holds
// the board as the window shows it, every number a given. A click on a block
// border then changes nothing but still asks: "Cancel" stays. With another
// change, another level chosen and "Save" answered, but the name cancelled:
// the editor stays with its board and changes, the file as it was, and the
// list shows the edited level again.
TEST(Journey, EditorBuildsAndSavesALevel) {
    GameSession game(L"editor journey");
    game.WriteLevel(L"other", *SolvedWithout({0}));
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
    std::string digits(81, '0');
    digits[0] = '7', digits[1] = '3', digits[40] = '9';
    EXPECT_EQ(game.Digits(), digits);
    const unsigned char masks[][2] = {{0, kRightGreater}, {1, kLeftSmaller},  {13, kDownSmaller},
                                      {22, kUpGreater},   {41, kLeftGreater}, {40, kRightSmaller}};
    for (const auto& mask : masks) {
        EXPECT_EQ(game.MaskAt(mask[0]), mask[1]) << "mask " << int{mask[0]};
    }
    EXPECT_EQ(game.Probe(ProbeEditChanged), 1);

    game.ClickButton(BarSave);
    NameLevel(game, L"a<b>c:d");
    EXPECT_EQ(game.ListedLevels(), (std::vector<std::wstring>{L"a_b_c_d", L"other"}));
    EXPECT_EQ(game.SelectedLevel(), L"a_b_c_d");
    EXPECT_EQ(game.Probe(ProbeEditChanged), 0);
    const std::unique_ptr<CNerekuEngine> file = GameSession::ReadBoard(game.LevelPath(L"a_b_c_d"));
    ASSERT_TRUE(file);
    EXPECT_EQ(BoardDigits(file->squares), digits);
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_EQ(file->squares[i].fixed, file->squares[i].number != 0 ? 1 : 0) << i;
        EXPECT_EQ(file->edgeMasks[i], game.MaskAt(i)) << i;
    }

    game.RightClick(game.SidePoint(2, kRight));
    EXPECT_EQ(game.MaskAt(2), 0);
    EXPECT_EQ(game.MaskAt(3), 0);
    game.ClickButton(BarEditor);
    Expect(game, L"Edit mode", L"Do you want to save the level?", L"Cancel");
    EXPECT_EQ(game.Mode(), EditMode);

    game.LeftClick(game.CellPoint(80, 5));
    digits[80] = '5';
    const std::string saved = ReadFile(game.LevelPath(L"a_b_c_d"));
    ASSERT_TRUE(game.ChooseLevel(L"other"));
    Expect(game, L"Edit mode", L"Do you want to save the level?", L"Save");
    const HWND requester = game.WaitForDialog(L"Save level");
    ASSERT_NE(requester, nullptr);
    ASSERT_TRUE(game.Answer(requester, L"Cancel"));
    EXPECT_EQ(game.Mode(), EditMode);
    EXPECT_EQ(game.Digits(), digits);
    EXPECT_EQ(game.Probe(ProbeEditChanged), 1);
    EXPECT_EQ(game.SelectedLevel(), L"a_b_c_d");
    EXPECT_EQ(ReadFile(game.LevelPath(L"a_b_c_d")), saved) << "nothing written";
    game.Screenshot(L"EditorKeptAfterCancelledSave");
    game.ClickButton(BarEditor);
    Expect(game, L"Edit mode", L"", L"Don't save");
    EXPECT_EQ(game.Mode(), GameMode);
    EXPECT_EQ(game.Close(), 0);
}

// New: a random level of as many givens as typed into the real requester,
// named in the next, listed and selected. Delete: Enter alone cancels (the
// question's default is "Cancel"); confirmed, the level and its saved game
// go, and no level is left chosen.
TEST(Journey, RandomLevelMadeAndDeleted) {
    GameSession game(L"new journey");
    game.WriteLevel(L"kept", *SolvedWithout({0}));
    ASSERT_TRUE(game.Start());
    game.ClickButton(BarNew);
    const HWND count = game.WaitForDialog(L"Generate random level");
    ASSERT_NE(count, nullptr);
    game.Type(count, L"20");
    ASSERT_TRUE(game.Answer(count, L"Ok"));
    NameLevel(game, L"gone");
    EXPECT_EQ(game.ListedLevels(), (std::vector<std::wstring>{L"gone", L"kept"}));
    EXPECT_EQ(game.SelectedLevel(), L"gone");
    EXPECT_EQ(game.Mode(), GameMode);
    int givens = 0;
    for (int i = 0; i < kSquareCount; ++i) {
        givens += game.SquareAt(i).fixed;
    }
    EXPECT_EQ(givens, 20) << "the number typed";
    game.ClickButton(BarSave);
    ASSERT_TRUE(fs::exists(game.SavePath(L"gone")));

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

// Windows ends the session (log-off or shut-down) with a game in play: the
// game lets it end, and keeps the game as closing does, without destroying
// the window. Closing keeps the game too, and the next start offers it.
TEST(Journey, LogOffAndCloseKeepTheGame) {
    GameSession game(L"close journey");
    game.WriteLevel(L"level", *SolvedWithout({0, 40, 80}));
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"level"));
    game.LeftClick(game.CellPoint(40, 1));
    EXPECT_EQ(SendMessageW(game.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(game.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const std::unique_ptr<CNerekuEngine> saved = GameSession::ReadBoard(game.SavePath(L"level"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->squares[40].number, 1);
    EXPECT_TRUE(IsWindow(game.Window()));

    game.LeftClick(game.CellPoint(80, 2));
    EXPECT_EQ(game.Close(), 0);
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.ChooseLevel(L"level"));
    Expect(game, L"Nereku_sudoku", L"", L"Yes");
    EXPECT_EQ(game.SquareAt(40).number, 1);
    EXPECT_EQ(game.SquareAt(80).number, 2);
    EXPECT_EQ(game.Close(), 0);
}

// The keyboard on the real window: the arrows and a digit write a number,
// Ctrl with a digit strikes a candidate, Ctrl+Z takes both back, Ctrl+Y and
// Ctrl+Shift+Z do them again; in the editor Ctrl+Right steps a sign. The
// grid's tool tip lists the keys.
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
    game.Key('Z', {VK_CONTROL});
    EXPECT_EQ(Candidates(game.SquareAt(40)), "123456789");
    game.Key('Z', {VK_CONTROL});
    EXPECT_EQ(game.SquareAt(41).number, 0);
    game.Key('Y', {VK_CONTROL});
    EXPECT_EQ(game.SquareAt(41).number, 7);
    game.Key('Z', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(Candidates(game.SquareAt(40)), "12.456789");

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
    EXPECT_EQ(game.MaskAt(41), kLeftSmaller);
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
