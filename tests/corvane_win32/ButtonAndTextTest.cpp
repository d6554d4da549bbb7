// The picture button's clicks and colours, and the drawn text's placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DialogDriver.h"
#include "corvane/CTextCtrl.h"
#include "corvane/CWndButton.h"
#include "corvane/GdiObjects.h"

namespace {

std::vector<NMHDR> notifications;

LRESULT CALLBACK RecordNotifications(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY)
        notifications.push_back(*reinterpret_cast<NMHDR*>(lParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// A 32 x 32 picture: magenta with a black square from (8, 8) to (23, 23).
CPicture SquarePicture() {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, 32, 32}, square = {8, 8, 24, 24};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(memory, &all, magenta);
    FillRect(memory, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(memory, old);
    CPicture picture;
    picture.CreatePictureFromHandle(bitmap);
    DeleteObject(magenta);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateTestWindow(L"Button parent", RecordNotifications);
        notifications.clear();
        ASSERT_TRUE(button.Initialize(GetModuleHandleW(nullptr), parent, false, nullptr, nullptr,
                                      nullptr, nullptr));
        CPicture picture = SquarePicture();
        button.SetBackground(&picture, colour, &picture, colour, 2, false, false, true);
        PumpMessages();
    }
    void TearDown() override { DestroyWindow(parent); }

    void Mouse(UINT message, int x, int y) {
        PostMessageW(button.GetWindow(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(x, y));
        PumpMessages();
    }

    HWND parent = nullptr;
    CWndButton button;
    const COLORREF colour = RGB(64, 96, 160);
};

TEST_F(ButtonTest, ClickInsideNotifiesTheParent) {
    Mouse(WM_LBUTTONDOWN, 10, 12);
    EXPECT_TRUE(notifications.empty()) << "pressing alone is no click";
    Mouse(WM_LBUTTONUP, 20, 20);
    ASSERT_EQ(notifications.size(), 1u);
    EXPECT_EQ(notifications[0].code, 0x0202u);
    EXPECT_EQ(notifications[0].hwndFrom, button.GetWindow());
}

TEST_F(ButtonTest, ReleaseOutsideOrWithoutPressSendsNothing) {
    Mouse(WM_LBUTTONDOWN, 10, 12);
    Mouse(WM_LBUTTONUP, 40, 12); // dragged off the button, then released
    Mouse(WM_LBUTTONUP, 10, 12); // a release that was never pressed here
    EXPECT_TRUE(notifications.empty());
}

TEST_F(ButtonTest, DisabledButtonSendsNothing) {
    CPicture picture = SquarePicture();
    button.SetBackground(&picture, colour, &picture, colour, 2, true, false, true);
    Mouse(WM_LBUTTONDOWN, 10, 12);
    Mouse(WM_LBUTTONUP, 10, 12);
    EXPECT_TRUE(notifications.empty());
}

TEST_F(ButtonTest, MagentaShowsTheButtonColour) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(button.GetWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory, 0, 0), colour);
    EXPECT_EQ(GetPixel(memory, 31, 31), colour);
    EXPECT_EQ(GetPixel(memory, 7, 16), colour);
    EXPECT_EQ(GetPixel(memory, 8, 8), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(memory, 23, 23), RGB(0, 0, 0));

    // Pressed: darker, the picture one pixel down and to the right.
    Mouse(WM_LBUTTONDOWN, 10, 12);
    SendMessageW(button.GetWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    COLORREF pressed = GetPixel(memory, 4, 4);
    EXPECT_LT(GetBValue(pressed), GetBValue(colour));
    EXPECT_EQ(GetPixel(memory, 24, 24), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(memory, 8, 8), RGB(0, 0, 0));
    Mouse(WM_LBUTTONUP, 40, 40);

    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// ---- CTextCtrl

// The bounding box of the pixels that differ from `background`.
RECT InkBox(HDC dc, int width, int height, COLORREF background) {
    RECT box = {width, height, -1, -1};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(dc, x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 200, 100);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        Clear();
        text.SetTransparency(true, RGB(255, 0, 255));
        text.SetTextColour(RGB(255, 255, 255));
    }
    void TearDown() override {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Clear() {
        GdiObject<HBRUSH> brush(CreateSolidBrush(background));
        RECT all = {0, 0, 200, 100};
        FillRect(dc, &all, brush.Get());
    }
    RECT Draw() {
        Clear();
        text.Draw(dc);
        return InkBox(dc, 200, 100, background);
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    CTextCtrl text;
    const COLORREF background = RGB(128, 128, 128);
};

TEST_F(TextTest, FormatCodesPlaceTheText) {
    text.SetText(L"v1.00");
    text.SetDrawingRect(0, 0, 200, 100);
    text.SetTextFormat(3, 4, 2, true); // right, bottom
    RECT corner = Draw();
    EXPECT_GT(corner.left, 150);
    EXPECT_GT(corner.top, 80);

    text.SetTextFormat(5, 5, 3, true); // centred both ways
    RECT centred = Draw();
    EXPECT_NEAR((centred.left + centred.right) / 2, 100, 4);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 50, 6);

    text.SetTextFormat(1, 1, 2, true); // top left
    RECT topLeft = Draw();
    EXPECT_LT(topLeft.left, 4);
    EXPECT_LT(topLeft.top, 8);
}

TEST_F(TextTest, CentredBlockKeepsItsLinesAlignedLeft) {
    text.SetText(L"A long first line\nB");
    text.SetDrawingRect(0, 0, 200, 100);
    text.SetTextFormat(5, 5, 2, false);
    RECT block = Draw();
    EXPECT_NEAR((block.left + block.right) / 2, 100, 4);
    // The second line's "B" starts where the block starts, not in the middle.
    RECT second = InkBox(dc, 200, 100, background);
    for (int y = block.bottom - 1; y > (block.top + block.bottom) / 2; --y)
        for (int x = 0; x < 200; ++x)
            if (GetPixel(dc, x, y) != background)
                second.left = std::min<LONG>(second.left, x);
    EXPECT_LT(second.left - block.left, 3);
}

TEST_F(TextTest, EmptyRectangleHidesAndOpaqueFillsWithTheKeyColour) {
    text.SetText(L"Hidden");
    text.SetDrawingRect(0, 0, 0, 0);
    EXPECT_EQ(Draw().right, -1);
    text.SetDrawingRect(RECT{10, 10, 50, 30});
    text.SetTransparency(false, RGB(255, 0, 255));
    Draw();
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 255));
    EXPECT_EQ(GetPixel(dc, 50, 30), background);
}

TEST_F(TextTest, FontIsCopied) {
    HFONT font =
        CreateFontW(40, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH, L"Consolas");
    text.SetFont(font);
    DeleteObject(font); // the control keeps a font of its own
    text.SetText(L"X");
    text.SetDrawingRect(0, 0, 200, 100);
    text.SetTextFormat(1, 1, 1, true);
    RECT big = Draw();
    EXPECT_GT(big.bottom - big.top, 20);
}

} // namespace
