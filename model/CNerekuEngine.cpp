// The engine's board: a new engine holds the empty grid and an empty
// solution list with its one column.
#include <cstring>

#include "model/CNerekuEngine.h"

CNerekuEngine::CNerekuEngine() {
    solutions.AddColumn(L"Solution");
    ResetGrid();
}

void CNerekuEngine::ResetGrid() {
    for (Square& square : squares) {
        MakeEmptySquare(square);
    }
    std::memset(edgeMasks, 0, sizeof(edgeMasks));
}
