#include "GridHit.h"

#include <cmath>

#include "corvane/Numbers.h"

namespace {

// 0, 1 or 2: the third of a square that `fraction` (0 up to 1) falls in.
int ThirdOf(double fraction) {
    if (Dbl_IsSmaller(fraction, 0.3333333333333333)) {
        return 0;
    }
    return Dbl_IsSmaller(fraction, 0.6666666666666666) ? 1 : 2;
}

} // namespace

int GridHit::CandidateDigit() const {
    const int subrow = ThirdOf(fy - std::floor(fy));
    const int subcolumn = ThirdOf(fx - std::floor(fx));
    return 3 * subrow + subcolumn + 1;
}

GridHit HitTestGrid(const GridPlace& grid, int x, int y) {
    GridHit hit;
    if (grid.squareSize <= 0 || x <= grid.left || x >= grid.right || y <= grid.top ||
        y >= grid.bottom) {
        return hit;
    }
    hit.fx = static_cast<double>(x - grid.left) / grid.squareSize;
    hit.fy = static_cast<double>(y - grid.top) / grid.squareSize;
    hit.column = static_cast<int>(Dbl_Round(std::floor(hit.fx), 0));
    hit.row = static_cast<int>(Dbl_Round(std::floor(hit.fy), 0));
    // The picture is one pixel wider and higher than its nine squares.
    const bool onBoard = hit.row >= 0 && hit.row < 9 && hit.column >= 0 && hit.column < 9;
    hit.kind = onBoard ? GridHit::OnSquare : GridHit::FarEdge;
    return hit;
}

NearestSide NearestSideOf(const GridHit& hit) {
    NearestSide nearest;
    nearest.owner = hit.Index();
    const double lineX = Dbl_Round(hit.fx, 0);
    const double lineY = Dbl_Round(hit.fy, 0);
    const double dx = std::fabs(lineX - hit.fx);
    const double dy = std::fabs(lineY - hit.fy);
    if (Dbl_IsSmaller(dx, dy)) {
        const bool right = Dbl_IsBigger(lineX, hit.fx);
        nearest.side = right ? kRight : kLeft;
        nearest.blocked = hit.column % 3 == (right ? 2 : 0);
    } else {
        const bool lower = Dbl_IsBigger(lineY, hit.fy);
        nearest.side = lower ? kDown : kUp;
        nearest.blocked = hit.row % 3 == (lower ? 2 : 0);
    }
    return nearest;
}
