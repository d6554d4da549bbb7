// Drawn texts: font choice, alignment and drawing.
#include "corvane/CTextCtrl.h"

#include <algorithm>

#include "corvane/GdiObjects.h"

namespace {

// Pixel heights of the built-in font sizes 1 to 3.
int BuiltInHeight(int size) {
    switch (size) {
    case 1:
        return 11;
    case 3:
        return 20;
    default:
        return 13;
    }
}

// A single line that does not fit its rectangle, across or down, is drawn
// smaller, down to this height, before it is cut with an ellipsis.
constexpr int kSmallestShrunkHeight = 9;

GdiObject<HFONT> MakeBuiltInFont(int size, int height) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font = metrics.lfMessageFont;
    else
        lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
    font.lfHeight = -height;
    font.lfWidth = 0;
    font.lfWeight = size == 3 ? FW_BOLD : FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

} // namespace

void CTextCtrl::SetText(const wchar_t* newText) {
    text = newText ? newText : L"";
}

void CTextCtrl::SetFont(HFONT font) {
    LOGFONTW description = {};
    bool described = font && GetObjectW(font, sizeof(description), &description);
    ownFont.Reset(described ? CreateFontIndirectW(&description) : nullptr);
}

void CTextCtrl::SetTextFormat(int horizontal, int vertical, int size, bool singleLine) {
    horizontalFormat = horizontal;
    verticalFormat = vertical;
    sizeFormat = size;
    singleLineFormat = singleLine;
}

void CTextCtrl::SetTransparency(bool isTransparent, COLORREF keyColour) {
    transparent = isTransparent;
    fillColour = keyColour;
}

void CTextCtrl::SetDrawingRect(int x, int y, int rectWidth, int rectHeight) {
    drawingRect = RECT{x, y, x + rectWidth, y + rectHeight};
}

void CTextCtrl::SetDrawingRect(const RECT& rect) {
    drawingRect = rect;
}

// The built-in font, drawn smaller while the line does not fit the
// rectangle. The fitted font is kept for the text and the rectangle's size.
HFONT CTextCtrl::FittingFont(HDC dc, const RECT& rect) const {
    const SIZE room = {rect.right - rect.left, rect.bottom - rect.top};
    if (fittedFont && fittedText == text && fittedRoom.cx == room.cx && fittedRoom.cy == room.cy &&
        fittedSize == sizeFormat)
        return fittedFont.Get();
    fittedText = text;
    fittedRoom = room;
    fittedSize = sizeFormat;
    const SelectedObject probe(dc, ChooseFont());
    for (int height = BuiltInHeight(sizeFormat); height >= kSmallestShrunkHeight; --height) {
        GdiObject<HFONT> candidate = MakeBuiltInFont(sizeFormat, height);
        SelectObject(dc, candidate.Get());
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, ChooseFont()); // before the candidate may be deleted
        fittedFont = std::move(candidate);
        if (size.cx <= room.cx && size.cy <= room.cy)
            break;
    }
    return fittedFont.Get();
}

HFONT CTextCtrl::ChooseFont() const {
    if (ownFont)
        return ownFont.Get();
    if (!builtInFont || builtInSize != sizeFormat) {
        builtInFont = MakeBuiltInFont(sizeFormat, BuiltInHeight(sizeFormat));
        builtInSize = sizeFormat;
    }
    return builtInFont.Get();
}

void CTextCtrl::Draw(HDC dc) const {
    RECT rect = drawingRect;
    if (!dc || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (!transparent) {
        GdiObject<HBRUSH> fill(CreateSolidBrush(fillColour));
        FillRect(dc, &rect, fill.Get());
    }
    if (text.empty())
        return;
    SelectedObject font(dc, ChooseFont());
    if (singleLineFormat && !ownFont)
        SelectObject(dc, FittingFont(dc, rect));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, textColour);

    UINT format = DT_NOPREFIX | DT_EXPANDTABS;
    format |= singleLineFormat ? DT_SINGLELINE | DT_END_ELLIPSIS : DT_WORDBREAK;
    if (horizontalFormat == 2)
        format |= DT_CENTER;
    else if (horizontalFormat == 3)
        format |= DT_RIGHT;

    // Measure the text, then place its block inside the rectangle.
    RECT measured = {0, 0, rect.right - rect.left, 0};
    DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    int textWidth = std::min(measured.right - measured.left, rect.right - rect.left);
    int textHeight = measured.bottom - measured.top;
    RECT place = rect;
    if (horizontalFormat == 5) {
        place.left = rect.left + (rect.right - rect.left - textWidth) / 2;
        place.right = std::min(rect.right, place.left + textWidth + 1);
    }
    if (verticalFormat == 5)
        place.top = rect.top + (rect.bottom - rect.top - textHeight) / 2;
    else if (verticalFormat == 4)
        place.top = rect.bottom - textHeight;
    place.top = std::max(place.top, rect.top);
    place.bottom = rect.bottom;

    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    DrawTextW(dc, text.c_str(), -1, &place, format);
    RestoreDC(dc, saved);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}
