// Small Win32 helpers: listing a folder's files and rectangle arithmetic.
#pragma once

#include <windows.h>

// Fills `names` with the names (name and extension, no folder) of the files in
// `folder` that match `pattern` ("*.lvl"), in the order the system lists them,
// and returns their number. Never more than `maximum` names are written, so an
// array of `maximum` entries is never overrun; further files are left out.
// Sub-folders are skipped, and so is a name too long for 260 characters.
// A missing folder, a null argument or a maximum below 1 gives 0.
int GetFilesFromDir(const wchar_t* folder, wchar_t (*names)[MAX_PATH], int maximum,
                    const wchar_t* pattern);

// Sets `rect` to the rectangle at (left, top) of the given width and height.
void InitRect(RECT* rect, int left, int top, int width, int height);

// Shifts `rect` by dx to the right and dy down.
void MoveRect(RECT* rect, int dx, int dy);
