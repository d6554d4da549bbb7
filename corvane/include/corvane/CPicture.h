// CPicture: a picture held as a 32-bit device-independent bitmap, drawn into a
// rectangle of a device context. Pictures come from the program's resources
// (24-bit BMP files and PNG files, the latter decoded by the Windows Imaging
// Component) or as copies of bitmaps that the caller keeps.
//
// Magenta, RGB (255, 0, 255), is the key colour: a keyed draw leaves those
// pixels out, so that whatever lies beneath (a button's colour) shows there.
// A PNG's transparent pixels become magenta when it is loaded.
#pragma once

#include <windows.h>

#include <cstdint>

#include "corvane/GdiObjects.h"

class CPicture {
public:
    static constexpr COLORREF KeyColour = RGB(255, 0, 255);

    CPicture() = default;
    // A copy has pixels of its own (and the same drawing rectangle).
    CPicture(const CPicture& other);
    CPicture& operator=(const CPicture& other);
    // A move hands the pixels over and leaves `other` empty.
    CPicture(CPicture&& other) noexcept;
    CPicture& operator=(CPicture&& other) noexcept;
    ~CPicture() = default;

    // Loads resource `id` of the resource type `type` ("Picture"; the type's
    // name is compared without regard to case). False, and the picture left
    // empty, when the resource is missing or no BMP or PNG file.
    bool CreatePictureFromResource(HINSTANCE instance, int id, const wchar_t* type);
    // Loads a BMP or PNG file's bytes.
    bool CreatePictureFromMemory(const void* data, size_t size);
    // Keeps a copy of `bitmap`; the caller may delete its bitmap at once.
    bool CreatePictureFromHandle(HBITMAP bitmap);
    // Releases the bitmap; the drawing rectangle stays.
    void FreePicture();

    bool IsEmpty() const { return !bitmap; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    // The picture's own bitmap (owned by the picture), or null.
    HBITMAP GetBitmap() const { return bitmap.Get(); }
    // The colour of one pixel, or CLR_INVALID outside the picture.
    COLORREF GetPixel(int x, int y) const;

    // Drawing into a rectangle given with each call; the picture itself stays
    // as it is, so one picture can be drawn in many places. `keyed`: magenta
    // pixels are left out.
    //   DrawAt             at its own size at the top left corner of `rect`,
    //                      nothing outside `rect`
    //   DrawStretchedInto  stretched over the whole of `rect`
    //   DrawCentred        at its own size centred in `rect`, then moved
    //                      `offset` pixels right and down (a pressed button)
    void DrawAt(HDC dc, const RECT& rect, bool keyed = false) const;
    void DrawStretchedInto(HDC dc, const RECT& rect, bool keyed = false) const;
    void DrawCentred(HDC dc, const RECT& rect, bool keyed, int offset = 0) const;

    // The drawing rectangle, where Draw and DrawStretched put the picture:
    // (x, y, width, height), or a rectangle (left, top, right, bottom).
    void SetDrawingRect(int x, int y, int rectWidth, int rectHeight);
    void SetDrawingRect(const RECT& rect);
    const RECT& GetDrawingRect() const { return drawingRect; }

    // Draws the picture at its own size at the drawing rectangle's top left
    // corner. `clip`: nothing is drawn outside the drawing rectangle (else
    // the whole picture is drawn).
    void Draw(HDC dc, bool keyed = false, bool clip = true) const;
    // Draws the picture stretched over the whole drawing rectangle. Unkeyed,
    // the stretched image is kept for the rectangle's size, so that drawing
    // it again at that size is a plain copy.
    void DrawStretched(HDC dc, bool keyed = false) const;

private:
    bool TakePixels(const void* pixels, int pictureWidth, int pictureHeight);
    void Blit(HDC dc, int x, int y, int w, int h, int sourceW, int sourceH, bool keyed) const;

    GdiObject<HBITMAP> bitmap;
    // The whole picture as last stretched, and its size: drawn again as it
    // is while the size stays.
    mutable GdiObject<HBITMAP> stretched;
    mutable SIZE stretchedSize = {0, 0};
    uint32_t* bits = nullptr; // 32-bit top-down rows, owned by `bitmap`
    int width = 0;
    int height = 0;
    RECT drawingRect = {0, 0, 0, 0};
};
