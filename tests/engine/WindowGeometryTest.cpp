// The window's geometry as the player sees it: where the window and its
// controls go, how big the squares are, where a sign's wedge points, and what
// a click on the grid lands on.
#include <gtest/gtest.h>

#include "GridHit.h"
#include "app/WindowLayout.h"
#include "render/GridGeometry.h"

TEST(WindowLayout, ControlsFollowTheClientSize) {
    const WindowLayout wide = LayOutWindow(800, 780, false, 685, 685);
    const int buttonX[kBarButtonCount] = {10, 62, 134, 186, 238, 290, 362, 414};
    for (int k = 0; k < kBarButtonCount; ++k) {
        EXPECT_EQ(wide.buttons[k], (LayoutRect{buttonX[k], 0, buttonX[k] + 32, 32})) << k;
        EXPECT_EQ(wide.captions[k], (LayoutRect{buttonX[k] - 10, 32, buttonX[k] + 42, 47})) << k;
    }
    EXPECT_EQ(wide.banner, (LayoutRect{446, 0, 640, 32}));
    EXPECT_EQ(wide.levelList, (LayoutRect{640, 5, 790, 780}));
    EXPECT_TRUE(wide.gridPlaced);
    EXPECT_EQ(wide.grid, (LayoutRect{57, 62, 742, 747}));
    EXPECT_EQ(wide.version, (LayoutRect{750, 768, 800, 780}));
    EXPECT_EQ(wide.instructions.Width(), 0) << "hidden outside NoMode";

    // Narrow: the banner keeps 10 pixels, the list starts after it.
    const WindowLayout narrow = LayOutWindow(600, 500, false, 397, 397);
    EXPECT_EQ(narrow.banner, (LayoutRect{446, 0, 456, 32}));
    EXPECT_EQ(narrow.levelList, (LayoutRect{456, 5, 590, 500}));

    // NoMode: the instructions cover everything and the grid stays put.
    const WindowLayout none = LayOutWindow(800, 780, true, 685, 685);
    EXPECT_EQ(none.instructions, (LayoutRect{0, 0, 800, 780}));
    EXPECT_FALSE(none.gridPlaced);

    // Tiny: no negative sizes reach the child windows.
    const WindowLayout tiny = LayOutWindow(100, 3, false, 1, 1);
    EXPECT_GE(tiny.levelList.Width(), 0);
    EXPECT_GE(tiny.levelList.Height(), 0);
}

TEST(WindowLayout, WindowIsACentredSquareOfThreeQuartersOfTheScreen) {
    EXPECT_EQ(MainWindowPlacement(1920, 1080), (LayoutRect{555, 135, 1365, 945}));
    EXPECT_EQ(MainWindowPlacement(1366, 768), (LayoutRect{395, 96, 971, 672}));
}

TEST(GridGeometry, SquareSizeFollowsTheSmallerSide) {
    EXPECT_EQ(GridSquareSize(800, 600), 56);
    EXPECT_EQ(GridPictureSide(56), 505);
    EXPECT_EQ(GridSquareSize(640, 480), 44);
    EXPECT_EQ(GridSquareSize(300, 200), 12);
    EXPECT_EQ(GridPictureSide(12), 109);
    EXPECT_EQ(GridSquareSize(300, 1000), GridSquareSize(300, 330)) << "the width decides";
    EXPECT_EQ(GridSquareSize(75, 500), 0) << "a single pixel";
    EXPECT_EQ(GridSquareSize(76, 500), 4);
    EXPECT_EQ(GridSquareSize(4, 500), -1) << "too small for a grid";
    EXPECT_EQ(GridSquareSize(500, 20), -1);
}

TEST(GridGeometry, WedgesPointAtTheSmallerNumber) {
    GridPoint points[17];
    ASSERT_EQ(SquareOutline(1, 2, 56, 0, points), 5);
    EXPECT_EQ(points[0], (GridPoint{112, 56}));
    EXPECT_EQ(points[2], (GridPoint{168, 112}));
    EXPECT_EQ(points[4], points[0]) << "the outline closes";

    // (0, 0) greater than its right neighbour: the apex lies in the
    // neighbour; the neighbour's own half draws the very same apex.
    const int s = 56, q = 14, h = 5;
    ASSERT_EQ(SquareOutline(0, 0, s, kRightGreater, points), 8);
    EXPECT_EQ(points[2], (GridPoint{s, q}));
    EXPECT_EQ(points[3], (GridPoint{s + h, 2 * q}));
    EXPECT_EQ(points[4], (GridPoint{s, 3 * q}));
    GridPoint neighbour[17];
    ASSERT_EQ(SquareOutline(0, 1, s, kLeftSmaller, neighbour), 8);
    EXPECT_EQ(neighbour[5], (GridPoint{s + h, 2 * q}));
    // Smaller than the square above: the apex points into this square; both
    // bits of a pair draw as greater-than.
    ASSERT_EQ(SquareOutline(1, 0, s, kUpSmaller, points), 8);
    EXPECT_EQ(points[2], (GridPoint{2 * q, s + h}));
    SquareOutline(1, 0, s, kUpSmaller | kUpGreater, points);
    EXPECT_EQ(points[2], (GridPoint{2 * q, s - h}));
    EXPECT_EQ(SquareOutline(4, 4, s, 0xFF, points), 17);
}

TEST(GridGeometry, CandidateCellsInThirds) {
    const CellRect one = CandidateCell(0, 0, 56, 1);
    EXPECT_EQ(one.left, 0);
    EXPECT_EQ(one.top, 0);
    EXPECT_EQ(one.side, 18);
    const CellRect five = CandidateCell(0, 0, 56, 5);
    EXPECT_EQ(five.left, 18);
    EXPECT_EQ(five.top, 18);
    const CellRect nine = CandidateCell(1, 1, 56, 9);
    EXPECT_EQ(nine.left, 56 + 36);
    EXPECT_EQ(nine.top, 56 + 37) << "the last row starts at two thirds of the square";
}

TEST(GridHit, StrictBoundsAndThirds) {
    // A grid at (57, 62) with squares of 56: the picture is 505 wide.
    auto hit = [](int x, int y) { return HitTestGrid({57, 62, 562, 567, 56}, x, y); };
    EXPECT_EQ(hit(57, 100).kind, GridHit::Outside) << "the first pixel column";
    EXPECT_EQ(hit(100, 62).kind, GridHit::Outside) << "the first pixel row";
    EXPECT_EQ(hit(562, 100).kind, GridHit::Outside);
    EXPECT_EQ(hit(561, 100).kind, GridHit::FarEdge) << "the last pixel column is no square";
    EXPECT_EQ(hit(100, 566).kind, GridHit::FarEdge);
    EXPECT_EQ(HitTestGrid({0, 0, 1, 1, 0}, 0, 0).kind, GridHit::Outside);

    const GridHit topLeft = hit(57 + 56 * 3 + 2, 62 + 56 * 4 + 2);
    ASSERT_EQ(topLeft.kind, GridHit::OnSquare);
    EXPECT_EQ(topLeft.Index(), 4 * 9 + 3);
    EXPECT_EQ(topLeft.CandidateDigit(), 1);
    EXPECT_EQ(hit(57 + 28, 62 + 28).CandidateDigit(), 5);
    EXPECT_EQ(hit(57 + 55, 62 + 55).CandidateDigit(), 9);
    EXPECT_EQ(hit(57 + 55, 62 + 1).CandidateDigit(), 3);
}

TEST(GridHit, NearestSideForSigns) {
    auto side = [](int x, int y) { return NearestSideOf(HitTestGrid({0, 0, 505, 505, 56}, x, y)); };
    NearestSide right = side(53, 28); // near the middle of (0, 0)'s right side
    EXPECT_EQ(right.owner, 0);
    EXPECT_EQ(right.side, kRight);
    EXPECT_FALSE(right.blocked);
    EXPECT_EQ(side(60, 28).side, kLeft);
    EXPECT_EQ(side(60, 28).owner, 1);
    EXPECT_TRUE(side(56 * 2 + 53, 28).blocked) << "column 2's right side is a block border";
    EXPECT_TRUE(side(28, 56 * 2 + 53).blocked) << "row 2's lower side too";
    EXPECT_TRUE(side(3, 28).blocked) << "the board's edge";
    const NearestSide tie = side(56 + 14, 56 + 14); // as far from both lines
    EXPECT_EQ(tie.side, kUp);
    EXPECT_EQ(side(56 + 50, 56 + 52).side, kDown);
}
