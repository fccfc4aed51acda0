#include "CBullet.h"

#include "CGame.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"

#include "CVKT_MessageSystem.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"

void CBullet::Update(float fElapsedTime)
{
    ChangeScale(fElapsedTime);
    CBase::Update(fElapsedTime);
    // The bullet keeps moving until the message is handled; the handler tolerates the repeats.
    if (IsOutsidePlayfield())
        CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyBulletMessage(this));
}

void CBullet::ChangeScale(float fElapsedTime)
{
    // The limit may be overshot by one step: a shrinking shot can end just below 0, a growing one
    // just above 1.
    if (m_fScaleRate > 0.0f)
    {
        if (m_fScale < 1.0f)
            m_fScale += m_fScaleRate * fElapsedTime;
        else
            m_bCanHit = true;
    }
    else
    {
        if (m_fScale > 0.0f)
            m_fScale += m_fScaleRate * (2.0f * fElapsedTime);
        else
            m_bCanHit = true;
    }
}

bool CBullet::IsOutsidePlayfield() const
{
    const CGamePlayState* pState = CGamePlayState::GetInstance();
    return m_fPosX > pState->GetScreenWidth() || m_fPosX < 0.0f || m_fPosY > pState->GetScreenHeight() ||
           m_fPosY < 0.0f;
}

void CBullet::Render()
{
    const int nX = static_cast<int>(m_fPosX - static_cast<float>(m_nWidth / 2));
    const int nY = static_cast<int>(m_fPosY - static_cast<float>(m_nHeight / 2));
    const RECT rSection = {0, 0, m_nWidth, m_nHeight};
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nImageID, nX, nY, m_fScale, m_fScale, &rSection, 0.0f,
                                                    0.0f, 0.0f, VKT_ARGB(255, 255, 255, 255));
}

bool CBullet::CheckCollision(CBase* pBase)
{
    // The unscaled rectangle counts: a bullet that can hit has finished changing its scale.
    if (!CBase::CheckCollision(pBase) || pBase->GetType() != OBJ_PLAYER || !m_bCanHit)
        return false;
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    pWM->SetVolume(m_nHitSoundID, static_cast<int>(CGame::GetInstance()->GetFXVolume()));
    pWM->PlayWave(m_nHitSoundID, false);
    CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyBulletMessage(this));
    return true;
}
