#include "CVKT_WaveManager.h"

// STAND-IN: silent until the sound layer lands.
CVKT_WaveManager* CVKT_WaveManager::GetInstance()
{
    static CVKT_WaveManager instance;
    return &instance;
}

bool CVKT_WaveManager::InitWaveManager(HWND, CVKT_SoundMixer*)
{
    return false;
}
void CVKT_WaveManager::ShutdownWaveManager() {}
int CVKT_WaveManager::LoadWave(const char*)
{
    return -1;
}
bool CVKT_WaveManager::UnloadWave(int)
{
    return true;
}
bool CVKT_WaveManager::PlayWave(int, bool)
{
    return false;
}
bool CVKT_WaveManager::StopWave(int)
{
    return false;
}
bool CVKT_WaveManager::ResetWave(int)
{
    return false;
}
bool CVKT_WaveManager::IsWavePlaying(int)
{
    return false;
}
bool CVKT_WaveManager::SetVolume(int, int)
{
    return false;
}
bool CVKT_WaveManager::SetPan(int, int)
{
    return false;
}
bool CVKT_WaveManager::SetFrequency(int, unsigned int)
{
    return false;
}
void CVKT_WaveManager::Update() {}
