// CNerekuGame: the game's flow, between the engine and the window. It owns
// the mode, whether the board has unsaved changes, the current level's name
// and the folder of the levels and saved games, and it carries out what the
// player does: the eight commands, a level chosen in the list, the clicks on
// the grid, the keys (with the keyboard cursor, the board's undo history and
// the hint), and closing. It decides every question that is asked and what
// each answer does; the window (GameWindow) only shows and asks.
//
// The application class CNerekuSudoku derives from it, so these operations
// are the game's own members. Nothing here knows of windows: the class is
// built and tested natively with a window that answers from a script.
//
// The operations that the game's design names (GameMode_..., EditMode_...,
// SolveLevel, UpdateLevelsCombo, DeleteLevel) catch every exception and
// report it through OnException (NEREKU_GUARDED); the handlers of the
// window's events are called from a window procedure that does the same.
#pragma once

#include <cstdint>

#include "CNerekuEngine.h"
#include "LevelPaths.h"
#include "Modes.h"
#include "game/BoardHistory.h"
#include "game/GameWindow.h"

// What the eight picture buttons ask for.
enum class GameCommand {
    NewLevel,
    LevelEditor,
    RestartLevel,
    SaveLevel,
    DeleteLevel,
    SolveLevel,
    Help,
    About
};

// A key the game takes, as the window reads it from the keyboard.
struct GameKey {
    enum Kind {
        Arrow, // moves the cursor; with Ctrl, in the editor, steps that side's sign
        Digit, // writes `digit`; with Ctrl, in play, strikes or restores it
        Erase, // Delete, Backspace or 0
        Undo,  // Ctrl+Z
        Redo,  // Ctrl+Y or Ctrl+Shift+Z
        Hint,  // H
    };
    Kind kind = Arrow;
    SignDirectionIndex direction = kUp; // an arrow's
    int digit = 0;                      // 1 to 9
    bool control = false;               // Ctrl held with an arrow or a digit
};

class CNerekuGame : public CNerekuEngine {
public:
    explicit CNerekuGame(GameWindow& gameWindow);

    // ---- Start-up (game/LevelLibrary.cpp).
    // The folder that holds "Levels" and "Saves", which are made when
    // missing; the level list is filled from it. A folder the player may not
    // write still lets the game start.
    void OpenDataFolder(const wchar_t* folder);

    // ---- What the window passes on (game/Events.cpp).
    void OnCommand(GameCommand command);
    // A level chosen in the level list.
    void OnLevelChosen();
    // A mouse button released at (x, y) in the window's client area.
    void OnLeftButtonUp(short x, short y);
    void OnRightButtonUp(short x, short y);
    // The window is closed, or Windows ends the session: the game in play is
    // kept in "Saves", without a question.
    void OnClose();
    // A key (game/Keyboard.cpp). Keys count only in play and in the editor.
    void OnKey(const GameKey& key);

    // ---- The level library (game/LevelLibrary.cpp).
    // Refills the level list from "Levels" and selects `select`, or the
    // current level when null.
    void UpdateLevelsCombo(const wchar_t* select);
    // Loads the current level (or, with either flag, the one selected in the
    // list), or its saved game, and enters GameMode; NoMode when nothing can
    // be read. `askToContinue` offers a saved game; `loadSavedGame` takes it.
    void GameMode_LoadLevel(bool askToContinue, bool loadSavedGame);
    // Keeps the game in play in "Saves" under the level's name.
    void GameMode_SaveLevel();
    // Deletes the level selected in the list and its saved game, once the
    // player confirms.
    void DeleteLevel();

    // ---- Play (game/PlayInput.cpp, game/RandomLevel.cpp).
    void GameMode_OnLeftMouseClick(short x, short y);
    void GameMode_OnRightMouseClick(short x, short y);
    void GameMode_GenerateRandomLevel(unsigned char count);

    // ---- The editor (game/EditorFlow.cpp).
    void EditMode_OnLeftMouseClick(short x, short y);
    void EditMode_OnRightMouseClick(short x, short y);
    // Asks for a name and stores the board as a level; true when written.
    bool EditMode_SaveLevel();
    // Leaves the editor for GameMode, unless the player cancels.
    void EditMode_Exit();

    // ---- The Solve command (game/SolveLevel.cpp).
    void SolveLevel();

    uint32_t GetMode() const { return mode; }
    // The keyboard cursor's square, or -1 while it is hidden.
    int CursorSquare() const { return cursorShown ? cursorSquare : -1; }
    const BoardHistory& History() const { return history; }
    // The board as the history keeps it: numbers, candidates and signs.
    BoardState Board() const;
    bool HasUnsavedChanges() const { return editChanged; }
    const wchar_t* GetLevelName() const { return levelName; }

protected:
    // The text of a key of the string table, in the player's language.
    const wchar_t* Text(const wchar_t* key) { return ui.Texts().Get(key, true); }

    uint32_t mode = NoMode;
    // The board has changes that are not saved.
    bool editChanged = false;
    wchar_t dataDirectory[kPathLength] = L"";
    // The current level's name, without folder or extension.
    wchar_t levelName[kLevelNameLength] = L"";

private:
    // ---- The keys (game/Keyboard.cpp).
    void MoveCursor(SignDirectionIndex direction);
    void PlayKey(const GameKey& key);
    void EditorKey(const GameKey& key);
    void ShowHint();
    void UndoOrRedo(bool undo);
    // A key that changes the square under the cursor; the first one, while
    // the cursor is hidden, only shows it.
    bool CursorReady();
    // Hides the cursor; with `forgetClicks`, the next one starts at the
    // centre (a new board).
    void HideCursor(bool forgetClicks);
    // The square a click on the grid landed on: the cursor's square from now.
    void NoteClickedSquare(short x, short y);

    // Puts back a board the history kept.
    void SetBoard(const BoardState& board);
    // Records a change, when the board no longer stands as `before`; true
    // when it changed.
    bool RecordChange(const BoardState& before);
    // A new board, or one the player did not make move by move: no history.
    void ForgetHistory() { history.Clear(); }

    // Draws the board; counted, so that a click that moves only the cursor
    // still has it drawn once.
    void Redraw();

    // A mouse button released, for the current mode (game/Events.cpp).
    void OnButtonUp(bool left, short x, short y);

    // The buttons' commands (game/Events.cpp).
    void OnNewLevel();
    void OnLevelEditor();
    void OnRestartLevel();
    void OnSaveLevel();
    void OnSolveLevel();
    void OnAbout();

    // Mode changes: the mode, the background colour and the banner together.
    void EnterMode(Mode newMode);
    // NoMode keeps the background colour of the mode before it.
    void EnterNoMode();
    // The board after New or Restart in the editor: no numbers, no signs.
    void ClearBoard();
    // The level list's selection into `levelName`.
    void ReadSelectedLevel();
    // A message box with the fixed caption "Nereku Sudoku" and one "Ok".
    void Tell(const wchar_t* text);
    // The win check after a click that left a number in its square.
    void CheckForWin();
    // Puts solution `row` of the solution list on the board and draws it.
    void ShowSolution(int row);
    GridHit HitTest(short x, short y) { return HitTestGrid(ui.GridOnScreen(), x, y); }

    GameWindow& ui; // the window the game runs in
    BoardHistory history;
    int cursorSquare = 40; // the centre, until a square is clicked
    bool cursorShown = false;
    int drawings = 0;
};
