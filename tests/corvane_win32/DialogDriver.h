// Drives a modal dialog from a second thread as a user would: waits for the
// dialog to appear, reads its texts, types, presses keys and buttons. The
// test's own thread meanwhile sits in the dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "RealInput.h"
#include "Screenshots.h"

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
    // `found` stays false; should the dialog stay open after `drive`, it is
    // closed.
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
// A real key press (Enter, Escape) once the dialog is the foreground window;
// false when it never became that.
bool PressKey(HWND dialog, WORD key);
// Puts `text` into `edit` as typed characters (WM_CHAR, one at a time), for
// texts too long to type key by key.
void TypeText(HWND edit, const std::wstring& text);
// Selects all of the edit box's text and deletes it, as Ctrl+A, Delete would.
void ClearEdit(HWND edit);

// A plain visible top-level window of the test's own, with `procedure` as its
// window procedure; destroyed by the caller.
HWND CreateTestWindow(const wchar_t* title, WNDPROC procedure);
// Handles the messages waiting for this thread.
void PumpMessages();
