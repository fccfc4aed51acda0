// The first screen of every run.
// STAND-IN: a plain title card until the screens land; Escape ends the game.
#pragma once

#include "IGameState.h"

class CopperfenLogoState : public IGameState
{
public:
    static CopperfenLogoState* GetInstance();

    void Enter() override {}
    bool Input() override;
    void Update(float) override {}
    void Render() override;
    void Exit() override {}

private:
    CopperfenLogoState() = default;
};
