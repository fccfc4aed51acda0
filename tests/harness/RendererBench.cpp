#include "RendererBench.h"

#include "CVKT_Direct3D.h"
#include "CVKT_TextureManager.h"

#include <stdexcept>

namespace headless
{
RendererBench::RendererBench(int width, int height) : m_window(width, height), m_width(width)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    if (!d3d->InitDirect3D(m_window.Get(), width, height, true, false))
        throw std::runtime_error("renderer did not start");
    CVKT_TextureManager::GetInstance()->InitTextureManager(d3d->GetDirect3DDevice(), d3d->GetSprite());
}

RendererBench::~RendererBench()
{
    CVKT_TextureManager::GetInstance()->ShutdownTextureManager();
    CVKT_Direct3D::GetInstance()->ShutdownDirect3D();
}

void RendererBench::BeginFrame(uint8_t r, uint8_t g, uint8_t b)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->Clear(r, g, b);
    d3d->DeviceBegin();
    d3d->SpriteBegin();
}

void RendererBench::EndFrame()
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->SpriteEnd();
    d3d->DeviceEnd();
}

void RendererBench::SpriteBegin()
{
    CVKT_Direct3D::GetInstance()->SpriteBegin();
}

std::vector<CVKT_Sprite::tDraw> RendererBench::SpriteEnd()
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    std::vector<CVKT_Sprite::tDraw> draws = d3d->GetSprite()->GetQueuedDraws();
    d3d->SpriteEnd();
    return draws;
}

std::vector<uint32_t> RendererBench::ReadBack() const
{
    std::vector<uint32_t> pixels;
    CVKT_Direct3D::GetInstance()->ReadBackBuffer(pixels);
    return pixels;
}
} // namespace headless
