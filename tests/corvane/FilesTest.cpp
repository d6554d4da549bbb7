#include "corvane/Files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "FileSizeLimit.h"
#include "TempFolder.h"

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
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        bytes += static_cast<char>(c);
    }
    std::fclose(file);
    return bytes;
}

bool Write(const std::wstring& path, const std::string& bytes) {
    return WriteFileAtomically(path.c_str(), bytes.data(), bytes.size());
}

using Names = std::set<std::wstring>;

// Each test works in a fresh folder of its own, and looks at every name in it
// afterwards: no temporary file may stay.
class Files : public testing::Test {
protected:
    std::wstring PathOf(const fs::path& name) const { return Wide(folder / name); }
    Names Contents() const {
        Names names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(Wide(entry.path().filename()));
        }
        return names;
    }

    const TempFolder temp;
    const fs::path folder = temp.path;
};

} // namespace

TEST_F(Files, AtomicWriteCreatesAndReplacesWhole) {
    const std::wstring name = L"Niveau \u00e9t\u00e9 \u20ac \u041c.lvl";
    const std::wstring path = PathOf("") + name;
    for (const std::string& bytes :
         {std::string(972, '\x01'), std::string("new\0bytes", 9), std::string()}) {
        ASSERT_TRUE(Write(path, bytes));
        EXPECT_EQ(ReadAll(path), bytes);
    }
    EXPECT_EQ(Contents(), Names{name});
    EXPECT_TRUE(FileExists(path.c_str()) && !DirectoryExists(path.c_str()));
    EXPECT_TRUE(DirectoryExists(PathOf("").c_str()) && !FileExists(PathOf("").c_str()));
    EXPECT_FALSE(FileExists(nullptr) || DirectoryExists(L""));
    EXPECT_FALSE(WriteFileAtomically(path.c_str(), nullptr, 3) ||
                 WriteFileAtomically(nullptr, "x", 1) || WriteFileAtomically(L"", "x", 1));
#ifndef _WIN32
    // A name whose bytes are no UTF-8 reaches the same file through WidenPath.
    const std::string bytes = (folder / "\xff\xfe-level\xc3.lvl").string();
    std::FILE* raw = std::fopen(bytes.c_str(), "wb");
    ASSERT_NE(raw, nullptr);
    std::fputs("raw", raw);
    std::fclose(raw);
    EXPECT_EQ(ReadAll(WidenPath(bytes.c_str())), "raw");
    ASSERT_TRUE(Write(WidenPath(bytes.c_str()), "replaced"));
    EXPECT_EQ(Contents().size(), 2u);
#endif
}

// A missing folder, a target that cannot be replaced (a folder, which stops
// even an administrator) and a write that fails halfway (the file size limit,
// which binds root too): the target stays as it was, no temporary file is
// left behind, and each failure keeps the system's reason.
TEST_F(Files, FailedWriteLeavesTargetAndNoTemporary) {
    const std::wstring missing = PathOf(fs::path("Missing") / "Easy.lvl");
    EXPECT_FALSE(Write(missing, "data"));
#ifndef _WIN32
    EXPECT_EQ(LastFileError(), std::strerror(ENOENT));
#endif
    EXPECT_FALSE(FileExists(missing.c_str()) || DirectoryExists(missing.c_str()));
    EXPECT_EQ(OpenFile(missing.c_str(), L"rb"), nullptr);
    EXPECT_NE(LastFileError(), "");

    fs::create_directory(folder / "Levels");
    const std::wstring kept = PathOf(fs::path("Levels") / "Kept.lvl");
    ASSERT_TRUE(Write(kept, "kept"));
    EXPECT_EQ(LastFileError(), "");
    EXPECT_FALSE(Write(PathOf("Levels"), "new"));
    const std::string intoFolder = LastFileError();
    EXPECT_NE(intoFolder, "");
    EXPECT_NE(intoFolder.back(), '.') << "no full stop, no line break";
    EXPECT_TRUE(DirectoryExists(PathOf("Levels").c_str()));
    EXPECT_EQ(ReadAll(kept), "kept");
    EXPECT_EQ(Contents(), Names{L"Levels"});
#ifndef _WIN32
    const bool written =
        WithFileSizeLimit(1024, [&] { return Write(kept, std::string(65536, 'x')); });
    EXPECT_FALSE(written);
    EXPECT_EQ(LastFileError(), std::strerror(EFBIG));
    EXPECT_EQ(ReadAll(kept), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "Levels"), fs::directory_iterator()),
              1);
#endif
}

// Invalid bytes (overlong forms, surrogates, values past U+10FFFF, cut
// sequences, stray continuation bytes) each become one escape and come back
// byte for byte; a lone surrogate that is no escape is no character.
TEST(PathConversion, Utf8AndInvalidBytesRoundTrip) {
    const std::wstring wide = L"a\u00e9\u20ac\U0001F600/Levels";
    const std::string utf8 = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80/Levels";
    EXPECT_EQ(NarrowPath(wide.c_str()), utf8);
    EXPECT_EQ(WidenPath(utf8.c_str()), wide);
    EXPECT_TRUE(WidenPath(nullptr).empty() && NarrowPath(nullptr).empty());
    EXPECT_EQ(NarrowPath(std::wstring(1, static_cast<wchar_t>(0xD800)).c_str()), "\xef\xbf\xbd");

    EXPECT_EQ(WidenPath("a\xffz"), (std::wstring{L'a', static_cast<wchar_t>(0xDCFF), L'z'}));
    for (const char* bytes : {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80",
                              "\xf5\x80", "\xe2\x82", "\x80\xbf", "\xf0\x9f\x98"}) {
        const std::wstring widened = WidenPath(bytes);
        EXPECT_EQ(widened.size(), std::string(bytes).size()) << bytes;
        EXPECT_EQ(NarrowPath(widened.c_str()), bytes);
    }
    for (int first = 1; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const char bytes[] = {static_cast<char>(first), static_cast<char>(second), 0};
            ASSERT_EQ(NarrowPath(WidenPath(bytes).c_str()), bytes) << first << " " << second;
        }
    }
}

// The level list is filled from this listing: only files of the extension,
// in any case, never past the caller's array.
TEST_F(Files, ListsTheFilesOfAFolderNeverPastTheMaximum) {
    ASSERT_TRUE(MakeDirectory(PathOf("folder.lvl").c_str())); // a folder, not a file
    EXPECT_FALSE(MakeDirectory(PathOf("folder.lvl").c_str()));
    ASSERT_TRUE(Write(PathOf("notes.txt"), "x"));
    ASSERT_TRUE(Write(PathOf("UPPER.LVL"), "x"));
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(Write(PathOf("level" + std::to_string(i) + ".lvl"), "x"));
    }
    wchar_t names[20][kFileNameLength];
    for (auto& name : names) {
        std::wcscpy(name, L"untouched");
    }
    EXPECT_EQ(GetFilesFromDir(Wide(folder).c_str(), names, 5, L"*.lvl"), 5);
    EXPECT_STREQ(names[5], L"untouched");
    ASSERT_EQ(GetFilesFromDir(Wide(folder).c_str(), names, 20, L"*.lvl"), 7);
    Names listed(std::begin(names), std::begin(names) + 7);
    EXPECT_EQ(listed.count(L"UPPER.LVL"), 1u);
    EXPECT_EQ(listed.count(L"notes.txt") + listed.count(L"folder.lvl"), 0u);
    EXPECT_EQ(GetFilesFromDir(PathOf("missing").c_str(), names, 20, L"*.lvl"), 0);
    EXPECT_EQ(GetFilesFromDir(Wide(folder).c_str(), names, 0, L"*.lvl"), 0);

    EXPECT_TRUE(RemoveFile(PathOf("notes.txt").c_str()));
    EXPECT_FALSE(RemoveFile(PathOf("notes.txt").c_str()));
    EXPECT_FALSE(RemoveFile(PathOf("folder.lvl").c_str()));
    EXPECT_FALSE(FileExists(PathOf("notes.txt").c_str()));
}
