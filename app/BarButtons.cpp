// The bar of eight picture buttons, in one table: each button with its
// caption, its picture, the keys of its caption and tool tip, and the
// command it gives the game.
#include "app/CNerekuSudoku.h"
#include "resources/resource.h"

// In the bar's order, left to right (as BarButton numbers them).
const CNerekuSudoku::BarButtonEntry CNerekuSudoku::kBarButtons[kBarButtonCount] = {
    {&CNerekuSudoku::btnNewLevel, &CNerekuSudoku::txtNewLevel, IDP_NEW_LEVEL, L"New_level_icon",
     L"Btn_new_level_tooltip", GameCommand::NewLevel},
    {&CNerekuSudoku::btnLevelEditor, &CNerekuSudoku::txtLevelEditor, IDP_LEVEL_EDITOR,
     L"Level_editor_icon", L"Btn_level_editor_tooltip", GameCommand::LevelEditor},
    {&CNerekuSudoku::btnRestartLevel, &CNerekuSudoku::txtRestartLevel, IDP_RESTART_LEVEL,
     L"Restart_level_icon", L"Btn_restart_level_tooltip", GameCommand::RestartLevel},
    {&CNerekuSudoku::btnSaveLevel, &CNerekuSudoku::txtSaveLevel, IDP_SAVE_LEVEL, L"Save_level_icon",
     L"Btn_save_level_tooltip", GameCommand::SaveLevel},
    {&CNerekuSudoku::btnDeleteLevel, &CNerekuSudoku::txtDeleteLevel, IDP_DELETE_LEVEL,
     L"Delete_level_icon", L"Btn_delete_level_tooltip", GameCommand::DeleteLevel},
    {&CNerekuSudoku::btnSolveLevel, &CNerekuSudoku::txtSolveLevel, IDP_SOLVE_LEVEL,
     L"Solve_level_icon", L"Btn_solve_level_tooltip", GameCommand::SolveLevel},
    {&CNerekuSudoku::btnHelp, &CNerekuSudoku::txtHelp, IDP_HELP, L"Help_icon", L"Btn_help_tooltip",
     GameCommand::Help},
    {&CNerekuSudoku::btnAbout, &CNerekuSudoku::txtAbout, IDP_ABOUT, L"About_icon",
     L"Btn_about_tooltip", GameCommand::About},
};

const CNerekuSudoku::BarButtonEntry* CNerekuSudoku::BarButtonOf(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    for (const BarButtonEntry& entry : kBarButtons) {
        if ((this->*entry.button).GetWindow() == window) {
            return &entry;
        }
    }
    return nullptr;
}
