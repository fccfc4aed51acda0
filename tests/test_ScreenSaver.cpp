// SDL's screensaver state follows the game's screens: the logo, the menus, the story, the pause and
// the high-score table let it come on; play and a replay being watched hold it off, and a replay
// paused by its watcher lets it come on again, as does a demo the title plays when nobody is there.
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "CPauseState.h"
#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CopperfenLogoState.h"

#include "Files.h"
#include "HeadlessGame.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
struct tStep
{
    const char* szWhat;
    std::function<void(headless::HeadlessGame&)> act;
    IGameState* pTop;
    bool bAllowed;
};

void TapUntilPlay(headless::HeadlessGame& rig)
{
    for (int i = 0; i < 12 && rig.Top() != CGamePlayState::GetInstance(); ++i)
        rig.Tap(SDL_SCANCODE_SPACE);
}

// From the pause screen of a game that lost the focus: the focus comes back, and a replay starts.
void Watch(headless::HeadlessGame& rig)
{
    rig.GainFocus();
    tReplay replay;
    ASSERT_EQ(CReplayFile::Load(headless::SourceDir() + "/tests/replays/game-over.replay", replay),
              CReplayFile::eError::None);
    CReplayPlayer::GetInstance()->Start(replay, CHighScoreMenuState::GetInstance());
}

void Nothing(headless::HeadlessGame&) {}
} // namespace

TEST(ScreenSaver, FollowsTheScreens)
{
    headless::HeadlessGame rig;
    IGameState* play = CGamePlayState::GetInstance();
    IGameState* pause = CPauseState::GetInstance();
    IGameState* table = CHighScoreMenuState::GetInstance();
    const tStep steps[] = {
        {"the logo", Nothing, CopperfenLogoState::GetInstance(), true},
        {"the main menu", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_SPACE); },
         CMainMenuState::GetInstance(), true},
        {"the story", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_RETURN); },
         CLevelIntroState1::GetInstance(), true},
        {"play", TapUntilPlay, play, false},
        {"the pause screen", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_ESCAPE); }, pause, true},
        {"play again", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_ESCAPE); }, play, false},
        {"the pause after a focus loss", [](headless::HeadlessGame& r) { r.LoseFocus(); }, pause, true},
        {"a replay watched", Watch, play, false},
        {"the replay paused by its watcher", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_SPACE); },
         play, true},
        {"the replay going on", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_SPACE); }, play, false},
        {"the high-score table after it", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_ESCAPE); },
         table, true},
        {"the main menu again", [](headless::HeadlessGame& r) { r.Tap(SDL_SCANCODE_ESCAPE); },
         CMainMenuState::GetInstance(), true},
        {"a demo the title plays by itself, nobody there",
         [](headless::HeadlessGame& r) { r.Run(61000, 100); }, play, true},
    };
    for (const tStep& step : steps)
    {
        step.act(rig);
        rig.Run(100);
        ASSERT_EQ(rig.Top(), step.pTop) << step.szWhat;
        EXPECT_EQ(SDL_IsScreenSaverEnabled() == SDL_TRUE, step.bAllowed) << step.szWhat;
    }
}
