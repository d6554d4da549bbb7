// A random level: a plain sudoku (no signs) with the chosen number of squares
// revealed, made in the editor's colours, then named and stored like a level
// from the editor. Cancelling the name leaves no level behind.
#include "Guarded.h"
#include "game/CNerekuGame.h"

void CNerekuGame::GameMode_GenerateRandomLevel(unsigned char count) {
    NEREKU_GUARDED([&] {
        if (count > kSquareCount) {
            return; // more squares than the board has could never be revealed
        }
        EnterMode(EditMode);
        HideCursor(true);
        editChanged = false;
        bool made = false;
        ui.RunBusy([&] { made = GenerateRandomGrid(count); });
        editChanged = false;
        Redraw();
        if (!made) {
            return; // the editor shows what is left of the board
        }
        if (EditMode_SaveLevel()) {
            EnterMode(GameMode);
        } else {
            EnterNoMode(); // the generated board stays in memory, undrawn
        }
        Redraw();
    });
}
