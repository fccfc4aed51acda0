// Games played from a script by the headless game as a player plays them: from the logo through the
// menu and the story into play, then each its own way to its own end. The scripts look at the game
// as a player looks at the screen (where the enemy fire is, whether a life was lost) and steer by
// keys and pads alone, so a record of one holds nothing but real input.
//
// "game-over": the keyboard, fire held, flying into the enemy fire until the last life is lost in
// level 1; then a name for the table. "codes": the three codes, the pause screen by key and by focus
// loss, lives lost, levels 2 and 3 by their keys, the last level done. "pad": a game pad steers and
// fires, pauses with Start and quits from the pause screen. "quick-taps": every key pressed and
// released before one frame, shots and steps tapped once and twice, a pause by P and one by Escape
// that quits.
#pragma once

#include "CReplayFile.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace headless
{
class HeadlessGame;

// The random numbers' seed each scripted game is recorded with for tests/replays.
constexpr unsigned SCRIPTED_GAMES_SEED = 20260101;

struct ScriptedGame
{
    const char* szName;
    // Plays the game from the logo on; false when it could not get where it meant to (a screen did
    // not come, the game did not end in time).
    bool (*pfnPlay)(HeadlessGame& game);
    eReplayEnd end;
};

const std::vector<ScriptedGame>& ScriptedGames();

// The keys a script holds, so that each goes down and up once; all let go at the end.
class HeldKeys
{
public:
    explicit HeldKeys(HeadlessGame& game) : m_game(game) {}
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    void Set(SDL_Scancode key, bool bDown);
    void ReleaseAll();

private:
    HeadlessGame& m_game;
    bool m_bHeld[SDL_NUM_SCANCODES] = {};
};

// The logo, New Game in the main menu, the story told by Escape: the first frame of play. False
// when a screen did not come.
bool StartWithKeys(HeadlessGame& game);

// Runs frames of `step` milliseconds until the replay being watched ends; false when it had not
// ended after `maxFrames`.
bool WatchToEnd(HeadlessGame& game, uint32_t step, uint32_t maxFrames);
} // namespace headless
