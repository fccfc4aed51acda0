// Reading and writing Resource/settings.xml: the two volumes and the ten high scores.
// STAND-IN: always the defaults, nothing written; the settings issue replaces this file.
#pragma once

#include <cstdint>

struct tHighScore
{
    int32_t nPoints;
    char szName[4]; // up to three characters and a terminating NUL
};

constexpr int NUM_HIGH_SCORES = 10;

struct tGameSettings
{
    float fMusicVolume;
    float fFXVolume;
    tHighScore highScores[NUM_HIGH_SCORES];
};

class CSettingsFile
{
public:
    // The values used when the file cannot be read: volumes 50, ten entries of 0 points named "AAA".
    static tGameSettings Defaults();
    // Fills `settings` from the file; false (with the defaults installed) when it cannot be read.
    static bool Load(const char* szPath, tGameSettings& settings);
    // Writes the whole file; false when the write failed.
    static bool Save(const char* szPath, const tGameSettings& settings);
};
