// A window for the game's flow that answers from a script and records what
// it was asked and shown: the questions with their captions, buttons and
// default button, the names and numbers asked for, the sounds, the banner
// and background, and the board as it stood at each drawing. Texts come from
// the real English string table; the level list keeps its entries sorted
// without regard to case, as the real list does.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "BoardText.h"
#include "TranslateStrings.h"
#include "corvane/CStringResource.h"
#include "corvane/StringHelpers.h"
#include "game/CNerekuGame.h"

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
    // Once seeded, the script is set aside and every question, name and
    // number is answered at random, within what the real dialogs allow: any
    // button or none, a number in the requester's range or a cancel, and
    // names of every kind, some of which no file may take.
    std::optional<std::mt19937> anyAnswer;
    // A draw below `n` from that seed, for the random player's own moves too.
    int Below(int n) {
        return n <= 0 ? 0 : static_cast<int>((*anyAnswer)() % static_cast<uint32_t>(n));
    }

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
        if (anyAnswer) {
            return Below(5) == 0 ? -1 : Below(static_cast<int>(asked.buttons.size()));
        }
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
        if (anyAnswer) {
            if (Below(4) == 0) {
                return false;
            }
            *value = static_cast<unsigned char>(lowest + Below(highest - lowest + 1));
            return true;
        }
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
        if (anyAnswer) {
            static const wchar_t* const kNames[] = {
                L"one",
                L"Two",
                L"one",
                L"random",
                L"",
                L"  ",
                L"a/b",
                L"..",
                L"name.lvl",
                L"CON",
                L"a very long name that goes on and on beyond what any list shows in one line"};
            if (Below(6) == 0) {
                return false;
            }
            Safe_wcsncpy(name, kNames[Below(static_cast<int>(std::size(kNames)))], size);
            return true;
        }
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
