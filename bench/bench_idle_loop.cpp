// CPU use of the program's loop while the main menu stands idle: spinning freely, waiting for the
// next millisecond tick after a frame that took less than one, and as the program runs it, paced to
// the display (the dummy display reports no refresh rate: 60 Hz). Reported as the share of one core
// the loop keeps busy (cpu_share) and the frames it runs per second.
#include "CGame.h"
#include "CMainMenuState.h"
#include "CVKT_Clock.h"
#include "CVKT_FramePacer.h"
#include "CVKT_Window.h"
#include "WinMain.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace
{
double Seconds(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The loop of the program's entry, run for a fixed wall time.
void BM_IdleMenuLoop(benchmark::State& state)
{
    const int64_t mode = state.range(0);
    CVKT_Window* window = CVKT_Window::GetInstance();
    window->InitPlatform();
    HWND hWnd = window->CreateGameWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, 640, 480, WndProc);
    CGame* game = CGame::GetInstance();
    game->Initialize(hWnd, nullptr, 640, 480, true);
    game->ChangeState(CMainMenuState::GetInstance());

    CVKT_FramePacer pacer;
    double cpu = 0.0;
    double wall = 0.0;
    long frames = 0;
    for (auto _ : state)
    {
        const double wallStart = Seconds(CLOCK_MONOTONIC);
        const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
        while (Seconds(CLOCK_MONOTONIC) - wallStart < 2.0)
        {
            const uint32_t frameStart = CVKT_Clock::GetTickCount();
            ++frames;
            if (mode == 2)
            {
                RunLoopPass(window, game, &pacer);
                continue;
            }
            window->PeekMessages();
            game->Main();
            if (mode == 1)
                CVKT_Clock::WaitForNextTick(frameStart);
        }
        cpu += Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
        wall += Seconds(CLOCK_MONOTONIC) - wallStart;
    }
    state.counters["cpu_share"] = cpu / wall;
    state.counters["frames_per_s"] = static_cast<double>(frames) / wall;

    game->Shutdown();
    window->ShutdownPlatform();
}
BENCHMARK(BM_IdleMenuLoop)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("spin_tick_paced")
    ->Iterations(2)
    ->Unit(benchmark::kSecond);
} // namespace

BENCHMARK_MAIN();
