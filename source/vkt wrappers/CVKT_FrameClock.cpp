#include "CVKT_FrameClock.h"

#include <SDL.h>

#include <algorithm>
#include <ctime>

namespace
{
constexpr uint64_t NANOSECONDS_PER_SECOND = 1000000000u;
}

uint64_t CVKT_FrameClock::GetCounter()
{
    return SDL_GetPerformanceCounter();
}

uint64_t CVKT_FrameClock::GetFrequency()
{
    return SDL_GetPerformanceFrequency();
}

void CVKT_FrameClock::Sleep(uint64_t nCounts)
{
    // SDL_Delay counts whole milliseconds, too coarse for a 7 ms frame; nanosleep wakes within the
    // timer slack (about 50 microseconds) of the time asked. A frame never waits a second.
    const uint64_t frequency = GetFrequency();
    const uint64_t counts = std::min(nCounts, frequency);
    const uint64_t nanoseconds =
        counts / frequency * NANOSECONDS_PER_SECOND + counts % frequency * NANOSECONDS_PER_SECOND / frequency;
    const timespec wait = {static_cast<time_t>(nanoseconds / NANOSECONDS_PER_SECOND),
                           static_cast<long>(nanoseconds % NANOSECONDS_PER_SECOND)};
    nanosleep(&wait, nullptr);
}
