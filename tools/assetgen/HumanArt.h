// The people on the ground and in the water, seen from straight above. Both sheets hold blocks of
// 128 x 128 pixels, one per variant; inside a block, row r is a walking direction (down, left, right,
// up) and its 4 frames of 32 x 32 are one step cycle.
#pragma once

#include "Output.h"

namespace assetgen
{
constexpr int kHumanFrame = 32;
constexpr int kHumanFramesPerRow = 4;
constexpr int kHumanBlock = 128;
constexpr int kEnemyVariants = 59; // 0 the rock thrower, 1 the hunter, 2..58 walkers
constexpr int kEnemyBlocksPerRow = 8;
constexpr int kSwimmerVariants = 4;
constexpr int kSwimmerBlocksPerRow = 2;

bool WriteEnemySheet(const tOutput& out);
bool WriteSwimmerSheet(const tOutput& out);
} // namespace assetgen
