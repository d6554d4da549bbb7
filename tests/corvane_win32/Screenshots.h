// Images for the tests: 32-bit canvases to draw on and read back, grabs of
// the screen, and PNG files of them (through the Windows Imaging Component)
// in the "screenshots" folder beside the test program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "corvane/GdiObjects.h"

// A 32-bit top-down bitmap selected into a memory context, filled with one
// colour, read back pixel by pixel.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    HDC Dc() const { return dc.Get(); }
    HBITMAP Bitmap() const { return bitmap.Get(); }
    int Width() const { return width; }
    int Height() const { return height; }
    COLORREF At(int x, int y) const;
    // True when both hold the same pixels.
    bool SameAs(const Canvas& other) const;
    // Copies `source` enlarged `times` times with its top left at (x, y).
    void PutEnlarged(const Canvas& source, int x, int y, int times);

private:
    int width, height;
    MemoryDc dc;
    GdiObject<HBITMAP> bitmap;
    uint32_t* bits = nullptr;
    HGDIOBJ old = nullptr;
};

// Copies the screen from (left, top) into `canvas` (its size).
void GrabScreen(Canvas& canvas, int left, int top);

// Grabs `window`'s place on the screen once it shows steadily: the window
// is made to repaint, then the screen is read until two reads agree (the
// system may show a window's painting a moment after it was done). Null
// when it never settled within two seconds.
std::unique_ptr<Canvas> GrabWindow(HWND window);

// Writes the canvas as <name>.png into the screenshots folder; returns the
// file's path, empty on failure.
std::wstring SavePng(const Canvas& canvas, const wchar_t* name);

// GrabWindow, then SavePng.
std::wstring SaveScreenshot(HWND window, const wchar_t* name);
