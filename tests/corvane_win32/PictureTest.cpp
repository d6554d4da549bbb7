// CPicture with the program's own resources: every picture loads at 32 x 32,
// and drawn keyed its magenta shows the colour beneath. Their contact sheet is
// written as a PNG file and read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "Win32Testing.h"
#include "corvane/CPicture.h"
#include "corvane/Files.h"

namespace {

const COLORREF Magenta = RGB(255, 0, 255);
const COLORREF GameBlue = RGB(64, 96, 160);

TEST(PictureTest, EveryButtonPictureLoadsWithMagentaAroundIt) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!FindResourceW(instance, MAKEINTRESOURCEW(102), L"PICTURE"))
        GTEST_SKIP() << "the program's resources are not linked in";
    // A contact sheet of all eight, enlarged four times, on the game's blue.
    Canvas sheet(8 * 136, 136, GameBlue);
    for (int id = 102; id <= 109; ++id) {
        CPicture picture;
        const wchar_t* type = id % 2 ? L"picture" : L"Picture"; // any case finds "PICTURE"
        ASSERT_TRUE(picture.CreatePictureFromResource(instance, id, type)) << id;
        EXPECT_EQ(picture.GetWidth(), 32) << id;
        EXPECT_EQ(picture.GetHeight(), 32) << id;
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(picture.GetPixel(corner % 2 * 31, corner / 2 * 31), Magenta) << id;

        Canvas canvas(32, 32, GameBlue);
        picture.SetDrawingRect(0, 0, 32, 32);
        picture.Draw(canvas.Dc(), true, true);
        int symbolPixels = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                COLORREF source = picture.GetPixel(x, y);
                EXPECT_EQ(canvas.At(x, y), source == Magenta ? GameBlue : source)
                    << id << " " << x << "," << y;
                symbolPixels += source != Magenta;
            }
        EXPECT_GT(symbolPixels, 100) << id << ": a symbol, not an empty picture";

        picture.SetDrawingRect(8 + (id - 102) * 136, 4, 128, 128);
        picture.DrawStretched(sheet.Dc(), true);
    }
    std::wstring path = SavePng(sheet, L"Pictures_ContactSheet");
    ASSERT_FALSE(path.empty());

    // The file read back through the picture's own PNG decoding: every pixel.
    std::vector<unsigned char> file(1 << 20);
    FILE* in = OpenFile(path.c_str(), L"rb");
    ASSERT_NE(in, nullptr);
    file.resize(fread(file.data(), 1, file.size(), in));
    fclose(in);
    CPicture reread;
    ASSERT_TRUE(reread.CreatePictureFromMemory(file.data(), file.size()));
    ASSERT_EQ(reread.GetWidth(), sheet.Width());
    ASSERT_EQ(reread.GetHeight(), sheet.Height());
    int differing = 0;
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x)
            differing += reread.GetPixel(x, y) != sheet.At(x, y);
    EXPECT_EQ(differing, 0);
}

// A missing resource, a resource of another type or a broken file leave the
// picture empty.
TEST(PictureTest, MissingResourceOrWrongTypeLeavesThePictureEmpty) {
    CPicture picture;
    EXPECT_FALSE(picture.CreatePictureFromResource(GetModuleHandleW(nullptr), 4321, L"Picture"));
    EXPECT_FALSE(picture.CreatePictureFromResource(GetModuleHandleW(nullptr), 102, L"WAVE"));
    const unsigned char junk[64] = {'B', 'M', 1, 2, 3};
    EXPECT_FALSE(picture.CreatePictureFromMemory(junk, sizeof(junk)));
    EXPECT_TRUE(picture.IsEmpty());
}

// The caller's bitmap is still selected into its context, as in the game's
// drawing code, and changed right after; the picture and its copies keep
// their own pixels, and a move hands them over.
TEST(PictureTest, PictureFromHandleKeepsItsOwnCopy) {
    Canvas canvas(20, 10, RGB(10, 20, 30));
    SetPixelV(canvas.Dc(), 3, 4, RGB(200, 100, 50));
    CPicture picture;
    ASSERT_TRUE(picture.CreatePictureFromHandle(canvas.Bitmap()));
    SetPixelV(canvas.Dc(), 3, 4, RGB(0, 0, 0));
    EXPECT_EQ(picture.GetWidth(), 20);
    EXPECT_EQ(picture.GetHeight(), 10);
    EXPECT_EQ(picture.GetPixel(3, 4), RGB(200, 100, 50));
    EXPECT_EQ(picture.GetPixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(picture.GetPixel(20, 0), CLR_INVALID);

    // Drawing: stretched over the rectangle, or at its own size and clipped.
    Canvas target(40, 20, RGB(255, 255, 255));
    picture.SetDrawingRect(0, 0, 40, 20);
    picture.DrawStretched(target.Dc(), false);
    EXPECT_EQ(target.At(39, 19), RGB(10, 20, 30));
    EXPECT_EQ(target.At(7, 9), RGB(200, 100, 50)); // (3, 4) doubled
    Canvas clipped(40, 20, RGB(255, 255, 255));
    picture.SetDrawingRect(RECT{5, 5, 15, 10});
    picture.Draw(clipped.Dc(), false, true);
    EXPECT_EQ(clipped.At(14, 9), RGB(10, 20, 30));
    EXPECT_EQ(clipped.At(15, 9), RGB(255, 255, 255));
    EXPECT_EQ(clipped.At(14, 10), RGB(255, 255, 255));
    // The same with the rectangle given to the call.
    Canvas stretchedInto(40, 20, RGB(255, 255, 255)), drawnAt(40, 20, RGB(255, 255, 255));
    picture.DrawStretchedInto(stretchedInto.Dc(), RECT{0, 0, 40, 20});
    picture.DrawAt(drawnAt.Dc(), RECT{5, 5, 15, 10});
    EXPECT_TRUE(stretchedInto.SameAs(target));
    EXPECT_TRUE(drawnAt.SameAs(clipped));

    CPicture copy(picture);
    picture.FreePicture();
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(copy.GetPixel(3, 4), RGB(200, 100, 50));
    EXPECT_NE(copy.GetBitmap(), nullptr);
    CPicture moved(std::move(copy));
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(copy.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(moved.GetPixel(3, 4), RGB(200, 100, 50));
}

} // namespace
