// The program icon: one 32 x 32 image of 16 colours with its mask.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace resources_test;

namespace {

Bytes ReadIcon() {
    return ReadFile(ResourcesDir() + "/NerekuSudoku.ico");
}

constexpr size_t kImage = 22;                     // after the directory
constexpr size_t kColours = kImage + 40 + 16 * 4; // after header and palette
constexpr size_t kMask = kColours + 32 * 16;

// Rows are stored bottom-up; y counts from the top.
int ColourIndex(const Bytes& icon, int x, int y) {
    const std::uint8_t pair = icon[kColours + static_cast<size_t>((31 - y) * 16 + x / 2)];
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

bool Transparent(const Bytes& icon, int x, int y) {
    const std::uint8_t bits = icon[kMask + static_cast<size_t>((31 - y) * 4 + x / 8)];
    return (bits >> (7 - x % 8) & 1) != 0;
}

} // namespace

TEST(ProgramIcon, HasOneFourBitImageOf744Bytes) {
    const Bytes icon = ReadIcon();
    ASSERT_EQ(icon.size(), 22u + 744u);
    // The directory.
    EXPECT_EQ(Le16(icon, 0), 0u);
    EXPECT_EQ(Le16(icon, 2), 1u); // an icon, not a cursor
    EXPECT_EQ(Le16(icon, 4), 1u); // one image
    EXPECT_EQ(icon[6], 32);       // width
    EXPECT_EQ(icon[7], 32);       // height
    EXPECT_EQ(icon[8], 16);       // colours
    EXPECT_EQ(icon[9], 0);
    EXPECT_EQ(Le16(icon, 10), 1u); // planes
    EXPECT_EQ(Le16(icon, 12), 4u); // bits per pixel
    EXPECT_EQ(Le32(icon, 14), 744u);
    EXPECT_EQ(Le32(icon, 18), kImage);
    // The image's header: twice the height for the colour rows and the mask.
    EXPECT_EQ(Le32(icon, kImage), 40u);
    EXPECT_EQ(Le32(icon, kImage + 4), 32u);
    EXPECT_EQ(Le32(icon, kImage + 8), 64u);
    EXPECT_EQ(Le16(icon, kImage + 12), 1u);
    EXPECT_EQ(Le16(icon, kImage + 14), 4u);
    EXPECT_EQ(Le32(icon, kImage + 16), 0u); // no compression
}

TEST(ProgramIcon, MaskAndColoursAgree) {
    const Bytes icon = ReadIcon();
    ASSERT_EQ(icon.size(), 766u);
    EXPECT_EQ(Le32(icon, kImage + 40), 0u) << "colour 0 is black";
    int opaque = 0;
    std::set<int> used;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (Transparent(icon, x, y)) {
                // Black under the mask, so that the screen shows through unchanged.
                EXPECT_EQ(ColourIndex(icon, x, y), 0) << x << ", " << y;
            } else {
                ++opaque;
                used.insert(ColourIndex(icon, x, y));
            }
        }
    // Rounded corners, a solid body.
    for (int corner : {0, 31})
        for (int other : {0, 31})
            EXPECT_TRUE(Transparent(icon, corner, other));
    EXPECT_GT(opaque, 900);
    EXPECT_FALSE(Transparent(icon, 16, 16));
    // A board with digits and a sign needs more than a couple of colours.
    EXPECT_GE(used.size(), 6u);
}
