// The eight button pictures: their file formats, the magenta that surrounds
// each symbol, and the colours that make each symbol what it is.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace resources_test;

namespace {

Image LoadPicture(const std::string& name) {
    const Bytes file = ReadResource("pictures/" + name);
    return name.find(".png") != std::string::npos ? DecodePng(file) : DecodeBmp(file);
}

const auto Reddish = [](const Pixel& p) { return p.r > p.g + 60 && p.r > p.b + 60; };
const auto Greenish = [](const Pixel& p) { return p.g > p.r + 40 && p.g > p.b + 40; };
const auto Bluish = [](const Pixel& p) { return p.b > p.r + 50 && p.b > p.g + 20; };
const auto Whitish = [](const Pixel& p) { return p.r > 200 && p.g > 200 && p.b > 200; };
const auto Greyish = [](const Pixel& p) {
    return std::abs(p.r - p.g) < 24 && std::abs(p.g - p.b) < 32 && std::abs(p.r - p.b) < 32;
};
const auto Warm = [](const Pixel& p) { return p.r > p.b + 60; };

} // namespace

// Bitmaps of 3126 bytes with a 54-byte header (DecodeBmp checks the rest), the
// PNG of 2396 bytes; each an opaque 32 x 32 symbol of its own, ringed by magenta.
TEST(ButtonPictures, EachIsAnOpaqueSymbolOnMagentaInItsFormat) {
    std::set<std::vector<std::uint32_t>> seen;
    for (const std::string name : kPictureFiles) {
        SCOPED_TRACE(name);
        const Bytes file = ReadResource("pictures/" + name);
        if (name == "SolveLevel.png") {
            EXPECT_EQ(file.size(), 2396u);
        } else {
            ASSERT_EQ(file.size(), 3126u);
            // The header's file size, pixel data offset, planes and palette size.
            EXPECT_EQ((Numbers{Le32(file, 2), Le32(file, 10), Le16(file, 26), Le32(file, 46)}),
                      (Numbers{3126, 54, 1, 0}));
        }
        Image image;
        ASSERT_NO_THROW(image = LoadPicture(name));
        ASSERT_EQ(image.width, 32);
        ASSERT_EQ(image.height, 32);
        for (int i = 0; i < 32; ++i) {
            EXPECT_TRUE(IsMagenta(image.At(i, 0)) && IsMagenta(image.At(i, 31)) &&
                        IsMagenta(image.At(0, i)) && IsMagenta(image.At(31, i)))
                << "the outermost ring at " << i;
        }
        int symbolPixels = 0;
        std::vector<std::uint32_t> colours;
        for (const Pixel& p : image.pixels) {
            ASSERT_EQ(p.a, 255);
            symbolPixels += IsMagenta(p) ? 0 : 1;
            colours.push_back(static_cast<std::uint32_t>(p.r << 16 | p.g << 8 | p.b));
        }
        EXPECT_GT(symbolPixels, 300);
        EXPECT_LT(symbolPixels, 900);
        EXPECT_TRUE(seen.insert(colours).second) << "the same picture twice";
    }
}

// More than the given share of each symbol's pixels (all but magenta) has its
// colour: a blank white page, a green arrow, a blue disk with a white label, a
// red cross, a grey symbol, a wooden frame and pencil, blue discs with white.
TEST(ButtonPictures, EachSymbolHasItsColours) {
    const struct {
        const char* name;
        bool (*match)(const Pixel&);
        int percent;
    } kColours[] = {{"NewLevel.bmp", Whitish, 60},    {"RestartLevel.bmp", Greenish, 60},
                    {"SaveLevel.bmp", Bluish, 30},    {"SaveLevel.bmp", Whitish, 20},
                    {"DeleteLevel.bmp", Reddish, 50}, {"SolveLevel.png", Greyish, 50},
                    {"LevelEditor.bmp", Warm, 40},    {"Help.bmp", Bluish, 60},
                    {"Help.bmp", Whitish, 5},         {"About.bmp", Bluish, 60},
                    {"About.bmp", Whitish, 5}};
    for (const auto& expected : kColours) {
        int symbol = 0;
        int matching = 0;
        for (const Pixel& p : LoadPicture(expected.name).pixels) {
            symbol += IsMagenta(p) ? 0 : 1;
            matching += !IsMagenta(p) && expected.match(p) ? 1 : 0;
        }
        EXPECT_GT(matching * 100, expected.percent * symbol) << expected.name;
    }
    EXPECT_TRUE(IsMagenta(LoadPicture("RestartLevel.bmp").At(16, 18))) << "arrow round a hole";
    EXPECT_TRUE(Whitish(LoadPicture("DeleteLevel.bmp").At(15, 15))) << "the cross meets";
    for (const char* discOnly : {"Help.bmp", "About.bmp"})
        EXPECT_FALSE(Whitish(LoadPicture(discOnly).At(3, 16))) << discOnly << ": white in the disc";
}
