// Placing the controls for the client size, and the buttons' tool tips. The
// positions come from app/WindowLayout.h; here they are handed to the child
// windows (in one deferred batch), the drawn texts and the grid picture.
#include <windows.h>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "app/WindowLayout.h"
#include "corvane/CWndToolTip.h"

namespace {

// Adds a window move to the batch while it lasts: a failed move drops the
// rest of the batch, and the windows stay where they were.
void Defer(HDWP& batch, HWND window, const LayoutRect& place) {
    if (batch != nullptr) {
        batch = DeferWindowPos(batch, window, nullptr, place.left, place.top, place.Width(),
                               place.Height(), 0);
    }
}

// The grid's tool: an id no control's window handle can be.
constexpr UINT_PTR kGridToolTipId = 1;

RECT ToRect(const LayoutRect& place) {
    return {place.left, place.top, place.right, place.bottom};
}

} // namespace

void CNerekuSudoku::SetControlPositions(int width, int height) {
    NEREKU_GUARDED([&] {
        if (!windowReady) {
            return;
        }
        if (width == -1 || height == -1) {
            RECT client = {};
            GetClientRect(mainWindow, &client);
            width = client.right;
            height = client.bottom;
        }
        const WindowLayout layout = LayOutWindow(width, height, mode == NoMode,
                                                 gridPicture.GetWidth(), gridPicture.GetHeight());

        HDWP batch = BeginDeferWindowPos(6);
        for (int k = 0; k < kBarButtonCount; ++k) {
            Defer(batch, (this->*kBarButtons[k].button).GetWindow(), layout.buttons[k]);
            (this->*kBarButtons[k].caption).SetDrawingRect(ToRect(layout.captions[k]));
        }
        txtModeNotifier.SetDrawingRect(ToRect(layout.banner));
        Defer(batch, levelsCombo, layout.levelList);
        txtInstructions.SetDrawingRect(ToRect(layout.instructions));
        if (layout.gridPlaced) {
            gridPicture.SetDrawingRect(ToRect(layout.grid));
        }
        // The grid's tip lists the keys; there is no grid without a mode.
        const RECT gridArea =
            layout.gridPlaced && mode != NoMode ? ToRect(layout.grid) : RECT{0, 0, 0, 0};
        if (toolTip != nullptr && !EqualRect(&gridArea, &gridTipArea)) {
            gridTipArea = gridArea;
            toolTip->ShowAreaToolTip(Text(L"Grid_tooltip"), mainWindow, kGridToolTipId, gridArea);
        }
        txtVersion.SetDrawingRect(ToRect(layout.version));
        if (batch != nullptr) {
            EndDeferWindowPos(batch);
        }
    });
}

void CNerekuSudoku::UpdateStatusBar(HWND control) {
    NEREKU_GUARDED([&] {
        const BarButtonEntry* entry = BarButtonOf(control);
        if (toolTip != nullptr && entry != nullptr) {
            toolTip->ShowToolTip(Text(entry->toolTipKey), mainWindow, control);
        }
    });
}
