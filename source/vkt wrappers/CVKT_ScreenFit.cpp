#include "CVKT_ScreenFit.h"

#include <algorithm>
#include <cstdint>

tSize CVKT_ScreenFit::LargestWindow(tSize area, tSize frame, tSize base)
{
    if (base.nWidth <= 0 || base.nHeight <= 0)
        return base;
    const int nAcross = (area.nWidth - frame.nWidth) / base.nWidth;
    const int nDown = (area.nHeight - frame.nHeight) / base.nHeight;
    const int nScale = std::max(1, std::min(nAcross, nDown));
    return {base.nWidth * nScale, base.nHeight * nScale};
}

bool CVKT_ScreenFit::Fits(tSize client, tSize frame, tSize area)
{
    if (client.nWidth <= 0 || client.nHeight <= 0)
        return false;
    return client.nWidth + frame.nWidth <= area.nWidth && client.nHeight + frame.nHeight <= area.nHeight;
}

tViewport CVKT_ScreenFit::Letterbox(tSize output, tSize base)
{
    tViewport view;
    if (output.nWidth <= 0 || output.nHeight <= 0 || base.nWidth <= 0 || base.nHeight <= 0)
        return view;
    // Compared as products, so that no rounding decides which side has the bars.
    const int64_t nWide = static_cast<int64_t>(output.nWidth) * base.nHeight;
    const int64_t nTall = static_cast<int64_t>(output.nHeight) * base.nWidth;
    if (nWide <= nTall)
    {
        view.nWidth = output.nWidth;
        view.nHeight = static_cast<int>(nWide / base.nWidth);
    }
    else
    {
        view.nHeight = output.nHeight;
        view.nWidth = static_cast<int>(nTall / base.nHeight);
    }
    view.nX = (output.nWidth - view.nWidth) / 2;
    view.nY = (output.nHeight - view.nHeight) / 2;
    const int nScale = view.nWidth / base.nWidth;
    view.bWholeMultiple = view.nWidth == nScale * base.nWidth && view.nHeight == nScale * base.nHeight;
    return view;
}
