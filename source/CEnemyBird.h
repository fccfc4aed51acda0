// An enemy bird crossing the screen.
// MINIMAL: only what the message catalog needs (the class, its bases and its type number); the
// gameplay issue completes it.
#pragma once

#include "CBase.h"
#include "IListener.h"

class CEnemyBird : public CBase, public IListener
{
public:
    CEnemyBird();
    void HandleEvent(CEvent* pEvent) override;
};
