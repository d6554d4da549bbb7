// Makes levels with signs that have exactly one solution (nereku make).
//
// An attempt starts from a random full grid. It lines up clues that agree
// with it: up to `maxSigns` signs between neighbours of one block, then up to
// `maxGivens` givens, each kind in random order, and keeps the shortest front
// part of that line with which the search proves the solution unique. Then it
// takes away every clue the uniqueness does not need, the givens first, so
// that signs are kept where they can stand in for givens. A level that cannot
// be made within the bounds, or that does not grade as asked, sends the maker
// on to the next attempt, with the next seed derived from the last; so does
// an attempt that runs out of time. An attempt at an easy or medium level
// stops as soon as the techniques of its grade fail on clues that already
// leave one solution: its level, made of some of them, would grade harder.
// Neither that nor the techniques that prove clues unique without a search
// changes which level a seed makes.
//
// Everything random comes from the seeded generator of corvane/Numbers.h, and
// the search is asked only how many solutions there are, never which: the
// same seed and bounds make the same level on every platform, however the
// search goes about its work.
#pragma once

#include <cstdint>

#include "CNerekuEngine.h"
#include "solver/Steps.h"

constexpr int kSignPlaces = 108; // neighbour pairs inside the nine blocks
// The bounds of nereku make when none are given.
constexpr int kDefaultMaxGivens = kSquareCount;
constexpr int kDefaultMaxSigns = 8;

struct MakeOptions {
    int maxGivens = kSquareCount;
    int maxSigns = kSignPlaces;
    bool gradeWanted = false; // retry until the level grades as `grade`
    Grade grade = Grade::Easy;
    uint64_t seed = 0;
    int maxAttempts = 1000;
    // An attempt whose searches have taken this long is given up for the
    // next seed: a search can take seconds on a board with very few givens,
    // and a pathological one must not hang the tool. Only an attempt near
    // this limit can end differently on a faster machine.
    long attemptMilliseconds = 60000;
};

struct MadeLevel {
    uint64_t seed = 0; // the derived seed of the attempt that made the level
    int attempts = 0;
    int timedOut = 0; // attempts given up for time
    int givens = 0;
    int signs = 0;
    GradeReport report;
};

// The seed of the attempt after the one with `seed`.
uint64_t NextSeed(uint64_t seed);

// Makes a level and leaves it on the engine's board: the givens as numbers
// with `fixed` set, the signs in both halves, every other square empty with
// all its candidates. False when no attempt within `maxAttempts` succeeds;
// `made.attempts` tells how many were made.
bool MakeLevel(CNerekuEngine& engine, const MakeOptions& options, MadeLevel& made);
