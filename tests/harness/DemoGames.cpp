#include "DemoGames.h"

#include "HeadlessGame.h"
#include "ScriptedGames.h"

#include "CBase.h"
#include "CBullet.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CPauseState.h"
#include "CPlayer.h"

#include "CVKT_ObjectManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace headless
{
namespace
{
constexpr uint32_t FRAME_MS = 16;
// A shot drops for 1.25 s (its scale from 1 to 0 at 0.8 a second) and drifts down 26 pixels a
// second meanwhile: where it lands lies that far below where it left.
constexpr float DROP_SECONDS = 1.25f;
constexpr float DROP_DRIFT = 26.0f * DROP_SECONDS;
// Close enough to let a shot go, and to call a place reached.
constexpr float AIM_SLACK = 10.0f;
constexpr float STEER_SLACK = 4.0f;
// The player's box is 62 x 53 and a rock's 16 x 16: centres closer than this may touch.
constexpr float DANGER_RADIUS = 58.0f;
constexpr float LOOK_AHEAD_SECONDS = 0.9f;
constexpr float ESCAPE_DISTANCE = 90.0f;
// A shot spends a tenth of the charge; keep a little for the next one that lines up.
constexpr float CHARGE_TO_FIRE = 0.15f;
constexpr float LEFT = 40.0f;
constexpr float RIGHT = 600.0f;
constexpr float TOP = 40.0f;
constexpr float BOTTOM = 440.0f;

struct tPoint
{
    float fX;
    float fY;
};

float Distance(tPoint a, tPoint b)
{
    return std::hypot(a.fX - b.fX, a.fY - b.fY);
}

tPoint Clamped(tPoint p)
{
    return {std::clamp(p.fX, LEFT, RIGHT), std::clamp(p.fY, TOP, BOTTOM)};
}

// How close an enemy shot comes to the player (standing still) while it could hit, within the
// look-ahead, and where it is then; false when it never comes within DANGER_RADIUS.
bool Threatens(const CBullet& shot, tPoint player, tPoint& at)
{
    const float fRate = shot.GetScaleRate();
    const float fReady = fRate > 0.0f ? std::max(0.0f, (1.0f - shot.GetScale()) / fRate) : 0.0f;
    for (float fT = 0.0f; fT <= LOOK_AHEAD_SECONDS; fT += 0.05f)
    {
        const tPoint p{shot.GetPosX() + shot.GetVelX() * fT, shot.GetPosY() + shot.GetVelY() * fT};
        if (fT + 0.1f >= fReady && Distance(p, player) < DANGER_RADIUS)
        {
            at = p;
            return true;
        }
    }
    return false;
}

// Where to go to get out of the way of the nearest threatening shot: sideways off its line, away
// from the side it would pass; false when nothing threatens.
bool Escape(tPoint player, tPoint& to)
{
    float fNearest = std::numeric_limits<float>::max();
    for (const CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        const auto* pShot = dynamic_cast<const CBullet*>(pObject);
        tPoint at{};
        if (!pShot || pObject->GetType() != OBJ_ENEMY_BULLET || !Threatens(*pShot, player, at))
            continue;
        const float fDistance = Distance(at, player);
        if (fDistance >= fNearest)
            continue;
        fNearest = fDistance;
        // Across the shot's path, on the player's side of it.
        tPoint side{-pShot->GetVelY(), pShot->GetVelX()};
        const float fLength = std::hypot(side.fX, side.fY);
        if (fLength > 0.0f)
            side = {side.fX / fLength, side.fY / fLength};
        else
            side = {1.0f, 0.0f};
        if ((player.fX - at.fX) * side.fX + (player.fY - at.fY) * side.fY < 0.0f)
            side = {-side.fX, -side.fY};
        to = Clamped({player.fX + side.fX * ESCAPE_DISTANCE, player.fY + side.fY * ESCAPE_DISTANCE});
        // Pinned against an edge: the other way round.
        if (Distance(to, player) < ESCAPE_DISTANCE / 2.0f)
            to = Clamped({player.fX - side.fX * ESCAPE_DISTANCE, player.fY - side.fY * ESCAPE_DISTANCE});
    }
    return fNearest < std::numeric_limits<float>::max();
}

// Where to be for a shot to land on the best target: shooters first, then the nearest walker,
// each where it will be when the shot lands; false when nobody is on the field.
bool AimPoint(tPoint player, tPoint& to)
{
    float fBest = std::numeric_limits<float>::max();
    for (const CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (pObject->GetType() != OBJ_ENEMY || pObject->GetPosY() < 0.0f)
            continue;
        const tPoint landing{pObject->GetPosX() + pObject->GetVelX() * DROP_SECONDS,
                             pObject->GetPosY() + pObject->GetVelY() * DROP_SECONDS - DROP_DRIFT};
        // A shooter stands on the ground and only drifts down with it.
        const bool bStandsStill = pObject->GetVelX() == 0.0f && std::fabs(pObject->GetVelY() - 20.0f) < 0.5f;
        const float fCost = Distance(landing, player) + (bStandsStill ? 0.0f : 150.0f);
        if (fCost < fBest && landing.fY > TOP)
        {
            fBest = fCost;
            to = Clamped(landing);
        }
    }
    return fBest < std::numeric_limits<float>::max();
}

// The arrow keys held toward a place, a few pixels either side counting as there, and Space.
void Steer(HeldKeys& keys, const CPlayer* pPlayer, tPoint to, bool bFire)
{
    const float fDX = pPlayer ? to.fX - pPlayer->GetPosX() : 0.0f;
    const float fDY = pPlayer ? to.fY - pPlayer->GetPosY() : 0.0f;
    keys.Set(SDL_SCANCODE_LEFT, fDX < -STEER_SLACK);
    keys.Set(SDL_SCANCODE_RIGHT, fDX > STEER_SLACK);
    keys.Set(SDL_SCANCODE_UP, fDY < -STEER_SLACK);
    keys.Set(SDL_SCANCODE_DOWN, fDY > STEER_SLACK);
    keys.Set(SDL_SCANCODE_SPACE, bFire);
}

void Fly(HeldKeys& keys)
{
    const CPlayer* pPlayer = CGamePlayState::GetInstance()->GetPlayer();
    if (!pPlayer)
    {
        Steer(keys, nullptr, {0.0f, 0.0f}, false);
        return;
    }
    const tPoint player{pPlayer->GetPosX(), pPlayer->GetPosY()};
    tPoint to{320.0f, 380.0f};
    if (Escape(player, to))
    {
        Steer(keys, pPlayer, to, false);
        return;
    }
    const bool bTarget = AimPoint(player, to);
    const bool bLinedUp = bTarget && std::fabs(to.fX - player.fX) < AIM_SLACK &&
                          std::fabs(to.fY - player.fY) < AIM_SLACK && pPlayer->GetCharge() >= CHARGE_TO_FIRE;
    Steer(keys, pPlayer, to, bLinedUp);
}

} // namespace

const std::vector<DemoGame>& DemoGames()
{
    static const std::vector<DemoGame> games = {
        {"demo-1.replay", 20261210},
        {"demo-2.replay", 4242},
    };
    return games;
}

bool PlayDemoGame(HeadlessGame& game)
{
    CGamePlayState* pPlay = CGamePlayState::GetInstance();
    if (!StartWithKeys(game))
        return false;
    {
        HeldKeys keys(game);
        for (uint32_t uMs = 0; uMs < DEMO_PLAY_MS && game.Top() == pPlay; uMs += FRAME_MS)
        {
            Fly(keys);
            game.Frame(FRAME_MS);
        }
    }
    game.Frame(FRAME_MS);
    if (game.Top() != pPlay)
        return false;
    game.Tap(SDL_SCANCODE_ESCAPE);
    game.Tap(SDL_SCANCODE_DOWN);
    game.Tap(SDL_SCANCODE_RETURN);
    return game.Top() == CMainMenuState::GetInstance();
}
} // namespace headless
