#include "CPlayer.h"

#include "CBullet.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "CPadInput.h"
#include "GameEventIDs.h"

#include "CVKT_DirectInput.h"
#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "VKT_VectorMath.h"

namespace
{
float g_fFireTimer = 0.3f;

constexpr float CHARGE_PER_SHOT = 0.1f;
constexpr float CHARGE_PER_SECOND = 0.1f;
constexpr float FIRE_INTERVAL = 0.3f;
constexpr float RAPID_FIRE_INTERVAL = 0.005f;
constexpr float CHARGE_BAR_LENGTH = 133.0f; // pixels at full charge, plus the one added below
} // namespace

float CPlayer::GetFireTimer()
{
    return g_fFireTimer;
}

void CPlayer::SetFireTimer(float fSeconds)
{
    g_fFireTimer = fSeconds;
}

CPlayer::CPlayer() : m_fChargeBarWidth(0.0f), m_fCharge(1.0f), m_bShowChargeBar(true), m_fSpeed(0.0f)
{
    m_nType = OBJ_PLAYER;
    UpdateChargeBar();
    CVKT_EventSystem::GetInstance()->RegisterClient(EVENT_PLAYER_FIRE_BULLET, this);
}

CPlayer::~CPlayer()
{
    CVKT_EventSystem::GetInstance()->UnregisterClient(EVENT_PLAYER_FIRE_BULLET, this);
}

void CPlayer::Update(float fElapsedTime)
{
    float fVelX = 0.0f;
    float fVelY = 0.0f;
    SteerFromKeys(fVelX, fVelY);
    RefillCharge(fElapsedTime);
    UpdateChargeBar();
    FireIfAsked(fElapsedTime);
    m_bShowChargeBar = m_fCharge > 0.0f;
    m_fVelX = fVelX;
    m_fVelY = fVelY;
    if (m_bActive)
    {
        m_Animation.Update(fElapsedTime);
        CBase::Update(fElapsedTime);
    }
    // Also while switched off: the object may be switched back on where it stands.
    KeepInsidePlayfield();
}

void CPlayer::SteerFromKeys(float& fVelX, float& fVelY) const
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    // Down is tested after Up and Right after Left, so the later key of a pair wins. A pad's D-pad or
    // stick is one more arrow key.
    if (pDI->KeyDown(DIK_UP) || pPad->HeldUp())
        fVelY = -m_fSpeed;
    if (pDI->KeyDown(DIK_DOWN) || pPad->HeldDown())
        fVelY = m_fSpeed;
    if (pDI->KeyDown(DIK_LEFT) || pPad->HeldLeft())
        fVelX = -m_fSpeed;
    if (pDI->KeyDown(DIK_RIGHT) || pPad->HeldRight())
        fVelX = m_fSpeed;
}

void CPlayer::RefillCharge(float fElapsedTime)
{
    if (CGamePlayState::GetInstance()->IsRapidFire())
        m_fCharge = 1.0f;
    else if (m_fCharge <= 1.0f)
        m_fCharge += fElapsedTime * CHARGE_PER_SECOND; // may end one step above 1 and stay there
}

void CPlayer::UpdateChargeBar()
{
    m_fChargeBarWidth = Lerp(0.0f, CHARGE_BAR_LENGTH, m_fCharge);
    m_rChargeBar = RECT{0, 0, static_cast<int>(m_fChargeBarWidth + 1.0f), 4};
}

void CPlayer::FireIfAsked(float fElapsedTime)
{
    const float fInterval =
        CGamePlayState::GetInstance()->IsRapidFire() ? RAPID_FIRE_INTERVAL : FIRE_INTERVAL;
    g_fFireTimer += fElapsedTime;
    const bool bFireHeld =
        CVKT_DirectInput::GetInstance()->KeyDown(DIK_SPACE) || CPadInput::GetInstance()->FireHeld();
    if (!bFireHeld || g_fFireTimer < fInterval || m_fCharge < CHARGE_PER_SHOT)
        return;
    // The bullet itself is made by the message handler, from the event this player handles.
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_FIRE_BULLET);
    g_fFireTimer = 0.0f;
    m_fCharge -= CHARGE_PER_SHOT;
}

void CPlayer::KeepInsidePlayfield()
{
    const CGamePlayState* pState = CGamePlayState::GetInstance();
    const int nScreenWidth = pState->GetScreenWidth();
    const int nScreenHeight = pState->GetScreenHeight();
    const int nHalfWidth = m_nWidth / 2;
    const int nHalfHeight = m_nHeight / 2;
    if (m_fPosX - nHalfWidth < 0)
    {
        m_fPosX = static_cast<float>(nHalfWidth);
        m_fVelX = 0.0f;
    }
    if (m_fPosX + nHalfWidth > nScreenWidth)
    {
        m_fPosX = static_cast<float>(nScreenWidth - m_nWidth / 2.0);
        m_fVelX = 0.0f;
    }
    if (m_fPosY - nHalfHeight < 0)
    {
        m_fPosY = static_cast<float>(nHalfHeight);
        m_fVelY = 0.0f;
    }
    if (m_fPosY + nHalfHeight > nScreenHeight)
    {
        m_fPosY = static_cast<float>(nScreenHeight - nHalfHeight);
        m_fVelY = 0.0f;
    }
}

void CPlayer::Render()
{
    if (!m_bActive)
        return;
    const int nX = static_cast<int>(m_fPosX - static_cast<float>(m_nWidth / 2));
    const int nY = static_cast<int>(m_fPosY - static_cast<float>(m_nHeight / 2));
    m_Animation.Render(nX, nY, false, 1.0f, VKT_ARGB(255, 255, 255, 255));
}

bool CPlayer::CheckCollision(CBase* pBase)
{
    if (!CBase::CheckCollision(pBase) || pBase->GetType() != OBJ_ENEMY_BULLET)
        return false;
    const CBullet* pBullet = dynamic_cast<const CBullet*>(pBase);
    if (!pBullet || !pBullet->CanHit())
        return false;
    // What a death means (lives, respawn, game over) is the gameplay state's decision.
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_DIED);
    m_bActive = false;
    return true;
}

void CPlayer::HandleEvent(CEvent* pEvent)
{
    if (!pEvent || pEvent->GetEventID() != EVENT_PLAYER_FIRE_BULLET)
        return;
    CVKT_MessageSystem::GetInstance()->SendMsg(new CCreatePlayerBulletMessage(m_fPosX, m_fPosY));
}
