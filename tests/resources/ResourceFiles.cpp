#include "ResourceFiles.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace resources_test {

std::string ResourcesDir() {
    return NEREKU_RESOURCES_DIR;
}

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string MakeTempDir(const std::string& stem) {
    namespace fs = std::filesystem;
    static int counter = 0;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        const fs::path dir = fs::temp_directory_path() /
                             (stem + "_" + std::to_string(now) + "_" + std::to_string(++counter));
        if (fs::create_directories(dir))
            return dir.string();
    }
}

int RunProgram(const std::vector<std::string>& commandLine, const std::string& outputFile) {
    std::string command;
    for (const std::string& argument : commandLine)
        command += "\"" + argument + "\" ";
    command += "> \"" + outputFile + "\" 2>&1";
#ifdef _WIN32
    command = "\"" + command + "\""; // cmd.exe strips the outer pair
#endif
    return std::system(command.c_str());
}

namespace {

void Need(const Bytes& bytes, size_t end) {
    if (end > bytes.size())
        throw std::out_of_range("read past the end of the file");
}

} // namespace

std::uint32_t Le16(const Bytes& bytes, size_t at) {
    Need(bytes, at + 2);
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Le32(const Bytes& bytes, size_t at) {
    return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

std::uint32_t Be32(const Bytes& bytes, size_t at) {
    Need(bytes, at + 4);
    return static_cast<std::uint32_t>(bytes[at]) << 24 |
           static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

std::string Tag(const Bytes& bytes, size_t at) {
    Need(bytes, at + 4);
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

std::uint32_t Crc32(const std::uint8_t* data, size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// ---- Inflate, stored and fixed-Huffman blocks only.

namespace {

class BitReader {
public:
    BitReader(const Bytes& bytes_, size_t start) : bytes(bytes_), position(start) {}

    std::uint32_t Bits(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            Need(bytes, position + 1);
            value |= static_cast<std::uint32_t>((bytes[position] >> bit) & 1) << i;
            if (++bit == 8) {
                bit = 0;
                ++position;
            }
        }
        return value;
    }

    // Huffman codes arrive most significant bit first.
    std::uint32_t Code(std::uint32_t code, int count) {
        for (int i = 0; i < count; ++i)
            code = code << 1 | Bits(1);
        return code;
    }

    void AlignToByte() {
        if (bit != 0) {
            bit = 0;
            ++position;
        }
    }

    size_t Position() const { return position; }
    void Skip(size_t count) { position += count; }

private:
    const Bytes& bytes;
    size_t position;
    int bit = 0;
};

int FixedLiteralOrLength(BitReader& in) {
    std::uint32_t code = in.Code(0, 7);
    if (code <= 23)
        return static_cast<int>(256 + code);
    code = in.Code(code, 1);
    if (code >= 0x30 && code <= 0xBF)
        return static_cast<int>(code - 0x30);
    if (code >= 0xC0 && code <= 0xC7)
        return static_cast<int>(280 + code - 0xC0);
    code = in.Code(code, 1);
    if (code >= 0x190 && code <= 0x1FF)
        return static_cast<int>(144 + code - 0x190);
    throw std::runtime_error("bad fixed Huffman code");
}

void InflateFixed(BitReader& in, Bytes& out) {
    static const int lengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                     15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                     67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int distanceBase[] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    for (;;) {
        const int symbol = FixedLiteralOrLength(in);
        if (symbol < 256) {
            out.push_back(static_cast<std::uint8_t>(symbol));
            continue;
        }
        if (symbol == 256)
            return;
        const int lengthCode = symbol - 257;
        if (lengthCode > 28)
            throw std::runtime_error("bad length code");
        const int lengthExtra = (lengthCode < 8 || lengthCode == 28) ? 0 : (lengthCode - 4) / 4;
        const size_t length = static_cast<size_t>(lengthBase[lengthCode]) + in.Bits(lengthExtra);
        const std::uint32_t distanceCode = in.Code(0, 5);
        if (distanceCode > 29)
            throw std::runtime_error("bad distance code");
        const int distanceExtra = distanceCode < 4 ? 0 : static_cast<int>(distanceCode) / 2 - 1;
        const size_t distance =
            static_cast<size_t>(distanceBase[distanceCode]) + in.Bits(distanceExtra);
        if (distance > out.size())
            throw std::runtime_error("distance before the start");
        for (size_t i = 0; i < length; ++i)
            out.push_back(out[out.size() - distance]);
    }
}

} // namespace

Bytes Inflate(const Bytes& zlib) {
    if (zlib.size() < 6 || (zlib[0] & 0x0F) != 8 || ((zlib[0] << 8) | zlib[1]) % 31 != 0 ||
        (zlib[1] & 0x20) != 0)
        throw std::runtime_error("bad zlib header");
    BitReader in(zlib, 2);
    Bytes out;
    bool last = false;
    while (!last) {
        last = in.Bits(1) == 1;
        const std::uint32_t type = in.Bits(2);
        if (type == 0) {
            in.AlignToByte();
            const std::uint32_t length = Le16(zlib, in.Position());
            if ((length ^ Le16(zlib, in.Position() + 2)) != 0xFFFF)
                throw std::runtime_error("bad stored block length");
            in.Skip(4);
            Need(zlib, in.Position() + length);
            out.insert(out.end(), zlib.begin() + static_cast<std::ptrdiff_t>(in.Position()),
                       zlib.begin() + static_cast<std::ptrdiff_t>(in.Position() + length));
            in.Skip(length);
        } else if (type == 1) {
            InflateFixed(in, out);
        } else {
            throw std::runtime_error("block type not read by the test");
        }
    }
    in.AlignToByte();
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : out) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    if (Be32(zlib, in.Position()) != (b << 16 | a))
        throw std::runtime_error("Adler-32 mismatch");
    if (in.Position() + 4 != zlib.size())
        throw std::runtime_error("bytes after the zlib stream");
    return out;
}

// ---- Pictures.

Image DecodeBmp(const Bytes& file) {
    if (Tag(file, 0).substr(0, 2) != "BM" || Le32(file, 14) != 40 || Le16(file, 28) != 24 ||
        Le32(file, 30) != 0)
        throw std::runtime_error("not an uncompressed 24-bit bitmap");
    Image image;
    image.width = static_cast<int>(Le32(file, 18));
    image.height = static_cast<int>(Le32(file, 22));
    const size_t rowBytes = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    const size_t start = Le32(file, 10);
    Need(file, start + rowBytes * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const size_t row = start + rowBytes * static_cast<size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const size_t at = row + 3 * static_cast<size_t>(x);
            image.pixels.push_back({file[at + 2], file[at + 1], file[at], 255});
        }
    }
    return image;
}

Image DecodePng(const Bytes& file) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature.begin(), signature.end(), file.begin()))
        throw std::runtime_error("no PNG signature");
    Image image;
    Bytes compressed;
    for (size_t at = 8; at < file.size();) {
        const std::uint32_t length = Be32(file, at);
        const std::string type = Tag(file, at + 4);
        Need(file, at + 12 + length);
        if (Crc32(file.data() + at + 4, length + 4) != Be32(file, at + 8 + length))
            throw std::runtime_error("bad CRC in chunk " + type);
        if (type == "IHDR") {
            image.width = static_cast<int>(Be32(file, at + 8));
            image.height = static_cast<int>(Be32(file, at + 12));
            if (file[at + 16] != 8 || file[at + 17] != 6 || file[at + 20] != 0)
                throw std::runtime_error("not 8-bit RGBA without interlacing");
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), file.begin() + static_cast<std::ptrdiff_t>(at + 8),
                              file.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    const Bytes raw = Inflate(compressed);
    const size_t stride = static_cast<size_t>(image.width) * 4;
    if (raw.size() != (stride + 1) * static_cast<size_t>(image.height))
        throw std::runtime_error("wrong amount of image data");
    // Each row starts with its filter type; the pictures use none.
    for (int y = 0; y < image.height; ++y) {
        const size_t row = static_cast<size_t>(y) * (stride + 1);
        if (raw[row] != 0)
            throw std::runtime_error("filter type not read by the test");
        for (size_t x = row + 1; x < row + 1 + stride; x += 4)
            image.pixels.push_back({raw[x], raw[x + 1], raw[x + 2], raw[x + 3]});
    }
    return image;
}

std::vector<Chunk> RiffChunks(const Bytes& file) {
    std::vector<Chunk> chunks;
    for (size_t at = 12; at < file.size();) {
        Chunk chunk{Tag(file, at), at + 8, Le32(file, at + 4)};
        Need(file, chunk.offset + chunk.size);
        chunks.push_back(chunk);
        at = chunk.offset + chunk.size + chunk.size % 2;
    }
    return chunks;
}

} // namespace resources_test
