// The hint: one next step a person could take on the board as it stands, the
// easiest first, found by the same step finder and in the same order as the
// grader (Steps.h), and said in one sentence from the string table.
//
// The board as it stands is the givens, the player's numbers and the
// player's candidate marks: a struck candidate is the player's own
// elimination, and the numbers on the board cross their digit out of their
// rows, columns and blocks. Before any step the hint checks, in this order:
// - a number that breaks a rule (a digit twice in a row, column or block, or
//   a sign between two numbers that does not hold): it names one square at
//   fault, the player's number rather than a given;
// - a full board (with no rule broken, a solution): solved;
// - a board that has no solution as it stands: it names the first player's
//   number (row by row) that differs from the level's solution (that of the
//   givens alone, when there is exactly one), or failing that the first empty
//   square whose marks strike out the solution's digit; a level without one
//   solution of its own gets a plain "no solution", naming the first
//   player's number, or else the first square.
// When no technique gets anywhere, the last resort names a square and its
// digit from the board's solution, and says that it is no deduction.
#pragma once

#include <string>

#include "CNerekuEngine.h"
#include "corvane/CStringResource.h"

struct Hint {
    enum Kind { Step, RuleBroken, NoSolution, Solved } kind = Solved;
    int square = -1;      // 0 to 80: the square the hint names; -1 for Solved
    int technique = -1;   // a Step: its technique (Steps.h); -1 otherwise
    int digit = 0;        // a Step that places a number: the digit
    unsigned removed = 0; // a Step that rules candidates out: they, bit d - 1 for d
    std::wstring text;    // the message, from the string table
};

// Finds the hint for the board as it stands. The board is left exactly as it
// was: its squares, its signs and its list of solutions.
Hint FindHint(CNerekuEngine& board, const CStringResource& texts);
