#include "ScreenComparison.h"

#include "FrameComparison.h"

#include "CVKT_TextureManager.h"

#include <unordered_set>

namespace headless
{
namespace
{
bool Inside(const tViewport& view, int x, int y)
{
    return x >= view.nX && x < view.nX + view.nWidth && y >= view.nY && y < view.nY + view.nHeight;
}
} // namespace

ScreenComparison CompareScreen(const tScreenPixels& screen, const std::vector<uint32_t>& backBuffer,
                               const tViewport& view, uint32_t barColor)
{
    ScreenComparison result;
    const std::unordered_set<uint32_t> colors(backBuffer.begin(), backBuffer.end());
    for (int y = 0; y < screen.nHeight; ++y)
    {
        for (int x = 0; x < screen.nWidth; ++x)
        {
            const uint32_t pixel = screen.argb[static_cast<size_t>(y) * screen.nWidth + x];
            if (!Inside(view, x, y))
            {
                ++result.barPixels;
                result.wrongBars += pixel != barColor;
                continue;
            }
            ++result.viewPixels;
            const int bx = (x - view.nX) * FRAME_WIDTH / view.nWidth;
            const int by = (y - view.nY) * FRAME_HEIGHT / view.nHeight;
            result.unlikeNearest += pixel != backBuffer[static_cast<size_t>(by) * FRAME_WIDTH + bx];
            result.blended += colors.count(pixel) == 0;
            result.barInside += pixel == barColor;
        }
    }
    return result;
}

std::vector<uint32_t> PixelPattern(int size)
{
    const uint32_t colors[3] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels[static_cast<size_t>(y) * size + x] = colors[(x + 2 * y) % 3];
    return pixels;
}
tScreenPixels PresentPattern(int nPatternID, std::vector<uint32_t>& backBuffer)
{
    const struct
    {
        int x, y;
    } places[] = {{0, 0}, {608, 0}, {0, 448}, {608, 448}, {300, 200}, {333, 217}};
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->SetFrameCapture(true);
    d3d->SetScreenCapture(true);
    d3d->Clear(0, 0, 128);
    d3d->DeviceBegin();
    d3d->SpriteBegin();
    d3d->DrawRect(RECT{0, 0, 640, 480}, 255, 255, 255);
    for (const auto& at : places)
        CVKT_TextureManager::GetInstance()->DrawTexture(nPatternID, at.x, at.y);
    d3d->SpriteEnd();
    d3d->DeviceEnd();
    d3d->Present();
    backBuffer = d3d->GetCapturedFrame();
    tScreenPixels screen = d3d->GetCapturedScreen();
    d3d->SetFrameCapture(false);
    d3d->SetScreenCapture(false);
    return screen;
}
} // namespace headless
