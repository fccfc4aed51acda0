// Frame cost of the renderer and texture manager on the software renderer, headless: one full-screen
// 640 x 480 section of a 640 x 2048 background, 40 sprites of 32 x 32 and a line of 24 glyphs, as a
// busy gameplay frame draws them. Also counts heap allocations per frame in steady state.
#include "CVKT_Direct3D.h"
#include "CVKT_TextureManager.h"

#include "AllocationCounter.h"
#include "Files.h"
#include "RendererBench.h"
#include "ScopedTempDir.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
// An opaque patterned picture of width x height, written as a PNG into dir.
std::string WriteImage(const headless::ScopedTempDir& dir, const std::string& name, int width, int height)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] =
                0xFF000000u | static_cast<uint32_t>((x * 7) ^ (y * 13));
    const std::string path = dir / name;
    headless::WritePng(path, width, height, pixels);
    return path;
}

struct Scene
{
    int background = -1;
    int sprite = -1;
    int font = -1;
};

void DrawFrame(const Scene& scene, int frame)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    CVKT_TextureManager* tm = CVKT_TextureManager::GetInstance();
    d3d->Clear(0, 0, 128);
    d3d->DeviceBegin();
    d3d->SpriteBegin();
    const int offset = 1568 - (frame % 1568);
    const RECT view = {0, offset, 640, offset + 480};
    tm->DrawTexture(scene.background, 0, 0, 1.0f, 1.0f, &view);
    for (int i = 0; i < 40; ++i)
        tm->DrawTexture(scene.sprite, (i * 53 + frame) % 608, (i * 97) % 448);
    for (int i = 0; i < 24; ++i)
    {
        const RECT cell = {(i % 20) * 16, (i / 20) * 24, (i % 20) * 16 + 16, (i / 20) * 24 + 24};
        tm->DrawTexture(scene.font, 25 + i * 16, 17, 1.0f, 1.0f, &cell);
    }
    d3d->SpriteEnd();
    d3d->DeviceEnd();
    d3d->Present();
}

void BM_GameplayFrame(benchmark::State& state)
{
    const headless::RendererBench renderer;
    const headless::ScopedTempDir dir("talonreach-bench");
    CVKT_TextureManager* tm = CVKT_TextureManager::GetInstance();

    Scene scene;
    scene.background = tm->LoadTexture(WriteImage(dir, "bg.png", 640, 2048).c_str(), 0);
    scene.sprite = tm->LoadTexture(WriteImage(dir, "sprite.png", 32, 32).c_str(), 0);
    scene.font = tm->LoadTexture(WriteImage(dir, "font.png", 320, 120).c_str(), 0);

    int frame = 0;
    for (int warm = 0; warm < 10; ++warm)
        DrawFrame(scene, frame++);
    bench::g_allocations = 0;
    {
        bench::CountAllocations counting;
        for (auto _ : state)
            DrawFrame(scene, frame++);
    }
    const size_t allocations = bench::g_allocations;

    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["allocs_per_frame"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GameplayFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);
} // namespace

BENCHMARK_MAIN();
