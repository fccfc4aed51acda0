// A picture that explains the keys (the defaults; the player may change them); Escape returns to the
// main menu, C opens the screen where the controls are changed.
#pragma once

#include "IGameState.h"

class CControlsMenuState : public IGameState
{
public:
    static CControlsMenuState* GetInstance();

    CControlsMenuState(const CControlsMenuState&) = delete;
    CControlsMenuState& operator=(const CControlsMenuState&) = delete;

    void Enter() override;
    // Escape (or the pad's East) changes to the main menu, C (or North) to the change of controls; no
    // other key does anything.
    bool Input() override;
    void Update(float) override {}
    void Render() override;
    void Exit() override;

private:
    CControlsMenuState() = default;

    int m_nControlsImageID = -1;
};
