// The bird soldier the player steers with the arrow keys and fires with Space. Every shot spends a
// tenth of the charge, which refills by a tenth per second; the HUD draws the charge as a bar.
#pragma once

#include "CAnimation.h"
#include "CBase.h"
#include "IListener.h"
#include "VKT_Types.h"

class CPlayer : public CBase, public IListener
{
public:
    // Full charge, type OBJ_PLAYER, listening for "PlayerFireBullet". The bar rectangle already
    // shows the full charge, because the HUD draws it before the first update.
    CPlayer();

    // Steers from the held arrow keys (a later key wins, diagonals are not normalised), refills the
    // charge, fires when Space is held, the shared fire timer has reached the interval and a tenth
    // of charge is left, then moves (only while active) and keeps the centre inside the playfield.
    void Update(float fElapsedTime) override;
    // Draws the current frame, unscaled, centred on the position; nothing while inactive.
    void Render() override;
    // A hit by an enemy bullet that has finished growing: sends "PlayerDied" and switches the
    // player off. Anything else is ignored.
    bool CheckCollision(CBase* pBase) override;
    // "PlayerFireBullet": asks for a bullet at the current position.
    void HandleEvent(CEvent* pEvent) override;

    float GetCharge() const { return m_fCharge; }
    void SetCharge(float fCharge) { m_fCharge = fCharge; }
    float GetSpeed() const { return m_fSpeed; }
    void SetSpeed(float fSpeed) { m_fSpeed = fSpeed; }
    RECT GetChargeBarRect() const { return m_rChargeBar; }
    bool IsChargeBarShown() const { return m_bShowChargeBar; }
    CAnimation& GetAnimation() { return m_Animation; }

    // Seconds since the last shot. One timer for the whole run, shared by every player object, so
    // a respawn does not reset it; 0.3 at program start, so the first shot can leave at once.
    static float GetFireTimer();
    static void SetFireTimer(float fSeconds);

protected:
    ~CPlayer() override;

private:
    void SteerFromKeys(float& fVelX, float& fVelY) const;
    void RefillCharge(float fElapsedTime);
    void UpdateChargeBar();
    void FireIfAsked(float fElapsedTime);
    void KeepInsidePlayfield();

    RECT m_rChargeBar;
    float m_fChargeBarWidth;
    float m_fCharge;
    bool m_bShowChargeBar;
    float m_fSpeed;
    CAnimation m_Animation;
};
