// The game object's life: construction with the message loop, and the small
// helpers that its operations share (texts, modes, sounds).
#include "app/CNerekuSudoku.h"

#include <mmsystem.h>

#include "GridHit.h"
#include "Guarded.h"

CNerekuSudoku::CNerekuSudoku(HINSTANCE moduleInstance) {
    instance = moduleInstance;
    mode = NoMode;
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

const wchar_t* CNerekuSudoku::Text(const wchar_t* key) const {
    return stringTable ? stringTable->Get(key, true) : key;
}

void CNerekuSudoku::EnterMode(Mode newMode) {
    mode = newMode;
    const ModeLook look = LookOf(newMode);
    SetBackgroundColour(look.background);
    txtModeNotifier.SetText(look.bannerKey ? Text(look.bannerKey) : nullptr);
}

void CNerekuSudoku::EnterNoMode() {
    mode = NoMode;
    txtModeNotifier.SetText(nullptr);
}

void CNerekuSudoku::ReadLevelsComboText(wchar_t* text, int size) const {
    text[0] = L'\0';
    SendMessageW(levelsCombo, WM_GETTEXT, static_cast<WPARAM>(size),
                 reinterpret_cast<LPARAM>(text));
}

void CNerekuSudoku::PlaySoundResource(int id, bool async) const {
    PlaySoundW(MAKEINTRESOURCEW(id), instance, SND_RESOURCE | (async ? SND_ASYNC : 0));
}

GridHit CNerekuSudoku::HitTest(short x, short y) const {
    const RECT& grid = gridPicture.GetDrawingRect();
    return HitTestGrid(grid.left, grid.top, grid.right, grid.bottom, squareSize, x, y);
}
