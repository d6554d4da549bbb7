// CNerekuSudoku: the game. One object of this class is the whole program: it
// is the main window (through the class library's window base) and it holds
// the board with its rules and search (through the portable engine), the
// controls, and the game's state.
//
// Its window operations are grouped by what they serve:
//   app/      start-up, the message loop, the window procedure and its
//             commands, the layout of the controls, the level library
//             (LevelLibrary.cpp), play and editor input, random levels and
//             the Solve command
//   render/   drawing the grid and composing the window
// They glue to Win32 what the engine decides without a window: the board's
// rules and search (model/, solver/), the level files and names (levels/),
// what a click does (modes/), and the window's and grid's geometry
// (app/WindowLayout, render/GridGeometry).
// Every operation catches its own exceptions and reports them through
// OnException (NEREKU_GUARDED).
#pragma once

#include <windows.h>

#include <array>

#include "CNerekuEngine.h"
#include "GridHit.h"
#include "LevelPaths.h"
#include "Modes.h"
#include "corvane/CPicture.h"
#include "corvane/CTextCtrl.h"
#include "corvane/CWndButton.h"
#include "corvane/CWndCommon.h"

class CNerekuSudoku : public CWndCommon, public CNerekuEngine {
public:
    // Builds the window and runs the message loop; returns when the program
    // is to end.
    explicit CNerekuSudoku(HINSTANCE instance);
    ~CNerekuSudoku() override;

    // ---- Layout (app/Layout.cpp).
    // Places every control for a client area of width x height; -1 in either
    // takes the current client area.
    void SetControlPositions(int width, int height) override;
    // Shows the tool tip of a picture button.
    void UpdateStatusBar(HWND control) override;

    // ---- Start-up (app/InitializeWindow.cpp).
    bool InitializeWindow();

    // ---- The window procedure (app/WndProc.cpp).
    static LRESULT CALLBACK WndProcWrapper(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // ---- Drawing (render/).
    void DrawGrid();
    void SetBackgroundColour(unsigned long colour);
    void OnEraseBackground();

    // ---- The level library (app/LevelLibrary.cpp).
    void UpdateLevelsCombo(const wchar_t* select);
    void GameMode_LoadLevel(bool askToContinue, bool loadSavedGame);
    void GameMode_SaveLevel();
    void DeleteLevel();

    // ---- Play, the editor and random levels (app/GameModeInput.cpp,
    // app/EditModeInput.cpp, app/RandomLevel.cpp).
    void GameMode_OnLeftMouseClick(short x, short y);
    void GameMode_OnRightMouseClick(short x, short y);
    void GameMode_GenerateRandomLevel(unsigned char count);
    void EditMode_OnLeftMouseClick(short x, short y);
    void EditMode_OnRightMouseClick(short x, short y);
    bool EditMode_SaveLevel();
    void EditMode_Exit();

    // ---- The Solve command (app/SolveLevel.cpp).
    void SolveLevel();

    // The state that the end-to-end tests read through the probe message
    // (app/TestProbe.cpp), when the program was started with it switched on.
    struct Counters {
        long paintings = 0;            // compositions of the window
        long gridDrawings = 0;         // DrawGrid calls
        long drawGridMicroseconds = 0; // the last one, with the composition
        long mouseUps = 0;             // mouse button releases handled
        long commands = 0;             // button commands and level choices handled
    };

protected:
    bool editChanged = false;
    COLORREF backgroundColour = kNoModeColour;
    COLORREF gridColour = RGB(255, 255, 255);
    CPicture gridPicture;
    CTextCtrl txtAbout, txtDeleteLevel, txtHelp, txtLevelEditor, txtNewLevel, txtRestartLevel,
        txtSaveLevel, txtSolveLevel;
    CTextCtrl txtInstructions;
    CTextCtrl txtModeNotifier;
    CTextCtrl txtVersion;
    CWndButton btnAbout, btnDeleteLevel, btnHelp, btnLevelEditor, btnNewLevel, btnRestartLevel,
        btnSaveLevel, btnSolveLevel;
    uint32_t mode = NoMode;
    HWND levelsCombo = nullptr;
    RECT clientRect = {0, 0, 0, 0};
    unsigned short squareSize = 0;
    wchar_t dataDirectory[kPathLength] = L"";
    wchar_t levelName[kLevelNameLength] = L"";

private:
    // Window messages (app/WndProc.cpp), one handler each.
    void OnDestroy();
    void OnSize(WPARAM kind);
    void OnEraseRequest();
    bool IsButton(HWND window);
    void OnButton(HWND button);
    void OnLevelChosen();
    // Button commands (app/Commands.cpp).
    void OnNewLevel();
    void OnLevelEditor();
    void OnRestartLevel();
    void OnSaveLevel();
    void OnSolveLevel();
    void OnAbout();
    void OpenHelp();

    // The eight picture buttons with the numbers of their pictures, in the
    // order they are made.
    struct ButtonPicture {
        CWndButton* button;
        int picture;
    };
    std::array<ButtonPicture, 8> ButtonPictures();
    // Shows solution `row` of the solution list on the board.
    void ShowSolution(int row);
    // The win check after a click that left a number in its square.
    void CheckForWin();
    // Mode changes: the mode, the background colour and the banner together.
    void EnterMode(Mode newMode);
    // NoMode keeps the background colour of the mode before it.
    void EnterNoMode();
    // Selects the level list's entry of `name` (ignoring case), or none.
    void SelectInLevelsCombo(const wchar_t* name);
    // The level list's text: its selected entry, cut to fit `size`.
    void ReadLevelsComboText(wchar_t* text, int size) const;
    // A text of the string table.
    const wchar_t* Text(const wchar_t* key) const;
    // Plays sound resource `id`, waiting for its end unless `async`.
    void PlaySoundResource(int id, bool async) const;
    // Where a click at (x, y) lands on the grid picture as last laid out.
    GridHit HitTest(short x, short y) const;

    // The end-to-end tests' probe (app/TestProbe.cpp).
    LRESULT OnProbe(WPARAM what);
    UINT probeMessage = 0;
    Counters counters;
    // Erase requests the probe has the next painting send the window itself.
    int nestedEraseRequests = 0;
};
