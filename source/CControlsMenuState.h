// A picture that explains the keys; Escape returns to the main menu.
#pragma once

#include "IGameState.h"

class CControlsMenuState : public IGameState
{
public:
    static CControlsMenuState* GetInstance();

    CControlsMenuState(const CControlsMenuState&) = delete;
    CControlsMenuState& operator=(const CControlsMenuState&) = delete;

    void Enter() override;
    // Escape changes to the main menu; no other key does anything.
    bool Input() override;
    void Update(float) override {}
    void Render() override;
    void Exit() override;

private:
    CControlsMenuState() = default;

    int m_nControlsImageID = -1;
};
