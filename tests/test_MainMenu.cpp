// The main menu in the real game: the settings file written on entry, the wrapping selection, the
// highlight read back over the selected item, where each item leads, Alt+Return, the exit item and
// the music that runs on across the menus.
#include "CControlsMenuState.h"
#include "CCreditsMenuState.h"
#include "CGame.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CSettingsFile.h"

#include "CVKT_Direct3D.h"
#include "CVKT_WaveManager.h"

#include "Files.h"
#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kItemWidth = CMainMenuState::HIGHLIGHT_RIGHT - CMainMenuState::HIGHLIGHT_LEFT;

class MainMenuTest : public ::testing::Test
{
protected:
    void EnterMenu() { game->ChangeState(menu); }
    void Select(int item)
    {
        while (menu->GetSelection() != item)
            rig.Tap(SDL_SCANCODE_DOWN);
    }
    int ItemTop(int item) const { return CMainMenuState::ITEM_TOP + CMainMenuState::ITEM_HEIGHT * item; }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CMainMenuState* menu = CMainMenuState::GetInstance();
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
};
} // namespace

TEST_F(MainMenuTest, EnteringWritesTheSettingsFileEveryTime)
{
    ASSERT_FALSE(headless::FileExists(rig.SettingsPath()));
    EnterMenu();
    ASSERT_TRUE(headless::FileExists(rig.SettingsPath())) << "the first visit writes the defaults";
    EXPECT_EQ(rig.SettingsText(), CSettingsFile::Serialize(CSettingsFile::Defaults()));

    // Values changed elsewhere reach the file on the next return to the menu.
    game->SetMusicVolume(37.9f);
    tHighScore table[NUM_HIGH_SCORES];
    std::copy(game->GetHighScores(), game->GetHighScores() + NUM_HIGH_SCORES, table);
    table[0] = tHighScore{120, "ZED"};
    game->SetHighScores(table);
    game->ChangeState(CControlsMenuState::GetInstance());
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_FLOAT_EQ(saved.fMusicVolume, 37.0f);
    EXPECT_EQ(saved.highScores[0].nPoints, 120);
    EXPECT_STREQ(saved.highScores[0].szName, "ZED");
}

TEST_F(MainMenuTest, UpAndDownWrapAroundTheSixItemsAndCancelOutInOneFrame)
{
    EnterMenu();
    ASSERT_EQ(menu->GetSelection(), 0);
    rig.Tap(SDL_SCANCODE_UP);
    EXPECT_EQ(menu->GetSelection(), 5) << "Up on the first item selects the sixth";
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu->GetSelection(), 0) << "Down on the sixth selects the first";
    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu->GetSelection(), 2);

    rig.Hold(SDL_SCANCODE_UP);
    rig.Hold(SDL_SCANCODE_DOWN);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(menu->GetSelection(), 2) << "one step up and one down";
    rig.Release(SDL_SCANCODE_UP);
    rig.Release(SDL_SCANCODE_DOWN);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(menu->GetSelection(), 2) << "a held arrow moves once";
}

TEST_F(MainMenuTest, TheHighlightedLookLiesExactlyOverTheSelectedItemOnly)
{
    const headless::Picture sheet = headless::LoadPicture("OxM_MainMenu.png", 0xFFFFFFFF);
    EnterMenu();
    for (int selected = 0; selected < CMainMenuState::NUM_ITEMS; ++selected)
    {
        Select(selected);
        const std::vector<uint32_t> frame = rig.CaptureFrame();
        ASSERT_EQ(frame.size(), 640u * 480u);
        ASSERT_EQ(menu->GetSelection(), selected) << "no key in the captured frame";
        for (int item = 0; item < CMainMenuState::NUM_ITEMS; ++item)
        {
            const int top = ItemTop(item);
            const int sourceX = item == selected ? CMainMenuState::HIGHLIGHT_LEFT : CMainMenuState::ITEM_LEFT;
            const headless::Comparison shown = headless::CompareSection(
                frame, sheet, sourceX, top, kItemWidth, 27, CMainMenuState::ITEM_LEFT, top);
            EXPECT_GT(shown.compared, 2000);
            EXPECT_EQ(shown.mismatched, 0)
                << "item " << item << " with " << selected << " selected " << shown.firstMismatch;
            // The other look is not what the frame shows, so the comparison tells them apart.
            const int otherX = item == selected ? CMainMenuState::ITEM_LEFT : CMainMenuState::HIGHLIGHT_LEFT;
            EXPECT_GT(headless::CompareSection(frame, sheet, otherX, top, kItemWidth, 27,
                                               CMainMenuState::ITEM_LEFT, top)
                          .mismatched,
                      1000);
        }
        // Above the items the menu picture stands as it is.
        const headless::Comparison title = headless::CompareSection(frame, sheet, 0, 0, 640, 222, 0, 0);
        EXPECT_EQ(title.mismatched, 0) << title.firstMismatch;
    }
}

TEST_F(MainMenuTest, EachItemLeadsToItsScreenWithReturnOrSpace)
{
    const std::vector<IGameState*> targets = {
        CLevelIntroState1::GetInstance(), CHighScoreMenuState::GetInstance(),
        CControlsMenuState::GetInstance(), COptionsMenuState::GetInstance(),
        CCreditsMenuState::GetInstance()};
    for (int item = 0; item < 5; ++item)
    {
        for (SDL_Scancode key : {SDL_SCANCODE_RETURN, SDL_SCANCODE_SPACE})
        {
            EnterMenu();
            Select(item);
            rig.Tap(key);
            EXPECT_EQ(rig.Top(), targets[item]) << "item " << item << " with " << SDL_GetScancodeName(key);
            EXPECT_EQ(rig.Depth(), 1u);
        }
    }
}

TEST_F(MainMenuTest, AltReturnSwitchesTheDisplayWithoutChoosingButAltSpaceChooses)
{
    EnterMenu();
    Select(CMainMenuState::ITEM_CONTROLS);
    ASSERT_TRUE(game->IsWindowed());
    rig.Hold(SDL_SCANCODE_LALT);
    rig.Hold(SDL_SCANCODE_RETURN, KMOD_LALT);
    ASSERT_TRUE(rig.Frame());
    EXPECT_FALSE(game->IsWindowed());
    EXPECT_EQ(rig.Top(), menu);
    rig.Release(SDL_SCANCODE_RETURN, KMOD_LALT);
    ASSERT_TRUE(rig.Frame());

    rig.Hold(SDL_SCANCODE_SPACE, KMOD_LALT);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), CControlsMenuState::GetInstance()) << "Space chooses with Alt held";
    rig.Release(SDL_SCANCODE_SPACE, KMOD_LALT);
    rig.Release(SDL_SCANCODE_LALT);
    ASSERT_TRUE(rig.Frame());
}

TEST_F(MainMenuTest, ANewGameFromTheMenuOpensWithTheIntroductionAfterALostGame)
{
    // A lost game leaves the story's ending flag set.
    CLevelIntroState1* story = CLevelIntroState1::GetInstance();
    story->SetEnding(true);
    EnterMenu();
    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(rig.Top(), story);
    EXPECT_FALSE(story->IsEnding());
    EXPECT_STREQ(CLevelIntroState1::LineText(story->GetLine(), story->IsEnding()),
                 "Hello, comarade! I'm am your Captain!");
}

TEST_F(MainMenuTest, TheExitItemEndsTheGameWithoutDrawingAnotherFrame)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    std::vector<uint32_t> pixels;
    EnterMenu();
    rig.Tap(SDL_SCANCODE_UP);
    ASSERT_EQ(menu->GetSelection(), CMainMenuState::ITEM_EXIT);

    // A red back buffer shows whether a frame is drawn after the choice: any frame clears it.
    d3d->DrawRect(RECT{0, 0, 640, 480}, 255, 0, 0);
    rig.Hold(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(rig.Frame()) << "Main says the game ends";
    ASSERT_TRUE(d3d->ReadBackBuffer(pixels));
    EXPECT_EQ(headless::FramePixel(pixels, 320, 240), 0xFFFF0000u);
    EXPECT_EQ(headless::FramePixel(pixels, 300, 250), 0xFFFF0000u) << "no menu drawn over the red";
    EXPECT_EQ(rig.Top(), menu);
    rig.Release(SDL_SCANCODE_RETURN);

    // The same check sees a frame that is drawn.
    d3d->DrawRect(RECT{0, 0, 640, 480}, 255, 0, 0);
    ASSERT_TRUE(rig.Frame());
    ASSERT_TRUE(d3d->ReadBackBuffer(pixels));
    EXPECT_NE(headless::FramePixel(pixels, 300, 250), 0xFFFF0000u);
}

TEST_F(MainMenuTest, TheMusicStartsWithTheMenuAndRunsOnAcrossTheOtherScreens)
{
    const int music = game->GetMusicID();
    ASSERT_NE(music, -1);
    ASSERT_FALSE(waves->IsWavePlaying(music)) << "loaded but not started before the menu";
    EnterMenu();
    EXPECT_TRUE(waves->IsWavePlaying(music));

    Select(CMainMenuState::ITEM_OPTIONS);
    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(rig.Top(), COptionsMenuState::GetInstance());
    EXPECT_TRUE(waves->IsWavePlaying(music));
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);
    EXPECT_TRUE(waves->IsWavePlaying(music));
    EXPECT_EQ(waves->GetChannelCount(), 0) << "no second copy of the theme started over it";

    // A theme that was stopped (the game stops it) starts again with the menu.
    waves->StopWave(music);
    game->ChangeState(CControlsMenuState::GetInstance());
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);
    EXPECT_TRUE(waves->IsWavePlaying(music));
    EXPECT_EQ(waves->GetChannelCount(), 0);
}
