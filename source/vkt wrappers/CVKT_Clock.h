// The millisecond tick count: a 32-bit counter that wraps after about 49.7 days. It sits behind a
// seam so that tests can drive the frame loop with exact tick values.
#pragma once

#include <cstdint>

class CVKT_Clock
{
public:
    using TickSource = uint32_t (*)();

    // Milliseconds since an arbitrary start, wrapping at 2^32.
    static uint32_t GetTickCount();

    // Replaces the tick source; null restores the system clock.
    static void SetTickSource(TickSource source);

    // Sleeps until the tick count has moved on from `tick` (at most about one millisecond).
    static void WaitForNextTick(uint32_t tick);
};
