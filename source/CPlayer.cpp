#include "CPlayer.h"

CPlayer::CPlayer()
{
    m_nType = OBJ_PLAYER;
}

void CPlayer::HandleEvent(CEvent*) {}
