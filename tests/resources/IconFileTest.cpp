// The program icon: one 32 x 32 image of 16 colours with its mask.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace resources_test;

// The image's colour indices (two a byte) and its mask (eight pixels a byte)
// follow its header and palette; rows are stored bottom-up.
TEST(ProgramIcon, IsOneFourBitImageWithAMatchingMask) {
    const Bytes icon = ReadResource("NerekuSudoku.ico");
    ASSERT_EQ(icon.size(), 22u + 744u);
    const Bytes layout = {
        0,    0,  1,  0, 1,  0,       // an icon (not a cursor) with one image,
        32,   32, 16, 0, 1,  0, 4, 0, // 32 x 32, 16 colours, one plane of 4 bits a pixel,
        0xE8, 2,  0,  0, 22, 0, 0, 0, // 744 bytes right after the directory;
        40,   0,  0,  0, 32, 0, 0, 0, // its header: 32 wide and twice as high, for
        64,   0,  0,  0, 1,  0, 4, 0, // the colour rows and the mask; 4 bits a pixel,
        0,    0,  0,  0};             // no compression
    EXPECT_EQ(Bytes(icon.begin(), icon.begin() + static_cast<std::ptrdiff_t>(layout.size())),
              layout);
    EXPECT_EQ(Le32(icon, 22 + 40), 0u) << "colour 0 is black";

    const size_t colours = 22 + 40 + 16 * 4;
    const size_t mask = colours + 32 * 16;
    const auto colour = [&](int x, int y) {
        const std::uint8_t pair = icon[colours + static_cast<size_t>((31 - y) * 16 + x / 2)];
        return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
    };
    const auto transparent = [&](int x, int y) {
        return (icon[mask + static_cast<size_t>((31 - y) * 4 + x / 8)] >> (7 - x % 8) & 1) != 0;
    };
    int opaque = 0;
    std::set<int> used;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (transparent(x, y)) {
                // Black under the mask, so that the screen shows through unchanged.
                EXPECT_EQ(colour(x, y), 0) << x << ", " << y;
            } else {
                ++opaque;
                used.insert(colour(x, y));
            }
        }
    }
    // Rounded corners, a solid body.
    EXPECT_TRUE(transparent(0, 0) && transparent(31, 0) && transparent(0, 31) &&
                transparent(31, 31));
    EXPECT_GT(opaque, 900);
    EXPECT_FALSE(transparent(16, 16));
    // A board with digits and a sign needs more than a couple of colours.
    EXPECT_GE(used.size(), 6u);
}
