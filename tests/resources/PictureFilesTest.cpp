// The eight button pictures: their file formats, the magenta that surrounds
// each symbol, and the colours that make each symbol what it is.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

using namespace resources_test;

namespace {

struct PictureFile {
    const char* name;
    bool isPng;
};

const PictureFile kPictures[] = {
    {"NewLevel.bmp", false},    {"RestartLevel.bmp", false}, {"SaveLevel.bmp", false},
    {"DeleteLevel.bmp", false}, {"SolveLevel.png", true},    {"LevelEditor.bmp", false},
    {"Help.bmp", false},        {"About.bmp", false},
};

Bytes ReadPictureFile(const char* name) {
    return ReadFile(ResourcesDir() + "/pictures/" + name);
}

Image LoadPicture(const char* name) {
    const Bytes file = ReadPictureFile(name);
    const std::string text = name;
    return text.substr(text.size() - 4) == ".png" ? DecodePng(file) : DecodeBmp(file);
}

// The share, in percent, of the symbol's pixels (all but magenta) that match.
int PercentOfSymbol(const Image& image, const std::function<bool(const Pixel&)>& match) {
    int symbol = 0;
    int matching = 0;
    for (const Pixel& p : image.pixels)
        if (!IsMagenta(p)) {
            ++symbol;
            matching += match(p) ? 1 : 0;
        }
    return symbol == 0 ? 0 : matching * 100 / symbol;
}

bool Reddish(const Pixel& p) {
    return p.r > p.g + 60 && p.r > p.b + 60;
}
bool Greenish(const Pixel& p) {
    return p.g > p.r + 40 && p.g > p.b + 40;
}
bool Bluish(const Pixel& p) {
    return p.b > p.r + 50 && p.b > p.g + 20;
}
bool Whitish(const Pixel& p) {
    return p.r > 200 && p.g > 200 && p.b > 200;
}
bool Greyish(const Pixel& p) {
    return std::abs(p.r - p.g) < 24 && std::abs(p.g - p.b) < 32 && std::abs(p.r - p.b) < 32;
}
bool Warm(const Pixel& p) {
    return p.r > p.b + 60;
}

} // namespace

TEST(ButtonPictures, BitmapsHaveTheFixedHeaders) {
    for (const PictureFile& picture : kPictures) {
        if (picture.isPng)
            continue;
        SCOPED_TRACE(picture.name);
        const Bytes file = ReadPictureFile(picture.name);
        ASSERT_EQ(file.size(), 3126u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Le32(file, 2), 3126u); // file size
        EXPECT_EQ(Le32(file, 6), 0u);    // reserved
        EXPECT_EQ(Le32(file, 10), 54u);  // pixel data offset
        EXPECT_EQ(Le32(file, 14), 40u);  // information header
        EXPECT_EQ(Le32(file, 18), 32u);  // width
        EXPECT_EQ(Le32(file, 22), 32u);  // positive height: bottom-up rows
        EXPECT_EQ(Le16(file, 26), 1u);   // planes
        EXPECT_EQ(Le16(file, 28), 24u);  // bits per pixel
        EXPECT_EQ(Le32(file, 30), 0u);   // no compression
        EXPECT_EQ(Le32(file, 46), 0u);   // no palette
    }
}

TEST(ButtonPictures, SolvePictureIsAnOpaqueRgbaPngOfFixedSize) {
    const Bytes file = ReadPictureFile("SolveLevel.png");
    ASSERT_EQ(file.size(), 2396u);
    // The header chunk comes first and the end chunk last.
    EXPECT_EQ(Be32(file, 8), 13u);
    EXPECT_EQ(Tag(file, 12), "IHDR");
    EXPECT_EQ(Be32(file, 16), 32u);
    EXPECT_EQ(Be32(file, 20), 32u);
    EXPECT_EQ(file[24], 8); // bits per channel
    EXPECT_EQ(file[25], 6); // red, green, blue, alpha
    EXPECT_EQ(file[28], 0); // not interlaced
    EXPECT_EQ(Tag(file, file.size() - 8), "IEND");
    EXPECT_EQ(Be32(file, file.size() - 12), 0u);

    Image image;
    ASSERT_NO_THROW(image = DecodePng(file)); // every CRC, the zlib stream and its Adler-32
    ASSERT_EQ(image.width, 32);
    ASSERT_EQ(image.height, 32);
    for (const Pixel& p : image.pixels)
        ASSERT_EQ(p.a, 255);
}

TEST(ButtonPictures, MagentaSurroundsEverySymbol) {
    for (const PictureFile& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        const Image image = LoadPicture(picture.name);
        ASSERT_EQ(image.width, 32);
        ASSERT_EQ(image.height, 32);
        // The whole outermost ring of pixels, corners included.
        for (int i = 0; i < 32; ++i) {
            EXPECT_TRUE(IsMagenta(image.At(i, 0))) << "top, column " << i;
            EXPECT_TRUE(IsMagenta(image.At(i, 31))) << "bottom, column " << i;
            EXPECT_TRUE(IsMagenta(image.At(0, i))) << "left, row " << i;
            EXPECT_TRUE(IsMagenta(image.At(31, i))) << "right, row " << i;
        }
        // A symbol of a fair size sits inside.
        int symbolPixels = 0;
        for (const Pixel& p : image.pixels)
            symbolPixels += IsMagenta(p) ? 0 : 1;
        EXPECT_GT(symbolPixels, 300);
        EXPECT_LT(symbolPixels, 900);
    }
}

TEST(ButtonPictures, EachSymbolHasItsColours) {
    const Image newLevel = LoadPicture("NewLevel.bmp");
    EXPECT_GT(PercentOfSymbol(newLevel, Whitish), 60); // a blank page

    const Image restart = LoadPicture("RestartLevel.bmp");
    EXPECT_GT(PercentOfSymbol(restart, Greenish), 60);
    EXPECT_TRUE(IsMagenta(restart.At(16, 18))) << "the arrow goes round an open middle";

    const Image save = LoadPicture("SaveLevel.bmp");
    EXPECT_GT(PercentOfSymbol(save, Bluish), 30);
    EXPECT_GT(PercentOfSymbol(save, Whitish), 20); // the label

    const Image remove = LoadPicture("DeleteLevel.bmp");
    EXPECT_GT(PercentOfSymbol(remove, Reddish), 50);
    EXPECT_TRUE(Whitish(remove.At(15, 15))) << "the cross meets in the middle";

    const Image solve = LoadPicture("SolveLevel.png");
    EXPECT_GT(PercentOfSymbol(solve, Greyish), 50);

    const Image editor = LoadPicture("LevelEditor.bmp");
    EXPECT_GT(PercentOfSymbol(editor, Warm), 40); // wooden frame and pencil

    for (const char* name : {"Help.bmp", "About.bmp"}) {
        SCOPED_TRACE(name);
        const Image image = LoadPicture(name);
        EXPECT_GT(PercentOfSymbol(image, Bluish), 60);
        EXPECT_GT(PercentOfSymbol(image, Whitish), 5);
        EXPECT_FALSE(Whitish(image.At(3, 16))) << "white only inside the disc";
    }
}

TEST(ButtonPictures, NoTwoPicturesAreAlike) {
    std::set<std::vector<std::uint32_t>> seen;
    for (const PictureFile& picture : kPictures) {
        const Image image = LoadPicture(picture.name);
        std::vector<std::uint32_t> colours;
        for (const Pixel& p : image.pixels)
            colours.push_back(static_cast<std::uint32_t>(p.r << 16 | p.g << 8 | p.b));
        EXPECT_TRUE(seen.insert(colours).second) << picture.name;
    }
}
