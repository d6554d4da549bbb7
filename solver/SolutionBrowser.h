// What the Solve command tells the player about the solutions found, and how
// its "Prev" and "Next" buttons page through them.
#pragma once

class SolutionBrowser {
public:
    // The buttons of the browser's message box, by their index.
    enum Button { Ok = 0, Prev = 1, Next = 2 };
    enum class Step {
        Shown, // another solution is to be shown
        AtEnd, // the first or last one is shown already: say so, stay
        Done,  // the browser closes; the solution shown stays on the board
    };

    // `count` solutions were found; the first one is shown.
    explicit SolutionBrowser(int found) : count(found) {}

    // The key of the message for the count: no solution, one, several, or
    // as many as the search's limit (then only the first ones were found).
    const wchar_t* MessageKey(int limit) const;
    // Whether the player can page: two solutions or more.
    bool CanPage() const { return count >= 2; }

    // Acts on the button pressed (any index other than Prev and Next ends
    // the browser, the close box's -1 included).
    Step Press(int button);
    // The solution shown, 0 to count - 1, and its number for the caption.
    int Shown() const { return shown; }
    int Count() const { return count; }

private:
    int count;
    int shown = 0;
};
