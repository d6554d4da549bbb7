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
        CWndButton* const buttons[kBarButtonCount] = {
            &btnNewLevel,    &btnLevelEditor, &btnRestartLevel, &btnSaveLevel,
            &btnDeleteLevel, &btnSolveLevel,  &btnHelp,         &btnAbout};
        CTextCtrl* const captions[kBarButtonCount] = {
            &txtNewLevel,    &txtLevelEditor, &txtRestartLevel, &txtSaveLevel,
            &txtDeleteLevel, &txtSolveLevel,  &txtHelp,         &txtAbout};

        HDWP batch = BeginDeferWindowPos(6);
        for (int k = 0; k < kBarButtonCount; ++k) {
            Defer(batch, buttons[k]->GetWindow(), layout.buttons[k]);
            captions[k]->SetDrawingRect(ToRect(layout.captions[k]));
        }
        txtModeNotifier.SetDrawingRect(ToRect(layout.banner));
        Defer(batch, levelsCombo, layout.levelList);
        txtInstructions.SetDrawingRect(ToRect(layout.instructions));
        if (layout.gridPlaced) {
            gridPicture.SetDrawingRect(ToRect(layout.grid));
        }
        txtVersion.SetDrawingRect(ToRect(layout.version));
        if (batch != nullptr) {
            EndDeferWindowPos(batch);
        }
    });
}

void CNerekuSudoku::UpdateStatusBar(HWND control) {
    NEREKU_GUARDED([&] {
        if (toolTip == nullptr || control == nullptr) {
            return;
        }
        const struct {
            const CWndButton& button;
            const wchar_t* key;
        } tips[] = {{btnNewLevel, L"Btn_new_level_tooltip"},
                    {btnRestartLevel, L"Btn_restart_level_tooltip"},
                    {btnSaveLevel, L"Btn_save_level_tooltip"},
                    {btnDeleteLevel, L"Btn_delete_level_tooltip"},
                    {btnSolveLevel, L"Btn_solve_level_tooltip"},
                    {btnLevelEditor, L"Btn_level_editor_tooltip"},
                    {btnHelp, L"Btn_help_tooltip"},
                    {btnAbout, L"Btn_about_tooltip"}};
        for (const auto& tip : tips) {
            if (tip.button.GetWindow() == control) {
                toolTip->ShowToolTip(Text(tip.key), mainWindow, control);
                return;
            }
        }
    });
}
