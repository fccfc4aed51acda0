// Shots, the thrown rock, the protective bubble and the two power-ups.
#pragma once

#include "Output.h"

namespace assetgen
{
bool WritePlayerBullet(const tOutput& out);  // OxM_PlayerBullet.png, 16 x 32, black key
bool WriteHunterBullet(const tOutput& out);  // OxM_HunterBullet.bmp, 24 x 26, white key
bool WriteRock(const tOutput& out);          // OxM_ProjectileRock.png, 16 x 16, black key
bool WriteBubble(const tOutput& out);        // OxM_Bubble.png, 64 x 64, black key
bool WriteLifePowerup(const tOutput& out);   // OxM_PowLife.png, 46 x 34
bool WriteChargePowerup(const tOutput& out); // OxM_PowCharge.png, 46 x 34
} // namespace assetgen
