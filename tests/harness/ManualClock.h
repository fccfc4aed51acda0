// A hand-driven millisecond clock for the game's tick seam. While one exists it replaces the system
// clock; time moves only when it is told to.
#pragma once

#include <cstdint>

namespace headless
{
class ManualClock
{
public:
    // Installs the clock at tick `start`. Only one may exist at a time.
    explicit ManualClock(uint32_t start = 1000);
    // Gives the system clock back.
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    void Set(uint32_t tick);
    void Advance(uint32_t milliseconds);
    uint32_t Now() const;
};
} // namespace headless
