// The two volumes kept by the game: Up and Down choose music or sound effects, holding Left or Right
// lowers or raises the chosen one by 10 per second and applies it at once (a sample effect plays
// while the effect volume moves). Escape returns to the main menu; leaving writes the settings file.
#pragma once

#include "IGameState.h"

class COptionsMenuState : public IGameState
{
public:
    enum eSelection
    {
        SELECT_MUSIC = 0,
        SELECT_FX = 1
    };

    static COptionsMenuState* GetInstance();

    COptionsMenuState(const COptionsMenuState&) = delete;
    COptionsMenuState& operator=(const COptionsMenuState&) = delete;

    void Enter() override;
    // Escape changes to the main menu; everything else is read in Update.
    bool Input() override;
    // Moves the selection and the chosen volume. The bound (0 or 100) is tested before each step, so
    // the last step may pass it; the wave manager limits what it is given and the file keeps the
    // truncated value.
    void Update(float fElapsedTime) override;
    void Render() override;
    // Releases the pictures, the font and the sample, then writes the settings file.
    void Exit() override;

    int GetSelection() const { return m_nSelection; }

private:
    COptionsMenuState() = default;
    void MoveSelection();
    void ChangeVolume(float fStep, bool bWithinBound);
    void ApplyMusicVolume(float fVolume);
    void ApplyFXVolume(float fVolume);

    int m_nBackgroundImageID = -1;
    int m_nMarkerImageID = -1;
    int m_nSelection = SELECT_MUSIC;
    int m_nSampleSoundID = -1;
};
