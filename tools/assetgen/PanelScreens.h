// Pictures drawn over the game or over part of a screen: the HUD, the pause and score-entry panels,
// the cursor, the charge bar's white source, and the story screen's background, portrait and text box.
#pragma once

#include "Output.h"

namespace assetgen
{
bool WriteHud(const tOutput& out);
bool WriteWhite(const tOutput& out);
bool WritePauseMenu(const tOutput& out);
bool WriteMenuCursor(const tOutput& out);
bool WriteEnterScore(const tOutput& out);
bool WriteIntroMenu(const tOutput& out);
bool WriteCaptain(const tOutput& out);
bool WriteTextBox(const tOutput& out);
} // namespace assetgen
