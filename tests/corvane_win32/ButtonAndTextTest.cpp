// The picture button's clicks and colours, under the real mouse and with
// posted messages, and the drawn text's placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Win32Testing.h"
#include "corvane/CTextCtrl.h"
#include "corvane/CWndButton.h"

namespace {

std::vector<NMHDR> notifications;

LRESULT CALLBACK RecordNotifications(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY)
        notifications.push_back(*reinterpret_cast<NMHDR*>(lParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// A 32 x 32 picture: magenta with a black square from (8, 8) to (23, 23).
CPicture SquarePicture() {
    Canvas canvas(32, 32, RGB(255, 0, 255));
    RECT square = {8, 8, 24, 24};
    FillRect(canvas.Dc(), &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    CPicture picture;
    picture.CreatePictureFromHandle(canvas.Bitmap());
    return picture;
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateTestWindow(L"Button parent", RecordNotifications);
        notifications.clear();
        ASSERT_TRUE(button.Initialize(GetModuleHandleW(nullptr), parent, false, nullptr, nullptr,
                                      nullptr, nullptr));
        SetPicture(SquarePicture(), false);
    }
    void TearDown() override { DestroyWindow(parent); }

    void SetPicture(CPicture picture, bool disabled) {
        button.SetBackground(&picture, colour, &picture, colour, 2, disabled, false, true);
        PumpMessages();
    }
    void Mouse(UINT message, int x, int y) {
        PostMessageW(button.GetWindow(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(x, y));
        PumpMessages();
    }

    HWND parent = nullptr;
    CWndButton button;
    const COLORREF colour = RGB(64, 96, 160);
};

// The grab of the button on the screen once it differs from `before`.
std::unique_ptr<Canvas> GrabChanged(HWND button, const Canvas& before) {
    std::unique_ptr<Canvas> after;
    WaitFor([&] {
        after = GrabWindow(button);
        return after && !after->SameAs(before);
    });
    return after;
}

// Brighter or darker, by the sum of the three channels.
int Brightness(COLORREF colour) {
    return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
}

TEST_F(ButtonTest, RealMouseShowsHoverAndPressAndClicks) {
    // The game's "new level" picture when the program's resources are linked in.
    CPicture shown;
    SetPicture(shown.CreatePictureFromResource(GetModuleHandleW(nullptr), 102, L"Picture")
                   ? shown
                   : SquarePicture(),
               false);
    HWND window = button.GetWindow();
    ParkMouse();
    std::unique_ptr<Canvas> idle = GrabWindow(window);
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->At(1, 1), colour);

    ASSERT_TRUE(MoveMouse(CentreOf(window)));
    std::unique_ptr<Canvas> hover = GrabChanged(window, *idle);
    ASSERT_TRUE(hover) << "the pointer over the button shows";
    EXPECT_GT(Brightness(hover->At(1, 1)), Brightness(colour));

    LeftButton(true);
    std::unique_ptr<Canvas> pressed = GrabChanged(window, *hover);
    ASSERT_TRUE(pressed) << "pressing shows";
    EXPECT_LT(Brightness(pressed->At(1, 1)), Brightness(colour));
    EXPECT_TRUE(notifications.empty()) << "pressing alone is no click";

    LeftButton(false);
    EXPECT_TRUE(WaitFor([&] {
        PumpMessages();
        return !notifications.empty();
    }));
    ParkMouse();
    ASSERT_EQ(notifications.size(), 1u);
    EXPECT_EQ(notifications[0].code, 0x0202u);
    EXPECT_EQ(notifications[0].hwndFrom, window);

    // The three states side by side, enlarged four times.
    Canvas sheet(8 + 3 * 136, 144, RGB(255, 255, 255));
    const Canvas* states[] = {idle.get(), hover.get(), pressed.get()};
    for (int i = 0; i < 3; ++i)
        StretchBlt(sheet.Dc(), 8 + i * 136, 8, states[i]->Width() * 4, states[i]->Height() * 4,
                   states[i]->Dc(), 0, 0, states[i]->Width(), states[i]->Height(), SRCCOPY);
    EXPECT_FALSE(SavePng(sheet, L"Button_States").empty());
}

// Magenta shows the button's colour; pressed, the button is darker with the
// picture one pixel down and to the right; disabled, every other pixel is the
// face colour. Dragged off the button and released, a release never pressed
// here, and a press and release on a disabled button: no click.
TEST_F(ButtonTest, MagentaShowsTheButtonColourAndOnlyAClickNotifies) {
    Canvas canvas(32, 32, RGB(255, 255, 255));
    auto print = [&] {
        SendMessageW(button.GetWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()),
                     PRF_CLIENT);
    };
    print();
    for (POINT at : {POINT{0, 0}, POINT{31, 31}, POINT{7, 16}})
        EXPECT_EQ(canvas.At(at.x, at.y), colour);
    EXPECT_EQ(canvas.At(8, 8), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(23, 23), RGB(0, 0, 0));

    Mouse(WM_LBUTTONDOWN, 10, 12);
    print();
    EXPECT_LT(GetBValue(canvas.At(4, 4)), GetBValue(colour));
    EXPECT_EQ(canvas.At(24, 24), RGB(0, 0, 0));
    EXPECT_NE(canvas.At(8, 8), RGB(0, 0, 0));
    Mouse(WM_LBUTTONUP, 40, 12);
    Mouse(WM_LBUTTONUP, 10, 12);
    SetPicture(SquarePicture(), true);
    print();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(canvas.At(0, 0), face);
    EXPECT_EQ(canvas.At(1, 0), colour);
    EXPECT_EQ(canvas.At(31, 31), face);
    EXPECT_EQ(canvas.At(9, 10), RGB(0, 0, 0));
    Mouse(WM_LBUTTONDOWN, 10, 12);
    Mouse(WM_LBUTTONUP, 10, 12);
    EXPECT_TRUE(notifications.empty());
}

// ---- CTextCtrl

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        text.SetTransparency(true, RGB(255, 0, 255));
        text.SetTextColour(RGB(255, 255, 255));
        text.SetDrawingRect(0, 0, 200, 100);
    }
    // Draws on the grey canvas; the bounding box of the pixels drawn, and
    // the left end of those in the lower half of that box.
    RECT Draw(LONG* lowerLeft = nullptr) {
        GdiObject<HBRUSH> brush(CreateSolidBrush(background));
        RECT box = {0, 0, 200, 100};
        FillRect(canvas.Dc(), &box, brush.Get());
        text.Draw(canvas.Dc());
        box = {200, 100, -1, -1};
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                if (canvas.At(x, y) != background)
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
        for (int y = (box.top + box.bottom) / 2 + 1; lowerLeft && y < box.bottom; ++y)
            for (int x = 0; x < *lowerLeft; ++x)
                if (canvas.At(x, y) != background)
                    *lowerLeft = x;
        return box;
    }

    const COLORREF background = RGB(128, 128, 128);
    Canvas canvas{200, 100, background};
    CTextCtrl text;
};

TEST_F(TextTest, FormatCodesPlaceTheText) {
    text.SetText(L"v1.00");
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

    // A centred block keeps its lines aligned left: the second line's "B"
    // starts where the block starts, not in the middle.
    text.SetText(L"A long first line\nB");
    text.SetTextFormat(5, 5, 2, false);
    LONG secondLeft = 200;
    RECT block = Draw(&secondLeft);
    EXPECT_NEAR((block.left + block.right) / 2, 100, 4);
    EXPECT_LT(secondLeft - block.left, 3);
}

TEST_F(TextTest, EmptyRectangleHidesOpaqueFillsAndTheFontIsCopied) {
    text.SetText(L"Hidden");
    text.SetDrawingRect(0, 0, 0, 0);
    EXPECT_EQ(Draw().right, -1);
    text.SetDrawingRect(RECT{10, 10, 50, 30});
    text.SetTransparency(false, RGB(255, 0, 255));
    Draw();
    EXPECT_EQ(canvas.At(10, 10), RGB(255, 0, 255));
    EXPECT_EQ(canvas.At(50, 30), background);

    GdiObject<HFONT> font(CreateFontW(40, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                      FIXED_PITCH, L"Consolas"));
    text.SetFont(font.Get());
    font.Reset(); // the control keeps a font of its own
    text.SetText(L"X");
    text.SetTransparency(true, RGB(255, 0, 255));
    text.SetDrawingRect(0, 0, 200, 100);
    text.SetTextFormat(1, 1, 1, true);
    RECT big = Draw();
    EXPECT_GT(big.bottom - big.top, 20);
}

} // namespace
