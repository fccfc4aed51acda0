// The story screen between the menu and the game.
// STAND-IN: the shape the gameplay state needs; the screens issue replaces this file.
#pragma once

#include "IGameState.h"

class CLevelIntroState1 : public IGameState
{
public:
    static CLevelIntroState1* GetInstance();

    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}

    void SetEnding(bool bEnding) { m_bEnding = bEnding; }
    bool IsEnding() const { return m_bEnding; }

private:
    CLevelIntroState1() = default;
    bool m_bEnding = false;
};
