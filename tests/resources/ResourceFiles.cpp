#include "ResourceFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace resources_test {

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Bytes ReadResource(const std::string& name) {
    return ReadFile(std::string(NEREKU_RESOURCES_DIR) + "/" + name);
}

namespace {

void Check(bool good, const std::string& what) {
    if (!good)
        throw std::runtime_error(what);
}

} // namespace

std::uint32_t Le16(const Bytes& bytes, size_t at) {
    return bytes.at(at) | static_cast<std::uint32_t>(bytes.at(at + 1)) << 8;
}

std::uint32_t Le32(const Bytes& bytes, size_t at) {
    return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

std::uint32_t Be32(const Bytes& bytes, size_t at) {
    const std::uint32_t swapped = Le32(bytes, at);
    return swapped >> 24 | (swapped >> 8 & 0xFF00) | (swapped << 8 & 0xFF0000) | swapped << 24;
}

std::string Tag(const Bytes& bytes, size_t at) {
    Check(at + 4 <= bytes.size(), "read past the end of the file");
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

// ---- Inflate: the pictures hold one block of fixed Huffman codes.

namespace {

std::uint32_t Crc32(const std::uint8_t* data, size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

Bytes Inflate(const Bytes& zlib) {
    Check(zlib.size() >= 6 && (zlib[0] & 0x0F) == 8 && ((zlib[0] << 8) | zlib[1]) % 31 == 0 &&
              (zlib[1] & 0x20) == 0,
          "bad zlib header");
    size_t bit = 16; // after the header
    // Numbers arrive least significant bit first, Huffman codes most significant first.
    const auto number = [&](int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++bit)
            value |= static_cast<std::uint32_t>(zlib.at(bit / 8) >> bit % 8 & 1) << i;
        return value;
    };
    const auto code = [&](std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            value = value << 1 | number(1);
        return value;
    };
    // A literal byte (0-255), the end of the block (256) or a length code.
    const auto symbol = [&]() -> std::uint32_t {
        const std::uint32_t seven = code(0, 7);
        if (seven <= 0x17)
            return 256 + seven;
        const std::uint32_t eight = code(seven, 1);
        return eight <= 0xBF   ? eight - 0x30
               : eight <= 0xC7 ? 280 + eight - 0xC0
                               : code(eight, 1) - 0x100;
    };
    Check(number(3) == 3, "not one last block of fixed Huffman codes");
    Bytes out;
    for (std::uint32_t next = symbol(); next != 256; next = symbol()) {
        if (next < 256) {
            out.push_back(static_cast<std::uint8_t>(next));
            continue;
        }
        // Base values and extra bits of lengths and distances, as deflate counts them.
        const std::uint32_t c = next - 257; // the length code
        Check(c <= 28, "bad length code");
        const int lengthExtra = (c < 8 || c == 28) ? 0 : static_cast<int>(c / 4 - 1);
        size_t length = c < 8 ? 3 + c : c == 28 ? 258 : ((4 + c % 4) << lengthExtra) + 3;
        length += number(lengthExtra);
        const std::uint32_t d = code(0, 5); // the distance code
        Check(d <= 29, "bad distance code");
        const int distanceExtra = d < 4 ? 0 : static_cast<int>(d / 2 - 1);
        size_t distance = d < 4 ? d + 1 : ((2 + d % 2) << distanceExtra) + 1;
        distance += number(distanceExtra);
        Check(distance <= out.size(), "distance before the start");
        for (size_t i = 0; i < length; ++i)
            out.push_back(out[out.size() - distance]);
    }
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : out) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    const size_t end = (bit + 7) / 8;
    Check(Be32(zlib, end) == (b << 16 | a), "Adler-32 mismatch");
    Check(end + 4 == zlib.size(), "bytes after the zlib stream");
    return out;
}

} // namespace

// ---- Pictures.

Image DecodeBmp(const Bytes& file) {
    Check(Tag(file, 0).substr(0, 2) == "BM" && Le32(file, 14) == 40 && Le16(file, 28) == 24 &&
              Le32(file, 30) == 0,
          "not an uncompressed 24-bit bitmap");
    Image image;
    image.width = static_cast<int>(Le32(file, 18));
    image.height = static_cast<int>(Le32(file, 22));
    const size_t rowBytes = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    const size_t start = Le32(file, 10);
    Check(start + rowBytes * static_cast<size_t>(image.height) <= file.size(), "too short");
    for (int y = 0; y < image.height; ++y) {
        const size_t row = start + rowBytes * static_cast<size_t>(image.height - 1 - y);
        for (size_t at = row; at < row + 3 * static_cast<size_t>(image.width); at += 3)
            image.pixels.push_back({file[at + 2], file[at + 1], file[at], 255});
    }
    return image;
}

Image DecodePng(const Bytes& file) {
    Check(Be32(file, 0) == 0x89504E47 && Be32(file, 4) == 0x0D0A1A0A && Tag(file, 12) == "IHDR",
          "no PNG signature and header chunk");
    Image image;
    Bytes compressed;
    std::string type;
    for (size_t at = 8; at < file.size(); at += 12 + Be32(file, at)) {
        const std::uint32_t length = Be32(file, at);
        type = Tag(file, at + 4);
        Check(at + 12 + length <= file.size(), "chunk " + type + " too long");
        Check(Crc32(file.data() + at + 4, length + 4) == Be32(file, at + 8 + length),
              "bad CRC in chunk " + type);
        if (type == "IHDR") {
            image.width = static_cast<int>(Be32(file, at + 8));
            image.height = static_cast<int>(Be32(file, at + 12));
            Check(length == 13 && file[at + 16] == 8 && file[at + 17] == 6 && file[at + 20] == 0,
                  "not 8-bit RGBA without interlacing");
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                              file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
    }
    Check(type == "IEND" && Be32(file, file.size() - 12) == 0, "no empty end chunk last");
    const Bytes raw = Inflate(compressed);
    const size_t stride = static_cast<size_t>(image.width) * 4 + 1; // a filter type first
    Check(raw.size() == stride * static_cast<size_t>(image.height), "wrong amount of image data");
    for (size_t row = 0; row < raw.size(); row += stride) {
        Check(raw[row] == 0, "filter type not read by the test");
        for (size_t x = row + 1; x < row + stride; x += 4)
            image.pixels.push_back({raw[x], raw[x + 1], raw[x + 2], raw[x + 3]});
    }
    return image;
}

std::vector<Chunk> RiffChunks(const Bytes& file) {
    std::vector<Chunk> chunks;
    for (size_t at = 12; at < file.size();) {
        const Chunk chunk{Tag(file, at), at + 8, Le32(file, at + 4)};
        Check(chunk.offset + chunk.size <= file.size(), "chunk " + chunk.id + " too long");
        chunks.push_back(chunk);
        at = chunk.offset + chunk.size + chunk.size % 2;
    }
    return chunks;
}

} // namespace resources_test
