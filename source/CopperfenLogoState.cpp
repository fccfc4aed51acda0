#include "CopperfenLogoState.h"

#include "CVKT_Direct3D.h"
#include "CVKT_DirectInput.h"

CopperfenLogoState* CopperfenLogoState::GetInstance()
{
    static CopperfenLogoState instance;
    return &instance;
}

bool CopperfenLogoState::Input()
{
    return !CVKT_DirectInput::GetInstance()->KeyPressed(DIK_ESCAPE);
}

void CopperfenLogoState::Render()
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->DrawRect(RECT{0, 0, 640, 480}, 0, 0, 0);
    d3d->DrawRect(RECT{120, 200, 520, 280}, 184, 115, 51);
    d3d->DrawText("Talonreach - press Esc to quit", 200, 236, 255, 255, 255);
}
