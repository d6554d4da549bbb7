// The mouse in play: the left button writes or erases a number, the right
// button strikes candidates out or back in; a board that comes out correct is
// greeted with the success sound and a message. A left click beside the grid
// runs the solver.
#include "Guarded.h"
#include "game/CNerekuGame.h"

void CNerekuGame::GameMode_OnLeftMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        if (hit.kind == GridHit::Outside) {
            SolveLevel();
            return;
        }
        const BoardState before = Board();
        if (hit.kind != GridHit::OnSquare ||
            !PlayerWriteOrErase(hit.Index(), hit.CandidateDigit())) {
            return; // the grid's far edge, or a given
        }
        RecordChange(before);
        editChanged = true;
        Redraw();
        if (squares[hit.Index()].number > 0) {
            CheckForWin();
        }
    });
}

void CNerekuGame::GameMode_OnRightMouseClick(short x, short y) {
    NEREKU_GUARDED([&] {
        const GridHit hit = HitTest(x, y);
        const BoardState before = Board();
        if (hit.kind != GridHit::OnSquare ||
            !PlayerToggleCandidate(hit.Index(), hit.CandidateDigit())) {
            return;
        }
        RecordChange(before);
        editChanged = true;
        Redraw();
        ui.PlayGameSound(GameSound::Click);
        if (squares[hit.Index()].number > 0) {
            CheckForWin();
        }
    });
}

// A correct board: the success sound plays on while the message is shown.
// Nothing else changes, so every later click that completes the board again
// is greeted again.
void CNerekuGame::CheckForWin() {
    if (!CheckSolution_IsCorrect()) {
        return;
    }
    ui.PlayGameSound(GameSound::Success);
    Tell(Text(L"You_found_the_correct_solution"));
}
