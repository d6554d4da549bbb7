// The end-to-end tests' window into the running game (see app/TestProbe.h).
#include "app/TestProbe.h"

#include "app/CNerekuSudoku.h"
#include "corvane/LiveObjects.h"

UINT TestProbeMessage() {
    wchar_t value[8];
    if (GetEnvironmentVariableW(kTestProbeVariable, value, 8) == 0) {
        return 0;
    }
    return RegisterWindowMessageW(kTestProbeName);
}

LRESULT CNerekuSudoku::OnProbe(WPARAM what) {
    if (what >= ProbeSquare && what < ProbeSquare + kSquareCount) {
        const Square& square = squares[what - ProbeSquare];
        LRESULT flags = 0;
        for (int d = 0; d < kDigitCount; ++d) {
            flags |= square.possible[d] ? LRESULT{1} << d : 0;
        }
        return LRESULT{square.fixed} << 24 | LRESULT{square.number} << 16 | flags;
    }
    if (what >= ProbeMask && what < ProbeMask + kSquareCount) {
        return edgeMasks[what - ProbeMask];
    }
    switch (what) {
    case ProbePaintings:
        return counters.paintings;
    case ProbeGridDrawings:
        return counters.gridDrawings;
    case ProbeMode:
        return mode;
    case ProbeSquareSize:
        return squareSize;
    case ProbeEditChanged:
        return editChanged;
    case ProbeLiveGdiObjects:
        return corvane::LiveGdiObjects();
    case ProbeLiveUserObjects:
        return corvane::LiveUserObjects();
    case ProbeLevelHasEdges:
        return LevelHasEdges();
    case ProbeDrawGridMicroseconds:
        return counters.drawGridMicroseconds;
    case ProbeNestedEraseRequests: {
        const long before = counters.paintings;
        nestedEraseRequests = 3;
        SendMessageW(mainWindow, WM_ERASEBKGND, 0, 0);
        nestedEraseRequests = 0;
        return counters.paintings - before;
    }
    case ProbeMouseUps:
        return counters.mouseUps;
    case ProbeKeys:
        return counters.keys;
    case ProbeCursor:
        return CursorSquare();
    case ProbeWaitCursors:
        return counters.waitCursors;
    case ProbeCommands:
        return counters.commands;
    default:
        return -1;
    }
}
