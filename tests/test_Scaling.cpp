// The 640 x 480 back buffer shown in windows of other sizes, on the real software renderer with the
// window's pixels read back: whole multiples crisp, other sizes letterboxed and filtered, and the
// picture surviving a lost device.
#include "CVKT_Direct3D.h"
#include "CVKT_TextureManager.h"

#include "Files.h"
#include "RendererBench.h"
#include "ScopedTempDir.h"
#include "ScreenComparison.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
using headless::BAR_COLOR;
using headless::PATTERN_PIXELS;

class ScalingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string path = dir / "pattern.png";
        headless::WritePng(path, 32, 32, headless::PixelPattern(32));
        m_nPattern = CVKT_TextureManager::GetInstance()->LoadTexture(path.c_str(), 0);
        ASSERT_NE(m_nPattern, -1);
    }

    // The window at `size`, then one frame of the pattern (see PresentPattern).
    tScreenPixels Show(tSize size, std::vector<uint32_t>& backBuffer)
    {
        SDL_SetWindowSize(renderer.Window(), size.nWidth, size.nHeight);
        return headless::PresentPattern(m_nPattern, backBuffer);
    }

    headless::ScopedTempDir dir;
    headless::RendererBench renderer;
    int m_nPattern = -1;
};
} // namespace

TEST_F(ScalingTest, AtWholeMultiplesEveryBackBufferPixelIsASquareOfIdenticalScreenPixels)
{
    const struct
    {
        tSize window;
        tViewport view;
    } cases[] = {
        {{1280, 960}, {0, 0, 1280, 960, true}},
        {{1920, 1440}, {0, 0, 1920, 1440, true}},
        // Room beside 2x: the picture stays 2x, with bars of 10 pixels on either side.
        {{1300, 960}, {10, 0, 1280, 960, true}},
        {{640, 480}, {0, 0, 640, 480, true}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.window.nWidth << " x " << c.window.nHeight);
        std::vector<uint32_t> backBuffer;
        // The same picture every time: only the new size has it presented again.
        const tScreenPixels screen = Show(c.window, backBuffer);
        ASSERT_EQ(screen.nWidth, c.window.nWidth);
        ASSERT_EQ(screen.nHeight, c.window.nHeight);
        const headless::ScreenComparison seen =
            headless::CompareScreen(screen, backBuffer, c.view, BAR_COLOR);
        EXPECT_EQ(seen.viewPixels, c.view.nWidth * c.view.nHeight);
        EXPECT_EQ(seen.unlikeNearest, 0);
        EXPECT_EQ(seen.blended, 0);
        EXPECT_EQ(seen.wrongBars, 0);
    }
}

TEST_F(ScalingTest, AtOtherSizesThePictureIsLetterboxedWithBarsWhereTheArithmeticPutsThemAndFiltered)
{
    const struct
    {
        tSize window;
        tViewport view;
    } cases[] = {
        {{1000, 600}, {100, 0, 800, 600, false}}, // 1.25 times: bars of 100 left and right
        {{800, 800}, {0, 100, 800, 600, false}},  // the same above and below
        {{1001, 600}, {100, 0, 800, 600, false}}, // the odd column goes to the right bar
        {{1024, 768}, {0, 0, 1024, 768, false}},  // full screen on a 1024 x 768 desktop: 1.6 times
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.window.nWidth << " x " << c.window.nHeight);
        std::vector<uint32_t> backBuffer;
        const tScreenPixels screen = Show(c.window, backBuffer);
        ASSERT_EQ(screen.nWidth, c.window.nWidth);
        const headless::ScreenComparison seen =
            headless::CompareScreen(screen, backBuffer, c.view, BAR_COLOR);
        EXPECT_EQ(seen.barPixels, c.window.nWidth * c.window.nHeight - c.view.nWidth * c.view.nHeight);
        EXPECT_EQ(seen.wrongBars, 0) << "the bars are black, exactly where expected";
        EXPECT_EQ(seen.barInside, 0) << "the picture reaches the bars on every side";
        EXPECT_GT(seen.blended, PATTERN_PIXELS / 2) << "neighbouring pixels are filtered together";
    }
}

TEST_F(ScalingTest, ALostDeviceComesBackCrispAtTwiceTheSize)
{
    std::vector<uint32_t> backBuffer;
    ASSERT_TRUE(
        headless::CompareScreen(Show({1280, 960}, backBuffer), backBuffer, {0, 0, 1280, 960, true}, BAR_COLOR)
            .IsCrisp());
    CVKT_Direct3D::GetInstance()->OnDeviceLost();
    const tScreenPixels screen = Show({1280, 960}, backBuffer);
    EXPECT_TRUE(headless::CompareScreen(screen, backBuffer, {0, 0, 1280, 960, true}, BAR_COLOR).IsCrisp());
    EXPECT_EQ(backBuffer[0], 0xFFFF0000u) << "the pattern's texture was made again";
}
