// The gameplay test bench: the real game on a hidden window under SDL's dummy drivers, a hand-driven
// clock for the tick seam, whole frames run as the program's loop runs them (window events, then
// CGame::Main), and real key events pushed into SDL's queue.
#pragma once

#include "TestSupport.h"

#include "VKT_Types.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBase;
class CBullet;
class CEnemy;
class CGame;
class CGamePlayState;
class IGameState;
class CPlayer;
class CVKT_Window;

namespace test
{
class GameplayHarness
{
public:
    // Starts the platform and the game (which shows the logo screen); nothing of play yet.
    GameplayHarness();
    // Shuts the game and the platform down, every state's Exit included.
    ~GameplayHarness();
    GameplayHarness(const GameplayHarness&) = delete;
    GameplayHarness& operator=(const GameplayHarness&) = delete;

    // Makes the gameplay state the only state and runs one frame of 0 ms, so the player and the
    // enemies it asked for exist.
    void StartGame();
    // One pass of the program's loop after advancing the clock.
    bool Frame(uint32_t milliseconds = 16);
    // Frames of nStepMs until at least fSeconds have passed.
    void RunFor(float fSeconds, uint32_t nStepMs = 16);

    void Hold(SDL_Scancode scancode);
    void Release(SDL_Scancode scancode);
    // Down in one frame, up in the next.
    void Tap(SDL_Scancode scancode, uint32_t milliseconds = 16);
    // Taps each lower-case letter of szLetters.
    void Type(const char* szLetters);

    CGame* Game() const { return m_pGame; }
    CGamePlayState* State() const;
    CPlayer* Player() const;
    ManualClock& Clock() { return *m_pClock; }
    std::vector<IGameState*> Stack() const;

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

private:
    std::unique_ptr<ManualClock> m_pClock;
    CVKT_Window* m_pWindow = nullptr;
    CGame* m_pGame = nullptr;
};
// An image file decoded to ARGB, as the texture manager decodes it.
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};
Image LoadImage(const std::string& path);

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
