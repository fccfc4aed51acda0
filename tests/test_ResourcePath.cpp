// The case-insensitive resource path resolver on a real folder tree with mixed-case names.
#include "CVKT_ResourcePath.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace
{
class ResourcePathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::MakeDirs(dir / "Resource/Graphics");
        test::MakeDirs(dir / "Resource/Sound");
        test::WriteFile(dir / "Resource/Graphics/OxM_Font2.png", "font");
        test::WriteFile(dir / "Resource/settings.xml", "<root/>");
    }
    test::ScopedTempDir dir;
};
} // namespace

TEST_F(ResourcePathTest, EveryComponentMatchesIgnoringCase)
{
    test::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/graphics/oxm_font2.PNG"),
              "Resource/Graphics/OxM_Font2.png");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("Resource/Graphics/OxM_Font2.png"),
              "Resource/Graphics/OxM_Font2.png");
    EXPECT_EQ(CVKT_ResourcePath::Resolve(dir / "RESOURCE/SETTINGS.XML"), dir / "Resource/settings.xml");
}

TEST_F(ResourcePathTest, AMissingFileKeepsItsNameInTheResolvedFolder)
{
    test::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/sound/New.wav"), "Resource/Sound/New.wav");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/nowhere/x.png"), "Resource/nowhere/x.png");
}

TEST_F(ResourcePathTest, AnExactMatchWinsOverOtherCaseVariants)
{
    test::WriteFile(dir / "Resource/settings.XML", "other");
    test::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("Resource/settings.XML"), "Resource/settings.XML");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("Resource/settings.xml"), "Resource/settings.xml");
    // Neither spelling given: the first in byte order.
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/SETTINGS.xml"), "Resource/settings.XML");
}

TEST_F(ResourcePathTest, OpenWritesOverTheExistingFileWhateverTheCaseGiven)
{
    test::ScopedWorkingDir cwd(dir.Path());
    FILE* file = CVKT_ResourcePath::Open("resource/SETTINGS.xml", "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<new/>", file);
    std::fclose(file);
    EXPECT_EQ(test::ReadFile(dir / "Resource/settings.xml"), "<new/>");
    EXPECT_FALSE(test::FileExists(dir / "resource"));
    EXPECT_EQ(CVKT_ResourcePath::Open(nullptr, "rb"), nullptr);
}

TEST_F(ResourcePathTest, DotComponentsAndTrailingSlashesAreKept)
{
    test::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("./resource/graphics/"), "./Resource/Graphics/");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/../resource/settings.xml"),
              "Resource/../Resource/settings.xml");
    EXPECT_EQ(CVKT_ResourcePath::Resolve(""), "");
}
