// The sound output device.
// STAND-IN: silent; the sound layer (device, mixer, wave reader) replaces this file.
#pragma once

#include "VKT_Types.h"

class CVKT_SoundMixer;

class CVKT_DirectSound
{
public:
    static CVKT_DirectSound* GetInstance();
    virtual ~CVKT_DirectSound() = default;

    bool InitDirectSound(HWND hWnd, int nMode = 1);
    bool ShutdownDirectSound();
    CVKT_SoundMixer* GetDSObject() { return nullptr; }
};
