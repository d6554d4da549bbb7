// Drives a modal dialog from a second thread as a user would: waits for the
// dialog to appear, reads its texts, types, presses keys and buttons. The
// test's own thread meanwhile sits in the dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// What a dialog shows: its caption, its static texts and its buttons' texts,
// each in the order of the child windows.
struct DialogContents {
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> buttons;
};

class DialogDriver {
public:
    // Starts a thread that waits (up to 10 s) for a dialog of this process
    // captioned `caption`, then calls `drive` with it. Should none appear,
    // `found` stays false.
    DialogDriver(const wchar_t* caption, std::function<void(HWND)> drive);
    ~DialogDriver();
    // Waits for the thread to end.
    void Join();
    bool found = false;

private:
    std::thread thread;
};

DialogContents ReadDialog(HWND dialog);
HWND FindButton(HWND dialog, const wchar_t* text);
HWND FindChildOfClass(HWND dialog, const wchar_t* className);
std::wstring WindowText(HWND window);
// Presses a button by its text (BM_CLICK); false when there is none.
bool PressButton(HWND dialog, const wchar_t* text);
// A key press delivered to the focused control of the dialog's thread, so
// that the dialog manager sees it (Enter, Escape).
void PressKey(HWND dialog, WPARAM key);
// Types `text` into `edit`, one character at a time.
void TypeText(HWND edit, const std::wstring& text);
// Selects all of the edit box's text and deletes it, as Ctrl+A, Delete would.
void ClearEdit(HWND edit);
// Waits until `condition` holds (true) or a second has passed (false).
bool WaitFor(const std::function<bool()>& condition);

// Saves the screen region of `window` as a 24-bit BMP file named
// <name>.bmp in the "screenshots" folder beside the test program; returns
// the file's path (empty on failure).
std::wstring SaveScreenshot(HWND window, const wchar_t* name);
// Saves a bitmap as a 24-bit BMP file in the same folder.
std::wstring SaveBitmap(HBITMAP bitmap, const wchar_t* name);

// A plain visible top-level window of the test's own, with `procedure` as its
// window procedure; destroyed by the caller.
HWND CreateTestWindow(const wchar_t* title, WNDPROC procedure);
// Handles the messages waiting for this thread.
void PumpMessages();
