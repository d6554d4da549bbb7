// The search board: conversion from and to the squares, and the changes the
// rules are made of.
#include "solver/SearchBoard.h"

#include <cstring>

namespace {

// The candidate flags of each candidate set, as the square records hold them.
struct FlagTables {
    unsigned char flags[512][kDigitCount];
};

FlagTables MakeFlagTables() {
    FlagTables tables{};
    for (int set = 0; set < 512; ++set) {
        for (int d = 0; d < kDigitCount; ++d) {
            tables.flags[set][d] = static_cast<unsigned char>((set >> d) & 1);
        }
    }
    return tables;
}

const FlagTables kFlags = MakeFlagTables();

// The first eight flags of a square as one word, a byte each, the first flag
// lowest (every machine the game builds for is little-endian).
uint64_t LowFlags(const Square& square) {
    uint64_t low = 0;
    std::memcpy(&low, square.possible, sizeof(low));
    return low;
}

// The candidate set of flags that are 0 or 1: the multiplication moves flag
// byte d to bit 56 + d, and no two of its partial products meet (8i - 7j is
// the same for two pairs only when they are the same pair), so nothing
// carries into the top byte.
unsigned FlagSet(const Square& square) {
    return static_cast<unsigned>((LowFlags(square) * 0x0102040810204080ull) >> 56) |
           unsigned{square.possible[8]} << 8;
}

} // namespace

bool FitsSearchBoard(const Square* squares) {
    bool fits = true;
    for (int i = 0; i < kSquareCount; ++i) {
        const Square& square = squares[i];
        fits = fits && square.number <= kDigitCount && square.fixed <= 1 &&
               square.possible[8] <= 1 && (LowFlags(square) & 0xFEFEFEFEFEFEFEFEull) == 0;
    }
    return fits;
}

// Every empty square of a unit offers every digit, less the candidates that
// its square lacks: most squares of a new level lack none.
void LoadSearchBoard(const Square* squares, SearchBoard& board) {
    board = SearchBoard{};
    unsigned emptyPlaces[kUnitCount] = {};
    for (int i = 0; i < kSquareCount; ++i) {
        const unsigned set = FlagSet(squares[i]);
        const int number = squares[i].number;
        board.candidates[i] = static_cast<uint16_t>(set);
        board.numbers[i] = static_cast<uint8_t>(number);
        if (number == 0) {
            ++board.emptySquares;
            board.stranded = board.stranded || set == 0;
            for (int kind = 0; kind < 3; ++kind) {
                emptyPlaces[kUnits.units[i][kind]] |= 1u << kUnits.places[i][kind];
            }
            continue;
        }
        for (uint8_t unit : kUnits.units[i]) {
            board.repeated = board.repeated || (board.unitDigits[unit] & DigitBit(number)) != 0;
            board.unitDigits[unit] =
                static_cast<uint16_t>(board.unitDigits[unit] | DigitBit(number));
        }
    }
    for (int u = 0; u < kUnitCount; ++u) {
        for (uint16_t& places : board.places[u]) {
            places = static_cast<uint16_t>(emptyPlaces[u]);
        }
    }
    for (int i = 0; i < kSquareCount; ++i) {
        const unsigned lacking = kAllDigits & ~unsigned{board.candidates[i]};
        if (board.numbers[i] == 0 && lacking != 0) {
            for (int kind = 0; kind < 3; ++kind) {
                uint16_t(&places)[kDigitCount] = board.places[kUnits.units[i][kind]];
                const unsigned keep = ~(1u << kUnits.places[i][kind]);
                for (unsigned digits = lacking; digits != 0; digits &= digits - 1) {
                    places[LowestBit(digits)] =
                        static_cast<uint16_t>(places[LowestBit(digits)] & keep);
                }
            }
        }
    }
}

void StoreSearchBoard(const SearchBoard& board, Square* squares) {
    for (int i = 0; i < kSquareCount; ++i) {
        squares[i].number = board.numbers[i];
        std::memcpy(squares[i].possible, kFlags.flags[board.candidates[i]], kDigitCount);
    }
}

void PlaceDigit(SearchBoard& board, int index, int digit) {
    const uint16_t bit = DigitBit(digit);
    const unsigned before = board.candidates[index];
    board.numbers[index] = static_cast<uint8_t>(digit);
    board.candidates[index] = bit;
    --board.emptySquares;
    for (int kind = 0; kind < 3; ++kind) {
        const int unit = kUnits.units[index][kind];
        board.repeated = board.repeated || (board.unitDigits[unit] & bit) != 0;
        board.unitDigits[unit] = static_cast<uint16_t>(board.unitDigits[unit] | bit);
        for (unsigned digits = before; digits != 0; digits &= digits - 1) {
            TakePlace(board, unit, kUnits.places[index][kind], LowestBit(digits));
        }
    }
}

bool MissesADigit(const SearchBoard& board) {
    for (int u = 0; u < kUnitCount; ++u) {
        unsigned open = board.unitDigits[u];
        for (int d = 0; d < kDigitCount; ++d) {
            open |= board.places[u][d] != 0 ? 1u << d : 0u;
        }
        if (open != kAllDigits) {
            return true;
        }
    }
    return false;
}

bool FindLowest(const SearchBoard& board, int* index, int enough) {
    int best = 11;
    bool found = false;
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] != 0) {
            continue;
        }
        const int count = kSets.count[board.candidates[i]];
        if (count < best) {
            best = count;
            found = true;
            *index = i;
            if (count <= enough) {
                break;
            }
        }
    }
    return found;
}
