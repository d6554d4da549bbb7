// The SAT solver against counting every assignment, on random formulas asked
// many questions in a row (so that learnt clauses carry over between them,
// some with chosen variables decided first, and each asked by propagation
// alone first),
// on counting every model of such questions, with a propagator beside the
// clauses, and on a formula that needs thousands of conflicts.
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "solver/SatSolver.h"

namespace {

using Clause = std::vector<SatLit>;

bool Holds(SatLit lit, unsigned assignment) {
    return ((assignment >> VarOf(lit)) & 1) != static_cast<unsigned>(lit & 1);
}

bool Satisfies(const std::vector<Clause>& clauses, const std::vector<SatLit>& assumptions,
               unsigned assignment) {
    for (const SatLit lit : assumptions) {
        if (!Holds(lit, assignment)) {
            return false;
        }
    }
    for (const Clause& clause : clauses) {
        bool any = false;
        for (const SatLit lit : clause) {
            any = any || Holds(lit, assignment);
        }
        if (!any) {
            return false;
        }
    }
    return true;
}

// Random literals over the first `vars` variables, and the model of the
// solver's last answer as one bit a variable.
class Random {
public:
    explicit Random(unsigned seed) : rng(seed) {}
    int Below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    std::vector<SatLit> Lits(int vars, int count) {
        std::vector<SatLit> lits;
        for (int k = 0; k < count; ++k) {
            lits.push_back(2 * Below(vars) + Below(2));
        }
        return lits;
    }

private:
    std::mt19937 rng;
};

unsigned ModelOf(const SatSolver& solver, int vars) {
    unsigned model = 0;
    for (int var = 0; var < vars; ++var) {
        model |= solver.ModelValue(var) ? 1u << var : 0u;
    }
    return model;
}

// Whether the solver answers as trying every assignment did (`expected`),
// with a model that `holds` where it has one.
template <typename Holds>
testing::AssertionResult AnswersAsExpected(SatSolver& solver,
                                           const std::vector<SatLit>& assumptions, int vars,
                                           bool expected, Holds holds) {
    const SatResult result = solver.Solve(assumptions.data(), static_cast<int>(assumptions.size()));
    if (result != (expected ? SatResult::Satisfiable : SatResult::Unsatisfiable)) {
        return testing::AssertionFailure() << "the wrong answer";
    }
    if (expected && !holds(ModelOf(solver, vars))) {
        return testing::AssertionFailure() << "a model that does not hold";
    }
    return testing::AssertionSuccess();
}

// "At most one of the group is true", for a few groups of variables, as a
// propagator rather than as clauses: a true variable strikes the rest of its
// group, and two true ones are a conflict. It looks only at the groups of the
// variables made true since it last settled, as the probe's rules do, so it
// misses a conflict where the solver does not tell it of a backtrack.
class AtMostOne : public SatPropagator {
public:
    explicit AtMostOne(std::vector<std::vector<int>> groupsOfVars)
        : groups(std::move(groupsOfVars)) {}

    void Settle(SatSolver& solver) override {
        const std::vector<SatLit>& trail = solver.Trail();
        std::set<size_t> touched;
        for (size_t k = settled; k < trail.size(); ++k) {
            for (size_t g = 0; g < groups.size() && (trail[k] & 1) == 0; ++g) {
                if (std::count(groups[g].begin(), groups[g].end(), VarOf(trail[k])) != 0) {
                    touched.insert(g);
                }
            }
        }
        settled = trail.size();
        for (const size_t g : touched) {
            if (!SettleGroup(solver, groups[g])) {
                return;
            }
        }
    }

    void Explain(SatLit lit, std::vector<SatLit>& clause) const override {
        clause.assign({lit, NegativeLit(struckBy.at(VarOf(lit)))});
        ++explained;
    }

    void Backtracking(const SatSolver&, size_t size) override { settled = std::min(settled, size); }

    bool Holds(unsigned assignment) const {
        for (const std::vector<int>& group : groups) {
            int count = 0;
            for (const int var : group) {
                count += static_cast<int>((assignment >> var) & 1);
            }
            if (count > 1) {
                return false;
            }
        }
        return true;
    }

    mutable long explained = 0; // how many reasons the solver asked for
    long deduced = 0;           // how many conflicts this found

private:
    bool SettleGroup(SatSolver& solver, const std::vector<int>& group) {
        int holder = -1;
        for (const int var : group) {
            if (solver.Value(PositiveLit(var)) <= 0) {
                continue;
            }
            if (holder >= 0) {
                const SatLit both[] = {NegativeLit(holder), NegativeLit(var)};
                solver.Deduce(both, 2);
                ++deduced;
                return false;
            }
            holder = var;
        }
        for (const int var : group) {
            if (holder >= 0 && solver.Value(NegativeLit(var)) == 0) {
                struckBy[var] = holder;
                solver.Imply(NegativeLit(var));
            }
        }
        return true;
    }

    std::vector<std::vector<int>> groups;
    std::map<int, int> struckBy;
    size_t settled = 0; // how much of the trail was settled
};

} // namespace

TEST(SatSolver, AgreesWithEveryAssignmentUnderAssumptions) {
    Random random(7);
    int satisfiable = 0;
    int unsatisfiable = 0;
    int quickRefuted = 0;
    for (int formula = 0; formula < 60 && !HasFailure(); ++formula) {
        const int vars = 8 + random.Below(8);
        // Every other formula with its first variables decided true first,
        // the rest left to propagation and, where it leaves them open, to
        // decisions after those.
        SatSolver solver(vars, nullptr, formula % 2 == 0 ? 0 : 1 + random.Below(vars));
        std::vector<Clause> clauses;
        const int count = vars * (3 + random.Below(3)); // around the hard ratio of 3-SAT
        for (int n = 0; n <= count; ++n) {
            const int width = n % 7 == 0 ? 2 : 3 + random.Below(2) - (n % 11 == 0 ? 2 : 0);
            const Clause clause = random.Lits(vars, width);
            clauses.push_back(clause);
            solver.AddClause(clause.data(), static_cast<int>(clause.size()));
            if (n % (count / 3 + 1) != 0) {
                continue;
            }
            // A few questions with random assumptions between the clauses.
            for (int question = 0; question < 6; ++question) {
                const std::vector<SatLit> assumptions = random.Lits(vars, random.Below(5));
                bool expected = false;
                for (unsigned a = 0; a < (1u << vars) && !expected; ++a) {
                    expected = Satisfies(clauses, assumptions, a);
                }
                // Propagation alone (a budget of no conflicts) refutes only
                // what has no model, and never claims one.
                const SatResult quick =
                    solver.Solve(assumptions.data(), static_cast<int>(assumptions.size()), 0);
                ASSERT_EQ(quick, expected ? SatResult::Unknown : quick)
                    << "formula " << formula << ", clause " << n;
                quickRefuted += quick == SatResult::Unsatisfiable ? 1 : 0;
                ASSERT_TRUE(AnswersAsExpected(
                    solver, assumptions, vars, expected,
                    [&](unsigned model) { return Satisfies(clauses, assumptions, model); }))
                    << "formula " << formula << ", clause " << n;
                (expected ? satisfiable : unsatisfiable)++;
            }
        }
    }
    EXPECT_GT(satisfiable, 100);
    EXPECT_GT(unsatisfiable, 100);
    EXPECT_GT(quickRefuted, 20);
    EXPECT_LT(quickRefuted, unsatisfiable);
}

// Counting models as the probe does: each model found is shut out by a clause
// over the solver's decisions that holds only while a variable of the count's
// own is assumed, and that variable is retired after the count. Each model
// comes once, none is missed, and no later question is bound by them: a
// retired variable is never decided, so it is false in every later model.
TEST(SatSolver, CountsEveryModelOnceUnderAVariableOfItsOwn) {
    Random random(11);
    constexpr unsigned kMost = 40;
    int counted = 0;
    int cutShort = 0;
    for (int formula = 0; formula < 40 && !HasFailure(); ++formula) {
        std::vector<int> retired;
        const int vars = 6 + random.Below(6);
        SatSolver solver(vars, nullptr, formula % 2 == 0 ? 0 : vars);
        std::vector<Clause> clauses;
        for (int n = 0; n < vars * 3; ++n) {
            const Clause clause = random.Lits(vars, 3);
            clauses.push_back(clause);
            solver.AddClause(clause.data(), static_cast<int>(clause.size()));
            if (n % 4 != 3) {
                continue;
            }
            const std::vector<SatLit> assumptions = random.Lits(vars, random.Below(3));
            unsigned expected = 0;
            for (unsigned a = 0; a < (1u << vars); ++a) {
                expected += Satisfies(clauses, assumptions, a) ? 1 : 0;
            }
            const SatLit own = PositiveLit(solver.AddVariable());
            std::vector<SatLit> asked = assumptions;
            asked.push_back(own);
            std::vector<bool> seen(1u << vars, false);
            unsigned found = 0;
            while (found < kMost && solver.Solve(asked.data(), static_cast<int>(asked.size())) ==
                                        SatResult::Satisfiable) {
                const unsigned model = ModelOf(solver, vars);
                ASSERT_TRUE(Satisfies(clauses, assumptions, model)) << "formula " << formula;
                for (const int var : retired) {
                    ASSERT_FALSE(solver.ModelValue(var)) << "formula " << formula;
                }
                ASSERT_FALSE(seen[model]) << "formula " << formula << ", model " << model;
                seen[model] = true;
                ++found;
                Clause shutOut{Negated(own)};
                for (const SatLit decision : solver.ModelDecisions()) {
                    shutOut.push_back(Negated(decision));
                }
                solver.AddClauseAfterModel(shutOut.data(), static_cast<int>(shutOut.size()));
            }
            solver.Retire(VarOf(own));
            retired.push_back(VarOf(own));
            ASSERT_EQ(found, std::min(expected, kMost))
                << "formula " << formula << ", clause " << n;
            (expected < kMost ? counted : cutShort)++;
            // The same question again, now without the count's clauses.
            ASSERT_EQ(solver.Solve(assumptions.data(), static_cast<int>(assumptions.size())),
                      expected > 0 ? SatResult::Satisfiable : SatResult::Unsatisfiable)
                << "formula " << formula << ", clause " << n;
            EXPECT_TRUE(expected == 0 || !solver.ModelValue(VarOf(own)))
                << "formula " << formula << ", clause " << n;
        }
    }
    EXPECT_GT(counted, 100);
    EXPECT_GT(cutShort, 20);
}

// The same with a propagator beside the clauses: its literals are explained
// only when a conflict's analysis reaches them, and its conflicts come as
// clauses, some of them with one literal above level 0.
TEST(SatSolver, AgreesWithEveryAssignmentWithAPropagator) {
    Random random(5);
    int satisfiable = 0;
    int unsatisfiable = 0;
    long explained = 0;
    long deduced = 0;
    for (int formula = 0; formula < 80 && !HasFailure(); ++formula) {
        // Exactly one of each group: "at least one" as a clause, "at most
        // one" by the propagator; then random clauses across the groups.
        const int vars = 10 + random.Below(5);
        std::vector<std::vector<int>> groups;
        for (int var = 0; var < vars; ++var) {
            if (groups.empty() || static_cast<int>(groups.back().size()) == 3 + formula % 2) {
                groups.emplace_back();
            }
            groups.back().push_back(var);
        }
        AtMostOne atMostOne(groups);
        SatSolver solver(vars, nullptr, formula % 3 == 0 ? 0 : vars);
        solver.SetPropagator(&atMostOne);
        std::vector<Clause> clauses;
        for (const std::vector<int>& group : groups) {
            Clause some;
            for (const int var : group) {
                some.push_back(PositiveLit(var));
            }
            clauses.push_back(some);
            solver.AddClause(some.data(), static_cast<int>(some.size()));
        }
        for (int n = 0; n < vars * 2; ++n) {
            const Clause clause = random.Lits(vars, 2 + random.Below(2));
            clauses.push_back(clause);
            solver.AddClause(clause.data(), static_cast<int>(clause.size()));
            if (n % 2 != 1) {
                continue;
            }
            const std::vector<SatLit> assumptions = random.Lits(vars, random.Below(3));
            bool expected = false;
            for (unsigned a = 0; a < (1u << vars) && !expected; ++a) {
                expected = Satisfies(clauses, assumptions, a) && atMostOne.Holds(a);
            }
            ASSERT_TRUE(AnswersAsExpected(solver, assumptions, vars, expected,
                                          [&](unsigned model) {
                                              return Satisfies(clauses, assumptions, model) &&
                                                     atMostOne.Holds(model);
                                          }))
                << "formula " << formula << ", clause " << n;
            (expected ? satisfiable : unsatisfiable)++;
        }
        explained += atMostOne.explained;
        deduced += atMostOne.deduced;
    }
    EXPECT_GT(satisfiable, 100);
    EXPECT_GT(unsatisfiable, 100);
    EXPECT_GT(explained, 50) << "the analysis hardly asked for reasons";
    EXPECT_GT(deduced, 50) << "the propagator hardly found a conflict";
}

// Eight pigeons in seven holes: no resolution proof is short, so the solver
// restarts and thins its learnt clauses many times on the way; a conflict
// budget stops it earlier without an answer.
TEST(SatSolver, PigeonsNeedManyConflicts) {
    const int pigeons = 8;
    const int holes = 7;
    SatSolver solver(pigeons * holes);
    auto in = [&](int p, int h) { return PositiveLit(p * holes + h); };
    for (int p = 0; p < pigeons; ++p) {
        std::vector<SatLit> somewhere;
        for (int h = 0; h < holes; ++h) {
            somewhere.push_back(in(p, h));
            for (int q = p + 1; q < pigeons; ++q) {
                solver.AddClause({Negated(in(p, h)), Negated(in(q, h))});
            }
        }
        solver.AddClause(somewhere.data(), holes);
    }
    EXPECT_EQ(solver.Solve(nullptr, 0, 100), SatResult::Unknown);
    const SatLit first = in(0, 0);
    EXPECT_EQ(solver.Solve(&first, 1), SatResult::Unsatisfiable);
    EXPECT_EQ(solver.Solve(nullptr, 0), SatResult::Unsatisfiable);
    EXPECT_GT(solver.Conflicts(), 2500) << "too few to thin the learnt clauses";
}
