// A human on the ground or in the water: walkers wander across the scrolling field, shooters stand,
// face the player and throw rocks or (hunters) fire bullets when the gameplay state gives the signal.
// The kind is chosen by the creator through the two flags and the animation's variant and row.
#pragma once

#include "CBase.h"
#include "CBlockAnimation.h"
#include "IListener.h"

class CEnemy : public CBase, public IListener
{
public:
    // Type OBJ_ENEMY, no target, the shot sound loaded at the game's effect volume, listening for
    // "EnemyFireBullet" and "TurretDestroyed".
    CEnemy();

    // Turns to face the player that is on the screen, walks in the direction of its row unless it
    // is a shooter, moves, and asks to be removed every frame it is past the sides or the bottom.
    void Update(float fElapsedTime) override;
    // Draws the current frame of its block and row, unscaled, centred on the position. The facing
    // does not rotate the picture.
    void Render() override;
    // Hit by a player bullet that has landed: asks to be removed and sends "AddScore". The bullet
    // is left alone and can hit further enemies.
    bool CheckCollision(CBase* pBase) override;
    // "EnemyFireBullet": a shooter fires along its facing (the shot sound unless it still plays).
    void HandleEvent(CEvent* pEvent) override;

    // Takes a reference on the new target and drops the one on the old, so the enemy never reads a
    // destroyed object. Null is ignored.
    void SetTarget(CBase* pTarget);
    CBase* GetTarget() const { return m_pTarget; }

    // Radians: 0 faces up the screen, positive turns right (clockwise), negative left; -pi to pi.
    float GetAngle() const { return m_fAngle; }
    void SetAngle(float fAngle) { m_fAngle = fAngle; }
    int GetShotSoundID() const { return m_nShotSoundID; }
    bool IsShooter() const { return m_bShooter; }
    void SetShooter(bool bShooter) { m_bShooter = bShooter; }
    bool IsHunter() const { return m_bHunter; }
    void SetHunter(bool bHunter) { m_bHunter = bHunter; }
    CBlockAnimation& GetAnimation() { return m_Animation; }

protected:
    ~CEnemy() override;

private:
    void FollowCurrentPlayer();
    void FaceTarget();
    void Walk();
    bool IsOutsidePlayfield() const;
    void Fire();

    float m_fAngle;
    CBase* m_pTarget; // one counted reference while set
    int m_nShotSoundID;
    bool m_bShooter;
    bool m_bHunter;
    CBlockAnimation m_Animation;
};
