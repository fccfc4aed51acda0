// One sound buffer of the software mixer: what a DirectSound secondary buffer was to the game. It
// holds PCM samples (8-bit unsigned or 16-bit signed, mono or stereo, any rate), shared with its
// duplicates, and has a play position, a playing and a looping flag, a volume and a pan in
// hundredths of a decibel, a playback frequency and an optional stop notification.
//
// No change is heard as a click: a stop, a volume or pan change while the buffer is heard, and the
// end of a loop that was let run out reach their new level along a short S-shaped ramp
// (CVKT_SoundMixer::RAMP_SECONDS). A stopped buffer fades out from where it stood while its own
// position stays at the stop, so playing it again goes on from there (within the fade, it comes
// back up from the fade). A buffer starts at its level at once, as its samples begin.
//
// Buffers are made by CVKT_SoundMixer and unregister themselves from it when destroyed. Every
// operation runs on the main thread under the mixer's lock; the mixer reads the buffer on the audio
// thread. Only the stop notification crosses threads without the lock.
#pragma once

#include "CVKT_WaveReader.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CVKT_SoundMixer;

// Sample data, immutable once made and shared by a buffer and all its duplicates.
struct tSampleData
{
    tWaveFormat format;
    std::vector<uint8_t> bytes; // whole frames only
    uint32_t dwFrameCount = 0;  // playable length; frames past the bytes are silence
    uint32_t dwPresentFrames = 0;
};

class CVKT_SoundBuffer
{
public:
    // Status bits.
    static constexpr uint32_t STATUS_PLAYING = 1;
    static constexpr uint32_t STATUS_LOOPING = 4;
    // Volume and pan limits, hundredths of a decibel. The minimum is silence.
    static constexpr long VOLUME_MAX = 0;
    static constexpr long VOLUME_MIN = -10000;
    static constexpr long PAN_LEFT = -10000;
    static constexpr long PAN_RIGHT = 10000;

    ~CVKT_SoundBuffer();
    CVKT_SoundBuffer(const CVKT_SoundBuffer&) = delete;
    CVKT_SoundBuffer& operator=(const CVKT_SoundBuffer&) = delete;

    // Starts (or keeps) playing from the current position. A looping buffer wraps at its end; any
    // other stops there, rewinds to 0 and signals its stop notification. A loop told to play once
    // fades out over the last ramp before its end, since its last sample leads into its first.
    bool Play(bool bLooping);
    // Stops at the current position and signals the stop notification if it was playing; what was
    // heard fades out within one ramp.
    bool Stop();
    // Position in bytes from the start, rounded down to a whole frame; false past the end.
    bool SetCurrentPosition(uint32_t dwBytes);
    uint32_t GetCurrentPosition() const;
    // STATUS_PLAYING, plus STATUS_LOOPING while playing in a loop.
    bool GetStatus(uint32_t& dwStatus) const;
    // False outside VOLUME_MIN..VOLUME_MAX, nothing changed. Heard within one ramp.
    bool SetVolume(long lVolume);
    long GetVolume() const;
    // Negative attenuates the right channel by that many hundredths of a decibel, positive the
    // left. False outside PAN_LEFT..PAN_RIGHT, nothing changed.
    bool SetPan(long lPan);
    long GetPan() const;
    // Samples per second to play at; resampled to the device's rate. False outside the mixer's
    // frequency range.
    bool SetFrequency(uint32_t dwFrequency);
    uint32_t GetFrequency() const;

    const tWaveFormat& GetFormat() const { return m_pData->format; }
    uint32_t GetBufferBytes() const { return m_pData->dwFrameCount * m_pData->format.nBlockAlign; }
    // True when both buffers play the same sample data.
    bool SharesDataWith(const CVKT_SoundBuffer& other) const { return m_pData == other.m_pData; }

    // From now on every stop (the end of the data or Stop) signals the notification.
    void EnableStopNotification();
    // True once after each signalled stop (an auto-reset event); never waits.
    bool PollStopNotification();

private:
    friend class CVKT_SoundMixer;

    // One reading of the samples: where it stands, whether it wraps, and its gains, which may be on
    // their way along a ramp.
    struct tVoice
    {
        // Frames from the start, 32.32 fixed point.
        uint64_t nPosition = 0;
        bool bLooping = false;
        // A loop let run out: fades out before its end.
        bool bFadeAtEnd = false;
        // That fade has begun.
        bool bEnding = false;
        // Ramping down to silence, after which the voice is done.
        bool bFadingOut = false;
        // Left and right: the gains at the ramp's start (or now, with no ramp) and at its end.
        float fFrom[2] = {1.0f, 1.0f};
        float fTo[2] = {1.0f, 1.0f};
        // Frames of the ramp done and in all; 0 in all: no ramp.
        uint32_t nRampDone = 0;
        uint32_t nRampFrames = 0;

        // The gain of one side (0 left, 1 right) at the frame mixed next.
        float Gain(int nSide) const;
        // From the gains now to these, over nFrames (at least 1).
        void RampTo(float fLeft, float fRight, uint32_t nFrames);
        // These gains at once; any ramp ends.
        void SetGains(float fLeft, float fRight);
        // nFrames further along the ramp, which ends at its last frame.
        void AdvanceRamp(uint32_t nFrames);
        // Plain playing again: no fade planned or going on.
        void ClearFades() { bFadeAtEnd = bEnding = bFadingOut = false; }
    };
    enum class eVoiceEnd
    {
        None,
        DataEnded, // a voice that does not wrap reached the end of the data
        FadedOut
    };

    CVKT_SoundBuffer(CVKT_SoundMixer* pMixer, std::shared_ptr<const tSampleData> pData);
    void ApplyGains();
    void FinishPlaying();
    void SignalStop();
    uint32_t RampFrames() const;

    // Audio thread, under the mixer's lock: adds nFrames of this buffer, stereo interleaved, to
    // pStereo, at an output rate of nOutputRate.
    void MixInto(float* pStereo, uint32_t nFrames, uint32_t nOutputRate);
    eVoiceEnd MixVoice(tVoice& voice, float* pStereo, uint32_t nFrames, uint64_t nStep);
    template <class TFrame>
    eVoiceEnd MixFrames(tVoice& voice, float* pStereo, uint32_t nFrames, uint64_t nStep);
    template <class TFrame, class TGain>
    uint32_t MixRun(tVoice& voice, float* pStereo, uint32_t nLimit, uint64_t nStep, const TGain& gain);
    template <class TGain>
    void MixLastPresentFrame(tVoice& voice, float* pStereo, uint64_t nStep, const TGain& gain);
    void FetchFrame(const tVoice& voice, uint64_t nFrame, float& fLeft, float& fRight) const;

    CVKT_SoundMixer* m_pMixer;
    std::shared_ptr<const tSampleData> m_pData;
    // What plays, and what still fades out after a stop.
    tVoice m_Voice;
    tVoice m_Tail;
    bool m_bPlaying = false;
    bool m_bTailPlaying = false;
    // The playing voice has been mixed since it started: from then on a change of level ramps.
    bool m_bHeard = false;
    // The position was set after the last stop, so playing again does not resume the fading tail.
    bool m_bMovedSinceStop = false;
    long m_lVolume = VOLUME_MAX;
    long m_lPan = 0;
    uint32_t m_dwFrequency;
    // The level the volume and pan ask for.
    float m_fGainLeft = 1.0f;
    float m_fGainRight = 1.0f;
    bool m_bNotifyOnStop = false;
    std::atomic<bool> m_bStopSignalled{false};
};
