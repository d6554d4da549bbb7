// Picture buttons: painting with hover and pressed feedback, and the click
// notification to the parent.
#include "corvane/CWndButton.h"

#include <cstddef>
#include <cstdint>

#include "corvane/GdiObjects.h"
#include "corvane/OnException.h"

namespace {

const wchar_t* const ButtonClass = L"CorvanePictureButton";

// `colour` moved towards white (amount > 0) or black (amount < 0), in 1/256.
COLORREF Shade(COLORREF colour, int amount) {
    auto channel = [amount](int value) {
        return amount >= 0 ? value + (255 - value) * amount / 256 : value + value * amount / 256;
    };
    return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.Get());
}

// Makes `target` a copy of `source` (null: empty); false when the copy failed.
bool CopyPicture(const CPicture* source, CPicture& target) {
    if (!source) {
        target.FreePicture();
        return true;
    }
    target = *source;
    return source->IsEmpty() || !target.IsEmpty();
}

} // namespace

CWndButton::~CWndButton() {
    if (window && IsWindow(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

bool CWndButton::Initialize(HINSTANCE instance, HWND parent, bool rightToLeft, CPicture* background,
                            const wchar_t* text, HFONT /*font: unused*/, const RECT* rect) {
    if (window)
        return false;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, ButtonClass, &windowClass)) {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_PARENTDC;
        windowClass.lpfnWndProc = WndProcWrapper;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_HAND);
        windowClass.lpszClassName = ButtonClass;
        RegisterClassExW(&windowClass);
    }
    backgroundPicture = background;
    RECT place = rect ? *rect : RECT{0, 0, 32, 32};
    window = CreateWindowExW(rightToLeft ? WS_EX_LAYOUTRTL : 0, ButtonClass, text ? text : L"",
                             WS_CHILD | WS_VISIBLE, place.left, place.top, place.right - place.left,
                             place.bottom - place.top, parent, nullptr, instance, this);
    return window != nullptr;
}

bool CWndButton::SetBackground(const CPicture* idlePicture, COLORREF idleColour,
                               const CPicture* overPicture, COLORREF overColour, int mode,
                               bool isDisabled, bool isFlat, bool isKeyed) {
    bool copied = CopyPicture(idlePicture, picture);
    copied = CopyPicture(overPicture, hoverPicture) && copied;
    colour = idleColour;
    hoverColour = overColour;
    drawMode = mode;
    disabled = isDisabled;
    flat = isFlat;
    keyed = isKeyed;
    if (window)
        InvalidateRect(window, nullptr, FALSE);
    return copied;
}

void CWndButton::Paint(HDC dc) const {
    RECT client;
    GetClientRect(window, &client);
    int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    // Compose off-screen, then copy in one go: no flicker. The pixels are at
    // hand for greying a disabled button.
    MemoryDc memory(dc);
    uint32_t* pixels = nullptr;
    GdiObject<HBITMAP> canvas = CreatePixelBitmap(width, height, &pixels);
    if (!memory || !canvas)
        return;
    SelectedObject selected(memory.Get(), canvas.Get());
    HDC target = memory.Get();

    bool over = hovering && !disabled;
    const CPicture& shown = over && !hoverPicture.IsEmpty() ? hoverPicture : picture;
    COLORREF base = over && hoverColour != NoColour ? hoverColour : colour;
    if (base == NoColour && backgroundPicture && !backgroundPicture->IsEmpty()) {
        backgroundPicture->DrawStretchedInto(target, client, false);
    } else {
        COLORREF fill = base == NoColour ? GetSysColor(COLOR_BTNFACE) : base;
        if (pressed && over)
            fill = Shade(fill, -40);
        else if (over)
            fill = Shade(fill, 48);
        FillWith(target, client, fill);
        base = fill;
    }

    int offset = pressed && over ? 1 : 0;
    RECT moved = {offset, offset, width + offset, height + offset};
    switch (drawMode) {
    case DrawStretched:
        shown.DrawStretchedInto(target, moved, keyed);
        break;
    case DrawAtTopLeft:
        shown.DrawAt(target, moved, keyed);
        break;
    default:
        shown.DrawCentred(target, client, keyed, offset);
        break;
    }
    if (over && !flat) {
        COLORREF edge =
            base == NoColour ? GetSysColor(COLOR_HIGHLIGHT) : Shade(base, pressed ? -96 : 128);
        Frame(target, client, edge);
    }
    if (disabled) {
        // Grey the button: every other pixel, chequered, takes the face colour.
        COLORREF face = GetSysColor(COLOR_BTNFACE);
        uint32_t grey = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
        GdiFlush();
        for (int y = 0; y < height; ++y) {
            uint32_t* row = pixels + static_cast<size_t>(y) * width;
            for (int x = y & 1; x < width; x += 2)
                row[x] = grey;
        }
    }
    BitBlt(dc, 0, 0, width, height, target, 0, 0, SRCCOPY);
}

LRESULT CALLBACK CWndButton::WndProcWrapper(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<CWndButton*>(create->lpCreateParams)->window = hwnd;
    }
    auto* self = reinterpret_cast<CWndButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return self->WndProc(message, wParam, lParam);
    } catch (...) {
        OnException("Corvane", __LINE__, CORVANE_FUNCSIG, __TIMESTAMP__);
        return 0;
    }
}

LRESULT CWndButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PaintDc dc(window);
        Paint(dc.Get());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove();
        return 0;
    case WM_MOUSELEAVE:
        hovering = false;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown();
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (pressed) {
            pressed = false;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_NCDESTROY:
        window = nullptr;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void CWndButton::OnMouseMove() {
    if (!hovering) {
        hovering = true;
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        TrackMouseEvent(&track);
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CWndButton::OnButtonDown() {
    if (disabled)
        return;
    pressed = true;
    hovering = true;
    SetCapture(window);
    InvalidateRect(window, nullptr, FALSE);
}

void CWndButton::OnButtonUp(LPARAM position) {
    if (!pressed)
        return;
    pressed = false;
    if (GetCapture() == window)
        ReleaseCapture();
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    RECT client;
    GetClientRect(window, &client);
    bool inside = PtInRect(&client, point) != FALSE;
    hovering = inside;
    InvalidateRect(window, nullptr, FALSE);
    if (inside)
        SendClick();
}

void CWndButton::SendClick() const {
    NMHDR header = {};
    header.hwndFrom = window;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
    header.code = ClickNotification;
    SendMessageW(GetParent(window), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}
