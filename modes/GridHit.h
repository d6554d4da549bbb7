// Where a click on the grid picture lands: outside the grid, on its far edge,
// or on a square, with the position inside that square. The play handlers and
// the editor share it.
#pragma once

#include "Grid.h"

struct GridHit {
    enum Kind {
        Outside, // off the grid, or on its first pixel row or column
        FarEdge, // on its last pixel row or column, which belongs to no square
        OnSquare,
    };
    Kind kind = Outside;
    int row = 0;
    int column = 0;
    // The position in squares from the grid's top-left corner.
    double fx = 0;
    double fy = 0;

    int Index() const { return SquareIndex(row, column); }
    // The candidate cell under the click, by thirds of the square: 1 2 3
    // across the top third, 4 5 6 across the middle, 7 8 9 across the bottom.
    int CandidateDigit() const;
};

// Where the grid picture stands: (left, top, right, bottom) in the window's
// client coordinates, with squares of `squareSize` pixels.
struct GridPlace {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int squareSize = 0;
};

// Only positions strictly inside the grid's rectangle are on the grid.
GridHit HitTestGrid(const GridPlace& grid, int x, int y);

// The side of the clicked square that lies nearest the click, for the
// editor's signs: `owner` is the clicked square and `side` the direction of
// its neighbour. `blocked` when that side is a block border or the board's
// edge, where no sign can stand. Ties between a vertical and a horizontal
// side go to the horizontal one.
struct NearestSide {
    int owner = 0;
    SignDirectionIndex side = kUp;
    bool blocked = true;
};
NearestSide NearestSideOf(const GridHit& hit);
