#include "COptionsMenuState.h"

#include "CBitmapFont.h"
#include "CGame.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"

#include <cstdio>

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr float VOLUME_PER_SECOND = 10.0f;
constexpr float MIN_VOLUME = 0.0f;
constexpr float MAX_VOLUME = 100.0f;

// The volume as the screen shows it: truncated, at most three characters.
void PrintVolume(float fVolume, int nX, int nY)
{
    char szText[4];
    std::snprintf(szText, sizeof szText, "%i", static_cast<int>(fVolume));
    CBitmapFont::GetInstance()->Print(szText, nX, nY, 1.0f, WHITE);
}
} // namespace

COptionsMenuState* COptionsMenuState::GetInstance()
{
    static COptionsMenuState instance;
    return &instance;
}

void COptionsMenuState::Enter()
{
    CBitmapFont::GetInstance()->Initialize(FONT_LARGE, 0xFF000000);
    m_nSelection = SELECT_MUSIC;
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nMarkerImageID = pTM->LoadTexture(IMAGE_OPTIONS_SELECTION, WHITE);
    m_nBackgroundImageID = pTM->LoadTexture(IMAGE_OPTIONS_MENU, 0);
    m_nSampleSoundID = CVKT_WaveManager::GetInstance()->LoadWave(SOUND_HIT);
}

bool COptionsMenuState::Input()
{
    if (CVKT_DirectInput::GetInstance()->KeyPressed(DIK_ESCAPE) || CPadInput::GetInstance()->Back())
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    return true;
}

void COptionsMenuState::Update(float fElapsedTime)
{
    MoveSelection();
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    CGame* pGame = CGame::GetInstance();
    const float fChosen = m_nSelection == SELECT_MUSIC ? pGame->GetMusicVolume() : pGame->GetFXVolume();
    if (pDI->KeyDown(DIK_LEFT) || pPad->HeldLeft())
        ChangeVolume(-VOLUME_PER_SECOND * fElapsedTime, fChosen > MIN_VOLUME);
    // Read again: Left may just have moved it, and Right's bound is tested on the new value.
    const float fAfterLeft = m_nSelection == SELECT_MUSIC ? pGame->GetMusicVolume() : pGame->GetFXVolume();
    if (pDI->KeyDown(DIK_RIGHT) || pPad->HeldRight())
        ChangeVolume(VOLUME_PER_SECOND * fElapsedTime, fAfterLeft < MAX_VOLUME);
}

void COptionsMenuState::MoveSelection()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_UP) || pPad->MenuUp())
        m_nSelection = m_nSelection - 1 < SELECT_MUSIC ? SELECT_FX : m_nSelection - 1;
    if (pDI->KeyPressed(DIK_DOWN) || pPad->MenuDown())
        m_nSelection = m_nSelection + 1 > SELECT_FX ? SELECT_MUSIC : m_nSelection + 1;
}

void COptionsMenuState::ChangeVolume(float fStep, bool bWithinBound)
{
    if (!bWithinBound)
        return;
    CGame* pGame = CGame::GetInstance();
    if (m_nSelection == SELECT_MUSIC)
        ApplyMusicVolume(pGame->GetMusicVolume() + fStep);
    else
        ApplyFXVolume(pGame->GetFXVolume() + fStep);
}

void COptionsMenuState::ApplyMusicVolume(float fVolume)
{
    CGame* pGame = CGame::GetInstance();
    pGame->SetMusicVolume(fVolume);
    CVKT_WaveManager::GetInstance()->SetVolume(pGame->GetMusicID(), static_cast<int>(fVolume));
}

void COptionsMenuState::ApplyFXVolume(float fVolume)
{
    CGame::GetInstance()->SetFXVolume(fVolume);
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    pWM->SetVolume(m_nSampleSoundID, static_cast<int>(fVolume));
    // The sample lets the player hear the new level; it starts again each time it has finished.
    if (!pWM->IsWavePlaying(m_nSampleSoundID))
        pWM->PlayWave(m_nSampleSoundID, false);
}

void COptionsMenuState::Render()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const RECT rBackground{0, 0, 640, 480};
    pTM->DrawTexture(m_nBackgroundImageID, 0, 0, 1.0f, 1.0f, &rBackground, 0.0f, 0.0f, 0.0f, WHITE);
    CGame* pGame = CGame::GetInstance();
    PrintVolume(pGame->GetMusicVolume(), 460, 116);
    PrintVolume(pGame->GetFXVolume(), 460, 189);
    const RECT rMarker{0, 0, 426, 65};
    pTM->DrawTexture(m_nMarkerImageID, 130, 83 + 72 * m_nSelection, 1.0f, 1.0f, &rMarker, 0.0f, 0.0f, 0.0f,
                     WHITE);
    CBitmapFont::GetInstance()->Print("press ESC", 480, 450, 1.0f, WHITE);
}

void COptionsMenuState::Exit()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->UnloadTexture(m_nBackgroundImageID);
    pTM->UnloadTexture(m_nMarkerImageID);
    m_nBackgroundImageID = -1;
    m_nMarkerImageID = -1;
    CBitmapFont::GetInstance()->Shutdown();
    // Every visit loads the sample; give the reference back so visits do not pile them up.
    CVKT_WaveManager::GetInstance()->UnloadWave(m_nSampleSoundID);
    m_nSampleSoundID = -1;
    CGame::GetInstance()->SaveSettings(SETTINGS_FILE);
}
