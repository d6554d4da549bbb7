// The keyboard, in play and in the editor: a cursor that the arrows move,
// digits and the erasing keys on the cursor's square, Ctrl with a digit or an
// arrow for what the right button does, undo and redo of the board's
// changes, and the hint. Each key does exactly what the click it stands for
// does, sound and win check included. In NoMode and SolveMode keys do
// nothing.
#include <algorithm>
#include <iterator>

#include "Guarded.h"
#include "game/CNerekuGame.h"
#include "solver/Hint.h"

void CNerekuGame::OnKey(const GameKey& key) {
    NEREKU_GUARDED([&] {
        if (mode != GameMode && mode != EditMode) {
            return;
        }
        switch (key.kind) {
        case GameKey::Arrow:
            if (key.control && mode == EditMode) {
                EditorKey(key);
            } else if (!key.control) {
                MoveCursor(key.direction);
            }
            break;
        case GameKey::Undo:
        case GameKey::Redo:
            UndoOrRedo(key.kind == GameKey::Undo);
            break;
        case GameKey::Hint:
            if (mode == GameMode) {
                ShowHint();
            }
            break;
        default:
            if (mode == GameMode) {
                PlayKey(key);
            } else {
                EditorKey(key);
            }
            break;
        }
    });
}

// The first arrow only shows the cursor; the others move it, up to the
// board's edges.
void CNerekuGame::MoveCursor(SignDirectionIndex direction) {
    if (!cursorShown) {
        cursorShown = true;
        Redraw();
        return;
    }
    // Up, right, down, left, as SignDirectionIndex counts them.
    constexpr int kRowStep[] = {-1, 0, 1, 0};
    constexpr int kColumnStep[] = {0, 1, 0, -1};
    const int row = std::clamp(RowOf(cursorSquare) + kRowStep[direction], 0, 8);
    const int column = std::clamp(ColumnOf(cursorSquare) + kColumnStep[direction], 0, 8);
    if (SquareIndex(row, column) != cursorSquare) {
        cursorSquare = SquareIndex(row, column);
        Redraw();
    }
}

bool CNerekuGame::CursorReady() {
    if (cursorShown) {
        return true;
    }
    cursorShown = true;
    Redraw();
    return false;
}

// In play: a digit writes it (a given stays), as a left click writes; the
// erasing keys take back a number the player wrote, as a left click on it
// does; Ctrl with a digit strikes or restores that candidate, as a right
// click on its cell does.
void CNerekuGame::PlayKey(const GameKey& key) {
    if (!CursorReady()) {
        return;
    }
    Square& square = squares[cursorSquare];
    if (square.fixed == 1) {
        return;
    }
    const BoardState before = Board();
    if (key.kind == GameKey::Erase) {
        if (square.number != 0) {
            MakeEmptySquare(square);
        }
    } else if (key.kind == GameKey::Digit && key.digit >= 1 && key.digit <= kDigitCount) {
        if (key.control) {
            PlayerToggleCandidate(cursorSquare, key.digit);
        } else {
            SetSquareToDigit(square, static_cast<unsigned char>(key.digit));
        }
    }
    if (!RecordChange(before)) {
        return;
    }
    editChanged = true;
    Redraw();
    if (key.kind != GameKey::Erase) { // a left click that erases makes no sound
        ui.PlayGameSound(GameSound::Click);
    }
    if (square.number > 0) {
        CheckForWin();
    }
}

// In the editor: a digit writes it over whatever the square holds, the
// erasing keys empty the square, and Ctrl with an arrow steps the sign on
// that side of the cursor's square, as a right click near that side does.
void CNerekuGame::EditorKey(const GameKey& key) {
    if (!CursorReady()) {
        return;
    }
    const BoardState before = Board();
    Square& square = squares[cursorSquare];
    if (key.kind == GameKey::Arrow) {
        EditorStepSign(cursorSquare, key.direction); // nothing across a block border
        editChanged = true;
    } else if (key.kind == GameKey::Erase) {
        if (square.number != 0) {
            MakeEmptySquare(square);
        }
    } else if (key.kind == GameKey::Digit && !key.control && key.digit >= 1 &&
               key.digit <= kDigitCount) {
        SetSquareToDigit(square, static_cast<unsigned char>(key.digit));
    }
    if (RecordChange(before)) {
        editChanged = true;
    }
    Redraw();
}

void CNerekuGame::UndoOrRedo(bool undo) {
    BoardState board = Board();
    if (!(undo ? history.Undo(board) : history.Redo(board))) {
        return;
    }
    SetBoard(board);
    editChanged = true;
    Redraw();
}

// The hint names a square: the cursor goes there. The board stays as it is.
void CNerekuGame::ShowHint() {
    const Hint hint = FindHint(*this, ui.Texts());
    if (hint.square >= 0 && hint.square < kSquareCount) {
        cursorSquare = hint.square;
        cursorShown = true;
    }
    Redraw();
    Tell(hint.text.c_str());
}

void CNerekuGame::HideCursor(bool forgetClicks) {
    cursorShown = false;
    if (forgetClicks) {
        cursorSquare = 40;
    }
}

void CNerekuGame::NoteClickedSquare(short x, short y) {
    const GridHit hit = HitTest(x, y);
    if ((mode == GameMode || mode == EditMode) && hit.kind == GridHit::OnSquare) {
        cursorSquare = hit.Index();
    }
}

BoardState CNerekuGame::Board() const {
    BoardState board;
    std::copy(std::begin(squares), std::end(squares), board.squares);
    std::copy(std::begin(edgeMasks), std::end(edgeMasks), board.edgeMasks);
    return board;
}

void CNerekuGame::SetBoard(const BoardState& board) {
    std::copy(std::begin(board.squares), std::end(board.squares), squares);
    std::copy(std::begin(board.edgeMasks), std::end(board.edgeMasks), edgeMasks);
    UpdateLevelHasEdges();
}

bool CNerekuGame::RecordChange(const BoardState& before) {
    if (Board() == before) {
        return false;
    }
    history.Record(before);
    return true;
}

void CNerekuGame::Redraw() {
    ++drawings;
    ui.DrawGrid();
}
