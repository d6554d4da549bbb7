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

bool BoardHistory::Undo(BoardState& board) {
    if (undo.empty()) {
        return false;
    }
    redo.push_back(board);
    board = undo.back();
    undo.pop_back();
    return true;
}

bool BoardHistory::Redo(BoardState& board) {
    if (redo.empty()) {
        return false;
    }
    undo.push_back(board);
    board = redo.back();
    redo.pop_back();
    return true;
}
