// Hours of simulated play in minutes: random keys over every screen, frames of random length through
// the tick seam, fixed seeds. Under the sanitizer build every step is checked for memory errors and
// undefined behaviour, and LeakSanitizer checks the whole run at exit. On the way the object counts
// must stay within what the game's rules allow.
#include "CBase.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "IGameState.h"

#include "CVKT_ObjectManager.h"

#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace
{
// Simulated seconds per seed. Frames average about 30 ms.
constexpr double kSimulatedSeconds = 2400.0;

// Keys a player (or a cat on the keyboard) presses; held keys stay down for a while.
const SDL_Scancode kKeys[] = {
    SDL_SCANCODE_UP,     SDL_SCANCODE_DOWN,  SDL_SCANCODE_LEFT,  SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_SPACE,  SDL_SCANCODE_SPACE, SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN,
    SDL_SCANCODE_ESCAPE, SDL_SCANCODE_P,     SDL_SCANCODE_2,     SDL_SCANCODE_3,
    SDL_SCANCODE_A,      SDL_SCANCODE_H,     SDL_SCANCODE_T,     SDL_SCANCODE_BACKSPACE};

struct tCounts
{
    int enemies = 0;
    int playerBullets = 0;
    int enemyBullets = 0;
    int players = 0;
};

tCounts CountObjects()
{
    tCounts counts;
    for (CBase* object : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        switch (object->GetType())
        {
        case OBJ_ENEMY:
            ++counts.enemies;
            break;
        case OBJ_PLAYER_BULLET:
            ++counts.playerBullets;
            break;
        case OBJ_ENEMY_BULLET:
            ++counts.enemyBullets;
            break;
        case OBJ_PLAYER:
            ++counts.players;
            break;
        default:
            break;
        }
    }
    return counts;
}

class SoakTest : public ::testing::TestWithParam<unsigned>
{
};
} // namespace

TEST_P(SoakTest, RandomPlayStaysWithinTheRules)
{
    const unsigned seed = GetParam();
    std::srand(seed);
    std::mt19937 random(seed);
    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CGamePlayState* play = CGamePlayState::GetInstance();

    bool held[SDL_NUM_SCANCODES] = {};
    tCounts most;
    double simulated = 0.0;
    while (simulated < kSimulatedSeconds)
    {
        // Now and then a key changes: held keys are let go, others go down.
        if (random() % 6 == 0)
        {
            const SDL_Scancode key = kKeys[random() % (sizeof kKeys / sizeof kKeys[0])];
            held[key] ? rig.Release(key) : rig.Hold(key);
            held[key] = !held[key];
        }
        const uint32_t step = 10 + random() % 41;
        simulated += step / 1000.0;

        if (!rig.Frame(step))
        {
            // The exit item: start again from the menu, as a player restarting the program would.
            game->ChangeState(CMainMenuState::GetInstance());
            continue;
        }

        const std::vector<IGameState*> stack = game->GetStateStack();
        ASSERT_FALSE(stack.empty());
        ASSERT_LE(stack.size(), 2u) << "only the pause or the score entry stands over the game";
        if (stack.front() != play)
            continue;
        const tCounts counts = CountObjects();
        ASSERT_LE(counts.enemies, 10);
        ASSERT_LE(counts.players, 2) << "a dying player and its replacement at most";
        // Shots need charge: ten from a full bar, then one a second, and they leave the screen
        // within about 19 s. Rapid fire (a typed code) lifts the limit.
        if (!play->IsRapidFire())
        {
            ASSERT_LE(counts.playerBullets, 64);
        }
        // At most ten shooters fire every 3 s, and their shots are gone within about 8 s.
        ASSERT_LE(counts.enemyBullets, 40);
        most.enemies = std::max(most.enemies, counts.enemies);
        most.playerBullets = std::max(most.playerBullets, counts.playerBullets);
        most.enemyBullets = std::max(most.enemyBullets, counts.enemyBullets);
    }

    // The run really played: games were started and objects were made.
    EXPECT_EQ(most.enemies, 10);
    EXPECT_GT(most.playerBullets, 0);
    RecordProperty("most_player_bullets", most.playerBullets);
    RecordProperty("most_enemy_bullets", most.enemyBullets);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Values(1u, 2u, 3u));
