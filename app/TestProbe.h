// The probe through which the end-to-end tests read the running game's
// state: a registered window message, answered only when the program was
// started with the environment variable NEREKU_TEST_PROBE set. Without it the
// game neither registers nor answers the message.
//
//   SendMessage(window, RegisterWindowMessageW(kTestProbeName), what, 0)
#pragma once

constexpr const wchar_t* kTestProbeName = L"NerekuSudoku.TestProbe";
constexpr const wchar_t* kTestProbeVariable = L"NEREKU_TEST_PROBE";

enum TestProbeQuery : unsigned {
    ProbePaintings = 1,    // compositions of the window so far
    ProbeGridDrawings = 2, // DrawGrid calls so far
    ProbeMode = 3,
    ProbeSquareSize = 4,
    ProbeEditChanged = 5,
    ProbeLiveGdiObjects = 6, // GDI objects held by the class library's owners
    ProbeLevelHasEdges = 7,
    // Mouse button releases and button commands that the window has begun to
    // handle: once the count has moved past a click, that click's handler
    // has run, or is showing a dialog.
    ProbeMouseUps = 8,
    ProbeCommands = 9,
    ProbeLiveUserObjects = 10,      // icons held by the class library's owners
    ProbeDrawGridMicroseconds = 11, // the last DrawGrid, its composition included
    // Sends the window one erase request, during whose painting three more
    // arrive; answers how many paintings that caused.
    ProbeNestedEraseRequests = 12,
    ProbeKeys = 13,        // the game's keys that the window has begun to handle
    ProbeCursor = 14,      // the keyboard cursor's square, -1 while hidden
    ProbeWaitCursors = 15, // busy work that showed the wait cursor, so far
    // ProbeSquare + i (0 to 80): square i as fixed << 24 | number << 16 |
    // the candidate flags as bits 0 to 8.
    ProbeSquare = 0x100,
    // ProbeMask + i: the sign mask of square i.
    ProbeMask = 0x200,
};

#ifdef _WIN32
#include <windows.h>
// The probe's message when the tests switched it on, else 0.
UINT TestProbeMessage();
#endif
