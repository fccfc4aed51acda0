// The logo screen in the real game: the fade's timing, the keys that skip it, and the logo's
// opacity read back from presented frames.
#include "CGame.h"
#include "CMainMenuState.h"
#include "CopperfenLogoState.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
class LogoScreenTest : public ::testing::Test
{
protected:
    headless::HeadlessGame rig;
    CopperfenLogoState* logo = CopperfenLogoState::GetInstance();
    headless::Picture picture = headless::LoadPicture("OxM_Copperfen_logo.png", 0);
};

// Every pixel of the frame is the logo's pixel scaled by alpha / 255 over black.
int PixelsOffTheFade(const std::vector<uint32_t>& frame, const headless::Picture& logo, int alpha)
{
    int off = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
        {
            const uint32_t source = logo.At(x, y);
            const uint32_t shown = headless::FramePixel(frame, x, y);
            for (int shift = 0; shift <= 16; shift += 8)
            {
                const int expected = static_cast<int>(((source >> shift) & 0xFF) * alpha / 255);
                const int actual = static_cast<int>((shown >> shift) & 0xFF);
                if (std::abs(expected - actual) > 2)
                {
                    ++off;
                    break;
                }
            }
        }
    return off;
}
} // namespace

TEST_F(LogoScreenTest, WithoutKeysTheLogoFadesInThenOutAndTheMenuOpensAfterAboutTwelveSeconds)
{
    ASSERT_EQ(rig.Top(), logo);
    uint32_t elapsed = 0;
    uint32_t fullAt = 0;
    float peak = 0.0f;
    while (rig.Top() == logo && elapsed < 20000)
    {
        ASSERT_TRUE(rig.Frame(16));
        elapsed += 16;
        if (rig.Top() != logo)
            break;
        if (logo->GetFade() > peak)
        {
            peak = logo->GetFade();
            fullAt = elapsed;
        }
    }
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    EXPECT_NEAR(fullAt / 1000.0, 5.67, 0.05) << "fade-in at 45 per second";
    EXPECT_GE(peak, 255.0f);
    EXPECT_LT(peak, 256.0f) << "with ordinary frames the fade stops just above full";
    EXPECT_NEAR(elapsed / 1000.0, 12.05, 0.1) << "fade-out at 40 per second, ended by the next frame's Input";
}

TEST_F(LogoScreenTest, EscapeSpaceAndReturnLeaveAtOnceOtherKeysDoNothing)
{
    for (SDL_Scancode other : {SDL_SCANCODE_A, SDL_SCANCODE_P, SDL_SCANCODE_DOWN, SDL_SCANCODE_LALT})
    {
        rig.Tap(other);
        EXPECT_EQ(rig.Top(), logo) << SDL_GetScancodeName(other);
    }
    for (SDL_Scancode key : {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN})
    {
        CGame::GetInstance()->ChangeState(logo);
        ASSERT_TRUE(rig.Frame(1000));
        ASSERT_FALSE(logo->IsFadingOut()) << "each visit fades in again";
        rig.Hold(key);
        ASSERT_TRUE(rig.Frame());
        EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance()) << SDL_GetScancodeName(key);
        EXPECT_FLOAT_EQ(logo->GetFade(), -1.0f) << "Exit leaves the fade at -1";
        rig.Release(key);
        ASSERT_TRUE(rig.Frame());
    }
}

TEST_F(LogoScreenTest, TheLogoIsDrawnWithTheFadeAsItsOpacityOverBlack)
{
    // One frame of 2 s: fade 0.001 + 90 -> alpha 90.
    const std::vector<uint32_t> frame = rig.CaptureFrame(2000);
    ASSERT_EQ(frame.size(), 640u * 480u);
    EXPECT_NEAR(logo->GetFade(), 90.0f, 0.01f);
    EXPECT_EQ(PixelsOffTheFade(frame, picture, 90), 0);
    // The check can tell opacities apart: the same frame is not the logo at full opacity.
    EXPECT_GT(PixelsOffTheFade(frame, picture, 255), 10000);
}

TEST_F(LogoScreenTest, OnlyTheLowEightBitsOfTheFadeAreTheOpacity)
{
    // 5.675 s: fade 255.38, drawn fully opaque.
    std::vector<uint32_t> frame = rig.CaptureFrame(5675);
    ASSERT_GT(logo->GetFade(), 255.0f);
    ASSERT_LT(logo->GetFade(), 256.0f);
    EXPECT_EQ(PixelsOffTheFade(frame, picture, 255), 0);

    // Starting again, one frame of 5.693 s overshoots to 256.19: alpha 0, the screen is black.
    CGame::GetInstance()->ChangeState(logo);
    frame = rig.CaptureFrame(5693);
    ASSERT_GT(logo->GetFade(), 256.0f);
    EXPECT_EQ(PixelsOffTheFade(frame, picture, 0), 0);
}
