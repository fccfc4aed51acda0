// The pause screen in the real game over the gameplay state: the panel and the cursor read back, the
// cursor keys, the "UnpauseGame" round trip that leaves one frame later, resume and quit with
// Return, and the pause that a focus loss pushes, left with one key as any other.
#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CPauseState.h"
#include "GameEventIDs.h"

#include "CVKT_EventSystem.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
class PauseScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        game->ChangeState(play);
        ASSERT_TRUE(rig.Frame());
    }

    // What the gameplay does on "PauseGame" while it is not paused.
    void PauseFromPlay()
    {
        game->PushState(pause);
        play->SetPaused(true);
    }

    headless::Comparison CursorAt(const std::vector<uint32_t>& frame, int x, int y) const
    {
        return headless::CompareSection(frame, cursor, 0, 0, cursor.width, cursor.height, x, y);
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CGamePlayState* play = CGamePlayState::GetInstance();
    CPauseState* pause = CPauseState::GetInstance();
    headless::Picture cursor = headless::LoadPicture("VKT_MenuCursor.png", 0xFFFFFFFF);
};
} // namespace

TEST_F(PauseScreenTest, ThePanelIsCentredAndTheCursorStandsAtTheSelectedItem)
{
    const headless::Picture panel = headless::LoadPicture("OxM_PauseMenu.png", 0);
    PauseFromPlay();
    std::vector<uint32_t> frame = rig.CaptureFrame();
    const headless::Comparison shown = headless::CompareSection(frame, panel, 0, 0, 320, 240, 160, 120);
    EXPECT_GT(shown.compared, 3000);
    // The cursor lies over the panel; leave its square out of the panel's comparison.
    const headless::Comparison left = headless::CompareSection(frame, panel, 0, 0, 65, 240, 160, 120);
    EXPECT_EQ(left.mismatched, 0) << left.firstMismatch;
    headless::Comparison at = CursorAt(frame, 225, 244);
    EXPECT_GT(at.compared, 100);
    EXPECT_EQ(at.mismatched, 0) << "resume: (225, 244) " << at.firstMismatch;
    EXPECT_GT(CursorAt(frame, 269, 289).mismatched, 20);

    rig.Tap(SDL_SCANCODE_DOWN);
    ASSERT_EQ(pause->GetSelection(), CPauseState::ITEM_QUIT);
    frame = rig.CaptureFrame();
    at = CursorAt(frame, 269, 289);
    EXPECT_EQ(at.mismatched, 0) << "quit: (269, 289) " << at.firstMismatch;
    EXPECT_GT(CursorAt(frame, 225, 244).mismatched, 20);
}

TEST_F(PauseScreenTest, UpAndDownWrapBetweenTheTwoItems)
{
    PauseFromPlay();
    rig.Tap(SDL_SCANCODE_UP);
    EXPECT_EQ(pause->GetSelection(), CPauseState::ITEM_QUIT) << "Up on resume highlights quit";
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(pause->GetSelection(), CPauseState::ITEM_RESUME) << "Down on quit highlights resume";
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(pause->GetSelection(), CPauseState::ITEM_QUIT);
}

TEST_F(PauseScreenTest, POrEscapeLeaveThroughTheEventOneFrameLater)
{
    for (SDL_Scancode key : {SDL_SCANCODE_P, SDL_SCANCODE_ESCAPE})
    {
        PauseFromPlay();
        rig.Hold(key);
        ASSERT_TRUE(rig.Frame());
        EXPECT_EQ(rig.Top(), pause) << "the event is delivered at the end of the frame";
        EXPECT_FALSE(play->IsPaused()) << "and clears the gameplay's flag";
        ASSERT_TRUE(rig.Frame());
        EXPECT_EQ(rig.Top(), play) << SDL_GetScancodeName(key) << ": popped in the next Update";
        EXPECT_EQ(rig.Depth(), 1u);
        rig.Release(key);
        ASSERT_TRUE(rig.Frame());
    }
    // Gone from the event system with the screen: a stray "UnpauseGame" reaches nobody.
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_UNPAUSE_GAME);
    ASSERT_TRUE(rig.Frame());
    EXPECT_FALSE(play->IsPaused());
}

TEST_F(PauseScreenTest, ReturnResumesAtOnceOrQuitsToTheMainMenu)
{
    PauseFromPlay();
    rig.Hold(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), play);
    EXPECT_FALSE(play->IsPaused());
    rig.Release(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(rig.Frame());

    PauseFromPlay();
    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Hold(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    EXPECT_EQ(rig.Depth(), 1u) << "the game is left too";
    rig.Release(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(rig.Frame());
}

TEST_F(PauseScreenTest, AltReturnSwitchesTheDisplayWithoutChoosing)
{
    PauseFromPlay();
    rig.Hold(SDL_SCANCODE_LALT);
    rig.Hold(SDL_SCANCODE_RETURN, KMOD_LALT);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), pause);
    EXPECT_FALSE(game->IsWindowed());
    rig.Release(SDL_SCANCODE_RETURN, KMOD_LALT);
    rig.Release(SDL_SCANCODE_LALT);
    ASSERT_TRUE(rig.Frame());
}

TEST_F(PauseScreenTest, AfterAFocusLossOneEscapeOrPLeaves)
{
    for (const SDL_Scancode key : {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_P})
    {
        headless::PushWindowEvent(rig.Window(), SDL_WINDOWEVENT_FOCUS_LOST);
        ASSERT_TRUE(rig.Frame());
        ASSERT_EQ(rig.Top(), pause);
        headless::PushWindowEvent(rig.Window(), SDL_WINDOWEVENT_FOCUS_GAINED);
        ASSERT_TRUE(rig.Frame());

        rig.QuickTap(key);
        rig.Frame();
        EXPECT_EQ(rig.Top(), play) << SDL_GetScancodeName(key);
        EXPECT_FALSE(play->IsPaused());
        // The game runs again: the next pause key pauses it, as after any pause.
        rig.QuickTap(key);
        rig.Frame();
        EXPECT_EQ(rig.Top(), pause) << SDL_GetScancodeName(key);
        rig.QuickTap(key);
        rig.Frame();
        EXPECT_EQ(rig.Top(), play) << SDL_GetScancodeName(key);
    }
}
