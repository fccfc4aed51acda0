// STAND-IN: the singleton shape the gameplay state needs; the screens issue replaces this file.
#pragma once

#include "IGameState.h"

class CEnterScorestate : public IGameState
{
public:
    static CEnterScorestate* GetInstance();

    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}

private:
    CEnterScorestate() = default;
};
