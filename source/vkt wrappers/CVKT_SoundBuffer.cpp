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

// Frames nFirst .. nFirst + nCount - 1 at the output rate, no resampling.
template <class TFrame>
void AddFrames(const uint8_t* __restrict pData, uint32_t nFirst, uint32_t nCount, float fGainLeft,
               float fGainRight, float* __restrict pOut)
{
    // A size_t count from a base pointer: a 32-bit frame index that might wrap keeps the
    // compiler from vectorising.
    const uint8_t* __restrict pFrames = pData + static_cast<size_t>(nFirst) * TFrame::BYTES;
    for (size_t k = 0; k < nCount; ++k)
    {
        float left, right;
        TFrame::Read(pFrames, k, left, right);
        pOut[2 * k] += left * fGainLeft;
        pOut[2 * k + 1] += right * fGainRight;
    }
}

// Linear interpolation between neighbouring frames; the caller guarantees that both neighbours of
// every position visited are present. Returns the position after the last frame.
template <class TFrame>
uint64_t AddInterpolated(const uint8_t* __restrict pData, uint64_t nPosition, uint64_t nStep, uint32_t nCount,
                         float fGainLeft, float fGainRight, float* __restrict pOut)
{
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
        pOut[2 * k] += (left0 + (left1 - left0) * t) * fGainLeft;
        pOut[2 * k + 1] += (right0 + (right1 - right0) * t) * fGainRight;
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

bool CVKT_SoundBuffer::Play(bool bLooping)
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    m_bPlaying = true;
    m_bLooping = bLooping;
    return true;
}

bool CVKT_SoundBuffer::Stop()
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    if (m_bPlaying)
    {
        m_bPlaying = false;
        m_bLooping = false;
        SignalStop();
    }
    return true;
}

bool CVKT_SoundBuffer::SetCurrentPosition(uint32_t dwBytes)
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    const uint32_t frame = dwBytes / m_pData->format.nBlockAlign;
    if (frame >= m_pData->dwFrameCount)
        return false;
    m_nPosition = static_cast<uint64_t>(frame) << 32;
    return true;
}

uint32_t CVKT_SoundBuffer::GetCurrentPosition() const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    return static_cast<uint32_t>(m_nPosition >> 32) * m_pData->format.nBlockAlign;
}

bool CVKT_SoundBuffer::GetStatus(uint32_t& dwStatus) const
{
    CVKT_SoundMixer::tAudioLock lock(m_pMixer);
    dwStatus = 0;
    if (m_bPlaying)
        dwStatus = STATUS_PLAYING | (m_bLooping ? STATUS_LOOPING : 0);
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
    m_bLooping = false;
    m_nPosition = 0;
    SignalStop();
}

void CVKT_SoundBuffer::MixInto(float* pStereo, uint32_t nFrames, uint32_t nOutputRate)
{
    if (!m_bPlaying || nOutputRate == 0)
        return;
    const uint64_t step = (static_cast<uint64_t>(m_dwFrequency) << 32) / nOutputRate;
    const bool stereo = m_pData->format.nChannels == 2;
    if (m_pData->format.wBitsPerSample == 8)
    {
        if (stereo)
            MixFrames<tFrame<8, 2>>(pStereo, nFrames, step);
        else
            MixFrames<tFrame<8, 1>>(pStereo, nFrames, step);
    }
    else
    {
        if (stereo)
            MixFrames<tFrame<16, 2>>(pStereo, nFrames, step);
        else
            MixFrames<tFrame<16, 1>>(pStereo, nFrames, step);
    }
}

// The output is cut into runs that need no bounds checks inside: unresampled frames, interpolated
// frames whose neighbours are both present, the last present frame (whose neighbour is silence or,
// looping, the first frame) and the silence that a cut-off file claims after its bytes.
template <class TFrame>
void CVKT_SoundBuffer::MixFrames(float* pStereo, uint32_t nFrames, uint64_t nStep)
{
    const tSampleData& data = *m_pData;
    const uint8_t* bytes = data.bytes.data();
    const uint64_t end = static_cast<uint64_t>(data.dwFrameCount) << 32;
    const uint64_t presentEnd = static_cast<uint64_t>(data.dwPresentFrames) << 32;
    const uint64_t pairEnd = data.dwPresentFrames > 0 ? presentEnd - ONE : 0;
    const float gainLeft = m_fGainLeft;
    const float gainRight = m_fGainRight;

    uint32_t done = 0;
    while (done < nFrames)
    {
        if (m_nPosition >= end)
            m_nPosition %= end; // only a looping buffer gets here
        float* out = pStereo + 2 * static_cast<size_t>(done);
        const uint32_t limit = nFrames - done;
        uint32_t count = 1;
        if (nStep == ONE && (m_nPosition & FRACTION_MASK) == 0 && m_nPosition < presentEnd)
        {
            const uint32_t first = static_cast<uint32_t>(m_nPosition >> 32);
            count = std::min(limit, data.dwPresentFrames - first);
            AddFrames<TFrame>(bytes, first, count, gainLeft, gainRight, out);
            m_nPosition += static_cast<uint64_t>(count) << 32;
        }
        else if (m_nPosition < pairEnd)
        {
            count = FramesBelow(m_nPosition, pairEnd, nStep, limit);
            m_nPosition = AddInterpolated<TFrame>(bytes, m_nPosition, nStep, count, gainLeft, gainRight, out);
        }
        else if (m_nPosition < presentEnd)
        {
            MixLastPresentFrame(out, nStep);
        }
        else
        {
            count = FramesBelow(m_nPosition, end, nStep, limit);
            m_nPosition += count * nStep;
        }
        done += count;
        if (m_nPosition >= end && !m_bLooping)
        {
            FinishPlaying();
            return;
        }
    }
}

void CVKT_SoundBuffer::MixLastPresentFrame(float* pStereo, uint64_t nStep)
{
    const uint64_t frame = m_nPosition >> 32;
    const float t = static_cast<float>(m_nPosition & FRACTION_MASK) * FRACTION_SCALE;
    float left0, right0, left1, right1;
    FetchFrame(frame, left0, right0);
    FetchFrame(frame + 1, left1, right1);
    pStereo[0] += (left0 + (left1 - left0) * t) * m_fGainLeft;
    pStereo[1] += (right0 + (right1 - right0) * t) * m_fGainRight;
    m_nPosition += nStep;
}

void CVKT_SoundBuffer::FetchFrame(uint64_t nFrame, float& fLeft, float& fRight) const
{
    fLeft = fRight = 0.0f;
    const tSampleData& data = *m_pData;
    if (nFrame >= data.dwFrameCount)
    {
        if (!m_bLooping)
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
