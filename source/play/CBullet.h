// Every projectile: the player's shots and the enemies' rocks and bullets. Depth is faked by scale:
// a player's shot starts at full size and shrinks while it drops to the ground, an enemy's shot
// starts at nothing and grows while it rises to the flying player. Only once that change has
// finished can the bullet hit anything. Its creator sets type, image, size, velocity, scale and rate.
#pragma once

#include "CBase.h"
#include "IListener.h"

class CBullet : public CBase, public IListener
{
public:
    CBullet() = default;

    // Changes the scale (a shrinking bullet at twice its rate), becomes able to hit in the first
    // update after the scale reached its limit, moves, and asks to be removed every frame it is
    // outside the playfield.
    void Update(float fElapsedTime) override;
    // Draws the image scaled about its top-left corner, so a shrinking shot shrinks towards it.
    void Render() override;
    // Only a bullet that can hit reacts, and only to the player's type number: it plays the hit
    // sound and asks to be removed. Hits on enemies are the enemies' business; the bullet flies on.
    bool CheckCollision(CBase* pBase) override;
    // Bullets listen for nothing.
    void HandleEvent(CEvent*) override {}

    int GetHitSoundID() const { return m_nHitSoundID; }
    void SetHitSoundID(int nHitSoundID) { m_nHitSoundID = nHitSoundID; }
    // Change of scale per second: above 0 grows, 0 or below shrinks.
    float GetScaleRate() const { return m_fScaleRate; }
    void SetScaleRate(float fScaleRate) { m_fScaleRate = fScaleRate; }
    bool CanHit() const { return m_bCanHit; }
    void SetCanHit(bool bCanHit) { m_bCanHit = bCanHit; }

protected:
    ~CBullet() override = default;

private:
    void ChangeScale(float fElapsedTime);
    bool IsOutsidePlayfield() const;

    int m_nHitSoundID = -1;
    float m_fScaleRate = 0.0f;
    bool m_bCanHit = false;
};
