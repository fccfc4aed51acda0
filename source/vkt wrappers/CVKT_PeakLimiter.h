// The master peak limiter at the end of the mixer: it keeps every output sample at or below CEILING
// (-1 dBFS) without clipping. It looks LOOKAHEAD_SECONDS ahead, which delays the output by as much,
// so the gain is already down when a peak arrives: it falls smoothly (a straight line over the
// look-ahead) before the peak, holds while peaks keep coming and recovers with a time constant of
// RELEASE_SECONDS. Both channels get the same gain, so the stereo picture does not move.
//
// Below the ceiling it is a pure delay: every sample comes out bit for bit as it went in. Process
// never allocates; the constructor and SetRate make everything it needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CVKT_PeakLimiter
{
public:
    static constexpr float CEILING = 0.89125094f; // 10^(-1/20)
    static constexpr double LOOKAHEAD_SECONDS = 0.0015;
    static constexpr double RELEASE_SECONDS = 0.06;

    // A limiter for stereo at nRate frames per second (at least 1), silent and at unity gain.
    explicit CVKT_PeakLimiter(uint32_t nRate);
    // Starts again at another rate, silent and at unity gain.
    void SetRate(uint32_t nRate);

    // Frames between a sample going in and coming out.
    uint32_t GetDelayFrames() const { return m_nLookahead - 1; }

    // Limits nFrames of interleaved stereo in place: what comes out at frame k went in GetDelayFrames
    // frames earlier (the first frames after a start are silence).
    void Process(float* pStereo, size_t nFrames);

private:
    // The gain a frame needs to stay below the ceiling.
    float NeededGain(float fLeft, float fRight) const;
    // The smallest needed gain of the look-ahead window after this frame's.
    float WindowMinimum(float fNeeded);
    // The gain for the frame now coming out of the delay.
    float NextGain(float fNeeded);

    uint32_t m_nLookahead = 1;
    double m_dRelease = 1.0;
    uint64_t m_nFrame = 0;
    // Frames in a row whose envelope was at unity; from m_nLookahead on, the limiter is a delay.
    uint32_t m_nCalmFrames = 0;
    // Held in double: in float its slow recovery would stall short of unity.
    double m_dEnvelope = 1.0;
    // The delay line, m_nLookahead - 1 stereo frames.
    std::vector<float> m_History;
    size_t m_nHistoryAt = 0;
    // The window's running minimum: a ring of (frame, gain) with rising gains from the front.
    std::vector<uint64_t> m_MinFrames;
    std::vector<float> m_MinGains;
    size_t m_nMinFront = 0;
    size_t m_nMinCount = 0;
    // The envelope over the look-ahead, averaged: that makes the fall a straight line.
    std::vector<float> m_Box;
    size_t m_nBoxAt = 0;
    double m_dBoxSum = 0.0;
    double m_dBoxScale = 1.0;
};
