// The level library as the window shows it: the level list, loading a level
// or its saved game (with the offer to continue), saving the game in play,
// deleting a level, and choosing a level in the list. Levels lie in "Levels"
// beside the program, the game in play of each under the same name in
// "Saves".
#include <windows.h>

#include "Guarded.h"
#include "LevelNames.h"
#include "app/CNerekuSudoku.h"
#include "corvane/CMessageBox.h"
#include "corvane/Files.h"
#include "corvane/StringHelpers.h"
#include "corvane/Win32Helpers.h"

namespace {

const wchar_t* const kLevels = L"Levels";
const wchar_t* const kSaves = L"Saves";
constexpr int kMostListed = 512;
constexpr int kChosenNameLength = 128;

} // namespace

void CNerekuSudoku::UpdateLevelsCombo(const wchar_t* select) {
    NEREKU_GUARDED([&] {
        wchar_t folder[kPathLength];
        MakeFolderPath(folder, dataDirectory, kLevels);
        SendMessageW(levelsCombo, CB_RESETCONTENT, 0, 0);
        // The list sorts its entries itself, ignoring case.
        auto names = std::make_unique<wchar_t[][MAX_PATH]>(kMostListed);
        const int count = GetFilesFromDir(folder, names.get(), kMostListed, L"*.lvl");
        for (int i = 0; i < count; ++i) {
            wchar_t name[MAX_PATH];
            if (LevelNameOfFile(names[i], name, MAX_PATH)) {
                SendMessageW(levelsCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            }
        }
        SelectInLevelsCombo(select != nullptr ? select : levelName);
    });
}

void CNerekuSudoku::SelectInLevelsCombo(const wchar_t* name) {
    const LRESULT found = SendMessageW(levelsCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name));
    SendMessageW(levelsCombo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void CNerekuSudoku::GameMode_LoadLevel(bool askToContinue, bool loadSavedGame) {
    NEREKU_GUARDED([&] {
        ResetGrid();
        const wchar_t* folder = kLevels;
        if (askToContinue || loadSavedGame) {
            ReadLevelsComboText(levelName, kLevelNameLength);
            wchar_t saved[kPathLength];
            if (MakeLevelPath(saved, dataDirectory, kSaves, levelName) && FileExists(saved)) {
                if (askToContinue) {
                    CMessageBox box(this, nullptr, nullptr);
                    const int answer =
                        box.ShowDialog(Text(L"Continue_saved_game"), L"Nereku_sudoku", 2,
                                       Text(L"Yes"), Text(L"No"));
                    folder = answer == 0 ? kSaves : kLevels;
                } else {
                    folder = kSaves;
                }
            }
        }
        wchar_t path[kPathLength];
        const bool read =
            MakeLevelPath(path, dataDirectory, folder, levelName) && ReadGridFile(path);
        if (read) {
            mode = GameMode;
            txtModeNotifier.SetText(Text(L"Game_mode_notifier"));
            editChanged = false;
            // The player's candidate marks start without the digits already
            // placed in each row, column and block.
            SolveLevel_MarkOffNeighboursOfDeterminedNumbers();
            DrawGrid();
            SetBackgroundColour(kGameModeColour);
            DrawGrid();
            return;
        }
        // Nothing could be read: back to no level, with an empty board.
        ResetGrid();
        EnterNoMode();
        SendMessageW(levelsCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetBackgroundColour(kNoModeColour);
        DrawGrid();
    });
}

// The game in play goes to "Saves" under the level's name. A save that fails
// leaves the previous saved game as it was and the changes marked unsaved.
void CNerekuSudoku::GameMode_SaveLevel() {
    NEREKU_GUARDED([&] {
        wchar_t path[kPathLength];
        if (MakeLevelPath(path, dataDirectory, kSaves, levelName) && WriteGridFile(path)) {
            editChanged = false;
        }
    });
}

void CNerekuSudoku::DeleteLevel() {
    NEREKU_GUARDED([&] {
        ReadLevelsComboText(levelName, kLevelNameLength);
        if (levelName[0] == L'\0') {
            return;
        }
        wchar_t question[1024];
        Safe_wcsnprintf(question, 1024, Text(L"Sure_to_delete_level"), levelName);
        CMessageBox box(this, nullptr, nullptr);
        if (box.ShowDialog(question, Text(L"Delete_level_icon"), 2, Text(L"Delete_level_icon"),
                           Text(L"Cancel")) != 0) {
            return;
        }
        for (const wchar_t* folder : {kLevels, kSaves}) {
            wchar_t path[kPathLength];
            if (MakeLevelPath(path, dataDirectory, folder, levelName)) {
                DeleteFileW(path);
            }
        }
        UpdateLevelsCombo(nullptr);
        EnterNoMode();
        DrawGrid();
    });
}

// A level chosen in the list. In play the game of the level left is saved
// first; in the editor, unsaved changes may be saved first.
void CNerekuSudoku::OnLevelChosen() {
    NEREKU_GUARDED([&] {
        wchar_t chosen[kChosenNameLength];
        ReadLevelsComboText(chosen, kChosenNameLength);
        const bool another = Safe_wcsicmp(chosen, levelName) != 0;
        if (mode == GameMode && another) {
            GameMode_SaveLevel();
        } else if (mode == EditMode && another && editChanged) {
            CMessageBox box(this, nullptr, nullptr);
            if (box.ShowDialog(Text(L"Save_the_level"), Text(L"Edit_mode"), 2, Text(L"Save"),
                               Text(L"Don't_save")) == 0) {
                // The save proposes the name of the level being edited, not
                // the one just chosen, which a hasty OK would overwrite; the
                // chosen level is the one loaded afterwards.
                SelectInLevelsCombo(levelName);
                EditMode_SaveLevel();
                SelectInLevelsCombo(chosen);
            }
        }
        GameMode_LoadLevel(true, false);
    });
}
