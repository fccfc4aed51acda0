// The screen on which the game is played.
// STAND-IN: the shape the core and the window procedure need until the gameplay issue lands.
#pragma once

#include "IGameState.h"

class CBaseMessage;

class CGamePlayState : public IGameState
{
public:
    static CGamePlayState* GetInstance();
    // Receives every queued message of the message system.
    static void MessageProc(CBaseMessage* pMsg);

    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}

private:
    CGamePlayState() = default;
};
