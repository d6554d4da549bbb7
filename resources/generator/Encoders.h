// Writers for the file formats of the program's resources: Windows bitmaps,
// PNG, Windows icons and RIFF wave files. Each returns the complete file.
#pragma once

#include "Canvas.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nereku_resources {

using Bytes = std::vector<std::uint8_t>;

// Little-endian helpers for building files.
void Put16(Bytes& out, std::uint32_t value);
void Put32(Bytes& out, std::uint32_t value);
void PutTag(Bytes& out, const char* fourCharacters);
void PutText(Bytes& out, const std::string& text);

// A 24-bit bottom-up Windows bitmap with a 54-byte header.
Bytes EncodeBmp(const Canvas& canvas);

// The CRC-32 of PNG and zip, and zlib's Adler-32.
std::uint32_t Crc32(const std::uint8_t* data, size_t size);
std::uint32_t Adler32(const std::uint8_t* data, size_t size);

// A zlib stream holding one deflate block with the fixed Huffman codes.
Bytes ZlibCompress(const Bytes& data);

// An opaque RGBA PNG of exactly fileSize bytes: the image data is compressed,
// and a "Comment" text chunk holding the given text, followed by as many
// blanks as needed, makes up the rest. Throws when the file cannot be made
// that small.
Bytes EncodePng(const Canvas& canvas, size_t fileSize, const std::string& comment);

// An RGBA PNG whose magenta pixels are transparent (the icon for desktops
// other than Windows).
Bytes EncodeKeyedPng(const Canvas& canvas);

// A Windows icon file with one 4-bit image. Every pixel of the canvas must be
// one of the sixteen palette colours or magenta, which becomes transparent.
using Palette16 = std::array<Rgb, 16>;
Bytes EncodeIco(const Canvas& canvas, const Palette16& palette);

struct WaveFormat {
    std::uint16_t channels = 1;
    std::uint32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;
};

// A RIFF wave file: the format chunk, the data chunk and then the given
// further chunks, each already complete with its header.
Bytes EncodeWav(const WaveFormat& format, const Bytes& samples, const Bytes& furtherChunks = {});

// A chunk with its four-character id, size and the padding byte after an odd size.
Bytes MakeChunk(const char* id, const Bytes& payload);

} // namespace nereku_resources
