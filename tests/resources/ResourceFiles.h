// Readers for the resource files, written for the tests independently of the
// generator: little- and big-endian numbers, RIFF chunks, an inflater for
// fixed-Huffman deflate blocks, and picture decoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resources_test {

using Bytes = std::vector<std::uint8_t>;
using Numbers = std::vector<std::uint32_t>;

// The button pictures, in the order of their resource ids 102 to 109.
inline const char* const kPictureFiles[] = {
    "NewLevel.bmp",   "RestartLevel.bmp", "SaveLevel.bmp", "DeleteLevel.bmp",
    "SolveLevel.png", "LevelEditor.bmp",  "Help.bmp",      "About.bmp"};

// The whole file; empty when it cannot be read.
Bytes ReadFile(const std::string& path);
// A committed file, named relative to the folder of NerekuSudoku.rc.
Bytes ReadResource(const std::string& name);

// Each throws when the file ends before the value.
std::uint32_t Le16(const Bytes& bytes, size_t at);
std::uint32_t Le32(const Bytes& bytes, size_t at);
std::uint32_t Be32(const Bytes& bytes, size_t at);
std::string Tag(const Bytes& bytes, size_t at);

struct Pixel {
    std::uint8_t r, g, b, a;
};

inline bool IsMagenta(const Pixel& p) {
    return p.r == 255 && p.g == 0 && p.b == 255;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels; // top row first
    const Pixel& At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// A 24-bit uncompressed bitmap; throws when the file is not one.
Image DecodeBmp(const Bytes& file);
// An 8-bit RGBA PNG without interlacing or filters, from its header chunk to
// its end chunk, every CRC, the zlib stream and its Adler-32 checked; throws
// when the file is not one.
Image DecodePng(const Bytes& file);

struct Chunk {
    std::string id;
    size_t offset = 0; // of the payload
    std::uint32_t size = 0;
};

// The chunks of a RIFF file's body, in file order.
std::vector<Chunk> RiffChunks(const Bytes& file);

} // namespace resources_test
