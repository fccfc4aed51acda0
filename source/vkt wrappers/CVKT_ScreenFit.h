// The arithmetic of fitting the game's picture to a screen: how large a window the desktop has room
// for, and where the picture lands in a window or on a screen of any size. Pure functions of the
// sizes given; the platform layer asks SDL for those sizes.
#pragma once

struct tSize
{
    int nWidth = 0;
    int nHeight = 0;

    bool operator==(const tSize& other) const { return nWidth == other.nWidth && nHeight == other.nHeight; }
    bool operator!=(const tSize& other) const { return !(*this == other); }
};

// A rectangle of output pixels that the picture covers, and whether its scale is a whole number.
struct tViewport
{
    int nX = 0;
    int nY = 0;
    int nWidth = 0;
    int nHeight = 0;
    bool bWholeMultiple = false;
};

class CVKT_ScreenFit
{
public:
    // The largest whole multiple n * base, n at least 1, whose window (the client area plus the
    // frame the window system puts around it) fits in the area. A desktop too small for even one
    // times the base still gets that.
    static tSize LargestWindow(tSize area, tSize frame, tSize base);

    // True when a client area of `client` plus `frame` fits in `area`, and the client area is not
    // empty.
    static bool Fits(tSize client, tSize frame, tSize area);

    // The picture of size `base` as large as `output` allows while it keeps its shape, centred: the
    // bars left over go equally to both sides (the odd pixel to the right or bottom). The scale is a
    // whole number exactly when the picture covers whole multiples of its size in both directions.
    // An empty output or base gives an empty viewport.
    static tViewport Letterbox(tSize output, tSize base);
};
