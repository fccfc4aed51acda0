#include "ScriptedGames.h"

#include "HeadlessGame.h"

#include "CBase.h"
#include "CEnterScorestate.h"
#include "CGamePlayState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "CPauseState.h"
#include "CPlayer.h"
#include "CReplayPlayer.h"

#include "CVKT_ObjectManager.h"

#include <cmath>
#include <limits>

namespace headless
{
namespace
{
constexpr uint32_t kFrameMs = 16;
// Enough for a player who seeks the enemy fire to lose a life in most games.
constexpr uint32_t kSeekMs = 90000;

CGamePlayState* Play()
{
    return CGamePlayState::GetInstance();
}

bool InPlay(HeadlessGame& game)
{
    return game.Top() == Play();
}

// Where the enemy fire nearest to the player is; false when there is none.
bool NearestEnemyFire(float& fX, float& fY)
{
    const CPlayer* pPlayer = Play()->GetPlayer();
    if (!pPlayer)
        return false;
    float fBest = std::numeric_limits<float>::max();
    for (const CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (pObject->GetType() != OBJ_ENEMY_BULLET)
            continue;
        const float fDistance =
            std::hypot(pObject->GetPosX() - pPlayer->GetPosX(), pObject->GetPosY() - pPlayer->GetPosY());
        if (fDistance < fBest)
        {
            fBest = fDistance;
            fX = pObject->GetPosX();
            fY = pObject->GetPosY();
        }
    }
    return fBest < std::numeric_limits<float>::max();
}

// Which way to go from the player to (fX, fY), a few pixels either side counting as there.
void Toward(float fX, float fY, bool& bLeft, bool& bRight, bool& bUp, bool& bDown)
{
    const CPlayer* pPlayer = Play()->GetPlayer();
    bLeft = bRight = bUp = bDown = false;
    if (!pPlayer)
        return;
    bLeft = fX < pPlayer->GetPosX() - 4.0f;
    bRight = fX > pPlayer->GetPosX() + 4.0f;
    bUp = fY < pPlayer->GetPosY() - 4.0f;
    bDown = fY > pPlayer->GetPosY() + 4.0f;
}

// Where to fly when there is no fire to seek: along the bottom, turning at the edges.
void Patrol(uint32_t uFrame, float& fX, float& fY)
{
    fX = (uFrame / 150) % 2 == 0 ? 80.0f : 560.0f;
    fY = 400.0f;
}

// Flies into the enemy fire with the keys, Space held, until `done` holds or the time is up; true
// when it held.
template <typename Done>
bool SeekFireWithKeys(HeadlessGame& game, HeldKeys& keys, Done done, uint32_t uMilliseconds = kSeekMs)
{
    keys.Set(SDL_SCANCODE_SPACE, true);
    for (uint32_t uFrame = 0; uFrame * kFrameMs < uMilliseconds; ++uFrame)
    {
        if (done())
            return true;
        float fX = 0.0f;
        float fY = 0.0f;
        if (!NearestEnemyFire(fX, fY))
            Patrol(uFrame, fX, fY);
        bool bLeft, bRight, bUp, bDown;
        Toward(fX, fY, bLeft, bRight, bUp, bDown);
        keys.Set(SDL_SCANCODE_LEFT, bLeft);
        keys.Set(SDL_SCANCODE_RIGHT, bRight);
        keys.Set(SDL_SCANCODE_UP, bUp);
        keys.Set(SDL_SCANCODE_DOWN, bDown);
        game.Frame(kFrameMs);
    }
    return done();
}

template <typename Condition>
bool TapUntil(HeadlessGame& game, SDL_Scancode key, Condition condition, int nTimes = 12)
{
    for (int i = 0; i < nTimes && !condition(); ++i)
        game.Tap(key);
    return condition();
}

// A name for the table when the score asks for one, and the way back to the menu.
bool EnterName(HeadlessGame& game)
{
    game.Run(200);
    if (game.Top() != CEnterScorestate::GetInstance())
        return true;
    game.Type(SDL_SCANCODE_R, "R");
    game.Type(SDL_SCANCODE_E, "E");
    game.Type(SDL_SCANCODE_C, "C");
    game.Tap(SDL_SCANCODE_RETURN);
    return game.Top() == CMainMenuState::GetInstance();
}

bool PlayToGameOver(HeadlessGame& game)
{
    if (!StartWithKeys(game))
        return false;
    HeldKeys keys(game);
    if (!SeekFireWithKeys(
            game, keys, [] { return Play()->IsGameOver(); }, 4 * kSeekMs))
        return false;
    keys.ReleaseAll();
    return EnterName(game);
}

bool LoseALife(HeadlessGame& game, HeldKeys& keys)
{
    const int nLives = Play()->GetLives();
    return SeekFireWithKeys(game, keys,
                            [nLives] { return Play()->GetLives() < nLives || Play()->IsGameOver(); });
}

bool PauseAndResume(HeadlessGame& game)
{
    // By key: Escape in and out, the cursor moved on the way.
    game.Tap(SDL_SCANCODE_ESCAPE);
    if (game.Top() != CPauseState::GetInstance())
        return false;
    game.Tap(SDL_SCANCODE_DOWN);
    game.Tap(SDL_SCANCODE_UP);
    game.Tap(SDL_SCANCODE_ESCAPE);
    game.Run(100);
    if (!InPlay(game))
        return false;
    // By losing the focus: back with Return on the first item.
    game.Run(500);
    game.LoseFocus();
    game.Run(300);
    game.GainFocus();
    game.Frame();
    if (game.Top() != CPauseState::GetInstance())
        return false;
    game.Tap(SDL_SCANCODE_RETURN);
    return InPlay(game);
}

bool PlayTheCodes(HeadlessGame& game)
{
    if (!StartWithKeys(game))
        return false;
    HeldKeys keys(game);
    game.Type("xhatch");
    game.Type("talon");
    keys.Set(SDL_SCANCODE_SPACE, true);
    game.Run(3000);
    keys.Set(SDL_SCANCODE_SPACE, false);
    game.Type("talon");
    game.Type("aerie");
    SeekFireWithKeys(
        game, keys, [] { return false; }, 6000);
    keys.ReleaseAll();
    game.Type("aerie");
    if (Play()->GetLives() != 4 || Play()->IsRapidFire() || Play()->IsBubbleUp() || !PauseAndResume(game))
        return false;
    if (!LoseALife(game, keys))
        return false;
    keys.ReleaseAll();
    game.Tap(SDL_SCANCODE_2);
    game.Run(3200); // the respawn's bubble goes down
    if (Play()->GetLevel() != 2 || !LoseALife(game, keys))
        return false;
    keys.ReleaseAll();
    game.Tap(SDL_SCANCODE_2);
    if (Play()->GetLevel() != 3)
        return false;
    game.Run(5000);
    game.Tap(SDL_SCANCODE_2);
    game.Run(100);
    if (!Play()->IsGameCompleted())
        return false;
    return EnterName(game);
}

bool PlayWithThePad(HeadlessGame& game)
{
    VirtualPad& pad = game.PlugPad();
    game.Run(100);
    auto tapUntil = [&](SDL_GameControllerButton button, auto condition)
    {
        for (int i = 0; i < 12 && !condition(); ++i)
            game.Tap(pad, button);
        return condition();
    };
    if (!tapUntil(SDL_CONTROLLER_BUTTON_A, [&] { return game.Top() == CMainMenuState::GetInstance(); }))
        return false;
    game.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    if (!tapUntil(SDL_CONTROLLER_BUTTON_A, [&] { return InPlay(game); }))
        return false;
    // Fire held, the stick swept left and right, the D-pad up a while.
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    for (int nSweep = 0; nSweep < 6; ++nSweep)
    {
        pad.Move(SDL_CONTROLLER_AXIS_LEFTX, nSweep % 2 == 0 ? -30000 : 30000);
        game.Run(1500);
    }
    pad.Move(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_UP);
    game.Run(800);
    pad.Release(SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.Release(SDL_CONTROLLER_BUTTON_A);
    game.Run(500);
    // Start pauses and resumes; then Start again, the D-pad down to quit, South.
    game.Tap(pad, SDL_CONTROLLER_BUTTON_START);
    game.Run(300);
    game.Tap(pad, SDL_CONTROLLER_BUTTON_START);
    game.Run(300);
    if (!InPlay(game))
        return false;
    game.Run(1000);
    game.Tap(pad, SDL_CONTROLLER_BUTTON_START);
    game.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    game.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    return game.Top() == CMainMenuState::GetInstance();
}
// Every key pressed and released before one frame, as remote desktops and `xdotool key` send them.
bool PlayWithQuickTaps(HeadlessGame& game)
{
    auto quickTapUntil = [&](SDL_Scancode key, auto condition)
    {
        for (int i = 0; i < 12 && !condition(); ++i)
        {
            game.QuickTap(key);
            game.Frame();
        }
        return condition();
    };
    if (!quickTapUntil(SDL_SCANCODE_SPACE, [&] { return game.Top() == CMainMenuState::GetInstance(); }))
        return false;
    game.QuickTap(SDL_SCANCODE_RETURN);
    if (!quickTapUntil(SDL_SCANCODE_ESCAPE, [&] { return InPlay(game); }))
        return false;
    // Shots tapped, and steps tapped once and twice before a frame.
    const SDL_Scancode steps[] = {SDL_SCANCODE_LEFT, SDL_SCANCODE_UP, SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN};
    for (int nRound = 0; nRound < 24; ++nRound)
    {
        game.QuickTap(SDL_SCANCODE_SPACE);
        game.Run(150);
        const SDL_Scancode step = steps[nRound % 4];
        PushKeyPress(step);
        if (nRound % 2 == 1)
            PushKeyPress(step);
        game.Run(150);
    }
    // P in and out, then Escape in and quit.
    game.QuickTap(SDL_SCANCODE_P);
    game.Run(200);
    game.QuickTap(SDL_SCANCODE_P);
    game.Run(200);
    if (!InPlay(game))
        return false;
    game.QuickTap(SDL_SCANCODE_ESCAPE);
    game.Frame();
    game.QuickTap(SDL_SCANCODE_DOWN);
    game.QuickTap(SDL_SCANCODE_RETURN);
    return game.Top() == CMainMenuState::GetInstance();
}
} // namespace

HeldKeys::~HeldKeys()
{
    ReleaseAll();
}

void HeldKeys::Set(SDL_Scancode key, bool bDown)
{
    if (m_bHeld[key] == bDown)
        return;
    m_bHeld[key] = bDown;
    bDown ? m_game.Hold(key) : m_game.Release(key);
}

void HeldKeys::ReleaseAll()
{
    for (int key = 0; key < SDL_NUM_SCANCODES; ++key)
        Set(static_cast<SDL_Scancode>(key), false);
}

bool StartWithKeys(HeadlessGame& game)
{
    if (!TapUntil(game, SDL_SCANCODE_SPACE, [&] { return game.Top() == CMainMenuState::GetInstance(); }))
        return false;
    game.Tap(SDL_SCANCODE_RETURN);
    if (game.Top() != CLevelIntroState1::GetInstance())
        return false;
    return TapUntil(game, SDL_SCANCODE_ESCAPE, [&] { return InPlay(game); });
}

const std::vector<ScriptedGame>& ScriptedGames()
{
    static const std::vector<ScriptedGame> games = {
        {"game-over", PlayToGameOver, eReplayEnd::GameOver},
        {"codes", PlayTheCodes, eReplayEnd::Completed},
        {"pad", PlayWithThePad, eReplayEnd::Quit},
        {"quick-taps", PlayWithQuickTaps, eReplayEnd::Quit},
    };
    return games;
}

bool WatchToEnd(HeadlessGame& game, uint32_t step, uint32_t maxFrames)
{
    for (uint32_t uFrame = 0; uFrame < maxFrames; ++uFrame)
    {
        if (!CReplayPlayer::GetInstance()->IsWatching())
            return true;
        game.Frame(step);
    }
    return !CReplayPlayer::GetInstance()->IsWatching();
}
} // namespace headless
