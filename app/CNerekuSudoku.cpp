// The game object's life: construction with the message loop.
#include "app/CNerekuSudoku.h"

#include "Guarded.h"

CNerekuSudoku::CNerekuSudoku(HINSTANCE moduleInstance)
    : CNerekuGame(static_cast<GameWindow&>(*this)) {
    instance = moduleInstance;
    NEREKU_GUARDED([&] {
        if (!InitializeWindow()) {
            return;
        }
        // Every waiting message is handled, then the thread sleeps until the
        // next one; the pump says when the program is to end.
        while (OperateMessagePump(nullptr)) {
            WaitMessage();
        }
    });
}

CNerekuSudoku::~CNerekuSudoku() = default;
