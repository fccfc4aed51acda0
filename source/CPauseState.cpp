#include "CPauseState.h"

CPauseState* CPauseState::GetInstance()
{
    static CPauseState instance;
    return &instance;
}
