// The first screen of every run: the studio logo on black, faded in and then out, followed by the
// main menu. Escape, Space or Return skip it.
#pragma once

#include "IGameState.h"
#include "VKT_Types.h"

class CopperfenLogoState : public IGameState
{
public:
    static CopperfenLogoState* GetInstance();

    CopperfenLogoState(const CopperfenLogoState&) = delete;
    CopperfenLogoState& operator=(const CopperfenLogoState&) = delete;

    void Enter() override;
    // Changes to the main menu on Escape, Space or Return, or once the fade-out has reached 0.
    bool Input() override;
    // Fades in at 45 per second up to full opacity, then out at 40 per second.
    void Update(float fElapsedTime) override;
    void Render() override;
    void Exit() override;

    float GetFade() const { return m_fFade; }
    bool IsFadingOut() const { return m_bFadingOut; }
    // The colour the logo is drawn with: the low 8 bits of the truncated fade as alpha, over white.
    static VKT_COLOR LogoColor(float fFade);

private:
    CopperfenLogoState() = default;

    float m_fFade = 0.0f; // opacity on the 0 to 255 scale
    int m_nLogoImageID = -1;
    bool m_bFadingOut = false;
};
