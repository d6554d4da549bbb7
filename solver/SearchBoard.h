// The search's own copy of the board: one 9-bit candidate set and one number
// a square, and for every unit and digit the set of the unit's empty squares
// where the digit can still go, so that a digit's only place is one bit
// operation away and a branch's backup is one small copy.
//
// A board converts both ways only while every number is 0 to 9 and every
// flag 0 or 1; the search leaves other boards on the squares.
#pragma once

#include <array>
#include <cstdint>

#include "Grid.h"
#include "Units.h"
#include "solver/SquareSet.h"

struct SearchBoard {
    uint16_t candidates[kSquareCount]; // bit d - 1 set while d is a candidate
    uint8_t numbers[kSquareCount];     // 0: empty; 1 to 9: the digit
    // Derived from the two arrays above, and kept with them.
    // places[u][d - 1]: bit k set while the k-th square of unit u is empty
    // and has d as a candidate.
    uint16_t places[kUnitCount][kDigitCount];
    uint16_t unitDigits[kUnitCount]; // the digits placed in each unit
    uint8_t emptySquares;            // how many squares have no number
    bool repeated;                   // a unit holds a digit twice
    bool stranded;                   // an empty square has no candidate left
};

// A solved board's numbers, as the counts find them.
using SolvedNumbers = std::array<uint8_t, kSquareCount>;

// Whether the squares hold only values the search board keeps exactly:
// numbers 0 to 9, givens and candidate flags 0 or 1.
bool FitsSearchBoard(const Square* squares);

// For squares that FitsSearchBoard accepts.
void LoadSearchBoard(const Square* squares, SearchBoard& board);
// Writes the numbers and candidate flags back; `fixed` is left as it is.
void StoreSearchBoard(const SearchBoard& board, Square* squares);

// ---- The two changes every rule is made of. Both keep the derived fields
// true; what the rules note about a change is their own business.

// Sets an empty square to a digit: the digit its number and its only
// candidate.
void PlaceDigit(SearchBoard& board, int index, int digit);

// Takes square `k` of unit `unit` out of the places of digit `d` (0 to 8),
// where it stands; returns the places left.
inline unsigned TakePlace(SearchBoard& board, int unit, int k, int d) {
    uint16_t& set = board.places[unit][d];
    set = static_cast<uint16_t>(set & ~(1u << k));
    return set;
}

// Takes digit `d` (0 to 8), which the square has, from its candidates.
inline void DropDigit(SearchBoard& board, int index, int d) {
    board.candidates[index] = static_cast<uint16_t>(board.candidates[index] & ~(1u << d));
    if (board.numbers[index] != 0) {
        return;
    }
    for (int kind = 0; kind < 3; ++kind) {
        TakePlace(board, kUnits.units[index][kind], kUnits.places[index][kind], d);
    }
    board.stranded = board.stranded || board.candidates[index] == 0;
}

// Takes the digits `lost`, which the square has, from its candidates.
inline void DropCandidates(SearchBoard& board, int index, unsigned lost) {
    for (; lost != 0; lost &= lost - 1) {
        DropDigit(board, index, LowestBit(lost));
    }
}

// Whether some unit has a digit that is neither placed in it nor a candidate
// of any of its empty squares: then the board has no completion.
bool MissesADigit(const SearchBoard& board);

// The first empty square in row-major order with the fewest candidates;
// false, with `index` untouched, on a full board. A square with `enough`
// candidates or fewer ends the scan: the search passes 2, since after
// propagation no empty square of a board it branches on has fewer.
bool FindLowest(const SearchBoard& board, int* index, int enough = 0);
