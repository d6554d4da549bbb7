// The board records and the coordinate arithmetic that every part of the game
// shares.
//
// A board is two arrays of 81 entries, row-major (square index = row * 9 +
// column): the Square records and the EdgeMask bytes. Their bytes are copied
// whole: the solver's backups, the stored solutions and the level files all
// hold these exact images, so the records must never gain padding.
#pragma once

#include <cstddef>

constexpr int kSquareCount = 81;
constexpr int kDigitCount = 9;

struct Square {
    unsigned char fixed;       // 1: a given of the level, the player cannot change it
    unsigned char number;      // 0: empty; 1 to 9: the digit in the square
    unsigned char possible[9]; // possible[d - 1] set while d is still a candidate
};

// A square's signs towards its four neighbours, two bits a direction, told
// from the owner's side: the higher bit of a pair means "this is smaller than
// the neighbour", the lower bit "this is greater".
using EdgeMask = unsigned char;

enum EdgeBits : unsigned char {
    kUpSmaller = 0x80,
    kUpGreater = 0x40,
    kRightSmaller = 0x20,
    kRightGreater = 0x10,
    kDownSmaller = 0x08,
    kDownGreater = 0x04,
    kLeftSmaller = 0x02,
    kLeftGreater = 0x01,
};

// The four directions in which a square looks for its signs, in the order
// up, right, down, left: the offset to the neighbour and the two bits of the
// pair in the square's own mask.
struct SignDirection {
    int offset;
    EdgeMask smaller; // this square is smaller than the neighbour
    EdgeMask greater; // this square is greater than the neighbour
};
enum SignDirectionIndex { kUp = 0, kRight = 1, kDown = 2, kLeft = 3 };
constexpr SignDirection kSignDirections[4] = {
    {-9, kUpSmaller, kUpGreater},
    {+1, kRightSmaller, kRightGreater},
    {+9, kDownSmaller, kDownGreater},
    {-1, kLeftSmaller, kLeftGreater},
};

constexpr size_t kSquareImageSize = sizeof(Square) * kSquareCount;  // 891
constexpr size_t kMaskImageSize = sizeof(EdgeMask) * kSquareCount;  // 81
constexpr size_t kGridFileSize = kMaskImageSize + kSquareImageSize; // 972

static_assert(sizeof(Square) == 11, "a square is 11 bytes in every image");
static_assert(kSquareImageSize == 891, "the square block image is 891 bytes");
static_assert(kMaskImageSize == 81, "the mask block image is 81 bytes");
static_assert(kGridFileSize == 972, "a level file is 972 bytes");

// ---- Coordinates.

constexpr int SquareIndex(int row, int column) {
    return row * 9 + column;
}
constexpr int RowOf(int index) {
    return index / 9;
}
constexpr int ColumnOf(int index) {
    return index % 9;
}
constexpr int BlockOf(int row, int column) {
    return 3 * (row / 3) + column / 3;
}
constexpr int BlockTopRow(int block) {
    return 3 * (block / 3);
}
constexpr int BlockLeftColumn(int block) {
    return 3 * (block % 3);
}
constexpr int BlockMiddleRow(int block) {
    return BlockTopRow(block) + 1;
}
constexpr int BlockMiddleColumn(int block) {
    return BlockLeftColumn(block) + 1;
}

// The k-th square (0 to 8) of block b in its scan order: row by row, left to right.
constexpr int BlockSquare(int block, int k) {
    return SquareIndex(BlockTopRow(block) + k / 3, BlockLeftColumn(block) + k % 3);
}

// The sign bits of square `index` whose neighbour lies in the same block:
// signs stand only there, so every other bit points across a block border
// or off the board.
constexpr EdgeMask SignBitsInsideBlock(int index) {
    const int row = RowOf(index);
    const int column = ColumnOf(index);
    int inside = 0;
    if (row % 3 != 0) {
        inside |= kUpSmaller | kUpGreater;
    }
    if (row % 3 != 2) {
        inside |= kDownSmaller | kDownGreater;
    }
    if (column % 3 != 0) {
        inside |= kLeftSmaller | kLeftGreater;
    }
    if (column % 3 != 2) {
        inside |= kRightSmaller | kRightGreater;
    }
    return static_cast<EdgeMask>(inside);
}

// ---- The two square states that many operations produce.

// The empty square: no number, not a given, every digit a candidate.
inline void MakeEmptySquare(Square& square) {
    square.fixed = 0;
    square.number = 0;
    for (unsigned char& flag : square.possible) {
        flag = 1;
    }
}

// A square set to digit d (1 to 9): d its number and its only candidate;
// `fixed` stays as it was.
inline void SetSquareToDigit(Square& square, unsigned char digit) {
    for (int d = 0; d < kDigitCount; ++d) {
        square.possible[d] = (d + 1 == digit) ? 1 : 0;
    }
    square.number = digit;
}
