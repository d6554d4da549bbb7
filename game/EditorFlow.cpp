// The level editor: the left button writes and erases numbers, the right
// button steps the sign on the side of the square nearest the click; Save
// stores the board under a name the player types, and leaving asks whether
// to save unsaved changes. The editor checks nothing about the level it
// stores.
#include "Guarded.h"
#include "LevelNames.h"
#include "game/CNerekuGame.h"

void CNerekuGame::EditMode_OnLeftMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind == GridHit::OnSquare) {
            const BoardState before = Board();
            EditorWriteOrErase(hit.Index(), hit.CandidateDigit());
            RecordChange(before);
            editChanged = true;
        }
        Redraw();
    });
}

// A click on a block border changes no sign but still counts as a change.
void CNerekuGame::EditMode_OnRightMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind == GridHit::OnSquare) {
            const NearestSide nearest = NearestSideOf(hit);
            if (!nearest.blocked) {
                const BoardState before = Board();
                EditorStepSign(nearest.owner, nearest.side);
                RecordChange(before);
            }
            editChanged = true;
        }
        Redraw();
    });
}

// Asks for a name (the level list's selection is proposed) and writes the
// board as a level, every number a given. False when the player cancels,
// gives no name (a file named ".lvl" could never be listed) or the file
// cannot be written; a failed write keeps the previous level, and
// the board and its changes as they were.
bool CNerekuGame::EditMode_SaveLevel() {
    return NEREKU_GUARDED([&] {
        ReadSelectedLevel();
        if (!ui.AskName(Text(L"Supply_name_of_level"), Text(L"Save_level"), levelName,
                        kLevelNameLength)) {
            return false;
        }
        MakeLevelNameSafe(levelName, kLevelNameLength);
        wchar_t path[kPathLength];
        if (levelName[0] == L'\0' || !MakeLevelPath(path, dataDirectory, L"Levels", levelName) ||
            !WriteLevelFile(path)) {
            return false;
        }
        editChanged = false;
        UpdateLevelsCombo(levelName);
        return true;
    });
}

void CNerekuGame::EditMode_Exit() {
    NEREKU_GUARDED([&] {
        if (editChanged) {
            const int answer = ui.Ask({Text(L"Save_the_level"),
                                       Text(L"Edit_mode"),
                                       {Text(L"Save"), Text(L"Don't_save"), Text(L"Cancel")}});
            if (answer == 2) {
                return; // the editor stays open
            }
            if (answer == 0) {
                EditMode_SaveLevel();
            }
        }
        EnterMode(GameMode);
        Redraw();
    });
}
