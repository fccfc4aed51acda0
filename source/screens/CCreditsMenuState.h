// The credits: a picture of the credits text scrolls up over a background at 20 pixels per second,
// from below the screen until it has left the top (51.2 seconds), then the main menu returns by
// itself. Space, or Return without Alt, leaves earlier.
#pragma once

#include "IGameState.h"

class CCreditsMenuState : public IGameState
{
public:
    // The scroll runs from START_Y down to -START_Y.
    static constexpr float START_Y = 512.0f;
    static constexpr float SCROLL_PER_SECOND = 20.0f;

    static CCreditsMenuState* GetInstance();

    CCreditsMenuState(const CCreditsMenuState&) = delete;
    CCreditsMenuState& operator=(const CCreditsMenuState&) = delete;

    // Starts the scroll from the bottom on every visit.
    void Enter() override;
    // Escape does nothing here.
    bool Input() override;
    void Update(float fElapsedTime) override;
    void Render() override;
    void Exit() override;

    float GetScrollY() const { return m_fScrollY; }

private:
    CCreditsMenuState() = default;

    int m_nBackgroundImageID = -1;
    int m_nCreditsImageID = -1;
    float m_fScrollY = START_Y; // screen y of the credits picture's top edge
};
