// The level library: the level list, loading a level or its saved game (with
// the offer to continue), keeping the game in play, deleting a level, and
// choosing a level in the list. Levels lie in "Levels" in the data folder,
// the game in play of each under the same name in "Saves".
#include <memory>

#include "Guarded.h"
#include "LevelNames.h"
#include "corvane/Files.h"
#include "corvane/StringHelpers.h"
#include "game/CNerekuGame.h"

namespace {

const wchar_t* const kLevels = L"Levels";
const wchar_t* const kSaves = L"Saves";
constexpr int kMostListed = 512;

} // namespace

void CNerekuGame::OpenDataFolder(const wchar_t* folder) {
    Safe_wcsncpy(dataDirectory, folder, kPathLength);
    for (const wchar_t* name : {kLevels, kSaves}) {
        wchar_t path[kPathLength];
        if (MakeFolderPath(path, dataDirectory, name) && !DirectoryExists(path)) {
            MakeDirectory(path); // a folder the player may not write: nothing is kept
        }
    }
}

// A file whose name is longer than a level name can be, or that has no name
// before ".lvl", is left out: the game could neither load it under its own
// name nor keep its game.
void CNerekuGame::UpdateLevelsCombo(const wchar_t* select) {
    NEREKU_GUARDED([&] {
        wchar_t folder[kPathLength];
        MakeFolderPath(folder, dataDirectory, kLevels);
        auto files = std::make_unique<wchar_t[][kFileNameLength]>(kMostListed);
        const int count = GetFilesFromDir(folder, files.get(), kMostListed, L"*.lvl");
        std::vector<std::wstring> names;
        for (int i = 0; i < count; ++i) {
            wchar_t name[kLevelNameLength];
            if (LevelNameOfFile(files[i], name, kLevelNameLength) && name[0] != L'\0') {
                names.emplace_back(name);
            }
        }
        ui.FillLevelList(names);
        ui.SelectLevel(select != nullptr ? select : levelName);
    });
}

void CNerekuGame::ReadSelectedLevel() {
    Safe_wcsncpy(levelName, ui.SelectedLevel().c_str(), kLevelNameLength);
}

void CNerekuGame::GameMode_LoadLevel(bool askToContinue, bool loadSavedGame) {
    NEREKU_GUARDED([&] {
        ResetGrid();
        HideCursor(true);
        ForgetHistory();
        const wchar_t* folder = kLevels;
        if (askToContinue || loadSavedGame) {
            ReadSelectedLevel();
            wchar_t saved[kPathLength];
            if (MakeLevelPath(saved, dataDirectory, kSaves, levelName) && FileExists(saved)) {
                if (askToContinue) {
                    const int answer = ui.Ask({Text(L"Continue_saved_game"),
                                               L"Nereku_sudoku",
                                               {Text(L"Yes"), Text(L"No")}});
                    folder = answer == 0 ? kSaves : kLevels;
                } else {
                    folder = kSaves;
                }
            }
        }
        wchar_t path[kPathLength];
        if (MakeLevelPath(path, dataDirectory, folder, levelName) && ReadGridFile(path)) {
            mode = GameMode;
            ui.SetBanner(Text(L"Game_mode_notifier"));
            editChanged = false;
            // The player's candidate marks start without the digits already
            // placed in each row, column and block.
            SolveLevel_MarkOffNeighboursOfDeterminedNumbers();
            Redraw();
            ui.SetBackgroundColour(kGameModeColour);
            Redraw();
            return;
        }
        // Nothing could be read: back to no level, with an empty board.
        ResetGrid();
        EnterNoMode();
        ui.SelectLevel(nullptr);
        ui.SetBackgroundColour(kNoModeColour);
        Redraw();
    });
}

// A game is kept under its level's name; a board that came from no level
// (the editor opened on no level and left again) has none, and is not kept.
// A save that fails leaves the previous saved game as it was and the changes
// marked unsaved.
void CNerekuGame::GameMode_SaveLevel() {
    NEREKU_GUARDED([&] {
        wchar_t path[kPathLength];
        if (levelName[0] != L'\0' && MakeLevelPath(path, dataDirectory, kSaves, levelName) &&
            WriteGridFile(path)) {
            editChanged = false;
        }
    });
}

// The question's default answer is "Cancel": no key press alone deletes.
void CNerekuGame::DeleteLevel() {
    NEREKU_GUARDED([&] {
        ReadSelectedLevel();
        if (levelName[0] == L'\0') {
            return;
        }
        wchar_t question[1024];
        Safe_wcsnprintf(question, 1024, Text(L"Sure_to_delete_level"), levelName);
        const int answer = ui.Ask({question,
                                   Text(L"Delete_level_icon"),
                                   {Text(L"Delete_level_icon"), Text(L"Cancel")},
                                   1});
        if (answer != 0) {
            return;
        }
        for (const wchar_t* folder : {kLevels, kSaves}) {
            wchar_t path[kPathLength];
            if (MakeLevelPath(path, dataDirectory, folder, levelName)) {
                RemoveFile(path);
            }
        }
        UpdateLevelsCombo(nullptr);
        EnterNoMode();
        Redraw();
    });
}

// In play the game of the level left is kept first. In the editor, unsaved
// changes may be saved first; a save that does not happen (the name
// cancelled, or the file not written) keeps the editor open with its board
// and changes, and the list shows the edited level again.
void CNerekuGame::OnLevelChosen() {
    const std::wstring chosen = ui.SelectedLevel();
    const bool another = Safe_wcsicmp(chosen.c_str(), levelName) != 0;
    if (mode == GameMode && another) {
        GameMode_SaveLevel();
    } else if (mode == EditMode && another && editChanged) {
        const int answer = ui.Ask(
            {Text(L"Save_the_level"), Text(L"Edit_mode"), {Text(L"Save"), Text(L"Don't_save")}});
        if (answer == 0) {
            // The save proposes the name of the level being edited, not the
            // one just chosen, which a hasty OK would overwrite.
            ui.SelectLevel(levelName);
            if (!EditMode_SaveLevel()) {
                ui.SelectLevel(levelName);
                return;
            }
            ui.SelectLevel(chosen.c_str());
        }
    }
    GameMode_LoadLevel(true, false);
}
