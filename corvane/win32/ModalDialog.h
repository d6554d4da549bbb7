// ModalDialog: the common ground of the library's modal dialogs. A dialog is
// made from an empty in-memory template, so the system's dialog manager runs
// it (modal loop, owner disabled, Tab, Enter and Escape), and its controls are
// real child windows that the derived class places in OnInit.
//
// Look: the content stands on a white panel; the buttons sit in a band of the
// dialog colour along the bottom, right-aligned and sized to their texts. All
// sizes scale with the dialog font's height.
#pragma once

#include <windows.h>

#include <vector>

#include "corvane/GdiObjects.h"

class CPicture;

class ModalDialog {
public:
    ModalDialog(HWND owner, HFONT font, const CPicture* picture, bool rightToLeft);
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

    // Shows the dialog; returns what EndDialog was given, or -1 when the
    // dialog could not be shown.
    INT_PTR Run(const wchar_t* caption);

protected:
    // Makes the controls and calls FinishLayout. Returns the control that
    // gets the focus.
    virtual HWND OnInit() = 0;
    virtual void OnCommand(int id, int code) = 0;
    // Escape, the close box, Alt+F4.
    virtual void OnCancel() { EndDialog(dialog, -1); }

    // Pixels scaled to the font (given as at a font 16 pixels high).
    int Scale(int pixels) const { return MulDiv(pixels, fontHeight, 16); }
    // Size of `text` in the dialog font, broken into lines no wider than
    // `maxWidth` (0: only at line feeds).
    SIZE MeasureText(const wchar_t* text, int maxWidth) const;
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                    int id, int x, int y, int width, int height);
    // The push buttons of the band, right-aligned; button `defaultIndex` is
    // the default, which Enter presses. Returns their windows.
    std::vector<HWND> AddButtons(const wchar_t* const* texts, int count, const int* ids,
                                 int clientWidth, int bandTop, int defaultIndex = 0);
    // Width the buttons of AddButtons take, margins included.
    int ButtonRowWidth(const wchar_t* const* texts, int count) const;
    int ButtonHeight() const { return Scale(26); }
    int BandHeight() const { return ButtonHeight() + 2 * Scale(11); }
    // The picture's square at the panel's left, or 0 without a picture.
    int PictureSide() const;
    // Sizes the dialog to a client area of width x height (the band starts at
    // bandTop), centres it on its owner and keeps it on the screen.
    void FinishLayout(int clientWidth, int clientHeight, int bandTop);
    // Places the picture (drawn by the dialog) at (x, y).
    void PlacePicture(int x, int y);

    HWND dialog = nullptr;
    HWND owner;
    HFONT font = nullptr;
    bool rightToLeft;
    int fontHeight = 16;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam);
    void PaintBackground(HDC dc) const;

    const CPicture* picture;
    GdiObject<HFONT> ownFont;
    GdiObject<HBRUSH> panelBrush;
    int panelBottom = 0;
    RECT pictureRect = {0, 0, 0, 0};
};

// The system's message font (Segoe UI or Tahoma), made anew.
GdiObject<HFONT> CreateMessageFont();
