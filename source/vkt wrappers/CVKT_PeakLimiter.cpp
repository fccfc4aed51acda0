#include "CVKT_PeakLimiter.h"

#include <algorithm>
#include <cmath>

namespace
{
// A hair under the ceiling, so that the rounding of the gain arithmetic cannot carry a sample over.
constexpr float TARGET = CVKT_PeakLimiter::CEILING * 0.99999f;
// The envelope comes back to unity exactly once it is this close; from there the limiter is a delay.
constexpr double UNITY_SNAP = 1e-6;
} // namespace

CVKT_PeakLimiter::CVKT_PeakLimiter(uint32_t nRate)
{
    SetRate(nRate);
}

void CVKT_PeakLimiter::SetRate(uint32_t nRate)
{
    const double rate = std::max<uint32_t>(nRate, 1);
    m_nLookahead = static_cast<uint32_t>(std::max(1L, std::lround(rate * LOOKAHEAD_SECONDS)));
    m_dRelease = 1.0 - std::exp(-1.0 / (RELEASE_SECONDS * rate));
    m_nFrame = 0;
    m_nCalmFrames = m_nLookahead;
    m_dEnvelope = 1.0;
    m_History.assign(2 * static_cast<size_t>(m_nLookahead - 1), 0.0f);
    m_nHistoryAt = 0;
    m_MinFrames.assign(m_nLookahead, 0);
    m_MinGains.assign(m_nLookahead, 1.0f);
    m_nMinFront = 0;
    m_nMinCount = 0;
    m_Box.assign(m_nLookahead, 1.0f);
    m_nBoxAt = 0;
    m_dBoxSum = m_nLookahead;
    m_dBoxScale = 1.0 / m_nLookahead;
}

float CVKT_PeakLimiter::NeededGain(float fLeft, float fRight) const
{
    const float peak = std::max(std::fabs(fLeft), std::fabs(fRight));
    return peak > TARGET ? TARGET / peak : 1.0f;
}

float CVKT_PeakLimiter::WindowMinimum(float fNeeded)
{
    // Frames that have left the window go from the front; frames needing no less than this one can
    // never be the minimum again and go from the back. What stays rises from front to back. The ring
    // wraps by comparison: a division per frame would cost more than the rest of the limiter.
    const size_t size = m_nLookahead;
    while (m_nMinCount > 0 && m_MinFrames[m_nMinFront] + size <= m_nFrame)
    {
        m_nMinFront = m_nMinFront + 1 == size ? 0 : m_nMinFront + 1;
        --m_nMinCount;
    }
    size_t back = m_nMinFront + m_nMinCount;
    back = back >= size ? back - size : back;
    while (m_nMinCount > 0)
    {
        const size_t last = back == 0 ? size - 1 : back - 1;
        if (m_MinGains[last] < fNeeded)
            break;
        back = last;
        --m_nMinCount;
    }
    m_MinFrames[back] = m_nFrame;
    m_MinGains[back] = fNeeded;
    ++m_nMinCount;
    return m_MinGains[m_nMinFront];
}

float CVKT_PeakLimiter::NextGain(float fNeeded)
{
    // The envelope drops at once to the smallest gain the window needs and recovers slowly. Each
    // frame of the window then needs no more than its envelope, so the average of the envelope over
    // the window, which is the gain of the frame coming out, needs no more either: the output stays
    // under the ceiling without ever being cut.
    const double held = WindowMinimum(fNeeded);
    if (held < m_dEnvelope)
        m_dEnvelope = held;
    else
        m_dEnvelope += (held - m_dEnvelope) * m_dRelease;
    if (held - m_dEnvelope < UNITY_SNAP)
        m_dEnvelope = held;
    m_nCalmFrames = m_dEnvelope == 1.0 ? std::min(m_nCalmFrames + 1, m_nLookahead) : 0;

    const float envelope = static_cast<float>(m_dEnvelope);
    m_dBoxSum += envelope - m_Box[m_nBoxAt];
    m_Box[m_nBoxAt] = envelope;
    m_nBoxAt = m_nBoxAt + 1 == m_Box.size() ? 0 : m_nBoxAt + 1;
    if (m_nCalmFrames == m_nLookahead)
    {
        // The whole window is at unity: no rounding left over from the sum.
        m_dBoxSum = m_nLookahead;
        return 1.0f;
    }
    return std::min(1.0f, static_cast<float>(m_dBoxSum * m_dBoxScale));
}

void CVKT_PeakLimiter::Process(float* pStereo, size_t nFrames)
{
    const size_t delay = m_nLookahead - 1;
    for (size_t k = 0; k < nFrames; ++k)
    {
        float* frame = pStereo + 2 * k;
        const float left = frame[0];
        const float right = frame[1];
        const float needed = NeededGain(left, right);
        // Calm and under the ceiling: no gain to work out (the common case).
        const float gain = m_nCalmFrames == m_nLookahead && needed == 1.0f ? 1.0f : NextGain(needed);
        ++m_nFrame;
        if (delay == 0)
        {
            frame[0] = left * gain;
            frame[1] = right * gain;
            continue;
        }
        float* delayed = &m_History[2 * m_nHistoryAt];
        frame[0] = delayed[0] * gain;
        frame[1] = delayed[1] * gain;
        delayed[0] = left;
        delayed[1] = right;
        m_nHistoryAt = m_nHistoryAt + 1 == delay ? 0 : m_nHistoryAt + 1;
    }
}
