// The owners' counts of live handles: up while a window base, pictures, a
// button, drawn texts and the two dialogs hold theirs, and back where they
// started once all of them are gone.
#include <gtest/gtest.h>

#include "Win32Testing.h"
#include "corvane/CMessageBox.h"
#include "corvane/CTextCtrl.h"
#include "corvane/CValueRequester.h"
#include "corvane/CWndButton.h"
#include "corvane/CWndCommon.h"
#include "corvane/LiveObjects.h"
#include "corvane/OnException.h"

namespace {

using corvane::LiveGdiObjects;
using corvane::LiveUserObjects;

TEST(LiveObjectsTest, CountsComeBackToTheStartOnceEverythingIsGone) {
    const int gdiAtStart = LiveGdiObjects();
    const int userAtStart = LiveUserObjects();
    HWND parent = CreateTestWindow(L"Live objects", nullptr);
    {
        CWndCommon base;
        ASSERT_TRUE(base.Initialize(L"CorvaneTest", nullptr, HKEY_LOCAL_MACHINE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr, 0, 0, 0, 0, 101, 101, 0));
        SetExceptionReporter(nullptr);
        EXPECT_EQ(LiveUserObjects(), userAtStart + 2) << "the two icons";
        EXPECT_EQ(LiveGdiObjects(), gdiAtStart + 1) << "the default font";

        CPicture picture;
        {
            Canvas square(32, 32, RGB(255, 0, 255));
            ASSERT_TRUE(picture.CreatePictureFromHandle(square.Bitmap()));
        }
        EXPECT_EQ(LiveGdiObjects(), gdiAtStart + 2) << "and the picture's bitmap";

        // A disabled button on the stretched background picture, and two
        // texts, one in a font of its own, one in the built-in font.
        CWndButton button;
        ASSERT_TRUE(button.Initialize(GetModuleHandleW(nullptr), parent, false, &picture, nullptr,
                                      nullptr, nullptr));
        button.SetBackground(&picture, CWndButton::NoColour, &picture, CWndButton::NoColour,
                             CWndButton::DrawStretched, true, false, true);
        CTextCtrl ownFont, builtInFont;
        ownFont.SetFont(base.GetDefaultFont());
        for (CTextCtrl* text : {&ownFont, &builtInFont}) {
            text->SetText(L"Level 12");
            text->SetDrawingRect(0, 0, 32, 32);
        }
        {
            Canvas canvas(32, 32, RGB(255, 255, 255));
            SendMessageW(button.GetWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()),
                         PRF_CLIENT);
            ownFont.Draw(canvas.Dc());
            builtInFont.Draw(canvas.Dc());
        }
        const int held = LiveGdiObjects();
        EXPECT_GT(held, gdiAtStart + 2) << "the button's pictures and the texts' fonts";

        // The dialogs' own font and panel brush, counted from the driver's thread.
        int inMessageBox = 0, inRequester = 0;
        DialogDriver boxDriver(L"Counted box", [&](HWND dialog) {
            inMessageBox = LiveGdiObjects();
            PressButton(dialog, L"Ok");
        });
        CMessageBox box(parent, nullptr, &picture);
        EXPECT_EQ(box.ShowDialog(L"Level solved.", L"Counted box", 1, L"Ok"), 0);
        boxDriver.Join();
        DialogDriver requesterDriver(L"Counted requester", [&](HWND dialog) {
            inRequester = LiveGdiObjects();
            PressButton(dialog, L"Cancel");
        });
        CValueRequester requester(parent, false, &picture, 0, 65535, 0, 65535);
        wchar_t name[32] = L"Easy one";
        EXPECT_FALSE(requester.ShowDialog(L"Name?", L"Counted requester", name, 32));
        requesterDriver.Join();
        ASSERT_TRUE(boxDriver.found && requesterDriver.found);
        EXPECT_GT(inMessageBox, held);
        EXPECT_GT(inRequester, held);
        EXPECT_EQ(LiveGdiObjects(), held) << "the dialogs let go of theirs";
    }
    DestroyWindow(parent);
    EXPECT_EQ(LiveGdiObjects(), gdiAtStart);
    EXPECT_EQ(LiveUserObjects(), userAtStart);
}

} // namespace
