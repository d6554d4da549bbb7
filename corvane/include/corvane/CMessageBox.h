// CMessageBox: a modal message box with the caller's own button texts.
//
// The box is a real dialog (window class "#32770") made of real child
// controls: one static text and one BUTTON child per button, whose window
// texts are the button texts, so screen readers and test drivers can read it
// and press its buttons. It is sized to its text, centred on its parent, and
// the parent is disabled while it is open. The text stands on a white panel;
// the buttons sit right-aligned in a band below it, sized to their texts.
#pragma once

#include <windows.h>

class CPicture;
class CWndCommon;

class CMessageBox {
public:
    static constexpr int MaximumButtons = 8;

    // `parent` may be null (the box then belongs to no window and is centred
    // on the screen). `font`: the font of the text and buttons (null: the
    // parent's default font, else the system's message font). `picture`
    // (may be null) is shown left of the text, its magenta left out. The box
    // keeps none of them beyond ShowDialog.
    CMessageBox(CWndCommon* parent, HFONT font, CPicture* picture);
    CMessageBox(HWND parent, HFONT font, CPicture* picture);

    // The button that Enter presses while no other has the focus, and that
    // has the focus at first: 0, the first, unless set (an index outside the
    // buttons given counts as 0).
    void SetDefaultButton(int index) { defaultButton = index; }
    // Shows the box until a button is pressed and returns the button's
    // zero-based index. Enter presses the focused button, at first the
    // default one; Escape or the close box give -1. `count` must equal the number of
    // button texts given and lie in 1..MaximumButtons, else the result is -1
    // and nothing is shown. A line feed in `text` breaks the line.
    template <typename... Texts>
    int ShowDialog(const wchar_t* text, const wchar_t* caption, int count,
                   const Texts&... buttons) {
        const wchar_t* texts[] = {nullptr, buttons...};
        return ShowButtons(text, caption, count, texts + 1, static_cast<int>(sizeof...(Texts)));
    }

    int ShowButtons(const wchar_t* text, const wchar_t* caption, int count,
                    const wchar_t* const* buttonTexts, int given);

private:
    HWND parentWindow;
    HFONT font;
    CPicture* picture;
    int defaultButton = 0;
};
