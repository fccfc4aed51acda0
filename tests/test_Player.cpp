// The player in the running game: steering with held arrow keys, the playfield edges, firing and
// the charge, rapid fire, the charge bar on the HUD, and which bullets can kill it.
#include "CBullet.h"
#include "CGame.h"
#include "CGameMessages.h"
#include "CGamePlayState.h"
#include "CPlayer.h"
#include "GameEventIDs.h"
#include "GameResourceFiles.h"

#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectManager.h"

#include "FrameComparison.h"
#include "PlayBench.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace
{
// Notes the game-clock time and the shooter's charge of every "PlayerFireBullet".
class ShotRecorder : public IListener
{
public:
    explicit ShotRecorder(headless::ManualClock& clock) : m_clock(clock)
    {
        CVKT_EventSystem::GetInstance()->RegisterClient(EVENT_PLAYER_FIRE_BULLET, this);
    }
    ~ShotRecorder() override
    {
        CVKT_EventSystem::GetInstance()->UnregisterClient(EVENT_PLAYER_FIRE_BULLET, this);
    }
    void HandleEvent(CEvent*) override
    {
        times.push_back(m_clock.Now());
        CPlayer* player = CGamePlayState::GetInstance()->GetPlayer();
        charges.push_back(player ? player->GetCharge() : -1.0f);
    }

    std::vector<uint32_t> times;
    std::vector<float> charges;

private:
    headless::ManualClock& m_clock;
};

class PlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::srand(99);
        game.StartGame();
        // Nothing fires at the player, and no bullet of an earlier test waits.
        game.RemoveEnemies();
        ASSERT_NE(game.Player(), nullptr);
    }

    void HoldFor(std::initializer_list<SDL_Scancode> keys, int frames, uint32_t milliseconds = 100)
    {
        for (SDL_Scancode key : keys)
            game.Hold(key);
        for (int i = 0; i < frames; ++i)
            game.Frame(milliseconds);
        for (SDL_Scancode key : keys)
            game.Release(key);
        game.Frame(0);
    }

    headless::PlayBench game;
};
} // namespace

TEST_F(PlayerTest, ALaterKeyOfAPairWinsAndDiagonalsAreNotNormalised)
{
    CPlayer* player = game.Player();
    HoldFor({SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT}, 5);
    EXPECT_FLOAT_EQ(player->GetPosX(), 400.0f) << "Left and Right together: right at 200 px/s";
    EXPECT_FLOAT_EQ(player->GetPosY(), 400.0f);

    HoldFor({SDL_SCANCODE_UP, SDL_SCANCODE_DOWN}, 1);
    EXPECT_FLOAT_EQ(player->GetPosY(), 420.0f) << "Up and Down together: down";

    HoldFor({SDL_SCANCODE_UP, SDL_SCANCODE_LEFT}, 5);
    EXPECT_FLOAT_EQ(player->GetPosX(), 300.0f) << "200 px/s on each axis";
    EXPECT_FLOAT_EQ(player->GetPosY(), 320.0f);

    game.Frame(100);
    EXPECT_FLOAT_EQ(player->GetPosX(), 300.0f) << "no key, no movement";
    EXPECT_FLOAT_EQ(player->GetVelX(), 0.0f);
}

TEST_F(PlayerTest, TheCentreStaysWithin31To609And26To454)
{
    CPlayer* player = game.Player();
    HoldFor({SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP}, 30);
    EXPECT_FLOAT_EQ(player->GetPosX(), 609.0f);
    EXPECT_FLOAT_EQ(player->GetPosY(), 26.0f);
    HoldFor({SDL_SCANCODE_LEFT, SDL_SCANCODE_DOWN}, 30);
    EXPECT_FLOAT_EQ(player->GetPosX(), 31.0f);
    EXPECT_FLOAT_EQ(player->GetPosY(), 454.0f);
}

TEST_F(PlayerTest, HoldingSpaceFromAFullBarFiresTenShotsThreeTenthsApartThenAboutOneASecond)
{
    CPlayer::SetFireTimer(0.3f);
    ShotRecorder shots(game.Clock());
    game.Hold(SDL_SCANCODE_SPACE);
    game.RunFor(25.0f, 20);
    game.Release(SDL_SCANCODE_SPACE);
    game.Frame();

    ASSERT_GE(shots.times.size(), 11u);
    for (size_t i = 1; i < 10; ++i)
        EXPECT_NEAR(static_cast<int>(shots.times[i] - shots.times[i - 1]), 300, 20) << "shot " << i;
    for (float charge : shots.charges)
        EXPECT_GE(charge, -0.0001f) << "a shot needs a tenth of charge";
    // Once the bar is spent, the refill of a tenth per second sets the pace.
    const uint32_t end = shots.times.back();
    int lastTenSeconds = 0;
    for (uint32_t t : shots.times)
        lastTenSeconds += end - t < 10000;
    EXPECT_GE(lastTenSeconds, 9);
    EXPECT_LE(lastTenSeconds, 11);
    EXPECT_NEAR(static_cast<int>(shots.times.back() - shots.times[shots.times.size() - 2]), 1000, 40);
}

TEST_F(PlayerTest, EveryShotBecomesABulletAtThePlayersPlaceInTheNextFrame)
{
    CPlayer::SetFireTimer(0.3f);
    game.Hold(SDL_SCANCODE_SPACE);
    game.Frame(); // the shot is decided; its event asks for the bullet at the end of this frame
    game.Release(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(game.Bullets(OBJ_PLAYER_BULLET).empty());
    EXPECT_NEAR(game.Player()->GetCharge(), 0.9f, 0.01f);
    game.Frame();
    ASSERT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u);
    const CBullet* bullet = game.Bullets(OBJ_PLAYER_BULLET).front();
    EXPECT_FLOAT_EQ(bullet->GetPosX(), 300.0f);
    EXPECT_NEAR(bullet->GetPosY(), 400.0f, 26.0f * 0.016f + 0.001f) << "made there, then one frame of fall";
}

TEST_F(PlayerTest, AShotFiredInOneFrameIsSeenOverTheBirdInTheNext)
{
    CPlayer::SetFireTimer(0.3f);
    game.CaptureFrames();
    game.Hold(SDL_SCANCODE_SPACE);
    game.Frame(); // frame N: the shot is fired
    game.Release(SDL_SCANCODE_SPACE);
    game.Frame(); // frame N + 1: the bullet is made, then drawn
    ASSERT_EQ(game.Bullets(OBJ_PLAYER_BULLET).size(), 1u);
    const CBullet* shot = game.Bullets(OBJ_PLAYER_BULLET).front();
    const int x = static_cast<int>(shot->GetPosX() - 8.0f);
    const int y = static_cast<int>(shot->GetPosY() - 16.0f);
    // It starts inside the bird's rectangle, where the bird would hide it.
    const RECT bird = game.Player()->GetCollisionRect();
    ASSERT_TRUE(x >= bird.left && x + 16 <= bird.right && y >= bird.top && y + 32 <= bird.bottom);

    const headless::Picture art = headless::Picture::Read(IMAGE_PLAYER_BULLET, 0xFF000000);
    const headless::SectionMatch seen =
        headless::MatchSection(game.CapturedFrame(), art, RECT{0, 0, 16, 32}, x, y);
    EXPECT_TRUE(seen.AllMatch()) << seen.matching << " of " << seen.opaque << " pixels of the shot show";
}

TEST_F(PlayerTest, RapidFireKeepsTheBarFullAndShootsWheneverFiveMillisecondsHavePassed)
{
    game.Type("talon");
    ASSERT_TRUE(game.State()->IsRapidFire());
    ShotRecorder shots(game.Clock());
    game.Hold(SDL_SCANCODE_SPACE);
    game.Frame();
    shots.times.clear();
    for (int i = 0; i < 30; ++i)
        game.Frame(16);
    EXPECT_EQ(shots.times.size(), 30u) << "one shot in every 16 ms frame";
    EXPECT_EQ(game.Player()->GetChargeBarRect().right, 134);

    shots.times.clear();
    for (int i = 0; i < 30; ++i)
        game.Frame(2);
    EXPECT_EQ(shots.times.size(), 10u) << "2 ms frames: every third frame reaches 5 ms";
    game.Release(SDL_SCANCODE_SPACE);
    game.Type("talon");
    EXPECT_FALSE(game.State()->IsRapidFire());
}

TEST_F(PlayerTest, TheChargeBarIs133TimesTheChargePlusOnePixelAndGoesAtZero)
{
    CPlayer* player = game.Player();
    game.CaptureFrames();
    player->SetCharge(0.5f);
    game.Frame(0);
    EXPECT_EQ(player->GetChargeBarRect().left, 0);
    EXPECT_EQ(player->GetChargeBarRect().right, 67) << "(int)(66.5 + 1)";
    EXPECT_EQ(player->GetChargeBarRect().bottom, 4);
    EXPECT_TRUE(player->IsChargeBarShown());
    std::vector<uint32_t> frame = game.CapturedFrame();
    EXPECT_EQ(frame[47 * 640 + 62 + 66] & 0xFFFFFF, 0xFFFFFFu) << "the bar's last column";
    const uint32_t beyond = frame[47 * 640 + 62 + 67] & 0xFFFFFF;
    EXPECT_NE(beyond, 0xFFFFFFu);

    // A charge just above 1 stays there and the bar grows with it.
    player->SetCharge(1.05f);
    game.Frame(100);
    EXPECT_FLOAT_EQ(player->GetCharge(), 1.05f);
    EXPECT_EQ(player->GetChargeBarRect().right, 140);

    player->SetCharge(0.0f);
    game.Frame(0);
    EXPECT_FALSE(player->IsChargeBarShown());
    frame = game.CapturedFrame();
    EXPECT_EQ(frame[47 * 640 + 62] & 0xFFFFFF, beyond) << "no bar drawn: the panel shows";
    game.Frame(500);
    EXPECT_TRUE(player->IsChargeBarShown()) << "the refill brings it back";
    EXPECT_NEAR(player->GetCharge(), 0.05f, 0.0001f);
}

TEST_F(PlayerTest, AnEnemyBulletStillGrowingPassesOverThePlayerAndKillsItOnceGrown)
{
    CVKT_MessageSystem::GetInstance()->SendMsg(new CCreateEnemyBulletMessage(300.0f, 400.0f, 0.0f, false));
    game.Frame(0);
    ASSERT_EQ(game.Bullets(OBJ_ENEMY_BULLET).size(), 1u);
    CBullet* rock = game.Bullets(OBJ_ENEMY_BULLET).front();
    rock->SetVelY(0.0f); // it stays on the player while it grows
    rock->AddRef();      // readable after it has hit
    CPlayer* player = game.Player();
    int frames = 0;
    while (frames < 40)
    {
        game.Frame(100);
        ++frames;
        if (rock->CanHit())
            break;
        EXPECT_EQ(game.State()->GetLives(), 3);
        EXPECT_TRUE(player->GetActive());
    }
    EXPECT_GE(frames, 25) << "a rock grows for 2.5 s";
    // It became able to hit in that frame's update, and the collision pass that followed found it.
    EXPECT_FALSE(player->GetActive());
    EXPECT_EQ(game.State()->GetLives(), 2);
    rock->Release();
}

TEST_F(PlayerTest, TheFireTimerIsSharedByEveryPlayerObjectAndNotResetOnRespawn)
{
    CPlayer::SetFireTimer(0.3f);
    ShotRecorder shots(game.Clock());
    game.Hold(SDL_SCANCODE_SPACE);
    game.Frame(20);
    game.Release(SDL_SCANCODE_SPACE);
    ASSERT_EQ(shots.times.size(), 1u);
    const uint32_t firstShot = shots.times.front();
    for (int i = 0; i < 10; ++i)
        game.Frame(20);
    // Dies 200 ms after its shot and is back two frames later; then Space is held again.
    game.AddReadyEnemyBullet(game.Player()->GetPosX(), game.Player()->GetPosY());
    game.Frame(20);
    game.Frame(20);
    ASSERT_EQ(game.State()->GetLives(), 2);
    game.Hold(SDL_SCANCODE_SPACE);
    for (int i = 0; i < 50 && shots.times.size() < 2; ++i)
        game.Frame(20);
    game.Release(SDL_SCANCODE_SPACE);
    ASSERT_EQ(shots.times.size(), 2u);
    // A fresh timer would let the new player fire at once (about 240 ms after the first shot), a
    // zeroed one 300 ms after the respawn (about 540 ms). Only the frame without any player is lost.
    const int sinceFirst = static_cast<int>(shots.times[1] - firstShot);
    EXPECT_GE(sinceFirst, 300);
    EXPECT_LE(sinceFirst, 380);
}
