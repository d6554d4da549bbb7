// The board's units, each square's peers, and sets of digits: the tables the
// checks, the search and the grader look things up in instead of counting.
//
// Units are numbered 0 to 26: rows 0 to 8, columns 9 to 17, blocks 18 to 26,
// the order in which the unique-place rule takes them. A set of digits is a
// 9-bit word, bit d - 1 for digit d.
#pragma once

#include <cstdint>

#include "Grid.h"

// ---- Sets of digits.

constexpr int kUnitCount = 27;
constexpr uint16_t kAllDigits = 0x1FF;

constexpr uint16_t DigitBit(int digit) {
    return static_cast<uint16_t>(1u << (digit - 1));
}

// The digits from `low` to `high` (1 to 9); empty when low > high.
constexpr uint16_t DigitRange(int low, int high) {
    return low > high ? 0 : static_cast<uint16_t>(((1u << high) - 1) & ~((1u << (low - 1)) - 1));
}

struct SetTables {
    uint8_t count[512];        // how many candidates
    uint8_t lowestDigit[512];  // the smallest candidate, 0 for none
    uint8_t highestDigit[512]; // the largest candidate, 0 for none
    uint16_t upToLowest[512];  // the digits up to the smallest candidate, all for none
    uint16_t fromHighest[512]; // the digits down to the largest candidate, all for none
};

// Filled when the program starts; too much work for some compilers' limits on
// constant evaluation.
extern const SetTables kSets;

inline int DigitCount(unsigned set) {
    return kSets.count[set & kAllDigits];
}
// The smallest and the largest digit of a set; 0 for an empty set.
inline int LowestDigit(unsigned set) {
    return kSets.lowestDigit[set & kAllDigits];
}
inline int HighestDigit(unsigned set) {
    return kSets.highestDigit[set & kAllDigits];
}

// ---- Units.

struct UnitTables {
    uint8_t squares[kUnitCount][9];  // each unit's squares in its scan order
    uint8_t units[kSquareCount][3];  // each square's row, column and block
    uint8_t places[kSquareCount][3]; // its place (0 to 8) in each of them
    uint32_t unitSet[kSquareCount];  // its three units, one bit a unit
};

constexpr UnitTables MakeUnitTables() {
    UnitTables tables{};
    for (int unit = 0; unit < 9; ++unit) {
        for (int k = 0; k < 9; ++k) {
            tables.squares[unit][k] = static_cast<uint8_t>(SquareIndex(unit, k));
            tables.squares[9 + unit][k] = static_cast<uint8_t>(SquareIndex(k, unit));
            tables.squares[18 + unit][k] = static_cast<uint8_t>(BlockSquare(unit, k));
        }
    }
    for (int u = 0; u < kUnitCount; ++u) {
        for (int k = 0; k < 9; ++k) {
            const int i = tables.squares[u][k];
            const int kind = u / 9;
            tables.units[i][kind] = static_cast<uint8_t>(u);
            tables.places[i][kind] = static_cast<uint8_t>(k);
            tables.unitSet[i] |= uint32_t{1} << u;
        }
    }
    return tables;
}

inline constexpr UnitTables kUnits = MakeUnitTables();

// ---- Peers: the squares that share a unit with each square, in the order
// the rules visit them.

struct PeerTable {
    // For each square: its row's eight other squares (left to right), its
    // column's eight other squares (top to bottom), then the four squares of
    // its block in neither its row nor its column (block scan order).
    unsigned char peers[kSquareCount][20];
};

constexpr PeerTable MakePeerTable() {
    PeerTable table{};
    for (int i = 0; i < kSquareCount; ++i) {
        const int row = RowOf(i);
        const int column = ColumnOf(i);
        int n = 0;
        for (int c = 0; c < 9; ++c) {
            if (c != column) {
                table.peers[i][n++] = static_cast<unsigned char>(SquareIndex(row, c));
            }
        }
        for (int r = 0; r < 9; ++r) {
            if (r != row) {
                table.peers[i][n++] = static_cast<unsigned char>(SquareIndex(r, column));
            }
        }
        const int block = BlockOf(row, column);
        for (int k = 0; k < 9; ++k) {
            const int other = BlockSquare(block, k);
            if (RowOf(other) != row && ColumnOf(other) != column) {
                table.peers[i][n++] = static_cast<unsigned char>(other);
            }
        }
    }
    return table;
}

inline constexpr PeerTable kPeerTable = MakePeerTable();
