#include "CVKT_FramePacer.h"

#include <algorithm>

namespace
{
// A present this little before its due time came back on time: it waited for the display, whose
// refresh differs a little from the whole number of hertz it reports, and its wake-up jitters.
// Holding it would push the next present past a refresh and lose a frame.
constexpr uint64_t ON_TIME_FRACTION = 32;
} // namespace

CVKT_FramePacer::CVKT_FramePacer(CVKT_FrameClock* pClock)
    : m_pClock(pClock ? pClock : &m_SystemClock), m_nFrequency(m_pClock->GetFrequency())
{
}

uint64_t CVKT_FramePacer::GetFrameInterval(int nRefreshRate) const
{
    const uint64_t rate = nRefreshRate > 0 ? static_cast<uint64_t>(nRefreshRate) : DEFAULT_REFRESH_RATE;
    return m_nFrequency / rate;
}

void CVKT_FramePacer::WaitForNextFrame(int nRefreshRate)
{
    const uint64_t interval = GetFrameInterval(nRefreshRate);
    const uint64_t now = m_pClock->GetCounter();
    if (!m_bStarted)
    {
        m_bStarted = true;
        m_nDue = now;
        m_nStart = now;
        return;
    }
    // What a frame takes from its start to its present: the shorter of the last two, so that one
    // overrun does not count as the usual.
    const uint64_t work = now - m_nStart;
    const uint64_t usual = std::min(work, m_nLastWork);
    m_nLastWork = work;
    const uint64_t next = m_nDue + interval;
    if (now + interval / ON_TIME_FRACTION < next)
    {
        // Early: held to the due time, counted from the last due time rather than from a late
        // wake-up, so the rate does not drift.
        SleepUntil(next);
        m_nDue = next;
    }
    else
    {
        // On time or late. The next present is to come a whole interval after this one, so the next
        // frame starts that interval less what a frame usually takes. A present that waited for the
        // display took the whole interval itself: the next frame starts at once, in the display's
        // rhythm.
        m_nDue = now + interval - std::min(usual, interval);
        SleepUntil(m_nDue);
    }
    m_nStart = m_pClock->GetCounter();
}

void CVKT_FramePacer::SleepUntil(uint64_t nCounter)
{
    for (uint64_t now = m_pClock->GetCounter(); now < nCounter; now = m_pClock->GetCounter())
        m_pClock->Sleep(nCounter - now);
}
