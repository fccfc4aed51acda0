// The high-score table in the real game: the rows of both pages and the page arrow read back from
// frames, the page keys, and the table shown exactly as the game holds it.
#include "CGame.h"
#include "CHighScoreMenuState.h"
#include "CMainMenuState.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class HighScoreMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { game->ChangeState(table); }

    headless::Comparison Row(const std::vector<uint32_t>& frame, const std::string& text, int row) const
    {
        return headless::CompareText(frame, font, 16, 24, 20, text, 145, 113 + 59 * row);
    }
    headless::Comparison ArrowAtBottom(const std::vector<uint32_t>& frame) const
    {
        return headless::CompareSection(frame, arrow, 0, 0, arrow.width, arrow.height, 598, 396);
    }
    headless::Comparison MirroredArrowAtTop(const std::vector<uint32_t>& frame) const
    {
        return headless::CompareSection(frame, arrow, 0, 0, arrow.width, arrow.height, 598, 84, true);
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CHighScoreMenuState* table = CHighScoreMenuState::GetInstance();
    headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFF000000);
    headless::Picture arrow = headless::LoadPicture("OxM_Arrow.png", 0xFFFFFFFF);
};
} // namespace

TEST_F(HighScoreMenuTest, TheDefaultTableShowsRankNameAndPointsOnTwoPages)
{
    std::vector<uint32_t> frame = rig.CaptureFrame();
    for (int row = 0; row < 5; ++row)
    {
        const headless::Comparison shown = Row(frame, std::to_string(row + 1) + ". AAA - 0", row);
        EXPECT_GT(shown.compared, 300);
        EXPECT_EQ(shown.mismatched, 0) << "row " << row << " " << shown.firstMismatch;
    }
    EXPECT_GT(Row(frame, "1: AAA + 0", 0).mismatched, 10) << "the comparison tells . from : and - from +";
    const headless::Comparison esc = headless::CompareText(frame, font, 16, 24, 20, "press ESC", 480, 450);
    EXPECT_EQ(esc.mismatched, 0) << esc.firstMismatch;

    rig.Tap(SDL_SCANCODE_DOWN);
    ASSERT_EQ(table->GetPage(), 1);
    frame = rig.CaptureFrame();
    for (int row = 0; row < 5; ++row)
    {
        const headless::Comparison shown = Row(frame, std::to_string(row + 6) + ". AAA - 0", row);
        EXPECT_EQ(shown.mismatched, 0) << "row " << row << " " << shown.firstMismatch;
    }
}

TEST_F(HighScoreMenuTest, TheArrowPointsDownOnTheFirstPageAndIsMirroredUpwardOnTheSecond)
{
    std::vector<uint32_t> frame = rig.CaptureFrame();
    headless::Comparison bottom = ArrowAtBottom(frame);
    EXPECT_GT(bottom.compared, 200);
    EXPECT_EQ(bottom.mismatched, 0) << bottom.firstMismatch;
    EXPECT_GT(MirroredArrowAtTop(frame).mismatched, 100) << "no arrow at the top on the first page";

    rig.Tap(SDL_SCANCODE_DOWN);
    frame = rig.CaptureFrame();
    const headless::Comparison top = MirroredArrowAtTop(frame);
    EXPECT_GT(top.compared, 200);
    EXPECT_EQ(top.mismatched, 0) << "rows 84 - 1 - v, extending upward " << top.firstMismatch;
    // Unmirrored at the same place it would not match: the arrow is not symmetric top to bottom.
    EXPECT_GT(headless::CompareSection(frame, arrow, 0, 0, arrow.width, arrow.height, 598, 84 - arrow.height)
                  .mismatched,
              50);
    EXPECT_GT(ArrowAtBottom(frame).mismatched, 100) << "no arrow at the bottom on the second page";
}

TEST_F(HighScoreMenuTest, PageKeysAndEscapeWithTheFirstMatchOnly)
{
    rig.Tap(SDL_SCANCODE_UP);
    EXPECT_EQ(table->GetPage(), 0) << "Up on the first page changes nothing";
    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(table->GetPage(), 1) << "Down on the second page changes nothing";

    rig.Hold(SDL_SCANCODE_UP);
    rig.Hold(SDL_SCANCODE_DOWN);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(table->GetPage(), 1) << "Down is tested before Up";
    rig.Release(SDL_SCANCODE_UP);
    rig.Release(SDL_SCANCODE_DOWN);
    ASSERT_TRUE(rig.Frame());

    rig.Hold(SDL_SCANCODE_UP);
    rig.Hold(SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance()) << "Escape wins";
    EXPECT_EQ(table->GetPage(), 1) << "the arrow pressed with it was not taken";
    rig.Release(SDL_SCANCODE_UP);
    rig.Release(SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(rig.Frame());

    game->ChangeState(table);
    EXPECT_EQ(table->GetPage(), 0) << "every visit opens on the first page";
}

TEST_F(HighScoreMenuTest, EntriesAreShownInTableOrderExactlyAsTheGameHoldsThem)
{
    tHighScore scores[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        scores[i] = tHighScore{1000 - 90 * i, "KAT"};
    scores[1] = tHighScore{910, "JO"};
    scores[6] = tHighScore{460, ""};
    game->SetHighScores(scores);
    std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_EQ(Row(frame, "1. KAT - 1000", 0).mismatched, 0);
    EXPECT_EQ(Row(frame, "2. JO - 910", 1).mismatched, 0) << "a name of two letters";
    EXPECT_EQ(Row(frame, "5. KAT - 640", 4).mismatched, 0);
    rig.Tap(SDL_SCANCODE_DOWN);
    frame = rig.CaptureFrame();
    EXPECT_EQ(Row(frame, "7.  - 460", 1).mismatched, 0) << "an empty name";
    EXPECT_EQ(Row(frame, "10. KAT - 190", 4).mismatched, 0);
}
