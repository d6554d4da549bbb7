// Paints the board into an off-screen bitmap: the squares' outlines with the
// wedges of their signs, the block lines, the numbers (givens underlined
// where the job says) and the candidates of the empty squares, all in the
// grid colour on the job's fill.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Grid.h"
#include "corvane/GdiObjects.h"

struct GridPaintJob {
    const Square* squares;
    const EdgeMask* edgeMasks;
    int squareSize;        // 0 or more; the bitmap is 9 * squareSize + 1 pixels wide
    COLORREF gridColour;   // the lines and the digits
    COLORREF fill;         // the squares' background
    bool underlineGivens;  // in play a given is underlined; in the editor not
    int cursorSquare = -1; // the keyboard cursor's square, -1 for none
};

// The keyboard cursor: a frame 3 pixels wide inside its square, in amber,
// which stands out from the white lines and from the fill of every mode.
constexpr COLORREF kCursorColour = RGB(255, 200, 0);
constexpr int kCursorWidth = 3;

// A new 32-bit bitmap holding the board, drawn through a context compatible
// with `dc`; empty when it could not be made. Everything made for the
// painting is released again.
GdiObject<HBITMAP> PaintGrid(HDC dc, const GridPaintJob& job);
