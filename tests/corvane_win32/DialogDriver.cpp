// Real mouse and keyboard input, and the dialog driver.
#include "Win32Testing.h"

#include <chrono>
#include <iterator>

namespace {

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi = {dx, dy, 0, flags, 0, 0};
    Send({input});
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    // The arrows and the editing block are the keyboard's extended keys.
    const bool extended =
        (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// A screen coordinate in the 0..65535 scale of an absolute mouse move,
// rounded up, so that the system's mapping back (scaled and rounded down, or
// rounded) gives the same pixel.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, int seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        Sleep(5);
    }
    return condition();
}

bool MoveMouse(POINT screen) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN)),
              Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN)));
    return WaitFor([screen] {
        POINT now;
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    });
}

POINT CentreOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ParkMouse() {
    MoveMouse(POINT{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
}

void LeftButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}

void ClickAt(POINT screen, bool left, const std::function<bool()>& pressed) {
    MoveMouse(screen);
    const LONG x = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    const LONG y = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    const DWORD where = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendMouse(where | (left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN), x, y);
    if (pressed)
        WaitFor(pressed);
    SendMouse(where | (left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP), x, y);
}

bool ClickOn(HWND window) {
    // A button takes the mouse when pressed: once it has, everything sent
    // before the press has been handled too.
    bool pressed = false;
    ClickAt(CentreOf(window), true, [window, &pressed] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        pressed = GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
                  info.hwndCapture == window;
        return pressed;
    });
    return pressed;
}

void TypeKeys(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        WORD key = static_cast<WORD>(VkKeyScanW(c) & 0xFF);
        inputs.insert(inputs.end(), {KeyInput(key, false), KeyInput(key, true)});
    }
    Send(inputs);
}

bool WaitForForeground(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    return WaitFor([root] { return GetForegroundWindow() == root; });
}

bool PressKey(HWND window, WORD key, std::initializer_list<WORD> held) {
    if (!WaitForForeground(window))
        return false;
    std::vector<INPUT> inputs;
    for (WORD modifier : held)
        inputs.push_back(KeyInput(modifier, false));
    inputs.insert(inputs.end(), {KeyInput(key, false), KeyInput(key, true)});
    for (auto modifier = std::rbegin(held); modifier != std::rend(held); ++modifier)
        inputs.push_back(KeyInput(*modifier, true));
    Send(inputs);
    return true;
}

DialogDriver::DialogDriver(const wchar_t* caption, std::function<void(HWND)> drive)
    : thread([this, caption, drive] {
          HWND dialog = nullptr;
          if (!WaitFor([&] { return (dialog = FindOwnWindow(L"#32770", caption)) != nullptr; }, 10))
              return;
          found = true;
          drive(dialog);
          // A dialog the drive failed to close is closed here, so that the
          // test fails rather than waits for ever.
          if (!WaitFor([&] { return !IsWindow(dialog); }))
              PostMessageW(dialog, WM_CLOSE, 0, 0);
      }) {}

std::vector<HWND> ProcessWindows(DWORD process) {
    std::vector<HWND> windows, own;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process)
            own.push_back(window);
    }
    return own;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindProcessWindow(DWORD process, const wchar_t* className, const wchar_t* caption,
                       bool visible) {
    for (HWND window : ProcessWindows(process))
        if ((!visible || IsWindowVisible(window)) && IsWindowEnabled(window) &&
            lstrcmpiW(ClassOf(window).c_str(), className) == 0 &&
            (!caption || WindowText(window) == caption))
            return window;
    return nullptr;
}

std::wstring ClassOf(HWND window) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    return className;
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
    for (HWND child : Children(dialog)) {
        std::wstring className = ClassOf(child);
        if (lstrcmpiW(className.c_str(), L"Static") == 0 && IsWindowVisible(child))
            contents.texts.push_back(WindowText(child));
        else if (lstrcmpiW(className.c_str(), L"Button") == 0)
            contents.buttons.push_back(WindowText(child));
    }
    return contents;
}

HWND FindChild(HWND dialog, const wchar_t* className, const wchar_t* text) {
    for (HWND child : Children(dialog))
        if (lstrcmpiW(ClassOf(child).c_str(), className) == 0 &&
            (!text || WindowText(child) == text))
            return child;
    return nullptr;
}

bool PressButton(HWND dialog, const wchar_t* text) {
    HWND button = FindChild(dialog, L"Button", text);
    if (button)
        SendMessageW(button, BM_CLICK, 0, 0);
    return button != nullptr;
}

void TypeText(HWND edit, const std::wstring& text) {
    for (wchar_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
}

HWND CreateTestWindow(const wchar_t* title, WNDPROC procedure) {
    static const ATOM windowClass = [] {
        WNDCLASSW registered = {};
        registered.lpfnWndProc = DefWindowProcW;
        registered.hInstance = GetModuleHandleW(nullptr);
        registered.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        registered.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        registered.lpszClassName = L"CorvaneTestWindow";
        return RegisterClassW(&registered);
    }();
    HWND window =
        CreateWindowExW(0, MAKEINTATOM(windowClass), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                        80, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (procedure)
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
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
