#include "CControlsMenuState.h"

#include "CBitmapFont.h"
#include "CChangeControlsState.h"
#include "CGame.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
} // namespace

CControlsMenuState* CControlsMenuState::GetInstance()
{
    static CControlsMenuState instance;
    return &instance;
}

void CControlsMenuState::Enter()
{
    CBitmapFont::GetInstance()->Initialize(FONT_LARGE, 0xFF000000);
    m_nControlsImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_CONTROLS_MENU, 0);
}

bool CControlsMenuState::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pPad->Back())
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    else if (pDI->KeyPressed(DIK_C) || pPad->Alternate())
        CGame::GetInstance()->ChangeState(CChangeControlsState::GetInstance());
    return true;
}

void CControlsMenuState::Render()
{
    const RECT rSource{0, 0, 640, 480};
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nControlsImageID, 0, 0, 1.0f, 1.0f, &rSource, 0.0f,
                                                    0.0f, 0.0f, WHITE);
    CBitmapFont::GetInstance()->Print("press ESC", 480, 450, 1.0f, WHITE);
}

void CControlsMenuState::Exit()
{
    CVKT_TextureManager::GetInstance()->UnloadTexture(m_nControlsImageID);
    m_nControlsImageID = -1;
    CBitmapFont::GetInstance()->Shutdown();
}
