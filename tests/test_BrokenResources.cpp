// The game with its Resource folder emptied, filled with garbage or cut short: it starts, reports
// each failure once, and can be played from the logo through a game and the pause menu to the exit
// item without a crash (AddressSanitizer and UndefinedBehaviorSanitizer watch every step).
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CPauseState.h"
#include "CVKT_MessageBox.h"
#include "IGameState.h"

#include "Files.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
enum class eDamage
{
    Removed,
    Garbage,
    CutShort,
};

// Every file the build generated, as paths relative to the build folder ("Resource/...").
std::vector<std::string> GeneratedFiles()
{
    std::vector<std::string> files;
    const fs::path root = fs::path(headless::BuildDir()) / "Resource";
    for (const auto& entry : fs::recursive_directory_iterator(root))
    {
        if (entry.is_regular_file() && entry.path().filename() != "settings.xml" &&
            entry.path().extension() != ".stamp")
            files.push_back(fs::relative(entry.path(), headless::BuildDir()).string());
    }
    return files;
}

// A Resource folder with every generated file damaged the given way.
void MakeDamagedResources(const std::string& folder, eDamage damage)
{
    std::mt19937 random(12345);
    for (const std::string& file : GeneratedFiles())
    {
        const fs::path target = fs::path(folder) / file;
        fs::create_directories(target.parent_path());
        if (damage == eDamage::Removed)
            continue;
        std::string bytes = headless::ReadFile(headless::BuildDir() + "/" + file);
        if (damage == eDamage::CutShort)
            bytes.resize(bytes.size() / 3);
        else
            for (char& byte : bytes)
                byte = static_cast<char>(random());
        headless::WriteFile(target.string(), bytes);
    }
}

class BrokenResourcesTest : public ::testing::TestWithParam<eDamage>
{
protected:
    void SetUp() override
    {
        MakeDamagedResources(dir.Path(), GetParam());
        CVKT_MessageBox::SetListener([this](const std::string& title, const std::string& text)
                                     { ++reports[title + "|" + text]; });
        headless::HeadlessGame::Options options;
        options.resourceDir = dir / "Resource";
        options.startTick = 1000;
        game = std::make_unique<headless::HeadlessGame>(options);
    }

    void TearDown() override
    {
        game.reset();
        CVKT_MessageBox::SetListener({});
    }

    bool Frame(uint32_t milliseconds = 16) { return game->Frame(milliseconds); }

    bool Tap(SDL_Scancode key)
    {
        headless::PushKey(key, true);
        const bool down = Frame();
        headless::PushKey(key, false);
        return Frame() && down;
    }

    IGameState* Top() const { return game->Top(); }

    bool Reported(const std::string& entry) const { return reports.count(entry) == 1; }

    headless::ScopedTempDir dir;
    std::map<std::string, int> reports;
    std::unique_ptr<headless::HeadlessGame> game;
};
} // namespace

TEST_P(BrokenResourcesTest, TheGameIsPlayableToTheExitItem)
{
    // The logo fades out by itself even with nothing to show.
    for (int i = 0; i < 14 * 60 && Top() != CMainMenuState::GetInstance(); ++i)
        ASSERT_TRUE(Frame());
    ASSERT_EQ(Top(), CMainMenuState::GetInstance());

    // New game: the story, then play.
    ASSERT_TRUE(Tap(SDL_SCANCODE_RETURN));
    for (int i = 0; i < 12 && Top() != CGamePlayState::GetInstance(); ++i)
        ASSERT_TRUE(Tap(SDL_SCANCODE_SPACE));
    ASSERT_EQ(Top(), CGamePlayState::GetInstance());

    headless::PushKey(SDL_SCANCODE_SPACE, true);
    headless::PushKey(SDL_SCANCODE_LEFT, true);
    for (int i = 0; i < 5 * 60; ++i)
        ASSERT_TRUE(Frame());
    headless::PushKey(SDL_SCANCODE_LEFT, false);
    headless::PushKey(SDL_SCANCODE_SPACE, false);
    ASSERT_TRUE(Tap(SDL_SCANCODE_3)); // the third level's pictures are broken as well
    for (int i = 0; i < 2 * 60; ++i)
        ASSERT_TRUE(Frame());

    // Pause, quit to the menu, choose the exit item.
    ASSERT_TRUE(Tap(SDL_SCANCODE_ESCAPE));
    ASSERT_EQ(Top(), CPauseState::GetInstance());
    ASSERT_TRUE(Tap(SDL_SCANCODE_DOWN));
    ASSERT_TRUE(Tap(SDL_SCANCODE_RETURN));
    ASSERT_EQ(Top(), CMainMenuState::GetInstance());
    ASSERT_TRUE(Tap(SDL_SCANCODE_UP));
    headless::PushKey(SDL_SCANCODE_RETURN, true);
    EXPECT_FALSE(Frame()) << "the exit item ends the game";

    // Each failure was reported, and the listener saw every distinct one exactly once.
    EXPECT_FALSE(reports.empty());
    for (const auto& [message, count] : reports)
        EXPECT_EQ(count, 1) << message;
    EXPECT_TRUE(
        Reported("TextureManager Error|Failed to Create Texture - resource/graphics/OxM_MainMenu.png"));
    EXPECT_TRUE(Reported("TextureManager Error|Failed to Create Texture - Resource/Graphics/OxM_Level3.png"));
    // The window opened without its icon.
    EXPECT_TRUE(
        Reported("CVKT_Window Error|Failed to load the window icon - Resource/Graphics/OxM_WindowIcon.png"));
}

TEST_P(BrokenResourcesTest, TheMenuMusicFailureIsReportedWithItsReason)
{
    const std::string file = "Resource/sound/OxM_ZORIRED_theme.wav";
    switch (GetParam())
    {
    case eDamage::Removed:
        EXPECT_TRUE(Reported("CVKT_WaveManager Error|Could not find the file - " + file));
        break;
    case eDamage::Garbage:
        EXPECT_TRUE(Reported("CVKT_WaveManager Error|Incorrect Header information."));
        break;
    case eDamage::CutShort:
        // A third of a valid file keeps its header: it loads with silence for the missing samples.
        EXPECT_EQ(reports.count("CVKT_WaveManager Error|Could not find the file - " + file), 0u);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Damage, BrokenResourcesTest,
                         ::testing::Values(eDamage::Removed, eDamage::Garbage, eDamage::CutShort),
                         [](const ::testing::TestParamInfo<eDamage>& info)
                         {
                             switch (info.param)
                             {
                             case eDamage::Removed:
                                 return std::string("Removed");
                             case eDamage::Garbage:
                                 return std::string("Garbage");
                             default:
                                 return std::string("CutShort");
                             }
                         });
