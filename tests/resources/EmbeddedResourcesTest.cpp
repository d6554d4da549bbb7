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
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    if (data == nullptr)
        return {};
    return Bytes(data, data + SizeofResource(nullptr, found));
}

// This program's version block, as the system reads it from the file.
std::vector<std::uint8_t> OwnVersionBlock() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<std::uint8_t> block(GetFileVersionInfoSizeW(path, &ignored));
    if (block.empty() ||
        !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()))
        block.clear();
    return block;
}

const void* VersionValue(std::vector<std::uint8_t>& block, const wchar_t* query) {
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !VerQueryValueW(block.data(), query, &value, &length) || length == 0)
        return nullptr;
    return value;
}

std::wstring VersionString(std::vector<std::uint8_t>& block, const std::wstring& name) {
    const std::wstring query = L"\\StringFileInfo\\040904B0\\" + name;
    const void* value = VersionValue(block, query.c_str());
    return value == nullptr ? std::wstring() : static_cast<const wchar_t*>(value);
}

} // namespace

TEST(EmbeddedResources, PicturesAreFoundUnderTheTypeNameInAnyCase) {
    const char* files[] = {"NewLevel.bmp",   "RestartLevel.bmp", "SaveLevel.bmp", "DeleteLevel.bmp",
                           "SolveLevel.png", "LevelEditor.bmp",  "Help.bmp",      "About.bmp"};
    for (int id = 102; id <= 109; ++id) {
        SCOPED_TRACE(id);
        const Bytes picture = EmbeddedResource(id, L"Picture");
        EXPECT_TRUE(picture == ReadFile(ResourcesDir() + "/pictures/" + files[id - 102]));
        EXPECT_TRUE(picture == EmbeddedResource(id, L"PICTURE"));
        EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"Picture"), nullptr);
    }
}

TEST(EmbeddedResources, SoundsAreWaveResources) {
    EXPECT_TRUE(EmbeddedResource(110, L"WAVE") == ReadFile(ResourcesDir() + "/sounds/Click.wav"));
    EXPECT_TRUE(EmbeddedResource(111, L"WAVE") == ReadFile(ResourcesDir() + "/sounds/Success.wav"));
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

TEST(EmbeddedResources, ManifestIsResourceOne) {
    EXPECT_TRUE(EmbeddedResource(1, MAKEINTRESOURCEW(24)) ==
                ReadFile(ResourcesDir() + "/NerekuSudoku.manifest"));
}

TEST(EmbeddedResources, VersionBlockDescribesTheProduct) {
    std::vector<std::uint8_t> block = OwnVersionBlock();
    ASSERT_FALSE(block.empty());

    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(VersionValue(block, L"\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u); // 0.1
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u); // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const auto* translation =
        static_cast<const WORD*>(VersionValue(block, L"\\VarFileInfo\\Translation"));
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation[0], kUsEnglish);
    EXPECT_EQ(translation[1], 1200); // Unicode

    EXPECT_EQ(VersionString(block, L"CompanyName"), L"Quorvia");
    EXPECT_EQ(VersionString(block, L"FileDescription"), L"Nereku Sudoku");
    EXPECT_EQ(VersionString(block, L"InternalName"), L"Nereku Sudoku");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Nereku Sudoku");
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Nereku Sudoku.exe");
    const std::wstring fileVersion = VersionString(block, L"FileVersion");
    EXPECT_EQ(fileVersion.substr(0, 7), L"v1.00 (");
    EXPECT_EQ(fileVersion.back(), L')');
    EXPECT_EQ(VersionString(block, L"ProductVersion"), fileVersion);
}
