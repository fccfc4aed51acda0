// The full-screen menu pictures and the pieces the menus draw over them.
#pragma once

#include "Output.h"

namespace assetgen
{
// Main menu sheet: the whole menu in x 0..639; item k's highlighted look at x 641..837, y 222 + 27k.
constexpr int kMenuItemX = 222;
constexpr int kMenuItemY = 222;
constexpr int kMenuItemWidth = 197;
constexpr int kMenuItemHeight = 27;
constexpr int kMenuItemCount = 6;
constexpr int kMenuHighlightX = 641;
constexpr int kMenuSheetWidth = 840;

bool WriteLogo(const tOutput& out);
bool WriteMainMenu(const tOutput& out);
bool WriteOptionsMenu(const tOutput& out);
bool WriteOptionsMarker(const tOutput& out);
bool WriteControlsMenu(const tOutput& out);
// The change of controls: the game prints the keys and pad buttons over it (CChangeControlsState).
bool WriteChangeControls(const tOutput& out);
bool WriteCreditsMenu(const tOutput& out);
bool WriteCreditsText(const tOutput& out);
bool WriteHighScoresMenu(const tOutput& out);
bool WriteArrow(const tOutput& out);
} // namespace assetgen
