// The gameplay bench: the headless game (the real CGame under SDL's dummy drivers in a scratch
// folder, a hand-driven clock for the tick seam, whole frames run as the program's loop runs them,
// real key events pushed into SDL's queue) with shortcuts into play and its objects.
#pragma once

#include "HeadlessGame.h"

#include <cstdint>
#include <vector>

class CBase;
class CBullet;
class CEnemy;
class CGame;
class CGamePlayState;
class CPlayer;

namespace headless
{
class PlayBench : public HeadlessGame
{
public:
    // Starts the platform and the game (which shows the logo screen); nothing of play yet.
    PlayBench();

    // Makes the gameplay state the only state and runs one frame of 0 ms, so the player and the
    // enemies it asked for exist.
    void StartGame();
    // Seeds the random numbers, sets the enemies' fire timer to 0 and starts a game whose enemies
    // are taken out: play with the player alone, the same from run to run.
    void StartEmptyGame(unsigned uSeed);
    // Frames of nStepMs until at least fSeconds have passed.
    void RunFor(float fSeconds, uint32_t nStepMs = 16);

    CGame* Game() const;
    CGamePlayState* State() const;
    CPlayer* Player() const;

    // Objects of the object manager, by type number.
    std::vector<CBase*> ObjectsOfType(int nType) const;
    std::vector<CEnemy*> Enemies() const;
    std::vector<CBullet*> Bullets(int nType) const;
    // Takes every enemy out of the object manager without replacing it.
    void RemoveEnemies();
    // An enemy bullet that has finished growing, standing still at (x, y).
    CBullet* AddReadyEnemyBullet(float fX, float fY);
    // A shooter that stands still at (x, y) and fires rocks.
    CEnemy* AddStandingShooter(float fX, float fY);

    // Frames from now on are copied at Present; the last one is returned by CapturedFrame.
    void CaptureFrames();
    const std::vector<uint32_t>& CapturedFrame() const;
};
} // namespace headless
