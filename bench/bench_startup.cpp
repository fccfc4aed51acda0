// Start-up cost: from a started platform to the first presented frame (window, renderer, textures,
// sound device, input, the settings file, the menu music, the logo screen), then shut down again.
// Headless on SDL's dummy drivers, in the build folder with its generated Resource/ folder.
#include "CGame.h"
#include "CVKT_Window.h"
#include "WinMain.h"

#include <benchmark/benchmark.h>

#include <SDL.h>

namespace
{
void BM_StartToFirstFrame(benchmark::State& state)
{
    for (auto _ : state)
    {
        CVKT_Window* window = CVKT_Window::GetInstance();
        window->InitPlatform();
        HWND hWnd = window->CreateGameWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, 640, 480, WndProc);
        CGame* game = CGame::GetInstance();
        game->Initialize(hWnd, nullptr, 640, 480, true);
        window->PeekMessages();
        game->Main(); // the first presented frame

        state.PauseTiming();
        game->Shutdown();
        window->ShutdownPlatform();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);
} // namespace

BENCHMARK_MAIN();
