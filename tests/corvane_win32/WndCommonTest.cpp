// The window base (settings, string table, pump, pointer tracking), the
// exception report, the tool tip and the folder listing.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <string>

#include "DialogDriver.h"
#include "corvane/CWndButton.h"
#include "corvane/CWndCommon.h"
#include "corvane/CWndToolTip.h"
#include "corvane/OnException.h"
#include "corvane/Win32Helpers.h"
#include "corvane/WindowsExceptionReporter.h"

namespace {

const wchar_t* const SettingsKey = L"Software\\CorvaneTest\\Settings";

unsigned char builtLanguage = 0;

void FillTable(CDataCube* table, unsigned char language) {
    builtLanguage = language;
    table->AddColumn(L"Key");
    table->AddColumn(L"Text");
    table->AddRow(-1, 2, L"Ok", language == 3 ? L"Gut" : L"Fine");
}

class TestWindow : public CWndCommon {
public:
    using CWndCommon::mainWindow;
    void UpdateStatusBar(HWND control) override { hovered.push_back(control); }
    std::vector<HWND> hovered;
};

void SetLanguage(DWORD language) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"Language", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&language),
                   sizeof(language));
    RegCloseKey(key);
}

TEST(WndCommonTest, LanguageComesFromTheUsersSettingsElseFromTheCaller) {
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
    TestWindow window;
    ASSERT_TRUE(window.Initialize(L"CorvaneTest", nullptr, HKEY_LOCAL_MACHINE, SettingsKey,
                                  GetModuleHandleW(nullptr), FillTable, 7, 0, 0, 0, 101, 101, 2));
    EXPECT_EQ(builtLanguage, 7);
    EXPECT_STREQ(window.GetStringTable()->Get(L"Ok"), L"Fine");
    EXPECT_NE(window.GetDefaultFont(), nullptr);

    SetLanguage(3);
    ASSERT_TRUE(window.Initialize(L"CorvaneTest", nullptr, HKEY_LOCAL_MACHINE, SettingsKey,
                                  GetModuleHandleW(nullptr), FillTable, 7, 0, 0, 0, 101, 101, 2));
    EXPECT_EQ(builtLanguage, 3);
    EXPECT_STREQ(window.GetStringTable()->Get(L"Ok"), L"Gut");
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
    SetExceptionReporter(nullptr);
}

TEST(WndCommonTest, PumpReportsThePointerOnChildrenAndStopsAtQuit) {
    TestWindow window;
    ASSERT_TRUE(window.Initialize(L"CorvaneTest", nullptr, HKEY_LOCAL_MACHINE, SettingsKey,
                                  GetModuleHandleW(nullptr), FillTable, 7, 0, 0, 0, 0, 0, 2));
    SetExceptionReporter(nullptr);
    window.mainWindow = CreateTestWindow(L"Pump", nullptr);
    HWND combo =
        CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100,
                        200, window.mainWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    PostMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)); // still the same child
    PostMessageW(window.mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
    PostMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // back again
    EXPECT_TRUE(window.OperateMessagePump(nullptr));
    ASSERT_EQ(window.hovered.size(), 2u);
    EXPECT_EQ(window.hovered[0], combo);
    EXPECT_EQ(window.hovered[1], combo);

    PostQuitMessage(0);
    EXPECT_FALSE(window.OperateMessagePump(nullptr));
    DestroyWindow(window.mainWindow);
}

// A window whose buttons show tips, as the game's status bar code does.
class TipWindow : public CWndCommon {
public:
    using CWndCommon::mainWindow;
    using CWndCommon::toolTip;
    void UpdateStatusBar(HWND control) override {
        if (toolTip && tips.count(control))
            toolTip->ShowToolTip(tips[control].c_str(), mainWindow, control);
    }
    std::map<HWND, std::wstring> tips;
};

BOOL CALLBACK MatchToolTip(HWND window, LPARAM parameter) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpiW(className, TOOLTIPS_CLASSW) == 0) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

// The visible tool tip window of this process, if any.
HWND VisibleToolTip() {
    HWND found = nullptr;
    EnumWindows(MatchToolTip, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(WndCommonTest, ToolTipAppearsWhenThePointerRestsOnAButton) {
    TipWindow window;
    ASSERT_TRUE(window.Initialize(L"CorvaneTest", nullptr, HKEY_LOCAL_MACHINE, SettingsKey,
                                  GetModuleHandleW(nullptr), FillTable, 7, 0, 0, 0, 0, 0, 2));
    SetExceptionReporter(nullptr);
    window.mainWindow = CreateTestWindow(L"Tips", nullptr);
    CWndButton newLevel, restart;
    RECT first = {20, 20, 52, 52}, second = {60, 20, 92, 52};
    ASSERT_TRUE(newLevel.Initialize(GetModuleHandleW(nullptr), window.mainWindow, false, nullptr,
                                    nullptr, nullptr, &first));
    ASSERT_TRUE(restart.Initialize(GetModuleHandleW(nullptr), window.mainWindow, false, nullptr,
                                   nullptr, nullptr, &second));
    CPicture pictures[2];
    for (int i = 0; i < 2; ++i)
        if (pictures[i].CreatePictureFromResource(GetModuleHandleW(nullptr), 102 + i, L"Picture"))
            (i ? restart : newLevel)
                .SetBackground(&pictures[i], RGB(64, 96, 160), &pictures[i], RGB(64, 96, 160), 2,
                               false, false, true);
    window.tips[newLevel.GetWindow()] = L"New level";
    window.tips[restart.GetWindow()] = L"Restart level";
    window.toolTip = new CWndToolTip(50, window.GetDefaultFont(), HKEY_LOCAL_MACHINE);
    ParkMouse();

    // Rests on a button until its tip shows, running the window's pump.
    auto tipOver = [&](const CWndButton& button) {
        std::wstring shown;
        EXPECT_TRUE(MoveMouse(CentreOf(button.GetWindow())));
        WaitFor([&] {
            window.OperateMessagePump(nullptr);
            HWND tip = VisibleToolTip();
            shown = tip == window.toolTip->GetWindow() ? WindowText(tip) : L"";
            return !shown.empty() && shown == window.tips[button.GetWindow()];
        });
        return shown;
    };
    EXPECT_EQ(tipOver(newLevel), L"New level");
    HWND tip = window.toolTip->GetWindow();
    ASSERT_NE(tip, nullptr);
    RECT tipRect = {}, buttonRect = {};
    GetWindowRect(tip, &tipRect);
    GetWindowRect(newLevel.GetWindow(), &buttonRect);
    EXPECT_LT(std::abs(tipRect.top - buttonRect.bottom), 60) << "near the button";
    EXPECT_FALSE(SaveScreenshot(window.mainWindow, L"ToolTip").empty());
    EXPECT_EQ(tipOver(restart), L"Restart level");
    window.tips[newLevel.GetWindow()] = L"Generate random level";
    EXPECT_EQ(tipOver(newLevel), L"Generate random level") << "a repeated call changes the text";
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2) << "one tool per control";

    ParkMouse();
    EXPECT_TRUE(WaitFor([&] {
        window.OperateMessagePump(nullptr);
        return !IsWindowVisible(tip);
    })) << "the tip goes when the pointer leaves";
    DestroyWindow(window.mainWindow);
}

TEST(WndCommonTest, ExceptionReportShowsTheFourValues) {
    DialogContents contents;
    DialogDriver driver(L"Unexpected error", [&](HWND dialog) {
        contents = ReadDialog(dialog);
        SaveScreenshot(dialog, L"ExceptionReport");
        PressKey(dialog, VK_RETURN);
    });
    InstallWindowsExceptionReporter();
    OnException("CNerekuSudoku", 1234, "bool __cdecl CNerekuSudoku::CheckSolution_IsCorrect(void)",
                "Sat Jun  1 12:00:00 2025");
    SetExceptionReporter(nullptr);
    driver.Join();
    ASSERT_TRUE(driver.found);
    std::wstring all;
    for (const std::wstring& text : contents.texts)
        all += text + L"\n";
    EXPECT_NE(all.find(L"CNerekuSudoku"), std::wstring::npos) << "the source";
    EXPECT_NE(all.find(L"1234"), std::wstring::npos) << "the line";
    EXPECT_NE(all.find(L"CheckSolution_IsCorrect(void)"), std::wstring::npos) << "the signature";
    EXPECT_NE(all.find(L"Sat Jun  1 12:00:00 2025"), std::wstring::npos) << "the time stamp";
}

// ---- Win32Helpers

TEST(Win32HelpersTest, GetFilesFromDirNeverPassesTheMaximum) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring root = std::wstring(folder) + L"corvane_files_test";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\folder.lvl").c_str(), nullptr); // a folder, not a file
    for (int i = 0; i < 7; ++i) {
        std::wstring name = root + L"\\level" + std::to_wstring(i) + L".lvl";
        CloseHandle(
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    CloseHandle(CreateFileW((root + L"\\notes.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));

    wchar_t names[6][MAX_PATH];
    for (auto& name : names)
        wcscpy(name, L"untouched");
    EXPECT_EQ(GetFilesFromDir(root.c_str(), names, 5, L"*.lvl"), 5);
    EXPECT_STREQ(names[5], L"untouched");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(std::wstring(names[i]).substr(0, 5), L"level") << names[i];

    wchar_t all[20][MAX_PATH];
    EXPECT_EQ(GetFilesFromDir(root.c_str(), all, 20, L"*.lvl"), 7);
    EXPECT_EQ(GetFilesFromDir((root + L"\\missing").c_str(), all, 20, L"*.lvl"), 0);
    EXPECT_EQ(GetFilesFromDir(root.c_str(), all, 0, L"*.lvl"), 0);

    for (int i = 0; i < 7; ++i)
        DeleteFileW((root + L"\\level" + std::to_wstring(i) + L".lvl").c_str());
    DeleteFileW((root + L"\\notes.txt").c_str());
    RemoveDirectoryW((root + L"\\folder.lvl").c_str());
    RemoveDirectoryW(root.c_str());
}

TEST(Win32HelpersTest, RectangleHelpers) {
    RECT rect;
    InitRect(&rect, 10, 20, 30, 40);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 40);
    EXPECT_EQ(rect.bottom, 60);
    MoveRect(&rect, 30, -5);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 15);
    EXPECT_EQ(rect.right, 70);
    EXPECT_EQ(rect.bottom, 55);
}

} // namespace
