// The fixture of the game's flow tests: a game on a fresh data folder of its
// own, with a scripted window, and the clicks and files the tests use.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BoardText.h"
#include "TempFolder.h"
#include "TranslateStrings.h"
#include "corvane/CStringResource.h"
#include "corvane/StringHelpers.h"
#include "engine/TestBoards.h"
#include "game/CNerekuGame.h"

namespace fs = std::filesystem;

// A window for the game's flow that answers from a script and records what
// it was asked and shown: the questions with their captions, buttons and
// default button, the names and numbers asked for, the sounds, the banner
// and background, and the board as it stood at each drawing. Texts come from
// the real English string table; the level list keeps its entries sorted
// without regard to case, as the real list does.
struct AskedQuestion {
    std::wstring text;
    std::wstring caption;
    std::vector<std::wstring> buttons;
    int defaultButton = 0;
};

class ScriptedWindow : public GameWindow {
public:
    // The grid on the screen: squares of 36 pixels from (20, 30).
    static constexpr int kLeft = 20;
    static constexpr int kTop = 30;
    static constexpr int kSide = 36;

    ScriptedWindow() { strings.Build(TranslateStrings, 7); } // English

    void Attach(const CNerekuGame* shown) { game = shown; }

    // ---- The script, answered in order. A button is named by its text; an
    // empty text closes the box without one. A name or number left out
    // (std::nullopt) cancels the requester.
    std::deque<std::wstring> answers;
    std::deque<std::optional<std::wstring>> names;
    std::deque<std::optional<int>> numbers;
    // Replaces the next busy work, as if it had run and come to this end.
    std::function<void()> busyOutcome;

    // ---- What the game did.
    std::vector<AskedQuestion> questions;
    std::vector<std::wstring> proposedNames; // the text each name requester started with
    std::vector<std::wstring> nameCaptions;
    struct NumberRequest {
        std::wstring text, caption;
        int start, lowest, highest;
    };
    std::vector<NumberRequest> numberRequests;
    std::vector<GameSound> sounds;
    int drawings = 0;
    std::string drawnDigits; // the board's numbers at the last drawing
    uint32_t drawnMode = NoMode;
    unsigned long background = 0;
    std::optional<std::wstring> banner; // empty optional: none shown
    int busyRuns = 0;
    int helpOpened = 0;
    int websiteOpened = 0;
    std::vector<std::wstring> list;
    std::wstring selected;

    // ---- GameWindow.
    const CStringResource& Texts() override { return strings; }

    int Ask(const Question& question) override {
        AskedQuestion asked{question.text, question.caption, {}, question.defaultButton};
        for (const wchar_t* button : question.buttons) {
            asked.buttons.emplace_back(button);
        }
        questions.push_back(asked);
        if (answers.empty()) {
            ADD_FAILURE() << "an unexpected question: " << Narrow(asked.text);
            return -1;
        }
        const std::wstring answer = answers.front();
        answers.pop_front();
        const auto found = std::find(asked.buttons.begin(), asked.buttons.end(), answer);
        if (answer.empty()) {
            return -1;
        }
        EXPECT_NE(found, asked.buttons.end()) << "no button " << Narrow(answer);
        return found == asked.buttons.end() ? -1 : static_cast<int>(found - asked.buttons.begin());
    }

    bool AskNumber(const wchar_t* text, const wchar_t* caption, unsigned char* value,
                   unsigned char lowest, unsigned char highest) override {
        numberRequests.push_back({text, caption, *value, lowest, highest});
        if (numbers.empty()) {
            ADD_FAILURE() << "an unexpected number requester";
            return false;
        }
        const std::optional<int> number = numbers.front();
        numbers.pop_front();
        if (number) {
            *value = static_cast<unsigned char>(*number);
        }
        return number.has_value();
    }

    bool AskName(const wchar_t* text, const wchar_t* caption, wchar_t* name, size_t size) override {
        (void)text;
        proposedNames.emplace_back(name);
        nameCaptions.emplace_back(caption);
        if (names.empty()) {
            ADD_FAILURE() << "an unexpected name requester";
            return false;
        }
        const std::optional<std::wstring> answer = names.front();
        names.pop_front();
        if (answer) {
            Safe_wcsncpy(name, answer->c_str(), size);
        }
        return answer.has_value();
    }

    void PlayGameSound(GameSound sound) override { sounds.push_back(sound); }

    void DrawGrid() override {
        ++drawings;
        if (game != nullptr) {
            drawnDigits = BoardDigits(game->squares);
            drawnMode = game->GetMode();
        }
    }

    void SetBackgroundColour(unsigned long colour) override { background = colour; }

    void SetBanner(const wchar_t* text) override {
        banner = text != nullptr ? std::optional<std::wstring>(text) : std::nullopt;
    }

    void RunBusy(const std::function<void()>& work) override {
        ++busyRuns;
        if (busyOutcome) {
            std::function<void()> outcome;
            outcome.swap(busyOutcome);
            outcome();
        } else {
            work();
        }
    }

    void FillLevelList(const std::vector<std::wstring>& entries) override {
        list = entries;
        std::sort(list.begin(), list.end(), [](const std::wstring& a, const std::wstring& b) {
            return Safe_wcsicmp(a.c_str(), b.c_str()) < 0;
        });
        selected.clear();
    }

    void SelectLevel(const wchar_t* name) override {
        selected.clear();
        for (const std::wstring& entry : list) {
            if (name != nullptr && Safe_wcsicmp(entry.c_str(), name) == 0) {
                selected = entry;
                return;
            }
        }
    }

    std::wstring SelectedLevel() override { return selected; }

    GridPlace GridOnScreen() override {
        return {kLeft, kTop, kLeft + 9 * kSide + 1, kTop + 9 * kSide + 1, kSide};
    }

    void OpenHelp() override { ++helpOpened; }
    void OpenWebsite() override { ++websiteOpened; }

    static std::string Narrow(const std::wstring& text) {
        return std::string(text.begin(), text.end());
    }

private:
    CStringResource strings;
    const CNerekuGame* game = nullptr;
};

inline const std::wstring kGameBanner = L"***  G A M E   M O D E  ***";
inline const std::wstring kEditBanner = L"***  E D I T O R   M O D E  ***";
inline const std::wstring kContinue = L"Do you want to continue the saved game?";
inline const std::wstring kWin = L"Congratulations!\n\nYou found the correct solution.";
inline const std::wstring kNoSolution =
    L"This level has no solution (anymore).\nEither the level is incorrect, or you made a "
    L"mistake while solving the level.\n\nTry restarting the level and immediately try to "
    L"auto-solve it to see whether the level can be solved at all.";
constexpr unsigned long kGameColour = 0xA06040;
constexpr unsigned long kEditColour = 0x40805C;
constexpr unsigned long kGrey = 0x808080;

// The solved grid with some squares emptied ('0'), as BoardDigits writes it.
inline std::string SolvedWithout(std::initializer_list<int> empty) {
    std::string digits = kSolvedGrid;
    for (int index : empty) {
        digits[index] = '0';
    }
    return digits;
}

class GameFlow : public ::testing::Test {
protected:
    void SetUp() override {
        window.Attach(&game);
        game.OpenDataFolder(folder.wstring().c_str());
        game.UpdateLevelsCombo(nullptr);
    }

    void TearDown() override {
        EXPECT_TRUE(window.answers.empty()) << "a scripted answer was never asked for";
        EXPECT_TRUE(window.names.empty()) << "a scripted name was never asked for";
        EXPECT_TRUE(window.numbers.empty()) << "a scripted number was never asked for";
    }

    fs::path LevelFile(const std::wstring& name) const {
        return folder / "Levels" / (name + L".lvl");
    }
    fs::path SaveFile(const std::wstring& name) const {
        return folder / "Saves" / (name + L".lvl");
    }

    // A level of givens (and signs, in BoardLine's form) in "Levels", listed.
    void AddLevel(const std::wstring& name, const std::string& line) {
        CNerekuEngine level;
        ASSERT_TRUE(LoadBoardLine(level, line));
        ASSERT_TRUE(level.WriteLevelFile(LevelFile(name).wstring().c_str()));
        game.UpdateLevelsCombo(nullptr);
    }

    // Chooses a listed level, as the level list reports it.
    void Choose(const std::wstring& name) {
        window.SelectLevel(name.c_str());
        ASSERT_EQ(window.selected, name);
        game.OnLevelChosen();
    }

    // Clicks in the candidate cell of `digit` of square `index`.
    void Left(int index, int digit) {
        game.OnLeftButtonUp(CellX(index, digit), CellY(index, digit));
    }
    void Right(int index, int digit) {
        game.OnRightButtonUp(CellX(index, digit), CellY(index, digit));
    }
    // A right click near the middle of one side of a square.
    void RightNear(int index, SignDirectionIndex side) {
        constexpr int s = ScriptedWindow::kSide;
        const int x = ScriptedWindow::kLeft + ColumnOf(index) * s;
        const int y = ScriptedWindow::kTop + RowOf(index) * s;
        const int dx[] = {s / 2, s - 3, s / 2, 3}; // up, right, down, left
        const int dy[] = {3, s / 2, s - 3, s / 2};
        const int k = side == kUp ? 0 : side == kRight ? 1 : side == kDown ? 2 : 3;
        game.OnRightButtonUp(static_cast<short>(x + dx[k]), static_cast<short>(y + dy[k]));
    }

    std::string Digits() const { return BoardDigits(game.squares); }
    const AskedQuestion& LastQuestion() const { return window.questions.back(); }

    static short CellX(int index, int digit) {
        constexpr int s = ScriptedWindow::kSide;
        return static_cast<short>(ScriptedWindow::kLeft + ColumnOf(index) * s +
                                  ((digit - 1) % 3) * s / 3 + s / 6);
    }
    static short CellY(int index, int digit) {
        constexpr int s = ScriptedWindow::kSide;
        return static_cast<short>(ScriptedWindow::kTop + RowOf(index) * s +
                                  ((digit - 1) / 3) * s / 3 + s / 6);
    }

    const TempFolder temp;
    const fs::path folder = temp.path;
    ScriptedWindow window;
    CNerekuGame game{window};
};

using Strings = std::vector<std::wstring>;
