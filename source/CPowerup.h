// A falling power-up: an extra life or a charge refill, told apart by its type.
// MINIMAL: only what the message catalog needs (the class and its base); the gameplay issue
// completes it, including the constructor that picks the kind.
#pragma once

#include "CBase.h"

class CPowerup : public CBase
{
public:
    CPowerup() = default;
};
