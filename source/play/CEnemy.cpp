#include "CEnemy.h"

#include "CBullet.h"
#include "CGame.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "CPlayer.h"
#include "GameEventIDs.h"
#include "GameResourceFiles.h"

#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_WaveManager.h"
#include "VKT_VectorMath.h"

namespace
{
// Walking directions: the animation row and the velocity component it sets every update.
enum
{
    ROW_DOWN = 0,
    ROW_LEFT = 1,
    ROW_RIGHT = 2,
    ROW_UP = 3,
};
} // namespace

CEnemy::CEnemy() : m_fAngle(0.0f), m_pTarget(nullptr), m_nShotSoundID(-1), m_bShooter(false), m_bHunter(false)
{
    m_nType = OBJ_ENEMY;
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    m_nShotSoundID = pWM->LoadWave(SOUND_SHOT);
    pWM->SetVolume(m_nShotSoundID, static_cast<int>(CGame::GetInstance()->GetFXVolume()));
    CVKT_EventSystem* pES = CVKT_EventSystem::GetInstance();
    pES->RegisterClient(EVENT_ENEMY_FIRE_BULLET, this);
    pES->RegisterClient(EVENT_TURRET_DESTROYED, this);
}

CEnemy::~CEnemy()
{
    if (m_pTarget)
        m_pTarget->Release();
    m_pTarget = nullptr;
    CVKT_EventSystem* pES = CVKT_EventSystem::GetInstance();
    pES->UnregisterClient(EVENT_ENEMY_FIRE_BULLET, this);
    pES->UnregisterClient(EVENT_TURRET_DESTROYED, this);
}

void CEnemy::SetTarget(CBase* pTarget)
{
    if (!pTarget || pTarget == m_pTarget)
        return;
    pTarget->AddRef();
    if (m_pTarget)
        m_pTarget->Release();
    m_pTarget = pTarget;
}

void CEnemy::Update(float fElapsedTime)
{
    FollowCurrentPlayer();
    FaceTarget();
    if (!m_bShooter)
    {
        Walk();
        m_Animation.Update(fElapsedTime);
    }
    CBase::Update(fElapsedTime);
    if (IsOutsidePlayfield())
        CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyEnemyMessage(this));
}

void CEnemy::FollowCurrentPlayer()
{
    // A lost life replaces the player object; aiming at the one given at spawn would aim at a
    // player that is no longer on the screen. Between a death and the respawn there is none: keep
    // the old one, whose reference keeps it readable.
    SetTarget(CGamePlayState::GetInstance()->GetPlayer());
}

void CEnemy::FaceTarget()
{
    if (!m_pTarget)
        return;
    const tVector2D toTarget = {m_pTarget->GetPosX() - m_fPosX, m_pTarget->GetPosY() - m_fPosY};
    // A target on the enemy's own position has no direction; the facing is then straight up.
    if (toTarget.fX == 0.0f && toTarget.fY == 0.0f)
    {
        m_fAngle = 0.0f;
        return;
    }
    const tVector2D up = {0.0f, -1.0f};
    const tVector2D right = {1.0f, 0.0f};
    m_fAngle = AngleBetweenVectors(up, Vector2DNormalize(toTarget));
    if (DotProduct(right, toTarget) < 0.0f)
        m_fAngle = -m_fAngle;
}

void CEnemy::Walk()
{
    // Only one component changes: the other keeps the scrolling speed given at spawn, so a walker
    // going left or right also drifts down with the ground.
    switch (m_Animation.GetRow())
    {
    case ROW_DOWN:
        m_fVelY = 80.0f;
        break;
    case ROW_LEFT:
        m_fVelX = -70.0f;
        break;
    case ROW_RIGHT:
        m_fVelX = 70.0f;
        break;
    case ROW_UP:
        m_fVelY = -40.0f;
        break;
    default:
        break;
    }
}

bool CEnemy::IsOutsidePlayfield() const
{
    // No test above the top: enemies enter from there.
    const CGamePlayState* pState = CGamePlayState::GetInstance();
    return m_fPosX > pState->GetScreenWidth() || m_fPosX < 0.0f || m_fPosY > pState->GetScreenHeight();
}

void CEnemy::Render()
{
    const int nX = static_cast<int>(m_fPosX) - m_nWidth / 2;
    const int nY = static_cast<int>(m_fPosY - static_cast<float>(m_nHeight / 2));
    m_Animation.Render(nX, nY, false, 1.0f, VKT_ARGB(255, 255, 255, 255));
}

bool CEnemy::CheckCollision(CBase* pBase)
{
    if (!CBase::CheckCollision(pBase) || pBase->GetType() != OBJ_PLAYER_BULLET)
        return false;
    const CBullet* pBullet = dynamic_cast<const CBullet*>(pBase);
    if (!pBullet || !pBullet->CanHit())
        return false;
    CVKT_MessageSystem::GetInstance()->SendMsg(new CDestroyEnemyMessage(this));
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_ADD_SCORE, nullptr);
    return true;
}

void CEnemy::HandleEvent(CEvent* pEvent)
{
    // "TurretDestroyed" is never sent; there is nothing to do for it.
    if (!pEvent || pEvent->GetEventID() != EVENT_ENEMY_FIRE_BULLET || !m_bShooter)
        return;
    Fire();
}

void CEnemy::Fire()
{
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    // One shot sound at a time; the bullet leaves all the same.
    if (!pWM->IsWavePlaying(m_nShotSoundID))
        pWM->PlayWave(m_nShotSoundID, false);
    CVKT_MessageSystem::GetInstance()->SendMsg(
        new CCreateEnemyBulletMessage(m_fPosX, m_fPosY, m_fAngle, m_bHunter));
}
