#include "CPauseState.h"

#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "GameEventIDs.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_EventSystem.h"
#include "CVKT_TextureManager.h"

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
// The cursor steps diagonally from item to item.
constexpr int CURSOR_X = 225;
constexpr int CURSOR_Y = 244;
constexpr int CURSOR_STEP_X = 44;
constexpr int CURSOR_STEP_Y = 45;
} // namespace

CPauseState* CPauseState::GetInstance()
{
    static CPauseState instance;
    return &instance;
}

void CPauseState::Enter()
{
    m_nSelection = ITEM_RESUME;
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nCursorImageID = pTM->LoadTexture(IMAGE_MENU_CURSOR, WHITE);
    m_nMenuImageID = pTM->LoadTexture(IMAGE_PAUSE_MENU, 0);
    CVKT_EventSystem::GetInstance()->RegisterClient(EVENT_UNPAUSE_GAME, this);
    m_bUnpause = false;
}

bool CPauseState::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    // Start leaves the pause as it entered it; East backs out as Escape does.
    if (pDI->KeyPressed(DIK_ESCAPE) || pDI->KeyPressed(DIK_P) || pPad->Pause() || pPad->Back())
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_UNPAUSE_GAME);
    MoveSelection();
    // Alt+Return is the display switch, handled by the game before this runs.
    if ((pDI->KeyPressed(DIK_RETURN) && !pDI->KeyDown(DIK_LMENU) && !pDI->KeyDown(DIK_RMENU)) ||
        pPad->Confirm())
        ChooseItem();
    return true;
}

void CPauseState::MoveSelection()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_UP) || pPad->MenuUp())
        m_nSelection = m_nSelection == ITEM_RESUME ? ITEM_QUIT : m_nSelection - 1;
    if (pDI->KeyPressed(DIK_DOWN) || pPad->MenuDown())
        m_nSelection = m_nSelection == ITEM_QUIT ? ITEM_RESUME : m_nSelection + 1;
}

void CPauseState::ChooseItem()
{
    if (m_nSelection == ITEM_QUIT)
    {
        // Leaves the game in progress: its Exit runs too.
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
        return;
    }
    CGamePlayState::GetInstance()->SetPaused(false);
    CGame::GetInstance()->PopState();
}

void CPauseState::HandleEvent(CEvent* pEvent)
{
    if (!pEvent || pEvent->GetEventID() != EVENT_UNPAUSE_GAME)
        return;
    // Every request leaves, also from the pause that losing the focus opened without the game's
    // paused flag: there the first Escape used only to set the flag, and a second was needed.
    m_bUnpause = true;
    CGamePlayState::GetInstance()->SetPaused(false);
}

void CPauseState::Update(float)
{
    if (m_bUnpause)
        CGame::GetInstance()->PopState();
}

void CPauseState::Render()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const RECT rPanel{0, 0, 320, 240};
    pTM->DrawTexture(m_nMenuImageID, 160, 120, 1.0f, 1.0f, &rPanel, 0.0f, 0.0f, 0.0f, WHITE);
    pTM->DrawTexture(m_nCursorImageID, CURSOR_X + CURSOR_STEP_X * m_nSelection,
                     CURSOR_Y + CURSOR_STEP_Y * m_nSelection, 1.0f, 1.0f, nullptr, 0.0f, 0.0f, 0.0f, WHITE);
}

void CPauseState::Exit()
{
    m_nSelection = ITEM_RESUME;
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->UnloadTexture(m_nMenuImageID);
    pTM->UnloadTexture(m_nCursorImageID);
    m_nMenuImageID = -1;
    m_nCursorImageID = -1;
    CVKT_EventSystem::GetInstance()->UnregisterClient(EVENT_UNPAUSE_GAME, this);
}
