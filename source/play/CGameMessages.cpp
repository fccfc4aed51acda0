#include "CGameMessages.h"

#include "CBullet.h"
#include "CEnemy.h"
#include "CEnemyBird.h"
#include "CPlayer.h"
#include "CPowerup.h"

CObjectReferenceMessage::CObjectReferenceMessage(MSGID msgID, CBase* pObject)
    : CBaseMessage(msgID), m_pObject(pObject)
{
    if (m_pObject)
        m_pObject->AddRef();
}

CObjectReferenceMessage::~CObjectReferenceMessage()
{
    if (m_pObject)
        m_pObject->Release();
}

CDestroyEnemyMessage::CDestroyEnemyMessage(CEnemy* pEnemy)
    : CObjectReferenceMessage(MSG_DESTROY_ENEMY, pEnemy), m_pEnemy(pEnemy)
{
}

CDestroyPlayerMessage::CDestroyPlayerMessage(CPlayer* pPlayer)
    : CObjectReferenceMessage(MSG_DESTROY_PLAYER, pPlayer), m_pPlayer(pPlayer)
{
}

CDestroyBulletMessage::CDestroyBulletMessage(CBullet* pBullet)
    : CObjectReferenceMessage(MSG_DESTROY_BULLET, pBullet), m_pBullet(pBullet)
{
}

CDestroyEnemyBirdMessage::CDestroyEnemyBirdMessage(CEnemyBird* pEnemyBird)
    : CObjectReferenceMessage(MSG_DESTROY_ENEMY_BIRD, pEnemyBird), m_pEnemyBird(pEnemyBird)
{
}

CDestroyPowerupMessage::CDestroyPowerupMessage(CPowerup* pPowerup)
    : CObjectReferenceMessage(MSG_DESTROY_POWERUP, pPowerup), m_pPowerup(pPowerup)
{
}
