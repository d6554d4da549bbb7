#include "ToolRunner.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

// One argument, quoted for the shell that std::system starts.
std::string Quoted(const std::string& argument) {
#ifdef _WIN32
    return "\"" + argument + "\"";
#else
    std::string quoted = "'";
    for (char ch : argument) {
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    }
    return quoted + "'";
#endif
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

} // namespace

ToolResult RunTool(const std::vector<std::string>& arguments) {
    TempFolder captures;
    const std::string outPath = captures.File("stdout.txt");
    const std::string errPath = captures.File("stderr.txt");
    std::string command = Quoted(NEREKU_TOOL_PATH);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    command += " >" + Quoted(outPath) + " 2>" + Quoted(errPath);
#ifdef _WIN32
    command = "\"" + command + "\""; // cmd /c drops the outer pair of quotes
#endif
    const int status = std::system(command.c_str());
    ToolResult result;
#ifdef _WIN32
    result.exitCode = status;
#else
    result.exitCode = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
#endif
    result.out = ReadText(outPath);
    result.err = ReadText(errPath);
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TempFolder::TempFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test != nullptr ? test->name() : "run";
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        folder = std::filesystem::temp_directory_path() /
                 ("nereku-tool-" + name + "-" + std::to_string(entropy()));
        if (std::filesystem::create_directory(folder)) {
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string TempFolder::File(const std::string& name) const {
    return (folder / name).string();
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream stream(path, std::ios::binary);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    if (!stream.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    const std::string text = ReadText(path);
    return std::vector<unsigned char>(text.begin(), text.end());
}

std::vector<unsigned char> LevelImage(const std::string& digits) {
    std::vector<unsigned char> level(kGridFileSize, 0);
    for (int square = 0; square < kSquareCount; ++square) {
        const char ch = digits.at(static_cast<size_t>(square));
        const bool given = ch >= '1' && ch <= '9';
        level[FixedOffset(square)] = given ? 1 : 0;
        level[NumberOffset(square)] = given ? static_cast<unsigned char>(ch - '0') : 0;
        for (int d = 1; d <= kDigitCount; ++d) {
            level[NumberOffset(square) + d] = (!given || ch - '0' == d) ? 1 : 0;
        }
    }
    return level;
}

void PlaceSign(std::vector<unsigned char>& level, int smaller, int greater) {
    EdgeMask fromSmaller = 0; // the smaller square's own half of the sign
    EdgeMask fromGreater = 0;
    switch (greater - smaller) {
    case 1:
        fromSmaller = kRightSmaller, fromGreater = kLeftGreater;
        break;
    case -1:
        fromSmaller = kLeftSmaller, fromGreater = kRightGreater;
        break;
    case 9:
        fromSmaller = kDownSmaller, fromGreater = kUpGreater;
        break;
    case -9:
        fromSmaller = kUpSmaller, fromGreater = kDownGreater;
        break;
    default:
        throw std::invalid_argument("the squares are no neighbours");
    }
    level[static_cast<size_t>(smaller)] |= fromSmaller;
    level[static_cast<size_t>(greater)] |= fromGreater;
}
