// Cost of one gameplay frame through the real game, headless on the software renderer: level 1 with
// its ten enemies, the player and twenty bullets in flight (ten shots falling, ten rocks crossing),
// the HUD and the font. Measures the whole frame (input, update, collisions, messages, events,
// drawing, present) and the update-and-draw part alone, and reports the peak resident memory.
#include "CGame.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"

#include "CVKT_Direct3D.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectManager.h"

#include "HeadlessGame.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
// Peak resident set size of the process, in megabytes.
double PeakResidentMegabytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0.0;
    char line[256];
    long kilobytes = 0;
    while (std::fgets(line, sizeof line, status))
    {
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kilobytes = std::strtol(line + 6, nullptr, 10);
    }
    std::fclose(status);
    return static_cast<double>(kilobytes) / 1024.0;
}

class GameplayScene
{
public:
    GameplayScene() { Reset(); }

    // A new game at level 1 with twenty bullets added.
    void Reset()
    {
        std::srand(1);
        CGamePlayState::SetEnemyFireTimer(0.0f);
        CGame::GetInstance()->ChangeState(CGamePlayState::GetInstance());
        CVKT_MessageSystem* pMS = CVKT_MessageSystem::GetInstance();
        for (int i = 0; i < 10; ++i)
        {
            pMS->SendMsg(new CCreatePlayerBulletMessage(40.0f + 60.0f * i, 60.0f + 20.0f * i));
            const float angle = i % 2 ? 1.5707964f : -1.5707964f;
            pMS->SendMsg(
                new CCreateEnemyBulletMessage(100.0f + 45.0f * i, 80.0f + 25.0f * i, angle, i % 3 == 0));
        }
        Frame();
    }

    void Frame() { m_game.Frame(); }

private:
    headless::HeadlessGame m_game;
};

// Frames between resets: bullets leave the field over time, so the scene is rebuilt every 4 s of play.
constexpr int FRAMES_PER_SCENE = 250;

void BM_GameplayFrame(benchmark::State& state)
{
    GameplayScene scene;
    int frames = 0;
    size_t objects = 0;
    for (auto _ : state)
    {
        scene.Frame();
        objects += CVKT_ObjectManager::GetInstance()->GetObjects().size();
        if (++frames % FRAMES_PER_SCENE == 0)
        {
            state.PauseTiming();
            scene.Reset();
            state.ResumeTiming();
        }
    }
    state.counters["objects"] = static_cast<double>(objects) / static_cast<double>(state.iterations());
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_GameplayFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Only what the gameplay state itself does: its update (objects and collisions included) and its
// drawing into the sprite batch, without input, clearing and presenting.
void BM_GameplayUpdateAndDraw(benchmark::State& state)
{
    GameplayScene scene;
    CGamePlayState* pState = CGamePlayState::GetInstance();
    CVKT_Direct3D* pD3D = CVKT_Direct3D::GetInstance();
    CVKT_MessageSystem* pMS = CVKT_MessageSystem::GetInstance();
    int frames = 0;
    for (auto _ : state)
    {
        pState->Update(0.016f);
        pMS->ProcessMessages();
        pD3D->DeviceBegin();
        pD3D->SpriteBegin();
        pState->Render();
        pD3D->SpriteEnd();
        pD3D->DeviceEnd();
        if (++frames % FRAMES_PER_SCENE == 0)
        {
            state.PauseTiming();
            scene.Reset();
            state.ResumeTiming();
        }
    }
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_GameplayUpdateAndDraw)->Unit(benchmark::kMillisecond)->MinTime(3.0);
} // namespace

BENCHMARK_MAIN();
