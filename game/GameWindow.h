// GameWindow: what the game asks of the window it runs in. The game decides
// (which mode, which question, what an answer does, which file is read or
// written); the window shows and asks. The real window (CNerekuSudoku) draws
// with GDI and asks with the class library's modal dialogs; the tests' window
// answers from a script and records what it was asked.
//
// Every call happens on the game's one thread, and a question returns only
// once it is answered, as a modal dialog does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "GridHit.h"
#include "corvane/CStringResource.h"

// The program's two sounds: a click that the game waits for, and the success
// sound, which plays on while the game goes on.
enum class GameSound { Click, Success };

// A message box: the text, the caption and the buttons' texts, left to
// right. Enter presses `defaultButton`.
struct Question {
    const wchar_t* text = L"";
    const wchar_t* caption = L"";
    std::vector<const wchar_t*> buttons;
    int defaultButton = 0;
};

class GameWindow {
public:
    virtual ~GameWindow() = default;

    // ---- Texts and questions.
    // The string table, in the player's language.
    virtual const CStringResource& Texts() = 0;
    // Shows the question until it is answered: the index of the button
    // pressed, or -1 when the box was closed without one.
    virtual int Ask(const Question& question) = 0;
    // Asks for a number from `lowest` to `highest`, starting with *value;
    // true, with the number in *value, when it was confirmed.
    virtual bool AskNumber(const wchar_t* text, const wchar_t* caption, unsigned char* value,
                           unsigned char lowest, unsigned char highest) = 0;
    // Asks for a name, starting with the text in `name` (`size` characters,
    // terminator included); true, with the name in `name`, when confirmed.
    virtual bool AskName(const wchar_t* text, const wchar_t* caption, wchar_t* name,
                         size_t size) = 0;

    // ---- What the window shows.
    virtual void PlayGameSound(GameSound sound) = 0;
    // Draws the board as it stands, in the colours of the current mode.
    virtual void DrawGrid() = 0;
    virtual void SetBackgroundColour(unsigned long colour) = 0;
    // The mode banner; null shows none.
    virtual void SetBanner(const wchar_t* text) = 0;
    // Runs `work`, a search or a generation that may take a while, and shows
    // the player that the game is busy when it does.
    virtual void RunBusy(const std::function<void()>& work) = 0;

    // ---- The level list.
    // Replaces the entries (the list keeps them sorted, ignoring case),
    // leaving none selected.
    virtual void FillLevelList(const std::vector<std::wstring>& names) = 0;
    // Selects the entry named `name`, ignoring case; none when null or when
    // no entry has that name.
    virtual void SelectLevel(const wchar_t* name) = 0;
    // The selected entry's name, empty when none is selected.
    virtual std::wstring SelectedLevel() = 0;

    // ---- The grid on the screen, where clicks are mapped to squares.
    virtual GridPlace GridOnScreen() = 0;

    // ---- Outside the game.
    virtual void OpenHelp() = 0;
    virtual void OpenWebsite() = 0;
};
