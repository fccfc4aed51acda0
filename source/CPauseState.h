// The pause menu pushed over the running game.
// STAND-IN: the shape the window procedure needs until the screens issue lands.
#pragma once

#include "IGameState.h"

class CPauseState : public IGameState
{
public:
    static CPauseState* GetInstance();

    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}

private:
    CPauseState() = default;
};
