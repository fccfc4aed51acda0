// The options menu in the real game: volumes moved by held arrow keys at 10 per second, their bounds,
// the numbers and the marker read back from frames, the sample effect, and the settings file
// written on leaving.
#include "CControlsMenuState.h"
#include "CGame.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CSettingsFile.h"

#include "CVKT_WaveManager.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
class OptionsMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { game->ChangeState(options); }

    // Holds the key for `milliseconds` in frames of 16 ms, then lets it go.
    void HoldFor(SDL_Scancode key, uint32_t milliseconds)
    {
        rig.Hold(key);
        for (uint32_t t = 0; t < milliseconds; t += 16)
            rig.Frame(16);
        rig.Release(key);
        rig.Frame(0);
    }

    // The volume as the screen prints it.
    static std::string Shown(float volume)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%i", static_cast<int>(volume));
        return text;
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    COptionsMenuState* options = COptionsMenuState::GetInstance();
    headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFF000000);
};
} // namespace

TEST_F(OptionsMenuTest, HoldingRightForTwoSecondsRaisesTheChosenVolumeFromFiftyToAboutSeventy)
{
    HoldFor(SDL_SCANCODE_RIGHT, 2000);
    EXPECT_NEAR(game->GetMusicVolume(), 70.0f, 0.2f);
    EXPECT_FLOAT_EQ(game->GetFXVolume(), 50.0f) << "only the chosen volume moves";

    rig.Tap(SDL_SCANCODE_DOWN);
    ASSERT_EQ(options->GetSelection(), COptionsMenuState::SELECT_FX);
    HoldFor(SDL_SCANCODE_LEFT, 1000);
    EXPECT_NEAR(game->GetFXVolume(), 40.0f, 0.2f);
    EXPECT_NEAR(game->GetMusicVolume(), 70.0f, 0.2f);
}

TEST_F(OptionsMenuTest, TheNumbersOnScreenFollowTheVolumesFrameByFrame)
{
    rig.Hold(SDL_SCANCODE_RIGHT);
    std::string previous;
    int changes = 0;
    for (int frame = 0; frame < 40; ++frame)
    {
        const std::vector<uint32_t> pixels = rig.CaptureFrame(50);
        const std::string music = Shown(game->GetMusicVolume());
        const headless::Comparison shown = headless::CompareText(pixels, font, 16, 24, 20, music, 460, 116);
        ASSERT_GT(shown.compared, 50);
        ASSERT_EQ(shown.mismatched, 0) << music << ": " << shown.firstMismatch;
        const headless::Comparison fx = headless::CompareText(pixels, font, 16, 24, 20, "50", 460, 189);
        ASSERT_EQ(fx.mismatched, 0) << fx.firstMismatch;
        changes += music != previous;
        previous = music;
    }
    rig.Release(SDL_SCANCODE_RIGHT);
    EXPECT_EQ(previous, "70") << "50 + 40 frames of 0.05 s at 10 per second";
    EXPECT_GE(changes, 20) << "the number moves on every whole unit";
}

TEST_F(OptionsMenuTest, TheMarkerFramesTheChosenLineAndPressEscStandsAtTheBottomRight)
{
    const headless::Picture marker = headless::LoadPicture("OxM_OptionsSelection.png", 0xFFFFFFFF);
    for (int selection : {0, 1, 0})
    {
        while (options->GetSelection() != selection)
            rig.Tap(SDL_SCANCODE_UP);
        const std::vector<uint32_t> frame = rig.CaptureFrame();
        const headless::Comparison at =
            headless::CompareSection(frame, marker, 0, 0, 426, 65, 130, 83 + 72 * selection);
        EXPECT_GT(at.compared, 1000);
        EXPECT_EQ(at.mismatched, 0) << "selection " << selection << " " << at.firstMismatch;
        const headless::Comparison other =
            headless::CompareSection(frame, marker, 0, 0, 426, 65, 130, 83 + 72 * (1 - selection));
        EXPECT_GT(other.mismatched, 500) << "no marker at the other line";
        const headless::Comparison esc =
            headless::CompareText(frame, font, 16, 24, 20, "press ESC", 480, 450);
        EXPECT_GT(esc.compared, 200);
        EXPECT_EQ(esc.mismatched, 0) << esc.firstMismatch;
    }
    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(options->GetSelection(), 0) << "Down wraps from the effects to the music";
}

TEST_F(OptionsMenuTest, TheBoundIsTestedBeforeEachStepSoTheLastStepMayPassIt)
{
    game->SetMusicVolume(0.0f);
    HoldFor(SDL_SCANCODE_LEFT, 500);
    EXPECT_FLOAT_EQ(game->GetMusicVolume(), 0.0f) << "Left on 0 changes nothing";

    game->SetMusicVolume(100.0f);
    HoldFor(SDL_SCANCODE_RIGHT, 500);
    EXPECT_FLOAT_EQ(game->GetMusicVolume(), 100.0f) << "Right on 100 changes nothing";

    game->SetMusicVolume(99.95f);
    rig.Hold(SDL_SCANCODE_RIGHT);
    rig.Frame(16);
    EXPECT_NEAR(game->GetMusicVolume(), 100.11f, 0.001f) << "99.95 was below the bound";
    rig.Frame(16);
    EXPECT_NEAR(game->GetMusicVolume(), 100.11f, 0.001f);
    rig.Release(SDL_SCANCODE_RIGHT);
    rig.Frame();
}

TEST_F(OptionsMenuTest, LeftAndRightTogetherLeaveTheVolumeWhereItWas)
{
    rig.Hold(SDL_SCANCODE_LEFT);
    rig.Hold(SDL_SCANCODE_RIGHT);
    for (int i = 0; i < 30; ++i)
        rig.Frame(33);
    EXPECT_NEAR(game->GetMusicVolume(), 50.0f, 0.001f);
    rig.Release(SDL_SCANCODE_LEFT);
    rig.Release(SDL_SCANCODE_RIGHT);
    rig.Frame();
}

TEST_F(OptionsMenuTest, ChangingTheEffectVolumePlaysTheSampleAgainWhileTheKeyIsHeld)
{
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
    // Loading the same file shares the screen's slot: its id is the sample's.
    const int sample = waves->LoadWave("Resource/Sound/VKT_LazerHit.wav");
    ASSERT_NE(sample, -1);
    EXPECT_FALSE(waves->IsWavePlaying(sample));
    HoldFor(SDL_SCANCODE_RIGHT, 200);
    EXPECT_FALSE(waves->IsWavePlaying(sample)) << "the music volume plays no sample";

    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Hold(SDL_SCANCODE_RIGHT);
    rig.Frame();
    EXPECT_TRUE(waves->IsWavePlaying(sample));
    EXPECT_EQ(waves->GetChannelCount(), 0) << "a playing sample is not started over itself";
    waves->StopWave(sample);
    rig.Frame();
    EXPECT_TRUE(waves->IsWavePlaying(sample)) << "started again once it has finished";
    rig.Release(SDL_SCANCODE_RIGHT);
    rig.Frame();
    waves->UnloadWave(sample);
}

TEST_F(OptionsMenuTest, LeavingWritesTheTruncatedVolumesToTheSettingsFile)
{
    HoldFor(SDL_SCANCODE_RIGHT, 2000);
    const float music = game->GetMusicVolume();
    ASSERT_GT(music, 69.0f);
    // Leaving for a screen that writes nothing shows the options' own write.
    game->ChangeState(CControlsMenuState::GetInstance());
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_FLOAT_EQ(saved.fMusicVolume, static_cast<float>(static_cast<int>(music)));
    EXPECT_NE(rig.SettingsText().find("music=\"" + Shown(music) + "\""), std::string::npos);

    // Escape returns to the main menu, which writes the same values again.
    game->ChangeState(options);
    rig.Tap(SDL_SCANCODE_DOWN);
    HoldFor(SDL_SCANCODE_LEFT, 1500);
    const float fx = game->GetFXVolume();
    rig.Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_FLOAT_EQ(saved.fFXVolume, static_cast<float>(static_cast<int>(fx)));
    EXPECT_FLOAT_EQ(game->GetFXVolume(), fx) << "the value in memory keeps its fraction";
}
