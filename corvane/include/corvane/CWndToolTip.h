// CWndToolTip: the tool tips of a window's controls, one system tool tip
// window shared by all of them.
#pragma once

#include <windows.h>

class CWndToolTip {
public:
    // `delay`: milliseconds the pointer must rest on a control before its tip
    // shows. `font`: the tips' font (null: the system's; the caller keeps it
    // alive). `settingsRoot`: unused.
    CWndToolTip(int delay, HFONT font, HKEY settingsRoot);
    CWndToolTip(const CWndToolTip&) = delete;
    CWndToolTip& operator=(const CWndToolTip&) = delete;
    ~CWndToolTip();

    // Gives `control` (a child of `owner`) the tip `text`, shown while the
    // pointer rests on it; a repeated call changes the text. The tool tip
    // window is made on the first call. False when it could not be made.
    bool ShowToolTip(const wchar_t* text, HWND owner, HWND control);

    // Gives the area `area` of `owner`'s client area (the tool `id`) the tip
    // `text`; a repeated call changes the text and the area, and an empty
    // area takes the tip away. False when the tip could not be set.
    bool ShowAreaToolTip(const wchar_t* text, HWND owner, UINT_PTR id, const RECT& area);

    HWND GetWindow() const { return window; }

private:
    // Makes the tool tip window on the first call; false when it cannot.
    bool MakeWindow(HWND owner);

    HWND window = nullptr;
    HFONT font;
    int delay;
};
