#include "CVKT_DirectSound.h"

// STAND-IN: no device until the sound layer lands.
CVKT_DirectSound* CVKT_DirectSound::GetInstance()
{
    static CVKT_DirectSound instance;
    return &instance;
}

bool CVKT_DirectSound::InitDirectSound(HWND, int)
{
    return false;
}

bool CVKT_DirectSound::ShutdownDirectSound()
{
    return true;
}
