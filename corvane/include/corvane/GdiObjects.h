// Owners for GDI handles, so that every drawing path releases what it made,
// even on an early return. Each owner is move-only (SelectedObject stays put).
//   GdiObject<HBRUSH>   calls DeleteObject (pens, brushes, fonts, bitmaps)
//   MemoryDc            calls DeleteDC on a context from CreateCompatibleDC
//   WindowDc            calls ReleaseDC on a window's context from GetDC
//   PaintDc             calls EndPaint for the context of BeginPaint
//   SelectedObject      selects the previous object back into its context
// All but SelectedObject are counted in corvane::LiveGdiObjects
// (LiveObjects.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

#include "corvane/LiveObjects.h"
#include "corvane/UniqueHandle.h"

template <typename Object> struct GdiObjectTraits {
    using Handle = Object;
    static void Close(Object object) { DeleteObject(object); }
    static void Count(int change) { corvane::detail::liveGdiObjects += change; }
};

template <typename Object> using GdiObject = UniqueHandle<GdiObjectTraits<Object>>;

struct MemoryDcTraits {
    using Handle = HDC;
    static void Close(HDC dc) { DeleteDC(dc); }
    static void Count(int change) { corvane::detail::liveGdiObjects += change; }
};

// A memory context compatible with `compatibleWith` (null: the screen).
class MemoryDc : public UniqueHandle<MemoryDcTraits> {
public:
    explicit MemoryDc(HDC compatibleWith) : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

// The context of a window (null: the screen), released with the window.
class WindowDc {
public:
    explicit WindowDc(HWND windowHandle) : window(windowHandle), dc(GetDC(windowHandle)) {
        if (dc)
            ++corvane::detail::liveGdiObjects;
    }
    WindowDc(WindowDc&& other) noexcept
        : window(other.window), dc(std::exchange(other.dc, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            Release();
            window = other.window;
            dc = std::exchange(other.dc, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { Release(); }

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    void Release() {
        if (!dc)
            return;
        ReleaseDC(window, dc);
        dc = nullptr;
        --corvane::detail::liveGdiObjects;
    }

    HWND window;
    HDC dc;
};

// The context that BeginPaint gives a window's WM_PAINT, until EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND windowHandle) : window(windowHandle), dc(BeginPaint(window, &paint)) {
        if (dc)
            ++corvane::detail::liveGdiObjects;
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() {
        EndPaint(window, &paint);
        if (dc)
            --corvane::detail::liveGdiObjects;
    }
    HDC Get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint = {};
    HDC dc;
};

class SelectedObject {
public:
    SelectedObject(HDC context, HGDIOBJ object)
        : dc(context), previous(object ? SelectObject(context, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous)
            SelectObject(dc, previous);
    }

private:
    HDC dc;
    HGDIOBJ previous;
};

// A 32-bit top-down bitmap whose pixels the caller reads and writes through
// `bits` (one 0x00RRGGBB value a pixel, row by row; call GdiFlush before
// touching them after GDI drew). Empty, with `bits` null, when it could not
// be made.
inline GdiObject<HBITMAP> CreatePixelBitmap(int width, int height, uint32_t** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    GdiObject<HBITMAP> bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels) {
        bitmap.Reset();
        pixels = nullptr;
    }
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}
