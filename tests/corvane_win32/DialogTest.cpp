// CMessageBox and CValueRequester, shown for real and operated from a second
// thread: the pressed button's index, Enter and Escape, the number bounds and
// the text limits.
#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>

#include "DialogDriver.h"
#include "corvane/CMessageBox.h"
#include "corvane/CValueRequester.h"

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { parent = CreateTestWindow(L"Dialog parent", nullptr); }
    void TearDown() override { DestroyWindow(parent); }
    HWND parent = nullptr;
};

const wchar_t* const RestartQuestion = L"Are you sure you want to clear the grid?";

TEST_F(DialogTest, MessageBoxShowsItsTextsAndReturnsThePressedButton) {
    const wchar_t* names[] = {L"Restart level", L"Load saved game", L"Cancel"};
    for (int pressed = 0; pressed < 3; ++pressed) {
        DialogContents contents;
        bool parentEnabled = true;
        bool clicked = false;
        RECT box = {}, owner = {};
        DialogDriver driver(L"Nereku Sudoku", [&](HWND dialog) {
            contents = ReadDialog(dialog);
            parentEnabled = IsWindowEnabled(parent) != FALSE;
            GetWindowRect(dialog, &box);
            GetWindowRect(parent, &owner);
            if (pressed == 0)
                SaveScreenshot(dialog, L"MessageBox_Restart");
            clicked = PressButton(dialog, names[pressed]);
        });
        CMessageBox message(parent, nullptr, nullptr);
        int result =
            message.ShowDialog(RestartQuestion, L"Nereku Sudoku", 3, names[0], names[1], names[2]);
        driver.Join();
        ASSERT_TRUE(driver.found);
        EXPECT_TRUE(clicked);
        EXPECT_EQ(result, pressed);
        ASSERT_EQ(contents.texts.size(), 1u);
        EXPECT_EQ(contents.texts[0], RestartQuestion);
        ASSERT_EQ(contents.buttons.size(), 3u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(contents.buttons[i], names[i]);
        EXPECT_FALSE(parentEnabled) << "the parent is disabled while the box is open";
        EXPECT_TRUE(IsWindowEnabled(parent)) << "and enabled again afterwards";
        // Centred on the parent, within a few pixels.
        EXPECT_NEAR((box.left + box.right) / 2, (owner.left + owner.right) / 2, 2);
        EXPECT_NEAR((box.top + box.bottom) / 2, (owner.top + owner.bottom) / 2, 2);
    }
}

TEST_F(DialogTest, EnterPressesTheFirstButtonAndEscapeOrClosingGivesMinusOne) {
    struct Case {
        const wchar_t* what;
        std::function<void(HWND)> act;
        int expected;
    } cases[] = {
        {L"Enter", [](HWND dialog) { PressKey(dialog, VK_RETURN); }, 0},
        {L"Escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }, -1},
        {L"close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, -1},
    };
    for (const Case& test : cases) {
        DialogDriver driver(L"Edit mode", test.act);
        CMessageBox message(parent, nullptr, nullptr);
        int result = message.ShowDialog(L"Do you want to save the level?", L"Edit mode", 3, L"Save",
                                        L"Don't save", L"Cancel");
        driver.Join();
        ASSERT_TRUE(driver.found) << std::string(test.what, test.what + wcslen(test.what));
        EXPECT_EQ(result, test.expected) << std::string(test.what, test.what + wcslen(test.what));
    }
}

TEST_F(DialogTest, LongTextIsWrappedAndTheBoxFitsIt) {
    const wchar_t* text =
        L"This level has no solution (anymore).\nEither the level is incorrect, or you made a "
        L"mistake while solving the level.\n\nTry restarting the level and immediately try to "
        L"auto-solve it to see whether the level can be solved at all.";
    RECT textRect = {}, client = {};
    DialogDriver driver(L"No solution", [&](HWND dialog) {
        HWND label = FindChildOfClass(dialog, L"Static");
        GetWindowRect(label, &textRect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&textRect), 2);
        GetClientRect(dialog, &client);
        SaveScreenshot(dialog, L"MessageBox_LongText");
        PressButton(dialog, L"Ok");
    });
    CMessageBox message(parent, nullptr, nullptr);
    EXPECT_EQ(message.ShowDialog(text, L"No solution", 1, L"Ok"), 0);
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_GT(textRect.bottom - textRect.top, 60) << "several lines";
    EXPECT_LT(client.right, 700) << "wrapped, not one long line";
    EXPECT_GE(textRect.left, 10);
    EXPECT_LE(textRect.right, client.right - 10);
}

TEST_F(DialogTest, WrongButtonCountShowsNothing) {
    CMessageBox message(parent, nullptr, nullptr);
    EXPECT_EQ(message.ShowDialog(L"text", L"caption", 2, L"Only one"), -1);
    EXPECT_EQ(message.ShowDialog(L"text", L"caption", 0), -1);
}

TEST_F(DialogTest, NumberOutsideTheRangeIsCorrectedVisiblyBeforeItIsAccepted) {
    // Typed on the keyboard and confirmed with Enter or a mouse click on OK.
    std::wstring initial, afterHigh, afterLow;
    bool typed = false, stillOpen = false, clickedOk = false;
    DialogContents contents;
    DialogDriver driver(L"Generate random level", [&](HWND dialog) {
        contents = ReadDialog(dialog);
        HWND edit = FindChildOfClass(dialog, L"Edit");
        initial = WindowText(edit);
        SaveScreenshot(dialog, L"ValueRequester_Number");
        if (!WaitForForeground(dialog))
            return;
        TypeKeys(L"99"); // replaces the selected start value
        typed = WaitFor([&] { return WindowText(edit) == L"99"; });
        PressKey(dialog, VK_RETURN);
        WaitFor([&] { return WindowText(edit) != L"99"; });
        afterHigh = WindowText(edit);
        stillOpen = IsWindowVisible(dialog) != FALSE;
        TypeKeys(L"5x"); // the number replaces the corrected one; the letter is refused
        clickedOk = ClickOn(FindButton(dialog, L"OK"));
        WaitFor([&] { return WindowText(edit) != L"5"; });
        afterLow = WindowText(edit);
        TypeKeys(L"42");
        WaitFor([&] { return WindowText(edit) == L"42"; });
        PressKey(dialog, VK_RETURN);
    });
    CValueRequester requester(parent, false, nullptr, 0, 0xFFFF, 0, 0xFFFF);
    unsigned char count = 30;
    bool accepted = requester.ShowDialog(L"How many squares should be revealed? [20,80]",
                                         L"Generate random level", &count, 20, 50);
    driver.Join();
    ParkMouse();
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(initial, L"30");
    EXPECT_TRUE(typed);
    EXPECT_EQ(afterHigh, L"50") << "above the maximum: the maximum is put in";
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(clickedOk);
    EXPECT_EQ(afterLow, L"20") << "below the minimum (letters refused): the minimum";
    EXPECT_TRUE(accepted);
    EXPECT_EQ(count, 42);
    ASSERT_FALSE(contents.texts.empty());
    EXPECT_EQ(contents.texts[0], L"How many squares should be revealed? [20,80]");
}

TEST_F(DialogTest, CancelledNumberLeavesTheValue) {
    std::wstring initial;
    DialogDriver driver(L"Count", [&](HWND dialog) {
        HWND edit = FindChildOfClass(dialog, L"Edit");
        initial = WindowText(edit);
        if (WaitForForeground(dialog))
            TypeKeys(L"25");
        WaitFor([&] { return WindowText(edit) == L"25"; });
        PressKey(dialog, VK_ESCAPE);
    });
    CValueRequester requester(parent, false, nullptr, 0, 0xFFFF, 0, 0xFFFF);
    unsigned char count = 200; // outside the range: shown as the nearest bound
    EXPECT_FALSE(requester.ShowDialog(L"How many?", L"Count", &count, 20, 50));
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(initial, L"50");
    EXPECT_EQ(count, 200);
}

TEST_F(DialogTest, TextIsLimitedToTheBufferAndOkWaitsForAText) {
    std::wstring initial;
    bool okWhileEmpty = true, okWithText = false, openAfterEnter = false;
    int typedLength = 0;
    DialogContents contents;
    DialogDriver driver(L"Save level", [&](HWND dialog) {
        contents = ReadDialog(dialog);
        HWND edit = FindChildOfClass(dialog, L"Edit");
        HWND ok = FindButton(dialog, L"OK");
        initial = WindowText(edit);
        SaveScreenshot(dialog, L"ValueRequester_Text");
        ClearEdit(edit);
        okWhileEmpty = IsWindowEnabled(ok) != FALSE;
        PressKey(dialog, VK_RETURN); // refused while empty
        // Keys are handled in order: once the "n" shows, the Enter was handled.
        TypeKeys(L"n");
        WaitFor([&] { return GetWindowTextLengthW(edit) == 1; });
        openAfterEnter = IsWindowVisible(dialog) != FALSE;
        TypeText(edit, std::wstring(69, L'n'));
        typedLength = GetWindowTextLengthW(edit);
        okWithText = IsWindowEnabled(ok) != FALSE;
        PressButton(dialog, L"OK");
    });
    CValueRequester requester(parent, false, nullptr, 0, 65535, 0, 65535);
    wchar_t name[64] = L"Easy one";
    bool accepted = requester.ShowDialog(L"Please supply the name of the level.", L"Save level",
                                         name, 64, nullptr);
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(initial, L"Easy one");
    EXPECT_FALSE(okWhileEmpty);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(typedLength, 63);
    EXPECT_TRUE(okWithText);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(std::wstring(name), std::wstring(63, L'n'));
    ASSERT_EQ(contents.buttons.size(), 2u);
    EXPECT_EQ(contents.buttons[0], L"OK");
    EXPECT_EQ(contents.buttons[1], L"Cancel");
}

TEST_F(DialogTest, CancelledTextLeavesTheBuffer) {
    DialogDriver driver(L"Save level", [&](HWND dialog) {
        TypeText(FindChildOfClass(dialog, L"Edit"), L"changed");
        PressButton(dialog, L"Cancel");
    });
    CValueRequester requester(parent, false, nullptr, 0, 65535, 0, 65535);
    wchar_t name[8] = L"abc";
    EXPECT_FALSE(requester.ShowDialog(L"Name?", L"Save level", name, 8, nullptr));
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_STREQ(name, L"abc");
}

} // namespace
