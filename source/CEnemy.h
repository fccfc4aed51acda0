// A human on the ground or in the water; some fire upwards at the player.
// MINIMAL: only what the message catalog needs (the class, its bases and its type number); the
// gameplay issue completes it.
#pragma once

#include "CBase.h"
#include "IListener.h"

class CEnemy : public CBase, public IListener
{
public:
    CEnemy();
    void HandleEvent(CEvent* pEvent) override;
};
