// The software mixer: the game's stand-in for the DirectSound device object. It makes sound
// buffers and their duplicates, and mixes every playing buffer, in floating point, into stereo
// output at one rate. The sum goes through a master peak limiter (CVKT_PeakLimiter), never a clip:
// the output stays at or below -1 dBFS and comes out the limiter's look-ahead (1.5 ms) late.
//
// With a device attached (CVKT_DirectSound does that) the audio thread pulls the output through
// RenderToDevice under the device's audio lock, which every buffer and mixer operation on the main
// thread also takes. Without a device the mixer is driven by hand through Pull (tests, tools).
// Mixing never allocates: the scratch buffer and the limiter's are made in the constructor (and
// again by AttachDevice, before the device runs).
#pragma once

#include "CVKT_PeakLimiter.h"
#include "CVKT_SoundBuffer.h"
#include "CVKT_WaveReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// What the mixer can play.
struct tSoundCaps
{
    uint32_t dwMinSecondarySampleRate = 0;
    uint32_t dwMaxSecondarySampleRate = 0;
};

class CVKT_SoundMixer
{
public:
    static constexpr uint32_t MIN_FREQUENCY = 100;
    static constexpr uint32_t MAX_FREQUENCY = 200000;
    // Buffer sizes in bytes.
    static constexpr uint32_t MIN_BUFFER_BYTES = 4;
    static constexpr uint32_t MAX_BUFFER_BYTES = 0x0FFFFFFF;
    // Output frames mixed in one pass.
    static constexpr uint32_t MIX_CHUNK_FRAMES = 1024;
    // How long a buffer takes to reach a new level (a stop, a volume or pan change, a loop let run
    // out), so that no change is heard as a click.
    static constexpr double RAMP_SECONDS = 0.01;

    // Holds the mixer's lock (the device's audio lock, when a device is attached) for its lifetime.
    // A null mixer locks nothing.
    class tAudioLock
    {
    public:
        explicit tAudioLock(const CVKT_SoundMixer* pMixer) : m_pMixer(pMixer)
        {
            if (m_pMixer)
                m_pMixer->Lock();
        }
        ~tAudioLock()
        {
            if (m_pMixer)
                m_pMixer->Unlock();
        }
        tAudioLock(const tAudioLock&) = delete;
        tAudioLock& operator=(const tAudioLock&) = delete;

    private:
        const CVKT_SoundMixer* m_pMixer;
    };

    enum class eOutputFormat
    {
        Float32, // native-endian float, -1..1
        Signed16 // native-endian signed 16-bit
    };

    // A mixer producing stereo at nOutputRate samples per second (at least 1).
    explicit CVKT_SoundMixer(uint32_t nOutputRate);
    // Buffers still alive are cut loose: they keep working but are no longer heard.
    ~CVKT_SoundMixer();
    CVKT_SoundMixer(const CVKT_SoundMixer&) = delete;
    CVKT_SoundMixer& operator=(const CVKT_SoundMixer&) = delete;

    // A stopped buffer at position 0, volume 0, pan 0, playing at the format's own rate, holding
    // dwBufferBytes (rounded down to whole frames); the samples fill it from the start and
    // silence the rest. Null when the format is not 8- or 16-bit PCM with 1 or 2 channels, the
    // block alignment does not match, the rate is outside MIN_FREQUENCY..MAX_FREQUENCY, the size
    // is outside MIN_BUFFER_BYTES..MAX_BUFFER_BYTES, or memory runs out.
    std::unique_ptr<CVKT_SoundBuffer> CreateSoundBuffer(const tWaveFormat& format, uint32_t dwBufferBytes,
                                                        std::vector<uint8_t> samples);
    // A stopped buffer at position 0 sharing the original's samples, with its volume, pan and
    // frequency. Null when memory runs out.
    std::unique_ptr<CVKT_SoundBuffer> DuplicateSoundBuffer(const CVKT_SoundBuffer& original);
    bool GetCaps(tSoundCaps& caps) const;

    uint32_t GetOutputRate() const { return m_nOutputRate; }
    // Output frames of a level ramp (RAMP_SECONDS at the output rate, at least 1).
    uint32_t GetRampFrames() const;
    // Output frames between a sample being mixed and being heard: the limiter's look-ahead.
    uint32_t GetLatencyFrames() const { return m_Limiter.GetDelayFrames(); }
    // Buffers made by this mixer and not yet destroyed.
    size_t GetBufferCount() const;

    // Mixes the next nFrames of output into pStereo (interleaved left, right; within the limiter's
    // ceiling), exactly what the device would have played, and moves every playing buffer on.
    void Pull(float* pStereo, size_t nFrames);

    // Device side. AttachDevice while the device is paused: from then on the mixer's operations
    // take the device's audio lock and RenderToDevice may run on the audio thread.
    void AttachDevice(uint32_t nDeviceID, uint32_t nOutputRate, eOutputFormat format);
    // After the device is closed.
    void DetachDevice();
    // Audio thread, with the device's audio lock held by the caller: fills nBytes of interleaved
    // stereo in the attached format.
    void RenderToDevice(uint8_t* pStream, size_t nBytes);

private:
    friend class CVKT_SoundBuffer;

    // Recursive: a buffer operation may call into the mixer while holding it.
    void Lock() const;
    void Unlock() const;
    void Unregister(CVKT_SoundBuffer* pBuffer);
    std::unique_ptr<CVKT_SoundBuffer> Register(std::shared_ptr<const tSampleData> pData);
    // Mixes nFrames (at most MIX_CHUNK_FRAMES) into m_Scratch and limits them.
    void MixChunk(uint32_t nFrames);

    uint32_t m_nOutputRate;
    uint32_t m_nDeviceID = 0;
    eOutputFormat m_OutputFormat = eOutputFormat::Float32;
    std::vector<CVKT_SoundBuffer*> m_Buffers;
    std::vector<float> m_Scratch;
    CVKT_PeakLimiter m_Limiter;
};
