// The four elimination rules on the search board, pass after pass in the
// order of the member rules: the board they leave, and every rule's result,
// are exactly those of the member rules on the squares. The top level of the
// search propagates this way, since the game keeps its board.
//
// The rules look only at what changed since they last ran: candidates only
// ever shrink and numbers are only ever added, so a rule that found nothing
// to do on a square or unit finds nothing again until it changes. What
// changed is noted in a worklist as the board changes.
#pragma once

#include "solver/SearchBoard.h"
#include "solver/SignLists.h"

// What changed since each rule last looked.
struct RuleWork {
    SquareSet singles;     // empty squares that may have one candidate left
    SquareSet signSquares; // squares whose sign neighbours changed
    uint32_t units = 0;    // units whose places or digits changed
    // Every numbered square's candidate was its number alone when the work
    // began: then, while no digit repeats, a placed digit stands among the
    // candidates of empty peers only.
    bool cleanNumbers = false;
    uint8_t placed[kSquareCount]; // numbers not yet struck from their peers
    int placedCount = 0;
};

class RulePasses {
public:
    // `signs` as ReadRuleSigns reads them; the sign rule runs only with
    // `useSignRule`, as the member search runs it only on levels with signs.
    RulePasses(const SignList& ruleSigns, bool levelHasEdges)
        : signs(ruleSigns), useSignRule(levelHasEdges) {}

    // A worklist that has every rule look at the whole board.
    RuleWork WholeBoard(const SearchBoard& board) const;

    // The rules; each returns true when it changed the board.
    bool SetSingleNumbers(SearchBoard& board, RuleWork& work) const;
    bool MarkOffNeighbours(SearchBoard& board, RuleWork& work) const;
    bool SetUniqueNumbers(SearchBoard& board, RuleWork& work) const;
    bool MarkOffEdgeLimited(SearchBoard& board, RuleWork& work) const;
    // The four in passes until a pass changes nothing; the worklist is empty
    // again afterwards.
    void Propagate(SearchBoard& board, RuleWork& work) const;

    // Sets an empty square to a digit, as a branch of the search does, and
    // notes it for the rules.
    void Place(SearchBoard& board, RuleWork& work, int index, int digit) const;

private:
    void Drop(SearchBoard& board, RuleWork& work, int index, unsigned lost) const;
    // Notes for the rules that a square's candidates changed.
    void Noted(const SearchBoard& board, RuleWork& work, int index) const;

    const SignList& signs;
    bool useSignRule;
};
