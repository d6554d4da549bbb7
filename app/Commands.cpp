// The picture buttons' commands, each as the current mode has it.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include <string>

#include "Guarded.h"
#include "MakerInfo.h"
#include "app/CNerekuSudoku.h"
#include "app/HelpAddress.h"
#include "corvane/CMessageBox.h"
#include "corvane/CValueRequester.h"
#include "corvane/Files.h"
#include "corvane/StringHelpers.h"

namespace {

constexpr unsigned char kFirstRevealCount = 30;
constexpr unsigned char kFewestRevealed = 20;
// The highest count the question itself names.
constexpr unsigned char kMostRevealed = 80;
const wchar_t* const kVersion = L"v1.00";

void OpenAddress(const wchar_t* address) {
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

// Opens a page of our own help in the web browser. The shell opens a file
// address by its file type and drops the part after '#', so the address goes
// to the program that opens web addresses instead, which keeps the section.
void OpenLocalPage(const std::wstring& address) {
    wchar_t browser[MAX_PATH];
    DWORD size = MAX_PATH;
    if (AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_EXECUTABLE, L"http", L"open", browser, &size) ==
        S_OK) {
        const std::wstring argument = L"\"" + address + L"\"";
        ShellExecuteW(nullptr, L"open", browser, argument.c_str(), nullptr, SW_SHOWNORMAL);
    } else {
        OpenAddress(address.c_str());
    }
}

} // namespace

// New: in the editor it empties the board; elsewhere it asks how many
// squares to reveal and makes a random level.
void CNerekuSudoku::OnNewLevel() {
    NEREKU_GUARDED([&] {
        if (mode == EditMode) {
            ResetGrid(); // the editor empties the board without a question
            DrawGrid();
            return;
        }
        CValueRequester requester(this, false, nullptr, 0, 0xFFFF, 0, 0xFFFF);
        unsigned char count = kFirstRevealCount;
        if (requester.ShowDialog(Text(L"How_many_squares_to_reveal"),
                                 Text(L"Generate_random_level"), &count, kFewestRevealed,
                                 kMostRevealed)) {
            GameMode_GenerateRandomLevel(count);
        }
    });
}

// Editor: enters the editor with the board as it stands, or leaves it.
void CNerekuSudoku::OnLevelEditor() {
    NEREKU_GUARDED([&] {
        if (mode == EditMode) {
            EditMode_Exit();
            return;
        }
        EnterMode(EditMode);
        editChanged = false;
        DrawGrid();
    });
}

// Restart: in the editor it empties the board; in play it offers the level
// from its start or the saved game.
void CNerekuSudoku::OnRestartLevel() {
    NEREKU_GUARDED([&] {
        if (mode == EditMode) {
            ResetGrid(); // the editor empties the board without a question
            DrawGrid();
        } else if (mode == GameMode) {
            CMessageBox box(this, nullptr, nullptr);
            const int answer =
                box.ShowDialog(Text(L"Sure_to_clear_grid"), L"Nereku Sudoku", 3,
                               Text(L"Restart_level"), Text(L"Load_saved_game"), Text(L"Cancel"));
            if (answer == 0) {
                GameMode_LoadLevel(false, false);
            } else if (answer == 1) {
                GameMode_LoadLevel(false, true);
            }
        }
    });
}

void CNerekuSudoku::OnSaveLevel() {
    NEREKU_GUARDED([&] {
        if (mode == GameMode) {
            GameMode_SaveLevel();
        } else if (mode == EditMode) {
            EditMode_SaveLevel();
        }
    });
}

// Solve: shows the solutions of the board as it stands, in SolveMode.
void CNerekuSudoku::OnSolveLevel() {
    NEREKU_GUARDED([&] {
        if (mode != GameMode && mode != EditMode) {
            return;
        }
        EnterMode(SolveMode);
        editChanged = false;
        DrawGrid();
        SolveLevel();
    });
}

void CNerekuSudoku::OnAbout() {
    NEREKU_GUARDED([&] {
        wchar_t text[1024];
        Safe_wcsnprintf(text, 1024, Text(L"About_text"), kVersion);
        CMessageBox box(this, nullptr, nullptr);
        if (box.ShowDialog(text, Text(L"About"), 2, Text(L"Ok"), Text(L"Go_to_website")) == 1) {
            OpenAddress(MakerInfo::website);
        }
    });
}

// The game-play help: the page that ships beside the program, or the
// maker's online page when it is missing.
void CNerekuSudoku::OpenHelp() {
    NEREKU_GUARDED([&] {
        const std::wstring page = std::wstring(dataDirectory) + L"\\" + kHelpPage;
        std::wstring local = page;
        for (wchar_t& ch : local) {
            ch = ch == L'/' ? L'\\' : ch;
        }
        if (FileExists(local.c_str())) {
            OpenLocalPage(FileAddress(local, kHelpSection));
        } else {
            OpenAddress(MakerInfo::helpAddress);
        }
    });
}
