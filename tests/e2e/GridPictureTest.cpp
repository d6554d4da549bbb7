// The grid picture, drawn in this process by the game's own painter for a
// board with numbers, givens, candidates and signs, and read back pixel by
// pixel: lines where the geometry puts them, wedges pointing at the smaller
// number, givens underlined outside the editor.
#include <gtest/gtest.h>

#include "GameSession.h"
#include "Modes.h"
#include "render/GridGeometry.h"
#include "render/GridPainter.h"

namespace {

constexpr int s = 56; // q = 14, h = 5
constexpr int q = s / 4;
constexpr int h = s / 10;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The board: (0,0) a given 7 greater than the player's 3 at (0,1); (1,4)
// greater than (2,4); (4,4) an empty square with the candidates 1 and 9.
std::unique_ptr<CNerekuEngine> Board() {
    auto board =
        Puzzle("7................................................................................");
    SetSquareToDigit(board->squares[1], 3);
    board->edgeMasks[0] = kRightGreater;
    board->edgeMasks[1] = kLeftSmaller;
    board->edgeMasks[13] = kDownGreater;
    board->edgeMasks[22] = kUpSmaller;
    for (int d = 0; d < 9; ++d) {
        board->squares[40].possible[d] = (d == 0 || d == 8) ? 1 : 0;
    }
    return board;
}

std::unique_ptr<Canvas> Paint(const CNerekuEngine& board, uint32_t mode, int cursor = -1) {
    WindowDc screen(nullptr);
    const GdiObject<HBITMAP> bitmap =
        PaintGrid(screen.Get(), {board.squares, board.edgeMasks, s, kWhite, LookOf(mode).gridFill,
                                 mode != EditMode, cursor});
    if (!bitmap) {
        return nullptr;
    }
    auto canvas = std::make_unique<Canvas>(GridPictureSide(s), GridPictureSide(s), 0);
    MemoryDc source(screen.Get());
    const SelectedObject selected(source.Get(), bitmap.Get());
    BitBlt(canvas->Dc(), 0, 0, canvas->Width(), canvas->Height(), source.Get(), 0, 0, SRCCOPY);
    return canvas;
}

// How many pixels of the rectangle are white or nearly so (text is drawn
// smoothed, lines are pure white).
int WhiteIn(const Canvas& canvas, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const COLORREF colour = canvas.At(x, y);
            count +=
                GetRValue(colour) >= 200 && GetGValue(colour) >= 200 && GetBValue(colour) >= 200
                    ? 1
                    : 0;
        }
    }
    return count;
}

} // namespace

TEST(GridPicture, LinesWedgesNumbersAndCandidates) {
    const auto board = Board();
    const auto game = Paint(*board, GameMode);
    ASSERT_TRUE(game);
    ASSERT_EQ(game->Width(), 9 * s + 1);
    const COLORREF fill = RGB(96, 128, 192);

    // Every square's outline, and the thick lines of the blocks.
    const int y = 6 * s + 5; // a row of empty squares, between candidates
    for (int c = 0; c <= 9; ++c) {
        EXPECT_EQ(game->At(c * s, y), kWhite) << "line " << c;
    }
    EXPECT_EQ(game->At(3 * s + 1, y), kWhite) << "block lines are three pixels wide";
    EXPECT_EQ(game->At(3 * s - 1, y), kWhite);
    EXPECT_EQ(game->At(2 * s + 2, y + 20), fill);
    EXPECT_EQ(game->At(2 * s + 1, y + 20), fill) << "a thin line is one pixel";

    // 7 > 3: the apex points right, into the 3; nothing on the other side.
    EXPECT_EQ(game->At(s + h, 2 * q), kWhite);
    EXPECT_EQ(game->At(s - h, 2 * q), fill);
    EXPECT_EQ(game->At(s, 2 * q), fill) << "the side opens at the wedge";
    // (1,4) > (2,4): the apex points down, into (2,4).
    EXPECT_EQ(game->At(4 * s + 2 * q, 2 * s + h), kWhite);
    EXPECT_EQ(game->At(4 * s + 2 * q, 2 * s - h), fill);

    // Candidates 1 and 9 of (4,4), in their thirds, and nothing in the middle.
    const int x0 = 4 * s, y0 = 4 * s, t = s / 3;
    EXPECT_GT(WhiteIn(*game, x0 + 2, y0 + 2, x0 + t, y0 + t), 5);
    EXPECT_GT(WhiteIn(*game, x0 + 2 * t, y0 + 2 * t, x0 + s - 2, y0 + s - 2), 5);
    EXPECT_EQ(WhiteIn(*game, x0 + t, y0 + t, x0 + 2 * t, y0 + 2 * t), 0);

    // The given 7 is underlined in play, not in the editor; the player's 3
    // is drawn alike in both.
    const auto editor = Paint(*board, EditMode);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->At(2 * s + 2, y + 20), RGB(124, 160, 96));
    const int givenInPlay = WhiteIn(*game, 4, 4, s - 8, s - 2);
    const int givenInEditor = WhiteIn(*editor, 4, 4, s - 8, s - 2);
    EXPECT_GT(givenInPlay, givenInEditor + 5) << "an underline below the given";
    EXPECT_EQ(WhiteIn(*game, s + 4, 4, 2 * s - 8, s - 2),
              WhiteIn(*editor, s + 4, 4, 2 * s - 8, s - 2));

    SavePng(*game, L"GridPicture_GameMode");
}

// The keyboard cursor: a frame three pixels wide inside its square, clear of
// the block's thick line, with the square's inside and digit as they were.
TEST(GridPicture, TheCursorFramesItsSquare) {
    const auto board = Board();
    for (uint32_t mode : {GameMode, EditMode}) {
        const auto plain = Paint(*board, mode);
        const auto framed = Paint(*board, mode, 3 * 9 + 3); // (3,3), a block's corner
        ASSERT_TRUE(plain && framed);
        const int x0 = 3 * s, y0 = 3 * s;
        EXPECT_EQ(framed->At(x0 + 1, y0 + s / 2), kWhite) << "the block line stays";
        for (int k = 2; k < 2 + kCursorWidth; ++k) {
            EXPECT_EQ(framed->At(x0 + k, y0 + s / 2), kCursorColour) << "left side " << k;
            EXPECT_EQ(framed->At(x0 + s / 2, y0 + s - k), kCursorColour) << "bottom " << k;
        }
        EXPECT_EQ(framed->At(x0 + 2 + kCursorWidth, y0 + s / 2),
                  plain->At(x0 + 2 + kCursorWidth, y0 + s / 2));
        EXPECT_EQ(WhiteIn(*framed, x0 + 6, y0 + 6, x0 + s - 6, y0 + s - 6),
                  WhiteIn(*plain, x0 + 6, y0 + 6, x0 + s - 6, y0 + s - 6));
        EXPECT_EQ(framed->At(x0 + s + 2, y0 + s / 2), plain->At(x0 + s + 2, y0 + s / 2))
            << "the next square is untouched";
    }
}
