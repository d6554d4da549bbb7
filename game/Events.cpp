// What the window passes on: the picture buttons' commands, each as the
// current mode has it, the mouse buttons, which go to the handlers of the
// current mode, and closing.
#include "corvane/StringHelpers.h"
#include "game/CNerekuGame.h"

namespace {

constexpr unsigned char kFirstRevealCount = 30;
constexpr unsigned char kFewestRevealed = 20;
// The highest count the question itself names.
constexpr unsigned char kMostRevealed = 80;
const wchar_t* const kVersion = L"v1.00";

} // namespace

CNerekuGame::CNerekuGame(GameWindow& gameWindow) : ui(gameWindow) {}

void CNerekuGame::OnCommand(GameCommand command) {
    switch (command) {
    case GameCommand::NewLevel:
        OnNewLevel();
        break;
    case GameCommand::LevelEditor:
        OnLevelEditor();
        break;
    case GameCommand::RestartLevel:
        OnRestartLevel();
        break;
    case GameCommand::SaveLevel:
        OnSaveLevel();
        break;
    case GameCommand::DeleteLevel:
        DeleteLevel();
        break;
    case GameCommand::SolveLevel:
        OnSolveLevel();
        break;
    case GameCommand::Help:
        ui.OpenHelp();
        break;
    case GameCommand::About:
        OnAbout();
        break;
    }
}

void CNerekuGame::OnLeftButtonUp(short x, short y) {
    OnButtonUp(true, x, y);
}

void CNerekuGame::OnRightButtonUp(short x, short y) {
    OnButtonUp(false, x, y);
}

// Clicks count only in play and in the editor. The square clicked is the
// keyboard cursor's from then on; a shown cursor that moves is drawn there
// even when the click changes nothing else.
void CNerekuGame::OnButtonUp(bool left, short x, short y) {
    const int cursorBefore = CursorSquare();
    const int drawn = drawings;
    NoteClickedSquare(x, y);
    if (mode == GameMode) {
        left ? GameMode_OnLeftMouseClick(x, y) : GameMode_OnRightMouseClick(x, y);
    } else if (mode == EditMode) {
        left ? EditMode_OnLeftMouseClick(x, y) : EditMode_OnRightMouseClick(x, y);
    }
    if (drawings == drawn && CursorSquare() != cursorBefore) {
        Redraw();
    }
}

void CNerekuGame::OnClose() {
    if (mode == GameMode) {
        GameMode_SaveLevel();
    }
}

// New: in the editor it empties the board; elsewhere it asks how many
// squares to reveal and makes a random level.
void CNerekuGame::OnNewLevel() {
    if (mode == EditMode) {
        ClearBoard();
        return;
    }
    unsigned char count = kFirstRevealCount;
    if (ui.AskNumber(Text(L"How_many_squares_to_reveal"), Text(L"Generate_random_level"), &count,
                     kFewestRevealed, kMostRevealed)) {
        GameMode_GenerateRandomLevel(count);
    }
}

// Editor: enters the editor with the board as it stands, or leaves it.
void CNerekuGame::OnLevelEditor() {
    if (mode == EditMode) {
        EditMode_Exit();
        return;
    }
    EnterMode(EditMode);
    editChanged = false;
    Redraw();
}

// Restart: in the editor it empties the board; in play it offers the level
// from its start or the saved game.
void CNerekuGame::OnRestartLevel() {
    if (mode == EditMode) {
        ClearBoard();
    } else if (mode == GameMode) {
        const int answer =
            ui.Ask({Text(L"Sure_to_clear_grid"),
                    L"Nereku Sudoku",
                    {Text(L"Restart_level"), Text(L"Load_saved_game"), Text(L"Cancel")}});
        if (answer == 0) {
            GameMode_LoadLevel(false, false);
        } else if (answer == 1) {
            GameMode_LoadLevel(false, true);
        }
    }
}

void CNerekuGame::OnSaveLevel() {
    if (mode == GameMode) {
        GameMode_SaveLevel();
    } else if (mode == EditMode) {
        EditMode_SaveLevel();
    }
}

// Solve: shows the solutions of the board as it stands, in SolveMode.
void CNerekuGame::OnSolveLevel() {
    if (mode != GameMode && mode != EditMode) {
        return;
    }
    EnterMode(SolveMode);
    editChanged = false;
    Redraw();
    SolveLevel();
}

void CNerekuGame::OnAbout() {
    wchar_t text[1024];
    Safe_wcsnprintf(text, 1024, Text(L"About_text"), kVersion);
    if (ui.Ask({text, Text(L"About"), {Text(L"Ok"), Text(L"Go_to_website")}}) == 1) {
        ui.OpenWebsite();
    }
}

// The editor empties the board without a question; the changes stay marked
// as they were. The emptied board starts a new history.
void CNerekuGame::ClearBoard() {
    ResetGrid();
    HideCursor(false);
    ForgetHistory();
    Redraw();
}

// A mode change hides the cursor and starts a new history.
void CNerekuGame::EnterMode(Mode newMode) {
    mode = newMode;
    HideCursor(false);
    ForgetHistory();
    const ModeLook look = LookOf(newMode);
    ui.SetBackgroundColour(look.background);
    ui.SetBanner(look.bannerKey ? Text(look.bannerKey) : nullptr);
}

void CNerekuGame::EnterNoMode() {
    mode = NoMode;
    HideCursor(false);
    ForgetHistory();
    ui.SetBanner(nullptr);
}

void CNerekuGame::Tell(const wchar_t* text) {
    ui.Ask({text, L"Nereku Sudoku", {Text(L"Ok")}});
}
