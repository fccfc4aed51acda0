// Scripted playthroughs of the whole program through CGame: real SDL key events, the tick seam,
// the settings file on disk in a scratch Resource folder, frames read back. Each test follows the
// screen flow as a player would.
#include "CCreditsMenuState.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CSettingsFile.h"
#include "CopperfenLogoState.h"

#include "CVKT_Direct3D.h"
#include "CVKT_WaveManager.h"

#include "ScreenRig.h"

#include <gtest/gtest.h>

namespace
{
class PlaythroughTest : public ::testing::Test
{
protected:
    // Down (or Up) until the menu's selection is `item`.
    void SelectMenuItem(int item)
    {
        CMainMenuState* menu = CMainMenuState::GetInstance();
        for (int i = 0; i < 6 && menu->GetSelection() != item; ++i)
            rig.Tap(SDL_SCANCODE_DOWN);
        ASSERT_EQ(menu->GetSelection(), item);
    }
    void ChooseMenuItem(int item)
    {
        SelectMenuItem(item);
        rig.Tap(SDL_SCANCODE_RETURN);
    }
    // Skips the logo with Space.
    void ToTheMenu()
    {
        rig.Tap(SDL_SCANCODE_SPACE);
        ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());
    }
    // Space through the story until the game starts; the number of presses.
    int ThroughTheStory()
    {
        int presses = 0;
        while (rig.Top() == CLevelIntroState1::GetInstance() && presses < 20)
        {
            rig.Tap(SDL_SCANCODE_SPACE);
            ++presses;
        }
        return presses;
    }

    test::ScreenRig rig;
    CGame* game = CGame::GetInstance();
    test::Picture font = test::LoadPicture("OxM_Font2.png", 0xFF000000);
};
} // namespace

TEST_F(PlaythroughTest, FromTheLogoThroughEveryMenuIntoTheGameAndOutOfTheProgram)
{
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();

    // The logo fades in and out without keys; the menu opens after about 12 s.
    ASSERT_EQ(rig.Top(), CopperfenLogoState::GetInstance());
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Top() != CopperfenLogoState::GetInstance(); }, 20000));
    EXPECT_NEAR((rig.Clock().Now() - 10000) / 1000.0, 12.05, 0.1);
    CMainMenuState* menu = CMainMenuState::GetInstance();
    ASSERT_EQ(rig.Top(), menu);
    EXPECT_TRUE(waves->IsWavePlaying(game->GetMusicID()));
    EXPECT_TRUE(test::FileExists(rig.SettingsPath())) << "entering the menu wrote the settings";

    // Up from the first item selects the sixth, Down wraps back.
    rig.Tap(SDL_SCANCODE_UP);
    EXPECT_EQ(menu->GetSelection(), 5);
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu->GetSelection(), 0);

    // Options: Right held for 2 s raises the music from 50 to about 70; Escape writes the file.
    ChooseMenuItem(CMainMenuState::ITEM_OPTIONS);
    ASSERT_EQ(rig.Top(), COptionsMenuState::GetInstance());
    rig.Hold(SDL_SCANCODE_RIGHT);
    for (int i = 0; i < 125; ++i)
        rig.Frame(16);
    rig.Release(SDL_SCANCODE_RIGHT);
    rig.Frame();
    const float music = game->GetMusicVolume();
    EXPECT_NEAR(music, 70.0f, 0.2f);
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_FLOAT_EQ(saved.fMusicVolume, static_cast<float>(static_cast<int>(music)));
    EXPECT_TRUE(waves->IsWavePlaying(game->GetMusicID())) << "the music runs on across the menus";

    // The credits come back by themselves after 51.2 s.
    ChooseMenuItem(CMainMenuState::ITEM_CREDITS);
    ASSERT_EQ(rig.Top(), CCreditsMenuState::GetInstance());
    const uint32_t creditsStart = rig.Clock().Now();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Top() == menu; }, 60000, 40));
    EXPECT_NEAR((rig.Clock().Now() - creditsStart) / 1000.0, 51.2, 0.1);

    // The high-score table with the defaults, paged with Down and Up.
    ChooseMenuItem(CMainMenuState::ITEM_HIGH_SCORES);
    ASSERT_EQ(rig.Top(), CHighScoreMenuState::GetInstance());
    std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_EQ(test::CompareText(frame, font, 16, 24, 20, "1. AAA - 0", 145, 113).mismatched, 0);
    rig.Tap(SDL_SCANCODE_DOWN);
    frame = rig.CaptureFrame();
    EXPECT_EQ(test::CompareText(frame, font, 16, 24, 20, "6. AAA - 0", 145, 113).mismatched, 0);
    rig.Tap(SDL_SCANCODE_UP);
    frame = rig.CaptureFrame();
    EXPECT_EQ(test::CompareText(frame, font, 16, 24, 20, "1. AAA - 0", 145, 113).mismatched, 0);
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);

    // A new game: the story needs nine presses of Space to reach the game.
    ChooseMenuItem(CMainMenuState::ITEM_PLAY);
    ASSERT_EQ(rig.Top(), CLevelIntroState1::GetInstance());
    EXPECT_TRUE(waves->IsWavePlaying(game->GetMusicID())) << "the menu music plays on through the story";
    EXPECT_EQ(ThroughTheStory(), 9);
    ASSERT_EQ(rig.Top(), CGamePlayState::GetInstance());

    // Back in the menu, the sixth item ends the loop without drawing another frame.
    game->ChangeState(menu);
    rig.Tap(SDL_SCANCODE_UP);
    ASSERT_EQ(menu->GetSelection(), CMainMenuState::ITEM_EXIT);
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->DrawRect(RECT{0, 0, 640, 480}, 255, 0, 0);
    rig.Hold(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(rig.Frame());
    std::vector<uint32_t> backBuffer;
    ASSERT_TRUE(d3d->ReadBackBuffer(backBuffer));
    EXPECT_EQ(test::FramePixel(backBuffer, 320, 300), 0xFFFF0000u) << "no frame was drawn after the choice";
}
