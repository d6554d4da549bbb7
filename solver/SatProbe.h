// Whether a board has any solution at all, and which, answered in full by
// the SAT solver. The game's search asks it before going on into a part of
// the tree that has grown large: a part without solution stores nothing, so
// it may be cut without changing the results; a part of a few solutions may
// be counted at once, and they are then stored in the search's order.
//
// A solution here is what the game's search can store below a board: its
// numbers kept, every empty square given one of its candidates, every unit
// complete, and every sign the checks read obeyed. The rules of that (units
// and signs) and the board the search starts from are the solver's formula,
// built once for the search. A question names a board below the start by the
// digits placed on the way down to it, as assumptions: the search's own
// narrowing on the way only drops digits that no such solution has, so a
// board without solution for the solver has none for the search either.
// Where the search narrows in the free order, it also stores every such
// solution below a board, so that a count finds exactly what the branches
// below it store. One question shares most of its way with the last one, so
// the solver keeps their common part, and what it learns serves all later
// questions.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/SatSolver.h"
#include "solver/SignLists.h"

// A digit placed by a branch of the search.
struct Placement {
    uint8_t square;
    uint8_t digit;
};

// Within a unit, k squares whose candidates all lie among k digits in a
// row take those digits between them, so that no other square of the unit
// holds one: the form of Hall's rule that signs make common (they narrow
// squares to bounds), and that unit propagation does not see. Asked by the
// solver each time its propagation settles, it looks again at the units
// where a digit was struck since. (Looking only where a square's lowest or
// highest digit was struck gives the same answers in the same order with
// 2.5% fewer instructions, and no time that can be measured.) The probe asks
// it on levels with signs.
class UnitIntervals : public SatPropagator {
public:
    UnitIntervals();
    void Settle(SatSolver& solver) override;
    void Explain(SatLit lit, std::vector<SatLit>& clause) const override;
    void Backtracking(const SatSolver& solver, size_t size) override;

private:
    // Why a digit was struck: the squares `inside` (places 0 to 8) of the
    // unit had only the digits `digits` left between them.
    struct Why {
        uint8_t unit;
        uint16_t inside;
        uint16_t digits;
    };
    // The digits `digits` (a row of them) are taken by the squares `inside`
    // of the unit: strikes them from its other squares, where any is left;
    // false on a conflict.
    bool Take(SatSolver& solver, int unit, const unsigned* candidates, unsigned inside,
              unsigned digits);
    // Adds to `clause` the literals saying that the squares `inside` of the
    // unit hold a digit other than `digits`: all false when it is deduced.
    void AddReason(int unit, unsigned inside, unsigned digits, std::vector<SatLit>& clause) const;
    // A digit variable's digit struck off its square, and put back.
    void Strike(int var) {
        open[var / kDigitCount] &= static_cast<uint16_t>(~DigitBit(var % kDigitCount + 1));
    }
    void Restore(int var) { open[var / kDigitCount] |= DigitBit(var % kDigitCount + 1); }

    Why why[kSquareCount * kDigitCount] = {};

    // How much of the trail was settled: each settling leaves no deduction
    // undone, so a unit needs a look only once a digit of it is struck
    // beyond that. Backtracking cuts it back with the trail.
    size_t settled = 0;
    // The digits each square has left: those struck on the settled part of
    // the trail, or by this rule since, are gone.
    uint16_t open[kSquareCount];
    std::vector<SatLit> conflict;
};

class SatProbe {
public:
    // `checked`: the signs the checks hold; `bounds`: the same as
    // ReadCheckedSigns reads them, with `circle` its answer; `start`: the
    // board every later question lies below.
    SatProbe(const CheckedSigns& checked, const SignList& bounds, bool circle,
             const SearchBoard& start);

    // Whether the board reached from the start by the placements of `path`,
    // and with the digits `excluded` taken from the candidates of square
    // `square`, has a solution. `board` is that board as the search holds it
    // (or narrower): a solution found before that fits it answers at once.
    bool HasSolution(const SearchBoard& board, const Placement* path = nullptr, int length = 0,
                     int square = 0, unsigned excluded = 0);
    // The same question answered by propagation alone: false only where the
    // board has no solution, true where it may have one.
    bool MayHaveSolution(const SearchBoard& board, const Placement* path, int length, int square,
                         unsigned excluded);

    // The solutions of that board, up to `most` of them, into `found`, in an
    // order of the solver's own: true where they are all of them (fewer than
    // `most`). Once it has found one, the count gives up after
    // `conflictBudget` conflicts more (negative: never): false.
    bool CountSolutions(const Placement* path, int length, int square, unsigned excluded, int most,
                        long conflictBudget, std::vector<SolvedNumbers>& found);

private:
    // Either question, with the solver's budget of conflicts (-1: none).
    bool Ask(const SearchBoard& board, const Placement* path, int length, int square,
             unsigned excluded, long conflictBudget);
    bool Fits(const SearchBoard& board, int square, unsigned excluded) const;
    void KeepModel();
    void Assume(const Placement* path, int length, int square, unsigned excluded);
    // False where the level has no signs to add (none, or a circle of them).
    bool AddSigns(const CheckedSigns& checked, const SignList& bounds);

    UnitIntervals intervals;
    SatSolver solver;
    bool circle;
    std::vector<SatLit> assumptions;
    // The last solution found: a board it fits has a solution, and the next
    // question is often about a part of the tree that still holds it.
    uint8_t lastSolution[kSquareCount] = {};
    bool haveSolution = false;
};
