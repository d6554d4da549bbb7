// Readers for the resource files, written for the tests independently of the
// generator: raw bytes, little- and big-endian numbers, RIFF chunks, an
// inflater for stored and fixed-Huffman deflate blocks, and picture decoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resources_test {

using Bytes = std::vector<std::uint8_t>;

// The folder that holds NerekuSudoku.rc and the committed files.
std::string ResourcesDir();

// The whole file; empty when it cannot be read.
Bytes ReadFile(const std::string& path);

// A new empty folder under the system's temporary folder.
std::string MakeTempDir(const std::string& stem);

// Runs a program with the given arguments through the shell, its output
// going to the given file; returns the shell's result (0 for success).
int RunProgram(const std::vector<std::string>& commandLine, const std::string& outputFile);

std::uint32_t Le16(const Bytes& bytes, size_t at);
std::uint32_t Le32(const Bytes& bytes, size_t at);
std::uint32_t Be32(const Bytes& bytes, size_t at);
std::string Tag(const Bytes& bytes, size_t at);

std::uint32_t Crc32(const std::uint8_t* data, size_t size);

// Decompresses a zlib stream; throws on anything it cannot read.
Bytes Inflate(const Bytes& zlibStream);

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
// An 8-bit RGBA PNG without interlacing or filters, every chunk's CRC
// checked; throws when the file is not one.
Image DecodePng(const Bytes& file);

struct Chunk {
    std::string id;
    size_t offset = 0; // of the payload
    std::uint32_t size = 0;
};

// The chunks of a RIFF file's body, in file order.
std::vector<Chunk> RiffChunks(const Bytes& file);

} // namespace resources_test
