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

    // Draw modes of SetBackground.
    enum DrawMode { DrawAtTopLeft = 0, DrawStretchedMode = 1, DrawCentred = 2 };

    CWndButton() = default;
    CWndButton(const CWndButton&) = delete;
    CWndButton& operator=(const CWndButton&) = delete;
    ~CWndButton();

    // Creates the button window as a child of `parent`. `rightToLeft` mirrors
    // its layout (a text goes left of the picture). `background` (may be null)
    // is drawn stretched behind the picture while no colour is set (colour
    // NoColour). `text` is the window text (for screen readers; not drawn);
    // `font` is kept for it; `rect` is the place (null: 0, 0, 32 x 32). False
    // when the window cannot be made or the button already has one.
    bool Initialize(HINSTANCE instance, HWND parent, bool rightToLeft, CPicture* background,
                    const wchar_t* text, HFONT font, const RECT* rect);

    // The picture and colour when idle, and the ones while the pointer is over
    // the button; copies of both pictures are kept. `drawMode` is one of
    // DrawMode. `disabled` greys the button and stops it from sending clicks;
    // `flat` leaves out the frame drawn while the pointer is over it; `keyed`
    // replaces the pictures' magenta by the colour (else they are drawn as
    // they are). Redraws the button. False when a picture could not be copied.
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
    HFONT font = nullptr;
    int drawMode = DrawCentred;
    bool rightToLeft = false;
    bool disabled = false;
    bool flat = false;
    bool keyed = true;
    bool hovering = false;
    bool pressed = false;
};
