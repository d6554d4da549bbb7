// The common ground of the library's modal dialogs: template, fonts, layout
// helpers and the dialog procedure.
#include "ModalDialog.h"

#include <algorithm>
#include <cstring>

#include "corvane/CPicture.h"
#include "corvane/GdiObjects.h"
#include "corvane/OnException.h"

namespace {

const DWORD DialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const DWORD DialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// An empty dialog template with a caption: the header, no menu, the default
// class and the title, each part aligned on words as the dialog manager wants.
std::vector<WORD> MakeTemplate(const wchar_t* caption, bool rightToLeft) {
    DLGTEMPLATE header = {};
    header.style = DialogStyle;
    header.dwExtendedStyle = DialogExStyle | (rightToLeft ? WS_EX_LAYOUTRTL : 0);
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    memcpy(words.data(), &header, sizeof(header));
    words.push_back(0); // no menu
    words.push_back(0); // the standard dialog class
    for (const wchar_t* c = caption ? caption : L""; *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

} // namespace

GdiObject<HFONT> CreateMessageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMessageFont));
    return GdiObject<HFONT>(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
}

ModalDialog::ModalDialog(HWND ownerWindow, HFONT dialogFont, const CPicture* dialogPicture,
                         bool layoutRightToLeft)
    : owner(ownerWindow), font(dialogFont), rightToLeft(layoutRightToLeft), picture(dialogPicture),
      panelBrush(CreateSolidBrush(GetSysColor(COLOR_WINDOW))) {
    if (!font) {
        ownFont = CreateMessageFont();
        font = ownFont.Get();
    }
}

INT_PTR ModalDialog::Run(const wchar_t* caption) {
    std::vector<WORD> dialogTemplate = MakeTemplate(caption, rightToLeft);
    INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
        owner, DialogProc, reinterpret_cast<LPARAM>(this));
    if (owner && IsWindow(owner))
        SetForegroundWindow(owner);
    return result;
}

SIZE ModalDialog::MeasureText(const wchar_t* text, int maxWidth) const {
    WindowDc screen(nullptr);
    SelectedObject selected(screen.Get(), font);
    RECT rect = {0, 0, maxWidth > 0 ? maxWidth : 32767, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (maxWidth > 0 ? DT_WORDBREAK : 0);
    DrawTextW(screen.Get(), text && *text ? text : L" ", -1, &rect, format);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

HWND ModalDialog::AddControl(const wchar_t* className, const wchar_t* text, DWORD style,
                             DWORD exStyle, int id, int x, int y, int width, int height) {
    HWND control = CreateWindowExW(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

int ModalDialog::ButtonRowWidth(const wchar_t* const* texts, int count) const {
    int width = Scale(11);
    for (int i = 0; i < count; ++i)
        width += std::max(Scale(80), static_cast<int>(MeasureText(texts[i], 0).cx) + Scale(24)) +
                 Scale(i ? 8 : 0);
    return width + Scale(11);
}

std::vector<HWND> ModalDialog::AddButtons(const wchar_t* const* texts, int count, const int* ids,
                                          int clientWidth, int buttonBandTop, int defaultIndex) {
    std::vector<HWND> buttons;
    int x = clientWidth - ButtonRowWidth(texts, count) + Scale(11);
    int y = buttonBandTop + Scale(11);
    for (int i = 0; i < count; ++i) {
        int width = std::max(Scale(80), static_cast<int>(MeasureText(texts[i], 0).cx) + Scale(24));
        DWORD style = WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                      (i == 0 ? WS_GROUP : 0);
        buttons.push_back(
            AddControl(L"BUTTON", texts[i], style, 0, ids[i], x, y, width, ButtonHeight()));
        x += width + Scale(8);
    }
    if (defaultIndex >= 0 && defaultIndex < count)
        SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(ids[defaultIndex]), 0);
    return buttons;
}

int ModalDialog::PictureSide() const {
    return picture && !picture->IsEmpty() ? std::max(picture->GetWidth(), picture->GetHeight()) : 0;
}

void ModalDialog::PlacePicture(int x, int y) {
    int side = PictureSide();
    pictureRect = RECT{x, y, x + side, y + side};
}

void ModalDialog::FinishLayout(int clientWidth, int clientHeight, int buttonBandTop) {
    panelBottom = buttonBandTop;
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT area = monitor.rcWork;
    RECT centreOn = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &centreOn);
    int x = (centreOn.left + centreOn.right - width) / 2;
    int y = (centreOn.top + centreOn.bottom - height) / 2;
    x = std::max(static_cast<int>(area.left), std::min(x, static_cast<int>(area.right) - width));
    y = std::max(static_cast<int>(area.top), std::min(y, static_cast<int>(area.bottom) - height));
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::PaintBackground(HDC dc) const {
    RECT client;
    GetClientRect(dialog, &client);
    RECT panel = client;
    panel.bottom = panelBottom;
    FillRect(dc, &panel, panelBrush.Get());
    RECT band = client;
    band.top = panelBottom;
    FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
    RECT line = band;
    line.bottom = line.top + 1;
    GdiObject<HBRUSH> lineBrush(CreateSolidBrush(RGB(223, 223, 223)));
    FillRect(dc, &line, lineBrush.Get());
    if (picture && !picture->IsEmpty())
        picture->DrawCentred(dc, pictureRect, true);
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<ModalDialog*>(lParam)->dialog = hwnd;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    try {
        return self->HandleMessage(message, wParam);
    } catch (...) {
        OnException("Corvane", __LINE__, CORVANE_FUNCSIG, __TIMESTAMP__);
        EndDialog(hwnd, -1);
        return FALSE;
    }
}

INT_PTR ModalDialog::HandleMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_INITDIALOG: {
        WindowDc screen(nullptr);
        SelectedObject selected(screen.Get(), font);
        TEXTMETRICW metrics = {};
        if (GetTextMetricsW(screen.Get(), &metrics))
            fontHeight = std::max(8, static_cast<int>(metrics.tmHeight));
        SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        HWND focus = OnInit();
        if (focus)
            SetFocus(focus);
        return FALSE; // the focus is set
    }
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_PRINTCLIENT:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<INT_PTR>(panelBrush.Get());
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            OnCancel();
        else
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}
