// The level backgrounds (640 x 2048, shown through a 640 x 480 window that starts at the bottom and
// scrolls to the top) and the cloud layer drawn over level 3. They stay muted and low in contrast so the
// outlined sprites on top always read clearly.
#pragma once

#include "Output.h"

namespace assetgen
{
constexpr int kLevelWidth = 640;
constexpr int kLevelHeight = 2048;
constexpr int kCloudsHeight = 1024;

bool WriteLevel1(const tOutput& out); // farmland
bool WriteLevel2(const tOutput& out); // autumn highlands with a village
bool WriteLevel3(const tOutput& out); // a beach, then the open sea
bool WriteClouds(const tOutput& out); // repeats seamlessly from its bottom edge to its top edge
} // namespace assetgen
