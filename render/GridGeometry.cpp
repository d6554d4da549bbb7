#include "render/GridGeometry.h"

#include <algorithm>

int GridSquareSize(int clientWidth, int clientHeight) {
    const int limit = std::min(clientWidth, clientHeight - kButtonBandHeight);
    if (limit <= 4) {
        return -1;
    }
    return 4 * ((limit - 40) / 36);
}

namespace {

// The points of one side after `start`, up to `end`. A side with a wedge
// has its apex `apexOffset` away from the side's middle along `outward` (a
// unit vector pointing out of the square; a negative offset points inward).
int AddSide(GridPoint* out, GridPoint start, GridPoint end, bool wedge, GridPoint outward,
            int apexOffset) {
    int n = 0;
    if (wedge) {
        const int dx = (end.x - start.x) / 4;
        const int dy = (end.y - start.y) / 4;
        out[n++] = {start.x + dx, start.y + dy};
        out[n++] = {start.x + 2 * dx + outward.x * apexOffset,
                    start.y + 2 * dy + outward.y * apexOffset};
        out[n++] = {start.x + 3 * dx, start.y + 3 * dy};
    }
    out[n++] = end;
    return n;
}

} // namespace

int SquareOutline(int row, int column, int squareSize, EdgeMask mask, GridPoint (&points)[17]) {
    const int s = squareSize;
    const int h = s / 10;
    const int x0 = column * s;
    const int y0 = row * s;
    const GridPoint corners[5] = {{x0, y0}, {x0 + s, y0}, {x0 + s, y0 + s}, {x0, y0 + s}, {x0, y0}};
    // The sides in drawing order: top, right, bottom, left.
    const SignDirectionIndex sides[4] = {kUp, kRight, kDown, kLeft};
    const GridPoint outward[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    int n = 0;
    points[n++] = corners[0];
    for (int k = 0; k < 4; ++k) {
        const SignDirection& side = kSignDirections[sides[k]];
        const bool greater = (mask & side.greater) != 0;
        const bool wedge = greater || (mask & side.smaller) != 0;
        n += AddSide(points + n, corners[k], corners[k + 1], wedge, outward[k], greater ? h : -h);
    }
    return n;
}

CellRect CandidateCell(int row, int column, int squareSize, int digit) {
    const int t = squareSize / 3;
    const int k = digit - 1;
    const int tops[3] = {0, t, 2 * squareSize / 3};
    return {column * squareSize + (k % 3) * t, row * squareSize + tops[k / 3], t};
}
