// A hostile bird that flies down the screen, flapping, until it leaves the playfield; each one that
// goes is replaced by its message handler.
#pragma once

#include "CAnimation.h"
#include "CBase.h"
#include "IListener.h"

class CEnemyBird : public CBase, public IListener
{
public:
    // Type OBJ_ENEMY_BIRD, listening for "TurretDestroyed".
    CEnemyBird();

    // Flaps, moves, and asks to be removed every frame it is past the sides or the bottom.
    void Update(float fElapsedTime) override;
    void Render() override;
    // Reacts only to an object of type 5, which nothing in the game has: shots pass through birds.
    bool CheckCollision(CBase* pBase) override;
    // "TurretDestroyed" is never sent; nothing to do.
    void HandleEvent(CEvent* pEvent) override;

    CAnimation& GetAnimation() { return m_Animation; }

protected:
    ~CEnemyBird() override;

private:
    bool IsOutsidePlayfield() const;

    CAnimation m_Animation;
};
