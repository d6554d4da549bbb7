// The main window as a player first meets it: its place for the screen's
// size, its folders, its faces, its colours and lines on the screen, the
// layout of its controls, its redrawing, every mode for the eye, tool tips,
// About box and browser, and a clean exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "BoardText.h"
#include "GameSession.h"
#include "TempFolder.h"
#include "render/GridGeometry.h"

namespace fs = std::filesystem;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// How many pixels of the rectangle have exactly this colour.
int CountColour(const Canvas& canvas, const RECT& rect, COLORREF colour) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            count += canvas.At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Where a window stands on the screen, or in the client area of `parent`.
LayoutRect PlaceOf(HWND window, HWND parent = nullptr) {
    RECT place = {};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right, place.bottom};
}

std::string Hex(COLORREF colour) {
    char text[16];
    snprintf(text, sizeof(text), "%06lX", static_cast<unsigned long>(colour));
    return text;
}

} // namespace

// A square, three quarters of the smaller side of the screen, centred (as
// the layout places it); grey, with the instructions and no grid; "Levels"
// and "Saves" made beside it.
TEST(Window, StartsCentredGreyWithTheInstructions) {
    GameSession game(L"start");
    fs::remove_all(game.Folder() + L"\\Levels");
    ASSERT_TRUE(game.Start());
    EXPECT_EQ(PlaceOf(game.Window()),
              MainWindowPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_TRUE(fs::is_directory(game.Folder() + L"\\Levels"));
    EXPECT_TRUE(fs::is_directory(game.Folder() + L"\\Saves"));
    EXPECT_EQ(game.Mode(), NoMode);
    EXPECT_EQ(game.SelectedLevel(), L"");

    const std::unique_ptr<Canvas> screen = game.GrabClient();
    ASSERT_TRUE(screen);
    const RECT client = game.ClientRect();
    const RECT lower = {0, client.bottom * 3 / 4, client.right, client.bottom - 20};
    EXPECT_GT(CountColour(*screen, lower, RGB(128, 128, 128)), (lower.bottom - lower.top) * 300)
        << "the background is grey";
    const RECT middle = {client.right / 4, client.bottom / 3, client.right * 3 / 4,
                         client.bottom * 2 / 3};
    EXPECT_GT(CountColour(*screen, middle, kWhite), 500) << "the instructions are shown";
    game.Screenshot(L"NoMode");
    EXPECT_EQ(game.Close(), 0);
}

// The faces the window draws with are there by name, not stood in for by
// whatever face is nearest: Verdana for the grid's numbers, Consolas for the
// instructions, whose columns line up only in a fixed pitch, and Marlett for
// the caption buttons that Wine draws itself. Wine has neither Verdana nor
// Consolas, nor, in a prefix without its own fonts, Marlett: the prefixes
// of cmake/wine-run.sh bring all three.
TEST(Window, ItsFacesAreThere) {
    HDC screen = GetDC(nullptr);
    for (const wchar_t* face : {L"Verdana", L"Consolas", L"Marlett"}) {
        LOGFONTW wanted = {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        EnumFontFamiliesExW(
            screen, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) {
                *reinterpret_cast<bool*>(flag) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        EXPECT_TRUE(found) << "no face named " << fs::path(face).string();
    }
    HFONT consolas =
        CreateFontW(16, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH, L"Consolas");
    const HGDIOBJ old = SelectObject(screen, consolas);
    SIZE narrow = {}, wide = {};
    GetTextExtentPoint32W(screen, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(screen, L"MMMM", 4, &wide);
    EXPECT_EQ(narrow.cx, wide.cx) << "the instructions' face has a fixed pitch";
    SelectObject(screen, old);
    DeleteObject(consolas);
    ReleaseDC(nullptr, screen);
}

// Folders that exist are kept with their files; every level is listed,
// sorted without regard to case, and none is selected.
TEST(Window, ExistingLevelsAreListedAndKept) {
    GameSession game(L"existing");
    for (const wchar_t* name : {L"beta", L"Alpha", L"Gamma"}) {
        game.WriteLevel(name, *Puzzle("................................................"
                                      "................................."));
    }
    fs::create_directories(game.Folder() + L"\\Saves");
    GameSession::WriteBytes(game.SavePath(L"beta"), std::vector<unsigned char>(972, 0));
    GameSession::WriteBytes(game.Folder() + L"\\Levels\\notes.txt", {1, 2, 3});
    ASSERT_TRUE(game.Start());
    EXPECT_EQ(game.ListedLevels(), (std::vector<std::wstring>{L"Alpha", L"beta", L"Gamma"}));
    EXPECT_EQ(game.SelectedLevel(), L"");
    EXPECT_EQ(ReadFile(game.SavePath(L"beta")).size(), 972u);
    EXPECT_EQ(game.Close(), 0);
}

// The editor's colours on the screen, and the grid's lines where the
// geometry puts them for the client size.
TEST(Window, EditorColoursAndGridLines) {
    GameSession game(L"editor");
    ASSERT_TRUE(game.Start());
    game.ClickButton(BarEditor);
    ASSERT_EQ(game.Mode(), EditMode);
    const int s = game.SquareSize();
    const RECT client = game.ClientRect();
    ASSERT_EQ(s, GridSquareSize(client.right, client.bottom));
    const LayoutRect grid = game.GridRect();
    ASSERT_EQ(grid.Width(), 9 * s + 1);

    const std::unique_ptr<Canvas> screen = game.GrabClient();
    ASSERT_TRUE(screen);
    EXPECT_EQ(Hex(screen->At(3, client.bottom - 3)), Hex(RGB(92, 128, 64))) << "background";
    // Between the candidate digits of a square lies the grid's fill.
    const int x0 = grid.left + 4 * s;
    const int y0 = grid.top + 4 * s;
    EXPECT_EQ(Hex(screen->At(x0 + s / 3, y0 + s / 3)), Hex(RGB(124, 160, 96))) << "grid fill";
    // The thin line of a square and the thick block lines, in white; the
    // pixels beside them are not.
    const int between = y0 + s / 3; // between two rows of candidates
    EXPECT_EQ(Hex(screen->At(x0, between)), Hex(kWhite));
    EXPECT_NE(Hex(screen->At(x0 + 2, between)), Hex(kWhite));
    const int block = grid.left + 3 * s;
    for (int dx : {-1, 0, 1}) {
        EXPECT_EQ(Hex(screen->At(block + dx, between)), Hex(kWhite)) << dx;
    }
    EXPECT_NE(Hex(screen->At(block - 3, between)), Hex(kWhite));
    EXPECT_EQ(Hex(screen->At(x0 + s / 3, grid.top)), Hex(kWhite)) << "the top border";
    EXPECT_EQ(game.Close(), 0);
}

// The picture buttons and the level list where the layout puts them, for
// two client sizes (the list's height is that of its closed box).
TEST(Window, LayoutFollowsTheClientSize) {
    GameSession game(L"layout");
    ASSERT_TRUE(game.Start());
    const HWND list = FindWindowExW(game.Window(), nullptr, L"ComboBox", nullptr);
    for (const SIZE outer : {SIZE{560, 520}, SIZE{700, 690}}) {
        SetWindowPos(game.Window(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
        const WindowLayout layout = game.Layout();
        LayoutRect wanted = layout.levelList;
        WaitFor([&] { return PlaceOf(list, game.Window()).right == wanted.right; });
        wanted.bottom = PlaceOf(list, game.Window()).bottom;
        EXPECT_EQ(PlaceOf(list, game.Window()), wanted);
        std::vector<LayoutRect> buttons;
        for (HWND child : Children(game.Window())) {
            if (ClassOf(child) == L"CorvanePictureButton") {
                buttons.push_back(PlaceOf(child, game.Window()));
            }
        }
        EXPECT_TRUE(std::is_permutation(buttons.begin(), buttons.end(), std::begin(layout.buttons),
                                        std::end(layout.buttons)));
    }
    EXPECT_EQ(game.Close(), 0);
}

// Minimising draws nothing; restoring draws the grid once more. Three erase
// requests that arrive during one painting cause exactly one more.
TEST(Window, MinimiseRestoreAndEraseRequests) {
    GameSession game(L"minimise");
    ASSERT_TRUE(game.Start());
    game.ClickButton(BarEditor);
    const LRESULT drawn = game.Probe(ProbeGridDrawings);
    ShowWindow(game.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(game.Window()) != FALSE; }));
    game.Probe(ProbeMode); // every message sent before this one has been handled
    EXPECT_EQ(game.Probe(ProbeGridDrawings), drawn);
    ShowWindow(game.Window(), SW_RESTORE);
    ASSERT_TRUE(WaitFor([&] { return game.Probe(ProbeGridDrawings) > drawn; }));
    Sleep(200);
    EXPECT_EQ(game.Probe(ProbeGridDrawings), drawn + 1);
    EXPECT_EQ(game.Probe(ProbeNestedEraseRequests), 2);
    EXPECT_EQ(game.Close(), 0);
}

// The window in each mode, for the eye: a starter level with signs in play
// (some numbers written, some candidates struck), with the keyboard cursor
// and with a hint, in the editor with the cursor, won, and solved. H names a
// step and its square, where the cursor goes, and changes nothing; the rest
// of the solution clicked in is greeted; Solve shows the one solution, with
// nothing to page through.
// GameMode_1366x768.png is the picture of the players' README
// (resources/package/screenshot.png).
TEST(Window, ScreenshotsOfEveryMode) {
    GameSession game(L"screenshots");
    const std::unique_ptr<StarterLevel> level = game.PlayStarterLevel(L"16 Medium - High Tide");
    ASSERT_TRUE(level);
    int written = 0;
    for (int i = 0; i < kSquareCount && written < 12; i += 7) {
        if (level->board.squares[i].number == 0) {
            game.LeftClick(game.CellPoint(i, level->solution[i].number));
            ++written;
        }
    }
    for (int i = 1; i < kSquareCount; i += 11) {
        const Square square = game.SquareAt(i);
        for (int d = 1; d <= 9 && square.number == 0; ++d) {
            if (square.possible[d - 1] && d != level->solution[i].number) {
                game.RightClick(game.CellPoint(i, d));
                break;
            }
        }
    }
    game.Screenshot(L"GameMode");
    const std::unique_ptr<Canvas> screen = game.GrabClient();
    ASSERT_TRUE(screen);
    EXPECT_EQ(Hex(screen->At(3, game.ClientRect().bottom - 3)), Hex(RGB(64, 96, 160)));
    game.Key(VK_RIGHT);
    game.Key(VK_RIGHT);
    game.Screenshot(L"GameMode_Cursor");

    const std::string played = game.Digits();
    game.Key('H');
    const HWND hint = game.WaitForDialog(L"Nereku Sudoku");
    ASSERT_NE(hint, nullptr);
    const DialogContents contents = ReadDialog(hint);
    EXPECT_EQ(contents.buttons, std::vector<std::wstring>{L"Ok"});
    game.Screenshot(L"GameMode_Hint");
    ASSERT_TRUE(game.Answer(hint, L"Ok"));
    ASSERT_FALSE(contents.texts.empty());
    const std::wstring& text = contents.texts[0];
    int row = 0, column = 0;
    ASSERT_TRUE(
        text.find(L": row ") != std::wstring::npos &&
        swscanf(text.c_str() + text.find(L": row "), L": row %d, column %d", &row, &column) == 2)
        << std::string(text.begin(), text.end());
    EXPECT_EQ(game.Cursor(), (row - 1) * 9 + (column - 1));
    EXPECT_EQ(game.Digits(), played) << "a hint changes nothing";

    game.ClickButton(BarEditor);
    game.Screenshot(L"EditMode");
    game.Key(VK_UP);
    game.Screenshot(L"EditMode_Cursor");
    game.ClickButton(BarEditor); // nothing changed: back to play, unasked
    ASSERT_EQ(game.Mode(), GameMode);
    for (int i = 0; i < kSquareCount; ++i) {
        if (game.SquareAt(i).number == 0) {
            game.LeftClick(game.CellPoint(i, level->solution[i].number));
        }
    }
    const HWND won = game.WaitForDialog(L"Nereku Sudoku");
    ASSERT_NE(won, nullptr);
    EXPECT_EQ(ReadDialog(won).texts,
              std::vector<std::wstring>{L"Congratulations!\n\nYou found the correct solution."});
    game.Screenshot(L"GameMode_Won");
    ASSERT_TRUE(game.Answer(won, L"Ok"));

    game.ClickButton(BarSolve);
    const HWND report = game.WaitForDialog(nullptr);
    ASSERT_NE(report, nullptr);
    const DialogContents solved = ReadDialog(report);
    ASSERT_FALSE(solved.texts.empty());
    EXPECT_EQ(solved.texts[0], L"The solution for this level has been found.\n\nThe solution is "
                               L"unique (i.e., there are no other valid solutions).");
    game.Screenshot(L"SolveMode_Report");
    ASSERT_TRUE(game.Answer(report, L"Ok"));
    EXPECT_EQ(game.Mode(), SolveMode);
    EXPECT_EQ(game.Digits(), BoardDigits(level->solution));
    Sleep(300);
    EXPECT_EQ(game.OpenDialog(), nullptr) << "no browsing for one solution";
    game.Screenshot(L"SolveMode");
    EXPECT_EQ(game.Close(), 0);
}

// A tool tip shows while the pointer rests on a picture button. About shows
// the version with "Ok" and "Go to website"; that button, Help and F1 hand
// their addresses to the web browser: the maker's website, and the help page
// that ships beside the game, at its "Game play" section. Wine's browser
// launcher runs a recorder in the browser's place here, which writes each
// address to a log.
TEST(Window, ToolTipAboutAndTheBrowser) {
    // Only Wine's browser launcher can be replaced by the recorder; on
    // Windows the test stops before anything opens a browser.
    const bool wine =
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name") != nullptr;
    HKEY key = nullptr;
    if (wine) {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::wstring recorder = NEREKU_BROWSER_RECORDER;
        RegSetValueExW(key, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(recorder.c_str()),
                       static_cast<DWORD>((recorder.size() + 1) * sizeof(wchar_t)));
    }
    const std::wstring log = GameSession::BuildPath(NEREKU_BROWSER_LOG);
    GameSession::WriteBytes(log, {});
    auto lines = [&] { return ReadFile(log); };

    GameSession game(L"about");
    ASSERT_TRUE(game.Start());
    const LayoutRect solve = game.Layout().buttons[BarSolve];
    MoveMouse(game.ToScreen({solve.left + 16, solve.top + 16}));
    HWND tip = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            tip = FindWindowW(L"tooltips_class32", nullptr);
            return tip != nullptr && IsWindowVisible(tip);
        },
        5))
        << "no tool tip";
    game.Screenshot(L"ToolTip");

    game.ClickButton(BarAbout);
    const HWND about = game.WaitForDialog(L"About");
    ASSERT_NE(about, nullptr);
    const DialogContents contents = ReadDialog(about);
    ASSERT_FALSE(contents.texts.empty());
    EXPECT_NE(contents.texts[0].find(L"Nereku Sudoku"), std::wstring::npos);
    EXPECT_NE(contents.texts[0].find(L"v1.00"), std::wstring::npos);
    EXPECT_EQ(contents.buttons, (std::vector<std::wstring>{L"Ok", L"Go to website"}));
    if (!wine) {
        EXPECT_TRUE(game.Answer(about, L"Ok"));
        EXPECT_EQ(game.Close(), 0);
        return;
    }
    ASSERT_TRUE(game.Answer(about, L"Go to website"));
    EXPECT_TRUE(WaitFor([&] { return lines().find("quorvia") != std::string::npos; }, 10))
        << lines();

    game.ClickButton(BarHelp);
    EXPECT_TRUE(WaitFor([&] { return lines().find("#Game") != std::string::npos; }, 10)) << lines();
    EXPECT_NE(lines().find("nerekusudoku.html"), std::string::npos) << lines();
    const size_t before = lines().size();
    PressKey(game.Window(), VK_F1);
    EXPECT_TRUE(WaitFor([&] { return lines().size() > before; }, 10)) << "F1 opens help too";
    EXPECT_EQ(game.Close(), 0);
    RegDeleteValueW(key, L"Browsers");
    RegCloseKey(key);
}
