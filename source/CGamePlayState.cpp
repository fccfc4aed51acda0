#include "CGamePlayState.h"

CGamePlayState* CGamePlayState::GetInstance()
{
    static CGamePlayState instance;
    return &instance;
}

void CGamePlayState::MessageProc(CBaseMessage*) {}
