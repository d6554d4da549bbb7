// The fixture of the game's flow tests: a game on a fresh data folder of its
// own, with a scripted window, and the clicks and files the tests use.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedWindow.h"
#include "TempFolder.h"
#include "engine/TestBoards.h"

namespace fs = std::filesystem;

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
