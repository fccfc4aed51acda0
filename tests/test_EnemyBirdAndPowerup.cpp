// Enemy birds and power-ups: how the handler makes them (with their random numbers), how they cross
// the playfield and leave it, and what touches them.
#include "CBullet.h"
#include "CEnemyBird.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "CPlayer.h"
#include "CPowerup.h"

#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectFactory.h"
#include "CVKT_ObjectManager.h"
#include "CVKT_TextureManager.h"

#include "PlayBench.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
template <typename T>
std::vector<T*> ObjectsOf()
{
    std::vector<T*> found;
    for (CBase* object : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        if (auto* typed = dynamic_cast<T*>(object))
            found.push_back(typed);
    }
    return found;
}

class BirdAndPowerupTest : public ::testing::Test
{
protected:
    void SetUp() override { game.StartEmptyGame(21); }

    void Send(CBaseMessage* message)
    {
        CVKT_MessageSystem::GetInstance()->SendMsg(message);
        CVKT_MessageSystem::GetInstance()->ProcessMessages();
    }

    // A player bullet that has landed, standing still at (x, y).
    void AddLandedPlayerBullet(float x, float y)
    {
        CBullet* bullet = game.AddReadyEnemyBullet(x, y);
        bullet->SetType(OBJ_PLAYER_BULLET);
    }

    int SameTextureAs(const char* file)
    {
        CVKT_TextureManager* textures = CVKT_TextureManager::GetInstance();
        const int id = textures->LoadTexture(file, 0);
        textures->UnloadTexture(id);
        return id;
    }

    headless::PlayBench game;
};
} // namespace

TEST_F(BirdAndPowerupTest, ABirdIsMadeAboveTheTopAtARandomColumnFlyingDownAndFlapping)
{
    std::srand(8);
    const int column = std::rand() % 640;
    std::srand(8);
    Send(new CCreateEnemyBirdMessage);
    ASSERT_EQ(ObjectsOf<CEnemyBird>().size(), 1u);
    CEnemyBird* bird = ObjectsOf<CEnemyBird>().front();
    EXPECT_EQ(bird->GetType(), OBJ_ENEMY_BIRD);
    EXPECT_FLOAT_EQ(bird->GetPosX(), static_cast<float>(column));
    EXPECT_FLOAT_EQ(bird->GetPosY(), -100.0f);
    EXPECT_FLOAT_EQ(bird->GetVelX(), 0.0f);
    EXPECT_FLOAT_EQ(bird->GetVelY(), 40.0f);
    EXPECT_EQ(bird->GetWidth(), 46);
    EXPECT_EQ(bird->GetHeight(), 34);
    EXPECT_TRUE(bird->GetActive());
    EXPECT_EQ(bird->GetAnimation().GetImageID(), SameTextureAs("Resource/Graphics/OxM_EnemyBirds.png"));

    // Frames 0 and 1 in turn, 0.16 s each: two 80 ms frames apiece.
    std::vector<int> shown;
    for (int i = 0; i < 8; ++i)
    {
        game.Frame(80);
        shown.push_back(bird->GetAnimation().GetCurFrame());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 1, 0, 0, 1, 1, 0}));
}

TEST_F(BirdAndPowerupTest, ABirdThatPassesTheBottomIsReplacedSoOneIsAlwaysThere)
{
    Send(new CCreateEnemyBirdMessage);
    CEnemyBird* first = ObjectsOf<CEnemyBird>().front();
    first->SetPosX(320.0f);
    first->AddRef(); // to tell it from its replacement afterwards
    game.RunFor(14.4f, 100);
    ASSERT_EQ(ObjectsOf<CEnemyBird>().size(), 1u);
    EXPECT_EQ(ObjectsOf<CEnemyBird>().front(), first) << "at y = 476 it is still inside";
    game.RunFor(0.3f, 100);
    ASSERT_EQ(ObjectsOf<CEnemyBird>().size(), 1u);
    EXPECT_NE(ObjectsOf<CEnemyBird>().front(), first);
    EXPECT_LT(ObjectsOf<CEnemyBird>().front()->GetPosY(), -90.0f);
    EXPECT_EQ(first->GetRefCount(), 1u) << "removed from play and released by its message";
    first->Release();
}

TEST_F(BirdAndPowerupTest, ShotsPassThroughBirds)
{
    Send(new CCreateEnemyBirdMessage);
    CEnemyBird* bird = ObjectsOf<CEnemyBird>().front();
    bird->SetPosX(200.0f);
    bird->SetPosY(200.0f);
    bird->SetVelY(0.0f);
    AddLandedPlayerBullet(200.0f, 200.0f);
    game.AddReadyEnemyBullet(205.0f, 205.0f);
    game.RunFor(0.5f);
    ASSERT_EQ(ObjectsOf<CEnemyBird>().size(), 1u);
    EXPECT_EQ(ObjectsOf<CEnemyBird>().front(), bird);
    EXPECT_EQ(game.State()->GetScore(), 0);
    EXPECT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u);
    EXPECT_EQ(game.Bullets(OBJ_ENEMY_BULLET).size(), 1u);
}

TEST_F(BirdAndPowerupTest, APowerupsKindAndColumnAreItsTwoRandomNumbersInThatOrder)
{
    bool seen[2] = {false, false};
    for (unsigned int seed = 1; seed <= 12; ++seed)
    {
        std::srand(seed);
        const int first = std::rand();
        const int second = std::rand();
        std::srand(seed);
        Send(new CBaseMessage(MSG_CREATE_POWERUP));
        const std::vector<CPowerup*> powerups = ObjectsOf<CPowerup>();
        ASSERT_FALSE(powerups.empty());
        const CPowerup* made = powerups.back();
        const bool life = first % 2 == 0;
        seen[life] = true;
        EXPECT_EQ(made->GetType(), life ? OBJ_LIFE_POWERUP : OBJ_CHARGE_POWERUP) << "seed " << seed;
        EXPECT_EQ(made->GetImageID(), SameTextureAs(life ? "Resource/Graphics/OxM_PowLife.png"
                                                         : "Resource/Graphics/OxM_PowCharge.png"));
        EXPECT_FLOAT_EQ(made->GetPosX(), static_cast<float>(second % 640));
        EXPECT_FLOAT_EQ(made->GetPosY(), -100.0f);
        EXPECT_FLOAT_EQ(made->GetVelY(), 40.0f);
        EXPECT_EQ(made->GetWidth(), 46);
        EXPECT_EQ(made->GetHeight(), 34);
    }
    EXPECT_TRUE(seen[0] && seen[1]) << "both kinds came up";
}

TEST_F(BirdAndPowerupTest, APowerupFallsOutOfTheBottomAndIsNotReplaced)
{
    Send(new CBaseMessage(MSG_CREATE_POWERUP));
    CPowerup* powerup = ObjectsOf<CPowerup>().front();
    powerup->AddRef();
    game.RunFor(14.4f, 100);
    EXPECT_EQ(ObjectsOf<CPowerup>().size(), 1u) << "its centre is not yet past 480";
    game.RunFor(0.3f, 100);
    EXPECT_TRUE(ObjectsOf<CPowerup>().empty());
    EXPECT_EQ(powerup->GetRefCount(), 1u);
    powerup->Release();
}

TEST_F(BirdAndPowerupTest, AReadyEnemyBulletTakesAChargePowerupForThePlayerButNotALifePowerup)
{
    CPowerup* charge = nullptr;
    CPowerup* life = nullptr;
    for (int i = 0; i < 20 && !(charge && life); ++i)
    {
        Send(new CBaseMessage(MSG_CREATE_POWERUP));
        CPowerup* made = ObjectsOf<CPowerup>().back();
        (made->GetType() == OBJ_CHARGE_POWERUP ? charge : life) = made;
    }
    ASSERT_TRUE(charge && life);
    for (CPowerup* p : ObjectsOf<CPowerup>())
    {
        p->SetPosY(100.0f);
        p->SetVelY(0.0f);
    }
    charge->SetPosX(100.0f);
    life->SetPosX(500.0f);
    game.AddReadyEnemyBullet(100.0f, 100.0f);
    game.AddReadyEnemyBullet(500.0f, 100.0f);
    game.Frame(0);
    ASSERT_EQ(game.Bullets(OBJ_ENEMY_BULLET).size(), 1u);
    EXPECT_FLOAT_EQ(game.Bullets(OBJ_ENEMY_BULLET).front()->GetPosX(), 500.0f);
    EXPECT_EQ(game.State()->GetLives(), 3);
}

TEST_F(BirdAndPowerupTest, APowerupOverThePlayerChangesNothing)
{
    Send(new CBaseMessage(MSG_CREATE_POWERUP));
    CPowerup* powerup = ObjectsOf<CPowerup>().front();
    powerup->SetPosX(300.0f);
    powerup->SetPosY(390.0f);
    game.RunFor(0.5f, 100);
    EXPECT_EQ(ObjectsOf<CPowerup>().size(), 1u);
    EXPECT_FLOAT_EQ(powerup->GetPosY(), 410.0f) << "it keeps falling";
    EXPECT_TRUE(game.Player()->GetActive());
    EXPECT_EQ(game.State()->GetLives(), 3);
    EXPECT_NEAR(game.Player()->GetCharge(), 1.01f, 1e-4f) << "one refill step past full, nothing more";
}
