// Sprite animation: frame timing, looping and stopping, frame rectangles, block sheets, and what is
// drawn (recorded sprite draws and pixels read back).
#include "CAnimation.h"
#include "CBlockAnimation.h"

#include "CVKT_Sprite.h"
#include "CVKT_TextureManager.h"
#include "Files.h"
#include "RendererBench.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

// A 4-frame strip of 62 x 53 frames in 4 columns. Frame 0 is red on its left half and green on its
// right half; the other frames are blue.
void WritePlayerStrip(const std::string& path)
{
    const int nWidth = 248, nHeight = 53;
    std::vector<uint32_t> pixels(nWidth * nHeight, kBlue);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < 62; ++x)
            pixels[y * nWidth + x] = x < 31 ? kRed : kGreen;
    headless::WritePng(path, nWidth, nHeight, pixels);
}

class AnimationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WritePlayerStrip(m_dir / "strip.png");
        headless::WritePng(m_dir / "blocks.png", 256, 256, std::vector<uint32_t>(256 * 256, kBlue));
    }

    // The draws that fn queues into one sprite batch.
    template <typename Fn>
    std::vector<CVKT_Sprite::tDraw> DrawsOf(Fn fn)
    {
        return m_renderer.DrawsOf(fn);
    }

    std::vector<int> FramesAfterUpdates(CAnimation& anim, float fElapsed, int nUpdates)
    {
        std::vector<int> frames;
        for (int i = 0; i < nUpdates; ++i)
        {
            anim.Update(fElapsed);
            frames.push_back(anim.GetCurFrame());
        }
        return frames;
    }

    headless::RendererBench m_renderer;
    headless::ScopedTempDir m_dir;
};

using Frames = std::vector<int>;
} // namespace

TEST_F(AnimationTest, LoadStoresTheLayoutAndStartsPlaying)
{
    CAnimation anim;
    EXPECT_FALSE(anim.IsPlaying());
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_EQ(0, anim.GetCurFrame());
    EXPECT_NE(-1, anim.GetImageID());
    EXPECT_EQ(4, anim.GetNumFrames());
    EXPECT_EQ(62, anim.GetFrameWidth());
    EXPECT_EQ(53, anim.GetFrameHeight());
    EXPECT_EQ(4, anim.GetColumns());
}

TEST_F(AnimationTest, FailedLoadReturnsFalseAndStaysStopped)
{
    CAnimation anim;
    EXPECT_FALSE(anim.Load((m_dir / "missing.png").c_str(), 4, 62, 53, 4));
    EXPECT_FALSE(anim.IsPlaying());
    EXPECT_EQ(-1, anim.GetImageID());
    EXPECT_EQ(4, anim.GetNumFrames()); // the layout is stored all the same
    EXPECT_EQ(Frames({0, 0}), FramesAfterUpdates(anim, 0.16f, 2));
    EXPECT_TRUE(DrawsOf([&] { EXPECT_FALSE(anim.Render(0, 0, false, 1.0f, 0xFFFFFFFF)); }).empty());
}

TEST_F(AnimationTest, LoopingAnimationWrapsToTheFirstFrame)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    EXPECT_EQ(Frames({1, 2, 3, 0, 1}), FramesAfterUpdates(anim, 0.16f, 5));
}

TEST_F(AnimationTest, ShortUpdatesGatherTimeUntilAFrameIsDue)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    EXPECT_EQ(Frames({0, 0, 0, 1}), FramesAfterUpdates(anim, 0.05f, 4));
}

TEST_F(AnimationTest, ALongUpdateAdvancesOneFrameAndKeepsTheSurplus)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    anim.Update(1.0f);
    EXPECT_EQ(1, anim.GetCurFrame());
    // 0.84 s left over: five more frames come due one per update, then the timer is below 0.16.
    EXPECT_EQ(Frames({2, 3, 0, 1, 2, 2, 2}), FramesAfterUpdates(anim, 0.0f, 7));
}

TEST_F(AnimationTest, OneShotAnimationStopsOnItsLastFrameAndPlayRestartsIt)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    anim.SetLooping(false);
    EXPECT_EQ(Frames({1, 2, 3, 3, 3}), FramesAfterUpdates(anim, 0.16f, 5));
    EXPECT_FALSE(anim.IsPlaying());
    anim.Play();
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_EQ(0, anim.GetCurFrame());
    EXPECT_EQ(Frames({1}), FramesAfterUpdates(anim, 0.16f, 1));
}

TEST_F(AnimationTest, StopFreezesAndResetOnlyRewinds)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    anim.Update(0.16f);
    anim.Update(0.1f); // 0.1 s gathered toward the next frame
    anim.Stop();
    EXPECT_EQ(Frames({1, 1}), FramesAfterUpdates(anim, 0.16f, 2));
    anim.Reset();
    EXPECT_EQ(0, anim.GetCurFrame());
    EXPECT_FALSE(anim.IsPlaying());
    anim.Play();
    // The timer kept its 0.1 s: 0.06 more is enough.
    EXPECT_EQ(Frames({1}), FramesAfterUpdates(anim, 0.06f, 1));
}

TEST_F(AnimationTest, FrameRectanglesRunRowByRow)
{
    CAnimation anim;
    anim.SetFrameWidth(62);
    anim.SetFrameHeight(53);
    anim.SetColumns(4);
    const RECT rect = anim.GetFrameRect(5);
    EXPECT_EQ(62, rect.left);
    EXPECT_EQ(53, rect.top);
    EXPECT_EQ(124, rect.right);
    EXPECT_EQ(106, rect.bottom);
    const RECT first = anim.GetFrameRect(0);
    EXPECT_EQ(0, first.left);
    EXPECT_EQ(62, first.right);
}

TEST_F(AnimationTest, DrawsTheCurrentFrameAtTheGivenCorner)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    anim.Update(0.16f);
    anim.Update(0.16f);
    const auto draws = DrawsOf([&] { EXPECT_TRUE(anim.Render(100, 40, false, 1.5f, 0x80FFFFFF)); });
    ASSERT_EQ(1u, draws.size());
    EXPECT_FLOAT_EQ(100.0f, draws[0].fX);
    EXPECT_FLOAT_EQ(40.0f, draws[0].fY);
    EXPECT_FLOAT_EQ(1.5f, draws[0].fScaleX);
    EXPECT_FLOAT_EQ(1.5f, draws[0].fScaleY);
    EXPECT_EQ(124, draws[0].rSection.left);
    EXPECT_EQ(186, draws[0].rSection.right);
    EXPECT_EQ(0, draws[0].rSection.top);
    EXPECT_EQ(53, draws[0].rSection.bottom);
    EXPECT_EQ(0x80FFFFFFu, draws[0].dwColor);
}

TEST_F(AnimationTest, FlippedDrawMovesTheAnchorByTheDrawnWidth)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    const auto draws = DrawsOf([&] { anim.Render(100, 40, true, 1.5f, 0xFFFFFFFF); });
    ASSERT_EQ(1u, draws.size());
    EXPECT_FLOAT_EQ(193.0f, draws[0].fX);
    EXPECT_FLOAT_EQ(-1.5f, draws[0].fScaleX);
    EXPECT_FLOAT_EQ(1.5f, draws[0].fScaleY);
}

TEST_F(AnimationTest, FlippedFrameIsMirroredOnScreenOverTheSamePlace)
{
    CAnimation anim;
    ASSERT_TRUE(anim.Load((m_dir / "strip.png").c_str(), 4, 62, 53, 4));
    const auto plain = m_renderer.Frame([&] { anim.Render(100, 40, false, 1.0f, 0xFFFFFFFF); });
    EXPECT_EQ(kRed, m_renderer.Pixel(plain, 105, 60));
    EXPECT_EQ(kGreen, m_renderer.Pixel(plain, 156, 60));

    const auto flipped = m_renderer.Frame([&] { anim.Render(100, 40, true, 1.0f, 0xFFFFFFFF); });
    EXPECT_EQ(kGreen, m_renderer.Pixel(flipped, 105, 60));
    EXPECT_EQ(kRed, m_renderer.Pixel(flipped, 156, 60));
    // Nothing to the left of the anchor or right of the frame: the background shows.
    EXPECT_EQ(0xFF000080u, m_renderer.Pixel(flipped, 97, 60));
    EXPECT_EQ(0xFF000080u, m_renderer.Pixel(flipped, 164, 60));
}

TEST_F(AnimationTest, BlockSheetPicksTheVariantBlockAndTheDirectionRow)
{
    CBlockAnimation anim;
    ASSERT_TRUE(anim.LoadSheet((m_dir / "blocks.png").c_str(), 4, 32, 32, 4, 128, 128, 2));
    EXPECT_EQ(128, anim.GetBlockHeight());
    EXPECT_EQ(128, anim.GetBlockWidth());
    EXPECT_EQ(2, anim.GetBlocksPerRow());
    EXPECT_EQ(4, anim.GetColumns());
    EXPECT_EQ(-1, CBlockAnimation().GetVariant());

    anim.SetVariant(3); // second column, second row of blocks
    anim.SetRow(2);
    anim.Update(0.16f);
    const RECT rect = anim.GetBlockFrameRect();
    EXPECT_EQ(128 + 32, rect.left);
    EXPECT_EQ(192, rect.right);
    EXPECT_EQ(128 + 64, rect.top);
    EXPECT_EQ(224, rect.bottom);

    const auto draws = DrawsOf([&] { anim.Render(10, 20, true, 1.0f, 0xFFFFFFFF); });
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ(160, draws[0].rSection.left);
    EXPECT_EQ(192, draws[0].rSection.top);
    EXPECT_FLOAT_EQ(42.0f, draws[0].fX);
    EXPECT_FLOAT_EQ(-1.0f, draws[0].fScaleX);
}

TEST_F(AnimationTest, BlockRectangleKeepsTheSheetLayoutTerm)
{
    // With frames that are not square the columns x frame height - block height term shows.
    CBlockAnimation anim;
    anim.SetFrameWidth(32);
    anim.SetFrameHeight(24);
    anim.SetColumns(4);
    anim.SetBlockWidth(128);
    anim.SetBlockHeight(100);
    anim.SetBlocksPerRow(2);
    anim.SetVariant(0);
    const RECT rect = anim.GetBlockFrameRect();
    EXPECT_EQ(4 * 24 - 100, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(24, rect.bottom);
}

TEST_F(AnimationTest, NothingIsDrawnBeforeALoad)
{
    CAnimation anim;
    CBlockAnimation block;
    const auto draws = DrawsOf(
        [&]
        {
            EXPECT_FALSE(anim.Render(0, 0, false, 1.0f, 0xFFFFFFFF));
            EXPECT_FALSE(block.Render(0, 0, false, 1.0f, 0xFFFFFFFF));
        });
    EXPECT_TRUE(draws.empty());
}
