#include "CVKT_SoundMixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace
{
bool IsPlayableFormat(const tWaveFormat& format)
{
    if (format.wFormatTag != CVKT_WaveReader::FORMAT_PCM)
        return false;
    if (format.nChannels != 1 && format.nChannels != 2)
        return false;
    if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16)
        return false;
    // The byte rate is only informative and often wrong in files from the wild; the block
    // alignment decides where every frame starts, so it must be exact.
    if (format.nBlockAlign != format.nChannels * format.wBitsPerSample / 8)
        return false;
    return format.nSamplesPerSec >= CVKT_SoundMixer::MIN_FREQUENCY &&
           format.nSamplesPerSec <= CVKT_SoundMixer::MAX_FREQUENCY;
}

int16_t ToSigned16(float fSample)
{
    // The limiter keeps the mix far inside -1..1; the clamp only guards the conversion.
    const long value = std::lrint(fSample * 32768.0f);
    return static_cast<int16_t>(std::clamp(value, -32768L, 32767L));
}
} // namespace

CVKT_SoundMixer::CVKT_SoundMixer(uint32_t nOutputRate)
    : m_nOutputRate(std::max<uint32_t>(nOutputRate, 1)), m_Scratch(2 * MIX_CHUNK_FRAMES, 0.0f),
      m_Limiter(m_nOutputRate)
{
}

CVKT_SoundMixer::~CVKT_SoundMixer()
{
    tAudioLock lock(this);
    for (CVKT_SoundBuffer* pBuffer : m_Buffers)
        pBuffer->m_pMixer = nullptr;
    m_Buffers.clear();
}

void CVKT_SoundMixer::Lock() const
{
    if (m_nDeviceID != 0)
        SDL_LockAudioDevice(m_nDeviceID);
}

void CVKT_SoundMixer::Unlock() const
{
    if (m_nDeviceID != 0)
        SDL_UnlockAudioDevice(m_nDeviceID);
}

std::unique_ptr<CVKT_SoundBuffer> CVKT_SoundMixer::CreateSoundBuffer(const tWaveFormat& format,
                                                                     uint32_t dwBufferBytes,
                                                                     std::vector<uint8_t> samples)
{
    if (!IsPlayableFormat(format) || dwBufferBytes < MIN_BUFFER_BYTES || dwBufferBytes > MAX_BUFFER_BYTES)
        return nullptr;
    try
    {
        auto pData = std::make_shared<tSampleData>();
        pData->format = format;
        pData->format.cbSize = 0;
        pData->dwFrameCount = dwBufferBytes / format.nBlockAlign;
        pData->dwPresentFrames = std::min<uint32_t>(
            pData->dwFrameCount, static_cast<uint32_t>(samples.size() / format.nBlockAlign));
        samples.resize(static_cast<size_t>(pData->dwPresentFrames) * format.nBlockAlign);
        pData->bytes = std::move(samples);
        return Register(std::move(pData));
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

std::unique_ptr<CVKT_SoundBuffer> CVKT_SoundMixer::DuplicateSoundBuffer(const CVKT_SoundBuffer& original)
{
    std::unique_ptr<CVKT_SoundBuffer> pCopy = Register(original.m_pData);
    if (!pCopy)
        return nullptr;
    tAudioLock lock(this);
    pCopy->m_lVolume = original.m_lVolume;
    pCopy->m_lPan = original.m_lPan;
    pCopy->m_dwFrequency = original.m_dwFrequency;
    pCopy->ApplyGains();
    return pCopy;
}

std::unique_ptr<CVKT_SoundBuffer> CVKT_SoundMixer::Register(std::shared_ptr<const tSampleData> pData)
{
    try
    {
        std::unique_ptr<CVKT_SoundBuffer> pBuffer(new CVKT_SoundBuffer(this, std::move(pData)));
        tAudioLock lock(this);
        m_Buffers.push_back(pBuffer.get());
        return pBuffer;
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

void CVKT_SoundMixer::Unregister(CVKT_SoundBuffer* pBuffer)
{
    tAudioLock lock(this);
    m_Buffers.erase(std::remove(m_Buffers.begin(), m_Buffers.end(), pBuffer), m_Buffers.end());
}

bool CVKT_SoundMixer::GetCaps(tSoundCaps& caps) const
{
    caps.dwMinSecondarySampleRate = MIN_FREQUENCY;
    caps.dwMaxSecondarySampleRate = MAX_FREQUENCY;
    return true;
}

uint32_t CVKT_SoundMixer::GetRampFrames() const
{
    return std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(m_nOutputRate * RAMP_SECONDS)));
}

size_t CVKT_SoundMixer::GetBufferCount() const
{
    tAudioLock lock(this);
    return m_Buffers.size();
}

void CVKT_SoundMixer::MixChunk(uint32_t nFrames)
{
    float* pMix = m_Scratch.data();
    std::fill(pMix, pMix + 2 * static_cast<size_t>(nFrames), 0.0f);
    for (CVKT_SoundBuffer* pBuffer : m_Buffers)
        pBuffer->MixInto(pMix, nFrames, m_nOutputRate);
    // The sum is limited, never clipped: several loud sounds at once lose a little level together
    // instead of crackling.
    m_Limiter.Process(pMix, nFrames);
}

void CVKT_SoundMixer::Pull(float* pStereo, size_t nFrames)
{
    tAudioLock lock(this);
    while (nFrames > 0)
    {
        const uint32_t chunk = static_cast<uint32_t>(std::min<size_t>(nFrames, MIX_CHUNK_FRAMES));
        MixChunk(chunk);
        std::memcpy(pStereo, m_Scratch.data(), 2 * sizeof(float) * chunk);
        pStereo += 2 * static_cast<size_t>(chunk);
        nFrames -= chunk;
    }
}

void CVKT_SoundMixer::AttachDevice(uint32_t nDeviceID, uint32_t nOutputRate, eOutputFormat format)
{
    m_nDeviceID = nDeviceID;
    m_nOutputRate = std::max<uint32_t>(nOutputRate, 1);
    m_OutputFormat = format;
    m_Limiter.SetRate(m_nOutputRate);
}

void CVKT_SoundMixer::DetachDevice()
{
    m_nDeviceID = 0;
}

void CVKT_SoundMixer::RenderToDevice(uint8_t* pStream, size_t nBytes)
{
    const size_t frameBytes =
        m_OutputFormat == eOutputFormat::Float32 ? 2 * sizeof(float) : 2 * sizeof(int16_t);
    size_t frames = nBytes / frameBytes;
    while (frames > 0)
    {
        const uint32_t chunk = static_cast<uint32_t>(std::min<size_t>(frames, MIX_CHUNK_FRAMES));
        MixChunk(chunk);
        const size_t samples = 2 * static_cast<size_t>(chunk);
        if (m_OutputFormat == eOutputFormat::Float32)
        {
            std::memcpy(pStream, m_Scratch.data(), samples * sizeof(float));
        }
        else
        {
            for (size_t i = 0; i < samples; ++i)
            {
                const int16_t value = ToSigned16(m_Scratch[i]);
                std::memcpy(pStream + i * sizeof value, &value, sizeof value);
            }
        }
        pStream += chunk * frameBytes;
        frames -= chunk;
    }
    // A partial frame at the end (the device never asks for one) stays silent.
    std::memset(pStream, 0, nBytes % frameBytes);
}
