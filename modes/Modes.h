// The four modes of the main window and how each one looks: the window's
// background, the grid's fill (the background lightened by 32 in every
// channel) and the key of the banner text.
#pragma once

#include <cstdint>

enum Mode : uint32_t {
    NoMode = 0,    // no level: the instructions cover the window
    GameMode = 1,  // a level in play
    EditMode = 2,  // the level editor
    SolveMode = 3, // a solution shown by the solver
};

// Colours are 0x00BBGGRR.
constexpr uint32_t kNoModeColour = 0x808080;
constexpr uint32_t kGameModeColour = 0xA06040;
constexpr uint32_t kEditModeColour = 0x40805C;
constexpr uint32_t kSolveModeColour = 0xA06080;

struct ModeLook {
    uint32_t background;
    uint32_t gridFill;
    const wchar_t* bannerKey; // null: no banner
};

constexpr ModeLook LookOf(uint32_t mode) {
    switch (mode) {
    case GameMode:
        return {kGameModeColour, 0xC08060, L"Game_mode_notifier"};
    case EditMode:
        return {kEditModeColour, 0x60A07C, L"Edit_mode_notifier"};
    case SolveMode:
        return {kSolveModeColour, 0xC080A0, L"Solve_mode_notifier"};
    default:
        return {kNoModeColour, 0x808080, nullptr};
    }
}
