// The high-resolution clock the frame pacer reads and sleeps on: SDL's performance counter and the
// system's sleep. Its functions are virtual so that tests can run the pacer on simulated time.
#pragma once

#include <cstdint>

class CVKT_FrameClock
{
public:
    virtual ~CVKT_FrameClock() = default;

    // Counts since an arbitrary start; never goes back.
    virtual uint64_t GetCounter();
    // Counts per second (more than zero).
    virtual uint64_t GetFrequency();
    // Puts the thread to sleep for about nCounts. It may wake later than asked, or earlier when a
    // signal arrives; the caller reads the counter again.
    virtual void Sleep(uint64_t nCounts);
};
