#include "CMainMenuState.h"

CMainMenuState* CMainMenuState::GetInstance()
{
    static CMainMenuState instance;
    return &instance;
}
