// The game's messages: fixed ids 1 to 11, and the classes of those that carry data. A message that
// carries a game object holds a reference to it from construction to destruction, so the object
// outlives its removal from the object manager until the message has been handled.
#pragma once

#include "CBaseMessage.h"

class CBase;
class CEnemy;
class CPlayer;
class CBullet;
class CEnemyBird;
class CPowerup;

enum : MSGID
{
    MSG_CREATE_ENEMY = 1,
    MSG_CREATE_ENEMY_BIRD = 2,
    MSG_CREATE_PLAYER = 3,
    MSG_CREATE_PLAYER_BULLET = 4,
    MSG_CREATE_ENEMY_BULLET = 5,
    MSG_CREATE_POWERUP = 6,
    MSG_DESTROY_ENEMY = 7,
    MSG_DESTROY_PLAYER = 8,
    MSG_DESTROY_BULLET = 9,
    MSG_DESTROY_ENEMY_BIRD = 10,
    MSG_DESTROY_POWERUP = 11,
};

class CCreateEnemyMessage : public CBaseMessage
{
public:
    CCreateEnemyMessage() : CBaseMessage(MSG_CREATE_ENEMY) {}
};

class CCreateEnemyBirdMessage : public CBaseMessage
{
public:
    CCreateEnemyBirdMessage() : CBaseMessage(MSG_CREATE_ENEMY_BIRD) {}
};

// Where a player bullet starts, in screen pixels.
class CCreatePlayerBulletMessage : public CBaseMessage
{
public:
    CCreatePlayerBulletMessage(float fPosX, float fPosY)
        : CBaseMessage(MSG_CREATE_PLAYER_BULLET), m_fPosX(fPosX), m_fPosY(fPosY)
    {
    }
    float GetPosX() const { return m_fPosX; }
    float GetPosY() const { return m_fPosY; }

private:
    float m_fPosX;
    float m_fPosY;
};

// Where an enemy bullet starts, the firing enemy's facing in radians, and whether a hunter fired it
// (false: a thrown rock).
class CCreateEnemyBulletMessage : public CBaseMessage
{
public:
    CCreateEnemyBulletMessage(float fPosX, float fPosY, float fAngle, bool bHunter)
        : CBaseMessage(MSG_CREATE_ENEMY_BULLET), m_fPosX(fPosX), m_fPosY(fPosY), m_fAngle(fAngle),
          m_bHunter(bHunter)
    {
    }
    float GetPosX() const { return m_fPosX; }
    float GetPosY() const { return m_fPosY; }
    float GetAngle() const { return m_fAngle; }
    bool GetHunter() const { return m_bHunter; }

private:
    float m_fPosX;
    float m_fPosY;
    float m_fAngle;
    bool m_bHunter;
};

// The common part of the destroy messages: one reference to the object for the message's life.
class CObjectReferenceMessage : public CBaseMessage
{
public:
    // The object to destroy; alive at least as long as the message.
    CBase* GetObject() const { return m_pObject; }

protected:
    CObjectReferenceMessage(MSGID msgID, CBase* pObject);
    ~CObjectReferenceMessage() override;

private:
    CBase* m_pObject;
};

class CDestroyEnemyMessage : public CObjectReferenceMessage
{
public:
    explicit CDestroyEnemyMessage(CEnemy* pEnemy);
    CEnemy* GetEnemy() const { return m_pEnemy; }

private:
    CEnemy* m_pEnemy;
};

class CDestroyPlayerMessage : public CObjectReferenceMessage
{
public:
    explicit CDestroyPlayerMessage(CPlayer* pPlayer);
    CPlayer* GetPlayer() const { return m_pPlayer; }

private:
    CPlayer* m_pPlayer;
};

class CDestroyBulletMessage : public CObjectReferenceMessage
{
public:
    explicit CDestroyBulletMessage(CBullet* pBullet);
    CBullet* GetBullet() const { return m_pBullet; }

private:
    CBullet* m_pBullet;
};

class CDestroyEnemyBirdMessage : public CObjectReferenceMessage
{
public:
    explicit CDestroyEnemyBirdMessage(CEnemyBird* pEnemyBird);
    CEnemyBird* GetEnemyBird() const { return m_pEnemyBird; }

private:
    CEnemyBird* m_pEnemyBird;
};

class CDestroyPowerupMessage : public CObjectReferenceMessage
{
public:
    explicit CDestroyPowerupMessage(CPowerup* pPowerup);
    CPowerup* GetPowerup() const { return m_pPowerup; }

private:
    CPowerup* m_pPowerup;
};
