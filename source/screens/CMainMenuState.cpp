#include "CMainMenuState.h"

#include "CAttractMode.h"
#include "CControlsMenuState.h"
#include "CCreditsMenuState.h"
#include "CGame.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "COptionsMenuState.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;

bool AltHeld(CVKT_DirectInput* pDI)
{
    return pDI->KeyDown(DIK_LMENU) || pDI->KeyDown(DIK_RMENU);
}
} // namespace

CMainMenuState* CMainMenuState::GetInstance()
{
    static CMainMenuState instance;
    return &instance;
}

void CMainMenuState::Enter()
{
    // Every return to the menu stores the volumes and the table, so nothing typed or set is lost if
    // the program is killed later; but for the return from a demo, which writes nothing.
    if (!CAttractMode::GetInstance()->MenuEntered())
        CGame::GetInstance()->SaveSettings(SETTINGS_FILE_LOWER_CASE);
    m_nSelection = ITEM_PLAY;
    m_nMenuImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_MAIN_MENU, WHITE);
    StartMusic();
}

void CMainMenuState::StartMusic()
{
    // The music runs on undisturbed across the menu screens; only a stopped theme starts over.
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    const int nMusicID = CGame::GetInstance()->GetMusicID();
    if (pWM->IsWavePlaying(nMusicID))
        return;
    pWM->ResetWave(nMusicID);
    pWM->PlayWave(nMusicID, true);
}

bool CMainMenuState::Input()
{
    MoveSelection();
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    // Alt+Return is the display switch, handled by the game before this runs.
    if (pDI->KeyPressed(DIK_SPACE) || (pDI->KeyPressed(DIK_RETURN) && !AltHeld(pDI)) ||
        CPadInput::GetInstance()->Confirm())
        return ChooseItem();
    return true;
}

void CMainMenuState::MoveSelection()
{
    // Both arrows in one frame cancel out: one step up, then one step down.
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_UP) || pPad->MenuUp())
        m_nSelection = m_nSelection == 0 ? NUM_ITEMS - 1 : m_nSelection - 1;
    if (pDI->KeyPressed(DIK_DOWN) || pPad->MenuDown())
        m_nSelection = m_nSelection == NUM_ITEMS - 1 ? 0 : m_nSelection + 1;
}

bool CMainMenuState::ChooseItem()
{
    CGame* pGame = CGame::GetInstance();
    switch (m_nSelection)
    {
    case ITEM_PLAY:
        // A new game always opens with the introduction, whatever the last game left behind.
        CLevelIntroState1::GetInstance()->SetEnding(false);
        pGame->ChangeState(CLevelIntroState1::GetInstance());
        break;
    case ITEM_HIGH_SCORES:
        pGame->ChangeState(CHighScoreMenuState::GetInstance());
        break;
    case ITEM_CONTROLS:
        pGame->ChangeState(CControlsMenuState::GetInstance());
        break;
    case ITEM_OPTIONS:
        pGame->ChangeState(COptionsMenuState::GetInstance());
        break;
    case ITEM_CREDITS:
        pGame->ChangeState(CCreditsMenuState::GetInstance());
        break;
    default:
        return false;
    }
    return true;
}

void CMainMenuState::Update(float fElapsedTime)
{
    CAttractMode::GetInstance()->MenuFrame(fElapsedTime, CVKT_DirectInput::GetInstance()->AnyInput(), this);
}

void CMainMenuState::Render()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const RECT rMenu{0, 0, 640, 480};
    pTM->DrawTexture(m_nMenuImageID, 0, 0, 1.0f, 1.0f, &rMenu, 0.0f, 0.0f, 0.0f, WHITE);
    const int nTop = ITEM_TOP + ITEM_HEIGHT * m_nSelection;
    const RECT rHighlight{HIGHLIGHT_LEFT, nTop, HIGHLIGHT_RIGHT, nTop + ITEM_HEIGHT};
    pTM->DrawTexture(m_nMenuImageID, ITEM_LEFT, nTop, 1.0f, 1.0f, &rHighlight, 0.0f, 0.0f, 0.0f, WHITE);
}

void CMainMenuState::Exit()
{
    CVKT_TextureManager::GetInstance()->UnloadTexture(m_nMenuImageID);
    m_nSelection = ITEM_PLAY;
    m_nMenuImageID = -1;
}
