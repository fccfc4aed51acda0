#include "ManualClock.h"

#include "CVKT_Clock.h"

#include <cassert>

namespace headless
{
namespace
{
uint32_t g_tick = 0;
bool g_installed = false;

uint32_t ManualTick()
{
    return g_tick;
}
} // namespace

ManualClock::ManualClock(uint32_t start)
{
    assert(!g_installed && "one manual clock at a time");
    g_installed = true;
    g_tick = start;
    CVKT_Clock::SetTickSource(&ManualTick);
}

ManualClock::~ManualClock()
{
    CVKT_Clock::SetTickSource(nullptr);
    g_installed = false;
}

void ManualClock::Set(uint32_t tick)
{
    g_tick = tick;
}

void ManualClock::Advance(uint32_t milliseconds)
{
    g_tick += milliseconds;
}

uint32_t ManualClock::Now() const
{
    return g_tick;
}
} // namespace headless
