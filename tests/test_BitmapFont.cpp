// The bitmap font: cell rectangles, what Print and PrintChar draw (recorded sprite draws and
// pixels), characters without a cell, and the references Shutdown gives back.
#include "CBitmapFont.h"

#include "CVKT_Sprite.h"
#include "CVKT_TextureManager.h"
#include "Files.h"
#include "RendererBench.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

class BitmapFontTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // 16 x 24 cells, 20 columns, 5 rows: codes 32 to 131 (as unsigned bytes). Glyph cells are
        // white on black, so a black colour key leaves only the glyphs.
        WriteSheet(m_dir / "font.png", 5);
        // Two rows only: codes 32 to 71 ('G'); 'H' and later have no cell.
        WriteSheet(m_dir / "short.png", 2);
    }
    void TearDown() override { m_pFont->Shutdown(); }

    void WriteSheet(const std::string& path, int nRows)
    {
        const int nWidth = 320, nHeight = 24 * nRows;
        std::vector<uint32_t> pixels(nWidth * nHeight, kBlack);
        // A white block in the middle of every cell.
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
                if (x % 16 >= 4 && x % 16 < 12 && y % 24 >= 6 && y % 24 < 18)
                    pixels[y * nWidth + x] = kWhite;
        headless::WritePng(path, nWidth, nHeight, pixels);
    }

    bool InitFont(const std::string& file = "font.png")
    {
        return m_pFont->Initialize((m_dir / file).c_str(), 16, 24, 20, kBlack, ' ');
    }

    template <typename Fn>
    std::vector<CVKT_Sprite::tDraw> DrawsOf(Fn fn)
    {
        return m_renderer.DrawsOf(fn);
    }

    headless::RendererBench m_renderer;
    headless::ScopedTempDir m_dir;
    CBitmapFont* m_pFont = CBitmapFont::GetInstance();
    CVKT_TextureManager* m_pTM = CVKT_TextureManager::GetInstance();
};

struct Placed
{
    float fX, fY;
    int nLeft, nTop;
    bool operator==(const Placed& other) const
    {
        return fX == other.fX && fY == other.fY && nLeft == other.nLeft && nTop == other.nTop;
    }
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << "(" << p.fX << ", " << p.fY << " from " << p.nLeft << ", " << p.nTop << ")";
}

std::vector<Placed> Placements(const std::vector<CVKT_Sprite::tDraw>& draws)
{
    std::vector<Placed> placed;
    for (const CVKT_Sprite::tDraw& draw : draws)
        placed.push_back({draw.fX, draw.fY, draw.rSection.left, draw.rSection.top});
    return placed;
}

using Places = std::vector<Placed>;
} // namespace

TEST_F(BitmapFontTest, CellRectanglesRunRowByRowFromTheFirstCharacter)
{
    ASSERT_TRUE(InitFont());
    const RECT a = m_pFont->GetCellRect('A' - ' ');
    EXPECT_EQ(208, a.left);
    EXPECT_EQ(24, a.top);
    EXPECT_EQ(224, a.right);
    EXPECT_EQ(48, a.bottom);
    const RECT space = m_pFont->GetCellRect(0);
    EXPECT_EQ(0, space.left);
    EXPECT_EQ(0, space.top);
    const RECT last = m_pFont->GetCellRect(19);
    EXPECT_EQ(304, last.left);
    EXPECT_EQ(0, last.top);
}

TEST_F(BitmapFontTest, PrintAdvancesByTheScaledCellWidth)
{
    ASSERT_TRUE(InitFont());
    const auto draws = DrawsOf([&] { m_pFont->Print("AB", 100, 50, 2.0f, kWhite); });
    EXPECT_EQ((Places{{100, 50, 208, 24}, {132, 50, 224, 24}}), Placements(draws));
    ASSERT_EQ(2u, draws.size());
    EXPECT_FLOAT_EQ(2.0f, draws[0].fScaleX);
    EXPECT_FLOAT_EQ(2.0f, draws[0].fScaleY);
    EXPECT_EQ(224, draws[0].rSection.right);
    EXPECT_EQ(48, draws[0].rSection.bottom);
    EXPECT_EQ(kWhite, draws[0].dwColor);
}

TEST_F(BitmapFontTest, HalfScaleAdvancesEightPixels)
{
    ASSERT_TRUE(InitFont());
    const auto draws = DrawsOf([&] { m_pFont->Print(std::string("ABC"), 10, 5, 0.5f, kWhite); });
    ASSERT_EQ(3u, draws.size());
    EXPECT_FLOAT_EQ(26.0f, draws[2].fX);
    EXPECT_FLOAT_EQ(0.5f, draws[2].fScaleX);
}

TEST_F(BitmapFontTest, NewlineMovesDownOneScaledLineAndBackToTheStart)
{
    ASSERT_TRUE(InitFont());
    const auto normal = DrawsOf([&] { m_pFont->Print("AB\nC", 100, 50, 1.0f, kWhite); });
    EXPECT_EQ((Places{{100, 50, 208, 24}, {116, 50, 224, 24}, {100, 74, 240, 24}}), Placements(normal));

    const auto doubled = DrawsOf([&] { m_pFont->Print(std::string("A\n\nB"), 100, 50, 2.0f, kWhite); });
    EXPECT_EQ((Places{{100, 50, 208, 24}, {100, 146, 224, 24}}), Placements(doubled));

    // 24 x 0.5 = 12; 24 x 0.3 = 7.2 truncates to 7.
    const auto half = DrawsOf([&] { m_pFont->Print("A\nB", 0, 0, 0.5f, kWhite); });
    EXPECT_EQ((Places{{0, 0, 208, 24}, {0, 12, 224, 24}}), Placements(half));
    const auto odd = DrawsOf([&] { m_pFont->Print("A\nB", 0, 0, 0.3f, kWhite); });
    EXPECT_EQ((Places{{0, 0, 208, 24}, {0, 7, 224, 24}}), Placements(odd));
}

TEST_F(BitmapFontTest, CharactersWithoutACellDrawNothingButKeepTheirPlace)
{
    ASSERT_TRUE(InitFont());
    // Control characters (the score entry can store 13 and 27) and an 8-bit letter fall below the
    // first character.
    const auto draws = DrawsOf([&] { m_pFont->Print("A\r\x1B\xE9Z", 0, 0, 1.0f, kWhite); });
    EXPECT_EQ((Places{{0, 0, 208, 24}, {64, 0, 288, 48}}), Placements(draws));

    m_pFont->Shutdown();
    ASSERT_TRUE(InitFont("short.png"));
    const auto shortSheet = DrawsOf([&] { m_pFont->Print("GHG", 0, 0, 1.0f, kWhite); });
    EXPECT_EQ((Places{{0, 0, 304, 24}, {32, 0, 304, 24}}), Placements(shortSheet));
}

TEST_F(BitmapFontTest, PrintCharDrawsOneGlyphAndReportsWhetherItDid)
{
    ASSERT_TRUE(InitFont());
    std::vector<CVKT_Sprite::tDraw> draws = DrawsOf(
        [&]
        {
            EXPECT_TRUE(m_pFont->PrintChar('A', 30, 40, 1.5f, 0xFFFF0000));
            EXPECT_FALSE(m_pFont->PrintChar('\n', 30, 40, 1.0f, kWhite));
            EXPECT_FALSE(m_pFont->PrintChar('\x1B', 30, 40, 1.0f, kWhite));
        });
    EXPECT_EQ((Places{{30, 40, 208, 24}}), Placements(draws));
    ASSERT_EQ(1u, draws.size());
    EXPECT_FLOAT_EQ(1.5f, draws[0].fScaleX);
    EXPECT_EQ(0xFFFF0000u, draws[0].dwColor);
}

TEST_F(BitmapFontTest, GlyphPixelsTakeTheColourAndTheKeyedBackgroundIsTransparent)
{
    ASSERT_TRUE(InitFont());
    const auto frame = m_renderer.Frame([&] { m_pFont->Print("AA", 100, 100, 2.0f, 0xFFFF0000); });
    // The white block of a cell, doubled: x 8..23, y 12..35 from the glyph's corner.
    EXPECT_EQ(0xFFFF0000u, m_renderer.Pixel(frame, 100 + 10, 100 + 20));
    EXPECT_EQ(0xFFFF0000u, m_renderer.Pixel(frame, 132 + 20, 100 + 30));
    // The cell's black surround was keyed out: the dark blue clear colour shows.
    EXPECT_EQ(0xFF000080u, m_renderer.Pixel(frame, 100 + 2, 100 + 20));
    EXPECT_EQ(0xFF000080u, m_renderer.Pixel(frame, 100 + 10, 100 + 40));
}

TEST_F(BitmapFontTest, ShutdownReleasesTheSheetOnceAndNothingElse)
{
    headless::WritePng(m_dir / "other.png", 4, 4, std::vector<uint32_t>(16, kWhite));
    const int nOther = m_pTM->LoadTexture((m_dir / "other.png").c_str());
    ASSERT_EQ(0, nOther); // the slot a font that forgot its sheet would release
    ASSERT_TRUE(InitFont());
    const int nSheet = m_pTM->LoadTexture((m_dir / "font.png").c_str(), kBlack); // a second holder
    EXPECT_EQ(2, m_pTM->GetRefCount(nSheet));

    m_pFont->Shutdown();
    EXPECT_EQ(1, m_pTM->GetRefCount(nSheet));
    m_pFont->Shutdown();
    m_pFont->Shutdown();
    EXPECT_EQ(1, m_pTM->GetRefCount(nSheet));
    EXPECT_EQ(1, m_pTM->GetRefCount(nOther));
    m_pTM->UnloadTexture(nSheet);
    m_pTM->UnloadTexture(nOther);
}

TEST_F(BitmapFontTest, WithoutASheetNothingIsDrawn)
{
    m_pFont->Shutdown();
    EXPECT_TRUE(DrawsOf(
                    [&]
                    {
                        m_pFont->Print("AB", 0, 0, 1.0f, kWhite);
                        EXPECT_FALSE(m_pFont->PrintChar('A', 0, 0, 1.0f, kWhite));
                    })
                    .empty());
    const RECT rect = m_pFont->GetCellRect(33);
    EXPECT_EQ(rect.left, rect.right);

    EXPECT_FALSE(m_pFont->Initialize((m_dir / "missing.png").c_str(), 16, 24, 20, kBlack, ' '));
    EXPECT_TRUE(DrawsOf([&] { m_pFont->Print("AB", 0, 0, 1.0f, kWhite); }).empty());
}
