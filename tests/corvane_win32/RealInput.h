// The system's own mouse and keyboard, driven through SendInput: the input
// reaches the windows as a user's would, through the window under the pointer
// and the focus of the foreground window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Waits until `condition` holds (true) or two seconds have passed (false).
bool WaitFor(const std::function<bool()>& condition);

// Moves the pointer to a point of the screen; true once it is there.
bool MoveMouse(POINT screen);
// The centre of `window` on the screen.
POINT CentreOf(HWND window);
// Moves the pointer to a corner of the screen where no test window lies.
void ParkMouse();
// Presses or releases the left mouse button where the pointer is.
void LeftButton(bool down);
// Moves to the centre of `window` (of another thread) and clicks there: the
// mouse button is released once the window has taken the mouse capture, as
// buttons do when pressed. False when it never did.
bool ClickOn(HWND window);

// Waits until `window` (or the top-level window it belongs to) is the
// foreground window, the one that receives the keys.
bool WaitForForeground(HWND window);
// Presses and releases a key.
void TapKey(WORD key);
// Types `text` (letters, digits, spaces) key by key.
void TypeKeys(const std::wstring& text);
