#include "PlayBench.h"

#include "CBullet.h"
#include "CEnemy.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CPlayer.h"

#include "CVKT_Direct3D.h"
#include "CVKT_ObjectFactory.h"
#include "CVKT_ObjectManager.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace headless
{
namespace
{
HeadlessGame::Options GameplayOptions()
{
    HeadlessGame::Options options;
    options.startTick = 5000;
    return options;
}
} // namespace

PlayBench::PlayBench() : HeadlessGame(GameplayOptions()) {}

void PlayBench::StartGame()
{
    Game()->ChangeState(CGamePlayState::GetInstance());
    Frame(0);
}

void PlayBench::StartEmptyGame(unsigned uSeed)
{
    std::srand(uSeed);
    CGamePlayState::SetEnemyFireTimer(0.0f);
    StartGame();
    RemoveEnemies();
}

void PlayBench::RunFor(float fSeconds, uint32_t nStepMs)
{
    const uint32_t nFrames = static_cast<uint32_t>(fSeconds * 1000.0f / static_cast<float>(nStepMs) + 0.999f);
    for (uint32_t i = 0; i < nFrames; ++i)
        Frame(nStepMs);
}

CGame* PlayBench::Game() const
{
    return CGame::GetInstance();
}

CGamePlayState* PlayBench::State() const
{
    return CGamePlayState::GetInstance();
}

CPlayer* PlayBench::Player() const
{
    return CGamePlayState::GetInstance()->GetPlayer();
}

std::vector<CBase*> PlayBench::ObjectsOfType(int nType) const
{
    std::vector<CBase*> found;
    for (CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (pObject->GetType() == nType)
            found.push_back(pObject);
    }
    return found;
}

std::vector<CEnemy*> PlayBench::Enemies() const
{
    std::vector<CEnemy*> found;
    for (CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (auto* pEnemy = dynamic_cast<CEnemy*>(pObject))
            found.push_back(pEnemy);
    }
    return found;
}

std::vector<CBullet*> PlayBench::Bullets(int nType) const
{
    std::vector<CBullet*> found;
    for (CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        auto* pBullet = dynamic_cast<CBullet*>(pObject);
        if (pBullet && pBullet->GetType() == nType)
            found.push_back(pBullet);
    }
    return found;
}

void PlayBench::RemoveEnemies()
{
    for (CEnemy* pEnemy : Enemies())
        CVKT_ObjectManager::GetInstance()->RemoveObject(pEnemy);
}

CBullet* PlayBench::AddReadyEnemyBullet(float fX, float fY)
{
    auto* pBullet = dynamic_cast<CBullet*>(
        CVKT_ObjectFactory<std::string, CBase>::GetInstance()->CreateObject("CBullet"));
    if (!pBullet)
        throw std::runtime_error("CBullet is not registered");
    pBullet->SetType(OBJ_ENEMY_BULLET);
    pBullet->SetPosX(fX);
    pBullet->SetPosY(fY);
    pBullet->SetWidth(16);
    pBullet->SetHeight(16);
    pBullet->SetScale(1.0f);
    pBullet->SetScaleRate(0.4f);
    pBullet->SetCanHit(true);
    pBullet->SetActive(true);
    CVKT_ObjectManager::GetInstance()->AddObject(pBullet);
    pBullet->Release();
    return pBullet;
}

CEnemy* PlayBench::AddStandingShooter(float fX, float fY)
{
    auto* pEnemy =
        dynamic_cast<CEnemy*>(CVKT_ObjectFactory<std::string, CBase>::GetInstance()->CreateObject("CEnemy"));
    if (!pEnemy)
        throw std::runtime_error("CEnemy is not registered");
    pEnemy->SetPosX(fX);
    pEnemy->SetPosY(fY);
    pEnemy->SetWidth(32);
    pEnemy->SetHeight(32);
    pEnemy->SetShooter(true);
    pEnemy->GetAnimation().SetVariant(0);
    pEnemy->GetAnimation().LoadSheet("Resource/Graphics/OxM_EnemyChar.png", 4, 32, 32, 4, 128, 128, 8);
    pEnemy->SetActive(true);
    CVKT_ObjectManager::GetInstance()->AddObject(pEnemy);
    pEnemy->Release();
    return pEnemy;
}

void PlayBench::CaptureFrames()
{
    CVKT_Direct3D::GetInstance()->SetFrameCapture(true);
}

const std::vector<uint32_t>& PlayBench::CapturedFrame() const
{
    return CVKT_Direct3D::GetInstance()->GetCapturedFrame();
}
} // namespace headless
