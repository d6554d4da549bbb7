// The window base (settings, string table, pump, pointer tracking), the
// exception report and the tool tip.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "Win32Testing.h"
#include "corvane/CWndButton.h"
#include "corvane/CWndCommon.h"
#include "corvane/CWndToolTip.h"
#include "corvane/OnException.h"
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

// A window base whose pointer reports are recorded, and shown as tips for the
// controls that have one, as the game's status bar code does.
class TestWindow : public CWndCommon {
public:
    using CWndCommon::mainWindow;
    using CWndCommon::toolTip;
    bool Initialize(int icon) {
        bool done =
            CWndCommon::Initialize(L"CorvaneTest", nullptr, HKEY_LOCAL_MACHINE, SettingsKey,
                                   GetModuleHandleW(nullptr), FillTable, 7, 0, 0, 0, icon, icon, 2);
        SetExceptionReporter(nullptr);
        return done;
    }
    void UpdateStatusBar(HWND control) override {
        hovered.push_back(control);
        if (toolTip && tips.count(control))
            toolTip->ShowToolTip(tips[control].c_str(), mainWindow, control);
    }
    // Takes the key 'K' wherever it is pressed in the window.
    bool OnKeyMessage(const MSG& message) override {
        keys.push_back(message.hwnd);
        return message.wParam == 'K';
    }
    std::vector<HWND> hovered;
    std::vector<HWND> keys;
    std::map<HWND, std::wstring> tips;
};

TEST(WndCommonTest, LanguageComesFromTheUsersSettingsElseFromTheCaller) {
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
    TestWindow window;
    ASSERT_TRUE(window.Initialize(101));
    EXPECT_EQ(builtLanguage, 7);
    EXPECT_STREQ(window.GetStringTable()->Get(L"Ok"), L"Fine");
    EXPECT_NE(window.GetDefaultFont(), nullptr);

    const DWORD language = 3;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey, L"Language", REG_DWORD, &language,
                              sizeof(language)),
              ERROR_SUCCESS);
    ASSERT_TRUE(window.Initialize(101));
    EXPECT_EQ(builtLanguage, 3);
    EXPECT_STREQ(window.GetStringTable()->Get(L"Ok"), L"Gut");
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey);
}

TEST(WndCommonTest, PumpReportsThePointerOnChildrenAndStopsAtQuit) {
    TestWindow window;
    ASSERT_TRUE(window.Initialize(0));
    window.mainWindow = CreateTestWindow(L"Pump", nullptr);
    HWND combo =
        CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100,
                        200, window.mainWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    PostMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5)); // still the same child
    PostMessageW(window.mainWindow, WM_MOUSEMOVE, 0, MAKELPARAM(300, 300));
    PostMessageW(combo, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // back again
    EXPECT_TRUE(window.OperateMessagePump(nullptr));
    EXPECT_EQ(window.hovered, (std::vector<HWND>{combo, combo}));

    // Keys for the window or its controls go to the owner first; a key it
    // takes never reaches the control (the list would change its choice).
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"first"));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"second"));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    PostMessageW(combo, WM_KEYDOWN, 'K', 0);
    PostMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(window.OperateMessagePump(nullptr));
    EXPECT_EQ(window.keys, (std::vector<HWND>{combo, combo}));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1) << "only the key not taken moved it";

    PostQuitMessage(0);
    EXPECT_FALSE(window.OperateMessagePump(nullptr));
    DestroyWindow(window.mainWindow);
}

TEST(WndCommonTest, ToolTipAppearsWhenThePointerRestsOnAButton) {
    TestWindow window;
    ASSERT_TRUE(window.Initialize(0));
    window.mainWindow = CreateTestWindow(L"Tips", nullptr);
    CWndButton buttons[2];
    CPicture pictures[2];
    for (int i = 0; i < 2; ++i) {
        RECT place = {20 + 40 * i, 20, 52 + 40 * i, 52};
        ASSERT_TRUE(buttons[i].Initialize(GetModuleHandleW(nullptr), window.mainWindow, false,
                                          nullptr, nullptr, nullptr, &place));
        if (pictures[i].CreatePictureFromResource(GetModuleHandleW(nullptr), 102 + i, L"Picture"))
            buttons[i].SetBackground(&pictures[i], RGB(64, 96, 160), &pictures[i], RGB(64, 96, 160),
                                     2, false, false, true);
    }
    HWND newLevel = buttons[0].GetWindow(), restart = buttons[1].GetWindow();
    window.tips[newLevel] = L"New level";
    window.tips[restart] = L"Restart level";
    window.toolTip = std::make_unique<CWndToolTip>(50, window.GetDefaultFont(), HKEY_LOCAL_MACHINE);
    ParkMouse();

    // Rests on a button until its tip shows, running the window's pump.
    auto tipOver = [&](HWND button) {
        std::wstring shown;
        EXPECT_TRUE(MoveMouse(CentreOf(button)));
        WaitFor([&] {
            window.OperateMessagePump(nullptr);
            HWND tip = FindOwnWindow(TOOLTIPS_CLASSW);
            shown = tip == window.toolTip->GetWindow() ? WindowText(tip) : L"";
            return !shown.empty() && shown == window.tips[button];
        });
        return shown;
    };
    EXPECT_EQ(tipOver(newLevel), L"New level");
    HWND tip = window.toolTip->GetWindow();
    ASSERT_NE(tip, nullptr);
    RECT tipRect = {}, buttonRect = {};
    GetWindowRect(tip, &tipRect);
    GetWindowRect(newLevel, &buttonRect);
    EXPECT_LT(std::abs(tipRect.top - buttonRect.bottom), 60) << "near the button";
    EXPECT_FALSE(SaveScreenshot(window.mainWindow, L"ToolTip").empty());
    EXPECT_EQ(tipOver(restart), L"Restart level");
    window.tips[newLevel] = L"Generate random level";
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
    std::wstring all;
    DialogDriver driver(L"Unexpected error", [&](HWND dialog) {
        for (const std::wstring& text : ReadDialog(dialog).texts)
            all += text + L"\n";
        SaveScreenshot(dialog, L"ExceptionReport");
        PressKey(dialog, VK_RETURN);
    });
    InstallWindowsExceptionReporter();
    OnException("CNerekuSudoku", 1234, "bool __cdecl CNerekuSudoku::CheckSolution_IsCorrect(void)",
                "Sat Jun  1 12:00:00 2025");
    SetExceptionReporter(nullptr);
    driver.Join();
    ASSERT_TRUE(driver.found);
    // The source, the line, the signature and the time stamp.
    for (const wchar_t* value :
         {L"CNerekuSudoku", L"1234", L"CheckSolution_IsCorrect(void)", L"Sat Jun  1 12:00:00 2025"})
        EXPECT_NE(all.find(value), std::wstring::npos) << testing::PrintToString(value);
}

} // namespace
