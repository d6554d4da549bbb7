#include "SolutionBrowser.h"

const wchar_t* SolutionBrowser::MessageKey(int limit) const {
    if (count < 1) {
        return L"No_solution_possible";
    }
    if (count == 1) {
        return L"Found_single_correct_solution";
    }
    return count >= limit ? L"Found_too_many_correct_solutions"
                          : L"Found_multiple_correct_solutions";
}

SolutionBrowser::Step SolutionBrowser::Press(int button) {
    if (button == Prev) {
        if (shown == 0) {
            return Step::AtEnd;
        }
        --shown;
        return Step::Shown;
    }
    if (button == Next) {
        if (shown >= count - 1) {
            return Step::AtEnd;
        }
        ++shown;
        return Step::Shown;
    }
    return Step::Done;
}
