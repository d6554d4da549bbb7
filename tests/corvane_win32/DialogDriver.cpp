// The dialog driver: finding, reading and operating dialogs of this process.
#include "DialogDriver.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "corvane/Files.h"

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

std::wstring ScreenshotFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
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
          Sleep(150); // let the dialog paint before anything is read or captured
          drive(search.found);
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

void PressKey(HWND dialog, WPARAM key) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    HWND target = GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : dialog;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
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

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

std::wstring SaveBitmap(HBITMAP bitmap, const wchar_t* name) {
    BITMAP description = {};
    if (!GetObjectW(bitmap, sizeof(description), &description))
        return L"";
    int width = description.bmWidth;
    int height = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as the file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                         DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        return L"";
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::wstring path = ScreenshotFolder() + L"\\" + name + L".bmp";
    FILE* out = OpenFile(path.c_str(), L"wb");
    if (!out)
        return L"";
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    fclose(out);
    return path;
}

std::wstring SaveScreenshot(HWND window, const wchar_t* name) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return L"";
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::wstring path = SaveBitmap(bitmap, name);
    DeleteObject(bitmap);
    return path;
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
