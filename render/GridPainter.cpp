#include "render/GridPainter.h"

#include "corvane/Win32Helpers.h"
#include "render/GridGeometry.h"

namespace {

// The fonts' heights are fixed: they do not follow the square's size.
GdiObject<HFONT> MakeFont(int height, bool underlined) {
    return GdiObject<HFONT>(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Verdana"));
}

// One digit centred in a rectangle, without clipping, as DrawText places it
// with DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP. The digits' sizes
// are measured once per font, since a board draws several hundred of them.
class DigitWriter {
public:
    explicit DigitWriter(HDC context) : dc(context) {}

    // Selects `font` for the digits that follow.
    void Use(HFONT font) {
        SelectObject(dc, font);
        for (Measured& measured : fonts) {
            if (measured.font == font) {
                current = &measured;
                return;
            }
        }
        Measured& measured = fonts[used++ % 3];
        measured.font = font;
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        measured.height = metrics.tmHeight;
        for (int digit = 0; digit <= 9; ++digit) {
            const wchar_t character = static_cast<wchar_t>(L'0' + digit);
            SIZE size = {};
            GetTextExtentPoint32W(dc, &character, 1, &size);
            measured.width[digit] = size.cx;
        }
        current = &measured;
    }

    void Write(int digit, const RECT& rect) const {
        const wchar_t character = static_cast<wchar_t>(L'0' + digit);
        const int x = rect.left + (rect.right - rect.left - current->width[digit]) / 2;
        const int y = rect.top + (rect.bottom - rect.top - current->height) / 2;
        ExtTextOutW(dc, x, y, 0, nullptr, &character, 1, nullptr);
    }

private:
    struct Measured {
        HFONT font = nullptr;
        int height = 0;
        int width[10] = {};
    };
    HDC dc;
    Measured fonts[3];
    int used = 0;
    const Measured* current = nullptr;
};

void DrawOutlines(HDC dc, const GridPaintJob& job) {
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column) {
            GridPoint points[17];
            const int count = SquareOutline(row, column, job.squareSize,
                                            job.edgeMasks[SquareIndex(row, column)], points);
            MoveToEx(dc, points[0].x, points[0].y, nullptr);
            for (int k = 1; k < count; ++k) {
                LineTo(dc, points[k].x, points[k].y);
            }
        }
    }
}

void DrawBlockLines(HDC dc, int s) {
    for (int k = 0; k <= 9; k += 3) {
        MoveToEx(dc, 0, k * s, nullptr);
        LineTo(dc, 9 * s, k * s);
    }
    for (int k = 0; k <= 9; k += 3) {
        MoveToEx(dc, k * s, 0, nullptr);
        LineTo(dc, k * s, 9 * s);
    }
}

// Inside the square, clear of its outline and of a block's thick line.
void DrawCursor(HDC dc, int square, int s) {
    if (square < 0 || square >= kSquareCount || s < 2 * kCursorWidth + 4) {
        return;
    }
    const int left = ColumnOf(square) * s + 2;
    const int top = RowOf(square) * s + 2;
    const int right = ColumnOf(square) * s + s - 1;
    const int bottom = RowOf(square) * s + s - 1;
    const GdiObject<HBRUSH> brush(CreateSolidBrush(kCursorColour));
    const RECT sides[] = {{left, top, right, top + kCursorWidth},
                          {left, bottom - kCursorWidth, right, bottom},
                          {left, top, left + kCursorWidth, bottom},
                          {right - kCursorWidth, top, right, bottom}};
    for (const RECT& side : sides) {
        FillRect(dc, &side, brush.Get());
    }
}

void DrawNumbers(HDC dc, const GridPaintJob& job) {
    const GdiObject<HFONT> candidateFont = MakeFont(12, false);
    const GdiObject<HFONT> numberFont = MakeFont(24, false);
    const GdiObject<HFONT> givenFont = MakeFont(24, true);
    const SelectedObject font(dc, candidateFont.Get());
    DigitWriter writer(dc);
    const int s = job.squareSize;
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column) {
            const Square& square = job.squares[SquareIndex(row, column)];
            if (square.number != 0) {
                const bool given = job.underlineGivens && square.fixed != 0;
                writer.Use(given ? givenFont.Get() : numberFont.Get());
                const RECT rect = {column * s, row * s, column * s + s, row * s + s};
                writer.Write(square.number % 10, rect);
                continue;
            }
            writer.Use(candidateFont.Get());
            for (int digit = 1; digit <= kDigitCount; ++digit) {
                if (square.possible[digit - 1]) {
                    const CellRect cell = CandidateCell(row, column, s, digit);
                    RECT rect;
                    InitRect(&rect, cell.left, cell.top, cell.side, cell.side);
                    writer.Write(digit, rect);
                }
            }
        }
    }
    // `font` puts the context's own font back before the fonts are deleted.
}

} // namespace

GdiObject<HBITMAP> PaintGrid(HDC dc, const GridPaintJob& job) {
    const int side = GridPictureSide(job.squareSize);
    MemoryDc memory(dc);
    // A 32-bit bitmap of our own format: the picture that takes it copies
    // its pixels without a conversion.
    uint32_t* pixels = nullptr;
    GdiObject<HBITMAP> bitmap =
        memory ? CreatePixelBitmap(side, side, &pixels) : GdiObject<HBITMAP>();
    if (!bitmap) {
        return bitmap;
    }
    HDC target = memory.Get();
    {
        const SelectedObject selected(target, bitmap.Get());
        const int oldBackground = SetBkMode(target, TRANSPARENT);
        const COLORREF oldText = SetTextColor(target, job.gridColour);
        {
            const GdiObject<HBRUSH> fill(CreateSolidBrush(job.fill));
            const RECT all = {0, 0, side, side};
            FillRect(target, &all, fill.Get());
        }
        {
            const GdiObject<HPEN> thin(CreatePen(PS_SOLID, 1, job.gridColour));
            const SelectedObject pen(target, thin.Get());
            DrawOutlines(target, job);
        }
        {
            const GdiObject<HPEN> thick(CreatePen(PS_SOLID, 3, job.gridColour));
            const SelectedObject pen(target, thick.Get());
            DrawBlockLines(target, job.squareSize);
        }
        DrawCursor(target, job.cursorSquare, job.squareSize);
        DrawNumbers(target, job);
        SetTextColor(target, oldText);
        SetBkMode(target, oldBackground);
    }
    return bitmap;
}
