// A random level: a plain sudoku (no signs) with the chosen number of squares
// revealed, made in the editor's colours, then named and stored like a level
// from the editor. Cancelling the name leaves no level behind.
#include <windows.h>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"

void CNerekuSudoku::GameMode_GenerateRandomLevel(unsigned char count) {
    NEREKU_GUARDED([&] {
        if (count > kSquareCount) {
            return; // more squares than the board has could never be revealed
        }
        EnterMode(EditMode);
        editChanged = false;
        if (!GenerateRandomGrid(count)) {
            return;
        }
        editChanged = false;
        DrawGrid();
        if (EditMode_SaveLevel()) {
            EnterMode(GameMode);
        } else {
            EnterNoMode(); // the generated board stays in memory, undrawn
        }
        DrawGrid();
    });
}
