#include "CCreditsMenuState.h"

#include "CGame.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr int CREDITS_X = 100;
} // namespace

CCreditsMenuState* CCreditsMenuState::GetInstance()
{
    static CCreditsMenuState instance;
    return &instance;
}

void CCreditsMenuState::Enter()
{
    m_fScrollY = START_Y;
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nBackgroundImageID = pTM->LoadTexture(IMAGE_CREDITS_MENU, 0);
    m_nCreditsImageID = pTM->LoadTexture(IMAGE_CREDITS_TEXT, 0);
}

bool CCreditsMenuState::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const bool bAltHeld = pDI->KeyDown(DIK_LMENU) || pDI->KeyDown(DIK_RMENU);
    // Alt+Return is the display switch, handled by the game before this runs.
    // South leaves as Space does; East, like Escape, does nothing here.
    if ((pDI->KeyPressed(DIK_RETURN) && !bAltHeld) || pDI->KeyPressed(DIK_SPACE) ||
        CPadInput::GetInstance()->Confirm())
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    return true;
}

void CCreditsMenuState::Update(float fElapsedTime)
{
    m_fScrollY -= SCROLL_PER_SECOND * fElapsedTime;
    if (m_fScrollY <= -START_Y)
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
}

void CCreditsMenuState::Render()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const RECT rBackground{0, 0, 640, 480};
    pTM->DrawTexture(m_nBackgroundImageID, 0, 0, 1.0f, 1.0f, &rBackground, 0.0f, 0.0f, 0.0f, WHITE);
    const RECT rCredits{0, 0, 350, 500};
    pTM->DrawTexture(m_nCreditsImageID, CREDITS_X, static_cast<int>(m_fScrollY), 1.0f, 1.0f, &rCredits, 0.0f,
                     0.0f, 0.0f, WHITE);
}

void CCreditsMenuState::Exit()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->UnloadTexture(m_nBackgroundImageID);
    pTM->UnloadTexture(m_nCreditsImageID);
    m_nBackgroundImageID = -1;
    m_nCreditsImageID = -1;
}
