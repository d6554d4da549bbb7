// Where the main window and its controls go, worked out without a window:
// the window's place on the screen, and for a client area of a given size
// the bar of eight picture buttons with their captions, the mode banner, the
// level list, the instructions, the grid picture and the version text.
//
// The button bar is fixed in pixels; the banner, the level list, the
// instructions, the grid and the version text follow the client size.
#pragma once

#include "render/GridGeometry.h"

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const LayoutRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// The picture buttons in the order of the bar, left to right.
enum BarButton {
    BarNew,
    BarEditor,
    BarRestart,
    BarSave,
    BarDelete,
    BarSolve,
    BarHelp,
    BarAbout,
    kBarButtonCount
};

struct WindowLayout {
    LayoutRect buttons[kBarButtonCount];
    LayoutRect captions[kBarButtonCount];
    LayoutRect banner;
    LayoutRect levelList; // with its drop-down part
    LayoutRect instructions;
    bool gridPlaced = false; // in NoMode the grid keeps its last place
    LayoutRect grid;
    LayoutRect version;
};

// The controls for a client area of width x height. `noMode`: the
// instructions cover the whole area and the grid is not placed; otherwise
// the grid picture of gridWidth x gridHeight pixels is centred below the
// button band. Widths that would come out negative at very small sizes are
// made 0, so that a move of the child windows never fails.
WindowLayout LayOutWindow(int width, int height, bool noMode, int gridWidth, int gridHeight);

// The main window's place: a square, three quarters of the smaller side of
// the screen, centred on it.
LayoutRect MainWindowPlacement(int screenWidth, int screenHeight);
