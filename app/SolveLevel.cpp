// The Solve command: every solution of the board as the player left it, up to
// the search's limit; the first one shown, the count reported, and "Prev" and
// "Next" to page through the others.
#include <windows.h>

#include <cstring>

#include "Guarded.h"
#include "app/CNerekuSudoku.h"
#include "corvane/CMessageBox.h"
#include "corvane/StringHelpers.h"
#include "resources/resource.h"
#include "solver/SolutionBrowser.h"

void CNerekuSudoku::SolveLevel() {
    NEREKU_GUARDED([&] {
        SolutionBrowser browser(SolveLevel_FindSolutions(kSolutionLimit));
        const wchar_t* const message = Text(browser.MessageKey(kSolutionLimit));
        if (browser.Count() < 1) {
            // The board stays as it was, so the player can see the slip.
            DrawGrid();
            CMessageBox box(this, nullptr, nullptr);
            box.ShowDialog(message, L"Nereku Sudoku", 1, Text(L"Ok"));
            EnterMode(GameMode);
            DrawGrid();
            return;
        }
        ShowSolution(0);
        PlaySoundResource(IDW_SUCCESS, true);
        if (!browser.CanPage()) {
            CMessageBox box(this, nullptr, nullptr);
            box.ShowDialog(message, L"Nereku Sudoku", 1, Text(L"Ok"));
            return;
        }
        wchar_t text[256];
        Safe_wcsnprintf(text, 256, message, browser.Count());
        for (;;) {
            wchar_t caption[32];
            Safe_wcsnprintf(caption, 32, Text(L"Solution_m_of_n"), browser.Shown() + 1,
                            browser.Count());
            CMessageBox box(this, nullptr, nullptr);
            const int button =
                box.ShowDialog(text, caption, 3, Text(L"Ok"), Text(L"Prev"), Text(L"Next"));
            const SolutionBrowser::Step step = browser.Press(button);
            if (step == SolutionBrowser::Step::Done) {
                return; // the solution shown stays on the board
            }
            if (step == SolutionBrowser::Step::Shown) {
                ShowSolution(browser.Shown());
            } else {
                CMessageBox end(this, nullptr, nullptr);
                end.ShowDialog(Text(L"Reached_end_of_solutions"), caption, 1, Text(L"Ok"));
            }
        }
    });
}

// Puts solution `row` of the list on the board and draws it.
void CNerekuSudoku::ShowSolution(int row) {
    if (solutions.GetColumnLen(row, 0) == kSquareImageSize) {
        std::memcpy(squares, solutions.GetValue(row, 0, nullptr, true), kSquareImageSize);
    }
    DrawGrid();
}
