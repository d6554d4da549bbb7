#include "Encoders.h"

#include <algorithm>
#include <stdexcept>

namespace nereku_resources {

namespace {

void PutBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutPixel(Bytes& out, Rgb colour) {
    out.push_back(colour.b);
    out.push_back(colour.g);
    out.push_back(colour.r);
}

// ---- Deflate with the fixed Huffman codes.

// Writes bits from the least significant end, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(Bytes& out_) : out(out_) {}

    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (used == 0)
                out.push_back(0);
            out.back() = static_cast<std::uint8_t>(out.back() | (((value >> i) & 1u) << used));
            used = (used + 1) % 8;
        }
    }

    // Huffman codes go out starting with their most significant bit.
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i)
            Bits((code >> i) & 1u, 1);
    }

private:
    Bytes& out;
    int used = 0;
};

void PutLiteralOrLength(BitWriter& bits, int symbol) {
    if (symbol < 144)
        bits.Code(0x30u + static_cast<std::uint32_t>(symbol), 8);
    else if (symbol < 256)
        bits.Code(0x190u + static_cast<std::uint32_t>(symbol - 144), 9);
    else if (symbol < 280)
        bits.Code(static_cast<std::uint32_t>(symbol - 256), 7);
    else
        bits.Code(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8);
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& bits, int length, int distance) {
    int code = 28;
    while (kLengthBase[code] > length)
        --code;
    PutLiteralOrLength(bits, 257 + code);
    bits.Bits(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
    code = 29;
    while (kDistanceBase[code] > distance)
        --code;
    bits.Code(static_cast<std::uint32_t>(code), 5);
    bits.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[code]), kDistanceExtra[code]);
}

// The longest earlier repeat of the text at position, nearest first on a tie.
void FindMatch(const Bytes& data, size_t position, int& bestLength, int& bestDistance) {
    constexpr size_t kWindow = 32768;
    constexpr size_t kLongest = 258;
    bestLength = 0;
    bestDistance = 0;
    const size_t limit = std::min(kLongest, data.size() - position);
    for (size_t distance = 1; distance <= position && distance <= kWindow; ++distance) {
        size_t length = 0;
        while (length < limit && data[position + length] == data[position - distance + length])
            ++length;
        if (static_cast<int>(length) > bestLength) {
            bestLength = static_cast<int>(length);
            bestDistance = static_cast<int>(distance);
        }
    }
}

} // namespace

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFFu);
    Put16(out, value >> 16);
}

void PutTag(Bytes& out, const char* fourCharacters) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(fourCharacters[i]));
}

void PutText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

Bytes EncodeBmp(const Canvas& canvas) {
    const auto rowBytes = static_cast<std::uint32_t>((canvas.Width() * 3 + 3) / 4 * 4);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(canvas.Height());
    Bytes out;
    // File header.
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageBytes);
    Put32(out, 0);
    Put32(out, 54);
    // Information header: positive height, so the rows run bottom-up.
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(canvas.Width()));
    Put32(out, static_cast<std::uint32_t>(canvas.Height()));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x)
            PutPixel(out, canvas.At(x, y));
        for (int pad = canvas.Width() * 3; pad < static_cast<int>(rowBytes); ++pad)
            out.push_back(0);
    }
    return out;
}

std::uint32_t Crc32(const std::uint8_t* data, size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::uint8_t* data, size_t size) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

Bytes ZlibCompress(const Bytes& data) {
    Bytes out{0x78, 0x01}; // deflate, 32 KiB window, no dictionary
    {
        BitWriter bits(out);
        bits.Bits(1, 1); // the last block
        bits.Bits(1, 2); // fixed Huffman codes
        size_t position = 0;
        while (position < data.size()) {
            int length = 0;
            int distance = 0;
            FindMatch(data, position, length, distance);
            if (length >= 3) {
                PutMatch(bits, length, distance);
                position += static_cast<size_t>(length);
            } else {
                PutLiteralOrLength(bits, data[position]);
                ++position;
            }
        }
        PutLiteralOrLength(bits, 256); // end of block
    }
    PutBigEndian32(out, Adler32(data.data(), data.size()));
    return out;
}

namespace {

void PutPngChunk(Bytes& out, const char* type, const Bytes& payload) {
    PutBigEndian32(out, static_cast<std::uint32_t>(payload.size()));
    const size_t start = out.size();
    PutTag(out, type);
    out.insert(out.end(), payload.begin(), payload.end());
    PutBigEndian32(out, Crc32(out.data() + start, out.size() - start));
}

} // namespace

namespace {

// The IHDR and IDAT payloads of an RGBA PNG of the canvas; `keyed`: magenta
// pixels are fully transparent, all others opaque.
std::pair<Bytes, Bytes> PngImage(const Canvas& canvas, bool keyed) {
    Bytes header;
    PutBigEndian32(header, static_cast<std::uint32_t>(canvas.Width()));
    PutBigEndian32(header, static_cast<std::uint32_t>(canvas.Height()));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, filters, no interlace

    const Rgb magenta{255, 0, 255};
    Bytes scanlines;
    for (int y = 0; y < canvas.Height(); ++y) {
        scanlines.push_back(0); // no filter
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb colour = canvas.At(x, y);
            const bool clear = keyed && colour == magenta;
            scanlines.insert(scanlines.end(), {clear ? std::uint8_t{0} : colour.r,
                                               clear ? std::uint8_t{0} : colour.g,
                                               clear ? std::uint8_t{0} : colour.b,
                                               clear ? std::uint8_t{0} : std::uint8_t{255}});
        }
    }
    return {header, ZlibCompress(scanlines)};
}

} // namespace

Bytes EncodePng(const Canvas& canvas, size_t fileSize, const std::string& comment) {
    const auto [header, compressed] = PngImage(canvas, false);
    constexpr size_t kSignature = 8;
    constexpr size_t kChunkOverhead = 12;
    const std::string keyword = "Comment";
    const size_t fixedPart =
        kSignature + 4 * kChunkOverhead + header.size() + compressed.size() + keyword.size() + 1;
    if (fixedPart + comment.size() > fileSize)
        throw std::runtime_error("the PNG picture does not fit into its file size");
    Bytes text;
    PutText(text, keyword);
    text.push_back(0);
    PutText(text, comment);
    text.resize(text.size() + fileSize - fixedPart - comment.size(), ' ');

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutPngChunk(out, "IHDR", header);
    PutPngChunk(out, "tEXt", text);
    PutPngChunk(out, "IDAT", compressed);
    PutPngChunk(out, "IEND", {});
    return out;
}

Bytes EncodeKeyedPng(const Canvas& canvas) {
    const auto [header, compressed] = PngImage(canvas, true);
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutPngChunk(out, "IHDR", header);
    PutPngChunk(out, "IDAT", compressed);
    PutPngChunk(out, "IEND", {});
    return out;
}

Bytes EncodeIco(const Canvas& canvas, const Palette16& palette) {
    const auto width = static_cast<std::uint32_t>(canvas.Width());
    const auto height = static_cast<std::uint32_t>(canvas.Height());
    if (width % 32 != 0 || width > 256 || height > 256)
        throw std::invalid_argument("icon width must be a multiple of 32");
    const std::uint32_t colourBytes = width / 2 * height;
    const std::uint32_t maskBytes = width / 8 * height;
    const std::uint32_t imageBytes = 40 + 16 * 4 + colourBytes + maskBytes;

    Bytes out;
    Put16(out, 0);
    Put16(out, 1); // an icon
    Put16(out, 1); // one image
    out.push_back(static_cast<std::uint8_t>(width % 256));
    out.push_back(static_cast<std::uint8_t>(height % 256));
    out.push_back(16); // colours
    out.push_back(0);
    Put16(out, 1); // planes
    Put16(out, 4); // bits per pixel
    Put32(out, imageBytes);
    Put32(out, 22); // the image follows this directory

    Put32(out, 40);
    Put32(out, width);
    Put32(out, height * 2); // colour rows and mask rows together
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, colourBytes + maskBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (const Rgb& colour : palette) {
        PutPixel(out, colour);
        out.push_back(0);
    }

    auto indexOf = [&palette](Rgb colour) {
        for (size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == colour)
                return static_cast<std::uint8_t>(i);
        throw std::invalid_argument("icon colour outside its palette");
    };
    // Transparent pixels are black in the colour image and set in the mask.
    for (int y = canvas.Height() - 1; y >= 0; --y)
        for (int x = 0; x < canvas.Width(); x += 2) {
            const Rgb left = canvas.At(x, y);
            const Rgb right = canvas.At(x + 1, y);
            const std::uint8_t high = left == kMagenta ? 0 : indexOf(left);
            const std::uint8_t low = right == kMagenta ? 0 : indexOf(right);
            out.push_back(static_cast<std::uint8_t>(high << 4 | low));
        }
    for (int y = canvas.Height() - 1; y >= 0; --y)
        for (int x = 0; x < canvas.Width(); x += 8) {
            std::uint8_t bits = 0;
            for (int i = 0; i < 8; ++i)
                if (canvas.At(x + i, y) == kMagenta)
                    bits = static_cast<std::uint8_t>(bits | (0x80 >> i));
            out.push_back(bits);
        }
    return out;
}

Bytes MakeChunk(const char* id, const Bytes& payload) {
    Bytes out;
    PutTag(out, id);
    Put32(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    if (payload.size() % 2 != 0)
        out.push_back(0);
    return out;
}

Bytes EncodeWav(const WaveFormat& format, const Bytes& samples, const Bytes& furtherChunks) {
    const std::uint32_t blockAlign = format.channels * format.bitsPerSample / 8u;
    Bytes fmt;
    Put16(fmt, 1); // PCM
    Put16(fmt, format.channels);
    Put32(fmt, format.sampleRate);
    Put32(fmt, format.sampleRate * blockAlign);
    Put16(fmt, blockAlign);
    Put16(fmt, format.bitsPerSample);

    Bytes body;
    PutTag(body, "WAVE");
    const Bytes fmtChunk = MakeChunk("fmt ", fmt);
    const Bytes dataChunk = MakeChunk("data", samples);
    body.insert(body.end(), fmtChunk.begin(), fmtChunk.end());
    body.insert(body.end(), dataChunk.begin(), dataChunk.end());
    body.insert(body.end(), furtherChunks.begin(), furtherChunks.end());
    return MakeChunk("RIFF", body);
}

} // namespace nereku_resources
