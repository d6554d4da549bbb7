// The end-to-end tests' driver: the real NerekuSudoku.exe, started from a
// fresh folder of its own, played with the system's mouse at client
// coordinates worked out from the layout, its dialogs read and answered by
// their button texts, its files read from the disk and its pixels from the
// screen. The game answers a probe message (app/TestProbe.h) with its state,
// so that a test can wait for a click to be handled.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CNerekuEngine.h"
#include "Modes.h"
#include "Win32Testing.h"
#include "app/TestProbe.h"
#include "app/WindowLayout.h"

// A starter level as it ships, and its one solution.
struct StarterLevel {
    bool read = false;
    CNerekuEngine board;
    Square solution[kSquareCount] = {};
};

class GameSession {
public:
    // A fresh folder named after the test: the game, its help page and an
    // empty "Levels" folder, as a player unpacks them.
    explicit GameSession(const std::wstring& name);
    // The game as it stands in a folder of its own (an unpacked package),
    // which is left as it is.
    struct InFolder {
        std::wstring path;
    };
    explicit GameSession(const InFolder& existing);
    ~GameSession(); // ends the game when it still runs; removes a folder it made
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // ---- Files.
    const std::wstring& Folder() const { return folder; }
    std::wstring LevelPath(const std::wstring& level) const; // Levels\<level>.lvl
    std::wstring SavePath(const std::wstring& level) const;  // Saves\<level>.lvl
    // Writes the board as a level file (every number a given).
    void WriteLevel(const std::wstring& level, CNerekuEngine& board) const;
    // Copies the starter level of this name into the "Levels" folder.
    std::unique_ptr<StarterLevel> AddStarterLevel(const std::wstring& level) const;
    // Adds the starter level, starts the game and chooses the level; null
    // when any of it fails.
    std::unique_ptr<StarterLevel> PlayStarterLevel(const std::wstring& level);
    // The board of a level or saved-game file, read as the game reads it;
    // null when the file is missing or unsound.
    static std::unique_ptr<CNerekuEngine> ReadBoard(const std::wstring& path);
    // A path of the build as this program names it (a Unix path when the
    // tests run under Wine).
    static std::wstring BuildPath(const char* path);
    static void WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);

    // ---- The process.
    // Starts the game and waits for its window; false when none shows.
    bool Start();
    // Closes the window as the user would and waits for the process to end;
    // its exit code, or -1 when it did not end.
    long Close();
    bool Running() const;
    HWND Window() const { return window; }
    HANDLE Process() const { return process; }
    DWORD ProcessId() const { return processId; }

    // ---- State, through the probe.
    LRESULT Probe(unsigned what) const;
    uint32_t Mode() const { return static_cast<uint32_t>(Probe(ProbeMode)); }
    Square SquareAt(int index) const;
    EdgeMask MaskAt(int index) const { return static_cast<EdgeMask>(Probe(ProbeMask + index)); }
    // The 81 numbers, '0' for empty.
    std::string Digits() const;
    int Cursor() const { return static_cast<int>(Probe(ProbeCursor)); }

    // ---- Places, in client coordinates.
    RECT ClientRect() const;
    POINT ToScreen(POINT client) const;
    WindowLayout Layout() const; // as the game lays out its client area
    LayoutRect GridRect() const; // where the grid picture stands
    int SquareSize() const { return static_cast<int>(Probe(ProbeSquareSize)); }
    // The middle of candidate cell `digit` of square `index`.
    POINT CellPoint(int index, int digit) const;
    // A point near the middle of the side of square `index` towards `side`.
    POINT SidePoint(int index, SignDirectionIndex side) const;

    // ---- Input, waited for until the game has handled it.
    void LeftClick(POINT client) { Click(client, true); }
    void RightClick(POINT client) { Click(client, false); }
    void ClickButton(BarButton button);
    // Presses a key of the game (with `held` down around it) on the game's
    // window, wherever its focus is, and waits until the game has taken it.
    void Key(WORD key, std::initializer_list<WORD> held = {});
    // Chooses the level list's entry `level` with the mouse and keyboard.
    bool ChooseLevel(const std::wstring& level);
    // The level list's entries, and its selected text.
    std::vector<std::wstring> ListedLevels() const;
    std::wstring SelectedLevel() const;

    // ---- Dialogs of the game.
    // Waits for a dialog with this caption (any caption when null).
    HWND WaitForDialog(const wchar_t* caption, int seconds = 10) const;
    // Whether a dialog of the game is open.
    HWND OpenDialog() const;
    // Clicks the dialog's button with this text, and waits for the dialog to
    // close.
    bool Answer(HWND dialog, const wchar_t* button);
    // Replaces the text of the dialog's edit box, as typed.
    void Type(HWND dialog, const std::wstring& text);

    // ---- The screen.
    std::unique_ptr<Canvas> GrabClient() const;
    std::wstring Screenshot(const wchar_t* name) const;

private:
    void Click(POINT client, bool left);
    long Counted(unsigned what) const { return static_cast<long>(Probe(what)); }

    std::wstring folder;
    bool ownsFolder = true;
    HANDLE process = nullptr;
    DWORD processId = 0;
    HWND window = nullptr;
    UINT probe = 0;
};

// A new engine holding the puzzle of 81 characters ('1'-'9' a given, '.' or
// '0' empty), for writing test levels.
std::unique_ptr<CNerekuEngine> Puzzle(const char* digits);
