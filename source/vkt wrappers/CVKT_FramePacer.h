// Paces the frame loop to the display: one frame per refresh interval. The renderer asks for
// vertical sync, but whether a present really waits for the display is not known (the software
// renderer has no such wait, and some drivers accept the request and ignore it). So after every
// presented frame the pacer looks at the clock: a present that waited for the display comes back
// when the next frame is due and passes straight through; one that came back early is held until
// the interval is over.
//
// A frame that overran its interval is not made up for: the next frame starts so that its present
// comes a whole interval after the late one, and the loop never hurries to catch up. The pacer
// only ever sleeps.
#pragma once

#include "CVKT_FrameClock.h"

#include <cstdint>

class CVKT_FramePacer
{
public:
    // The rate used when the display reports none.
    static constexpr int DEFAULT_REFRESH_RATE = 60;

    // pClock null: the system clock. The clock must outlive the pacer.
    explicit CVKT_FramePacer(CVKT_FrameClock* pClock = nullptr);

    // Call once right after each presented frame, with the display's refresh rate in Hz (0 or less
    // when it reports none). Returns when the next frame is to start.
    void WaitForNextFrame(int nRefreshRate);

    // The frame interval for a refresh rate, in counts of the pacer's clock.
    uint64_t GetFrameInterval(int nRefreshRate) const;

private:
    void SleepUntil(uint64_t nCounter);

    CVKT_FrameClock m_SystemClock;
    CVKT_FrameClock* m_pClock;
    uint64_t m_nFrequency;
    bool m_bStarted = false;
    // When the running frame was due to start, and when it did (it may wake a little late).
    uint64_t m_nDue = 0;
    uint64_t m_nStart = 0;
    // From start to present of the last frame.
    uint64_t m_nLastWork = UINT64_MAX;
};
