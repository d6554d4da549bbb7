// CNerekuEngine: the portable puzzle engine. It holds the board (the squares
// and their inequality signs), the solution list, and every operation that
// reads or changes them: the rule checks, the elimination rules, the search,
// the level file and the random grid. The application class CNerekuSudoku
// derives from it, so these operations are the game's own members; nothing
// here knows of windows.
//
// Every operation catches all exceptions, reports them through OnException
// and then returns (false where it returns a bool).
#pragma once

#include "corvane/CDataCube.h"
#include "model/Grid.h"

// Why a level file could not be read.
enum class GridFileError {
    None,
    CannotOpen, // missing, unreadable, or a path that does not fit
    TooShort,   // fewer than 972 bytes
    OutOfRange, // a number above 9, or a given or candidate flag other than 0 and 1
};

class CNerekuEngine {
public:
    CNerekuEngine();
    virtual ~CNerekuEngine() = default;
    CNerekuEngine(const CNerekuEngine&) = delete;
    CNerekuEngine& operator=(const CNerekuEngine&) = delete;

    // ---- The board.
    Square squares[kSquareCount];
    EdgeMask edgeMasks[kSquareCount];
    // Whether any sign stands on the board: set when a level is read. The
    // search applies the sign rule only when it is set.
    bool levelHasEdges = false;
    // The solutions found by the last search: one column "Solution", one
    // 891-byte square block image a row, in the order they were found.
    CDataCube solutions;

    // Makes the board the empty grid: 81 empty squares, no signs.
    void ResetGrid();

    // ---- Checks of a full or partial board (model/CheckSolution.cpp).
    bool CheckSolution_IsCorrect_Row(unsigned char row);
    bool CheckSolution_IsCorrect_Col(unsigned char column);
    bool CheckSolution_IsCorrect_Block(unsigned char block);
    bool CheckSolution_IsCorrect_Edges(unsigned char block);
    bool CheckSolution_IsCorrect();
    bool CheckSolution_IsPossible_Edges(unsigned char block);
    bool CheckSolution_IsPossible();

    // ---- Elimination rules (solver/EliminationRules.cpp). Each returns true
    // when it changed the board.
    bool SolveLevel_SetSingleNumbersToDetermined();
    bool SolveLevel_MarkOffNeighboursOfDeterminedNumbers();
    bool SolveLevel_SetUniqueNumbersToDetermined();
    bool SolveLevel_MarkOffEdgeLimitedNumbers();
    bool SolveLevel_FindLowestPossibleSquares(unsigned char* row, unsigned char* column);

    // ---- The search (solver/SolveLevel_Iter.cpp). Appends every solution
    // found to `solutions`; opens no new branch once `maxSolutions` are stored.
    void SolveLevel_Iter(unsigned char depth, int maxSolutions);
    // The same search step written with the member rules above, square by
    // square. SolveLevel_Iter gives exactly its results, faster; this one
    // serves boards outside the usual value ranges and is the tests' yardstick.
    void SolveLevel_IterPlain(unsigned char depth, int maxSolutions);

    // ---- Level files (levels/GridFile.cpp): 81 mask bytes, then 891 bytes of
    // squares. Reading replaces the board only when the whole file is sound.
    bool ReadGridFile(const wchar_t* path, GridFileError* error = nullptr);
    bool WriteGridFile(const wchar_t* path);
    // The same decoding, from bytes in memory.
    bool LoadGridImage(const unsigned char* bytes, size_t length, GridFileError* error = nullptr);
    void StoreGridImage(unsigned char (&bytes)[kGridFileSize]) const;

    // ---- Random grid (modes/RandomGrid.cpp): a plain sudoku with `count`
    // givens (0 to 81) taken from one solution of a random seed grid. Leaves
    // the givens on the board and clears every sign.
    bool GenerateRandomGrid(unsigned char count);

protected:
    // The search and the generator keep the board and restore it themselves.
    void PropagateUntilStable();
};
