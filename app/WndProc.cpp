// The window procedure: a table from each message to one handler. Button
// clicks arrive as WM_NOTIFY from the picture buttons, a choice in the level
// list as CBN_SELENDOK, grid clicks as button releases that go to the
// handlers of the current mode.
#include <windows.h>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "app/EraseRequests.h"
#include "corvane/StringHelpers.h"

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
        const short x = static_cast<short>(LOWORD(lParam));
        const short y = static_cast<short>(HIWORD(lParam));
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
        case WM_ERASEBKGND:
            OnEraseRequest();
            return 1;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == CWndButton::ClickNotification && IsButton(header->hwndFrom)) {
                ++counters.commands;
                OnButton(header->hwndFrom);
                SetFocus(mainWindow);
                return 0;
            }
            break;
        }
        case WM_KEYUP:
            if (wParam == VK_F1) {
                OpenHelp();
                return 0;
            }
            break;
        case WM_COMMAND:
            switch (HIWORD(wParam)) {
            case CBN_KILLFOCUS:
            case CBN_CLOSEUP:
            case CBN_SELENDCANCEL:
                SetFocus(mainWindow);
                return 0;
            case CBN_SELENDOK:
                if (reinterpret_cast<HWND>(lParam) == levelsCombo) {
                    ++counters.commands;
                    OnLevelChosen();
                    return 0;
                }
                break;
            }
            break;
        case WM_LBUTTONUP:
            ++counters.mouseUps;
            if (mode == GameMode) {
                GameMode_OnLeftMouseClick(x, y);
            } else if (mode == EditMode) {
                EditMode_OnLeftMouseClick(x, y);
            }
            return 0;
        case WM_RBUTTONUP:
            ++counters.mouseUps;
            if (mode == GameMode) {
                GameMode_OnRightMouseClick(x, y);
            } else if (mode == EditMode) {
                EditMode_OnRightMouseClick(x, y);
            }
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

// Closing in play keeps the game in "Saves" without a question.
void CNerekuSudoku::OnDestroy() {
    if (mode == GameMode) {
        GameMode_SaveLevel();
    }
    windowReady = false;
    quitRequested = true;
    PostQuitMessage(0);
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

bool CNerekuSudoku::IsButton(HWND window) {
    for (const ButtonPicture& entry : ButtonPictures()) {
        if (window != nullptr && window == entry.button->GetWindow()) {
            return true;
        }
    }
    return false;
}

// The command of a picture button.
void CNerekuSudoku::OnButton(HWND button) {
    if (button == btnNewLevel.GetWindow()) {
        OnNewLevel();
    } else if (button == btnLevelEditor.GetWindow()) {
        OnLevelEditor();
    } else if (button == btnRestartLevel.GetWindow()) {
        OnRestartLevel();
    } else if (button == btnSaveLevel.GetWindow()) {
        OnSaveLevel();
    } else if (button == btnSolveLevel.GetWindow()) {
        OnSolveLevel();
    } else if (button == btnDeleteLevel.GetWindow()) {
        DeleteLevel();
    } else if (button == btnHelp.GetWindow()) {
        OpenHelp();
    } else if (button == btnAbout.GetWindow()) {
        OnAbout();
    }
}
