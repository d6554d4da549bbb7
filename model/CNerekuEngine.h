// CNerekuEngine: the portable puzzle engine. It holds the board (the squares
// and their inequality signs), the solution list, and every operation that
// reads or changes them: the rule checks, the elimination rules, the search,
// the level file and the random grid. The application class CNerekuSudoku
// derives from it, so these operations are the game's own members; nothing
// here knows of windows.
//
// The checks (CheckSolution_...) and the elimination rules and search
// (SolveLevel_...) catch all exceptions, report them through OnException and
// then return (false where they return a bool). The other operations are
// helpers of the game's operations, which catch for them.
#pragma once

#include "Grid.h"
#include "corvane/CDataCube.h"

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
    // The solutions found by the last search: one column "Solution", one
    // 891-byte square block image a row, in the order they were found.
    CDataCube solutions;

    // Makes the board the empty grid: 81 empty squares, no signs.
    void ResetGrid();

    // Whether any sign stands on the board. The search applies the sign rule
    // only when it is set. Every operation that changes the signs keeps it
    // true to them; a caller that writes `edgeMasks` itself calls
    // UpdateLevelHasEdges afterwards.
    bool LevelHasEdges() const { return levelHasEdges; }
    void UpdateLevelHasEdges();

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

    // ---- The search (solver/SolveLevel_Iter.cpp).
    // The solutions of the board as it stands: empties `solutions`, fills it
    // with the solutions in the order the search finds them (up to the limit,
    // as SolveLevel_Iter counts it) and leaves the board exactly as it was.
    // Returns how many were found. The Solve command, the random generator
    // and the tool all search through it.
    int SolveLevel_FindSolutions(int maxSolutions = kSolutionLimit);
    static constexpr int kSolutionLimit = 100;

    // One step of the search: propagation by the four rules, then branching
    // on the square with the fewest candidates, the digits in increasing
    // order. Appends every solution found to `solutions` and opens no new
    // branch once `maxSolutions` rows are stored; `depth` is the number of
    // branching levels still allowed. The top level's propagation stays on
    // the board. A board with a number above 9, or a given or candidate byte
    // other than 0 and 1, breaks the grid's invariants: it is left as it is
    // and nothing is stored.
    void SolveLevel_Iter(unsigned char depth, int maxSolutions);

    // ---- Level files (levels/GridFile.cpp): 81 mask bytes, then 891 bytes of
    // squares. Reading replaces the board only when the whole file is sound.
    bool ReadGridFile(const wchar_t* path, GridFileError* error = nullptr);
    // Replaces the file as a whole, or leaves the previous file as it was
    // and returns false.
    bool WriteGridFile(const wchar_t* path);
    // Writes the board as a level: every number a given, every given a
    // number. Only when the file is written do the board's `fixed` bytes
    // follow; a failed write changes nothing.
    bool WriteLevelFile(const wchar_t* path);
    // The same decoding, from bytes in memory.
    bool LoadGridImage(const unsigned char* bytes, size_t length, GridFileError* error = nullptr);
    void StoreGridImage(unsigned char (&bytes)[kGridFileSize]) const;

    // ---- The player's clicks (modes/PlayerInput.cpp), on square `index`
    // (0 to 80) and candidate `digit` (1 to 9). A given never changes: both
    // return false for it, true when the square changed.
    // The left button erases the player's number (every candidate back) or
    // writes `digit` (its only candidate).
    bool PlayerWriteOrErase(int index, int digit);
    // The right button empties a numbered square and keeps its candidates;
    // on an empty square it strikes `digit` out or back in, and a square
    // left with one candidate takes that number.
    bool PlayerToggleCandidate(int index, int digit);

    // ---- The editor's clicks (modes/EditorInput.cpp). Givens are not
    // protected. The left button empties a numbered square or sets it to
    // `digit`, its `fixed` left as it was.
    void EditorWriteOrErase(int index, int digit);
    // The right button steps the sign between square `owner` and its
    // neighbour in direction `side`: none, then the owner the greater, then
    // the owner the smaller, then none again. Both halves change together.
    // A side that leaves the owner's block changes nothing (false).
    bool EditorStepSign(int owner, SignDirectionIndex side);

    // ---- Random grid (modes/RandomGrid.cpp): a plain sudoku with `count`
    // givens (0 to 81) taken from one solution of a random seed grid. Leaves
    // the givens on the board and clears every sign.
    bool GenerateRandomGrid(unsigned char count);

protected:
    bool levelHasEdges = false;
};
