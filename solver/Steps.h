// A person's way through a level, one step at a time: the techniques people
// use, always the easiest one that gets anywhere. The step finder serves both
// the grader (the hardest technique a level needs is its grade; the search's
// statistics say little about this, since the search guesses where a person
// would reason) and the game's hint, which names the step it would take next.
//
// The step finder keeps its own board of candidates and never touches the
// engine's.
#pragma once

#include <cstdint>
#include <string>

#include "Grid.h"

enum class Grade { Easy, Medium, Hard };

// The techniques from easiest to hardest; the step finder tries them in this
// order.
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

// A board as a person sees it: the numbers written, and the candidates of
// each square (a square with a number keeps that digit alone). A set of
// digits is a 9-bit word, bit d - 1 for digit d, as in Units.h.
struct StepBoard {
    uint16_t candidates[kSquareCount];
    uint8_t numbers[kSquareCount];
};

// What one step did, with what it takes to say why. Each step makes one
// change: one placement, or the eliminations of one pattern, which may clear
// several squares; `square` is then the first square that lost candidates
// (in the order the technique visits them) and `removed` what it lost.
struct Step {
    int technique = kTechniqueCount; // kTechniqueCount: no technique applied
    int square = -1;                 // the square the step names
    int digit = 0;                   // a placement: the digit `square` must be
    uint16_t removed = 0;            // an elimination: the digits `square` lost
    // Why, as the technique needs it:
    // - hidden single, naked and hidden subsets: the unit (0 to 26, as in
    //   Units.h) where it was seen;
    // - locked candidates: the digit's places in `unit` all lie in `cross`,
    //   so the rest of `cross` loses it;
    int unit = -1;
    int cross = -1;
    // - settled sign: the neighbour whose number the sign compares with.
    int neighbour = -1;
    // - sign chain: the digits the signs leave `square`, `low` to `high`.
    int low = 0;
    int high = 0;
    // - locked candidates, X-wing, swordfish: the digit; naked and hidden
    //   subsets: the digits of the subset.
    uint16_t digits = 0;
    // - naked and hidden subsets: the squares of the subset (`square` is
    //   outside it for a naked one, inside for a hidden one).
    int partners[4] = {-1, -1, -1, -1};
    int partnerCount = 0;
    // - X-wing, swordfish: the lines (bit k for row or column k) whose places
    //   for the digit lie in the crossing lines `crossLines`.
    bool linesAreRows = false;
    uint16_t lines = 0;
    uint16_t crossLines = 0;
    // - trial: true for the last resort, a placement from the solution;
    //   false when placing `removed` in `square` runs into a contradiction.
    bool guess = false;
};

class StepFinder {
public:
    explicit StepFinder(const EdgeMask (&edgeMasks)[kSquareCount]);

    // The board of a level: its numbers placed and crossed out of their
    // rows, columns and blocks, every other candidate open. Candidate flags
    // are not read: a player's strikes are no facts.
    StepBoard LoadLevel(const Square (&squares)[kSquareCount]) const;
    // Writes `digit` in square `index` and crosses it out of the square's
    // row, column and block at once, as anyone does while writing it in, so
    // that this bookkeeping is no technique.
    void Place(StepBoard& board, int index, int digit) const;
    // Whether the board can no longer be completed by what it shows: a
    // square without candidates, a digit without a place in a unit, a
    // repeated number, a broken sign between two numbers.
    bool Broken(const StepBoard& board) const;
    // Takes the next step on `board`: the easiest technique up to `hardest`
    // that changes it. `solution` (81 digits; null leaves the last-resort
    // guess out) serves a guess that no technique can refute. `technique` is
    // kTechniqueCount when nothing applies.
    Step Next(StepBoard& board, const uint8_t* solution, int hardest = kTrial) const;
    // Whether the singles and the settled signs solve the board: their steps
    // taken in whatever order is quickest, since the end is the same in every
    // order (each step only gains from the others; a broken board stays
    // broken, as squares and units only lose candidates and numbers only
    // come). The board is left where they end.
    bool SolvedBySinglesAndSigns(StepBoard& board) const;

private:
    bool Apply(int technique, StepBoard& board, const uint8_t* solution, Step& step) const;
    bool RunsIntoContradiction(StepBoard& board) const;
    bool NakedSingle(StepBoard& board, Step& step) const;
    bool HiddenSingle(StepBoard& board, Step& step) const;
    bool SettledSign(StepBoard& board, Step& step) const;
    bool SignChain(StepBoard& board, Step& step) const;
    bool LockedCandidates(StepBoard& board, Step& step) const;
    bool NakedSubset(StepBoard& board, int n, Step& step) const;
    bool HiddenSubset(StepBoard& board, int n, Step& step) const;
    bool Fish(StepBoard& board, int n, Step& step) const;
    bool Trial(StepBoard& board, const uint8_t* solution, Step& step) const;

    struct Sign {
        int greater;
        int smaller;
    };
    Sign signs[kSquareCount * 2];
    int signCount = 0;
    // Each square's neighbours across a sign, at most four each.
    int smallerNeighbours[kSquareCount][4];
    int smallerCount[kSquareCount] = {};
    int greaterNeighbours[kSquareCount][4];
    int greaterCount[kSquareCount] = {};
    // How many squares the signs put below and above each square, through
    // chains; all of them lie in its block, so they hold different digits.
    int below[kSquareCount] = {};
    int above[kSquareCount] = {};
};

struct GradeReport {
    bool solved = false; // the techniques reached the given solution
    Grade grade = Grade::Easy;
    int uses[kTechniqueCount] = {}; // how often each technique made progress
};

// Grades the level made of the numbers of `squares` (their candidate flags
// are not read) and the signs of `edgeMasks`, whose only solution is
// `solution`: the step finder goes through it from the level as given, and
// the hardest technique it needed is the grade. The solution serves the last
// resort only: a guess that no technique can refute is made the right way.
// `solved` is false when the techniques contradict the solution, which a
// level with that one solution never does.
GradeReport GradeLevel(const Square (&squares)[kSquareCount],
                       const EdgeMask (&edgeMasks)[kSquareCount],
                       const Square (&solution)[kSquareCount]);

// Whether the techniques up to `hardest` (before kTrial) alone solve the level
// made of the numbers of `squares` and the signs of `edgeMasks`. Each of them
// only draws conclusions that hold in every solution, so a level they solve
// has exactly one solution; and each only gains from more clues, so when they
// leave a level unsolved, they leave it unsolved with any of its clues taken
// away: its grade stays above TechniqueGrade(hardest).
bool SolvedByTechniques(const Square (&squares)[kSquareCount],
                        const EdgeMask (&edgeMasks)[kSquareCount], int hardest);
