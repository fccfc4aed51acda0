#include "CVKT_MessageSystem.h"

CVKT_MessageSystem* CVKT_MessageSystem::GetInstance()
{
    static CVKT_MessageSystem instance;
    return &instance;
}
