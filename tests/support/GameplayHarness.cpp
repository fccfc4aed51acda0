#include "GameplayHarness.h"

#include "CBullet.h"
#include "CEnemy.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CPlayer.h"

#include "CVKT_Direct3D.h"
#include "CVKT_ObjectFactory.h"
#include "CVKT_ObjectManager.h"
#include "CVKT_TextureManager.h"
#include "CVKT_Window.h"

#include <SDL_image.h>

#include <stdexcept>
#include <string>

namespace test
{
GameplayHarness::GameplayHarness()
{
    m_pClock = std::make_unique<ManualClock>(5000);
    m_pWindow = CVKT_Window::GetInstance();
    if (!m_pWindow->InitPlatform())
        throw std::runtime_error("the platform did not start");
    HWND hWnd = m_pWindow->CreateGameWindow("VKTWindowClass", "Talonreach", 640, 480, nullptr);
    if (!hWnd)
        throw std::runtime_error("no game window");
    m_pGame = CGame::GetInstance();
    m_pGame->Initialize(hWnd, nullptr, 640, 480, true);
}

GameplayHarness::~GameplayHarness()
{
    m_pGame->Shutdown();
    m_pWindow->ShutdownPlatform();
}

void GameplayHarness::StartGame()
{
    m_pGame->ChangeState(CGamePlayState::GetInstance());
    Frame(0);
}

bool GameplayHarness::Frame(uint32_t milliseconds)
{
    m_pClock->Advance(milliseconds);
    m_pWindow->PeekMessages();
    return m_pGame->Main();
}

void GameplayHarness::RunFor(float fSeconds, uint32_t nStepMs)
{
    const uint32_t nFrames = static_cast<uint32_t>(fSeconds * 1000.0f / static_cast<float>(nStepMs) + 0.999f);
    for (uint32_t i = 0; i < nFrames; ++i)
        Frame(nStepMs);
}

void GameplayHarness::Hold(SDL_Scancode scancode)
{
    PushKey(scancode, true);
}

void GameplayHarness::Release(SDL_Scancode scancode)
{
    PushKey(scancode, false);
}

void GameplayHarness::Tap(SDL_Scancode scancode, uint32_t milliseconds)
{
    PushKey(scancode, true);
    Frame(milliseconds);
    PushKey(scancode, false);
    Frame(milliseconds);
}

void GameplayHarness::Type(const char* szLetters)
{
    for (const char* p = szLetters; *p; ++p)
    {
        if (*p < 'a' || *p > 'z')
            throw std::invalid_argument("Type takes lower-case letters only");
        Tap(static_cast<SDL_Scancode>(SDL_SCANCODE_A + (*p - 'a')));
    }
}

CGamePlayState* GameplayHarness::State() const
{
    return CGamePlayState::GetInstance();
}

CPlayer* GameplayHarness::Player() const
{
    return CGamePlayState::GetInstance()->GetPlayer();
}

std::vector<IGameState*> GameplayHarness::Stack() const
{
    return m_pGame->GetStateStack();
}

std::vector<CBase*> GameplayHarness::ObjectsOfType(int nType) const
{
    std::vector<CBase*> found;
    for (CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (pObject->GetType() == nType)
            found.push_back(pObject);
    }
    return found;
}

std::vector<CEnemy*> GameplayHarness::Enemies() const
{
    std::vector<CEnemy*> found;
    for (CBase* pObject : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (auto* pEnemy = dynamic_cast<CEnemy*>(pObject))
            found.push_back(pEnemy);
    }
    return found;
}

std::vector<CBullet*> GameplayHarness::Bullets(int nType) const
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

void GameplayHarness::RemoveEnemies()
{
    for (CEnemy* pEnemy : Enemies())
        CVKT_ObjectManager::GetInstance()->RemoveObject(pEnemy);
}

CBullet* GameplayHarness::AddReadyEnemyBullet(float fX, float fY)
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

CEnemy* GameplayHarness::AddStandingShooter(float fX, float fY)
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

void GameplayHarness::CaptureFrames()
{
    CVKT_Direct3D::GetInstance()->SetFrameCapture(true);
}

const std::vector<uint32_t>& GameplayHarness::CapturedFrame() const
{
    return CVKT_Direct3D::GetInstance()->GetCapturedFrame();
}

Image LoadImage(const std::string& path)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded)
        throw std::runtime_error("cannot read " + path);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb)
        throw std::runtime_error("cannot convert " + path);
    Image image;
    image.width = argb->w;
    image.height = argb->h;
    image.argb.resize(static_cast<size_t>(argb->w) * argb->h);
    for (int y = 0; y < argb->h; ++y)
    {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            image.argb[static_cast<size_t>(y) * argb->w + x] = row[x];
    }
    SDL_FreeSurface(argb);
    return image;
}

SectionMatch MatchSection(const std::vector<uint32_t>& frame, const Image& image, const RECT& section, int x,
                          int y)
{
    SectionMatch match;
    for (int v = section.top; v < section.bottom; ++v)
    {
        for (int u = section.left; u < section.right; ++u)
        {
            const uint32_t source = image.At(u, v);
            const int fx = x + (u - section.left);
            const int fy = y + (v - section.top);
            if ((source >> 24) != 0xFF || fx < 0 || fy < 0 || fx >= 640 || fy >= 480)
                continue;
            ++match.opaque;
            if ((frame[static_cast<size_t>(fy) * 640 + fx] & 0xFFFFFFu) == (source & 0xFFFFFFu))
                ++match.matching;
        }
    }
    return match;
}

RECT FontCell(char c)
{
    const int cell = c - ' ';
    const int left = (cell % 20) * 16;
    const int top = (cell / 20) * 24;
    return RECT{left, top, left + 16, top + 24};
}
} // namespace test
