#include "CopperfenLogoState.h"

#include "CGame.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_Direct3D.h"
#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

namespace
{
constexpr float FADE_IN_PER_SECOND = 45.0f;
constexpr float FADE_OUT_PER_SECOND = 40.0f;
constexpr float FULL_OPACITY = 255.0f;
} // namespace

CopperfenLogoState* CopperfenLogoState::GetInstance()
{
    static CopperfenLogoState instance;
    return &instance;
}

void CopperfenLogoState::Enter()
{
    m_nLogoImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_LOGO, 0);
    // Not 0: the first Input tests for the end of the fade-out with fade <= 0.
    m_fFade = 0.001f;
    // The program enters the logo once per run; a test harness that starts the game again must see
    // the fade-in again rather than a logo that is already on its way out.
    m_bFadingOut = false;
}

bool CopperfenLogoState::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pDI->KeyPressed(DIK_SPACE) || pDI->KeyPressed(DIK_RETURN) ||
        CPadInput::GetInstance()->Confirm() || m_fFade <= 0.0f)
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    return true;
}

void CopperfenLogoState::Update(float fElapsedTime)
{
    if (m_fFade < FULL_OPACITY && !m_bFadingOut)
    {
        m_fFade += FADE_IN_PER_SECOND * fElapsedTime;
        return;
    }
    m_fFade -= FADE_OUT_PER_SECOND * fElapsedTime;
    m_bFadingOut = true;
}

VKT_COLOR CopperfenLogoState::LogoColor(float fFade)
{
    // Only the low 8 bits count: a fade that overshoots 255 by a whole unit wraps to transparent.
    const uint32_t uAlpha = static_cast<uint32_t>(static_cast<int32_t>(fFade)) & 0xFFu;
    return (uAlpha << 24) | 0x00FFFFFFu;
}

void CopperfenLogoState::Render()
{
    CVKT_Direct3D::GetInstance()->DrawRect(RECT{0, 0, 640, 480}, 0, 0, 0);
    const RECT rSource{0, 0, 640, 480};
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nLogoImageID, 0, 0, 1.0f, 1.0f, &rSource, 0.0f, 0.0f,
                                                    0.0f, LogoColor(m_fFade));
}

void CopperfenLogoState::Exit()
{
    CVKT_TextureManager::GetInstance()->UnloadTexture(m_nLogoImageID);
    m_nLogoImageID = -1;
    m_fFade = -1.0f;
}
