// The flying characters: the player's bird soldier (4 wing-beat frames of 62 x 53, facing up the screen)
// and the hostile birds (2 frames of 46 x 34, facing down). Both are seen from straight above.
#pragma once

#include "Output.h"

#include <cairo.h>

namespace assetgen
{
constexpr int kPlayerFrameWidth = 62;
constexpr int kPlayerFrameHeight = 53;
constexpr int kPlayerFrames = 4;
constexpr int kBirdFrameWidth = 46;
constexpr int kBirdFrameHeight = 34;
constexpr int kBirdFrames = 2;

bool WritePlayerSheet(const tOutput& out);
bool WriteEnemyBirdSheet(const tOutput& out);

// The soldier's head with helmet, beak pointing up, centred on the origin; used by the player sprite and
// at a larger scale by the menu art.
void DrawSoldierHead(cairo_t* cr);
// The whole soldier with wings at the given beat (0..3), centred on the origin, facing up.
void DrawSoldier(cairo_t* cr, int frame);
} // namespace assetgen
