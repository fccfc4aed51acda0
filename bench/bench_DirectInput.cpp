// What reading input costs per frame: the window's pump with the input layer's routing, the devices'
// read, and the queries a screen makes.
#include "CVKT_DirectInput.h"
#include "CVKT_Window.h"

#include "InputEvents.h"

#include <SDL.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{
class InputBench
{
public:
    InputBench()
    {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        CVKT_Window* window = CVKT_Window::GetInstance();
        if (!window->InitPlatform() ||
            !window->CreateGameWindow("VKTWindowClass", "bench", 640, 480, nullptr))
            std::abort();
        CVKT_DirectInput::GetInstance()->InitDirectInput(window->GetHandle(), nullptr, 3, 0);
    }
    ~InputBench()
    {
        CVKT_DirectInput::GetInstance()->ShutdownDirectInput();
        CVKT_Window::GetInstance()->ShutdownPlatform();
    }
};

using headless::PushKey;

void PushMotion()
{
    headless::PushMouseMotion(3, -2);
}

// A frame without any input: pump, read keyboard and mouse.
void BM_IdleFrame(benchmark::State& state)
{
    InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    for (auto _ : state)
    {
        CVKT_Window::GetInstance()->PeekMessages();
        di->ReadDevices();
        benchmark::DoNotOptimize(di->KeyPressed(DIK_ESCAPE));
    }
}
BENCHMARK(BM_IdleFrame);

// A busy frame: two typed keys, a held arrow and four mouse moves, then what the gameplay screen asks.
void BM_BusyFrame(benchmark::State& state)
{
    InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    bool held = false;
    for (auto _ : state)
    {
        PushKey(SDL_SCANCODE_A, true);
        PushKey(SDL_SCANCODE_A, false);
        PushKey(SDL_SCANCODE_B, true);
        PushKey(SDL_SCANCODE_B, false);
        held = !held;
        PushKey(SDL_SCANCODE_UP, held);
        for (int i = 0; i < 4; ++i)
            PushMotion();
        CVKT_Window::GetInstance()->PeekMessages();
        di->ReadDevices();
        benchmark::DoNotOptimize(di->KeyDown(DIK_UP));
        benchmark::DoNotOptimize(di->KeyDown(DIK_SPACE));
        benchmark::DoNotOptimize(di->KeyPressed(DIK_ESCAPE));
        benchmark::DoNotOptimize(di->CheckBufferedKeysEx());
        benchmark::DoNotOptimize(di->GetBufferedDIKCodeEx());
    }
}
BENCHMARK(BM_BusyFrame);

// The held-key translation, which walks all 256 codes.
void BM_CheckKeys(benchmark::State& state)
{
    InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    PushKey(SDL_SCANCODE_LSHIFT, true);
    PushKey(SDL_SCANCODE_G, true);
    CVKT_Window::GetInstance()->PeekMessages();
    di->ReadDevices();
    for (auto _ : state)
        benchmark::DoNotOptimize(di->CheckKeys());
}
BENCHMARK(BM_CheckKeys);
} // namespace

BENCHMARK_MAIN();
