// The sound output device: opens SDL's default audio output and owns the software mixer that stands
// in for the DirectSound device object. The wave manager makes its buffers on that mixer.
//
// Modes: 1 (and any value but 2 and 3) shares the device normally and mixes at the device's own
// rate; 2 and 3 ask for 16-bit stereo at 22050 or 44100 Hz (the priority modes with a primary
// buffer format). The device buffer is kept short (at most 1024 frames, about 12 ms at 44100 Hz) so
// that an effect is heard within about 25 ms of being played (the mixer's limiter adds 1.5 ms).
#pragma once

#include "CVKT_WaveReader.h"
#include "VKT_Types.h"

#include <cstdint>
#include <memory>

class CVKT_SoundMixer;

class CVKT_DirectSound
{
public:
    static constexpr uint32_t MAX_DEVICE_FRAMES = 1024;

    static CVKT_DirectSound* GetInstance();
    virtual ~CVKT_DirectSound();

    // False with no message for a null window. Otherwise opens the device and starts the mixer;
    // a failure is reported in a "CVKT_DirectSound Error" message box and gives false, and the
    // game then runs silently. Calling it again first shuts the previous device down.
    bool InitDirectSound(HWND hWnd, int nMode = 1);
    // Closes the device and destroys the mixer. Call it after ShutdownWaveManager: buffers still
    // alive then are cut loose from the mixer and never heard again. Always true.
    bool ShutdownDirectSound();
    // The mixer, or null when no device is open.
    CVKT_SoundMixer* GetDSObject() const { return m_pDS.get(); }

    // The primary buffer exists in modes 2 and 3 only; its format is the 16-bit stereo record.
    bool HasPrimaryBuffer() const { return m_bPrimaryBuffer; }
    const tWaveFormat& GetPrimaryFormat() const { return m_PrimaryFormat; }
    // Frames per device buffer as the device opened it (0 with no device).
    uint32_t GetDeviceBufferFrames() const { return m_nDeviceFrames; }

private:
    CVKT_DirectSound() = default;
    bool OpenDevice(int nMode);
    void ReportFailure(const char* szText) const;

    HWND m_hWnd = nullptr;
    uint32_t m_nDeviceID = 0;
    uint32_t m_nDeviceFrames = 0;
    bool m_bAudioStarted = false;
    bool m_bPrimaryBuffer = false;
    tWaveFormat m_PrimaryFormat;
    std::unique_ptr<CVKT_SoundMixer> m_pDS;
};
