// CNerekuSudoku: the game's window. One object of this class is the whole
// program: the main window (through the class library's window base) and the
// game (through the portable game class, which holds the engine with the
// board, its rules and search).
//
// The window does what needs a window and nothing else:
//   app/InitializeWindow.cpp  start-up: the window, the level list, the
//                             picture buttons and the drawn texts
//   app/WndProc.cpp           the window procedure, which only hands each
//                             message to its handler
//   app/Layout.cpp            placing the controls, the buttons' tool tips
//   app/BarButtons.cpp        the eight picture buttons: one table
//   app/Keys.cpp              the game's keys, wherever the focus is
//   app/Drawing.cpp           drawing the grid and composing the window,
//                             with the painters of render/
//   app/GameWindow.cpp        what the game asks of its window: dialogs,
//                             sounds, the level list, help
// What the player's actions do (the modes, the questions and what each answer
// does, the level files) is the game's (game/CNerekuGame.h).
#pragma once

#include <windows.h>

#include "app/WindowLayout.h"
#include "corvane/CPicture.h"
#include "corvane/CTextCtrl.h"
#include "corvane/CWndButton.h"
#include "corvane/CWndCommon.h"
#include "game/CNerekuGame.h"

class CNerekuSudoku : public CWndCommon, private GameWindow, public CNerekuGame {
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

    // ---- Drawing (app/Drawing.cpp).
    void DrawGrid() override;
    void SetBackgroundColour(unsigned long colour) override;
    void OnEraseBackground();

    // The state that the end-to-end tests read through the probe message
    // (app/TestProbe.cpp), when the program was started with it switched on.
    struct Counters {
        long paintings = 0;            // compositions of the window
        long gridDrawings = 0;         // DrawGrid calls
        long drawGridMicroseconds = 0; // the last one, with the composition
        long mouseUps = 0;             // mouse button releases handled
        long commands = 0;             // button commands and level choices handled
        long keys = 0;                 // the game's keys handled
        long waitCursors = 0;          // busy work that showed the wait cursor
    };

protected:
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
    HWND levelsCombo = nullptr;
    RECT clientRect = {0, 0, 0, 0};
    unsigned short squareSize = 0;
    RECT gridTipArea = {0, 0, 0, 0}; // where the grid's tool tip stands

private:
    // ---- What the game asks of its window (app/GameWindow.cpp).
    const CStringResource& Texts() override;
    int Ask(const Question& question) override;
    bool AskNumber(const wchar_t* text, const wchar_t* caption, unsigned char* value,
                   unsigned char lowest, unsigned char highest) override;
    bool AskName(const wchar_t* text, const wchar_t* caption, wchar_t* name, size_t size) override;
    void PlayGameSound(GameSound sound) override;
    void SetBanner(const wchar_t* text) override;
    void RunBusy(const std::function<void()>& work) override;
    void FillLevelList(const std::vector<std::wstring>& names) override;
    void SelectLevel(const wchar_t* name) override;
    std::wstring SelectedLevel() override;
    GridPlace GridOnScreen() override;
    void OpenHelp() override;
    void OpenWebsite() override;

    // ---- The keyboard (app/Keys.cpp).
    bool OnKeyMessage(const MSG& message) override;

    // ---- Window messages (app/WndProc.cpp), one handler each.
    void OnDestroy();
    void OnEndSession(bool ending);
    void OnSize(WPARAM kind);
    void OnEraseRequest();
    bool OnNotify(const NMHDR& header);
    bool OnComboBox(WORD notification, HWND control);
    void OnMouseUp(bool left, LPARAM position);

    // The eight picture buttons, in the bar's order (app/BarButtons.cpp):
    // each with its caption, picture, texts and the command it gives.
    struct BarButtonEntry {
        CWndButton CNerekuSudoku::*button;
        CTextCtrl CNerekuSudoku::*caption;
        int picture;
        const wchar_t* captionKey;
        const wchar_t* toolTipKey;
        GameCommand command;
    };
    static const BarButtonEntry kBarButtons[kBarButtonCount];
    // The entry of a button's window; null for any other window.
    const BarButtonEntry* BarButtonOf(HWND window);

    // The end-to-end tests' probe (app/TestProbe.cpp).
    LRESULT OnProbe(WPARAM what);
    UINT probeMessage = 0;
    Counters counters;
    // Erase requests the probe has the next painting send the window itself.
    int nestedEraseRequests = 0;
};
