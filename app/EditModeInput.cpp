// The level editor: the left button writes and erases numbers, the right
// button steps the sign on the side of the square nearest the click; Save
// stores the board under a name the user types, and leaving asks whether to
// save unsaved changes. The editor checks nothing about the level it stores.
#include <windows.h>

#include "Guarded.h"
#include "LevelNames.h"
#include "app/CNerekuSudoku.h"
#include "corvane/CMessageBox.h"
#include "corvane/CValueRequester.h"

void CNerekuSudoku::EditMode_OnLeftMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind == GridHit::OnSquare) {
            EditorWriteOrErase(hit.Index(), hit.CandidateDigit());
            editChanged = true;
        }
        DrawGrid();
    });
}

// A click on a block border changes no sign but still counts as a change.
void CNerekuSudoku::EditMode_OnRightMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind == GridHit::OnSquare) {
            const NearestSide nearest = NearestSideOf(hit);
            if (!nearest.blocked) {
                EditorStepSign(nearest.owner, nearest.side);
            }
            editChanged = true;
        }
        DrawGrid();
    });
}

// Asks for a name (the level list's text is proposed) and writes the board
// as a level, every number a given. False when the user cancels or the file
// cannot be written; a failed write keeps the previous level and the board
// and its changes as they were.
bool CNerekuSudoku::EditMode_SaveLevel() {
    return NEREKU_GUARDED([&] {
        ReadLevelsComboText(levelName, kLevelNameLength);
        CValueRequester requester(this, false, nullptr, 0, 65535, 0, 65535);
        if (!requester.ShowDialog(Text(L"Supply_name_of_level"), Text(L"Save_level"), levelName,
                                  kLevelNameLength)) {
            return false;
        }
        MakeLevelNameSafe(levelName, kLevelNameLength);
        wchar_t path[kPathLength];
        if (!MakeLevelPath(path, dataDirectory, L"Levels", levelName) || !WriteLevelFile(path)) {
            return false;
        }
        editChanged = false;
        UpdateLevelsCombo(levelName);
        return true;
    });
}

void CNerekuSudoku::EditMode_Exit() {
    NEREKU_GUARDED([&] {
        if (editChanged) {
            CMessageBox box(this, nullptr, nullptr);
            const int answer = box.ShowDialog(Text(L"Save_the_level"), Text(L"Edit_mode"), 3,
                                              Text(L"Save"), Text(L"Don't_save"), Text(L"Cancel"));
            if (answer == 2) {
                return; // the editor stays open
            }
            if (answer == 0) {
                EditMode_SaveLevel();
            }
        }
        EnterMode(GameMode);
        DrawGrid();
    });
}
