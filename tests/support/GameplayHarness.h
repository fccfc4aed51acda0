// The gameplay test bench: the headless game (the real CGame under SDL's dummy drivers in a scratch
// folder, a hand-driven clock for the tick seam, whole frames run as the program's loop runs them,
// real key events pushed into SDL's queue) with shortcuts into play and its objects.
#pragma once

#include "FrameComparison.h"
#include "HeadlessGame.h"
#include "Picture.h"
#include "TestSupport.h"

#include "VKT_Types.h"

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

class CBase;
class CBullet;
class CEnemy;
class CGame;
class CGamePlayState;
class CPlayer;

namespace test
{
class GameplayHarness : public headless::HeadlessGame
{
public:
    // Starts the platform and the game (which shows the logo screen); nothing of play yet.
    GameplayHarness();

    // Makes the gameplay state the only state and runs one frame of 0 ms, so the player and the
    // enemies it asked for exist.
    void StartGame();
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

// An image file decoded to ARGB by the game's own reader, without a colour key.
using Image = headless::Picture;
inline Image LoadImage(const std::string& path)
{
    return headless::Picture::Read(path);
}

// How a section of an image drawn unscaled with its top-left at (x, y) shows in a 640 x 480 frame:
// of the section's fully opaque pixels that land on the frame, how many the frame shows unchanged.
struct SectionMatch
{
    int opaque = 0;
    int matching = 0;
    bool AllMatch() const { return opaque > 0 && matching == opaque; }
};
SectionMatch MatchSection(const std::vector<uint32_t>& frame, const Image& image, const RECT& section, int x,
                          int y);
// The cell of character c on the 16 x 24 font sheet with 20 cells a row starting at the space.
RECT FontCell(char c);
} // namespace test
