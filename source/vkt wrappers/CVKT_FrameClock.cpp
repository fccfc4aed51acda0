#include "CVKT_FrameClock.h"

#include <SDL.h>

#include <algorithm>
#include <ctime>

namespace
{
constexpr uint64_t kNanosecondsPerSecond = 1000000000u;
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
        counts / frequency * kNanosecondsPerSecond + counts % frequency * kNanosecondsPerSecond / frequency;
    const timespec wait = {static_cast<time_t>(nanoseconds / kNanosecondsPerSecond),
                           static_cast<long>(nanoseconds % kNanosecondsPerSecond)};
    nanosleep(&wait, nullptr);
}
