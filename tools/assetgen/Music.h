// The two pieces of music: the menu theme (a loop) and the level theme (played once per level).
#pragma once

#include "Output.h"

namespace assetgen
{
// OxM_ZORIRED_theme.wav: 16 bars in A minor at 96 beats per minute (40 s), looping without a seam.
bool WriteMenuTheme(const tOutput& out);
// OxM_PALLET_theme.wav: 40 bars in D major lasting exactly the 78.4 s of a level.
bool WriteLevelTheme(const tOutput& out);

constexpr double kLevelSeconds = 78.4;
} // namespace assetgen
