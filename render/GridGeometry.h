// The geometry of the grid picture, worked out without a window: the side of
// a square for a client area, the outline of a square with the wedges of its
// signs, and the cells of the small candidate digits.
//
// Square (row r, column c) covers x from c*s to c*s + s and y from r*s to
// r*s + s of a picture 9*s + 1 pixels wide and high. A sign is a wedge in the
// middle of the side two squares share: the side runs straight for a quarter,
// goes out to an apex s/10 away from it and back, and runs straight for the
// last quarter; the apex points at the smaller number.
#pragma once

#include "Grid.h"

// The height of the band of picture buttons above the grid.
constexpr int kButtonBandHeight = 30;

struct GridPoint {
    int x;
    int y;
    bool operator==(const GridPoint& other) const { return x == other.x && y == other.y; }
};

// The side of a square for a client area of width x height: a multiple of 4
// from the smaller of the width and the height below the button band, with
// room for the grid's margins. -1 when the area is too small for a grid at
// all; 0 gives a picture of a single pixel.
int GridSquareSize(int clientWidth, int clientHeight);

// The picture's side for squares of side `squareSize`: 9 * squareSize + 1.
constexpr int GridPictureSide(int squareSize) {
    return 9 * squareSize + 1;
}

// The outline of a square, drawn as one connected line: the top-left corner,
// then clockwise every point to draw a line to (the top side left to right,
// the right side downwards, the bottom side right to left, the left side
// upwards), ending back at the top-left corner. A side with a sign bit in
// `mask` has a wedge: its greater-than bit puts the apex outside the square,
// its smaller-than bit inside; a side with both bits is drawn as greater-than.
// Returns the number of points (5 with no signs, up to 17).
int SquareOutline(int row, int column, int squareSize, EdgeMask mask, GridPoint (&points)[17]);

// The cell of candidate `digit` (1 to 9) in square (row, column): a square of
// side s/3 in a 3 x 3 pattern, digits 1 2 3 across the top, 4 5 6 across the
// middle and 7 8 9 across the bottom; the bottom row starts at two thirds of
// the square.
struct CellRect {
    int left;
    int top;
    int side;
};
CellRect CandidateCell(int row, int column, int squareSize, int digit);
