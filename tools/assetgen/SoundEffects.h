// The two short effects: the enemy's shot and the hit. Both start and end at silence.
#pragma once

#include "Output.h"

namespace assetgen
{
bool WriteShotSound(const tOutput& out); // VKT_LazerShot.wav
bool WriteHitSound(const tOutput& out);  // VKT_LazerHit.wav
} // namespace assetgen
