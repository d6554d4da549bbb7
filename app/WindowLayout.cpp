#include "app/WindowLayout.h"

#include <algorithm>

namespace {

constexpr int kButtonSide = 32;
// The gap before each button of the bar: the wider gaps split it into three
// groups (New, Editor | Restart, Save, Delete, Solve | Help, About).
constexpr int kGapBefore[kBarButtonCount] = {0, 20, 40, 20, 20, 20, 40, 20};

LayoutRect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

} // namespace

WindowLayout LayOutWindow(int width, int height, bool noMode, int gridWidth, int gridHeight) {
    WindowLayout layout;
    LayoutRect bar = {10, 0, 10 + kButtonSide, kButtonSide};
    for (int button = 0; button < kBarButtonCount; ++button) {
        if (button > 0) {
            bar.left = bar.right + kGapBefore[button];
            bar.right = bar.left + kButtonSide;
        }
        layout.buttons[button] = bar;
        layout.captions[button] = FromSize(bar.left - 10, bar.bottom, bar.Width() + 20, 15);
    }

    // The banner from the bar's end to 160 pixels short of the right edge
    // (at least 10 wide), then the level list up to 10 pixels from it.
    const int bannerLeft = bar.right;
    const int bannerRight = std::max(width - 160, bannerLeft + 10);
    layout.banner = {bannerLeft, 0, bannerRight, kButtonSide};
    layout.levelList = {bannerRight, 5, std::max(bannerRight, width - 10), std::max(5, height)};

    if (noMode) {
        layout.instructions = FromSize(0, 0, width, height);
    } else {
        layout.gridPlaced = true;
        const int left = (width - gridWidth) / 2;
        const int top = (height - gridHeight - kButtonBandHeight) / 2 + kButtonBandHeight;
        layout.grid = {left, top, left + gridWidth, top + gridHeight};
    }
    layout.version = FromSize(width - 50, height - 12, 50, 12);
    return layout;
}

LayoutRect MainWindowPlacement(int screenWidth, int screenHeight) {
    const int side = 3 * std::min(screenWidth, screenHeight) / 4;
    return FromSize((screenWidth - side) / 2, (screenHeight - side) / 2, side, side);
}
