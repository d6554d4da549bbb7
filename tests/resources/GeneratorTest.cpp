// The committed pictures, sounds and icon are exactly what make_resources
// writes today: a change to the generator that is not followed by
// regenerating the files (or the other way round) shows up here.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#ifdef NEREKU_MAKE_RESOURCES

using namespace resources_test;
namespace fs = std::filesystem;

namespace {

// Every file below a folder, by its path relative to it.
std::set<std::string> FilesBelow(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), root).generic_string());
    return files;
}

} // namespace

TEST(MakeResources, ReproducesTheCommittedFilesByteForByte) {
    const std::string dir = MakeTempDir("nereku_make_resources");
    const std::string output = dir + "/out";
    ASSERT_EQ(RunProgram({NEREKU_MAKE_RESOURCES, output}, dir + "/log.txt"), 0);

    const std::set<std::string> expected = {
        "NerekuSudoku.ico",          "pictures/About.bmp",       "pictures/DeleteLevel.bmp",
        "pictures/Help.bmp",         "pictures/LevelEditor.bmp", "pictures/NewLevel.bmp",
        "pictures/RestartLevel.bmp", "pictures/SaveLevel.bmp",   "pictures/SolveLevel.png",
        "sounds/Click.wav",          "sounds/Success.wav",
    };
    EXPECT_EQ(FilesBelow(output), expected);
    for (const std::string& file : expected) {
        const Bytes fresh = ReadFile(output + "/" + file);
        const Bytes committed = ReadFile(ResourcesDir() + "/" + file);
        ASSERT_FALSE(committed.empty()) << file;
        EXPECT_TRUE(fresh == committed)
            << file << " differs; run the regenerate_resources target and commit the result";
    }
    fs::remove_all(dir);
}

TEST(MakeResources, WantsExactlyOneFolder) {
    const std::string dir = MakeTempDir("nereku_make_resources");
    EXPECT_NE(RunProgram({NEREKU_MAKE_RESOURCES}, dir + "/log.txt"), 0);
    EXPECT_EQ(FilesBelow(dir), std::set<std::string>{"log.txt"}) << "nothing written";
    fs::remove_all(dir);
}

#endif
