// The search step. Below the top level the boards propagate in the free
// order wherever that provably ends at the member rules' board (see
// FreeOrderRules.h), else in the member order. Two kinds of board are not
// branched on although the member search would branch on them, since no
// branch below them can store anything: one with a unit that misses a digit,
// and, once a node's branches have grown many, one whose remaining branches
// the probe shows to hold no solution. A node's remaining branches may also
// be left to a count, which finds their solutions by other means (on plain
// rules by other branches, with signs by the probe's solver); they are then
// stored in the order these branches would have stored them.
//
// The search walks the tree itself rather than ask the probe for each next
// solution in its order (at every node of a solution's path, whether a digit
// below the solution's own has one). That was measured: on boards of over
// 100 ms it is a tenth to a quarter quicker, on boards of 30 to 100 ms a
// tenth slower, and on quicker ones slower still. Measured again since the
// solver's learnt clauses leave out the literals their others imply, it no
// longer pays even where a board is slow: asked only once the probe has met
// 2,000 conflicts, so that quick boards never pay, it leaves the turned slow
// boards 2% slower in all, with as many over 100 ms (27 against 26); from the
// first question on, the slow set is 12% slower. Nor does a node whose rest
// the probe refutes jump back to the shallowest board whose placements alone
// that answer needed (the assumptions behind it): on the slow boards it jumps
// some 7,000 times, three or four levels each, and saves no measurable time.
// Nor are those assumptions kept as a clause for good (some 36,000 clauses of
// about eight literals on the slow boards): the conflicts move by no more
// than the path's luck.
//
// Three more ways were measured and left out. A count of the whole rest of
// the tree at once (what every node on the way down has left, as one
// question), once the probe has met some thousands of conflicts, finds in
// the solver's order what the branches find in theirs: on the board that is
// slow in every turning (bench/data/README.md), which has 104 solutions in
// all, it nearly halves the time, but on the turned slow boards it meets a
// tenth more conflicts, since where the rest holds many solutions or long
// empty stretches the count gives up and the branches do the work all the
// same. Nor is a board cut where some unit, filled every way its candidates
// and its signs allow, leaves a square no digit: on that board such cuts
// take a third of the nodes, yet the probe meets only 3% fewer conflicts, so
// what the probe refutes is not decided within a unit. Nor are the
// solutions found block by block, each block filled in one of the orders
// its signs allow: on that board a block keeps 959 to 8,720 such fillings
// and a band 90,000 to 2 million, and a search that fits whole blocks
// against the rows and columns looks at over two billion fillings without
// finishing.
//
// Nor does the search count every solution of the top board first, to store
// the first of them in the branches' order: one proof that the count has
// them all serves where the branches need hundreds. On the turned slow
// boards, those with fewer than 300 solutions in all have them counted in
// 30 to 80 ms, against 105 to 170 ms for the branches. But the slowest have
// thousands (the slowest of all 9,056), and finding 300 of them costs 15 to
// 25 ms for nothing. Added up board by board, a count of up to 300 at the
// top would leave 24 boards over 100 ms instead of 30, the slowest no
// quicker, and take 17% more time in all; a count begun only once the probe
// has met 1,000 to 3,000 conflicts comes too late to save the boards it
// could, and leaves 42 to 127 over.
//
// Where the probe's conflicts go, on the slow boards: 49% to the 9,164 full
// questions that find their part of the tree empty, mostly 4 to 63
// conflicts each (the 16 dearest take 5%); 30% to the 1,426 counts that find
// all of their part's solutions; 16% to the 213 counts that give up; the
// other 5% to the quick questions. Once the probe is made, asking sooner
// (after none to four of a node's boards rather than kProbeAfter) moves the
// conflicts by no more than the path's luck: 52,000 to 61,000 on the board
// that is slow in every turning (56,000 as it is), 198,000 to 206,000 on the
// slow set (204,000).
#include "solver/BoardSearch.h"

#include <algorithm>
#include <cstring>

#include "corvane/CDataCube.h"

namespace {

// How many boards a node's branches may look at before the probe is asked
// about the rest, doubled after each answer that does not cut them; and how
// many boards the whole search looks at before the first question: a
// question costs as much as some tens of boards, and most levels are solved
// before that. A level without signs is asked later: the plain sudokus of
// the usual collections all finish within a few thousand boards. Before
// the full question, once the probe is made, a quick one: whether what the
// probe has learnt refutes the rest by propagation alone. It costs about as
// much as a few boards, and on the slowest boards most of them cut.
constexpr long kQuickAfter = 4;
constexpr long kProbeAfter = 16;
constexpr long kFirstProbeWithSigns = 2048;
constexpr long kFirstProbeWithoutSigns = 20000;

// On plain rules the count (StoreCountedRest) takes over a node's remaining
// branches once they have looked at this many boards without storing
// anything, doubled after each count that does not finish; and it is asked
// at once about a top board that its propagation leaves this open, which is
// mostly a hard puzzle of one solution. It may look at so many boards before
// the search goes its own way: the hardest sudokus of the usual collections
// need a few hundred. (On levels with signs it does worse than the search
// with its probe: the boards where the search is slow are those of many
// solutions and long stretches without one.)
constexpr long kCountAfter = 8;
constexpr int kOpenTop = 50;
constexpr long kCountBudget = 4096;
// With signs the full question becomes a count by the probe's solver, of up
// to this many solutions: a part of the tree with a few solutions and long
// stretches without any is then done at once. Once it has found one, the
// count may meet so many conflicts more: a count that does not finish has
// cost more than the question would have, and on the slowest boards those
// that go on longer mostly do not finish. (Measured and left out: counts
// of up to 200 with 4,096 conflicts, where one that finds all of a rest's
// solutions, more than the room left, stores as many as fit in the
// branches' order. They are 3-5% quicker on the turned slow boards and 60%
// slower on the open boards, whose counts find their 200 and give up.)
constexpr int kSolverCountMost = 32;
constexpr long kSolverCountBudget = 256;

bool HasSignBits(const EdgeMask* edgeMasks) {
    EdgeMask any = 0;
    for (int i = 0; i < kSquareCount; ++i) {
        any = static_cast<EdgeMask>(any | edgeMasks[i]);
    }
    return any != 0;
}

const SignList& NoSigns() {
    static const SignList empty{};
    return empty;
}

} // namespace

BoardSearch::BoardSearch(const EdgeMask* edgeMasks, bool levelHasEdges)
    // The sign lists are filled by the functions that read them, and the top
    // candidates by the top level: neither is cleared first.
    : anySign(HasSignBits(edgeMasks)), ruleSigns(anySign ? ruleSignList : NoSigns()),
      checked(edgeMasks), checkedSigns(anySign ? checkedSignList : NoSigns()),
      circle(anySign && !ReadCheckedSigns(checked, checkedSignList)),
      passes(ruleSigns, levelHasEdges),
      freeRules(levelHasEdges ? &ruleSigns : nullptr, checkedSigns), useSignRule(levelHasEdges),
      mirrored(!anySign || SignsAreMirrored(edgeMasks)) {
    if (anySign) {
        ReadRuleSigns(edgeMasks, ruleSignList);
    }
}

void BoardSearch::Search(SearchBoard& board, unsigned char depth, int limit,
                         const unsigned char* givens, CDataCube& found) {
    maxSolutions = limit;
    fixed = givens;
    solutions = &found;
    topBoard = &board;
    probe.reset(); // a probe holds the top board of its own search
    hopeless = false;
    firstProbe = checked.count > 0 ? kFirstProbeWithSigns : kFirstProbeWithoutSigns;
    atTop = true;
    Step(board, nullptr, depth);
}

// Without signs the member rules read no numbered square's candidates, so the
// free order's argument holds for the empty squares whatever flags the
// numbered ones carry; it needs only a board on which the free order meets no
// dead end (FreeOrderRules.h): its end is then the one board below the start
// that no rule changes, which the member order ends at too. The free order
// holds a sign only where it places a digit, so a sign that the start's own
// numbers break (the checks read signs though the rule is off) is left to
// the member order, whose checks end the search there. The flags of the
// numbered squares are what the member order's crossing off leaves of them:
// their own, less the digits numbered in their units.
bool BoardSearch::PropagateTopFreely(SearchBoard& board) const {
    if (useSignRule || board.repeated || board.stranded || !CheckedSignsHold(board, checked)) {
        return false;
    }
    SearchBoard trial = board;
    if (!freeRules.StrikeNumbers(trial)) {
        return false;
    }
    FreeWork freeWork = freeRules.WholeBoard(trial);
    if (!freeRules.Propagate(trial, freeWork)) {
        return false;
    }
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] != 0) {
            const uint8_t(&units)[3] = kUnits.units[i];
            const unsigned numbered = (trial.unitDigits[units[0]] | trial.unitDigits[units[1]] |
                                       trial.unitDigits[units[2]]) &
                                      ~unsigned{DigitBit(board.numbers[i])};
            trial.candidates[i] = static_cast<uint16_t>(board.candidates[i] & ~numbered);
        }
    }
    board = trial;
    return true;
}

// The free order needs numbered squares whose candidate is their number
// (stale flags change what the sign rule reads) and signs the checks read
// the same; without the sign rule neither matters.
void BoardSearch::ChooseOrderBelow(const SearchBoard& board) {
    bool clean = mirrored;
    for (int i = 0; i < kSquareCount; ++i) {
        topCandidates[i] = board.candidates[i];
        clean =
            clean && (board.numbers[i] == 0 || board.candidates[i] == DigitBit(board.numbers[i]));
    }
    below = !useSignRule || clean ? Order::Free : Order::Members;
}

// The solved board's image. After the free order every numbered square holds
// only its number; the member order would have kept what the top level left
// of the flags, less every other digit, which the full board's peers strike.
void BoardSearch::Store(const SearchBoard& board, Order order) {
    if (order == Order::Free) {
        StoreNumbers(board.numbers);
        return;
    }
    Square image[kSquareCount];
    for (int i = 0; i < kSquareCount; ++i) {
        image[i].fixed = fixed[i];
    }
    StoreSearchBoard(board, image);
    AddImage(image);
}

void BoardSearch::StoreNumbers(const uint8_t* numbers) {
    Square image[kSquareCount];
    std::memset(image, 0, sizeof(image));
    for (int i = 0; i < kSquareCount; ++i) {
        const int d = numbers[i] - 1;
        image[i].fixed = fixed[i];
        image[i].number = numbers[i];
        image[i].possible[d] = static_cast<unsigned char>((topCandidates[i] >> d) & 1);
    }
    AddImage(image);
}

void BoardSearch::AddImage(const Square* image) {
    const int row = solutions->AddRow(-1, 0);
    if (row >= 0 && row < solutions->GetRowCount()) {
        solutions->SetValue(row, 0, image, kSquareImageSize, true);
    }
}

// While the branches store fewer solutions than the limit, they store them
// all. So where the count finds fewer than the room left (and than `most`)
// below a node's remaining branches, those are all their solutions, and they
// are stored as the branches would have found them, by walking only the
// branches that lead to them. Otherwise the branches go on as before.
BoardSearch::Counted BoardSearch::StoreCountedRest(const SearchBoard& board, int chosen,
                                                   unsigned tried, int most) {
    const int room = maxSolutions - solutions->GetRowCount();
    const int wanted = std::min(room, most);
    if (wanted <= 0) {
        return Counted::Unknown;
    }
    std::vector<SolvedNumbers> found;
    bool finished = false;
    if (anySign) {
        finished = Probe().CountSolutions(path, depthBelowTop, chosen, tried, wanted,
                                          kSolverCountBudget, found);
    } else {
        LineSearch count(freeRules);
        finished = count.CountRest(board, chosen, tried, wanted, kCountBudget, found);
    }
    const int many = static_cast<int>(found.size());
    if (many >= room) {
        return Counted::Full;
    }
    if (!finished || many >= wanted) {
        return Counted::Unknown;
    }
    StoreInOrder(board, found.data(), found.data() + found.size());
    return Counted::All;
}

// The solutions from `first` to `last` lie below the board, a board of the
// free order: they are stored in the order its branches reach them.
void BoardSearch::StoreInOrder(const SearchBoard& board, SolvedNumbers* first,
                               SolvedNumbers* last) {
    if (last - first <= 1) {
        if (first != last) {
            StoreNumbers(first->data());
        }
        return;
    }
    int chosen = 0;
    FindLowest(board, &chosen, 2);
    const auto digitAt = [chosen](const SolvedNumbers& numbers) { return numbers[chosen]; };
    std::sort(first, last, [&](const SolvedNumbers& a, const SolvedNumbers& b) {
        return digitAt(a) < digitAt(b);
    });
    while (first != last) {
        const int digit = digitAt(*first);
        SolvedNumbers* end =
            std::find_if(first, last, [&](const SolvedNumbers& s) { return digitAt(s) != digit; });
        SearchBoard child = board;
        FreeWork childWork;
        freeRules.Place(child, childWork, chosen, digit);
        freeRules.Propagate(child, childWork);
        StoreInOrder(child, first, end);
        first = end;
    }
}

// The member checks, and the two dead ends no branch of which stores
// anything. After the free order the board is known to be possible.
bool BoardSearch::MayBranch(const SearchBoard& board, Order order, unsigned char depth) const {
    if (order == Order::Members &&
        (board.repeated || board.stranded || !CheckedSignsHold(board, checked))) {
        return false;
    }
    if (depth == 0 || solutions->GetRowCount() >= maxSolutions) {
        return false;
    }
    return order == Order::Free || !MissesADigit(board);
}

// The first question is about the whole board the top level left: when it
// has no solution, nothing below it is searched any more.
SatProbe& BoardSearch::Probe() {
    if (!probe) {
        probe = std::make_unique<SatProbe>(checked, checkedSigns, circle, *topBoard);
        hopeless = !probe->HasSolution(*topBoard);
    }
    return *probe;
}

bool BoardSearch::RestIsEmpty(const SearchBoard& board, int chosen, unsigned tried) {
    SatProbe& asked = Probe();
    return hopeless || !asked.HasSolution(board, path, depthBelowTop, chosen, tried);
}

// What a node asks about its remaining branches, and when. A question or a
// count is worth it where the branches have looked at many boards without
// storing anything: each kind waits for so many boards, and twice as many
// after an answer that does not cut. After each solution stored below the
// node the waits start again, since the rest of a part of the tree that
// holds solutions mostly holds more, and neither the question nor the count
// would cut. Once a count has found as many solutions as the room left below
// the node, its branches fill the list, and no count about them can finish
// any more.
struct BoardSearch::RestQuestions {
    RestQuestions(bool byLines, bool bySolver, long fullSoFar, int storedSoFar, long boardsSoFar)
        : countByLines(byLines), countBySolver(bySolver), fullBefore(fullSoFar) {
        Restart(storedSoFar, boardsSoFar);
    }
    void Restart(int storedSoFar, long boardsSoFar) {
        stored = storedSoFar;
        start = boardsSoFar;
        quickAfter = kQuickAfter;
        probeAfter = kProbeAfter;
        countAfter = kCountAfter;
    }

    const bool countByLines;  // the rest may be counted by LineSearch
    const bool countBySolver; // the full question is a count by the probe's solver
    const long fullBefore;    // the search's full counts when the node began
    int stored = 0;           // the solutions stored when the waits began
    long start = 0;           // the boards looked at when the waits began
    long quickAfter = 0;
    long probeAfter = 0;
    long countAfter = 0;
};

bool BoardSearch::CountedAll(const SearchBoard& board, int chosen, unsigned tried, int most) {
    const Counted counted = StoreCountedRest(board, chosen, tried, most);
    fullCounts += counted == Counted::Full ? 1 : 0;
    return counted == Counted::All;
}

bool BoardSearch::RestIsAnswered(const SearchBoard& board, int chosen, unsigned tried,
                                 RestQuestions& asking) {
    if (solutions->GetRowCount() != asking.stored) {
        asking.Restart(solutions->GetRowCount(), nodes);
    }
    const long looked = nodes - asking.start;
    if (asking.countByLines && fullCounts == asking.fullBefore && looked >= asking.countAfter) {
        if (CountedAll(board, chosen, tried, maxSolutions)) {
            return true;
        }
        asking.countAfter *= 2;
    }
    if (probe && looked >= asking.quickAfter && looked < asking.probeAfter) {
        if (!probe->MayHaveSolution(board, path, depthBelowTop, chosen, tried)) {
            return true;
        }
        asking.quickAfter *= 2;
    }
    if (looked >= asking.probeAfter && nodes >= firstProbe) {
        if (asking.countBySolver && fullCounts == asking.fullBefore) {
            if (CountedAll(board, chosen, tried, kSolverCountMost)) {
                return true;
            }
        } else if (RestIsEmpty(board, chosen, tried)) {
            return true;
        }
        asking.probeAfter *= 2;
    }
    return false;
}

void BoardSearch::Step(SearchBoard& board, FreeWork* freeWork, unsigned char depth) {
    ++nodes;
    const bool top = atTop;
    const Order order = freeWork == nullptr ? Order::Members : Order::Free;
    // What the top level's free order leaves is a possible board, as the
    // free order's always is, though stored as the member order's.
    bool possible = false;
    if (order == Order::Members) {
        if (atTop) {
            possible = PropagateTopFreely(board);
            if (!possible) {
                work = passes.WholeBoard(board);
            }
        }
        if (!possible) {
            passes.Propagate(board, work);
        }
    } else if (!freeRules.Propagate(board, *freeWork)) {
        return;
    }
    if (atTop) {
        atTop = false;
        ChooseOrderBelow(board);
    }
    if (board.emptySquares == 0 && !board.repeated &&
        (order == Order::Free || CheckedSignsHold(board, checked))) {
        Store(board, order);
        return;
    }
    if (!MayBranch(board, possible ? Order::Free : order, depth)) {
        return;
    }
    int chosen = 0;
    FindLowest(board, &chosen, 2);
    // The free order reads a numbered square as its number alone; the boards
    // it makes are so already, the member order's may not be.
    SearchBoard normalized;
    const SearchBoard* base = &board;
    if (order == Order::Members && below == Order::Free) {
        normalized = board;
        for (int i = 0; i < kSquareCount; ++i) {
            normalized.candidates[i] =
                board.numbers[i] != 0 ? DigitBit(board.numbers[i]) : board.candidates[i];
        }
        base = &normalized;
    }
    // Plain rules and no limit on the depth: the count may find the
    // solutions quicker. On an open top board it is asked for two, so
    // that a board of many solutions costs it little.
    const bool countable = below == Order::Free && depth >= board.emptySquares;
    RestQuestions asking(countable && !anySign, countable && anySign, fullCounts,
                         solutions->GetRowCount(), nodes);
    if (asking.countByLines && top && board.emptySquares >= kOpenTop &&
        CountedAll(*base, chosen, 0, 2)) {
        return;
    }
    unsigned tried = 0;
    for (unsigned digits = board.candidates[chosen]; digits != 0; digits &= digits - 1) {
        if (hopeless || RestIsAnswered(*base, chosen, tried, asking)) {
            break;
        }
        const int digit = LowestBit(digits) + 1;
        tried |= DigitBit(digit);
        SearchBoard child = *base;
        path[depthBelowTop++] = {static_cast<uint8_t>(chosen), static_cast<uint8_t>(digit)};
        if (below == Order::Members) {
            passes.Place(child, work, chosen, digit);
            Step(child, nullptr, static_cast<unsigned char>(depth - 1));
        } else {
            FreeWork childWork;
            if (freeRules.Place(child, childWork, chosen, digit)) {
                Step(child, &childWork, static_cast<unsigned char>(depth - 1));
            }
        }
        --depthBelowTop;
    }
}
