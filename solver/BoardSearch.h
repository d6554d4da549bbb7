// The search on the search board: propagation, then depth-first branching on
// the first square with the fewest candidates, the digits in increasing
// order. It stores exactly the solutions, in the same order, of the member
// rules and checks on the squares, and leaves the board the top level's
// propagation leaves.
#pragma once

#include <memory>

#include "solver/FreeOrderRules.h"
#include "solver/LineSearch.h"
#include "solver/RulePasses.h"
#include "solver/SatProbe.h"
#include "solver/SignLists.h"

class CDataCube;

class BoardSearch {
public:
    // The signs are read once; the masks may hold any bits (a sign bit
    // pointing out of its block is passed over, as the member rule does).
    BoardSearch(const EdgeMask* edgeMasks, bool levelHasEdges);

    // The search step on the board: propagate, store a solved board (`fixed`
    // supplies the givens of the stored image), else branch. Each branch
    // restores the board; the top level's propagation stays on it.
    void Search(SearchBoard& board, unsigned char depth, int maxSolutions,
                const unsigned char* fixed, CDataCube& solutions);

    // How many boards the search looked at, for the benchmarks.
    long Nodes() const { return nodes; }

private:
    enum class Order { Members, Free };
    // One node: `freeWork` is what the branch placement left for the
    // free-order rules, nullptr for the member order.
    void Step(SearchBoard& board, FreeWork* freeWork, unsigned char depth);
    // The top level's propagation in the free order, where that provably
    // leaves the member order's board: false, with the board untouched, where
    // it does not.
    bool PropagateTopFreely(SearchBoard& board) const;
    // Decides, once the top level has propagated, how the boards below it
    // propagate.
    void ChooseOrderBelow(const SearchBoard& board);
    // Whether the board can still be branched on; `order` says how it was
    // propagated.
    bool MayBranch(const SearchBoard& board, Order order, unsigned char depth) const;
    // The probe, made when first asked for.
    SatProbe& Probe();
    // Whether the branches below the board after `tried` have no solution.
    bool RestIsEmpty(const SearchBoard& board, int chosen, unsigned tried);
    void Store(const SearchBoard& board, Order order);
    // A solved board of the free order, from its numbers.
    void StoreNumbers(const uint8_t* numbers);
    void AddImage(const Square* image);
    // What the count found below the board's branches on `chosen` other than
    // `tried`: all their solutions, fewer than `most`, then stored in the
    // branches' order; as many as the room left; or neither.
    enum class Counted { All, Full, Unknown };
    Counted StoreCountedRest(const SearchBoard& board, int chosen, unsigned tried, int most);
    // The count of the rest: true where it stored all their solutions.
    bool CountedAll(const SearchBoard& board, int chosen, unsigned tried, int most);
    // The questions a node asks about its branches after `tried`, when they
    // are due: true where one answered them all, by a cut or a count.
    struct RestQuestions;
    bool RestIsAnswered(const SearchBoard& board, int chosen, unsigned tried,
                        RestQuestions& asking);
    void StoreInOrder(const SearchBoard& board, SolvedNumbers* first, SolvedNumbers* last);

    // A level without any sign bit reads none: both lists are then one shared
    // empty list, and the two below stay unread.
    bool anySign;
    SignList ruleSignList;
    SignList checkedSignList;
    const SignList& ruleSigns;
    CheckedSigns checked;
    const SignList& checkedSigns; // with the bounds of the chains of signs
    bool circle;                  // the checked signs go round in a circle
    RulePasses passes;
    FreeOrderRules freeRules;
    std::unique_ptr<SatProbe> probe; // made when the search first asks
    bool useSignRule;
    bool mirrored;

    // Set by Search for the steps.
    bool atTop = false;
    Order below = Order::Members;          // how the boards below the top propagate
    uint16_t topCandidates[kSquareCount];  // the candidates the top level left
    const SearchBoard* topBoard = nullptr; // the board the top level left
    long firstProbe = 0;                   // the nodes before the first question
    bool hopeless = false;                 // the top board has no solution
    Placement path[kSquareCount];          // the branches taken from the top down
    int depthBelowTop = 0;
    int maxSolutions = 0;
    const unsigned char* fixed = nullptr;
    CDataCube* solutions = nullptr;
    RuleWork work;
    long nodes = 0;
    long fullCounts = 0; // counts that found as many solutions as the room left
};
