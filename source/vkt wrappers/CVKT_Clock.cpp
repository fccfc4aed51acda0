#include "CVKT_Clock.h"

#include <SDL.h>

#include <ctime>

namespace
{
CVKT_Clock::TickSource g_tickSource = nullptr;
}

uint32_t CVKT_Clock::GetTickCount()
{
    if (g_tickSource)
        return g_tickSource();
    // Milliseconds since boot, as the game's original clock counted them; the 32-bit value wraps,
    // and the random seed taken from it differs from run to run.
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void CVKT_Clock::SetTickSource(TickSource source)
{
    g_tickSource = source;
}

void CVKT_Clock::WaitForNextTick(uint32_t tick)
{
    if (g_tickSource)
        return; // a test clock moves only when the test moves it
    while (GetTickCount() == tick)
        SDL_Delay(1);
}
