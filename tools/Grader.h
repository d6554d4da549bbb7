// How hard a level is for a person: the grader solves it step by step with
// the techniques people use, always the easiest one that gets anywhere, and
// the hardest technique it needed is the level's grade. The search's
// statistics say little about this: the search guesses where a person
// would reason.
//
// The grader keeps its own board of candidates and never touches the engine.
#pragma once

#include <string>

#include "Grid.h"

enum class Grade { Easy, Medium, Hard };

// The techniques from easiest to hardest; the grader tries them in this order.
enum Technique {
    // Easy.
    kNakedSingle,  // a square with one candidate left
    kHiddenSingle, // a digit with one place left in a row, column or block
    kSettledSign,  // a sign next to a square that holds its number
    // Medium.
    kSignChain,        // bounds through signs: from the neighbours' candidate
                       // ranges, and from how many squares a chain puts above
                       // or below a square (a > b > c: a is at least 3)
    kLockedCandidates, // a digit of a block confined to one row or column, or
                       // of a row or column confined to one block
    kNakedPair,
    kHiddenPair,
    // Hard.
    kNakedTriple,
    kHiddenTriple,
    kNakedQuad,
    kHiddenQuad,
    kXWing,
    kSwordfish,
    kTrial, // a candidate that leads to a contradiction, or failing that a guess
    kTechniqueCount
};

const char* TechniqueName(int technique); // "naked single", ...
Grade TechniqueGrade(int technique);
const char* GradeName(Grade grade); // "Easy", "Medium", "Hard"
// "easy", "Medium", "HARD": any case.
bool ParseGrade(const std::string& text, Grade& grade);

struct GradeReport {
    bool solved = false; // the techniques reached the given solution
    Grade grade = Grade::Easy;
    int uses[kTechniqueCount] = {}; // how often each technique made progress
};

// Grades the level made of the numbers of `squares` (their candidate flags
// are not read: a player's strikes are no facts) and the signs of
// `edgeMasks`, whose only solution is `solution`. The solution serves the
// last resort only: a guess that the grader cannot refute is made the right
// way. `solved` is false when the techniques contradict the solution, which
// a level with that one solution never does.
GradeReport GradeLevel(const Square (&squares)[kSquareCount],
                       const EdgeMask (&edgeMasks)[kSquareCount],
                       const Square (&solution)[kSquareCount]);
