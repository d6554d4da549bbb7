// Windows only: this test program carries NerekuSudoku.rc itself, so the
// resources are looked up as the game and the system look them up.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace resources_test;

namespace {

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The bytes of a US English resource of this program; empty when missing.
Bytes EmbeddedResource(int id, const wchar_t* type) {
    HRSRC found = FindResourceExW(nullptr, type, MAKEINTRESOURCEW(id), kUsEnglish);
    const auto* data =
        found != nullptr
            ? static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)))
            : nullptr;
    return data != nullptr ? Bytes(data, data + SizeofResource(nullptr, found)) : Bytes();
}

} // namespace

// Pictures under the type name "Picture" in any case, and found without a
// language too; the sounds as WAVE; the manifest as resource 1.
TEST(EmbeddedResources, FilesAreEmbeddedUnderTheirIdsAndTypes) {
    for (int id = 102; id <= 109; ++id) {
        SCOPED_TRACE(id);
        const Bytes picture = EmbeddedResource(id, L"Picture");
        EXPECT_TRUE(picture == ReadResource(std::string("pictures/") + kPictureFiles[id - 102]));
        EXPECT_TRUE(picture == EmbeddedResource(id, L"PICTURE"));
        EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"Picture"), nullptr);
    }
    EXPECT_TRUE(EmbeddedResource(110, L"WAVE") == ReadResource("sounds/Click.wav"));
    EXPECT_TRUE(EmbeddedResource(111, L"WAVE") == ReadResource("sounds/Success.wav"));
    EXPECT_TRUE(EmbeddedResource(1, MAKEINTRESOURCEW(24)) == ReadResource("NerekuSudoku.manifest"));
}

TEST(EmbeddedResources, IconGroup101LoadsAt32By32) {
    EXPECT_EQ(EmbeddedResource(101, MAKEINTRESOURCEW(14)).size(), 20u); // one directory entry
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    EXPECT_NE(GetObjectW(info.hbmColor, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(EmbeddedResources, VersionBlockDescribesTheProduct) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<std::uint8_t> block(GetFileVersionInfoSizeW(path, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
    const auto value = [&block](const std::wstring& query) -> const void* {
        void* found = nullptr;
        UINT length = 0;
        return VerQueryValueW(block.data(), query.c_str(), &found, &length) && length != 0
                   ? found
                   : nullptr;
    };

    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
    ASSERT_NE(fixed, nullptr);
    // File and product version 0.1.0.0, no flags, a program for 32-bit Windows and later.
    EXPECT_EQ(
        (std::vector<DWORD>{fixed->dwSignature, fixed->dwFileVersionMS, fixed->dwFileVersionLS,
                            fixed->dwProductVersionMS, fixed->dwProductVersionLS,
                            fixed->dwFileFlags, fixed->dwFileOS, fixed->dwFileType}),
        (std::vector<DWORD>{0xFEEF04BD, 1, 0, 1, 0, 0, VOS__WINDOWS32, VFT_APP}));

    const auto* translation = static_cast<const WORD*>(value(L"\\VarFileInfo\\Translation"));
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation[0], kUsEnglish);
    EXPECT_EQ(translation[1], 1200); // Unicode

    const auto text = [&value](const wchar_t* name) {
        const void* found = value(std::wstring(L"\\StringFileInfo\\040904B0\\") + name);
        return found != nullptr ? std::wstring(static_cast<const wchar_t*>(found)) : L"<none>";
    };
    EXPECT_EQ(text(L"CompanyName") + L"|" + text(L"FileDescription") + L"|" +
                  text(L"InternalName") + L"|" + text(L"ProductName") + L"|" +
                  text(L"OriginalFilename"),
              L"Quorvia|Nereku Sudoku|Nereku Sudoku|Nereku Sudoku|Nereku Sudoku.exe");
    const std::wstring fileVersion = text(L"FileVersion");
    EXPECT_EQ(fileVersion.substr(0, 7), L"v1.00 (");
    EXPECT_EQ(fileVersion.back(), L')');
    EXPECT_EQ(text(L"ProductVersion"), fileVersion);
}
