// WAV loading and playback by id.
// STAND-IN: every call fails quietly; the sound layer replaces this file.
#pragma once

#include "VKT_Types.h"

class CVKT_SoundMixer;

class CVKT_WaveManager
{
public:
    static CVKT_WaveManager* GetInstance();

    bool InitWaveManager(HWND hWnd, CVKT_SoundMixer* pDS);
    void ShutdownWaveManager();
    int LoadWave(const char* szFilename);
    bool UnloadWave(int nID);
    bool PlayWave(int nID, bool bIsLooping = false);
    bool StopWave(int nID);
    bool ResetWave(int nID);
    bool IsWavePlaying(int nID);
    bool SetVolume(int nID, int nVolume);
    bool SetPan(int nID, int nPan);
    bool SetFrequency(int nID, unsigned int unFrequency);
    void Update();
};
