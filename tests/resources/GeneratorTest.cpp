// The committed pictures, sounds and icon are exactly what make_resources
// writes today: a change to the generator that is not followed by
// regenerating the files (or the other way round) shows up here.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "TempFolder.h"

#ifdef NEREKU_MAKE_RESOURCES

using namespace resources_test;
namespace fs = std::filesystem;

namespace {

// Runs make_resources in an empty folder, naming that folder as its output
// folder or not, with its messages going to log.txt there; gives back the
// files it wrote into it.
std::set<std::string> RunGenerator(bool nameFolder, const fs::path& folder) {
    const std::string command = "\"" NEREKU_MAKE_RESOURCES "\" " +
                                (nameFolder ? "\"" + folder.string() + "\"" : "") + " > \"" +
                                (folder / "log.txt").string() + "\" 2>&1";
#ifdef _WIN32
    EXPECT_EQ(std::system(("\"" + command + "\"").c_str()) == 0, nameFolder); // cmd strips a pair
#else
    EXPECT_EQ(std::system(command.c_str()) == 0, nameFolder);
#endif
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().filename() != "log.txt")
            files.insert(fs::relative(entry.path(), folder).generic_string());
    return files;
}

} // namespace

TEST(MakeResources, ReproducesTheCommittedFilesByteForByte) {
    const TempFolder temp;
    const fs::path& folder = temp.path;
    std::set<std::string> expected = {"NerekuSudoku.ico", "NerekuSudoku.png", "sounds/Click.wav",
                                      "sounds/Success.wav"};
    for (const std::string picture : kPictureFiles)
        expected.insert("pictures/" + picture);
    EXPECT_EQ(RunGenerator(true, folder), expected);
    for (const std::string& file : expected) {
        EXPECT_TRUE(ReadFile((folder / file).string()) == ReadResource(file))
            << file << " differs; run the regenerate_resources target and commit the result";
    }
}

TEST(MakeResources, WantsExactlyOneFolder) {
    const TempFolder temp;
    EXPECT_EQ(RunGenerator(false, temp.path), std::set<std::string>{}) << "nothing written";
}

#endif
