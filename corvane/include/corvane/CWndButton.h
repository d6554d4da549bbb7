// CWndButton: a picture button, a child window of 32 x 32 pixels (until the
// owner moves it) that shows a picture on a plain colour, with magenta in the
// picture replaced by that colour. The pointer over it lightens the button
// and draws a frame; a pressed button darkens and its picture moves down and
// right by one pixel.
//
// A click, the left button pressed and released inside the button, sends the
// parent WM_NOTIFY with an NMHDR whose hwndFrom is the button's window, idFrom
// its control id and code ClickNotification (0x0202, the value of
// WM_LBUTTONUP). A press released outside sends nothing.
#pragma once

#include <windows.h>

#include "corvane/CPicture.h"

class CWndButton {
public:
    static constexpr UINT ClickNotification = 0x0202;
    // "No colour": the background picture shows instead.
    static constexpr COLORREF NoColour = 0xFFFFFFFF;

    // Where SetBackground's pictures go on the button (its `drawMode`).
    enum DrawMode : int {
        DrawAtTopLeft = 0, // at their own size at the top left corner, cut at the edges
        DrawStretched = 1, // stretched over the whole button
        DrawCentred = 2,   // at their own size, centred
    };

    CWndButton() = default;
    CWndButton(const CWndButton&) = delete;
    CWndButton& operator=(const CWndButton&) = delete;
    ~CWndButton();

    // Creates the button window as a child of `parent`:
    //   rightToLeft  mirrors the button's layout
    //   background   (may be null; the caller keeps it) drawn stretched behind
    //                the picture while the colour is NoColour
    //   text         the window text, for screen readers; not drawn
    //   font         unused: the button draws no text
    //   rect         the place (null: 0, 0, 32 x 32)
    // False when the window cannot be made or the button already has one.
    bool Initialize(HINSTANCE instance, HWND parent, bool rightToLeft, CPicture* background,
                    const wchar_t* text, HFONT font, const RECT* rect);

    // What the button shows, and how; redraws it:
    //   picture, colour   the picture (may be null: none) on the colour
    //                     (NoColour: the background picture, else the
    //                     system's button face) while the pointer is away
    //   hoverPicture, hoverColour  the same while the pointer is over the
    //                     button; a null or empty picture and NoColour keep
    //                     the idle ones
    //   drawMode          where the pictures go: a DrawMode
    //   disabled          greys the button; it then sends no clicks
    //   flat              no frame while the pointer is over the button
    //   keyed             the pictures' magenta shows the colour beneath
    //                     (else the pictures are drawn as they are)
    // The button keeps copies of both pictures. False when one could not be
    // copied.
    bool SetBackground(const CPicture* picture, COLORREF colour, const CPicture* hoverPicture,
                       COLORREF hoverColour, int drawMode, bool disabled, bool flat, bool keyed);

    HWND GetWindow() const { return window; }

    // Paints the button into `dc` (also what WM_PAINT and WM_PRINTCLIENT do).
    void Paint(HDC dc) const;

private:
    static LRESULT CALLBACK WndProcWrapper(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove();
    void OnButtonDown();
    void OnButtonUp(LPARAM position);
    void SendClick() const;

    HWND window = nullptr;
    CPicture* backgroundPicture = nullptr;
    CPicture picture;
    CPicture hoverPicture;
    COLORREF colour = NoColour;
    COLORREF hoverColour = NoColour;
    int drawMode = DrawCentred;
    bool disabled = false;
    bool flat = false;
    bool keyed = true;
    bool hovering = false;
    bool pressed = false;
};
