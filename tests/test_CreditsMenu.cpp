// The credits in the real game: the scroll's speed and the way back by itself after 51.2 s, the keys
// that leave earlier, and the credits picture read back at its place.
#include "CCreditsMenuState.h"
#include "CGame.h"
#include "CMainMenuState.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
class CreditsMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { game->ChangeState(credits); }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CCreditsMenuState* credits = CCreditsMenuState::GetInstance();
};
} // namespace

TEST_F(CreditsMenuTest, LeftAloneItScrollsAtTwentyPixelsASecondAndReturnsAfter51Seconds)
{
    ASSERT_FLOAT_EQ(credits->GetScrollY(), 512.0f);
    uint32_t elapsed = 0;
    while (rig.Top() == credits && elapsed < 60000)
    {
        ASSERT_TRUE(rig.Frame(40));
        elapsed += 40;
        if (elapsed == 10000)
        {
            EXPECT_NEAR(credits->GetScrollY(), 312.0f, 0.05f);
        }
    }
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    EXPECT_NEAR(elapsed / 1000.0, 51.2, 0.05);
}

TEST_F(CreditsMenuTest, SpaceOrReturnLeaveEarlyEscapeAndAltReturnDoNot)
{
    rig.Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(rig.Top(), credits) << "Escape does nothing here";

    rig.Hold(SDL_SCANCODE_RALT);
    rig.Hold(SDL_SCANCODE_RETURN, KMOD_RALT);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), credits) << "Alt+Return is the display switch";
    EXPECT_FALSE(game->IsWindowed());
    rig.Release(SDL_SCANCODE_RETURN, KMOD_RALT);
    rig.Release(SDL_SCANCODE_RALT);
    ASSERT_TRUE(rig.Frame());

    for (SDL_Scancode key : {SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN})
    {
        game->ChangeState(credits);
        rig.Hold(key);
        ASSERT_TRUE(rig.Frame());
        EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance()) << SDL_GetScancodeName(key);
        rig.Release(key);
        ASSERT_TRUE(rig.Frame());
    }
}

TEST_F(CreditsMenuTest, TheCreditsPictureIsDrawnAtItsScrollPositionOverTheBackground)
{
    const headless::Picture background = headless::LoadPicture("OxM_CreditsMenu.png", 0);
    const headless::Picture text = headless::LoadPicture("OxM_CreditsText.png", 0);
    // 20 s: the picture's top edge at 512 - 400 = 112.
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(rig.Frame(1000));
    std::vector<uint32_t> frame = rig.CaptureFrame(0);
    ASSERT_NEAR(credits->GetScrollY(), 112.0f, 0.01f);
    headless::Comparison shown = headless::CompareSection(frame, text, 0, 0, 350, 368, 100, 112);
    EXPECT_GT(shown.compared, 10000);
    EXPECT_EQ(shown.mismatched, 0) << shown.firstMismatch;
    const headless::Comparison left = headless::CompareSection(frame, background, 0, 0, 100, 480, 0, 0);
    EXPECT_EQ(left.mismatched, 0) << "the background beside the credits " << left.firstMismatch;

    // Entering again starts from the bottom: nothing of the credits shows yet.
    game->ChangeState(credits);
    frame = rig.CaptureFrame(0);
    shown = headless::CompareSection(frame, background, 0, 0, 640, 480, 0, 0);
    EXPECT_EQ(shown.mismatched, 0) << shown.firstMismatch;
}
