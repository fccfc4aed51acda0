// Taps shorter than a frame, as remote desktops, on-screen keyboards, macro keys and `xdotool key`
// send them: press and release in SDL's queue before one frame. Each must act on every screen as a
// press held longer does, once, and a pad's button or stick flicked as briefly too.
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "CPlayer.h"
#include "CopperfenLogoState.h"
#include "GameEventIDs.h"

#include "CVKT_EventSystem.h"

#include "PlayBench.h"

#include <gtest/gtest.h>

namespace
{
// Counts the shots the player fires while it lives.
class ShotCounter : public IListener
{
public:
    ShotCounter() { CVKT_EventSystem::GetInstance()->RegisterClient(EVENT_PLAYER_FIRE_BULLET, this); }
    ~ShotCounter() override
    {
        CVKT_EventSystem::GetInstance()->UnregisterClient(EVENT_PLAYER_FIRE_BULLET, this);
    }
    void HandleEvent(CEvent*) override { ++shots; }
    int shots = 0;
};

CMainMenuState* Menu()
{
    return CMainMenuState::GetInstance();
}
} // namespace

TEST(Taps, AKeyTappedWithinAFrameLeavesTheLogoAndStepsTheMenuOnce)
{
    for (const SDL_Scancode key : {SDL_SCANCODE_SPACE, SDL_SCANCODE_ESCAPE, SDL_SCANCODE_RETURN})
    {
        headless::HeadlessGame rig;
        ASSERT_EQ(rig.Top(), CopperfenLogoState::GetInstance());
        rig.QuickTap(key);
        EXPECT_EQ(rig.Top(), Menu()) << SDL_GetScancodeName(key);
    }

    headless::HeadlessGame rig;
    CGame::GetInstance()->ChangeState(Menu());
    rig.QuickTap(SDL_SCANCODE_DOWN);
    rig.Run(100);
    EXPECT_EQ(Menu()->GetSelection(), 1) << "one tap, one step";
    // Two taps before one frame: two steps, in two frames in a row.
    headless::PushKeyPress(SDL_SCANCODE_DOWN);
    headless::PushKeyPress(SDL_SCANCODE_DOWN);
    rig.Frame();
    EXPECT_EQ(Menu()->GetSelection(), 2);
    rig.Frame();
    EXPECT_EQ(Menu()->GetSelection(), 3);
    rig.Run(100);
    EXPECT_EQ(Menu()->GetSelection(), 3);
    rig.QuickTap(SDL_SCANCODE_UP);
    rig.QuickTap(SDL_SCANCODE_UP);
    rig.QuickTap(SDL_SCANCODE_UP);
    rig.QuickTap(SDL_SCANCODE_RETURN);
    EXPECT_EQ(rig.Top(), CLevelIntroState1::GetInstance()) << "Return on New Game";
}

TEST(Taps, SpaceTappedWithinAFrameFiresOneShot)
{
    headless::PlayBench game;
    game.StartGame();
    game.RemoveEnemies();
    CPlayer::SetFireTimer(0.3f);
    ShotCounter counter;
    game.QuickTap(SDL_SCANCODE_SPACE);
    game.Run(1000);
    EXPECT_EQ(counter.shots, 1);
    // Again after the fire timer: each tap one shot, however short.
    game.QuickTap(SDL_SCANCODE_SPACE);
    game.Run(1000);
    EXPECT_EQ(counter.shots, 2);
}

TEST(Taps, ALetterTappedWithinAFrameTypesOneCharacterOfTheName)
{
    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    tHighScore table[NUM_HIGH_SCORES] = {};
    for (tHighScore& entry : table)
        entry = tHighScore{-10, "LOW"};
    game->SetHighScores(table);
    game->ChangeState(CGamePlayState::GetInstance());
    game->PushState(CEnterScorestate::GetInstance());
    rig.QuickTap(SDL_SCANCODE_K);
    rig.Run(100);
    EXPECT_EQ(CEnterScorestate::GetInstance()->GetName().size(), 1u);
    rig.QuickTap(SDL_SCANCODE_Q);
    rig.Run(100);
    EXPECT_EQ(CEnterScorestate::GetInstance()->GetName().size(), 2u);
}

TEST(Taps, APadsButtonOrStickFlickedWithinAFrameActsOnce)
{
    headless::HeadlessGame rig;
    headless::VirtualPad& pad = rig.PlugPad();
    CGame::GetInstance()->ChangeState(Menu());
    rig.Run(100);

    rig.QuickTap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    rig.Run(100);
    EXPECT_EQ(Menu()->GetSelection(), 1) << "the D-pad";
    // The stick past its dead zone and back.
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    SDL_PumpEvents();
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, 0);
    rig.Frame();
    rig.Run(100);
    EXPECT_EQ(Menu()->GetSelection(), 2) << "the stick";

    rig.QuickTap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    rig.QuickTap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    rig.QuickTap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(rig.Top(), CLevelIntroState1::GetInstance()) << "South on New Game";
}
