// The case-insensitive resource path resolver on a real folder tree with mixed-case names.
#include "CVKT_ResourcePath.h"

#include "Files.h"
#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"

#include <gtest/gtest.h>

namespace
{
class ResourcePathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        headless::MakeDirs(dir / "Resource/Graphics");
        headless::MakeDirs(dir / "Resource/Sound");
        headless::WriteFile(dir / "Resource/Graphics/OxM_Font2.png", "font");
        headless::WriteFile(dir / "Resource/settings.xml", "<root/>");
    }
    headless::ScopedTempDir dir;
};
} // namespace

TEST_F(ResourcePathTest, EveryComponentMatchesIgnoringCase)
{
    headless::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/graphics/oxm_font2.PNG"),
              "Resource/Graphics/OxM_Font2.png");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("Resource/Graphics/OxM_Font2.png"),
              "Resource/Graphics/OxM_Font2.png");
    EXPECT_EQ(CVKT_ResourcePath::Resolve(dir / "RESOURCE/SETTINGS.XML"), dir / "Resource/settings.xml");
}

TEST_F(ResourcePathTest, AMissingFileKeepsItsNameInTheResolvedFolder)
{
    headless::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/sound/New.wav"), "Resource/Sound/New.wav");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/nowhere/x.png"), "Resource/nowhere/x.png");
}

TEST_F(ResourcePathTest, AnExactMatchWinsOverOtherCaseVariants)
{
    headless::WriteFile(dir / "Resource/settings.XML", "other");
    headless::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("Resource/settings.XML"), "Resource/settings.XML");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("Resource/settings.xml"), "Resource/settings.xml");
    // Neither spelling given: the first in byte order.
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/SETTINGS.xml"), "Resource/settings.XML");
}

TEST_F(ResourcePathTest, OpenWritesOverTheExistingFileWhateverTheCaseGiven)
{
    headless::ScopedWorkingDir cwd(dir.Path());
    FILE* file = CVKT_ResourcePath::Open("resource/SETTINGS.xml", "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<new/>", file);
    std::fclose(file);
    EXPECT_EQ(headless::ReadFile(dir / "Resource/settings.xml"), "<new/>");
    EXPECT_FALSE(headless::FileExists(dir / "resource"));
    EXPECT_EQ(CVKT_ResourcePath::Open(nullptr, "rb"), nullptr);
}

TEST_F(ResourcePathTest, DotComponentsAndTrailingSlashesAreKept)
{
    headless::ScopedWorkingDir cwd(dir.Path());
    EXPECT_EQ(CVKT_ResourcePath::Resolve("./resource/graphics/"), "./Resource/Graphics/");
    EXPECT_EQ(CVKT_ResourcePath::Resolve("resource/../resource/settings.xml"),
              "Resource/../Resource/settings.xml");
    EXPECT_EQ(CVKT_ResourcePath::Resolve(""), "");
}
