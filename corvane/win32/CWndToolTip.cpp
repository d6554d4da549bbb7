// Tool tips through the system's tool tip control.
#include "corvane/CWndToolTip.h"

#include <commctrl.h>

CWndToolTip::CWndToolTip(int delayMilliseconds, HFONT tipFont, HKEY /*settingsRoot: unused*/)
    : font(tipFont), delay(delayMilliseconds) {}

CWndToolTip::~CWndToolTip() {
    if (window && IsWindow(window))
        DestroyWindow(window);
}

bool CWndToolTip::MakeWindow(HWND owner) {
    if (window && IsWindow(window))
        return true;
    window = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
    if (!window)
        return false;
    SendMessageW(window, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(delay, 0));
    SendMessageW(window, TTM_SETMAXTIPWIDTH, 0, 400);
    if (font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

bool CWndToolTip::ShowToolTip(const wchar_t* text, HWND owner, HWND control) {
    if (!control || !MakeWindow(owner))
        return false;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text ? text : L"");
    // Replace the control's tool, if it had one, so the text is the new one.
    SendMessageW(window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return SendMessageW(window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

bool CWndToolTip::ShowAreaToolTip(const wchar_t* text, HWND owner, UINT_PTR id, const RECT& area) {
    if (!owner || !MakeWindow(owner))
        return false;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = id;
    tool.rect = area;
    tool.lpszText = const_cast<wchar_t*>(text ? text : L"");
    SendMessageW(window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (IsRectEmpty(&area))
        return true;
    return SendMessageW(window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}
