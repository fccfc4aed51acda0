#include "TestSupport.h"

#include "CVKT_Direct3D.h"
#include "CVKT_TextureManager.h"

#include <SDL_image.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace test
{
std::string BuildDir()
{
    return TALONREACH_BUILD_DIR;
}
std::string SourceDir()
{
    return TALONREACH_SOURCE_DIR;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

void MakeDirs(const std::string& path)
{
    std::filesystem::create_directories(path);
}

void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        throw std::runtime_error("cannot make a surface");
    for (int y = 0; y < height; ++y)
    {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < width; ++x)
            row[x] = argb[static_cast<size_t>(y) * width + x];
    }
    const int result = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (result != 0)
        throw std::runtime_error("cannot write " + path);
}

HeadlessRenderer::HeadlessRenderer(int width, int height) : m_width(width)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        throw std::runtime_error(SDL_GetError());
    m_window = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_HIDDEN);
    if (!m_window)
        throw std::runtime_error(SDL_GetError());
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    if (!d3d->InitDirect3D(m_window, width, height, true, false))
        throw std::runtime_error("renderer did not start");
    CVKT_TextureManager::GetInstance()->InitTextureManager(d3d->GetDirect3DDevice(), d3d->GetSprite());
}

HeadlessRenderer::~HeadlessRenderer()
{
    CVKT_TextureManager::GetInstance()->ShutdownTextureManager();
    CVKT_Direct3D::GetInstance()->ShutdownDirect3D();
    SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

void HeadlessRenderer::BeginFrame(uint8_t r, uint8_t g, uint8_t b)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->Clear(r, g, b);
    d3d->DeviceBegin();
    d3d->SpriteBegin();
}

void HeadlessRenderer::EndFrame()
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->SpriteEnd();
    d3d->DeviceEnd();
}

std::vector<uint32_t> HeadlessRenderer::ReadBack() const
{
    std::vector<uint32_t> pixels;
    CVKT_Direct3D::GetInstance()->ReadBackBuffer(pixels);
    return pixels;
}
} // namespace test
