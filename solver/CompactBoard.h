// The search's own copy of the board: one 9-bit candidate set and one number
// a square, with a few facts about the whole board kept up to date, so that a
// branch's backup is a small copy and the rules work on whole candidate sets.
//
// The rules and checks here leave exactly the board, and give exactly the
// results, of the engine's member rules and checks on the Square records: the
// search on this board stores the same solutions, in the same order, as the
// search on the squares. A board converts both ways only while every number
// is 0 to 9 and every flag 0 or 1; the search keeps other boards on the
// squares.
#pragma once

#include <cstdint>

#include "Grid.h"

class CDataCube;

// Units are numbered 0 to 26: rows 0 to 8, columns 9 to 17, blocks 18 to 26.
constexpr int kUnitCount = 27;

struct CompactBoard {
    uint16_t candidates[kSquareCount]; // bit d - 1 set while d is a candidate
    uint8_t numbers[kSquareCount];     // 0: empty; 1 to 9: the digit
    // Derived from the two arrays above, and kept with them.
    uint16_t unitDigits[kUnitCount]; // the digits placed in each unit
    // For each unit and digit, how many empty squares of the unit have the
    // digit as a candidate: bit d - 1 of plane k is bit k of that count.
    uint16_t openCounts[kUnitCount][4];
    uint8_t emptySquares; // how many squares have no number
    bool repeated;        // a unit holds a digit twice
    bool stranded;        // an empty square has no candidate left
};

// Whether the squares hold only values the compact board keeps exactly:
// numbers 0 to 9, givens and candidate flags 0 or 1.
bool FitsCompactBoard(const Square* squares);

void LoadCompactBoard(const Square* squares, CompactBoard& board);
// Writes the numbers and candidate flags back; `fixed` is left as it is.
void StoreCompactBoard(const CompactBoard& board, Square* squares);

// A set of squares, one bit a square.
struct SquareSet {
    uint64_t words[2] = {0, 0};
    void Add(int index) { words[index >> 6] |= uint64_t{1} << (index & 63); }
    void Add(const SquareSet& other) {
        words[0] |= other.words[0];
        words[1] |= other.words[1];
    }
    // Removes and returns the first square at or after `from`; -1 when none.
    int TakeFrom(int from);
};

// The rules, the checks and the search step on a compact board, for one set
// of signs. The signs are read once, when the solver is made; the masks may
// hold any bits (a sign bit pointing out of its block is passed over, as the
// member rule does).
//
// The search's rules look only at what changed since they last ran: the
// candidates only ever shrink and numbers are only ever added, so a rule that
// found nothing to do on a square finds nothing again until it changes. What
// changed is noted in a worklist as the board changes.
class CompactSolver {
public:
    CompactSolver(const EdgeMask* edgeMasks, bool levelHasEdges);

    // The four rules on a whole board; each returns true when it changed
    // the board.
    bool SetSingleNumbers(CompactBoard& board) const;
    bool MarkOffNeighbours(CompactBoard& board) const;
    bool SetUniqueNumbers(CompactBoard& board) const;
    bool MarkOffEdgeLimited(CompactBoard& board) const;
    // The rules in passes until a pass changes nothing; the sign rule only
    // when the level has signs.
    void Propagate(CompactBoard& board) const;

    bool IsCorrect(const CompactBoard& board) const { return Judge(board).correct; }
    bool IsPossible(const CompactBoard& board) const { return Judge(board).possible; }
    // Whether some unit has a digit that is neither placed in it nor a
    // candidate of any of its empty squares: then the board has no completion.
    static bool MissesADigit(const CompactBoard& board);
    // The first empty square in row-major order with the fewest candidates;
    // false, with `index` untouched, on a full board.
    static bool FindLowest(const CompactBoard& board, int* index);

    // The search step: propagate, store a solved board (`fixed` supplies the
    // givens of the stored image), else branch on the lowest square with the
    // digits in increasing order. Each branch restores the board; the top
    // level's propagation stays on it. A board that misses a digit is not
    // branched on: the member search would go on there, sometimes for
    // seconds, but no branch below it can store anything, so the results are
    // the same.
    void Search(CompactBoard& board, unsigned char depth, int maxSolutions,
                const unsigned char* fixed, CDataCube& solutions) const;

private:
    // What changed since each rule last looked. Empty again whenever a
    // propagation has ended, so one worklist serves a whole search.
    struct Worklist {
        SquareSet singles;            // empty squares that may have one candidate left
        SquareSet signSquares;        // squares whose sign neighbours changed
        uint8_t placed[kSquareCount]; // numbers not yet struck from their peers
        int placedCount = 0;
    };
    // A worklist that has every rule look at the whole board.
    Worklist WholeBoard(const CompactBoard& board) const;

    void Place(CompactBoard& board, Worklist& work, int index, int digit) const;
    // Notes that an empty square lost the candidates `lost`.
    void CandidatesLost(CompactBoard& board, Worklist& work, int index, unsigned lost) const;
    bool SetSingleNumbers(CompactBoard& board, Worklist& work) const;
    bool MarkOffNeighbours(CompactBoard& board, Worklist& work) const;
    bool SetUniqueNumbers(CompactBoard& board, Worklist& work) const;
    bool MarkOffEdgeLimited(CompactBoard& board, Worklist& work) const;
    void Propagate(CompactBoard& board, Worklist& work) const;
    void SearchStep(CompactBoard& board, Worklist& work, unsigned char depth, int maxSolutions,
                    const unsigned char* fixed, CDataCube& solutions) const;

    struct Verdict {
        bool correct;
        bool possible;
    };
    Verdict Judge(const CompactBoard& board) const;
    static void StoreSolution(const CompactBoard& board, const unsigned char* fixed,
                              CDataCube& solutions);

    // A square's signs as the sign rule reads them: its neighbours in the
    // order up, right, down, left, each to be exceeded or to stay below.
    struct SignRuleSquare {
        uint8_t count;
        uint8_t neighbours[4];
        bool greater[4];
        uint16_t keep; // what the number of signs alone leaves possible
    };
    bool useSignRule;
    SquareSet signRuleSquares;          // the squares with a sign the rule reads
    SignRuleSquare signs[kSquareCount]; // filled for those squares
    SquareSet readers[kSquareCount];    // the sign squares that read a square,
                                        // kept only when the search uses signs

    // The signs as the checks read them: number[smaller] < number[greater].
    struct Ordered {
        uint8_t smaller;
        uint8_t greater;
    };
    Ordered ordered[9 * 12];
    int orderedCount = 0;
};
