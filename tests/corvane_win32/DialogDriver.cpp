// The dialog driver: finding, reading and operating dialogs of this process.
#include "DialogDriver.h"

#include <chrono>
#include <cwchar>
#include <vector>

namespace {

struct Search {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpW(className, L"#32770") == 0 && WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildList {
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<ChildList*>(parameter)->children.push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND dialog) {
    ChildList list;
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&list));
    return list.children;
}

std::wstring ClassOf(HWND window) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    return className;
}

} // namespace

DialogDriver::DialogDriver(const wchar_t* caption, std::function<void(HWND)> drive)
    : thread([this, caption, drive] {
          auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
          Search search = {caption, nullptr};
          while (!search.found && std::chrono::steady_clock::now() < deadline) {
              EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
              if (!search.found)
                  Sleep(20);
          }
          if (!search.found)
              return;
          found = true;
          drive(search.found);
          // A dialog the drive failed to close is closed here, so that the
          // test fails rather than waits for ever.
          if (!WaitFor([&] { return !IsWindow(search.found); }))
              PostMessageW(search.found, WM_CLOSE, 0, 0);
      }) {}

DialogDriver::~DialogDriver() {
    Join();
}

void DialogDriver::Join() {
    if (thread.joinable())
        thread.join();
}

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

DialogContents ReadDialog(HWND dialog) {
    DialogContents contents;
    contents.caption = WindowText(dialog);
    for (HWND child : Children(dialog)) {
        std::wstring className = ClassOf(child);
        if (lstrcmpiW(className.c_str(), L"Static") == 0 && IsWindowVisible(child))
            contents.texts.push_back(WindowText(child));
        else if (lstrcmpiW(className.c_str(), L"Button") == 0)
            contents.buttons.push_back(WindowText(child));
    }
    return contents;
}

HWND FindButton(HWND dialog, const wchar_t* text) {
    for (HWND child : Children(dialog))
        if (lstrcmpiW(ClassOf(child).c_str(), L"Button") == 0 && WindowText(child) == text)
            return child;
    return nullptr;
}

HWND FindChildOfClass(HWND dialog, const wchar_t* className) {
    for (HWND child : Children(dialog))
        if (lstrcmpiW(ClassOf(child).c_str(), className) == 0)
            return child;
    return nullptr;
}

bool PressButton(HWND dialog, const wchar_t* text) {
    HWND button = FindButton(dialog, text);
    if (!button)
        return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool PressKey(HWND dialog, WORD key) {
    if (!WaitForForeground(dialog))
        return false;
    TapKey(key);
    return true;
}

void TypeText(HWND edit, const std::wstring& text) {
    for (wchar_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
}

void ClearEdit(HWND edit) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageW(edit, WM_KEYUP, VK_DELETE, static_cast<LPARAM>(0xC0000001u));
}

HWND CreateTestWindow(const wchar_t* title, WNDPROC procedure) {
    static int classes = 0;
    wchar_t className[32];
    swprintf(className, 32, L"CorvaneTestWindow%d", ++classes);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure ? procedure : DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80,
                                  640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
    return window;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
