#include "CEnterScorestate.h"

CEnterScorestate* CEnterScorestate::GetInstance()
{
    static CEnterScorestate instance;
    return &instance;
}
