// How a window's pixels, as a present put them there, show a 640 x 480 back buffer scaled into a
// viewport: what lies outside it (the bars) and what lies inside.
#pragma once

#include "CVKT_Direct3D.h"
#include "CVKT_ScreenFit.h"

#include <cstdint>
#include <vector>

namespace headless
{
struct ScreenComparison
{
    int barPixels = 0;     // outside the viewport
    int wrongBars = 0;     // of those, not the bar colour
    int viewPixels = 0;    // inside it
    int unlikeNearest = 0; // of those, not the back-buffer pixel under their centre
    int blended = 0;       // of those, of a colour the back buffer does not hold anywhere
    int barInside = 0;     // of those, of the bar colour

    bool IsCrisp() const { return viewPixels > 0 && unlikeNearest == 0 && blended == 0 && wrongBars == 0; }
};

ScreenComparison CompareScreen(const tScreenPixels& screen, const std::vector<uint32_t>& backBuffer,
                               const tViewport& view, uint32_t barColor);

// Red, green and blue pixels in a pattern where every pixel differs from its right and lower
// neighbours: any blending of neighbours makes colours the pattern does not have.
std::vector<uint32_t> PixelPattern(int size);

// Back-buffer pixels that PresentPattern covers with the pattern: six copies of 32 x 32.
constexpr int PATTERN_PIXELS = 6 * 32 * 32;
// The colour of the bars: black, unlike the dark blue the game's frames are cleared to.
constexpr uint32_t BAR_COLOR = 0xFF000000;

// One frame as the game draws it, on the running renderer and texture manager: cleared to the game's
// dark blue, a white page, and the 32 x 32 texture nPatternID over it at six places, the four corners
// among them. backBuffer gets the picture; the result is what the present put into the window.
tScreenPixels PresentPattern(int nPatternID, std::vector<uint32_t>& backBuffer);
} // namespace headless
