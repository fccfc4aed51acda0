// What the rules carry from one game into the next, captured and put back in one place: the start of
// a recorded game, and the game a replay puts aside while it is watched. Beside it, how the running
// game stands for its record (level, score, lives, over). Together with CGameStateHash, the only
// place that knows which of the gameplay's values the rules depend on.
#pragma once

#include "CReplayFile.h"

// How the running game stands, as its record notes it at the end.
struct tGameOutcome
{
    int32_t nLevel = 1;
    int32_t nScore = 0;
    int32_t nLives = 0;
    bool bOver = false;
    bool bCompleted = false;
};

class CRuleState
{
public:
    // Draws a seed from the random numbers (one call of rand) and notes it with the timers that run
    // from game to game, the last typed characters (at most CReplayFile::MAX_TYPED_CHARS, as many as
    // the codes can still use) and where the pads' menu repeat stands. The random numbers are not
    // reseeded.
    static tReplayStart Capture();
    // Seeds the random numbers with the start's seed and puts the rest back into the game.
    static void Restore(const tReplayStart& start);
    static tGameOutcome Outcome();
};
