// The whole game played with SDL's virtual game controllers through the real CGame: the logo, the
// menus, the story, play (steering, firing, pausing), a score entered with the pad alone and read
// back from the settings file; pads pulled out and plugged in during the game, two pads at once, a
// joystick SDL has no mapping for, and the rumble of a lost life.
#include "CBase.h"
#include "CControlsMenuState.h"
#include "CCreditsMenuState.h"
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CPauseState.h"
#include "CPlayer.h"
#include "CSettingsFile.h"
#include "CopperfenLogoState.h"
#include "GameEventIDs.h"

#include "CVKT_DirectInput.h"
#include "CVKT_EventSystem.h"
#include "CVKT_ObjectManager.h"

#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using headless::VirtualPad;

constexpr float kStepPerFrame = 200.0f * 0.016f; // the player's speed over one 16 ms frame

int PlayerBullets()
{
    const std::vector<CBase*>& objects = CVKT_ObjectManager::GetInstance()->GetObjects();
    return static_cast<int>(std::count_if(objects.begin(), objects.end(),
                                          [](const CBase* object)
                                          { return object->GetType() == OBJ_PLAYER_BULLET; }));
}

class PadPlaythroughTest : public ::testing::Test
{
protected:
    // Straight into a new game, with its player and enemies made.
    void IntoPlay()
    {
        game->ChangeState(play);
        ASSERT_TRUE(rig.Frame());
        ASSERT_NE(play->GetPlayer(), nullptr);
    }
    void Hold(VirtualPad& pad, SDL_GameControllerButton button, int frames)
    {
        pad.Press(button);
        for (int i = 0; i < frames; ++i)
            rig.Frame();
        pad.Release(button);
        rig.Frame();
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CGamePlayState* play = CGamePlayState::GetInstance();
    CMainMenuState* menu = CMainMenuState::GetInstance();
};
} // namespace

TEST_F(PadPlaythroughTest, FromTheLogoToAStoredHighScoreWithThePadAlone)
{
    VirtualPad& pad = rig.PlugPad();
    ASSERT_EQ(rig.Top(), CopperfenLogoState::GetInstance());
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(rig.Top(), menu);

    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(menu->GetSelection(), CMainMenuState::ITEM_EXIT);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_EQ(menu->GetSelection(), CMainMenuState::ITEM_PLAY);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    int presses = 0;
    while (rig.Top() == CLevelIntroState1::GetInstance() && presses < 20)
    {
        rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
        ++presses;
    }
    EXPECT_EQ(presses, 9) << "as many as with Space";
    ASSERT_EQ(rig.Top(), play);

    // Steering: the stick and the D-pad move the player as the arrow keys do.
    const struct
    {
        const char* name;
        SDL_GameControllerAxis axis;
        int value;
        SDL_GameControllerButton button;
        float dx;
        float dy;
    } steers[] = {
        {"stick left", SDL_CONTROLLER_AXIS_LEFTX, -32768, SDL_CONTROLLER_BUTTON_INVALID, -kStepPerFrame,
         0.0f},
        {"D-pad up", SDL_CONTROLLER_AXIS_INVALID, 0, SDL_CONTROLLER_BUTTON_DPAD_UP, 0.0f, -kStepPerFrame},
        {"stick down-right", SDL_CONTROLLER_AXIS_LEFTY, 32767, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
         kStepPerFrame, kStepPerFrame},
    };
    for (const auto& steer : steers)
    {
        if (steer.axis != SDL_CONTROLLER_AXIS_INVALID)
            pad.Move(steer.axis, steer.value);
        if (steer.button != SDL_CONTROLLER_BUTTON_INVALID)
            pad.Press(steer.button);
        ASSERT_TRUE(rig.Frame());
        const CPlayer* player = play->GetPlayer();
        const float x = player->GetPosX();
        const float y = player->GetPosY();
        ASSERT_TRUE(rig.Frame());
        EXPECT_NEAR(player->GetPosX() - x, steer.dx, 0.01f) << steer.name;
        EXPECT_NEAR(player->GetPosY() - y, steer.dy, 0.01f) << steer.name;
        pad.Move(SDL_CONTROLLER_AXIS_LEFTX, 0);
        pad.Move(SDL_CONTROLLER_AXIS_LEFTY, 0);
        pad.Release(SDL_CONTROLLER_BUTTON_DPAD_UP);
        pad.Release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    }

    // Firing: South held drops shots and spends charge as Space does.
    Hold(pad, SDL_CONTROLLER_BUTTON_A, 10);
    EXPECT_GE(PlayerBullets(), 1);
    EXPECT_LT(play->GetPlayer()->GetCharge(), 0.95f);

    // Start pauses and resumes; South on "resume" resumes too.
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(rig.Top(), CPauseState::GetInstance());
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(rig.Top(), play);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(rig.Top(), CPauseState::GetInstance());
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(rig.Top(), play);
    EXPECT_FALSE(play->IsPaused());

    // The last life lost with 30 points: the score entry, where the pad picks "9C9".
    for (int i = 0; i < 3; ++i)
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_ADD_SCORE);
    play->SetLives(1);
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_DIED);
    CEnterScorestate* entry = CEnterScorestate::GetInstance();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Top() == entry; }, 200));
    const struct
    {
        SDL_GameControllerButton button;
        const char* name;
        int place;
    } picks[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "A", 0}, // the first push shows the picker
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, " ", 0},   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "9", 0},
        {SDL_CONTROLLER_BUTTON_A, "9A", 1},          {SDL_CONTROLLER_BUTTON_DPAD_UP, "9B", 1},
        {SDL_CONTROLLER_BUTTON_A, "9BA", 2},         {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "9B ", 2},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "9B9", 2}, {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "9B9", 1},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, "9C9", 1},
    };
    for (const auto& pick : picks)
    {
        rig.Tap(pad, pick.button);
        EXPECT_EQ(entry->GetName(), pick.name);
        EXPECT_EQ(entry->GetPlace(), pick.place) << pick.name;
    }
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(rig.Top(), menu);
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_EQ(saved.highScores[0].nPoints, 30);
    EXPECT_STREQ(saved.highScores[0].szName, "9C9");
}

TEST_F(PadPlaythroughTest, PullingOutThePlayingPadPausesThePlay)
{
    VirtualPad& playing = rig.PlugPad();
    VirtualPad& idle = rig.PlugPad(VirtualPad::GameController("Idle Pad", 0x054C, 0x05C4));
    IntoPlay();
    Hold(playing, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 2);

    idle.Unplug();
    rig.Run(100);
    EXPECT_EQ(rig.Top(), play) << "nobody played with that one";
    playing.Unplug();
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), CPauseState::GetInstance());
    EXPECT_TRUE(play->IsPaused()) << "paused as Escape pauses, so one press resumes";
    rig.Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(rig.Top(), play);
}

TEST_F(PadPlaythroughTest, TwoPadsPlayTogether)
{
    VirtualPad& steering = rig.PlugPad();
    VirtualPad& firing = rig.PlugPad(VirtualPad::GameController("Second Pad", 0x054C, 0x05C4));
    IntoPlay();
    const int bullets = PlayerBullets();
    steering.Move(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    firing.Press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(rig.Frame());
    const float x = play->GetPlayer()->GetPosX();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(rig.Frame());
    EXPECT_NEAR(play->GetPlayer()->GetPosX() - x, 5 * kStepPerFrame, 0.05f);
    EXPECT_GT(PlayerBullets(), bullets);
}

TEST_F(PadPlaythroughTest, AnUnmappedJoystickIsIgnoredAndAPadPluggedInDuringAMenuWorksAtOnce)
{
    game->ChangeState(menu);
    VirtualPad& stick =
        rig.PlugPad(VirtualPad::Describe(SDL_JOYSTICK_TYPE_FLIGHT_STICK, "Test Flight Stick", 0, 0, 6, 8, 1));
    for (int button = 0; button < 8; ++button)
        stick.Button(button, true);
    stick.Hat(SDL_HAT_DOWN);
    stick.Axis(1, 32767);
    rig.Run(200);
    EXPECT_EQ(rig.Top(), menu);
    EXPECT_EQ(menu->GetSelection(), CMainMenuState::ITEM_PLAY);
    EXPECT_EQ(CVKT_DirectInput::GetInstance()->PadGetCount(), 0);

    // Held down from the frame it is plugged in: a step at once, then the repeat on the game's clock.
    VirtualPad& pad = rig.PlugPad();
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_TRUE(rig.Frame(10));
    EXPECT_EQ(menu->GetSelection(), 1);
    rig.Run(390, 10);
    EXPECT_EQ(menu->GetSelection(), 1) << "0.39 s held";
    rig.Run(140, 10);
    EXPECT_EQ(menu->GetSelection(), 3) << "0.53 s held";
    pad.Release(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(rig.Top(), COptionsMenuState::GetInstance());
}

TEST_F(PadPlaythroughTest, EastBacksOutWhereEscapeDoes)
{
    VirtualPad& pad = rig.PlugPad();
    const struct
    {
        IGameState* screen;
        bool leaves;
    } cases[] = {
        {COptionsMenuState::GetInstance(), true},
        {CControlsMenuState::GetInstance(), true},
        {CHighScoreMenuState::GetInstance(), true},
        {CCreditsMenuState::GetInstance(), false},
        {menu, false},
    };
    for (const auto& c : cases)
    {
        game->ChangeState(c.screen);
        rig.Tap(pad, SDL_CONTROLLER_BUTTON_B);
        EXPECT_EQ(rig.Top(), c.leaves ? menu : c.screen) << &c - cases;
    }
}

TEST_F(PadPlaythroughTest, OptionsAndHighScoresFollowThePad)
{
    VirtualPad& pad = rig.PlugPad();
    COptionsMenuState* options = COptionsMenuState::GetInstance();
    game->ChangeState(options);
    const float music = game->GetMusicVolume();
    Hold(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 125);
    EXPECT_NEAR(game->GetMusicVolume() - music, 20.0f, 0.3f) << "2 s held";
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_EQ(options->GetSelection(), COptionsMenuState::SELECT_FX);
    const float fx = game->GetFXVolume();
    pad.Move(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    for (int i = 0; i < 63; ++i)
        rig.Frame();
    pad.Move(SDL_CONTROLLER_AXIS_LEFTX, 0);
    rig.Frame();
    EXPECT_NEAR(fx - game->GetFXVolume(), 10.0f, 0.3f) << "1 s held";

    CHighScoreMenuState* scores = CHighScoreMenuState::GetInstance();
    game->ChangeState(scores);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(scores->GetPage(), 1);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(scores->GetPage(), 0);
}

TEST_F(PadPlaythroughTest, ALostLifeRumblesThePlayingPadWhereItCan)
{
    const struct
    {
        SDL_VirtualJoystickDesc desc;
        int rumbles;
    } cases[] = {{VirtualPad::RumblePad(), 1}, {VirtualPad::GameController(), 0}};
    for (const auto& c : cases)
    {
        VirtualPad& pad = rig.PlugPad(c.desc);
        IntoPlay();
        Hold(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 2);
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_DIED);
        ASSERT_TRUE(rig.Frame());
        EXPECT_EQ(play->GetLives(), 2);
        // Under the bubble a death is cancelled: no life lost, no rumble.
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_DIED);
        ASSERT_TRUE(rig.Frame());
        EXPECT_EQ(play->GetLives(), 2);
        EXPECT_EQ(pad.RumbleCount(), c.rumbles);
        // Out of play before the pad goes, so that pulling it out pauses nothing.
        game->ChangeState(menu);
        pad.Unplug();
        ASSERT_TRUE(rig.Frame());
    }
}
