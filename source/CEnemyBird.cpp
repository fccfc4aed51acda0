#include "CEnemyBird.h"

CEnemyBird::CEnemyBird()
{
    m_nType = OBJ_ENEMY_BIRD;
}

void CEnemyBird::HandleEvent(CEvent*) {}
