// Per-frame costs of the object framework at the game's object counts (tens of objects), and the
// settings file's read and write.
#include "CBase.h"
#include "CGameMessages.h"
#include "CSettingsFile.h"
#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectManager.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
// Objects spread over the screen, of the game's types, so the pass tests realistic pairs.
void FillManager(int nCount)
{
    const int types[] = {OBJ_PLAYER,        OBJ_ENEMY,        OBJ_ENEMY,
                         OBJ_PLAYER_BULLET, OBJ_ENEMY_BULLET, OBJ_ENEMY_BIRD};
    CVKT_ObjectManager* pOM = CVKT_ObjectManager::GetInstance();
    for (int i = 0; i < nCount; ++i)
    {
        CBase* pObject = new CBase;
        pObject->SetType(types[i % 6]);
        pObject->SetPosX(static_cast<float>((i * 97) % 640));
        pObject->SetPosY(static_cast<float>((i * 53) % 480));
        pObject->SetWidth(32);
        pObject->SetHeight(32);
        pObject->SetScale(static_cast<float>(i % 7) * 0.1f);
        pObject->SetActive(true);
        pOM->AddObject(pObject);
        pObject->Release();
    }
}

void BM_CollisionPass(benchmark::State& state)
{
    FillManager(static_cast<int>(state.range(0)));
    for (auto _ : state)
        CVKT_ObjectManager::GetInstance()->CheckCollisions();
    CVKT_ObjectManager::GetInstance()->RemoveAllObjects();
}
BENCHMARK(BM_CollisionPass)->Arg(20)->Arg(40)->Arg(80);

void BM_UpdateAndSort(benchmark::State& state)
{
    FillManager(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        CVKT_ObjectManager::GetInstance()->UpdateObjects(0.016f);
        // No renderer: the draws fail at once, so this measures the sort and the walk.
        CVKT_ObjectManager::GetInstance()->RenderObjects();
    }
    CVKT_ObjectManager::GetInstance()->RemoveAllObjects();
}
BENCHMARK(BM_UpdateAndSort)->Arg(40);

class CCountingListener : public IListener
{
public:
    void HandleEvent(CEvent*) override { ++m_nCount; }
    long m_nCount = 0;
};

// A busy frame: 20 events to 20 listeners of each id.
void BM_EventFrame(benchmark::State& state)
{
    CVKT_EventSystem* pES = CVKT_EventSystem::GetInstance();
    std::vector<CCountingListener> listeners(20);
    for (CCountingListener& listener : listeners)
    {
        pES->RegisterClient("EnemyFireBullet", &listener);
        pES->RegisterClient("AddScore", &listener);
    }
    for (auto _ : state)
    {
        for (int i = 0; i < 10; ++i)
        {
            pES->SendEvent("EnemyFireBullet");
            pES->SendEvent("AddScore");
        }
        pES->ProcessEvents();
    }
    benchmark::DoNotOptimize(listeners[0].m_nCount);
    pES->ShutdownEventSystem();
}
BENCHMARK(BM_EventFrame);

void IgnoreMessage(CBaseMessage*) {}

// A busy frame: ten bullet requests.
void BM_MessageFrame(benchmark::State& state)
{
    CVKT_MessageSystem* pMS = CVKT_MessageSystem::GetInstance();
    pMS->InitMessageSystem(&IgnoreMessage);
    for (auto _ : state)
    {
        for (int i = 0; i < 10; ++i)
            pMS->SendMsg(new CCreatePlayerBulletMessage(1.0f, 2.0f));
        pMS->ProcessMessages();
    }
    pMS->ShutdownMessageSystem();
}
BENCHMARK(BM_MessageFrame);

void BM_SettingsParse(benchmark::State& state)
{
    const std::string bytes = CSettingsFile::Serialize(CSettingsFile::Defaults());
    tGameSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(CSettingsFile::Parse(bytes, settings));
}
BENCHMARK(BM_SettingsParse);

void BM_SettingsSerialize(benchmark::State& state)
{
    const tGameSettings settings = CSettingsFile::Defaults();
    for (auto _ : state)
        benchmark::DoNotOptimize(CSettingsFile::Serialize(settings));
}
BENCHMARK(BM_SettingsSerialize);
} // namespace

BENCHMARK_MAIN();
