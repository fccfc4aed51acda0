// STAND-IN: the singleton shape the gameplay state needs; the screens issue replaces this file.
#pragma once

#include "IGameState.h"

class CMainMenuState : public IGameState
{
public:
    static CMainMenuState* GetInstance();

    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}

private:
    CMainMenuState() = default;
};
