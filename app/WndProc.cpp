// The window procedure: a table from each message to one handler. Button
// clicks arrive as WM_NOTIFY from the picture buttons, a choice in the level
// list as CBN_SELENDOK, grid clicks as button releases; the game decides what
// each of them does.
#include <windows.h>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "app/EraseRequests.h"

LRESULT CALLBACK CNerekuSudoku::WndProcWrapper(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    // Messages sent while the window is being created come before the
    // object is linked to it: they get the default processing.
    auto* self = reinterpret_cast<CNerekuSudoku*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->WndProc(window, message, wParam, lParam);
}

LRESULT CNerekuSudoku::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return NEREKU_GUARDED([&]() -> LRESULT {
        switch (message) {
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_SIZE:
            OnSize(wParam);
            return 0;
        case WM_CLOSE:
            windowReady = false;
            break;
        case WM_QUERYENDSESSION:
            return TRUE; // the game is kept when the session ends, so it may end
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case WM_ERASEBKGND:
            OnEraseRequest();
            return 1;
        case WM_NOTIFY:
            if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) {
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_F1) {
                OnCommand(GameCommand::Help);
                return 0;
            }
            break;
        case WM_COMMAND:
            if (OnComboBox(HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnMouseUp(message == WM_LBUTTONUP, lParam);
            return 0;
        case WM_EXITSIZEMOVE:
            DrawGrid();
            return 0;
        default:
            if (probeMessage != 0 && message == probeMessage) {
                return OnProbe(wParam);
            }
            break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

// Closing keeps the game in play in "Saves" without a question.
void CNerekuSudoku::OnDestroy() {
    OnClose();
    windowReady = false;
    quitRequested = true;
    PostQuitMessage(0);
}

// Windows logs off or shuts down: the window is never destroyed, so the game
// in play is kept here, as a close keeps it. A session that goes on after all
// keeps everything as it is.
void CNerekuSudoku::OnEndSession(bool ending) {
    if (ending) {
        OnClose();
    }
}

// A click on a picture button: its command. False for any other
// notification, which gets the default processing.
bool CNerekuSudoku::OnNotify(const NMHDR& header) {
    const BarButtonEntry* entry = BarButtonOf(header.hwndFrom);
    if (entry == nullptr || header.code != CWndButton::ClickNotification) {
        return false;
    }
    ++counters.commands;
    OnCommand(entry->command);
    SetFocus(mainWindow);
    return true;
}

// The level list: a choice loads a level; when the list closes or loses the
// focus, the keyboard goes back to the main window. False for anything else.
bool CNerekuSudoku::OnComboBox(WORD notification, HWND control) {
    switch (notification) {
    case CBN_KILLFOCUS:
    case CBN_CLOSEUP:
    case CBN_SELENDCANCEL:
        SetFocus(mainWindow);
        return true;
    case CBN_SELENDOK:
        if (control != levelsCombo) {
            return false;
        }
        ++counters.commands;
        OnLevelChosen();
        return true;
    default:
        return false;
    }
}

// A minimised window is not drawn; restoring or maximising draws it anew.
void CNerekuSudoku::OnSize(WPARAM kind) {
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
        DrawGrid();
    }
}

// Requests that come in while the window is being composed (painting and
// layout send messages of their own) make the running composition run once
// more instead of composing inside it.
void CNerekuSudoku::OnEraseRequest() {
    CoalesceEraseRequest(eraseRequests, [this] {
        OnEraseBackground();
        for (; nestedEraseRequests > 0; --nestedEraseRequests) { // the tests' probe
            SendMessageW(mainWindow, WM_ERASEBKGND, 0, 0);
        }
    });
}

// The position of a mouse message: client coordinates, signed 16-bit each.
void CNerekuSudoku::OnMouseUp(bool left, LPARAM position) {
    ++counters.mouseUps;
    const short x = static_cast<short>(LOWORD(position));
    const short y = static_cast<short>(HIWORD(position));
    if (left) {
        OnLeftButtonUp(x, y);
    } else {
        OnRightButtonUp(x, y);
    }
}
