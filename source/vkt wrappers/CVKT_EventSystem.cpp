#include "CVKT_EventSystem.h"

CVKT_EventSystem* CVKT_EventSystem::GetInstance()
{
    static CVKT_EventSystem instance;
    return &instance;
}
