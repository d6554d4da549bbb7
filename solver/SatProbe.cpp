// The board as a formula. Variable 9 * square + d says that the square holds
// digit d + 1. Each square holds one digit and each unit each digit once:
// both as "at least one" and as "no two". A sign says of each digit of one
// square that the other square holds one of the digits on its side of it;
// propagation then narrows both squares to their bounds, along chains of
// signs too. (Order variables, "the digit exceeds k", would say the same with
// shorter clauses, but do not pay: with the signs and the interval rule's
// reasons said by them, the turned slow boards of bench/data/README.md meet
// 7% more conflicts in 40% more time.) Where signs narrow squares to bounds,
// squares of a unit often share a row of digits that they must take between
// them: UnitIntervals sees that, beside the clauses, and on the slowest
// boards the solver then meets a third of the conflicts. The solver decides
// digit variables only, each true: "square i holds d", as the search does
// (deciding any variable, either way, meets a sixth more conflicts on the
// turned slow boards; deciding the square with the fewest digits left, as
// the search branches, twice as many on the board of bench/data/README.md
// that is slow in every turning).
//
// Measured on the turned slow boards too, and left out: probing every digit
// variable once the probe is made, so that those which propagation refutes
// are false for good (3% fewer conflicts, and the probing costs more than
// that); Hall's rule for any set of digits, not only for a row of them (3%
// more conflicts, nearly a third more time); and the rules of squares, units
// and signs kept by digit masks in a propagator instead of as clauses (the
// same time a conflict, 15% more conflicts). Asked of each struck digit as
// propagation takes it from the trail, rather than once propagation
// settles, such masks save a third of the solver's propagation and cost
// nearly as much themselves: the same time a conflict, and 10% more
// conflicts.
//
// What a block or a digit decides alone does not pay either. Clauses
// against each pair of digits that no filling of a block with its signs
// allows: 2% fewer conflicts on the turned slow boards and 4% more on the
// board that is slow in every turning, within the path's luck, and the
// fillings cost more than that. Of the 9,164 parts of the tree that the
// slow boards' questions found empty, the singles, the signs and each
// digit's placements over the whole grid (every way to put it once in each
// row, column and block) refute 1,650, and those had cost the solver 2,000
// of their 100,000 conflicts. The search's own narrowing, given as more
// assumptions, changes no conflict at all: propagation strikes all of it.
//
// Even the whole of it, for free, would leave the slowest boards slow. A
// rule asked after UnitIntervals struck each digit that no filling of its
// block with the signs holds, or no placement of the digit over the grid,
// each strike with a reason cut down to the struck digits it needs. The
// solver then met 16% fewer conflicts on the slow boards with the blocks,
// 27% with the digits and 43% with both, and 39% with both on the twenty
// slowest turned ones: at no cost, 15 of those twenty would still take over
// 100 ms, the slowest near 180 ms. Found by plain search, the fillings and
// placements made the solver over a hundred times slower.
#include "solver/SatProbe.h"

#include <algorithm>

#include "Units.h"

namespace {

SatLit Digit(int square, int d) {
    return PositiveLit(kDigitCount * square + d);
}

// Whether the literal strikes a digit off a square (a digit variable false).
bool StrikesDigit(SatLit lit) {
    return (lit & 1) != 0 && VarOf(lit) < kSquareCount * kDigitCount;
}

// "No two" of a square's digits, and of a digit in two peers (once for each
// pair of peers, though a pair may share two units): the same for every
// level, so all probes share them.
const SharedBinaries& SudokuBinaries() {
    static const SharedBinaries binaries = [] {
        std::vector<SatLit> pairs;
        for (int i = 0; i < kSquareCount; ++i) {
            for (int d = 0; d < kDigitCount; ++d) {
                for (int e = d + 1; e < kDigitCount; ++e) {
                    pairs.insert(pairs.end(), {Negated(Digit(i, d)), Negated(Digit(i, e))});
                }
            }
            for (int j = i + 1; j < kSquareCount; ++j) {
                if ((kUnits.unitSet[i] & kUnits.unitSet[j]) != 0) {
                    for (int d = 0; d < kDigitCount; ++d) {
                        pairs.insert(pairs.end(), {Negated(Digit(i, d)), Negated(Digit(j, d))});
                    }
                }
            }
        }
        return SharedBinaries(kSquareCount * kDigitCount, pairs);
    }();
    return binaries;
}

} // namespace

UnitIntervals::UnitIntervals() {
    std::fill(std::begin(open), std::end(open), static_cast<uint16_t>(kAllDigits));
}

void UnitIntervals::Backtracking(const SatSolver& solver, size_t size) {
    const std::vector<SatLit>& trail = solver.Trail();
    for (size_t k = size; k < trail.size(); ++k) {
        const SatLit lit = trail[k];
        if (StrikesDigit(lit)) {
            Restore(VarOf(lit));
        }
    }
    settled = std::min(settled, size);
}

void UnitIntervals::Settle(SatSolver& solver) {
    const std::vector<SatLit>& trail = solver.Trail();
    unsigned struck = 0;
    for (size_t k = settled; k < trail.size(); ++k) {
        const SatLit lit = trail[k];
        if (StrikesDigit(lit)) {
            Strike(VarOf(lit));
            struck |= kUnits.unitSet[VarOf(lit) / kDigitCount];
        }
    }
    settled = trail.size();
    for (unsigned dirty = struck; dirty != 0; dirty &= dirty - 1) {
        const int unit = LowestBit(dirty);
        const uint8_t* squares = kUnits.squares[unit];
        unsigned candidates[9];
        // For each digit, the squares whose lowest candidate it is, and those
        // whose highest it is.
        unsigned lowest[9] = {};
        unsigned highest[9] = {};
        for (int k = 0; k < 9; ++k) {
            const unsigned set = open[squares[k]];
            if (set == 0) {
                return; // propagation reports that
            }
            candidates[k] = set;
            lowest[LowestDigit(set) - 1] |= 1u << k;
            highest[HighestDigit(set) - 1] |= 1u << k;
        }
        // The squares whose candidates lie at or above each digit, and at
        // or below it.
        unsigned above[9];
        unsigned below[9];
        unsigned seen = 0;
        for (int d = 8; d >= 0; --d) {
            seen |= lowest[d];
            above[d] = seen;
        }
        seen = 0;
        for (int d = 0; d < 9; ++d) {
            seen |= highest[d];
            below[d] = seen;
        }
        for (int low = 0; low < 9; ++low) {
            for (int high = low + 1; high < 9 - (low == 0 ? 1 : 0); ++high) {
                const unsigned inside = above[low] & below[high];
                if (kSets.count[inside] < high - low + 1) {
                    continue;
                }
                const unsigned digits = ((2u << high) - 1) & ~((1u << low) - 1);
                if (!Take(solver, unit, candidates, inside, digits)) {
                    return;
                }
            }
        }
    }
}

bool UnitIntervals::Take(SatSolver& solver, int unit, const unsigned* candidates, unsigned inside,
                         unsigned digits) {
    const uint8_t* squares = kUnits.squares[unit];
    // No solution: more squares than digits, or a square outside that holds
    // one of them (`held`, else -1).
    const auto refute = [&](SatLit held) {
        conflict.clear();
        if (held >= 0) {
            conflict.push_back(held);
        }
        AddReason(unit, inside, digits, conflict);
        solver.Deduce(conflict.data(), static_cast<int>(conflict.size()));
        return false;
    };
    if (kSets.count[inside] > kSets.count[digits]) {
        return refute(-1);
    }
    for (unsigned outside = kAllDigits & ~inside; outside != 0; outside &= outside - 1) {
        const int k = LowestBit(outside);
        for (unsigned held = candidates[k] & digits; held != 0; held &= held - 1) {
            const SatLit lit = Negated(Digit(squares[k], LowestBit(held)));
            if (solver.Value(lit) < 0) {
                return refute(lit);
            }
            if (solver.Value(lit) == 0) {
                why[VarOf(lit)] = {static_cast<uint8_t>(unit), static_cast<uint16_t>(inside),
                                   static_cast<uint16_t>(digits)};
                Strike(VarOf(lit));
                solver.Imply(lit);
            }
        }
    }
    return true;
}

void UnitIntervals::AddReason(int unit, unsigned inside, unsigned digits,
                              std::vector<SatLit>& clause) const {
    const uint8_t* squares = kUnits.squares[unit];
    for (unsigned rest = inside; rest != 0; rest &= rest - 1) {
        const int square = squares[LowestBit(rest)];
        for (unsigned other = kAllDigits & ~digits; other != 0; other &= other - 1) {
            clause.push_back(Digit(square, LowestBit(other)));
        }
    }
}

void UnitIntervals::Explain(SatLit lit, std::vector<SatLit>& clause) const {
    const Why& reason = why[VarOf(lit)];
    clause.assign(1, lit);
    AddReason(reason.unit, reason.inside, reason.digits, clause);
}

SatProbe::SatProbe(const CheckedSigns& checked, const SignList& bounds, bool signCircle,
                   const SearchBoard& start)
    : solver(kSquareCount * kDigitCount, &SudokuBinaries(), kSquareCount * kDigitCount),
      circle(signCircle) {
    // The start's numbers, and the digits its empty squares have lost: known
    // first, they leave the clauses below shorter.
    for (int i = 0; i < kSquareCount; ++i) {
        if (start.numbers[i] != 0) {
            solver.AddClause({Digit(i, start.numbers[i] - 1)});
            continue;
        }
        for (unsigned lost = kAllDigits & ~unsigned{start.candidates[i]}; lost != 0;
             lost &= lost - 1) {
            solver.AddClause({Negated(Digit(i, LowestBit(lost)))});
        }
    }
    SatLit lits[kDigitCount];
    for (int i = 0; i < kSquareCount; ++i) {
        for (int d = 0; d < kDigitCount; ++d) {
            lits[d] = Digit(i, d);
        }
        solver.AddClause(lits, kDigitCount);
    }
    for (int u = 0; u < kUnitCount; ++u) {
        for (int d = 0; d < kDigitCount; ++d) {
            for (int k = 0; k < 9; ++k) {
                lits[k] = Digit(kUnits.squares[u][k], d);
            }
            solver.AddClause(lits, 9);
        }
    }
    if (AddSigns(checked, bounds)) {
        solver.SetPropagator(&intervals);
    }
}

bool SatProbe::AddSigns(const CheckedSigns& checked, const SignList& bounds) {
    if (checked.count == 0 || circle) {
        return false;
    }
    bool bounded[kSquareCount] = {};
    SatLit lits[kDigitCount];
    for (int n = 0; n < checked.count; ++n) {
        const int smaller = checked.pairs[n].smaller;
        const int greater = checked.pairs[n].greater;
        for (int d = 0; d < kDigitCount; ++d) {
            // Where the smaller holds d + 1, the greater holds more; where the
            // greater holds d + 1, the smaller holds less.
            int count = 0;
            lits[count++] = Negated(Digit(smaller, d));
            for (int e = d + 1; e < kDigitCount; ++e) {
                lits[count++] = Digit(greater, e);
            }
            solver.AddClause(lits, count);
            count = 0;
            lits[count++] = Negated(Digit(greater, d));
            for (int e = 0; e < d; ++e) {
                lits[count++] = Digit(smaller, e);
            }
            solver.AddClause(lits, count);
        }
        // What the chains of signs inside the block leave for the squares.
        for (const int i : {smaller, greater}) {
            for (unsigned lost = bounded[i] ? 0 : kAllDigits & ~unsigned{bounds.signs[i].keep};
                 lost != 0; lost &= lost - 1) {
                solver.AddClause({Negated(Digit(i, LowestBit(lost)))});
            }
            bounded[i] = true;
        }
    }
    return true;
}

// Whether the last solution found fits the board, `excluded` taken from the
// candidates of `square`.
bool SatProbe::Fits(const SearchBoard& board, int square, unsigned excluded) const {
    bool fits = haveSolution;
    for (int i = 0; i < kSquareCount && fits; ++i) {
        const unsigned candidates = board.numbers[i] != 0
                                        ? unsigned{DigitBit(board.numbers[i])}
                                        : board.candidates[i] & ~(i == square ? excluded : 0u);
        fits = (candidates >> lastSolution[i] & 1) != 0;
    }
    return fits;
}

void SatProbe::Assume(const Placement* path, int length, int square, unsigned excluded) {
    assumptions.clear();
    for (int k = 0; k < length; ++k) {
        assumptions.push_back(Digit(path[k].square, path[k].digit - 1));
    }
    for (unsigned digits = excluded; digits != 0; digits &= digits - 1) {
        assumptions.push_back(Negated(Digit(square, LowestBit(digits))));
    }
}

bool SatProbe::HasSolution(const SearchBoard& board, const Placement* path, int length, int square,
                           unsigned excluded) {
    return Ask(board, path, length, square, excluded, -1);
}

bool SatProbe::MayHaveSolution(const SearchBoard& board, const Placement* path, int length,
                               int square, unsigned excluded) {
    return Ask(board, path, length, square, excluded, 0);
}

// With no budget the solver answers in full; with none for conflicts it
// answers Unsatisfiable or Unknown, never Satisfiable.
bool SatProbe::Ask(const SearchBoard& board, const Placement* path, int length, int square,
                   unsigned excluded, long conflictBudget) {
    if (circle) {
        return false;
    }
    if (Fits(board, square, excluded)) {
        return true;
    }
    Assume(path, length, square, excluded);
    const SatResult result =
        solver.Solve(assumptions.data(), static_cast<int>(assumptions.size()), conflictBudget);
    if (result == SatResult::Satisfiable) {
        KeepModel();
    }
    return result != SatResult::Unsatisfiable;
}

void SatProbe::KeepModel() {
    for (int i = 0; i < kSquareCount; ++i) {
        for (int d = 0; d < kDigitCount; ++d) {
            if (solver.ModelValue(VarOf(Digit(i, d)))) {
                lastSolution[i] = static_cast<uint8_t>(d);
            }
        }
    }
    haveSolution = true;
}

// Each solution found is shut out by a clause that holds only for this count:
// not all of the solver's decisions that led to it (they imply the whole
// solution). The clauses name a variable of the count's own, assumed during
// the count and retired after it, so that neither they nor what the solver
// learns from them binds any later question; the next question keeps the
// levels of the assumptions it shares with the count.
bool SatProbe::CountSolutions(const Placement* path, int length, int square, unsigned excluded,
                              int most, long conflictBudget, std::vector<SolvedNumbers>& found) {
    found.clear();
    if (circle) {
        return true;
    }
    const SatLit own = PositiveLit(solver.AddVariable());
    Assume(path, length, square, excluded);
    assumptions.push_back(own);
    std::vector<SatLit> shutOut;
    long stopAt = -1; // once one is found, unless the budget is none
    SatResult result = SatResult::Unknown;
    while (static_cast<int>(found.size()) < most) {
        const long budget = stopAt < 0 ? -1 : std::max(0L, stopAt - solver.Conflicts());
        result = solver.Solve(assumptions.data(), static_cast<int>(assumptions.size()), budget);
        if (result != SatResult::Satisfiable) {
            break;
        }
        if (found.empty() && conflictBudget >= 0) {
            stopAt = solver.Conflicts() + conflictBudget;
        }
        KeepModel();
        SolvedNumbers& numbers = found.emplace_back();
        for (int i = 0; i < kSquareCount; ++i) {
            numbers[i] = static_cast<uint8_t>(lastSolution[i] + 1);
        }
        shutOut.assign(1, Negated(own));
        for (const SatLit decision : solver.ModelDecisions()) {
            shutOut.push_back(Negated(decision));
        }
        solver.AddClauseAfterModel(shutOut.data(), static_cast<int>(shutOut.size()));
    }
    solver.Retire(VarOf(own));
    return result == SatResult::Unsatisfiable;
}
