// A pick-up that drifts down the screen: an extra life or a charge, told apart by its type number
// (the charge kind shares the player's). It asks to be removed once it has left the bottom.
#pragma once

#include "CBase.h"

class CPowerup : public CBase
{
public:
    // Draws one random number: even makes a life, odd a charge; loads the matching image. 32 x 32,
    // falling at 20 pixels per second until the creator says otherwise.
    CPowerup();

    // Moves, and asks to be removed every frame its centre is below the playfield.
    void Update(float fElapsedTime) override;
    void Render() override;
    // The plain rectangle test: touching a power-up has no effect.
    bool CheckCollision(CBase* pBase) override;

protected:
    ~CPowerup() override = default;
};
