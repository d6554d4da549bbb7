#include "PlainSearch.h"

#include <cstring>

void PlainPropagate(CNerekuEngine& engine) {
    bool changed = true;
    while (changed) {
        changed = engine.SolveLevel_SetSingleNumbersToDetermined();
        changed |= engine.SolveLevel_MarkOffNeighboursOfDeterminedNumbers();
        changed |= engine.SolveLevel_SetUniqueNumbersToDetermined();
        if (engine.LevelHasEdges()) {
            changed |= engine.SolveLevel_MarkOffEdgeLimitedNumbers();
        }
    }
}

void PlainSearch(CNerekuEngine& engine, unsigned char depth, int maxSolutions) {
    PlainPropagate(engine);
    CDataCube& solutions = engine.solutions;
    if (engine.CheckSolution_IsCorrect()) {
        const int row = solutions.AddRow(-1, 0);
        if (row >= 0 && row < solutions.GetRowCount()) {
            solutions.SetValue(row, 0, engine.squares, kSquareImageSize, true);
        }
        return;
    }
    if (!engine.CheckSolution_IsPossible() || depth == 0 ||
        solutions.GetRowCount() >= maxSolutions) {
        return;
    }
    unsigned char row = 0;
    unsigned char column = 0;
    if (!engine.SolveLevel_FindLowestPossibleSquares(&row, &column)) {
        return;
    }
    Square backup[kSquareCount];
    std::memcpy(backup, engine.squares, kSquareImageSize);
    Square& chosen = engine.squares[SquareIndex(row, column)];
    for (int digit = 1; digit <= kDigitCount; ++digit) {
        if (chosen.possible[digit - 1]) {
            SetSquareToDigit(chosen, static_cast<unsigned char>(digit));
            PlainSearch(engine, static_cast<unsigned char>(depth - 1), maxSolutions);
            std::memcpy(engine.squares, backup, kSquareImageSize);
        }
    }
}
