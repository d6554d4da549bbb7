// The mouse in play: the left button writes or erases a number, the right
// button strikes candidates out or back in; a board that comes out correct is
// greeted with the success sound and a message. A left click beside the grid
// runs the solver.
#include <windows.h>

#include "GridHit.h"
#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "corvane/CMessageBox.h"
#include "resources/resource.h"

void CNerekuSudoku::GameMode_OnLeftMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind == GridHit::Outside) {
            SolveLevel();
            return;
        }
        if (hit.kind != GridHit::OnSquare ||
            !PlayerWriteOrErase(hit.Index(), hit.CandidateDigit())) {
            return; // the grid's far edge, or a given
        }
        editChanged = true;
        DrawGrid();
        if (squares[hit.Index()].number > 0) {
            CheckForWin();
        }
    });
}

void CNerekuSudoku::GameMode_OnRightMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind != GridHit::OnSquare ||
            !PlayerToggleCandidate(hit.Index(), hit.CandidateDigit())) {
            return;
        }
        editChanged = true;
        DrawGrid();
        PlaySoundResource(IDW_CLICK, false);
        if (squares[hit.Index()].number > 0) {
            CheckForWin();
        }
    });
}

// A correct board: the success sound plays on while the message is shown.
// Nothing else changes, so every later click that completes the board again
// is greeted again.
void CNerekuSudoku::CheckForWin() {
    if (!CheckSolution_IsCorrect()) {
        return;
    }
    PlaySoundResource(IDW_SUCCESS, true);
    CMessageBox box(this, nullptr, nullptr);
    box.ShowDialog(Text(L"You_found_the_correct_solution"), L"Nereku Sudoku", 1, Text(L"Ok"));
}
