// The board as a formula. Variable 9 * square + d says that the square holds
// digit d + 1. Each square holds one digit and each unit each digit once:
// both as "at least one" and as "no two". A sign says of each digit of one
// square that the other square holds one of the digits on its side of it;
// propagation then narrows both squares to their bounds, along chains of
// signs too. (Order variables, "the digit exceeds k", would say the same with
// shorter clauses, but cost more assignments than they save.) The solver
// decides digit variables only, each true: "square i holds d", as the search
// does.
#include "solver/SatProbe.h"

#include "Units.h"

namespace {

SatLit Digit(int square, int d) {
    return PositiveLit(kDigitCount * square + d);
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
    AddSigns(checked, bounds);
}

void SatProbe::AddSigns(const CheckedSigns& checked, const SignList& bounds) {
    if (checked.count == 0 || circle) {
        return;
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
// the count and false for good after it, so that neither they nor what the
// solver learns from them binds any later question.
bool SatProbe::CountSolutions(const Placement* path, int length, int square, unsigned excluded,
                              int most, std::vector<SolvedNumbers>& found) {
    found.clear();
    if (circle) {
        return true;
    }
    const SatLit own = PositiveLit(solver.AddVariable());
    Assume(path, length, square, excluded);
    assumptions.push_back(own);
    std::vector<SatLit> shutOut;
    while (static_cast<int>(found.size()) < most &&
           solver.Solve(assumptions.data(), static_cast<int>(assumptions.size())) ==
               SatResult::Satisfiable) {
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
    solver.AddClause({Negated(own)});
    return static_cast<int>(found.size()) < most;
}
