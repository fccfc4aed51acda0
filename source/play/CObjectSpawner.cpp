#include "CObjectSpawner.h"

#include "CBullet.h"
#include "CEnemy.h"
#include "CEnemyBird.h"
#include "CGameMessages.h"
#include "CPlayer.h"
#include "CPowerup.h"
#include "GameResourceFiles.h"

#include "CVKT_ObjectFactory.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectManager.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace
{
using ObjectFactory = CVKT_ObjectFactory<std::string, CBase>;

constexpr int KEEP_TYPE = -1; // the type number the class's constructor gives
constexpr VKT_COLOR BLACK_KEY = VKT_ARGB(255, 0, 0, 0);
constexpr VKT_COLOR WHITE_KEY = VKT_ARGB(255, 255, 255, 255);
constexpr float HALF_PI = 1.5707964f;

// Enemies start on one of the top rows; a walker walking up (direction 3) starts at the bottom.
constexpr int ENEMY_START_ROWS = 5;
constexpr int ENEMY_DIRECTIONS = 4;
constexpr int WALKING_UP = 3;
constexpr int HUNTER_VARIANT = 1;
constexpr int SHOOTER_VARIANT = 0;

// The frames of an animation sheet. nBlocksPerRow 0: one plain strip of frames.
struct tSheet
{
    const char* szFile;
    int nFrames;
    int nFrameWidth;
    int nFrameHeight;
    int nColumns;
    int nBlockWidth;
    int nBlockHeight;
    int nBlocksPerRow;
};

// An enemy kind's random choices: one in nShooterOdds is a shooter (0: never, and nothing drawn),
// one shooter in nHunterOdds a hunter (0: never, nothing drawn); the others' variant is one of
// nVariants from nFirstVariant.
struct tEnemyChoices
{
    int nShooterOdds;
    int nHunterOdds;
    int nVariants;
    int nFirstVariant;
};

enum eSpawnKind
{
    PLAYER,
    ENEMY_LEVEL_1,
    ENEMY_LEVEL_2,
    SWIMMER,
    PLAYER_BULLET,
    ROCK,
    HUNTER_BULLET,
    ENEMY_BIRD,
    POWERUP,
    SPAWN_KINDS
};

// The starting values of one kind of object. Position, velocity and size replace the constructor's;
// the scale too when given. Image, scale rate and hit sound are a bullet's, speed the player's
// steering speed or a bullet's speed along its angle.
struct tSpawnRow
{
    eSpawnKind eKind;
    const char* szClass;
    int nType;
    float fPosX;
    float fPosY;
    float fVelX;
    float fVelY;
    int nWidth;
    int nHeight;
    std::optional<float> fScale;
    float fScaleRate;
    float fSpeed;
    const char* szImage;
    VKT_COLOR dwImageKey;
    const char* szHitSound;
    tSheet sheet;
    tEnemyChoices enemy;
};

constexpr tSheet NO_SHEET = {nullptr, 0, 0, 0, 0, 0, 0, 0};
constexpr tEnemyChoices NO_CHOICES = {0, 0, 0, 0};

// The player's scale is only a drawing-order key (above every bullet); it is drawn unscaled. Enemies
// move with the scrolling ground (20 pixels per second) and stand still on it.
// clang-format off
constexpr tSpawnRow SPAWN_TABLE[SPAWN_KINDS] = {
    // kind, class, type
    //     x, y, velocity x, velocity y, width, height, scale, scale rate, speed
    //     image, colour key, hit sound, sheet
    //     enemy choices: shooter odds, hunter odds, variants, first variant
    {PLAYER, "CPlayer", KEEP_TYPE,
        300.0f, 400.0f, 0.0f, 0.0f, 62, 53, 1.5f, 0.0f, 200.0f,
        nullptr, 0, nullptr, {IMAGE_PLAYER, 4, 62, 53, 4, 0, 0, 0},
        NO_CHOICES},
    {ENEMY_LEVEL_1, "CEnemy", KEEP_TYPE,
        0.0f, 0.0f, 0.0f, 20.0f, 32, 32, std::nullopt, 0.0f, 0.0f,
        nullptr, 0, nullptr, {IMAGE_ENEMIES, 4, 32, 32, 4, 128, 128, 8},
        {12, 0, 57, 2}},
    {ENEMY_LEVEL_2, "CEnemy", KEEP_TYPE,
        0.0f, 0.0f, 0.0f, 20.0f, 32, 32, std::nullopt, 0.0f, 0.0f,
        nullptr, 0, nullptr, {IMAGE_ENEMIES, 4, 32, 32, 4, 128, 128, 8},
        {12, 3, 57, 2}},
    {SWIMMER, "CEnemy", KEEP_TYPE,
        0.0f, 0.0f, 0.0f, 20.0f, 32, 32, std::nullopt, 0.0f, 0.0f,
        nullptr, 0, nullptr, {IMAGE_SWIMMERS, 4, 32, 32, 4, 128, 128, 2},
        {0, 0, 4, 0}},
    {PLAYER_BULLET, "CBullet", OBJ_PLAYER_BULLET,
        0.0f, 0.0f, 0.0f, 26.0f, 16, 32, 1.0f, -0.4f, 0.0f,
        IMAGE_PLAYER_BULLET, BLACK_KEY, SOUND_HIT, NO_SHEET,
        NO_CHOICES},
    {ROCK, "CBullet", OBJ_ENEMY_BULLET,
        0.0f, 0.0f, 0.0f, 0.0f, 16, 16, 0.0f, 0.4f, 100.0f,
        IMAGE_ROCK, BLACK_KEY, SOUND_HIT, NO_SHEET,
        NO_CHOICES},
    {HUNTER_BULLET, "CBullet", OBJ_ENEMY_BULLET,
        0.0f, 0.0f, 0.0f, 0.0f, 24, 26, 0.0f, 0.8f, 200.0f,
        IMAGE_HUNTER_BULLET, WHITE_KEY, SOUND_HIT, NO_SHEET,
        NO_CHOICES},
    {ENEMY_BIRD, "CEnemyBird", KEEP_TYPE,
        0.0f, -100.0f, 0.0f, 40.0f, 46, 34, std::nullopt, 0.0f, 0.0f,
        nullptr, 0, nullptr, {IMAGE_ENEMY_BIRDS, 2, 46, 34, 2, 0, 0, 0},
        NO_CHOICES},
    {POWERUP, "CPowerup", KEEP_TYPE,
        0.0f, -100.0f, 0.0f, 40.0f, 46, 34, std::nullopt, 0.0f, 0.0f,
        nullptr, 0, nullptr, NO_SHEET,
        NO_CHOICES},
};
// clang-format on

constexpr bool RowsInKindOrder()
{
    for (int kind = 0; kind < SPAWN_KINDS; ++kind)
    {
        if (SPAWN_TABLE[kind].eKind != kind)
            return false;
    }
    return true;
}
static_assert(RowsInKindOrder(), "every row of the spawn table sits at the index of its kind");

const tSpawnRow& EnemyRow(int nLevel)
{
    if (nLevel == 3)
        return SPAWN_TABLE[SWIMMER];
    return SPAWN_TABLE[nLevel == 2 ? ENEMY_LEVEL_2 : ENEMY_LEVEL_1];
}

void ApplyBody(CBase& object, const tSpawnRow& row)
{
    if (row.nType != KEEP_TYPE)
        object.SetType(row.nType);
    object.SetPosX(row.fPosX);
    object.SetPosY(row.fPosY);
    object.SetVelX(row.fVelX);
    object.SetVelY(row.fVelY);
    object.SetWidth(row.nWidth);
    object.SetHeight(row.nHeight);
    if (row.fScale)
        object.SetScale(*row.fScale);
}

void LoadStrip(CAnimation& animation, const tSheet& sheet)
{
    animation.Load(sheet.szFile, sheet.nFrames, sheet.nFrameWidth, sheet.nFrameHeight, sheet.nColumns);
}

// What each class takes from its row beyond the body.
void ApplyKind(CPlayer& player, const tSpawnRow& row)
{
    player.SetSpeed(row.fSpeed);
    LoadStrip(player.GetAnimation(), row.sheet);
}

void ApplyKind(CEnemy& enemy, const tSpawnRow& row)
{
    const tSheet& sheet = row.sheet;
    enemy.GetAnimation().LoadSheet(sheet.szFile, sheet.nFrames, sheet.nFrameWidth, sheet.nFrameHeight,
                                   sheet.nColumns, sheet.nBlockHeight, sheet.nBlockWidth,
                                   sheet.nBlocksPerRow);
}

void ApplyKind(CEnemyBird& bird, const tSpawnRow& row)
{
    LoadStrip(bird.GetAnimation(), row.sheet);
}

void ApplyKind(CBullet& bullet, const tSpawnRow& row)
{
    bullet.SetImageID(CVKT_TextureManager::GetInstance()->LoadTexture(row.szImage, row.dwImageKey));
    bullet.SetScaleRate(row.fScaleRate);
    bullet.SetHitSoundID(CVKT_WaveManager::GetInstance()->LoadWave(row.szHitSound));
    bullet.SetCanHit(false);
}

void ApplyKind(CPowerup&, const tSpawnRow&) {}

// A new object of the row's class with the row's values, or null when the name is not registered
// (or names another class). The caller owns the one reference.
template <typename T>
T* Make(const tSpawnRow& row)
{
    CBase* pObject = ObjectFactory::GetInstance()->CreateObject(row.szClass);
    if (!pObject)
        return nullptr;
    T* pTyped = dynamic_cast<T*>(pObject);
    if (!pTyped)
    {
        pObject->Release();
        return nullptr;
    }
    ApplyBody(*pTyped, row);
    ApplyKind(*pTyped, row);
    return pTyped;
}

// Hands a made object to the object manager, which takes its own reference, and drops the maker's.
template <typename T>
T* AddAndRelease(T* pObject)
{
    pObject->SetActive(true);
    CVKT_ObjectManager::GetInstance()->AddObject(pObject);
    pObject->Release();
    return pObject;
}

float DrawX(int nScreenWidth)
{
    return static_cast<float>(std::rand() % nScreenWidth);
}

void DrawEnemyChoices(CEnemy& enemy, const tEnemyChoices& choices, int nScreenHeight)
{
    enemy.SetShooter(choices.nShooterOdds > 0 && std::rand() % choices.nShooterOdds == 0);
    enemy.SetHunter(false);
    CBlockAnimation& animation = enemy.GetAnimation();
    if (enemy.IsShooter())
    {
        if (choices.nHunterOdds > 0)
            enemy.SetHunter(std::rand() % choices.nHunterOdds == 0);
        animation.SetVariant(enemy.IsHunter() ? HUNTER_VARIANT : SHOOTER_VARIANT);
        animation.SetRow(0);
        return;
    }
    const int nDirection = std::rand() % ENEMY_DIRECTIONS;
    animation.SetRow(nDirection);
    if (nDirection == WALKING_UP)
        enemy.SetPosY(static_cast<float>(nScreenHeight));
    animation.SetVariant(std::rand() % choices.nVariants + choices.nFirstVariant);
}
} // namespace

void CObjectSpawner::RegisterClasses()
{
    ObjectFactory* pFactory = ObjectFactory::GetInstance();
    pFactory->RegisterClassType<CBase>("CBase");
    pFactory->RegisterClassType<CPlayer>("CPlayer");
    pFactory->RegisterClassType<CEnemy>("CEnemy");
    pFactory->RegisterClassType<CBullet>("CBullet");
    pFactory->RegisterClassType<CEnemyBird>("CEnemyBird");
    pFactory->RegisterClassType<CPowerup>("CPowerup");
}

void CObjectSpawner::UnregisterPlayClasses()
{
    ObjectFactory* pFactory = ObjectFactory::GetInstance();
    pFactory->UnregisterClassType("CBase");
    pFactory->UnregisterClassType("CPlayer");
    pFactory->UnregisterClassType("CEnemy");
    pFactory->UnregisterClassType("CBullet");
}

CPlayer* CObjectSpawner::SpawnPlayer()
{
    CPlayer* pPlayer = Make<CPlayer>(SPAWN_TABLE[PLAYER]);
    return pPlayer ? AddAndRelease(pPlayer) : nullptr;
}

CEnemy* CObjectSpawner::SpawnEnemy(int nLevel, CBase* pTarget, int nScreenWidth, int nScreenHeight)
{
    const tSpawnRow& row = EnemyRow(nLevel);
    CEnemy* pEnemy = Make<CEnemy>(row);
    if (!pEnemy)
        return nullptr;
    pEnemy->SetPosX(DrawX(nScreenWidth));
    pEnemy->SetPosY(-static_cast<float>(std::rand() % ENEMY_START_ROWS));
    pEnemy->SetTarget(pTarget);
    DrawEnemyChoices(*pEnemy, row.enemy, nScreenHeight);
    return AddAndRelease(pEnemy);
}

CEnemyBird* CObjectSpawner::SpawnEnemyBird(int nScreenWidth)
{
    CEnemyBird* pBird = Make<CEnemyBird>(SPAWN_TABLE[ENEMY_BIRD]);
    if (!pBird)
        return nullptr;
    pBird->SetPosX(DrawX(nScreenWidth));
    return AddAndRelease(pBird);
}

CPowerup* CObjectSpawner::SpawnPowerup(int nScreenWidth)
{
    CPowerup* pPowerup = Make<CPowerup>(SPAWN_TABLE[POWERUP]);
    if (!pPowerup)
        return nullptr;
    pPowerup->SetPosX(DrawX(nScreenWidth));
    return AddAndRelease(pPowerup);
}

CBullet* CObjectSpawner::SpawnPlayerBullet(float fX, float fY)
{
    CBullet* pBullet = Make<CBullet>(SPAWN_TABLE[PLAYER_BULLET]);
    if (!pBullet)
        return nullptr;
    pBullet->SetPosX(fX);
    pBullet->SetPosY(fY);
    return AddAndRelease(pBullet);
}

CBullet* CObjectSpawner::SpawnEnemyBullet(float fX, float fY, float fAngle, bool bHunter)
{
    const tSpawnRow& row = SPAWN_TABLE[bHunter ? HUNTER_BULLET : ROCK];
    CBullet* pBullet = Make<CBullet>(row);
    if (!pBullet)
        return nullptr;
    // Angle 0 is straight up the screen; the quarter turn maps it onto the x axis of cos and sin.
    const float fDirection = fAngle - HALF_PI;
    pBullet->SetVelX(row.fSpeed * std::cos(fDirection));
    pBullet->SetVelY(row.fSpeed * std::sin(fDirection));
    pBullet->SetPosX(fX);
    pBullet->SetPosY(fY);
    return AddAndRelease(pBullet);
}

void CObjectSpawner::Despawn(const CObjectReferenceMessage& destroy)
{
    CVKT_ObjectManager::GetInstance()->RemoveObject(destroy.GetObject());
    if (destroy.GetMsgID() == MSG_DESTROY_ENEMY)
        CVKT_MessageSystem::GetInstance()->SendMsg(new CCreateEnemyMessage);
    else if (destroy.GetMsgID() == MSG_DESTROY_ENEMY_BIRD)
        CVKT_MessageSystem::GetInstance()->SendMsg(new CCreateEnemyBirdMessage);
}
