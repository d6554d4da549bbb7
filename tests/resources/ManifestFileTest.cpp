// The manifest asks for the caller's rights and for nothing else: no common
// controls version, no DPI setting, no list of supported systems.

#include "ResourceFiles.h"

#include <gtest/gtest.h>

using namespace resources_test;

TEST(Manifest, AsksForTheInvokersLevelAndNothingElse) {
    const Bytes bytes = ReadFile(ResourcesDir() + "/NerekuSudoku.manifest");
    const std::string manifest(bytes.begin(), bytes.end());
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos);
    EXPECT_EQ(manifest.find("dependency"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
    EXPECT_EQ(manifest.find("compatibility"), std::string::npos);
}
