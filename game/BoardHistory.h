// BoardHistory: the changes to the board since it was loaded, to be taken
// back (undo) and done again (redo). A change is what one click or one key
// did: the board before it is kept, and the board after it is what an undo
// leaves behind for a redo. Only the numbers, candidates and signs are kept;
// the history never touches files.
#pragma once

#include <cstddef>
#include <deque>

#include "Grid.h"

// The board as the history keeps it.
struct BoardState {
    Square squares[kSquareCount];
    EdgeMask edgeMasks[kSquareCount];

    bool operator==(const BoardState& other) const;
    bool operator!=(const BoardState& other) const { return !(*this == other); }
};

class BoardHistory {
public:
    // The oldest change is forgotten beyond this many (about 4 MB).
    static constexpr size_t kMostSteps = 4096;

    void Clear();
    // A change was made to a board that stood as `before`: it can be taken
    // back; what could be done again is forgotten.
    void Record(const BoardState& before);
    // Takes back the last change: `board`, the board as it stands, becomes
    // the board before that change. False, with `board` as it was, when there
    // is nothing to take back.
    bool Undo(BoardState& board);
    // Does the last change taken back again; false when there is none.
    bool Redo(BoardState& board);

    size_t UndoSteps() const { return undo.size(); }
    size_t RedoSteps() const { return redo.size(); }

private:
    std::deque<BoardState> undo;
    std::deque<BoardState> redo;
};
