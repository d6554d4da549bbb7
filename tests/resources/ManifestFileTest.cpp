// The manifest asks for the caller's rights and for nothing else: no common
// controls version, no DPI setting, no list of supported systems.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

using namespace resources_test;

TEST(Manifest, AsksForTheInvokersLevelAndNothingElse) {
    const Bytes bytes = ReadResource("NerekuSudoku.manifest");
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos);
    for (const char* unwanted : {"dependency", "dpiAware", "compatibility"})
        EXPECT_EQ(manifest.find(unwanted), std::string::npos) << unwanted;
}
