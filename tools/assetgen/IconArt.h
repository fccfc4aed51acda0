// The application icon: the player's bird soldier on a navy badge with a copper rim, as the desktop's
// menus and docks show the game. Written as a freedesktop hicolor tree: a PNG for each fixed size and
// a scalable SVG drawn from the same paths.
#pragma once

#include "Output.h"

#include <cairo.h>

#include <string>
#include <vector>

namespace assetgen
{
// The pixel sizes of the PNG icons.
const std::vector<int>& IconSizes();

// Draws the icon into the square (0, 0)..(size, size). Small sizes show the soldier's head alone,
// which stays readable where the whole bird would blur.
void DrawIcon(cairo_t* cr, double size);

// Writes <folder>/hicolor/<N>x<N>/apps/<name>.png for every size and
// <folder>/hicolor/scalable/apps/<name>.svg. False when a folder or a file cannot be written.
bool WriteIcons(const std::string& folder, const std::string& name);

// The same icon at WINDOW_ICON_SIZE among the game's pictures (Graphics/OxM_WindowIcon.png): the
// game gives it to its window, for docks and task switchers that take the window's own icon.
constexpr int WINDOW_ICON_SIZE = 128;
bool WriteWindowIcon(const tOutput& out);
} // namespace assetgen
