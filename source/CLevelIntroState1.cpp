#include "CLevelIntroState1.h"

CLevelIntroState1* CLevelIntroState1::GetInstance()
{
    static CLevelIntroState1 instance;
    return &instance;
}
