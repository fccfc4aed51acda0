// What reading input costs per frame: the window's pump with the input layer's routing, the devices'
// read, and the queries a screen makes; with game pads, their read, the menu repeat and the pad
// queries of a screen and of the player.
#include "CPadInput.h"

#include "CVKT_DirectInput.h"
#include "CVKT_Window.h"

#include "InputEvents.h"
#include "VirtualPad.h"

#include <SDL.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
class InputBench
{
public:
    explicit InputBench(unsigned int unDevices = 3)
    {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        CVKT_Window* window = CVKT_Window::GetInstance();
        if (!window->InitPlatform() ||
            !window->CreateGameWindow("VKTWindowClass", "bench", 640, 480, nullptr))
            std::abort();
        CVKT_DirectInput::GetInstance()->InitDirectInput(window->GetHandle(), nullptr, unDevices, 0);
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

// A frame with state.range(0) pads plugged in, each moving its stick and pressing a button every
// frame: pump, read keyboard, mouse and pads, the menu repeat, then what a menu and the player ask.
void BM_PadFrame(benchmark::State& state)
{
    InputBench bench(3 | CVKT_DirectInput::DEVICE_GAMEPADS);
    // Declared after the bench: the pads are pulled out before SDL stops.
    std::vector<std::unique_ptr<headless::VirtualPad>> pads;
    for (int64_t i = 0; i < state.range(0); ++i)
        pads.push_back(std::make_unique<headless::VirtualPad>());
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    CPadInput* words = CPadInput::GetInstance();
    CVKT_Window::GetInstance()->PeekMessages();
    di->ReadDevices();
    if (di->PadGetCount() != state.range(0))
        state.SkipWithError("the pads were not all opened");
    bool down = false;
    for (auto _ : state)
    {
        down = !down;
        for (const std::unique_ptr<headless::VirtualPad>& pad : pads)
        {
            pad->Move(SDL_CONTROLLER_AXIS_LEFTX, down ? 32767 : -32768);
            pad->Button(SDL_CONTROLLER_BUTTON_A, down);
        }
        CVKT_Window::GetInstance()->PeekMessages();
        di->ReadDevices();
        words->Update(0.016f);
        benchmark::DoNotOptimize(words->MenuDown());
        benchmark::DoNotOptimize(words->Confirm());
        benchmark::DoNotOptimize(words->HeldLeft());
        benchmark::DoNotOptimize(words->HeldRight());
        benchmark::DoNotOptimize(words->FireHeld());
    }
}
BENCHMARK(BM_PadFrame)->Arg(0)->Arg(1)->Arg(4);
} // namespace

BENCHMARK_MAIN();
