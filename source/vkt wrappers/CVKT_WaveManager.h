// The wave manager: loads RIFF/WAVE files into sound buffers on the mixer, hands out integer ids
// (a slot's index), shares one slot among all loads of the same name (letter case ignored) with a
// reference count, and plays, stops, rewinds and adjusts the sounds.
//
// Playing a sound that is already playing starts a copy (a duplicate buffer sharing the samples)
// that plays alongside; Update frees the copies that have finished. Stop, reset, volume, pan and
// frequency act on the sound's own buffer only, never on its copies.
//
// Failures are reported in a "CVKT_WaveManager Error" message box and give -1 or false. Without a
// sound device every call returns false (LoadWave -1) at once and says nothing, so a machine with
// no sound runs the game silently. Calls with the id -1 that a failed load leaves behind are
// ignored (false); any other id out of range, or a released one, is a programming error: an
// assertion in debug builds, false in release builds.
#pragma once

#include "CVKT_WaveReader.h"
#include "VKT_Types.h"

#include <list>
#include <memory>
#include <vector>

class CVKT_SoundBuffer;
class CVKT_SoundMixer;

class CVKT_WaveManager
{
public:
    static constexpr int MAX_FILENAME = 260;

    static CVKT_WaveManager* GetInstance();

    // False when either is missing (the manager then stays without a device); otherwise stores
    // both. The mixer must outlive the manager's use of it: ShutdownWaveManager comes first.
    bool InitWaveManager(HWND hWnd, CVKT_SoundMixer* pDS);
    // Releases every sound and every copy and forgets the mixer; every id becomes invalid.
    void ShutdownWaveManager();

    // The id of the loaded sound, or -1. A name already loaded (compared ignoring letter case
    // only) shares its slot and the file is not read again; otherwise the lowest free slot is
    // reused, or a new one appended.
    int LoadWave(const char* szFilename);
    // Drops one reference; the sound is released at 0. True, except for the id -1.
    bool UnloadWave(int nID);
    // Plays the sound's own buffer from where it stands if it is not playing; otherwise starts a
    // copy from the beginning. bIsLooping: wrap at the end (a looping copy plays until shutdown).
    bool PlayWave(int nID, bool bIsLooping = false);
    bool StopWave(int nID);
    // Stops the sound's own buffer and rewinds it to the start.
    bool ResetWave(int nID);
    // True while the sound's own buffer plays (copies do not count).
    bool IsWavePlaying(int nID);
    // nVolume 0..100 (clamped): 100 is full level, each step 0.3 dB less, 0 is -30 dB.
    bool SetVolume(int nID, int nVolume);
    // nPan -100..100 (clamped): each step attenuates the far side by 1 dB; -100 is left only.
    bool SetPan(int nID, int nPan);
    // Samples per second, clamped to what the mixer can play.
    bool SetFrequency(int nID, unsigned int unFrequency);
    // Frees the copies whose stop notification has been signalled. Never waits.
    void Update();

    // For tests and tools: slots (free ones included), one slot's reference count, copies alive.
    int GetSlotCount() const { return static_cast<int>(m_waveList.size()); }
    int GetRefCount(int nID) const;
    int GetChannelCount() const { return static_cast<int>(m_Channels.size()); }

private:
    struct tSoundInfo
    {
        char filename[MAX_FILENAME] = {};
        int refCount = 0;
        tWaveFormat format;
        std::unique_ptr<CVKT_SoundBuffer> dsBuffer;
    };
    // A copy that plays alongside its sound; its stop notification lives in the buffer.
    struct tSoundChannel
    {
        std::unique_ptr<CVKT_SoundBuffer> dsBuffer;
    };

    CVKT_WaveManager();
    ~CVKT_WaveManager();
    enum class eUse
    {
        Play,
        Other
    };

    // The sound's own buffer, or null when the call is to be ignored (no device, the id -1) or is
    // a programming error (asserted here: out of range, or a released slot).
    CVKT_SoundBuffer* BufferFor(int nID, eUse use) const;
    int FindLoaded(const char* szFilename) const;
    int FindFreeSlot() const;
    int StoreWave(tSoundInfo&& info);
    bool CreateBuffer(const char* szFilename, tSoundInfo& info);
    bool StartCopy(const CVKT_SoundBuffer& own, bool bIsLooping);
    void Report(const char* szText) const;
    void ReportWithName(const char* szFormat, const char* szFilename) const;

    std::vector<tSoundInfo> m_waveList;
    std::list<tSoundChannel> m_Channels;
    CVKT_SoundMixer* m_pDS = nullptr;
    HWND m_hWnd = nullptr;
};
