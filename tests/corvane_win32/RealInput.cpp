// Mouse and keyboard input through SendInput.
#include "RealInput.h"

#include <chrono>
#include <vector>

namespace {

void Send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// A screen coordinate in the 0..65535 scale of an absolute mouse move,
// rounded up, so that the system's mapping back (scaled and rounded down, or
// rounded) gives the same pixel.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

} // namespace

bool WaitFor(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        Sleep(5);
    }
    return condition();
}

bool MoveMouse(POINT screen) {
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                                            Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN)),
                                            Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN)))};
    Send(inputs);
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
    std::vector<INPUT> inputs = {MouseInput(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)};
    Send(inputs);
}

bool ClickOn(HWND window) {
    if (!MoveMouse(CentreOf(window)))
        return false;
    LeftButton(true);
    // A button takes the mouse when pressed: once it has, everything sent
    // before the press has been handled too.
    bool pressed = WaitFor([window] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
               info.hwndCapture == window;
    });
    LeftButton(false);
    return pressed;
}

bool WaitForForeground(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    return WaitFor([root] { return GetForegroundWindow() == root; });
}

void TapKey(WORD key) {
    std::vector<INPUT> inputs = {KeyInput(key, false), KeyInput(key, true)};
    Send(inputs);
}

void TypeKeys(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        SHORT scan = VkKeyScanW(c);
        WORD key = static_cast<WORD>(scan & 0xFF);
        bool shift = (scan & 0x100) != 0;
        if (shift)
            inputs.push_back(KeyInput(VK_SHIFT, false));
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
        if (shift)
            inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    Send(inputs);
}
