// Boards as text: the 81-character puzzle lines of the usual sudoku
// collections, and a picture of a board with its signs for a terminal.
#pragma once

#include <string>
#include <string_view>

#include "CNerekuEngine.h"

// The numbers of the board, row by row: 81 characters '0' to '9'.
std::string BoardDigits(const Square (&squares)[kSquareCount]);

// Sets up a plain puzzle from a line of 81 characters ('1'-'9' a given,
// '.' or '0' an empty square): the empty grid with the givens set to their
// digits. False, with the board untouched, when the line is not a puzzle.
bool LoadPuzzleDigits(CNerekuEngine& engine, std::string_view line);

// A whole editor board on one line, for the benchmark sets and the tests:
// the 81 puzzle characters ('.' an empty square), a space, then the 81 sign
// mask bytes as 162 hex digits, row-major. Every number is a given.
std::string BoardLine(const CNerekuEngine& engine);

// Sets up the board a line of BoardLine's form describes: the puzzle as
// LoadPuzzleDigits reads it, and the signs (which may be left out). False,
// with the board untouched, when the line is neither.
bool LoadBoardLine(CNerekuEngine& engine, std::string_view line);

// The board as text: digits ('.' for empty), with '<' '>' between squares of
// a row and '^' 'v' between squares of a column where signs stand; '^' and
// 'v' point at the smaller square, like '<' and '>'.
std::string RenderBoard(const CNerekuEngine& engine);
