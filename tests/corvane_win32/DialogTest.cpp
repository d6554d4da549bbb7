// CMessageBox and CValueRequester, shown for real and operated from a second
// thread: the pressed button's index, Enter and Escape, the number bounds and
// the text limits.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Win32Testing.h"
#include "corvane/CMessageBox.h"
#include "corvane/CValueRequester.h"

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { parent = CreateTestWindow(L"Dialog parent", nullptr); }
    void TearDown() override { DestroyWindow(parent); }
    HWND parent = nullptr;
};

// Each button gives its index, Enter the first button's, Escape and the
// close box -1. The box shows its texts, sits centred on its parent and
// keeps the parent disabled while it is open.
TEST_F(DialogTest, MessageBoxReturnsThePressedButtonOrMinusOne) {
    const wchar_t* const question = L"Are you sure you want to clear the grid?";
    const wchar_t* names[] = {L"Restart level", L"Load saved game", L"Cancel"};
    const struct {
        const char* what;
        std::function<bool(HWND)> act;
        int expected;
    } cases[] = {
        {"first", [&](HWND dialog) { return PressButton(dialog, names[0]); }, 0},
        {"second", [&](HWND dialog) { return PressButton(dialog, names[1]); }, 1},
        {"third", [&](HWND dialog) { return PressButton(dialog, names[2]); }, 2},
        {"Enter", [](HWND dialog) { return PressKey(dialog, VK_RETURN); }, 0},
        {"Escape", [](HWND dialog) { return PressKey(dialog, VK_ESCAPE); }, -1},
        {"close box",
         [](HWND dialog) { return PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }, -1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        DialogContents contents;
        bool parentEnabled = true, acted = false;
        RECT box = {}, owner = {};
        DialogDriver driver(L"Nereku Sudoku", [&](HWND dialog) {
            contents = ReadDialog(dialog);
            parentEnabled = IsWindowEnabled(parent) != FALSE;
            GetWindowRect(dialog, &box);
            GetWindowRect(parent, &owner);
            if (&test == cases)
                SaveScreenshot(dialog, L"MessageBox_Restart");
            acted = test.act(dialog);
        });
        CMessageBox message(parent, nullptr, nullptr);
        int result =
            message.ShowDialog(question, L"Nereku Sudoku", 3, names[0], names[1], names[2]);
        driver.Join();
        ASSERT_TRUE(driver.found);
        EXPECT_TRUE(acted);
        EXPECT_EQ(result, test.expected);
        EXPECT_EQ(contents.texts, std::vector<std::wstring>{question});
        EXPECT_EQ(contents.buttons, std::vector<std::wstring>(names, names + 3));
        EXPECT_FALSE(parentEnabled) << "the parent is disabled while the box is open";
        EXPECT_TRUE(IsWindowEnabled(parent)) << "and enabled again afterwards";
        EXPECT_NEAR((box.left + box.right) / 2, (owner.left + owner.right) / 2, 2);
        EXPECT_NEAR((box.top + box.bottom) / 2, (owner.top + owner.bottom) / 2, 2);
    }
    // A button count that does not match the names shows nothing.
    CMessageBox message(parent, nullptr, nullptr);
    EXPECT_EQ(message.ShowDialog(L"text", L"caption", 2, L"Only one"), -1);
    EXPECT_EQ(message.ShowDialog(L"text", L"caption", 0), -1);
}

TEST_F(DialogTest, LongTextIsWrappedAndTheBoxFitsIt) {
    const wchar_t* text =
        L"This level has no solution (anymore).\nEither the level is incorrect, or you made a "
        L"mistake while solving the level.\n\nTry restarting the level and immediately try to "
        L"auto-solve it to see whether the level can be solved at all.";
    RECT textRect = {}, client = {};
    DialogDriver driver(L"No solution", [&](HWND dialog) {
        GetWindowRect(FindChild(dialog, L"Static"), &textRect);
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

// Typed on the keyboard and confirmed with Enter or a mouse click on OK: a
// number out of range is replaced by the nearest bound and the box stays
// open; Escape leaves the value as it was.
TEST_F(DialogTest, NumberOutsideTheRangeIsCorrectedVisiblyBeforeItIsAccepted) {
    std::vector<std::wstring> shown; // at the start, after too high, after too low
    bool stillOpen = false;
    DialogContents contents;
    DialogDriver driver(L"Generate random level", [&](HWND dialog) {
        contents = ReadDialog(dialog);
        HWND edit = FindChild(dialog, L"Edit");
        shown.push_back(WindowText(edit));
        SaveScreenshot(dialog, L"ValueRequester_Number");
        if (!WaitForForeground(dialog))
            return;
        TypeKeys(L"99"); // replaces the selected start value
        WaitFor([&] { return WindowText(edit) == L"99"; });
        PressKey(dialog, VK_RETURN);
        WaitFor([&] { return WindowText(edit) != L"99"; });
        shown.push_back(WindowText(edit));
        stillOpen = IsWindowVisible(dialog) != FALSE;
        TypeKeys(L"5x"); // the number replaces the corrected one; the letter is refused
        ClickOn(FindChild(dialog, L"Button", L"OK"));
        WaitFor([&] { return WindowText(edit) != L"5"; });
        shown.push_back(WindowText(edit));
        TypeKeys(L"42");
        WaitFor([&] { return WindowText(edit) == L"42"; });
        PressKey(dialog, VK_RETURN);
    });
    CValueRequester requester(parent, false, nullptr, 0, 0xFFFF, 0, 0xFFFF);
    unsigned char count = 30;
    EXPECT_TRUE(requester.ShowDialog(L"How many squares should be revealed? [20,80]",
                                     L"Generate random level", &count, 20, 50));
    driver.Join();
    ParkMouse();
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"30", L"50", L"20"}))
        << "above the maximum the maximum is put in, below the minimum (letters refused) the "
           "minimum";
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(count, 42);
    ASSERT_FALSE(contents.texts.empty());
    EXPECT_EQ(contents.texts[0], L"How many squares should be revealed? [20,80]");

    DialogDriver cancel(L"Count", [&](HWND dialog) {
        shown.push_back(WindowText(FindChild(dialog, L"Edit")));
        PressKey(dialog, VK_ESCAPE);
    });
    count = 200; // outside the range: shown as the nearest bound
    EXPECT_FALSE(requester.ShowDialog(L"How many?", L"Count", &count, 20, 50));
    cancel.Join();
    ASSERT_TRUE(cancel.found);
    EXPECT_EQ(shown.back(), L"50");
    EXPECT_EQ(count, 200);
}

// The text is cut at the buffer's size; OK is disabled and Enter refused
// while the box is empty; Cancel leaves the buffer as it was.
TEST_F(DialogTest, TextIsLimitedToTheBufferAndOkWaitsForAText) {
    std::wstring initial;
    bool okWhileEmpty = true, okWithText = false, openAfterEnter = false;
    int typedLength = 0;
    DialogContents contents;
    DialogDriver driver(L"Save level", [&](HWND dialog) {
        contents = ReadDialog(dialog);
        HWND edit = FindChild(dialog, L"Edit");
        HWND ok = FindChild(dialog, L"Button", L"OK");
        initial = WindowText(edit);
        SaveScreenshot(dialog, L"ValueRequester_Text");
        // Ctrl+A, Delete.
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1);
        SendMessageW(edit, WM_KEYUP, VK_DELETE, static_cast<LPARAM>(0xC0000001u));
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
    EXPECT_TRUE(requester.ShowDialog(L"Please supply the name of the level.", L"Save level", name,
                                     64, nullptr));
    driver.Join();
    ASSERT_TRUE(driver.found);
    EXPECT_EQ(initial, L"Easy one");
    EXPECT_FALSE(okWhileEmpty);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(typedLength, 63);
    EXPECT_TRUE(okWithText);
    EXPECT_EQ(std::wstring(name), std::wstring(63, L'n'));
    EXPECT_EQ(contents.buttons, (std::vector<std::wstring>{L"OK", L"Cancel"}));

    DialogDriver cancel(L"Save level", [&](HWND dialog) {
        TypeText(FindChild(dialog, L"Edit"), L"changed");
        PressButton(dialog, L"Cancel");
    });
    wchar_t shortName[8] = L"abc";
    EXPECT_FALSE(requester.ShowDialog(L"Name?", L"Save level", shortName, 8, nullptr));
    cancel.Join();
    ASSERT_TRUE(cancel.found);
    EXPECT_STREQ(shortName, L"abc");
}

} // namespace
