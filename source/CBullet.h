// A player's shot or an enemy's rock or bullet; its creator sets its type.
// MINIMAL: only what the message catalog needs (the class and its bases); the gameplay issue
// completes it.
#pragma once

#include "CBase.h"
#include "IListener.h"

class CBullet : public CBase, public IListener
{
public:
    CBullet() = default;
    // Bullets register for no event.
    void HandleEvent(CEvent*) override {}
};
