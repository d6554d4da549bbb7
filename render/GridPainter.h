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
    int squareSize;       // 0 or more; the bitmap is 9 * squareSize + 1 pixels wide
    COLORREF gridColour;  // the lines and the digits
    COLORREF fill;        // the squares' background
    bool underlineGivens; // in play a given is underlined; in the editor not
};

// A new 32-bit bitmap holding the board, drawn through a context compatible
// with `dc`; empty when it could not be made. Everything made for the
// painting is released again.
GdiObject<HBITMAP> PaintGrid(HDC dc, const GridPaintJob& job);
