// The character the player steers and fires.
// MINIMAL: only what the message catalog needs (the class, its bases and its type number); the
// gameplay issue completes it.
#pragma once

#include "CBase.h"
#include "IListener.h"

class CPlayer : public CBase, public IListener
{
public:
    CPlayer();
    void HandleEvent(CEvent* pEvent) override;
};
