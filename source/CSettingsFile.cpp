#include "CSettingsFile.h"

#include <cstring>

tGameSettings CSettingsFile::Defaults()
{
    tGameSettings settings;
    settings.fMusicVolume = 50.0f;
    settings.fFXVolume = 50.0f;
    for (tHighScore& entry : settings.highScores)
    {
        entry.nPoints = 0;
        std::memcpy(entry.szName, "AAA", 4);
    }
    return settings;
}

// STAND-IN: no file access until the settings issue lands.
bool CSettingsFile::Load(const char*, tGameSettings& settings)
{
    settings = Defaults();
    return false;
}

bool CSettingsFile::Save(const char*, const tGameSettings&)
{
    return false;
}
