// The solver in the usual form of conflict-driven clause learning. Every
// question starts at level 0, decides its assumptions one level each, and
// then decides by activity until a model or a conflict below the assumptions
// answers it.
//
// A solver of the first rank does no better with these questions. CaDiCaL
// 1.5.3 in this solver's place, given the same formula but not the interval
// rule of SatProbe.h (it takes no rule of the caller's), meets 280,063
// conflicts on the slow boards of bench/data/README.md in its usual
// configuration and 209,905 in the one it offers for satisfiable formulas,
// in 1.6 to 1.8 times this solver's time. This one meets 242,078 without
// the interval rule and 203,509 with it. What gives CaDiCaL its edge over
// this solver without the rule is shrinking: each level's literals of a
// learnt clause replaced by the one literal of that level that implies them
// all (without it, CaDiCaL meets 235,181). Added here, before or after the
// literals that the others imply go, it meets 3% to 9% more conflicts.
#include "solver/SatSolver.h"

#include <algorithm>
#include <climits>

namespace {

// The flags beside a clause's LBD in its second word.
constexpr int kLearnt = 1 << 30;
constexpr int kUsed = 1 << 29;
constexpr int kLbdMask = (1 << 29) - 1;

// The Luby sequence 1 1 2 1 1 2 4 1 1 2 ...: the lengths of the runs
// between restarts, in units of conflicts.
long Luby(int index) {
    long size = 1;
    int power = 0;
    while (size < index + 1) {
        ++power;
        size = 2 * size + 1;
    }
    while (size - 1 != index) {
        size = (size - 1) >> 1;
        --power;
        index = static_cast<int>(index % size);
    }
    return 1L << power;
}

// Measured with the board's questions on the board of bench/data/README.md
// that is slow in every turning, and the decay, the step and the levels kept
// on the turned slow boards too: runs of 32 to 256 conflicts or no restarts
// at all, a first store of 500 to 2,000 learnt clauses, 300 to 1,000 more
// after each thinning, a decay of 0.90 to 0.98, and keeping every clause of
// up to five levels each change the conflicts by at most 15% on that board
// and 8% on the turned ones, about as much as nudging the starting
// activities does (see Analyze), and the time by no more than runs of the
// same build differ.
constexpr long kRestartUnit = 64;
// How many more learnt clauses each thinning leaves room for.
constexpr size_t kLearntStep = 100;
constexpr double kDecay = 0.95;
// How many retired variables may wait for the next return to level 0, where
// they are made false: until then the clauses that name them are looked at
// as open ones.
constexpr size_t kRetiredWaiting = 64;

} // namespace

SharedBinaries::SharedBinaries(int variables, const std::vector<SatLit>& pairs)
    : begin(2 * static_cast<size_t>(variables) + 1, 0), implied(pairs.size()) {
    for (const SatLit lit : pairs) {
        ++begin[Negated(lit) + 1];
    }
    for (size_t p = 1; p < begin.size(); ++p) {
        begin[p] += begin[p - 1];
    }
    std::vector<uint32_t> next(begin.begin(), begin.end() - 1);
    for (size_t k = 0; k + 1 < pairs.size(); k += 2) {
        implied[next[Negated(pairs[k])]++] = pairs[k + 1];
        implied[next[Negated(pairs[k + 1])]++] = pairs[k];
    }
}

SatSolver::SatSolver(int variables, const SharedBinaries* sharedBinaries, int chosenVars)
    : vars(variables), chosen(chosenVars), shared(sharedBinaries),
      sharedEnd(sharedBinaries ? static_cast<SatLit>(sharedBinaries->begin.size()) - 1 : 0),
      values(2 * static_cast<size_t>(variables), 0), levels(variables, 0),
      reasons(variables, kNoReason), phases(variables, 0), retired(variables, 0),
      implied(2 * static_cast<size_t>(variables)), watches(2 * static_cast<size_t>(variables)),
      activity(variables, 0.0), heapIndex(variables, -1), seen(variables, 0),
      levelStamps(static_cast<size_t>(variables) + 1, 0), model(variables, 0) {
    for (int var = 0; var < (chosen > 0 ? chosen : vars); ++var) {
        HeapInsert(var);
    }
}

// ---- The formula.

int SatSolver::AddVariable() {
    const int var = vars++;
    values.insert(values.end(), {0, 0});
    levels.push_back(0);
    reasons.push_back(kNoReason);
    phases.push_back(0);
    retired.push_back(0);
    implied.resize(implied.size() + 2);
    watches.resize(watches.size() + 2);
    activity.push_back(0.0);
    heapIndex.push_back(-1);
    seen.push_back(0);
    model.push_back(0);
    return var;
}

void SatSolver::Retire(int var) {
    resume = false; // the next question undoes the levels where it is assumed
    retired[var] = 1;
    retiring.push_back(var);
}

void SatSolver::FixRetired() {
    for (const int var : retiring) {
        if (values[NegativeLit(var)] == 0) {
            Assign(NegativeLit(var), kNoReason);
        }
    }
    retiring.clear();
}

void SatSolver::AddClause(const SatLit* lits, int count) {
    Backtrack(0);
    assumed.clear(); // the levels kept for the next question are gone
    resume = false;
    if (!ok) {
        return;
    }
    std::vector<SatLit>& clause = learntLits;
    clause.clear();
    for (int k = 0; k < count; ++k) {
        const SatLit lit = lits[k];
        if (values[lit] > 0 ||
            std::find(clause.begin(), clause.end(), Negated(lit)) != clause.end()) {
            return; // true already, or a tautology
        }
        if (values[lit] == 0 && std::find(clause.begin(), clause.end(), lit) == clause.end()) {
            clause.push_back(lit);
        }
    }
    if (clause.empty()) {
        ok = false;
    } else if (clause.size() == 1) {
        Assign(clause[0], kNoReason);
        ok = Propagate() == kNoReason;
    } else if (clause.size() == 2) {
        AddBinary(clause[0], clause[1]);
    } else {
        originals.push_back(Attach(clause.data(), static_cast<int>(clause.size()), false, 0));
    }
}

void SatSolver::LatestFirst(std::vector<SatLit>& clause) const {
    std::partial_sort(clause.begin(), clause.begin() + 2, clause.end(),
                      [&](SatLit a, SatLit b) { return levels[VarOf(a)] > levels[VarOf(b)]; });
}

void SatSolver::AddClauseAfterModel(const SatLit* lits, int count) {
    const int kept = static_cast<int>(assumed.size());
    std::vector<SatLit>& clause = learntLits;
    clause.assign(lits, lits + count);
    const bool falsified =
        count >= 2 && Level() > kept &&
        std::all_of(clause.begin(), clause.end(), [&](SatLit lit) { return values[lit] < 0; });
    if (!falsified) {
        AddClause(lits, count);
        return;
    }
    // The clause implies its latest literal once the levels above the next
    // latest are undone.
    LatestFirst(clause);
    const int back = levels[VarOf(clause[1])];
    if (back < kept || levels[VarOf(clause[0])] == back) {
        AddClause(lits, count);
        return;
    }
    Backtrack(back);
    if (count == 2) {
        AddBinary(clause[0], clause[1]);
        Assign(clause[0], kBinary | static_cast<uint32_t>(clause[1]));
    } else {
        const uint32_t added = Attach(clause.data(), count, false, 0);
        originals.push_back(added);
        Assign(clause[0], added);
    }
    resume = true;
}

uint32_t SatSolver::Attach(const SatLit* lits, int count, bool learnt, int lbd) {
    const auto clause = static_cast<uint32_t>(arena.size());
    arena.push_back(count);
    arena.push_back((learnt ? kLearnt : 0) | std::min(lbd, kLbdMask));
    arena.insert(arena.end(), lits, lits + count);
    watches[Negated(lits[0])].push_back({clause, lits[1]});
    watches[Negated(lits[1])].push_back({clause, lits[0]});
    return clause;
}

void SatSolver::AddBinary(SatLit a, SatLit b) {
    implied[Negated(a)].push_back(b);
    implied[Negated(b)].push_back(a);
}

// ---- Assignments.

void SatSolver::Backtrack(int level) {
    if (Level() <= level) {
        return;
    }
    const size_t keep = static_cast<size_t>(trailLimits[level]);
    if (propagator != nullptr) {
        propagator->Backtracking(*this, keep);
    }
    for (size_t k = trail.size(); k-- > keep;) {
        const SatLit lit = trail[k];
        const int var = VarOf(lit);
        values[lit] = 0;
        values[Negated(lit)] = 0;
        phases[var] = static_cast<uint8_t>((lit & 1) == 0);
        if (chosen == 0 || var < chosen) {
            HeapInsert(var);
        }
    }
    trail.resize(keep);
    trailLimits.resize(level);
    head = keep;
}

// Half the time of the slow boards of bench/data/README.md is spent here. For
// each conflict, propagation sets some 140 literals, looks at 525 literals
// that binary clauses imply, and visits 375 longer clauses. A third of those
// clauses are learnt ones, 43 literals long on average. Reading the arrays
// through local pointers, so that a store to `values` (bytes, which may alias
// anything) does not make the members be read again, changes nothing that can
// be measured.
uint32_t SatSolver::Propagate() {
    while (head < trail.size()) {
        const SatLit p = trail[head++];
        const SatLit falseLit = Negated(p);
        auto imply = [&](SatLit q) {
            if (values[q] == 0) {
                Assign(q, kBinary | static_cast<uint32_t>(falseLit));
            } else if (values[q] < 0) {
                conflictPair[0] = q;
                conflictPair[1] = falseLit;
                return false;
            }
            return true;
        };
        if (p < sharedEnd) {
            const SatLit* q = shared->implied.data() + shared->begin[p];
            const SatLit* end = shared->implied.data() + shared->begin[p + 1];
            for (; q != end; ++q) {
                if (!imply(*q)) {
                    return kPairConflict;
                }
            }
        }
        for (const SatLit q : implied[p]) {
            if (!imply(q)) {
                return kPairConflict;
            }
        }
        std::vector<Watch>& list = watches[p];
        size_t from = 0;
        size_t to = 0;
        const size_t end = list.size();
        while (from < end) {
            const Watch watch = list[from++];
            if (values[watch.blocker] > 0) {
                list[to++] = watch;
                continue;
            }
            SatLit* lits = ClauseLits(watch.clause);
            if (lits[0] == falseLit) {
                lits[0] = lits[1];
                lits[1] = falseLit;
            }
            const SatLit first = lits[0];
            const Watch kept{watch.clause, first};
            if (first != watch.blocker && values[first] > 0) {
                list[to++] = kept;
                continue;
            }
            const int size = ClauseSize(watch.clause);
            bool moved = false;
            for (int k = 2; k < size; ++k) {
                if (values[lits[k]] >= 0) {
                    lits[1] = lits[k];
                    lits[k] = falseLit;
                    watches[Negated(lits[1])].push_back(kept);
                    moved = true;
                    break;
                }
            }
            if (moved) {
                continue;
            }
            list[to++] = kept;
            if (values[first] < 0) {
                while (from < end) {
                    list[to++] = list[from++];
                }
                list.resize(to);
                head = trail.size();
                return watch.clause;
            }
            Assign(first, watch.clause);
        }
        list.resize(to);
    }
    return kNoReason;
}

// ---- The propagator's clauses.

void SatSolver::Deduce(const SatLit* lits, int count) {
    std::vector<SatLit>& clause = deducedLits;
    clause.clear();
    // Literals false at level 0 are false for good: left out.
    for (int k = 0; k < count; ++k) {
        if (levels[VarOf(lits[k])] > 0) {
            clause.push_back(lits[k]);
        }
    }
    if (clause.empty()) {
        ok = false;
    } else if (clause.size() == 1) {
        deducedFact = clause[0];
    } else {
        // Analysed from the latest of its levels.
        LatestFirst(clause);
        Backtrack(levels[VarOf(clause[0])]);
        const int size = static_cast<int>(clause.size());
        deduced = Attach(clause.data(), size, true, size);
        learnts.push_back(deduced);
    }
}

// ---- Learning.

int SatSolver::ReasonLits(uint32_t reason, SatLit impliedLit, const SatLit*& lits) {
    if (reason == kPairConflict) {
        lits = conflictPair;
        return 2;
    }
    if (reason == kExplained) {
        propagator->Explain(impliedLit, explained);
        lits = explained.data();
        return static_cast<int>(explained.size());
    }
    if (reason & kBinary) {
        // The implied literal is passed over by the callers; only the other counts.
        conflictPair[0] = impliedLit;
        conflictPair[1] = static_cast<SatLit>(reason & ~kBinary);
        lits = conflictPair;
        return 2;
    }
    if (arena[reason + 1] & kLearnt) {
        arena[reason + 1] |= kUsed;
    }
    lits = ClauseLits(reason);
    return ClauseSize(reason);
}

void SatSolver::Analyze(uint32_t conflict, std::vector<SatLit>& learnt, int& backLevel, int& lbd) {
    learnt.clear();
    learnt.push_back(0);
    int open = 0; // literals of the conflict level still to be resolved
    int pivot = -1;
    uint32_t reason = conflict;
    size_t index = trail.size();
    do {
        const SatLit* lits = nullptr;
        const int count = ReasonLits(reason, pivot < 0 ? 0 : trail[index], lits);
        for (int k = 0; k < count; ++k) {
            const int var = VarOf(lits[k]);
            if (var == pivot || seen[var] || levels[var] == 0) {
                continue;
            }
            Bump(var);
            seen[var] = 1;
            if (levels[var] >= Level()) {
                ++open;
            } else {
                learnt.push_back(lits[k]);
            }
        }
        do {
            --index;
        } while (!seen[VarOf(trail[index])]);
        pivot = VarOf(trail[index]);
        reason = reasons[pivot];
        seen[pivot] = 0;
        --open;
    } while (open > 0);
    learnt[0] = Negated(trail[index]);

    // Literals that the others imply go. Only their own reasons are looked
    // at: following the reasons further down, as the recursive form does,
    // meets no fewer conflicts on the board of bench/data/README.md that is
    // slow in every turning, and makes the turned slow boards a sixth
    // slower. This form, over three nudges of the starting activities (each
    // moves the conflicts on that board by up to a sixth), meets 8% fewer
    // conflicts on that board, 3% fewer on the slow boards and 5% fewer on
    // the turned ones, in about the same time. Also measured, and left out:
    // dropping the literals that imply the asserting one by a binary clause,
    // and lowering a clause's count of levels each time it serves as a
    // reason. Neither moves the turned boards' conflicts by more than 3%.
    learntBefore.assign(learnt.begin() + 1, learnt.end());
    size_t kept = 1;
    for (size_t k = 1; k < learnt.size(); ++k) {
        if (!FollowsFromClause(learnt[k])) {
            learnt[kept++] = learnt[k];
        }
    }
    learnt.resize(kept);
    for (const SatLit lit : learntBefore) {
        seen[VarOf(lit)] = 0;
    }

    backLevel = 0;
    if (learnt.size() > 1) {
        size_t latest = 1;
        for (size_t k = 2; k < learnt.size(); ++k) {
            if (levels[VarOf(learnt[k])] > levels[VarOf(learnt[latest])]) {
                latest = k;
            }
        }
        std::swap(learnt[1], learnt[latest]);
        backLevel = levels[VarOf(learnt[1])];
    }
    if (levelStamps.size() <= static_cast<size_t>(Level())) {
        levelStamps.resize(static_cast<size_t>(Level()) + 1, 0);
    }
    ++stamp;
    lbd = 0;
    for (const SatLit lit : learnt) {
        uint32_t& mark = levelStamps[levels[VarOf(lit)]];
        lbd += mark != stamp ? 1 : 0;
        mark = stamp;
    }
}

bool SatSolver::FollowsFromClause(SatLit lit) {
    const int var = VarOf(lit);
    if (reasons[var] == kNoReason) {
        return false;
    }
    const SatLit* lits = nullptr;
    const int count = ReasonLits(reasons[var], Negated(lit), lits);
    for (int k = 0; k < count; ++k) {
        const int other = VarOf(lits[k]);
        if (other != var && !seen[other] && levels[other] != 0) {
            return false;
        }
    }
    return true;
}

// At level 0: the learnt clauses with the most levels that were not used
// since the last time go, half of them; those of two levels or fewer stay.
// The arena is packed anew and every clause watched again by literals that
// are not false. (Measured and left out: shortening each kept clause here by
// propagating the negations of its literals one by one. Most get shorter,
// by about nine literals, and the conflicts fall by 10% on the slow boards
// and 5% on the turned ones, but the propagating costs more than that saves:
// the turned boards take a fifth longer.)
void SatSolver::ReduceLearnts() {
    for (const SatLit lit : trail) {
        reasons[VarOf(lit)] = kNoReason; // level 0 is never analysed
    }
    auto rank = [&](uint32_t clause) {
        const int flags = arena[clause + 1];
        return (flags & kUsed ? 0 : kLbdMask + 1) + (flags & kLbdMask);
    };
    std::stable_sort(learnts.begin(), learnts.end(),
                     [&](uint32_t a, uint32_t b) { return rank(a) < rank(b); });
    std::vector<SatLit> packed;
    packed.reserve(arena.size());
    std::vector<uint32_t> keptLearnts;
    auto keep = [&](uint32_t clause, std::vector<uint32_t>& into) {
        const int size = ClauseSize(clause);
        SatLit* lits = ClauseLits(clause);
        for (int k = 0; k < size; ++k) {
            if (values[lits[k]] > 0) {
                return; // true for good
            }
        }
        // Literals that are not false first.
        std::stable_partition(lits, lits + size, [&](SatLit lit) { return values[lit] == 0; });
        into.push_back(static_cast<uint32_t>(packed.size()));
        packed.push_back(size);
        packed.push_back(arena[clause + 1] & ~kUsed);
        packed.insert(packed.end(), lits, lits + size);
    };
    std::vector<uint32_t> keptOriginals;
    for (const uint32_t clause : originals) {
        keep(clause, keptOriginals);
    }
    const size_t half = learnts.size() / 2;
    for (size_t k = 0; k < learnts.size(); ++k) {
        if (k < half || (arena[learnts[k] + 1] & kLbdMask) <= 2) {
            keep(learnts[k], keptLearnts);
        }
    }
    arena.swap(packed);
    originals.swap(keptOriginals);
    learnts.swap(keptLearnts);
    for (std::vector<Watch>& list : watches) {
        list.clear();
    }
    for (const std::vector<uint32_t>* clauses : {&originals, &learnts}) {
        for (const uint32_t clause : *clauses) {
            const SatLit* lits = ClauseLits(clause);
            watches[Negated(lits[0])].push_back({clause, lits[1]});
            watches[Negated(lits[1])].push_back({clause, lits[0]});
        }
    }
    learntLimit += kLearntStep;
}

// ---- Decisions.

void SatSolver::Bump(int var) {
    activity[var] += bumpBy;
    if (activity[var] > 1e100) {
        for (double& value : activity) {
            value *= 1e-100;
        }
        bumpBy *= 1e-100;
    }
    if (heapIndex[var] >= 0) {
        HeapUp(heapIndex[var]);
    }
}

void SatSolver::HeapUp(int position) {
    const int var = heap[position];
    while (position > 0) {
        const int parent = (position - 1) / 2;
        if (activity[heap[parent]] >= activity[var]) {
            break;
        }
        heap[position] = heap[parent];
        heapIndex[heap[position]] = position;
        position = parent;
    }
    heap[position] = var;
    heapIndex[var] = position;
}

void SatSolver::HeapDown(int position) {
    const int var = heap[position];
    const int size = static_cast<int>(heap.size());
    for (;;) {
        int child = 2 * position + 1;
        if (child >= size) {
            break;
        }
        if (child + 1 < size && activity[heap[child + 1]] > activity[heap[child]]) {
            ++child;
        }
        if (activity[heap[child]] <= activity[var]) {
            break;
        }
        heap[position] = heap[child];
        heapIndex[heap[position]] = position;
        position = child;
    }
    heap[position] = var;
    heapIndex[var] = position;
}

void SatSolver::HeapInsert(int var) {
    if (heapIndex[var] >= 0) {
        return;
    }
    heap.push_back(var);
    heapIndex[var] = static_cast<int>(heap.size()) - 1;
    HeapUp(heapIndex[var]);
}

int SatSolver::HeapPop() {
    const int top = heap[0];
    heapIndex[top] = -1;
    const int last = heap.back();
    heap.pop_back();
    if (!heap.empty()) {
        heap[0] = last;
        heapIndex[last] = 0;
        HeapDown(0);
    }
    return top;
}

// ---- Questions.

SatResult SatSolver::Search(long conflictLimit, long stopAt, const SatLit* assumptions, int count) {
    long here = 0;
    for (;;) {
        uint32_t conflict = Propagate();
        if (conflict == kNoReason && propagator != nullptr) {
            const size_t before = trail.size();
            propagator->Settle(*this);
            if (!ok) {
                return SatResult::Unsatisfiable;
            }
            if (deducedFact >= 0) {
                // Found below level 0: it takes effect from there.
                const SatLit fact = deducedFact;
                deducedFact = -1;
                deduced = kNoReason;
                Backtrack(0);
                assumed.clear();
                if (values[fact] < 0) {
                    ok = false;
                    return SatResult::Unsatisfiable;
                }
                if (values[fact] == 0) {
                    Assign(fact, kNoReason);
                }
                continue;
            }
            if (deduced != kNoReason) {
                conflict = deduced;
                deduced = kNoReason;
            } else if (trail.size() != before) {
                continue;
            }
        }
        if (conflict != kNoReason) {
            ++conflicts;
            ++here;
            if (Level() == 0) {
                ok = false;
                return SatResult::Unsatisfiable;
            }
            int backLevel = 0;
            int lbd = 0;
            Analyze(conflict, learntLits, backLevel, lbd);
            Backtrack(backLevel);
            const SatLit asserted = learntLits[0];
            if (learntLits.size() == 1) {
                Assign(asserted, kNoReason);
            } else if (learntLits.size() == 2) {
                AddBinary(asserted, learntLits[1]);
                Assign(asserted, kBinary | static_cast<uint32_t>(learntLits[1]));
            } else {
                const uint32_t clause =
                    Attach(learntLits.data(), static_cast<int>(learntLits.size()), true, lbd);
                learnts.push_back(clause);
                Assign(asserted, clause);
            }
            bumpBy /= kDecay;
            continue;
        }
        SatLit next = -1;
        while (Level() < count) {
            const SatLit assumption = assumptions[Level()];
            if (values[assumption] > 0) {
                trailLimits.push_back(
                    static_cast<int>(trail.size())); // a level of its own all the same
            } else if (values[assumption] < 0) {
                return SatResult::Unsatisfiable;
            } else {
                next = assumption;
                break;
            }
        }
        // The budget is looked at before each decision of the solver's
        // own: the assumptions are placed first, so that with none the
        // answer is whether propagation refutes them.
        if (next < 0 && (here >= conflictLimit || conflicts >= stopAt)) {
            return SatResult::Unknown;
        }
        while (next < 0 && !heap.empty()) {
            const int var = HeapPop();
            if (values[PositiveLit(var)] == 0 && retired[var] == 0) {
                next = chosen > 0 || phases[var] ? PositiveLit(var) : NegativeLit(var);
            }
        }
        // Outside the heap: what the chosen variables left open, if anything.
        for (int var = chosen; next < 0 && chosen > 0 && var < vars; ++var) {
            if (values[PositiveLit(var)] == 0 && retired[var] == 0) {
                next = phases[var] ? PositiveLit(var) : NegativeLit(var);
            }
        }
        if (next < 0) {
            for (int var = 0; var < vars; ++var) {
                model[var] = static_cast<uint8_t>(values[PositiveLit(var)] > 0);
            }
            modelDecisions.clear();
            for (int level = count; level < Level(); ++level) {
                modelDecisions.push_back(trail[trailLimits[level]]);
            }
            return SatResult::Satisfiable;
        }
        trailLimits.push_back(static_cast<int>(trail.size()));
        Assign(next, kNoReason);
    }
}

// A question shares its first assumptions with the last one most of the time
// (the search asks along its path): their levels stay as they are.
SatResult SatSolver::Solve(const SatLit* assumptions, int count, long conflictBudget) {
    int same = 0;
    while (same < count && same < static_cast<int>(assumed.size()) && same < Level() &&
           assumed[same] == assumptions[same]) {
        ++same;
    }
    if (!ok || learnts.size() >= learntLimit || retiring.size() >= kRetiredWaiting) {
        same = 0;
    }
    // After a clause added to a model, the same question goes on from where
    // the clause left the levels above its assumptions.
    if (!(resume && same == count)) {
        Backtrack(same);
    }
    resume = false;
    if (Level() == 0) {
        FixRetired();
        if (!ok || Propagate() != kNoReason) {
            ok = false;
            return SatResult::Unsatisfiable;
        }
        if (learnts.size() >= learntLimit) {
            ReduceLearnts();
        }
    }
    assumed.assign(assumptions, assumptions + count);
    const long stopAt = conflictBudget < 0 ? LONG_MAX : conflicts + conflictBudget;
    for (int restart = 0;; ++restart) {
        const SatResult result = Search(Luby(restart) * kRestartUnit, stopAt, assumptions, count);
        if (result != SatResult::Unknown || conflicts >= stopAt) {
            return result;
        }
        // A restart keeps the assumptions' levels; the learnt clauses are
        // thinned only at level 0, so now and then it goes all the way.
        if (learnts.size() >= learntLimit) {
            Backtrack(0);
            FixRetired();
            ReduceLearnts();
        } else {
            Backtrack(std::min(Level(), count));
        }
    }
}
