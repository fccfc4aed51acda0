#include "CPowerup.h"

#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "GameResourceFiles.h"

#include "CVKT_MessageSystem.h"
#include "CVKT_TextureManager.h"

#include <cstdlib>

CPowerup::CPowerup()
{
    // One call of rand here is part of the spawn order of the creation handler.
    if (std::rand() % 2 == 0)
    {
        m_nImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_POWERUP_LIFE, 0);
        m_nType = OBJ_LIFE_POWERUP;
    }
    else
    {
        m_nImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_POWERUP_CHARGE, 0);
        m_nType = OBJ_CHARGE_POWERUP;
    }
    m_nWidth = 32;
    m_nHeight = 32;
    m_fVelY = 20.0f;
}

void CPowerup::Update(float fElapsedTime)
{
    CBase::Update(fElapsedTime);
    if (m_fPosY > static_cast<float>(CGamePlayState::GetInstance()->GetScreenHeight()))
        CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyPowerupMessage(this));
}

void CPowerup::Render()
{
    CBase::Render();
}

bool CPowerup::CheckCollision(CBase* pBase)
{
    return CBase::CheckCollision(pBase);
}
