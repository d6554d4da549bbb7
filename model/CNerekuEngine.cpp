// The engine's board: a new engine holds the empty grid and an empty
// solution list with its one column.
#include "CNerekuEngine.h"

#include <cstring>

CNerekuEngine::CNerekuEngine() {
    solutions.AddColumn(L"Solution");
    ResetGrid();
}

void CNerekuEngine::ResetGrid() {
    for (Square& square : squares) {
        MakeEmptySquare(square);
    }
    std::memset(edgeMasks, 0, sizeof(edgeMasks));
    levelHasEdges = false;
}

void CNerekuEngine::UpdateLevelHasEdges() {
    levelHasEdges = false;
    for (EdgeMask mask : edgeMasks) {
        levelHasEdges = levelHasEdges || mask != 0;
    }
}
