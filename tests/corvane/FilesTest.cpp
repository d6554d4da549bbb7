#include "corvane/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

std::wstring Wide(const fs::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return WidenPath(path.c_str());
#endif
}

std::string ReadAll(const std::wstring& path) {
    FILE* file = OpenFile(path.c_str(), L"rb");
    if (file == nullptr) {
        return "<cannot open>";
    }
    std::string bytes;
    char chunk[256];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    std::fclose(file);
    return bytes;
}

bool Write(const std::wstring& path, const std::string& bytes) {
    return WriteFileAtomically(path.c_str(), bytes.data(), bytes.size());
}

// Each test works in a fresh folder of its own under the system's temporary
// folder, and looks at every name in it afterwards: no temporary file may stay.
class Files : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("corvane-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                  std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    std::wstring PathOf(const fs::path& name) const { return Wide(folder / name); }

    std::vector<std::wstring> FolderContents() const {
        std::vector<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(Wide(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
};

using NameList = std::vector<std::wstring>;

} // namespace

TEST_F(Files, AtomicWriteCreatesAndReplaces) {
    const std::wstring path = PathOf("Easy.lvl");
    ASSERT_TRUE(Write(path, std::string(972, '\x01')));
    EXPECT_EQ(ReadAll(path), std::string(972, '\x01'));
    ASSERT_TRUE(Write(path, std::string("new\0bytes", 9)));
    EXPECT_EQ(ReadAll(path), std::string("new\0bytes", 9));
    ASSERT_TRUE(Write(path, ""));
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_EQ(FolderContents(), NameList{L"Easy.lvl"});

    EXPECT_FALSE(WriteFileAtomically(path.c_str(), nullptr, 3));
    EXPECT_FALSE(WriteFileAtomically(nullptr, "x", 1));
    EXPECT_FALSE(WriteFileAtomically(L"", "x", 1));
}

TEST_F(Files, WriteIntoMissingFolderFailsAndLeavesNothing) {
    const std::wstring path = PathOf(fs::path("Missing") / "Easy.lvl");
    EXPECT_FALSE(Write(path, "data"));
    EXPECT_FALSE(FileExists(path.c_str()));
    EXPECT_EQ(FolderContents(), NameList{});
}

// A target that cannot be replaced (here a folder, which stops even an
// administrator) leaves the target as it was and no temporary file behind.
TEST_F(Files, FailedReplaceLeavesTargetAndNoTemporary) {
    fs::create_directory(folder / "Levels");
    const std::wstring kept = PathOf(fs::path("Levels") / "Kept.lvl");
    ASSERT_TRUE(Write(kept, "kept"));
    EXPECT_FALSE(Write(PathOf("Levels"), "new"));
    EXPECT_TRUE(DirectoryExists(PathOf("Levels").c_str()));
    EXPECT_EQ(ReadAll(kept), "kept");
    EXPECT_EQ(FolderContents(), NameList{L"Levels"});
}

#ifndef _WIN32
// A write that fails halfway (the file size limit, which binds root too)
// keeps the old file.
TEST_F(Files, FailedWriteKeepsOldFile) {
    const std::wstring path = PathOf("Easy.lvl");
    ASSERT_TRUE(Write(path, "old"));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = Write(path, std::string(65536, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(FolderContents(), NameList{L"Easy.lvl"});
}

// A name whose bytes are no UTF-8 reaches the same file through WidenPath.
TEST_F(Files, PathWithInvalidUtf8BytesFindsItsFile) {
    const std::string bytes = (folder / "\xff\xfe-level\xc3.lvl").string();
    FILE* file = std::fopen(bytes.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("raw", file);
    std::fclose(file);
    const std::wstring path = WidenPath(bytes.c_str());
    EXPECT_TRUE(FileExists(path.c_str()));
    EXPECT_EQ(ReadAll(path), "raw");
    ASSERT_TRUE(Write(path, "replaced"));
    EXPECT_EQ(FolderContents().size(), 1u);
}
#endif

TEST_F(Files, NonAsciiNames) {
    const std::wstring name = L"Niveau \u00e9t\u00e9 \u20ac \u041c.lvl";
    const std::wstring path = PathOf("") + name;
    ASSERT_TRUE(Write(path, "level"));
    EXPECT_TRUE(FileExists(path.c_str()));
    EXPECT_EQ(ReadAll(path), "level");
    EXPECT_EQ(FolderContents(), NameList{name});
}

TEST_F(Files, FileAndDirectoryExist) {
    const std::wstring file = PathOf("Easy.lvl");
    ASSERT_TRUE(Write(file, "x"));
    const std::wstring here = PathOf("");
    EXPECT_TRUE(FileExists(file.c_str()));
    EXPECT_FALSE(DirectoryExists(file.c_str()));
    EXPECT_TRUE(DirectoryExists(here.c_str()));
    EXPECT_FALSE(FileExists(here.c_str()));
    const std::wstring missing = PathOf("Hard.lvl");
    EXPECT_FALSE(FileExists(missing.c_str()));
    EXPECT_FALSE(DirectoryExists(missing.c_str()));
    EXPECT_FALSE(FileExists(nullptr));
    EXPECT_FALSE(DirectoryExists(L""));
    EXPECT_EQ(OpenFile(missing.c_str(), L"rb"), nullptr);
}

TEST(PathConversion, Utf8BothWays) {
    const std::wstring wide = L"a\u00e9\u20ac\U0001F600/Levels";
    const std::string utf8 = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80/Levels";
    EXPECT_EQ(NarrowPath(wide.c_str()), utf8);
    EXPECT_EQ(WidenPath(utf8.c_str()), wide);
    EXPECT_EQ(WidenPath(nullptr), L"");
    EXPECT_EQ(NarrowPath(nullptr), "");
    // A lone surrogate that is no escape is no character.
    EXPECT_EQ(NarrowPath(std::wstring(1, static_cast<wchar_t>(0xD800)).c_str()), "\xef\xbf\xbd");
}

TEST(PathConversion, InvalidBytesRoundTrip) {
    const std::wstring escaped = {L'a', static_cast<wchar_t>(0xDCFF), L'z',
                                  static_cast<wchar_t>(0xDCC3)};
    EXPECT_EQ(WidenPath("a\xffz\xc3"), escaped);
    EXPECT_EQ(NarrowPath(escaped.c_str()), "a\xffz\xc3");

    // Overlong forms, surrogates, values past U+10FFFF, cut sequences and
    // stray continuation bytes all come back byte for byte.
    for (const char* bytes : {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80",
                              "\xf5\x80", "\xe2\x82", "\x80\xbf", "\xf0\x9f\x98"}) {
        const std::wstring widened = WidenPath(bytes);
        EXPECT_EQ(widened.size(), std::string(bytes).size()) << bytes;
        EXPECT_EQ(NarrowPath(widened.c_str()), bytes);
    }
    // Every pair of bytes.
    for (int first = 1; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const char bytes[] = {static_cast<char>(first), static_cast<char>(second), 0};
            ASSERT_EQ(NarrowPath(WidenPath(bytes).c_str()), bytes) << first << " " << second;
        }
    }
}
