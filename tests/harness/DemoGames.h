// The games the title shows by itself when nobody plays (the shipped demos), played from a script
// that flies as a fair player does: it goes above the people on the ground and drops its shots where
// they will be, the ones that throw first; it steers out of the way of every shot that comes for it
// once that shot could hit; it spends its charge only on a shot that lines up. From the logo into play
// with the keys, DEMO_PLAY_MS of that, then out through the pause screen's quit. The keys alone
// steer, so a record of one holds nothing but real input.
#pragma once

#include <cstdint>
#include <vector>

namespace headless
{
class HeadlessGame;

// Longer than the title shows (45 s), so the demo's own time, not its record, ends it.
constexpr uint32_t DEMO_PLAY_MS = 47000;

struct DemoGame
{
    // The file's name in the game's Demos folder.
    const char* szFile;
    // The random numbers' seed it is recorded with.
    unsigned uSeed;
};

const std::vector<DemoGame>& DemoGames();

// Plays one demo game from the logo (with the random numbers seeded by the caller); false when it
// could not get where it meant to.
bool PlayDemoGame(HeadlessGame& game);
} // namespace headless
