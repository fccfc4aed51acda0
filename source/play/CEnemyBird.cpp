#include "CEnemyBird.h"

#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "GameEventIDs.h"

#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"

namespace
{
// The type number the bird's hit test looks for; no game object carries it.
constexpr int OBJ_UNUSED = 5;
} // namespace

CEnemyBird::CEnemyBird()
{
    m_nType = OBJ_ENEMY_BIRD;
    CVKT_EventSystem::GetInstance()->RegisterClient(EVENT_TURRET_DESTROYED, this);
}

CEnemyBird::~CEnemyBird()
{
    CVKT_EventSystem::GetInstance()->UnregisterClient(EVENT_TURRET_DESTROYED, this);
}

void CEnemyBird::Update(float fElapsedTime)
{
    m_Animation.Update(fElapsedTime);
    CBase::Update(fElapsedTime);
    if (IsOutsidePlayfield())
        CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyEnemyBirdMessage(this));
}

bool CEnemyBird::IsOutsidePlayfield() const
{
    // No test above the top: birds start there.
    const CGamePlayState* pState = CGamePlayState::GetInstance();
    return m_fPosX > pState->GetScreenWidth() || m_fPosX < 0.0f || m_fPosY > pState->GetScreenHeight();
}

void CEnemyBird::Render()
{
    const int nX = static_cast<int>(m_fPosX) - m_nWidth / 2;
    const int nY = static_cast<int>(m_fPosY - static_cast<float>(m_nHeight / 2));
    m_Animation.Render(nX, nY, false, 1.0f, VKT_ARGB(255, 255, 255, 255));
}

bool CEnemyBird::CheckCollision(CBase* pBase)
{
    if (!CBase::CheckCollision(pBase) || pBase->GetType() != OBJ_UNUSED)
        return false;
    CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyEnemyBirdMessage(this));
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_ADD_SCORE, nullptr);
    return true;
}

void CEnemyBird::HandleEvent(CEvent*) {}
