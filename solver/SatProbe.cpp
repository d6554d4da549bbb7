// The board as a formula. Variable 9 * square + d says that the square holds
// digit d + 1. Each square holds one digit and each unit each digit once:
// both as "at least one" and as "no two". A square with signs also has eight
// order variables, "the digit exceeds k" for k = 1 to 8, tied to its digit
// variables; a sign then is eight binary clauses between the order variables
// of its two squares, which carry bounds along chains of signs at once.
// The solver decides digit variables only, each true: "square i holds d",
// as the search does; the order variables follow from them.
#include "solver/SatProbe.h"

#include "Units.h"

namespace {

SatLit Digit(int square, int d) {
    return PositiveLit(kDigitCount * square + d);
}

int SignedSquares(const CheckedSigns& checked) {
    SquareSet squares;
    int count = 0;
    for (int n = 0; n < checked.count; ++n) {
        for (const int square : {checked.pairs[n].smaller, checked.pairs[n].greater}) {
            const bool known = (squares.words[square >> 6] >> (square & 63)) & 1;
            count += known ? 0 : 1;
            squares.Add(square);
        }
    }
    return count;
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
    : solver(kSquareCount * kDigitCount + 8 * SignedSquares(checked), &SudokuBinaries(),
             kSquareCount * kDigitCount),
      circle(signCircle) {
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
    // The start's numbers, and the digits its empty squares have lost.
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
}

void SatProbe::AddSigns(const CheckedSigns& checked, const SignList& bounds) {
    if (checked.count == 0 || circle) {
        return;
    }
    // Order variables: exceeds[i] + k - 1 says the digit of square i exceeds k.
    int exceeds[kSquareCount];
    int next = kSquareCount * kDigitCount;
    for (int i = 0; i < kSquareCount; ++i) {
        exceeds[i] = -1;
    }
    for (int n = 0; n < checked.count; ++n) {
        for (const int i : {checked.pairs[n].smaller, checked.pairs[n].greater}) {
            if (exceeds[i] >= 0) {
                continue;
            }
            exceeds[i] = next;
            next += 8;
            auto over = [&](int k) { return PositiveLit(exceeds[i] + k - 1); };
            for (int k = 1; k < 8; ++k) {
                solver.AddClause({Negated(over(k + 1)), over(k)});
            }
            // Digit d + 1 exceeds d and not d + 1, and those two make it d + 1.
            solver.AddClause({over(1), Digit(i, 0)});
            solver.AddClause({Negated(over(8)), Digit(i, 8)});
            for (int d = 1; d < kDigitCount; ++d) {
                solver.AddClause({Negated(Digit(i, d)), over(d)});
                if (d < 8) {
                    solver.AddClause({Negated(Digit(i, d)), Negated(over(d + 1))});
                    solver.AddClause({Negated(over(d)), over(d + 1), Digit(i, d)});
                }
            }
            solver.AddClause({Negated(Digit(i, 0)), Negated(over(1))});
            // What the chains of signs inside the block leave for the square.
            for (int d = 0; d < kDigitCount; ++d) {
                if ((bounds.signs[i].keep >> d & 1) == 0) {
                    solver.AddClause({Negated(Digit(i, d))});
                }
            }
        }
        // smaller < greater: where the smaller exceeds k, the greater exceeds k + 1.
        const int smaller = exceeds[checked.pairs[n].smaller];
        const int greater = exceeds[checked.pairs[n].greater];
        solver.AddClause({PositiveLit(greater)});
        solver.AddClause({NegativeLit(smaller + 7)});
        for (int k = 1; k < 8; ++k) {
            solver.AddClause({NegativeLit(smaller + k - 1), PositiveLit(greater + k)});
        }
    }
}

bool SatProbe::HasSolution(const SearchBoard& board, const Placement* path, int length, int square,
                           unsigned excluded) {
    ++questions;
    if (circle) {
        return false;
    }
    bool fits = haveSolution;
    for (int i = 0; i < kSquareCount && fits; ++i) {
        const unsigned candidates = board.numbers[i] != 0
                                        ? unsigned{DigitBit(board.numbers[i])}
                                        : board.candidates[i] & ~(i == square ? excluded : 0u);
        fits = (candidates >> lastSolution[i] & 1) != 0;
    }
    if (fits) {
        return true;
    }
    ++solved;
    assumptions.clear();
    for (int k = 0; k < length; ++k) {
        assumptions.push_back(Digit(path[k].square, path[k].digit - 1));
    }
    for (unsigned digits = excluded; digits != 0; digits &= digits - 1) {
        assumptions.push_back(Negated(Digit(square, LowestBit(digits))));
    }
    if (solver.Solve(assumptions.data(), static_cast<int>(assumptions.size())) !=
        SatResult::Satisfiable) {
        return false;
    }
    for (int i = 0; i < kSquareCount; ++i) {
        for (int d = 0; d < kDigitCount; ++d) {
            if (solver.ModelValue(VarOf(Digit(i, d)))) {
                lastSolution[i] = static_cast<uint8_t>(d);
            }
        }
    }
    haveSolution = true;
    return true;
}
