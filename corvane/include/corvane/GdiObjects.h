// Owners for GDI handles, so that every drawing path releases what it made,
// even on an early return. Each owner is move-only.
//   GdiObject<HBRUSH>   calls DeleteObject (pens, brushes, fonts, bitmaps)
//   MemoryDc            calls DeleteDC on a context from CreateCompatibleDC
//   WindowDc            calls ReleaseDC on a window's context from GetDC
//   SelectedObject      selects the previous object back into its context
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : object(handle) {}
    GdiObject(GdiObject&& other) noexcept : object(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    Handle Release() { return std::exchange(object, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (object)
            DeleteObject(object);
        object = handle;
    }

private:
    Handle object = nullptr;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc)
            DeleteDC(dc);
    }
    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HDC dc;
};

class WindowDc {
public:
    explicit WindowDc(HWND windowHandle) : window(windowHandle), dc(GetDC(windowHandle)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc)
            ReleaseDC(window, dc);
    }
    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HWND window;
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
// `bits` (one 0x00RRGGBB value a pixel, row by row). Null, with `bits` null,
// when it could not be made.
inline HBITMAP CreatePixelBitmap(int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (bitmap != nullptr && *bits == nullptr) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    if (bitmap == nullptr) {
        *bits = nullptr;
    }
    return bitmap;
}
