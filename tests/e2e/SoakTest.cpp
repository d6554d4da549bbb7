// Thousands of random clicks and commands on the real window, with every
// dialog answered at random: afterwards the game still answers, and it holds
// no more GDI objects, icons or windows than before.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>

#include "GameSession.h"

namespace {

const char* const kSolved = "123456789456789123789123456231674895875912364"
                            "694538217317265948542897631968341572";

// The windows of the process, top-level and children.
int CountWindows(DWORD process) {
    int count = 0;
    for (HWND window : ProcessWindows(process)) {
        count += 1 + static_cast<int>(Children(window).size());
    }
    return count;
}

struct Resources {
    long gdi;
    long icons;
    int windows;
};

Resources Measure(const GameSession& game) {
    return {static_cast<long>(game.Probe(ProbeLiveGdiObjects)),
            static_cast<long>(game.Probe(ProbeLiveUserObjects)), CountWindows(game.ProcessId())};
}

// Closes every open dialog the way that changes least.
void CloseDialogs(GameSession& game) {
    for (HWND dialog = game.WaitForDialog(nullptr, 1); dialog != nullptr;
         dialog = game.WaitForDialog(nullptr, 1)) {
        const std::vector<std::wstring> buttons = ReadDialog(dialog).buttons;
        for (const wchar_t* answer : {L"Cancel", L"No", L"Don't save", L"Ok"}) {
            if (std::find(buttons.begin(), buttons.end(), answer) != buttons.end()) {
                game.Answer(dialog, answer);
                break;
            }
        }
    }
}

// Brings the game to the same state for a measurement: the level "base" in
// play, with no dialog open.
void BackToBase(GameSession& game) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        CloseDialogs(game);
        if (game.ChooseLevel(L"base")) {
            CloseDialogs(game); // unsaved edits and the saved game are left alone
        }
        if (game.Mode() == GameMode && game.SelectedLevel() == L"base") {
            return;
        }
    }
    FAIL() << "the level \"base\" could not be chosen again";
}

} // namespace

TEST(Soak, RandomClicksAndCommandsLeakNothing) {
    GameSession game(L"soak");
    std::string digits = kSolved;
    for (int i = 0; i < 81; i += 4) {
        digits[i] = '.';
    }
    game.WriteLevel(L"base", *Puzzle(digits.c_str()));
    game.WriteLevel(L"empty", *Puzzle(std::string(81, '.').c_str()));
    game.WriteLevel(
        L"two",
        *Puzzle("123456789456789123789123456.3167.8958.5912.6469453821731726594854289763196834157"
                "2"));
    ASSERT_TRUE(game.Start());

    std::mt19937 random(20261207);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const BarButton commands[] = {BarNew,    BarEditor, BarRestart, BarSave,
                                  BarDelete, BarSolve,  BarAbout};
    const wchar_t* const levels[] = {L"base", L"empty", L"two", L"made"};
    // The first actions make what the game makes once (the tool tip's window,
    // the fonts of the dialogs); the counts are taken after them.
    const int warmUp = 100;
    const int actions = 2000;
    Resources before = {};
    for (int n = 0; n < warmUp + actions && !HasFatalFailure(); ++n) {
        if (n == warmUp) {
            BackToBase(game);
            before = Measure(game);
        }
        const RECT client = game.ClientRect();
        const int kind = below(10);
        if (kind < 6) {
            const POINT point = {below(client.right), 40 + below(client.bottom - 40)};
            kind < 3 ? game.LeftClick(point) : game.RightClick(point);
        } else if (kind < 9) {
            game.ClickButton(commands[below(7)]);
        } else {
            game.ChooseLevel(levels[below(4)]);
        }
        // Every dialog that opens is answered at random, never by opening the
        // website; requesters get a value first.
        for (HWND dialog = game.WaitForDialog(nullptr, 0); dialog != nullptr;
             dialog = game.WaitForDialog(nullptr, 0)) {
            const DialogContents contents = ReadDialog(dialog);
            if (FindChild(dialog, L"Edit") != nullptr) {
                const bool number = WindowText(dialog) == L"Generate random level";
                game.Type(dialog, number ? std::to_wstring(20 + below(61)) : L"made");
            }
            // "base" must stay for the measurements.
            const bool deletingBase = !contents.texts.empty() &&
                                      contents.texts[0].find(L": base\n") != std::wstring::npos;
            std::vector<std::wstring> buttons;
            for (const std::wstring& button : contents.buttons) {
                if (button != L"Go to website" && !(deletingBase && button == L"Delete")) {
                    buttons.push_back(button);
                }
            }
            const std::wstring caption = WindowText(dialog);
            if (buttons.empty()) {
                if (!IsWindow(dialog)) {
                    continue; // closed in the meantime
                }
                std::wstring shown = caption + L" |";
                for (const std::wstring& text : contents.texts) {
                    shown += L" " + text;
                }
                FAIL() << "a dialog without buttons at action " << n << ": "
                       << std::string(shown.begin(), shown.end());
            }
            const std::wstring answer = buttons[below(static_cast<int>(buttons.size()))];
            ASSERT_TRUE(game.Answer(dialog, answer.c_str()))
                << "action " << n << ": \"" << std::string(answer.begin(), answer.end())
                << "\" in \"" << std::string(caption.begin(), caption.end()) << "\"";
        }
    }
    ASSERT_TRUE(game.Running());
    BackToBase(game);
    const Resources after = Measure(game);
    std::cout << "GDI objects " << before.gdi << " -> " << after.gdi << ", icons " << before.icons
              << " -> " << after.icons << ", windows " << before.windows << " -> " << after.windows
              << " after " << actions << " actions\n";
    EXPECT_LE(after.gdi, before.gdi);
    EXPECT_LE(after.icons, before.icons);
    EXPECT_LE(after.windows, before.windows);
    EXPECT_EQ(game.Close(), 0);
}
