// Enemies: facing the player that is on the screen, walking by their row, leaving the playfield,
// being shot by landed player bullets, and firing on the gameplay state's signal.
#include "CBullet.h"
#include "CEnemy.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "CPlayer.h"
#include "GameEventIDs.h"

#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_WaveManager.h"

#include "PlayBench.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// The clockwise angle from straight up to the direction (dx, dy), y growing downwards.
float ClockwiseFromUp(float dx, float dy)
{
    return std::atan2(dx, -dy);
}

class EnemyInPlayTest : public ::testing::Test
{
protected:
    void SetUp() override { game.StartEmptyGame(5); }

    headless::PlayBench game;
};

// An enemy made outside play: no player exists, the playfield is 640 x 480.
CEnemy* LooseEnemy(float x, float y)
{
    auto* enemy = new CEnemy;
    enemy->SetPosX(x);
    enemy->SetPosY(y);
    enemy->SetWidth(32);
    enemy->SetHeight(32);
    return enemy;
}
} // namespace

TEST_F(EnemyInPlayTest, EnemiesFaceThePlayerUpRightLeftDownAndStraightUpOnItsOwnPlace)
{
    // The player stands at (300, 400).
    CEnemy* below = game.AddStandingShooter(300.0f, 450.0f);
    CEnemy* left = game.AddStandingShooter(200.0f, 400.0f);
    CEnemy* right = game.AddStandingShooter(400.0f, 400.0f);
    CEnemy* above = game.AddStandingShooter(300.0f, 300.0f);
    CEnemy* same = game.AddStandingShooter(300.0f, 400.0f);
    CEnemy* aboveLeft = game.AddStandingShooter(200.0f, 300.0f);
    CEnemy* aboveRight = game.AddStandingShooter(400.0f, 300.0f);
    same->SetAngle(1.0f);
    game.Frame(0);
    EXPECT_NEAR(below->GetAngle(), 0.0f, 1e-6f) << "the player straight above";
    EXPECT_NEAR(left->GetAngle(), 1.5707964f, 1e-6f) << "the player to the right";
    EXPECT_NEAR(right->GetAngle(), -1.5707964f, 1e-6f) << "the player to the left";
    EXPECT_NEAR(above->GetAngle(), 3.1415927f, 1e-6f) << "the player straight below";
    EXPECT_FLOAT_EQ(same->GetAngle(), 0.0f) << "no direction at all";
    EXPECT_NEAR(aboveLeft->GetAngle(), ClockwiseFromUp(100.0f, 100.0f), 1e-5f);
    EXPECT_NEAR(aboveRight->GetAngle(), ClockwiseFromUp(-100.0f, 100.0f), 1e-5f);
}

TEST_F(EnemyInPlayTest, AfterARespawnEnemiesAimAtTheNewPlayer)
{
    CEnemy* shooter = game.AddStandingShooter(100.0f, 100.0f);
    game.Hold(SDL_SCANCODE_RIGHT);
    game.RunFor(2.0f, 100);
    game.Release(SDL_SCANCODE_RIGHT);
    game.Frame(0);
    CPlayer* old = game.Player();
    ASSERT_FLOAT_EQ(old->GetPosX(), 609.0f);
    EXPECT_EQ(shooter->GetTarget(), old);
    EXPECT_NEAR(shooter->GetAngle(), ClockwiseFromUp(509.0f, 300.0f), 1e-5f);

    // The old player is removed and destroyed; the new one stands at (300, 400).
    for (int i = 0; i < 40 && game.State()->IsBubbleUp(); ++i)
        game.Frame(100);
    game.AddReadyEnemyBullet(old->GetPosX(), old->GetPosY());
    game.Frame(0);
    game.Frame(0);
    ASSERT_NE(game.Player(), nullptr);
    ASSERT_EQ(game.State()->GetLives(), 2);
    game.Frame(16);
    EXPECT_EQ(shooter->GetTarget(), game.Player());
    EXPECT_NEAR(shooter->GetAngle(), ClockwiseFromUp(200.0f, 300.0f), 1e-5f);
}

TEST(EnemyTest, SetTargetHoldsOneReferenceOnItsTargetAndIgnoresNull)
{
    CEnemy* enemy = LooseEnemy(100.0f, 100.0f);
    auto* first = new CEnemy;
    auto* second = new CEnemy;
    enemy->SetTarget(first);
    EXPECT_EQ(first->GetRefCount(), 2u);
    enemy->SetTarget(first);
    EXPECT_EQ(first->GetRefCount(), 2u) << "the same target again takes nothing more";
    enemy->SetTarget(nullptr);
    EXPECT_EQ(enemy->GetTarget(), first);
    enemy->SetTarget(second);
    EXPECT_EQ(first->GetRefCount(), 1u);
    EXPECT_EQ(second->GetRefCount(), 2u);
    enemy->Release();
    EXPECT_EQ(second->GetRefCount(), 1u) << "released with the enemy";
    first->Release();
    second->Release();
}

TEST(EnemyTest, AWalkerSetsOneVelocityComponentByItsRowAndAShooterNone)
{
    struct Case
    {
        int row;
        bool shooter;
        float velX, velY;
    };
    const Case cases[] = {
        {0, false, 0.0f, 80.0f},  {1, false, -70.0f, 20.0f}, {2, false, 70.0f, 20.0f},
        {3, false, 0.0f, -40.0f}, {7, false, 0.0f, 20.0f},   {3, true, 0.0f, 20.0f},
    };
    for (const Case& c : cases)
    {
        CEnemy* enemy = LooseEnemy(320.0f, 240.0f);
        enemy->SetVelY(20.0f);
        enemy->SetShooter(c.shooter);
        enemy->GetAnimation().SetRow(c.row);
        enemy->Update(0.5f);
        EXPECT_FLOAT_EQ(enemy->GetVelX(), c.velX) << "row " << c.row;
        EXPECT_FLOAT_EQ(enemy->GetVelY(), c.velY) << "row " << c.row;
        EXPECT_FLOAT_EQ(enemy->GetPosX(), 320.0f + c.velX * 0.5f);
        EXPECT_FLOAT_EQ(enemy->GetPosY(), 240.0f + c.velY * 0.5f);
        enemy->Release();
    }
}

TEST(EnemyTest, AnEnemyAsksToGoEveryFramePastTheSidesOrTheBottomButNotAboveTheTop)
{
    CVKT_MessageSystem* messages = CVKT_MessageSystem::GetInstance();
    messages->ClearMessages();
    struct Case
    {
        float x, y;
        size_t messages;
    };
    const Case cases[] = {{100.0f, 480.0f, 0}, {100.0f, 480.5f, 1}, {-0.5f, 100.0f, 1},
                          {640.5f, 100.0f, 1}, {640.0f, 0.0f, 0},   {100.0f, -60.0f, 0}};
    for (const Case& c : cases)
    {
        CEnemy* enemy = LooseEnemy(c.x, c.y);
        enemy->SetShooter(true);
        enemy->Update(0.0f);
        EXPECT_EQ(messages->GetQueuedCount(), c.messages) << c.x << ", " << c.y;
        enemy->Update(0.0f);
        EXPECT_EQ(messages->GetQueuedCount(), 2 * c.messages) << "again every frame";
        messages->ClearMessages();
        enemy->Release();
    }
}

TEST_F(EnemyInPlayTest, AShooterNeverAnimatesAWalkerDoes)
{
    CEnemy* shooter = game.AddStandingShooter(100.0f, 100.0f);
    shooter->GetAnimation().SetRow(3);
    CEnemy* walker = game.AddStandingShooter(400.0f, 100.0f);
    walker->SetShooter(false);
    walker->SetVelY(20.0f);
    ASSERT_TRUE(shooter->GetAnimation().IsPlaying());
    game.Frame(100);
    game.Frame(100);
    EXPECT_EQ(shooter->GetAnimation().GetCurFrame(), 0);
    EXPECT_FLOAT_EQ(shooter->GetVelY(), 0.0f);
    EXPECT_FLOAT_EQ(shooter->GetPosY(), 100.0f);
    EXPECT_EQ(walker->GetAnimation().GetCurFrame(), 1);
    EXPECT_FLOAT_EQ(walker->GetVelY(), 80.0f);
}

TEST_F(EnemyInPlayTest, APlayerBulletPassesOverAnEnemyUntilItHasLandedThenScoresAndTheEnemyIsReplaced)
{
    CEnemy* target = game.AddStandingShooter(100.0f, 200.0f);
    CVKT_MessageSystem::GetInstance()->SendMsg(new CCreatePlayerBulletMessage(100.0f, 190.0f));
    game.Frame(0);
    ASSERT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u);
    CBullet* bullet = game.Bullets(OBJ_PLAYER_BULLET).front();
    int frames = 0;
    while (frames < 40)
    {
        game.Frame(50);
        ++frames;
        if (bullet->CanHit())
            break;
        EXPECT_EQ(game.State()->GetScore(), 0);
        ASSERT_EQ(game.Enemies().size(), 1u);
        EXPECT_EQ(game.Enemies().front(), target);
    }
    EXPECT_GE(frames, 25) << "about 1.25 s of fall";
    EXPECT_EQ(game.State()->GetScore(), 10);
    ASSERT_EQ(game.Enemies().size(), 1u) << "replaced within the same frame";
    const CEnemy* replacement = game.Enemies().front();
    EXPECT_TRUE(replacement->GetPosY() <= 0.0f || replacement->GetPosY() == 480.0f)
        << "a new enemy at the top edge (or the bottom, walking up)";
    ASSERT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u) << "the bullet flies on";
}

TEST_F(EnemyInPlayTest, OneLandedBulletHitsEveryEnemyItTouches)
{
    game.AddStandingShooter(100.0f, 200.0f);
    game.AddStandingShooter(104.0f, 204.0f);
    CVKT_MessageSystem::GetInstance()->SendMsg(new CCreatePlayerBulletMessage(100.0f, 190.0f));
    game.Frame(0);
    for (int i = 0; i < 40 && game.State()->GetScore() == 0; ++i)
        game.Frame(50);
    EXPECT_EQ(game.State()->GetScore(), 20);
    EXPECT_EQ(game.Enemies().size(), 2u);
    EXPECT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u);
}

TEST_F(EnemyInPlayTest, OnTheSignalOnlyShootersFireAlongTheirFacingWithOneShotSoundAtATime)
{
    CEnemy* rockThrower = game.AddStandingShooter(100.0f, 100.0f);
    CEnemy* hunter = game.AddStandingShooter(500.0f, 100.0f);
    hunter->SetHunter(true);
    CEnemy* walker = game.AddStandingShooter(300.0f, 200.0f);
    walker->SetShooter(false);
    walker->GetAnimation().SetRow(7); // stands
    CGamePlayState::SetEnemyFireTimer(2.99f);
    game.Frame(16); // the signal is sent, and the shooters ask for their bullets
    EXPECT_TRUE(game.Bullets(OBJ_ENEMY_BULLET).empty());
    game.Frame(0);
    ASSERT_EQ(game.Bullets(OBJ_ENEMY_BULLET).size(), 2u) << "the walker did not fire";

    for (CBullet* bullet : game.Bullets(OBJ_ENEMY_BULLET))
    {
        const bool fromHunter = bullet->GetPosX() > 300.0f;
        const float speed = fromHunter ? 200.0f : 100.0f;
        const float dx = 300.0f - (fromHunter ? 500.0f : 100.0f);
        const float dy = 300.0f;
        const float length = std::sqrt(dx * dx + dy * dy);
        EXPECT_NEAR(bullet->GetVelX(), speed * dx / length, 0.01f);
        EXPECT_NEAR(bullet->GetVelY(), speed * dy / length, 0.01f);
        EXPECT_EQ(bullet->GetWidth(), fromHunter ? 24 : 16);
    }

    const int sound = rockThrower->GetShotSoundID();
    if (sound == -1)
        GTEST_SKIP() << "no sound device: the shot sound cannot be heard here";
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
    EXPECT_TRUE(waves->IsWavePlaying(sound));
    EXPECT_EQ(waves->GetChannelCount(), 0) << "the second shooter started no copy of the sound";
}
