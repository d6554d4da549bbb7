#include "game/BoardHistory.h"

#include <cstring>

bool BoardState::operator==(const BoardState& other) const {
    return std::memcmp(squares, other.squares, sizeof squares) == 0 &&
           std::memcmp(edgeMasks, other.edgeMasks, sizeof edgeMasks) == 0;
}

void BoardHistory::Clear() {
    undo.clear();
    redo.clear();
}

void BoardHistory::Record(const BoardState& before) {
    if (undo.size() == kMostSteps) {
        undo.pop_front();
    }
    undo.push_back(before);
    redo.clear();
}

namespace {

// Moves the board as it stands onto `to` and the last board of `from` onto
// it: an undo or a redo. False, with nothing moved, when `from` is empty.
bool SwapLast(std::deque<BoardState>& from, std::deque<BoardState>& to, BoardState& board) {
    if (from.empty()) {
        return false;
    }
    to.push_back(board);
    board = from.back();
    from.pop_back();
    return true;
}

} // namespace

bool BoardHistory::Undo(BoardState& board) {
    return SwapLast(undo, redo, board);
}

bool BoardHistory::Redo(BoardState& board) {
    return SwapLast(redo, undo, board);
}
