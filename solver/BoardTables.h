// Tables the search looks things up in instead of counting: facts about the
// 512 candidate sets, and the squares of the 27 units.
#pragma once

#include <cstdint>

#include "Grid.h"

// Units are numbered 0 to 26: rows 0 to 8, columns 9 to 17, blocks 18 to 26,
// the order in which the unique-place rule takes them.
constexpr int kUnitCount = 27;
constexpr uint16_t kAllDigits = 0x1FF;

constexpr uint16_t DigitBit(int digit) {
    return static_cast<uint16_t>(1u << (digit - 1));
}

struct SetTables {
    uint8_t count[512];        // how many candidates
    uint8_t lowestDigit[512];  // the smallest candidate, 0 for none
    uint16_t upToLowest[512];  // the digits up to the smallest candidate, all for none
    uint16_t fromHighest[512]; // the digits down to the largest candidate, all for none
};

// Filled when the program starts; too much work for some compilers' limits on
// constant evaluation.
extern const SetTables kSets;

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
