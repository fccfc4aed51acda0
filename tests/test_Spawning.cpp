// The gameplay state's message handler as the place where objects are made: every starting value,
// the order of the random numbers (checked against a model written from the rules, not from the
// handler), and what happens when a class cannot be made.
#include "CBullet.h"
#include "CEnemy.h"
#include "CEnemyBird.h"
#include "CGame.h"
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
using Factory = CVKT_ObjectFactory<std::string, CBase>;

// An enemy as the spawn rules describe it, drawn from rand in the order the rules give.
struct ExpectedEnemy
{
    float x = 0.0f;
    float y = 0.0f;
    bool shooter = false;
    bool hunter = false;
    int row = 0;
    int variant = 0;
};

ExpectedEnemy DrawEnemy(int level)
{
    ExpectedEnemy e;
    e.x = static_cast<float>(std::rand() % 640);
    e.y = -static_cast<float>(std::rand() % 5);
    // Swimmers never shoot, and no number is drawn for it.
    if (level != 3)
        e.shooter = std::rand() % 12 == 0;
    if (e.shooter)
    {
        if (level == 2)
            e.hunter = std::rand() % 3 == 0;
        e.variant = e.hunter ? 1 : 0;
        e.row = 0;
        return e;
    }
    e.row = std::rand() % 4;
    if (e.row == 3)
        e.y = 480.0f;
    e.variant = level == 3 ? std::rand() % 4 : std::rand() % 57 + 2;
    return e;
}

class SpawningTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::srand(3);
        CGamePlayState::SetEnemyFireTimer(0.0f);
        game.StartGame();
    }

    void GoToLevel(int level)
    {
        if (level == 2)
            game.Tap(SDL_SCANCODE_2);
        if (level == 3)
            game.Tap(SDL_SCANCODE_3);
        ASSERT_EQ(game.State()->GetLevel(), level);
        game.RemoveEnemies();
    }

    static void Process(std::vector<CBaseMessage*> messages)
    {
        for (CBaseMessage* message : messages)
            CVKT_MessageSystem::GetInstance()->SendMsg(message);
        CVKT_MessageSystem::GetInstance()->ProcessMessages();
    }

    static int TextureOf(const char* file)
    {
        CVKT_TextureManager* textures = CVKT_TextureManager::GetInstance();
        const int id = textures->LoadTexture(file, 0);
        textures->UnloadTexture(id);
        return id;
    }

    // Makes count enemies from one seed and compares each with the rules' reading of the same numbers.
    void CheckEnemies(int level, unsigned int seed, int count, int& shooters, int& hunters)
    {
        std::vector<CBaseMessage*> messages;
        for (int i = 0; i < count; ++i)
            messages.push_back(i % 2 ? new CCreateEnemyMessage : new CBaseMessage(MSG_CREATE_ENEMY));
        std::srand(seed);
        Process(messages);
        const int nextAfterHandler = std::rand();

        std::srand(seed);
        std::vector<ExpectedEnemy> expected;
        for (int i = 0; i < count; ++i)
            expected.push_back(DrawEnemy(level));
        EXPECT_EQ(nextAfterHandler, std::rand()) << "the handler drew exactly as many numbers as the rules";

        const std::vector<CEnemy*> made = game.Enemies();
        ASSERT_EQ(made.size(), static_cast<size_t>(count));
        const int sheet = TextureOf(level == 3 ? "Resource/Graphics/OxM_EnemySwimmers.png"
                                               : "Resource/Graphics/OxM_EnemyChar.png");
        for (int i = 0; i < count; ++i)
        {
            CEnemy* enemy = made[i];
            const ExpectedEnemy& e = expected[i];
            SCOPED_TRACE("level " + std::to_string(level) + ", enemy " + std::to_string(i));
            EXPECT_FLOAT_EQ(enemy->GetPosX(), e.x);
            EXPECT_FLOAT_EQ(enemy->GetPosY(), e.y);
            EXPECT_EQ(enemy->IsShooter(), e.shooter);
            EXPECT_EQ(enemy->IsHunter(), e.hunter);
            EXPECT_EQ(enemy->GetAnimation().GetRow(), e.row);
            EXPECT_EQ(enemy->GetAnimation().GetVariant(), e.variant);
            EXPECT_FLOAT_EQ(enemy->GetVelX(), 0.0f);
            EXPECT_FLOAT_EQ(enemy->GetVelY(), 20.0f);
            EXPECT_EQ(enemy->GetWidth(), 32);
            EXPECT_EQ(enemy->GetHeight(), 32);
            EXPECT_TRUE(enemy->GetActive());
            EXPECT_EQ(enemy->GetTarget(), game.Player());
            EXPECT_EQ(enemy->GetAnimation().GetImageID(), sheet);
            EXPECT_EQ(enemy->GetAnimation().GetBlocksPerRow(), level == 3 ? 2 : 8);
            EXPECT_EQ(enemy->GetAnimation().GetNumFrames(), 4);
            EXPECT_EQ(enemy->GetAnimation().GetFrameWidth(), 32);
            EXPECT_EQ(enemy->GetAnimation().GetColumns(), 4);
            EXPECT_EQ(enemy->GetAnimation().GetBlockWidth(), 128);
            EXPECT_EQ(enemy->GetAnimation().GetBlockHeight(), 128);
            shooters += enemy->IsShooter();
            hunters += enemy->IsHunter();
        }
    }

    headless::PlayBench game;
};
} // namespace

TEST_F(SpawningTest, LevelOneEnemiesDrawTheirNumbersInTheOrderOfTheRules)
{
    GoToLevel(1);
    int shooters = 0;
    int hunters = 0;
    CheckEnemies(1, 2024, 240, shooters, hunters);
    EXPECT_GT(shooters, 5) << "about one in twelve";
    EXPECT_LT(shooters, 45);
    EXPECT_EQ(hunters, 0) << "hunters only in level 2";
}

TEST_F(SpawningTest, LevelTwoShootersAreHuntersOneTimeInThree)
{
    GoToLevel(2);
    int shooters = 0;
    int hunters = 0;
    CheckEnemies(2, 77, 360, shooters, hunters);
    EXPECT_GT(shooters, 10);
    EXPECT_GT(hunters, 0);
    EXPECT_LT(hunters, shooters);
}

TEST_F(SpawningTest, LevelThreeMakesOnlySwimmersWithVariantsZeroToThree)
{
    GoToLevel(3);
    int shooters = 0;
    int hunters = 0;
    CheckEnemies(3, 4242, 240, shooters, hunters);
    EXPECT_EQ(shooters, 0);
    for (CEnemy* enemy : game.Enemies())
    {
        EXPECT_GE(enemy->GetAnimation().GetVariant(), 0);
        EXPECT_LE(enemy->GetAnimation().GetVariant(), 3);
    }
}

TEST_F(SpawningTest, EveryOtherKindDrawsOnlyItsOwnNumbers)
{
    // Bird: x. Power-up: its kind (in its constructor), then x. Player and bullets: nothing.
    const struct
    {
        const char* kind;
        CBaseMessage* (*make)();
        int draws;
    } cases[] = {
        {"player", [] { return new CBaseMessage(MSG_CREATE_PLAYER); }, 0},
        {"player bullet", []() -> CBaseMessage* { return new CCreatePlayerBulletMessage(10.0f, 10.0f); }, 0},
        {"rock", []() -> CBaseMessage* { return new CCreateEnemyBulletMessage(10.0f, 10.0f, 0.5f, false); },
         0},
        {"hunter bullet",
         []() -> CBaseMessage* { return new CCreateEnemyBulletMessage(1.0f, 1.0f, 0.5f, true); }, 0},
        {"enemy bird", []() -> CBaseMessage* { return new CCreateEnemyBirdMessage; }, 1},
        {"power-up", [] { return new CBaseMessage(MSG_CREATE_POWERUP); }, 2},
    };
    for (const auto& c : cases)
    {
        std::srand(31);
        for (int i = 0; i < c.draws; ++i)
            std::rand();
        const int next = std::rand();
        const size_t before = CVKT_ObjectManager::GetInstance()->GetObjects().size();
        std::srand(31);
        Process({c.make()});
        EXPECT_EQ(CVKT_ObjectManager::GetInstance()->GetObjects().size(), before + 1) << c.kind;
        EXPECT_EQ(std::rand(), next) << c.kind << " draws " << c.draws;
    }
}

TEST_F(SpawningTest, WhenAClassCannotBeMadeNothingIsMadeAndNoNumberIsDrawn)
{
    game.RemoveEnemies();
    Factory* factory = Factory::GetInstance();
    for (const char* name : {"CPlayer", "CEnemy", "CBullet", "CEnemyBird", "CPowerup"})
        ASSERT_TRUE(factory->UnregisterClassType(name));
    const size_t before = CVKT_ObjectManager::GetInstance()->GetObjects().size();
    std::srand(55);
    const int firstNumber = std::rand();
    std::srand(55);
    CEnemy* loose = new CEnemy;
    Process({new CBaseMessage(MSG_CREATE_ENEMY), new CCreateEnemyBirdMessage,
             new CBaseMessage(MSG_CREATE_PLAYER), new CCreatePlayerBulletMessage(10.0f, 10.0f),
             new CCreateEnemyBulletMessage(10.0f, 10.0f, 0.0f, true), new CBaseMessage(MSG_CREATE_POWERUP),
             new CDestroyEnemyMessage(loose)});
    loose->Release();
    EXPECT_EQ(CVKT_ObjectManager::GetInstance()->GetObjects().size(), before);
    EXPECT_EQ(std::rand(), firstNumber);
    EXPECT_NE(game.Player(), nullptr) << "the player in play is still the one";
    game.Frame();
    game.StartGame(); // registers the classes again
    EXPECT_EQ(game.Enemies().size(), 10u);
}

TEST_F(SpawningTest, MessagesWithoutTheirDataAndUnknownIdsChangeNothing)
{
    const size_t before = CVKT_ObjectManager::GetInstance()->GetObjects().size();
    Process({new CBaseMessage(MSG_CREATE_PLAYER_BULLET), new CBaseMessage(MSG_CREATE_ENEMY_BULLET),
             new CBaseMessage(MSG_DESTROY_ENEMY), new CBaseMessage(MSG_DESTROY_PLAYER),
             new CBaseMessage(MSG_DESTROY_BULLET), new CBaseMessage(MSG_DESTROY_ENEMY_BIRD),
             new CBaseMessage(MSG_DESTROY_POWERUP), new CBaseMessage(42)});
    EXPECT_EQ(CVKT_ObjectManager::GetInstance()->GetObjects().size(), before);
    EXPECT_NE(game.Player(), nullptr);
}

TEST_F(SpawningTest, LeavingTheScreenUnregistersTheFourCoreClassesOnly)
{
    game.Game()->ChangeState(nullptr);
    EXPECT_TRUE(CVKT_ObjectManager::GetInstance()->GetObjects().empty());
    EXPECT_EQ(game.Player(), nullptr);
    Factory* factory = Factory::GetInstance();
    for (const char* name : {"CBase", "CPlayer", "CEnemy", "CBullet"})
        EXPECT_EQ(factory->CreateObject(name), nullptr) << name;
    for (const char* name : {"CEnemyBird", "CPowerup"})
    {
        CBase* object = factory->CreateObject(name);
        EXPECT_NE(object, nullptr) << name;
        if (object)
            object->Release();
    }
    // A replacement asked for after the screen has gone makes nothing.
    Process({new CCreateEnemyMessage});
    EXPECT_TRUE(CVKT_ObjectManager::GetInstance()->GetObjects().empty());
}
