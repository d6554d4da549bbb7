#include "render/WindowPainter.h"

bool PaintWindow(HWND window, const WindowPicture& picture) {
    WindowDc screen(window);
    if (!screen) {
        return false;
    }
    MemoryDc memory(screen.Get());
    GdiObject<HBITMAP> bitmap(
        memory ? CreateCompatibleBitmap(screen.Get(), picture.width, picture.height) : nullptr);
    if (!memory || !bitmap) {
        return false;
    }
    const SelectedObject selected(memory.Get(), bitmap.Get());
    if (picture.background != nullptr) {
        picture.background->DrawStretched(memory.Get(), false);
    }
    for (const CTextCtrl* text : picture.texts) {
        text->Draw(memory.Get());
    }
    if (picture.grid != nullptr) {
        picture.grid->Draw(memory.Get(), false, true);
    }
    BitBlt(screen.Get(), 0, 0, picture.width, picture.height, memory.Get(), 0, 0, SRCCOPY);
    return true;
}

GdiObject<HBITMAP> MakeColourTile(HWND window, COLORREF colour, int side) {
    WindowDc screen(window);
    MemoryDc memory(screen.Get());
    GdiObject<HBITMAP> bitmap(screen && memory ? CreateCompatibleBitmap(screen.Get(), side, side)
                                               : nullptr);
    if (bitmap) {
        const SelectedObject selected(memory.Get(), bitmap.Get());
        const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
        const RECT all = {0, 0, side, side};
        FillRect(memory.Get(), &all, brush.Get());
    }
    return bitmap;
}
