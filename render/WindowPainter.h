// Composing the window: everything that is no child window (the background,
// the drawn texts and the grid picture) is put together in an off-screen
// bitmap and copied to the screen in one block, so nothing flickers. The
// picture buttons and the level list are child windows, which the main
// window clips.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "corvane/CPicture.h"
#include "corvane/CTextCtrl.h"
#include "corvane/GdiObjects.h"

struct WindowPicture {
    int width = 0;
    int height = 0;
    const CPicture* background = nullptr; // stretched over its drawing rectangle
    std::initializer_list<const CTextCtrl*> texts;
    const CPicture* grid = nullptr; // at its drawing rectangle
};

// Draws the picture into `window`'s client area; false when the off-screen
// bitmap could not be made, and nothing was drawn.
bool PaintWindow(HWND window, const WindowPicture& picture);

// A square bitmap of `side` pixels in one colour, compatible with `window`,
// for the background picture; empty when it could not be made.
GdiObject<HBITMAP> MakeColourTile(HWND window, COLORREF colour, int side);
