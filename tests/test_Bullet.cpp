// Bullets: the scale rules that fake depth and decide when a bullet can hit, leaving the playfield,
// hitting the player, the values the message handler gives each kind, and drawing to scale.
#include "CBullet.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "CPlayer.h"

#include "CVKT_MessageSystem.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"

#include "Files.h"
#include "PlayBench.h"
#include "RendererBench.h"

#include <gtest/gtest.h>

namespace
{
CBullet* LooseBullet(float scale, float rate)
{
    auto* bullet = new CBullet;
    bullet->SetPosX(320.0f);
    bullet->SetPosY(240.0f);
    bullet->SetScale(scale);
    bullet->SetScaleRate(rate);
    return bullet;
}

// Seconds of 50 ms updates until the bullet can hit. Checks on the way that it becomes able to hit
// in the first update that starts with the scale at its limit, and overshoots by one step at most.
float SecondsUntilReady(float scale, float rate)
{
    CBullet* bullet = LooseBullet(scale, rate);
    const float step = 0.05f;
    const float change = rate > 0.0f ? rate * step : -rate * 2.0f * step;
    int updates = 0;
    while (!bullet->CanHit() && updates < 200)
    {
        const float before = bullet->GetScale();
        const bool atLimit = rate > 0.0f ? before >= 1.0f : before <= 0.0f;
        bullet->Update(step);
        ++updates;
        EXPECT_EQ(bullet->CanHit(), atLimit) << "update " << updates;
        EXPECT_GT(bullet->GetScale(), -change - 1e-6f);
        EXPECT_LT(bullet->GetScale(), 1.0f + change + 1e-6f);
    }
    const float settled = bullet->GetScale();
    bullet->Update(step);
    EXPECT_TRUE(bullet->CanHit()) << "it stays able to hit";
    EXPECT_FLOAT_EQ(bullet->GetScale(), settled) << "and its scale no longer changes";
    CVKT_MessageSystem::GetInstance()->ClearMessages();
    bullet->Release();
    return updates * step;
}

class BulletInPlayTest : public ::testing::Test
{
protected:
    void SetUp() override { game.StartEmptyGame(17); }

    CBullet* MakeBullet(CBaseMessage* message, int type)
    {
        CVKT_MessageSystem::GetInstance()->SendMsg(message);
        game.Frame(0);
        const std::vector<CBullet*> bullets = game.Bullets(type);
        return bullets.empty() ? nullptr : bullets.back();
    }

    headless::PlayBench game;
};
} // namespace

TEST(BulletTest, AShrinkingBulletChangesAtTwiceItsRateAndAGrowingOneAtItsRate)
{
    CBullet* shot = LooseBullet(1.0f, -0.4f);
    shot->Update(0.5f);
    EXPECT_FLOAT_EQ(shot->GetScale(), 0.6f);
    shot->Release();
    CBullet* rock = LooseBullet(0.0f, 0.4f);
    rock->Update(0.5f);
    EXPECT_FLOAT_EQ(rock->GetScale(), 0.2f);
    rock->Release();
}

TEST(BulletTest, APlayerShotAndAHunterBulletAreReadyAfterAbout1Point25SecondsARockAfter2Point5)
{
    EXPECT_NEAR(SecondsUntilReady(1.0f, -0.4f), 1.3f, 0.051f);
    EXPECT_NEAR(SecondsUntilReady(0.0f, 0.8f), 1.3f, 0.051f);
    EXPECT_NEAR(SecondsUntilReady(0.0f, 0.4f), 2.55f, 0.051f);
}

TEST(BulletTest, ABulletOutsideThePlayfieldOnAnySideAsksToGoEveryFrame)
{
    CVKT_MessageSystem* messages = CVKT_MessageSystem::GetInstance();
    messages->ClearMessages();
    struct Case
    {
        float x, y;
        size_t messages;
    };
    const Case cases[] = {{-0.5f, 100.0f, 1},  {640.5f, 100.0f, 1}, {100.0f, -0.5f, 1},
                          {100.0f, 480.5f, 1}, {0.0f, 0.0f, 0},     {640.0f, 480.0f, 0}};
    for (const Case& c : cases)
    {
        CBullet* bullet = LooseBullet(1.0f, -0.4f);
        bullet->SetPosX(c.x);
        bullet->SetPosY(c.y);
        bullet->Update(0.0f);
        EXPECT_EQ(messages->GetQueuedCount(), c.messages) << c.x << ", " << c.y;
        bullet->Update(0.0f);
        EXPECT_EQ(messages->GetQueuedCount(), 2 * c.messages);
        messages->ClearMessages();
        bullet->Release();
    }
}

TEST_F(BulletInPlayTest, TheHandlerGivesEachKindItsValues)
{
    CVKT_TextureManager* textures = CVKT_TextureManager::GetInstance();
    CBullet* shot = MakeBullet(new CCreatePlayerBulletMessage(120.0f, 80.0f), OBJ_PLAYER_BULLET);
    ASSERT_NE(shot, nullptr);
    EXPECT_FLOAT_EQ(shot->GetPosX(), 120.0f);
    EXPECT_FLOAT_EQ(shot->GetPosY(), 80.0f);
    EXPECT_FLOAT_EQ(shot->GetVelX(), 0.0f);
    EXPECT_FLOAT_EQ(shot->GetVelY(), 26.0f);
    EXPECT_FLOAT_EQ(shot->GetScale(), 1.0f);
    EXPECT_FLOAT_EQ(shot->GetScaleRate(), -0.4f);
    EXPECT_EQ(shot->GetWidth(), 16);
    EXPECT_EQ(shot->GetHeight(), 32);
    EXPECT_FALSE(shot->CanHit());
    EXPECT_TRUE(shot->GetActive());
    EXPECT_EQ(textures->GetTextureWidth(shot->GetImageID()), 16);
    EXPECT_EQ(textures->GetTextureHeight(shot->GetImageID()), 32);

    // A hunter's bullet facing right flies right; a rock facing up flies up, facing down, down.
    CBullet* hunter =
        MakeBullet(new CCreateEnemyBulletMessage(200.0f, 200.0f, 1.5707964f, true), OBJ_ENEMY_BULLET);
    ASSERT_NE(hunter, nullptr);
    EXPECT_NEAR(hunter->GetVelX(), 200.0f, 1e-3f);
    EXPECT_NEAR(hunter->GetVelY(), 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(hunter->GetScale(), 0.0f);
    EXPECT_FLOAT_EQ(hunter->GetScaleRate(), 0.8f);
    EXPECT_EQ(hunter->GetWidth(), 24);
    EXPECT_EQ(hunter->GetHeight(), 26);
    EXPECT_EQ(textures->GetTextureWidth(hunter->GetImageID()), 24);

    CBullet* up = MakeBullet(new CCreateEnemyBulletMessage(200.0f, 300.0f, 0.0f, false), OBJ_ENEMY_BULLET);
    ASSERT_NE(up, nullptr);
    EXPECT_NEAR(up->GetVelX(), 0.0f, 1e-3f);
    EXPECT_NEAR(up->GetVelY(), -100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(up->GetScaleRate(), 0.4f);
    EXPECT_EQ(up->GetWidth(), 16);
    EXPECT_EQ(up->GetHeight(), 16);
    EXPECT_EQ(textures->GetTextureWidth(up->GetImageID()), 16);
    CBullet* down =
        MakeBullet(new CCreateEnemyBulletMessage(200.0f, 300.0f, 3.1415927f, false), OBJ_ENEMY_BULLET);
    ASSERT_NE(down, nullptr);
    EXPECT_NEAR(down->GetVelX(), 0.0f, 1e-3f);
    EXPECT_NEAR(down->GetVelY(), 100.0f, 1e-3f);
    EXPECT_NE(up->GetHitSoundID(), -1);
    EXPECT_EQ(up->GetHitSoundID(), shot->GetHitSoundID()) << "one hit sound shared by all";
}

TEST_F(BulletInPlayTest, ABulletLeavingOnTheLeftIsRemovedOnceAndReleasedByEveryMessage)
{
    CBullet* rock =
        MakeBullet(new CCreateEnemyBulletMessage(3.0f, 200.0f, -1.5707964f, false), OBJ_ENEMY_BULLET);
    ASSERT_NE(rock, nullptr);
    rock->AddRef();
    for (int i = 0; i < 5; ++i)
        game.Frame(50);
    EXPECT_TRUE(game.Bullets(OBJ_ENEMY_BULLET).empty());
    EXPECT_EQ(rock->GetRefCount(), 1u) << "only this test's reference is left";
    rock->Release();
}

TEST_F(BulletInPlayTest, APlayerShotPassesThroughThePlayerUntilItHasLandedThenGoesWithTheHitSound)
{
    CBullet* shot = MakeBullet(new CCreatePlayerBulletMessage(300.0f, 380.0f), OBJ_PLAYER_BULLET);
    ASSERT_NE(shot, nullptr);
    shot->AddRef();
    CPlayer* player = game.Player();
    int frames = 0;
    while (frames < 40)
    {
        game.Frame(50);
        ++frames;
        if (shot->CanHit())
            break;
        ASSERT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u);
    }
    EXPECT_GE(frames, 25);
    EXPECT_TRUE(game.Bullets(OBJ_PLAYER_BULLET).empty()) << "it touched the player once landed";
    EXPECT_TRUE(player->GetActive()) << "a player's own shot does not harm it";
    EXPECT_EQ(game.State()->GetLives(), 3);
    ASSERT_NE(shot->GetHitSoundID(), -1);
    EXPECT_TRUE(CVKT_WaveManager::GetInstance()->IsWavePlaying(shot->GetHitSoundID()));
    shot->Release();
}

TEST(BulletDrawingTest, ABulletIsScaledAboutItsTopLeftCorner)
{
    headless::RendererBench renderer;
    headless::ScopedWorkingDir inBuild(headless::BuildDir());
    CBullet* shot = LooseBullet(0.5f, -0.4f);
    shot->SetImageID(CVKT_TextureManager::GetInstance()->LoadTexture("Resource/Graphics/OxM_PlayerBullet.png",
                                                                     0xFF000000));
    ASSERT_NE(shot->GetImageID(), -1);
    shot->SetWidth(16);
    shot->SetHeight(32);
    shot->SetPosX(100.0f);
    shot->SetPosY(100.0f);
    const std::vector<uint32_t> frame = renderer.Frame([&] { shot->Render(); });
    const uint32_t clear = 0xFF000080;
    int inside = 0;
    int outside = 0;
    for (int y = 80; y < 120; ++y)
    {
        for (int x = 88; x < 112; ++x)
        {
            const bool drawn = renderer.Pixel(frame, x, y) != clear;
            // Unscaled it would cover 92..107 x 84..115; at half size only 92..99 x 84..99.
            if (x >= 92 && x < 100 && y >= 84 && y < 100)
                inside += drawn;
            else
                outside += drawn;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
    shot->Release();
}
