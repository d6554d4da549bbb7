// Small Win32 helpers: rectangle arithmetic.
#pragma once

#include <windows.h>

// Sets `rect` to the rectangle at (left, top) of the given width and height.
void InitRect(RECT* rect, int left, int top, int width, int height);

// Shifts `rect` by dx to the right and dy down.
void MoveRect(RECT* rect, int dx, int dy);
