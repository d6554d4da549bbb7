// A small CDCL satisfiability solver of our own, for the question whether a
// board has any solution at all: two watched literals (binary clauses in
// lists of their own), first-UIP learning with the literals that the
// clause's others imply left out, activity-ordered decisions with saved
// phases, Luby restarts, and learnt clauses thinned by their number of
// decision levels.
//
// It answers under assumptions: one solver holds the rules of a level once,
// each question fixes the board's facts as assumptions, and what it learns
// follows from the rules alone, so it stays true for every later question.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// A literal: 2 * variable for the variable true, 2 * variable + 1 for false.
using SatLit = int;
inline SatLit PositiveLit(int var) {
    return 2 * var;
}
inline SatLit NegativeLit(int var) {
    return 2 * var + 1;
}
inline SatLit Negated(SatLit lit) {
    return lit ^ 1;
}
inline int VarOf(SatLit lit) {
    return lit >> 1;
}

enum class SatResult { Satisfiable, Unsatisfiable, Unknown };

class SatSolver;

// Reasoning of the formula's owner that unit propagation lacks, asked each
// time propagation settles. It implies literals (SatSolver::Imply) and tells
// their reasons only when the solver's analysis asks for them; a conflict it
// hands over as a clause (SatSolver::Deduce). Both follow from the formula.
class SatPropagator {
public:
    virtual ~SatPropagator() = default;
    virtual void Settle(SatSolver& solver) = 0;
    // Why `lit` holds, which this propagator implied: `lit` and the
    // literals, false before it was implied, of a clause that forced it.
    virtual void Explain(SatLit lit, std::vector<SatLit>& clause) const = 0;
    // The solver is about to cut its trail back to the first `size`
    // literals, which were settled (the ones after them are still on it): a
    // propagator that looks only at the literals made true since it last
    // settled starts again from there.
    virtual void Backtracking(const SatSolver& solver, size_t size) = 0;
};

// Binary clauses that many solvers share, read only, so that each solver
// need not build them: the literals implied by each literal p are
// implied[begin[p]] to implied[begin[p + 1] - 1].
struct SharedBinaries {
    std::vector<uint32_t> begin;
    std::vector<SatLit> implied;
    // The clauses (a or b), over the variables below `variables`.
    SharedBinaries(int variables, const std::vector<SatLit>& pairs);
};

class SatSolver {
public:
    // `shared`, when given, must outlive the solver. With `chosen` (0 to
    // `variables`), decisions go first to the variables below it, each made
    // true, and to the others only where propagation leaves them open: for a
    // formula of one-hot choices, a decision that picks one of them fixes
    // the rest at once, where one that rules one out fixes little.
    explicit SatSolver(int variables, const SharedBinaries* shared = nullptr, int chosen = 0);

    // Adds a clause that the model of the last answer (Satisfiable) makes
    // false, such as one that shuts that model out: the solver undoes its
    // levels down to the second latest of the clause's literals, where the
    // clause implies the latest, and the next question with the same
    // assumptions goes on from there, near the last model. A clause that
    // would undo assumptions is added as AddClause adds it.
    void AddClauseAfterModel(const SatLit* lits, int count);

    // The propagator asked when propagation settles, or nullptr; it must
    // outlive the solver's questions.
    void SetPropagator(SatPropagator* settle) { propagator = settle; }
    // For the propagator: a literal's value, 1 true, -1 false, 0 open; and
    // the literals made true so far, in their order.
    int Value(SatLit lit) const { return values[lit]; }
    const std::vector<SatLit>& Trail() const { return trail; }
    // For the propagator: an open literal that it can explain.
    void Imply(SatLit lit) { Assign(lit, kExplained); }
    // For the propagator: a clause that follows from the formula and whose
    // literals are all false, a conflict; the propagator then stops.
    void Deduce(const SatLit* lits, int count);

    // A new variable, the one after the last, for the caller to assume or
    // fix: clauses that name its negation hold only while it is assumed.
    int AddVariable();
    // Sets aside such a variable once the caller is done with it: it is
    // never decided, so the clauses that name it bind nothing any more, and
    // it is made false for good when the solver is next back at level 0.
    // Unlike a clause that makes it false, this keeps the levels of the
    // last question's assumptions for the next one.
    void Retire(int var);

    // Adds a clause of the formula, between questions. A clause made false
    // by the facts already known makes every later answer Unsatisfiable.
    void AddClause(const SatLit* lits, int count);
    void AddClause(std::initializer_list<SatLit> lits) {
        AddClause(lits.begin(), static_cast<int>(lits.size()));
    }

    // Whether the formula has a model in which every assumption holds. With a
    // budget of conflicts (negative: none) it may give up, once the
    // assumptions are placed: Unknown. With a budget of 0 it answers only
    // where propagation from the assumptions, and what it learns on the way,
    // refutes them.
    SatResult Solve(const SatLit* assumptions, int count, long conflictBudget = -1);

    // The model of the last Satisfiable answer.
    bool ModelValue(int var) const { return model[var] != 0; }
    // The solver's own decisions that led to it, below the assumptions:
    // with the formula and the assumptions they imply the whole model.
    const std::vector<SatLit>& ModelDecisions() const { return modelDecisions; }

    long Conflicts() const { return conflicts; }

private:
    // Where a variable's value came from: a clause of the arena, the other
    // literal of a binary clause (kBinary set), or none (a decision, an
    // assumption or a fact).
    static constexpr uint32_t kNoReason = 0xFFFFFFFFu;
    static constexpr uint32_t kBinary = 0x80000000u;
    // Propagate's answer for a conflict of a binary clause (in `conflictPair`).
    static constexpr uint32_t kPairConflict = 0xFFFFFFFEu;
    // The reason of a literal that the propagator implied.
    static constexpr uint32_t kExplained = 0xFFFFFFFDu;

    struct Watch {
        uint32_t clause;
        SatLit blocker; // a literal of the clause: when true, the clause is not looked at
    };

    // The arena holds each longer clause as [size, learnt flag and LBD, lits...].
    int ClauseSize(uint32_t clause) const { return arena[clause]; }
    SatLit* ClauseLits(uint32_t clause) { return &arena[clause + 2]; }
    uint32_t Attach(const SatLit* lits, int count, bool learnt, int lbd);
    void AddBinary(SatLit a, SatLit b);
    // Puts the clause's (two or more) literals of the latest levels first,
    // the latest of all at the front.
    void LatestFirst(std::vector<SatLit>& clause) const;

    int Level() const { return static_cast<int>(trailLimits.size()); }
    void Assign(SatLit lit, uint32_t reason) {
        const int var = VarOf(lit);
        values[lit] = 1;
        values[Negated(lit)] = -1;
        levels[var] = Level();
        reasons[var] = reason;
        trail.push_back(lit);
    }
    // Propagates the trail; a conflict comes back as its clause (or
    // kPairConflict), else kNoReason.
    uint32_t Propagate();
    // The false literals that implied `var` (or, for a conflict, the whole
    // clause), for the analysis.
    int ReasonLits(uint32_t reason, SatLit impliedLit, const SatLit*& lits);
    void Analyze(uint32_t conflict, std::vector<SatLit>& learnt, int& backLevel, int& lbd);
    // Whether the false literal `lit` of a learnt clause follows from the
    // clause's other literals (those marked `seen`): every other literal of
    // the reason that made it false is among them, or false at level 0. As
    // in the analysis, a learnt reason looked at counts as used, so the next
    // thinning keeps it.
    bool FollowsFromClause(SatLit lit);
    void Backtrack(int level);
    SatResult Search(long conflictLimit, long stopAt, const SatLit* assumptions, int count);
    void ReduceLearnts();
    // At level 0: the retired variables made false.
    void FixRetired();

    // Decisions by activity: a binary heap of the unassigned variables.
    void Bump(int var);
    void HeapUp(int position);
    void HeapDown(int position);
    void HeapInsert(int var);
    int HeapPop();

    int vars;
    int chosen; // the variables decided true first, by activity
    const SharedBinaries* shared;
    SatLit sharedEnd; // the literals that `shared` has implications for
    bool ok = true;
    std::vector<int8_t> values; // a literal: 1 true, -1 false, 0 unassigned
    std::vector<int> levels;
    std::vector<uint32_t> reasons;
    std::vector<uint8_t> phases;
    std::vector<uint8_t> retired;
    std::vector<int> retiring; // retired, not yet false
    std::vector<SatLit> trail;
    std::vector<int> trailLimits;
    size_t head = 0;

    std::vector<SatLit> arena;
    std::vector<std::vector<SatLit>> implied; // implied[p]: literals true once p is
    std::vector<std::vector<Watch>> watches;  // watches[p]: clauses to look at once p is true
    std::vector<uint32_t> learnts;            // the learnt clauses of the arena
    std::vector<uint32_t> originals;          // the formula's longer clauses
    // The learnt clauses kept before the first thinning: the board's
    // questions are many and short, and a small store keeps the watch lists
    // short.
    size_t learntLimit = 250;
    SatLit conflictPair[2] = {0, 0};
    SatPropagator* propagator = nullptr;
    uint32_t deduced = kNoReason; // a conflict that Deduce was given
    SatLit deducedFact = -1;      // a conflict of one literal: it holds at level 0

    std::vector<double> activity;
    double bumpBy = 1.0;
    std::vector<int> heap;
    std::vector<int> heapIndex; // -1: not in the heap

    std::vector<uint8_t> seen;
    std::vector<SatLit> learntBefore; // a learnt clause, before the implied literals go
    std::vector<SatLit> learntLits;
    std::vector<SatLit> deducedLits;
    std::vector<SatLit> explained;
    std::vector<uint32_t> levelStamps;
    uint32_t stamp = 0;

    std::vector<SatLit> assumed; // the last question's assumptions, level by level
    bool resume = false;         // the next question with them goes on from the levels above
    std::vector<uint8_t> model;
    std::vector<SatLit> modelDecisions;
    long conflicts = 0;
};
