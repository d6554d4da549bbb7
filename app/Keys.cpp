// The keyboard: the game's keys are taken wherever the keyboard focus is in
// the main window, before the focused control sees them, so that the arrows
// move the grid's cursor rather than the level list's choice. The list keeps
// its own keys only while it is dropped down. Keys the game has no use for
// (Tab, Enter, Space, F4, Alt with anything) go on as usual.
#include <windows.h>

#include "app/CNerekuSudoku.h"

namespace {

bool Held(int key) {
    return GetKeyState(key) < 0;
}

// The game's key for a virtual key, with Ctrl and Shift as held; false for a
// key the game does not take.
bool GameKeyOf(WPARAM virtualKey, bool control, bool shift, GameKey* key) {
    const int code = static_cast<int>(virtualKey);
    key->control = control;
    switch (code) {
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LEFT: {
        const SignDirectionIndex directions[] = {kLeft, kUp, kRight, kDown};
        key->kind = GameKey::Arrow;
        key->direction = directions[code - VK_LEFT];
        return true;
    }
    case VK_DELETE:
    case VK_BACK:
    case '0':
    case VK_NUMPAD0:
        key->kind = GameKey::Erase;
        return !control;
    case 'Z':
        key->kind = shift ? GameKey::Redo : GameKey::Undo;
        return control;
    case 'Y':
        key->kind = GameKey::Redo;
        return control;
    case 'H':
        key->kind = GameKey::Hint;
        return !control;
    default:
        break;
    }
    if (code >= '1' && code <= '9') {
        key->kind = GameKey::Digit;
        key->digit = code - '0';
        return true;
    }
    if (code >= VK_NUMPAD1 && code <= VK_NUMPAD9) {
        key->kind = GameKey::Digit;
        key->digit = code - VK_NUMPAD0;
        return true;
    }
    return false;
}

} // namespace

bool CNerekuSudoku::OnKeyMessage(const MSG& message) {
    if (message.wParam == VK_F1) {
        // The window procedure has F1 for the window itself; a control that
        // holds the focus passes it on here.
        if (message.message == WM_KEYUP && message.hwnd != mainWindow) {
            OnCommand(GameCommand::Help);
            return true;
        }
        return false;
    }
    if (message.message != WM_KEYDOWN || Held(VK_MENU) ||
        SendMessageW(levelsCombo, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
        return false;
    }
    GameKey key;
    if (!GameKeyOf(message.wParam, Held(VK_CONTROL), Held(VK_SHIFT), &key)) {
        return false;
    }
    ++counters.keys;
    OnKey(key);
    return true;
}
