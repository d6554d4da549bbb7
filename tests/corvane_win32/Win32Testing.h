// What the tests drive real windows with: the system's own mouse and keyboard
// through SendInput (reaching the windows as a user's would), a driver that
// operates a modal dialog from a second thread while the test's thread sits
// in the dialog's modal loop, and canvases, screen grabs and PNG files
// (written in the "screenshots" folder beside the test program).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "corvane/GdiObjects.h"

// ---- Input (DialogDriver.cpp)

// Waits until `condition` holds (true) or the seconds have passed (false).
bool WaitFor(const std::function<bool()>& condition, int seconds = 2);
// Moves the pointer to a point of the screen; true once it is there.
bool MoveMouse(POINT screen);
POINT CentreOf(HWND window); // on the screen
// Moves the pointer to a corner of the screen where no test window lies.
void ParkMouse();
void LeftButton(bool down); // where the pointer is
// Clicks at a point of the screen with the left or right button. The press
// and the release carry the point themselves, so that no pointer movement
// still on its way can put them elsewhere. `pressed`, when given, is waited
// for between the two.
void ClickAt(POINT screen, bool left, const std::function<bool()>& pressed = nullptr);
// Moves to the centre of `window` (of another thread or process) and clicks
// there: the mouse button is released once the window has taken the mouse
// capture, as buttons do when pressed. False when it never did.
bool ClickOn(HWND window);
// Types lower-case letters and digits key by key into the foreground window.
void TypeKeys(const std::wstring& text);
// Waits until the top-level window of `window` is the foreground window, the
// one that receives the keys.
bool WaitForForeground(HWND window);
// Presses and releases `key`, with the keys `held` (VK_CONTROL, VK_SHIFT)
// held down around it, once `window` is the foreground window; false when it
// never became that.
bool PressKey(HWND window, WORD key, std::initializer_list<WORD> held = {});
// Puts `text` into `edit` as typed characters (WM_CHAR), for texts too long
// to type key by key.
void TypeText(HWND edit, const std::wstring& text);

// ---- Dialogs and windows (DialogDriver.cpp)

class DialogDriver {
public:
    // Starts a thread that waits (up to 10 s) for a dialog of this process
    // captioned `caption`, then calls `drive` with it. Should none appear,
    // `found` stays false; should the dialog stay open after `drive`, it is
    // closed.
    DialogDriver(const wchar_t* caption, std::function<void(HWND)> drive);
    ~DialogDriver() { Join(); }
    void Join() {
        if (thread.joinable())
            thread.join();
    }
    bool found = false;

private:
    std::thread thread;
};

// What a dialog shows: its visible static texts and its buttons' texts, each
// in the order of the child windows.
struct DialogContents {
    std::vector<std::wstring> texts;
    std::vector<std::wstring> buttons;
};
DialogContents ReadDialog(HWND dialog);
// The top-level windows of a process, and every window below a window.
std::vector<HWND> ProcessWindows(DWORD process);
std::vector<HWND> Children(HWND window);
// An enabled top-level window of the process of the class (and, when given,
// with the caption); one still to be shown too, unless `visible`. A dialog
// under another dialog is disabled: the one to answer is on top.
HWND FindProcessWindow(DWORD process, const wchar_t* className, const wchar_t* caption = nullptr,
                       bool visible = true);
inline HWND FindOwnWindow(const wchar_t* className, const wchar_t* caption = nullptr) {
    return FindProcessWindow(GetCurrentProcessId(), className, caption);
}
// The first child of the class (and, when given, with the text).
HWND FindChild(HWND dialog, const wchar_t* className, const wchar_t* text = nullptr);
std::wstring ClassOf(HWND window);
std::wstring WindowText(HWND window);
// Presses a button by its text (BM_CLICK); false when there is none.
bool PressButton(HWND dialog, const wchar_t* text);
// A plain visible top-level window with `procedure` (when given) as its
// window procedure; destroyed by the caller.
HWND CreateTestWindow(const wchar_t* title, WNDPROC procedure);
// Handles the messages waiting for this thread.
void PumpMessages();

// ---- Images (Screenshots.cpp)

// A 32-bit top-down bitmap selected into a memory context, filled with one
// colour, read back pixel by pixel.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    HDC Dc() const { return dc.Get(); }
    HBITMAP Bitmap() const { return bitmap.Get(); }
    int Width() const { return width; }
    int Height() const { return height; }
    COLORREF At(int x, int y) const;
    bool SameAs(const Canvas& other) const; // the same pixels

private:
    int width, height;
    MemoryDc dc{nullptr};
    GdiObject<HBITMAP> bitmap;
    uint32_t* bits = nullptr;
    std::unique_ptr<SelectedObject> selected;
};

// The screen's pixels of `rect` (screen coordinates) once two reads agree;
// null when they never did within two seconds.
std::unique_ptr<Canvas> GrabScreen(const RECT& rect);
// Grabs `window`'s place on the screen once it shows steadily: the window is
// made to repaint, then the screen is read until two reads agree (the system
// may show a window's painting a moment after it was done). Null when it
// never settled within two seconds.
std::unique_ptr<Canvas> GrabWindow(HWND window);
// Writes the canvas as <name>.png into the screenshots folder; returns the
// file's path, empty on failure.
std::wstring SavePng(const Canvas& canvas, const wchar_t* name);
// GrabWindow, then SavePng.
std::wstring SaveScreenshot(HWND window, const wchar_t* name);
