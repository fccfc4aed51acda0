#include "CVKT_SoundBuffer.h"

#include "CVKT_SoundMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// Positions are frames in 32.32 fixed point: exact for every rate ratio the mixer accepts, and a
// whole buffer (at most 2^28 frames) never overflows.
constexpr uint64_t ONE = uint64_t(1) << 32;
constexpr uint64_t FRACTION_MASK = ONE - 1;
constexpr float FRACTION_SCALE = 1.0f / 4294967296.0f;

// A level in hundredths of a decibel as a linear amplitude factor: 10^(level / 2000). The minimum
// level is silence, not a hundred-thousandth.
float AmplitudeOf(long lLevel)
{
    if (lLevel <= CVKT_SoundBuffer::VOLUME_MIN)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(lLevel) / 2000.0));
}

// 8-bit samples are unsigned with silence at 128; 16-bit ones signed little-endian.
template <int Bits>
float ReadSample(const uint8_t* p)
{
    if (Bits == 8)
        return static_cast<float>(static_cast<int>(p[0]) - 128) * (1.0f / 128.0f);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // One load, which lets the compiler vectorise the loops below.
    int16_t sample;
    std::memcpy(&sample, p, sizeof sample);
#else
    const int16_t sample = static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
#endif
    return static_cast<float>(sample) * (1.0f / 32768.0f);
}

template <int Bits, int Channels>
struct tFrame
{
    static constexpr size_t BYTES = Bits / 8 * Channels;

    // A mono frame goes to both sides at full level.
    static void Read(const uint8_t* __restrict pData, size_t nFrame, float& fLeft, float& fRight)
    {
        const uint8_t* p = pData + nFrame * BYTES;
        fLeft = ReadSample<Bits>(p);
        fRight = Channels == 2 ? ReadSample<Bits>(p + Bits / 8) : fLeft;
    }
};

// The S-shaped course of a ramp: t from 0 to 1 gives 0 to 1, starting and ending flat, so that the
// change of level adds no step of its own where it begins or ends.
float RampShape(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

// The gains of a run of frames: the same for all of them (the common case, which the compiler
// vectorises), or the next frames of a ramp.
struct tSteadyGain
{
    float fLeft;
    float fRight;
    float Left(size_t) const { return fLeft; }
    float Right(size_t) const { return fRight; }
};

struct tRampGain
{
    float fFrom[2];
    float fBy[2];
    uint32_t nDone;
    uint32_t nFrames;

    float Shape(size_t k) const
    {
        return RampShape(static_cast<float>(nDone + k + 1) / static_cast<float>(nFrames));
    }
    float Left(size_t k) const { return fFrom[0] + fBy[0] * Shape(k); }
    float Right(size_t k) const { return fFrom[1] + fBy[1] * Shape(k); }
};

// Frames nFirst .. nFirst + nCount - 1 at the output rate, no resampling.
template <class TFrame, class TGain>
void AddFrames(const uint8_t* __restrict pData, uint32_t nFirst, uint32_t nCount, const TGain& gain,
               float* __restrict pOut)
{
    const TGain g = gain;
    // A size_t count from a base pointer: a 32-bit frame index that might wrap keeps the
    // compiler from vectorising.
    const uint8_t* __restrict pFrames = pData + static_cast<size_t>(nFirst) * TFrame::BYTES;
    for (size_t k = 0; k < nCount; ++k)
    {
        float left, right;
        TFrame::Read(pFrames, k, left, right);
        pOut[2 * k] += left * g.Left(k);
        pOut[2 * k + 1] += right * g.Right(k);
    }
}

// Linear interpolation between neighbouring frames; the caller guarantees that both neighbours of
// every position visited are present. Returns the position after the last frame.
template <class TFrame, class TGain>
uint64_t AddInterpolated(const uint8_t* __restrict pData, uint64_t nPosition, uint64_t nStep, uint32_t nCount,
                         const TGain& gain, float* __restrict pOut)
{
    const TGain g = gain;
    // Neighbouring output frames mostly share their source frames, so the pair is kept and only
    // moved on when the position crosses into the next frame.
    size_t frame = static_cast<size_t>(nPosition >> 32);
    float left0, right0, left1, right1;
    TFrame::Read(pData, frame, left0, right0);
    TFrame::Read(pData, frame + 1, left1, right1);
    for (uint32_t k = 0; k < nCount; ++k)
    {
        const size_t next = static_cast<size_t>(nPosition >> 32);
        if (next == frame + 1)
        {
            left0 = left1;
            right0 = right1;
            TFrame::Read(pData, next + 1, left1, right1);
        }
        else if (next != frame)
        {
            TFrame::Read(pData, next, left0, right0);
            TFrame::Read(pData, next + 1, left1, right1);
        }
        frame = next;
        const float t = static_cast<float>(static_cast<uint32_t>(nPosition)) * FRACTION_SCALE;
        pOut[2 * k] += (left0 + (left1 - left0) * t) * g.Left(k);
        pOut[2 * k + 1] += (right0 + (right1 - right0) * t) * g.Right(k);
        nPosition += nStep;
    }
    return nPosition;
}

// How many output frames, at most nLimit, start below nEnd.
uint32_t FramesBelow(uint64_t nPosition, uint64_t nEnd, uint64_t nStep, uint32_t nLimit)
{
    const uint64_t n = (nEnd - nPosition + nStep - 1) / nStep;
    return static_cast<uint32_t>(std::min<uint64_t>(n, nLimit));
}
} // namespace

CVKT_SoundBuffer::CVKT_SoundBuffer(CVKT_SoundMixer* pMixer, std::shared_ptr<const tSampleData> pData)
    : m_pMixer(pMixer), m_pData(std::move(pData)), m_dwFrequency(m_pData->format.nSamplesPerSec)
{
}

CVKT_SoundBuffer::~CVKT_SoundBuffer()
{
    if (m_pMixer)
        m_pMixer->Unregister(this);
}

float CVKT_SoundBuffer::tVoice::Gain(int nSide) const
{
    if (nRampFrames == 0)
        return fFrom[nSide];
    const float t = static_cast<float>(nRampDone) / static_cast<float>(nRampFrames);
    return fFrom[nSide] + (fTo[nSide] - fFrom[nSide]) * RampShape(t);
}

void CVKT_SoundBuffer::tVoice::RampTo(float fLeft, float fRight, uint32_t nFrames)
{
    const float left = Gain(0);
    const float right = Gain(1);
    fFrom[0] = left;
    fFrom[1] = right;
    fTo[0] = fLeft;
    fTo[1] = fRight;
    nRampDone = 0;
    nRampFrames = std::max<uint32_t>(nFrames, 1);
}

void CVKT_SoundBuffer::tVoice::SetGains(float fLeft, float fRight)
{
    fFrom[0] = fTo[0] = fLeft;
    fFrom[1] = fTo[1] = fRight;
    nRampDone = 0;
    nRampFrames = 0;
}

void CVKT_SoundBuffer::tVoice::AdvanceRamp(uint32_t nFrames)
{
    nRampDone += nFrames;
    if (nRampDone < nRampFrames)
        return;
    fFrom[0] = fTo[0];
    fFrom[1] = fTo[1];
    nRampDone = 0;
    nRampFrames = 0;
}

uint32_t CVKT_SoundBuffer::RampFrames() const
{
    return m_pMixer ? m_pMixer->GetRampFrames() : 1;
}

bool CVKT_SoundBuffer::Play(bool bLooping)
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    if (!m_bPlaying && m_bTailPlaying && !m_bMovedSinceStop)
    {
        // Played again where it stopped, while that stop still fades: it comes back up from the
        // fade rather than starting a second time over it.
        m_Voice = m_Tail;
        m_Voice.ClearFades();
        m_Voice.RampTo(m_fGainLeft, m_fGainRight, RampFrames());
        m_bTailPlaying = false;
        m_bHeard = true;
    }
    else if (!m_bPlaying)
    {
        // Nothing of it is heard yet: it starts at its level, as its samples begin.
        m_Voice.SetGains(m_fGainLeft, m_fGainRight);
        m_Voice.ClearFades();
        m_bHeard = false;
    }
    else if (m_Voice.bLooping && !bLooping)
    {
        // A loop's last sample leads into its first, not into silence.
        m_Voice.bFadeAtEnd = true;
    }
    else if (bLooping && m_Voice.bFadeAtEnd)
    {
        if (m_Voice.bEnding)
            m_Voice.RampTo(m_fGainLeft, m_fGainRight, RampFrames());
        m_Voice.ClearFades();
    }
    m_bPlaying = true;
    m_Voice.bLooping = bLooping;
    return true;
}

bool CVKT_SoundBuffer::Stop()
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    if (!m_bPlaying)
        return true;
    if (m_bHeard)
    {
        // What was heard fades out on its own; the buffer itself stands at the stop. A loop already
        // fading out before its end keeps that shorter fade.
        m_Tail = m_Voice;
        if (!m_Tail.bEnding)
        {
            m_Tail.RampTo(0.0f, 0.0f, RampFrames());
            m_Tail.bFadingOut = true;
        }
        m_bTailPlaying = true;
        m_bMovedSinceStop = false;
    }
    m_bPlaying = false;
    m_Voice.bLooping = false;
    m_Voice.ClearFades();
    SignalStop();
    return true;
}

bool CVKT_SoundBuffer::SetCurrentPosition(uint32_t dwBytes)
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    const uint32_t frame = dwBytes / m_pData->format.nBlockAlign;
    if (frame >= m_pData->dwFrameCount)
        return false;
    m_Voice.nPosition = static_cast<uint64_t>(frame) << 32;
    m_bMovedSinceStop = true;
    return true;
}

uint32_t CVKT_SoundBuffer::GetCurrentPosition() const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    return static_cast<uint32_t>(m_Voice.nPosition >> 32) * m_pData->format.nBlockAlign;
}

bool CVKT_SoundBuffer::GetStatus(uint32_t& dwStatus) const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    dwStatus = 0;
    if (m_bPlaying)
        dwStatus = STATUS_PLAYING | (m_Voice.bLooping ? STATUS_LOOPING : 0);
    return true;
}

bool CVKT_SoundBuffer::SetVolume(long lVolume)
{
    if (lVolume < VOLUME_MIN || lVolume > VOLUME_MAX)
        return false;
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    m_lVolume = lVolume;
    ApplyGains();
    return true;
}

long CVKT_SoundBuffer::GetVolume() const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    return m_lVolume;
}

bool CVKT_SoundBuffer::SetPan(long lPan)
{
    if (lPan < PAN_LEFT || lPan > PAN_RIGHT)
        return false;
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    m_lPan = lPan;
    ApplyGains();
    return true;
}

long CVKT_SoundBuffer::GetPan() const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    return m_lPan;
}

bool CVKT_SoundBuffer::SetFrequency(uint32_t dwFrequency)
{
    if (dwFrequency < CVKT_SoundMixer::MIN_FREQUENCY || dwFrequency > CVKT_SoundMixer::MAX_FREQUENCY)
        return false;
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    m_dwFrequency = dwFrequency;
    return true;
}

uint32_t CVKT_SoundBuffer::GetFrequency() const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    return m_dwFrequency;
}

void CVKT_SoundBuffer::EnableStopNotification()
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    m_bNotifyOnStop = true;
}

bool CVKT_SoundBuffer::PollStopNotification()
{
    return m_bStopSignalled.exchange(false, std::memory_order_acq_rel);
}

void CVKT_SoundBuffer::ApplyGains()
{
    // The pan attenuates one side only; the volume both.
    const long attenuateLeft = m_lPan > 0 ? m_lPan : 0;
    const long attenuateRight = m_lPan < 0 ? -m_lPan : 0;
    m_fGainLeft = AmplitudeOf(m_lVolume - attenuateLeft);
    m_fGainRight = AmplitudeOf(m_lVolume - attenuateRight);
    // Heard, the level moves along a ramp; not yet heard, it is simply the level to start at. A loop
    // fading out before its end keeps fading.
    if (!m_bPlaying || !m_bHeard)
        m_Voice.SetGains(m_fGainLeft, m_fGainRight);
    else if (!m_Voice.bEnding)
        m_Voice.RampTo(m_fGainLeft, m_fGainRight, RampFrames());
}

void CVKT_SoundBuffer::SignalStop()
{
    if (m_bNotifyOnStop)
        m_bStopSignalled.store(true, std::memory_order_release);
}

void CVKT_SoundBuffer::FinishPlaying()
{
    // A buffer that has played to its end stands at its start again, so playing it once more
    // plays all of it.
    m_bPlaying = false;
    m_Voice.bLooping = false;
    m_Voice.ClearFades();
    m_Voice.SetGains(m_fGainLeft, m_fGainRight);
    m_Voice.nPosition = 0;
    SignalStop();
}

void CVKT_SoundBuffer::MixInto(float* pStereo, uint32_t nFrames, uint32_t nOutputRate)
{
    if (nOutputRate == 0 || (!m_bPlaying && !m_bTailPlaying))
        return;
    const uint64_t step = (static_cast<uint64_t>(m_dwFrequency) << 32) / nOutputRate;
    if (m_bPlaying)
    {
        m_bHeard = true;
        if (MixVoice(m_Voice, pStereo, nFrames, step) != eVoiceEnd::None)
            FinishPlaying();
    }
    if (m_bTailPlaying && MixVoice(m_Tail, pStereo, nFrames, step) != eVoiceEnd::None)
        m_bTailPlaying = false;
}

CVKT_SoundBuffer::eVoiceEnd CVKT_SoundBuffer::MixVoice(tVoice& voice, float* pStereo, uint32_t nFrames,
                                                       uint64_t nStep)
{
    const bool stereo = m_pData->format.nChannels == 2;
    if (m_pData->format.wBitsPerSample == 8)
        return stereo ? MixFrames<tFrame<8, 2>>(voice, pStereo, nFrames, nStep)
                      : MixFrames<tFrame<8, 1>>(voice, pStereo, nFrames, nStep);
    return stereo ? MixFrames<tFrame<16, 2>>(voice, pStereo, nFrames, nStep)
                  : MixFrames<tFrame<16, 1>>(voice, pStereo, nFrames, nStep);
}

// The output is cut into runs of one gain (steady, or one stretch of a ramp), and these into runs
// that need no bounds checks inside (see MixRun).
template <class TFrame>
CVKT_SoundBuffer::eVoiceEnd CVKT_SoundBuffer::MixFrames(tVoice& voice, float* pStereo, uint32_t nFrames,
                                                        uint64_t nStep)
{
    const uint64_t end = static_cast<uint64_t>(m_pData->dwFrameCount) << 32;
    uint32_t done = 0;
    while (done < nFrames)
    {
        if (voice.nPosition >= end)
            voice.nPosition %= end; // only a looping voice gets here
        float* out = pStereo + 2 * static_cast<size_t>(done);
        uint32_t limit = nFrames - done;
        if (voice.bFadeAtEnd && !voice.bEnding)
        {
            const uint32_t toEnd = FramesBelow(voice.nPosition, end, nStep, UINT32_MAX);
            const uint32_t ramp = RampFrames();
            if (toEnd <= ramp)
            {
                voice.RampTo(0.0f, 0.0f, toEnd);
                voice.bEnding = true;
                voice.bFadingOut = true;
            }
            else
            {
                limit = std::min(limit, toEnd - ramp);
            }
        }
        uint32_t count = 0;
        if (voice.nRampFrames > 0)
        {
            limit = std::min(limit, voice.nRampFrames - voice.nRampDone);
            const tRampGain gain{{voice.fFrom[0], voice.fFrom[1]},
                                 {voice.fTo[0] - voice.fFrom[0], voice.fTo[1] - voice.fFrom[1]},
                                 voice.nRampDone,
                                 voice.nRampFrames};
            count = MixRun<TFrame>(voice, out, limit, nStep, gain);
            voice.AdvanceRamp(count);
        }
        else
        {
            count = MixRun<TFrame>(voice, out, limit, nStep, tSteadyGain{voice.fFrom[0], voice.fFrom[1]});
        }
        done += count;
        if (voice.nPosition >= end && !voice.bLooping)
            return eVoiceEnd::DataEnded;
        if (voice.bFadingOut && voice.nRampFrames == 0)
            return eVoiceEnd::FadedOut;
    }
    return eVoiceEnd::None;
}

// One run of at most nLimit frames, from the voice's position on: unresampled frames, interpolated
// frames whose neighbours are both present, the last present frame (whose neighbour is silence or,
// looping, the first frame) or the silence that a cut-off file claims after its bytes. Returns the
// frames mixed.
template <class TFrame, class TGain>
uint32_t CVKT_SoundBuffer::MixRun(tVoice& voice, float* pStereo, uint32_t nLimit, uint64_t nStep,
                                  const TGain& gain)
{
    const tSampleData& data = *m_pData;
    const uint8_t* bytes = data.bytes.data();
    const uint64_t end = static_cast<uint64_t>(data.dwFrameCount) << 32;
    const uint64_t presentEnd = static_cast<uint64_t>(data.dwPresentFrames) << 32;
    const uint64_t pairEnd = data.dwPresentFrames > 0 ? presentEnd - ONE : 0;
    uint32_t count = 1;
    if (nStep == ONE && (voice.nPosition & FRACTION_MASK) == 0 && voice.nPosition < presentEnd)
    {
        const uint32_t first = static_cast<uint32_t>(voice.nPosition >> 32);
        count = std::min(nLimit, data.dwPresentFrames - first);
        AddFrames<TFrame>(bytes, first, count, gain, pStereo);
        voice.nPosition += static_cast<uint64_t>(count) << 32;
    }
    else if (voice.nPosition < pairEnd)
    {
        count = FramesBelow(voice.nPosition, pairEnd, nStep, nLimit);
        voice.nPosition = AddInterpolated<TFrame>(bytes, voice.nPosition, nStep, count, gain, pStereo);
    }
    else if (voice.nPosition < presentEnd)
    {
        MixLastPresentFrame(voice, pStereo, nStep, gain);
    }
    else
    {
        count = FramesBelow(voice.nPosition, end, nStep, nLimit);
        voice.nPosition += count * nStep;
    }
    return count;
}

template <class TGain>
void CVKT_SoundBuffer::MixLastPresentFrame(tVoice& voice, float* pStereo, uint64_t nStep, const TGain& gain)
{
    const uint64_t frame = voice.nPosition >> 32;
    const float t = static_cast<float>(voice.nPosition & FRACTION_MASK) * FRACTION_SCALE;
    float left0, right0, left1, right1;
    FetchFrame(voice, frame, left0, right0);
    FetchFrame(voice, frame + 1, left1, right1);
    pStereo[0] += (left0 + (left1 - left0) * t) * gain.Left(0);
    pStereo[1] += (right0 + (right1 - right0) * t) * gain.Right(0);
    voice.nPosition += nStep;
}

void CVKT_SoundBuffer::FetchFrame(const tVoice& voice, uint64_t nFrame, float& fLeft, float& fRight) const
{
    fLeft = fRight = 0.0f;
    const tSampleData& data = *m_pData;
    if (nFrame >= data.dwFrameCount)
    {
        if (!voice.bLooping)
            return;
        nFrame -= data.dwFrameCount;
    }
    if (nFrame >= data.dwPresentFrames)
        return;
    const uint32_t frame = static_cast<uint32_t>(nFrame);
    const bool stereo = data.format.nChannels == 2;
    if (data.format.wBitsPerSample == 8)
    {
        if (stereo)
            tFrame<8, 2>::Read(data.bytes.data(), frame, fLeft, fRight);
        else
            tFrame<8, 1>::Read(data.bytes.data(), frame, fLeft, fRight);
    }
    else
    {
        if (stereo)
            tFrame<16, 2>::Read(data.bytes.data(), frame, fLeft, fRight);
        else
            tFrame<16, 1>::Read(data.bytes.data(), frame, fLeft, fRight);
    }
}
