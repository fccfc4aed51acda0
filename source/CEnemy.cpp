#include "CEnemy.h"

CEnemy::CEnemy()
{
    m_nType = OBJ_ENEMY;
}

void CEnemy::HandleEvent(CEvent*) {}
