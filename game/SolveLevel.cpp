// The Solve command: every solution of the board as the player left it, up to
// the search's limit; the first one shown, the count reported, and "Prev" and
// "Next" to page through the others.
#include <cstring>

#include "Guarded.h"
#include "corvane/StringHelpers.h"
#include "game/CNerekuGame.h"
#include "solver/SolutionBrowser.h"

void CNerekuGame::SolveLevel() {
    NEREKU_GUARDED([&] {
        ForgetHistory(); // the board that follows is the program's, not the player's
        int found = 0;
        ui.RunBusy([&] { found = SolveLevel_FindSolutions(kSolutionLimit); });
        SolutionBrowser browser(found);
        const wchar_t* const message = Text(browser.MessageKey(kSolutionLimit));
        if (browser.Count() < 1) {
            // The board stays as it was, so the player can see the slip.
            Redraw();
            Tell(message);
            EnterMode(GameMode);
            Redraw();
            return;
        }
        ShowSolution(0);
        ui.PlayGameSound(GameSound::Success);
        if (!browser.CanPage()) {
            Tell(message);
            return;
        }
        wchar_t text[256];
        Safe_wcsnprintf(text, 256, message, browser.Count());
        for (;;) {
            wchar_t caption[32];
            Safe_wcsnprintf(caption, 32, Text(L"Solution_m_of_n"), browser.Shown() + 1,
                            browser.Count());
            const int button = ui.Ask({text, caption, {Text(L"Ok"), Text(L"Prev"), Text(L"Next")}});
            const SolutionBrowser::Step step = browser.Press(button);
            if (step == SolutionBrowser::Step::Done) {
                return; // the solution shown stays on the board
            }
            if (step == SolutionBrowser::Step::Shown) {
                ShowSolution(browser.Shown());
            } else {
                ui.Ask({Text(L"Reached_end_of_solutions"), caption, {Text(L"Ok")}});
            }
        }
    });
}

void CNerekuGame::ShowSolution(int row) {
    if (solutions.GetColumnLen(row, 0) == kSquareImageSize) {
        std::memcpy(squares, solutions.GetValue(row, 0, nullptr, true), kSquareImageSize);
    }
    Redraw();
}
