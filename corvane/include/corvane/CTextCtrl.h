// CTextCtrl: a text drawn into a rectangle of the window's composition. It is
// no window: the owner sets its rectangle and calls Draw when it composes.
//
// SetTextFormat(horizontal, vertical, size, singleLine):
//   horizontal  1 left, 2 every line centred, 3 right, 5 the text as a block
//               centred, its lines aligned left inside the block (so columns
//               of a fixed-pitch text stay lined up); other values: left
//   vertical    1 top, 4 bottom, 5 centred; other values: top
//   size        the built-in font when SetFont gave none: 1 small (11 px),
//               2 normal (13 px), 3 large and bold (20 px); the face is the
//               system's message font ("Segoe UI" or "Tahoma")
//   singleLine  true: one line; with the built-in font a line too wide or
//               too high for the rectangle is drawn smaller (down to 9 px),
//               and only then cut with an ellipsis; false:
//               lines break at line feeds and, where too long, at word
//               boundaries
// The defaults are (1, 1, 2, true).
#pragma once

#include <windows.h>

#include <string>

#include "corvane/GdiObjects.h"

class CTextCtrl {
public:
    CTextCtrl() = default;
    CTextCtrl(const CTextCtrl&) = delete;
    CTextCtrl& operator=(const CTextCtrl&) = delete;

    void SetText(const wchar_t* text);
    const wchar_t* GetText() const { return text.c_str(); }
    // Keeps a font of its own made like `font`; the caller may delete `font`
    // at once. Null goes back to the built-in font of the format's size.
    void SetFont(HFONT font);
    void SetTextFormat(int horizontal, int vertical, int size, bool singleLine);
    void SetTextColour(COLORREF colour) { textColour = colour; }
    // Transparent: the text is drawn over whatever lies beneath. Otherwise the
    // rectangle is first filled with `keyColour`, which the owner can then
    // leave out when it copies its composition (as CPicture does with
    // magenta).
    void SetTransparency(bool transparent, COLORREF keyColour);

    // (x, y, width, height), or a rectangle (left, top, right, bottom). An
    // empty rectangle hides the text.
    void SetDrawingRect(int x, int y, int rectWidth, int rectHeight);
    void SetDrawingRect(const RECT& rect);
    const RECT& GetDrawingRect() const { return drawingRect; }

    void Draw(HDC dc) const;

private:
    HFONT ChooseFont() const;
    HFONT FittingFont(HDC dc, const RECT& rect) const;

    std::wstring text;
    GdiObject<HFONT> ownFont;
    mutable GdiObject<HFONT> builtInFont;
    mutable int builtInSize = 0;
    // The built-in font at the size that fits the line into its rectangle,
    // and what it was fitted to.
    mutable GdiObject<HFONT> fittedFont;
    mutable std::wstring fittedText;
    mutable SIZE fittedRoom = {0, 0};
    mutable int fittedSize = 0;
    int horizontalFormat = 1;
    int verticalFormat = 1;
    int sizeFormat = 2;
    bool singleLineFormat = true;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF fillColour = RGB(255, 0, 255);
    bool transparent = true;
    RECT drawingRect = {0, 0, 0, 0};
};
