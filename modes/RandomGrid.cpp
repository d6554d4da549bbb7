// The random level's board: a random seed grid of at least 20 numbers that
// the search can complete, one of its completions chosen at random, and the
// requested number of that completion's squares revealed as givens. The draws
// come in a fixed order (digit, row, column), so a seeded random source
// gives the same level every time.
#include <cstring>

#include "CNerekuEngine.h"
#include "corvane/Numbers.h"

namespace {

constexpr int kSeedNumbers = 20;

// Whether `digit` already stands in row r, column c or the block of (r, c);
// the square itself is part of all three.
bool DigitStandsNear(const Square* squares, int digit, int r, int c) {
    for (int k = 0; k < 9; ++k) {
        if (squares[SquareIndex(r, k)].number == digit ||
            squares[SquareIndex(k, c)].number == digit ||
            squares[BlockSquare(BlockOf(r, c), k)].number == digit) {
            return true;
        }
    }
    return false;
}

} // namespace

bool CNerekuEngine::GenerateRandomGrid(unsigned char count) {
    if (count > kSquareCount) {
        return false; // the reveal could never end
    }
    ResetGrid();

    // Seed phase: place numbers that break no rule until there are 20,
    // then add one more after each seed grid that has no completion. An
    // accepted draw on a filled square replaces its number.
    int placed = 0;
    int last = 0;
    for (;;) {
        const int digit = GetRandomNumber(1, 9);
        const int r = GetRandomNumber(0, 8);
        const int c = GetRandomNumber(0, 8);
        if (DigitStandsNear(squares, digit, r, c)) {
            continue;
        }
        last = SquareIndex(r, c);
        if (squares[last].number == 0) {
            ++placed;
        }
        squares[last].number = static_cast<unsigned char>(digit);
        if (placed < kSeedNumbers) {
            continue;
        }
        if (SolveLevel_FindSolutions() > 0) {
            break;
        }
        squares[last].number = 0;
        --placed;
    }

    // One completion, chosen at random.
    const int chosen = GetRandomNumber(0, solutions.GetRowCount() - 1);
    if (solutions.GetColumnLen(chosen, 0) != kSquareImageSize) {
        return false;
    }
    Square solution[kSquareCount];
    std::memcpy(solution, solutions.GetValue(chosen, 0, nullptr, true), kSquareImageSize);

    // Reveal `count` distinct squares of it as givens.
    ResetGrid();
    int revealed = 0;
    while (revealed < count) {
        const int r = GetRandomNumber(0, 8);
        const int c = GetRandomNumber(0, 8);
        Square& square = squares[SquareIndex(r, c)];
        if (square.number != 0) {
            continue;
        }
        square = solution[SquareIndex(r, c)];
        square.fixed = 1;
        ++revealed;
    }
    return true;
}
