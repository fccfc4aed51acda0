// The gameplay state through the real game: levels and their timing, the level keys, the typed
// codes, lives and the bubble, the enemy-fire signal, pausing, the end of the game and the HUD, with
// frames driven by the tick seam and real key events in SDL's queue.
#include "CBullet.h"
#include "CEnemy.h"
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "CPauseState.h"
#include "CPlayer.h"
#include "GameEventIDs.h"

#include "CVKT_EventSystem.h"
#include "CVKT_ObjectManager.h"

#include "Files.h"
#include "FrameComparison.h"
#include "PlayBench.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// Counts one event and notes the game-clock time of each delivery.
class EventRecorder : public IListener
{
public:
    EventRecorder(const char* szEventID, headless::ManualClock& clock) : m_eventID(szEventID), m_clock(clock)
    {
        CVKT_EventSystem::GetInstance()->RegisterClient(m_eventID, this);
    }
    ~EventRecorder() override { CVKT_EventSystem::GetInstance()->UnregisterClient(m_eventID, this); }
    void HandleEvent(CEvent*) override { times.push_back(m_clock.Now()); }

    std::vector<uint32_t> times;

private:
    std::string m_eventID;
    headless::ManualClock& m_clock;
};

// The codes as the README lists them under its "Codes" heading, keyed by what they do.
std::map<std::string, std::string> CodesFromReadme()
{
    std::istringstream readme(headless::ReadFile(headless::SourceDir() + "/README.md"));
    std::map<std::string, std::string> codes;
    bool inSection = false;
    std::string line;
    while (std::getline(readme, line))
    {
        if (line.rfind("#", 0) == 0)
            inSection = line.find("Codes") != std::string::npos;
        const size_t open = line.find('`');
        const size_t close = open == std::string::npos ? open : line.find('`', open + 1);
        if (!inSection || close == std::string::npos)
            continue;
        const std::string code = line.substr(open + 1, close - open - 1);
        for (const char* effect : {"life", "rapid", "bubble"})
        {
            if (line.find(effect, close) != std::string::npos)
                codes[effect] = code;
        }
    }
    return codes;
}

// Compares a frame with the rows of a scrolling image that start at row top, wherever nothing else
// is drawn: the HUD panel and every object (with a margin) are left out. Counts per screen row band.
struct GroundComparison
{
    int checkedAbove = 0;
    int differentAbove = 0;
    int differentBelow = 0;
};

GroundComparison CompareWithGround(const std::vector<uint32_t>& frame, const headless::Picture& image,
                                   int top, int edge)
{
    std::vector<RECT> covered = {{0, 0, 243, 65}};
    for (CBase* object : CVKT_ObjectManager::GetInstance()->GetObjects())
    {
        const RECT r = object->GetCollisionRect();
        covered.push_back({r.left - 2, r.top - 2, r.right + 2, r.bottom + 2});
    }
    GroundComparison result;
    for (int y = 0; y < 480; ++y)
    {
        for (int x = 0; x < 640; ++x)
        {
            bool skip = false;
            for (const RECT& r : covered)
                skip = skip || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            if (skip)
                continue;
            const bool same = (frame[y * 640 + x] & 0xFFFFFF) == (image.At(x, top + y) & 0xFFFFFF);
            if (y < edge)
            {
                ++result.checkedAbove;
                result.differentAbove += !same;
            }
            else
            {
                result.differentBelow += !same;
            }
        }
    }
    return result;
}

class GamePlayStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::srand(1234);
        // No score qualifies unless a test says otherwise.
        SetLowestHighScore(1000000);
    }

    static void SetLowestHighScore(int nPoints)
    {
        tHighScore scores[NUM_HIGH_SCORES] = {};
        for (tHighScore& entry : scores)
        {
            entry.nPoints = nPoints;
            entry.szName[0] = 'A';
        }
        CGame::GetInstance()->SetHighScores(scores);
    }

    // Lets the bubble go down so the next death counts.
    void WaitForBubbleToDrop()
    {
        for (int i = 0; i < 100 && game.State()->IsBubbleUp(); ++i)
            game.Frame(100);
        ASSERT_FALSE(game.State()->IsBubbleUp());
    }

    // A ready enemy bullet on the player: it dies in this frame's collision pass.
    void ShootPlayer()
    {
        ASSERT_NE(game.Player(), nullptr);
        game.AddReadyEnemyBullet(game.Player()->GetPosX(), game.Player()->GetPosY());
        game.Frame();
    }

    // Delivered at the end of a frame that takes no time.
    void SendEvents(const char* szEventID, int nCount)
    {
        for (int i = 0; i < nCount; ++i)
            CVKT_EventSystem::GetInstance()->SendEvent(szEventID);
        game.Frame(0);
    }

    headless::PlayBench game;
};
} // namespace

TEST_F(GamePlayStateTest, ALevelEndsAfter78Point4SecondsAndTheNextStartsAfreshKeepingScoreAndLives)
{
    game.StartGame();
    game.RemoveEnemies(); // nothing fires at the player
    SendEvents(EVENT_ADD_SCORE, 2);
    SendEvents(EVENT_PLAYER_GAINED_LIFE, 1);
    // The player flies off its starting place and keeps firing.
    game.Hold(SDL_SCANCODE_RIGHT);
    game.Hold(SDL_SCANCODE_SPACE);
    CPlayer* oldPlayer = game.Player();

    // 100 ms frames scroll exactly 2 pixels: 784 of them reach the top of the image.
    for (int i = 0; i < 783; ++i)
        game.Frame(100);
    EXPECT_EQ(game.State()->GetLevel(), 1);
    EXPECT_FLOAT_EQ(game.State()->GetBackgroundOffset(), -2.0f);
    game.Frame(100);
    EXPECT_EQ(game.State()->GetLevel(), 1) << "the level ends at the update after the offset reached 0";
    EXPECT_FLOAT_EQ(game.State()->GetBackgroundOffset(), 0.0f);
    EXPECT_FALSE(game.Bullets(OBJ_PLAYER_BULLET).empty());
    EXPECT_EQ(game.Player(), oldPlayer);
    EXPECT_GT(oldPlayer->GetPosX(), 500.0f);

    game.Frame(100);
    CGamePlayState* state = game.State();
    EXPECT_EQ(state->GetLevel(), 2);
    EXPECT_FLOAT_EQ(state->GetBackgroundOffset(), -1568.0f);
    ASSERT_NE(game.Player(), nullptr);
    EXPECT_FLOAT_EQ(game.Player()->GetPosX(), 300.0f);
    EXPECT_FLOAT_EQ(game.Player()->GetPosY(), 400.0f);
    EXPECT_FLOAT_EQ(game.Player()->GetCharge(), 1.0f) << "a fresh player has a full bar";
    EXPECT_EQ(game.ObjectsOfType(OBJ_PLAYER).size(), 1u);
    EXPECT_EQ(game.Enemies().size(), 10u);
    EXPECT_TRUE(game.Bullets(OBJ_PLAYER_BULLET).empty())
        << "no shot of the old level, not even a pending one";
    EXPECT_TRUE(game.Bullets(OBJ_ENEMY_BULLET).empty());
    EXPECT_EQ(state->GetScore(), 20);
    EXPECT_EQ(state->GetLives(), 4);
    game.Release(SDL_SCANCODE_SPACE);
    game.Release(SDL_SCANCODE_RIGHT);
}

TEST_F(GamePlayStateTest, KeyTwoEndsTheRunningLevelAndKeyThreeGoesToLevelThreeWithItsClouds)
{
    game.StartGame();
    game.RunFor(1.0f);
    game.Tap(SDL_SCANCODE_2);
    EXPECT_EQ(game.State()->GetLevel(), 2);
    EXPECT_FLOAT_EQ(game.State()->GetBackgroundOffset(), -1568.0f + 20.0f * 0.016f)
        << "level 2 started in the frame of the key and scrolled one more frame";

    game.StartGame();
    game.RunFor(1.0f);
    game.Tap(SDL_SCANCODE_3);
    EXPECT_EQ(game.State()->GetLevel(), 3);
    EXPECT_FLOAT_EQ(game.State()->GetCloudsOffset(), -544.0f + 10.0f * 0.016f);
    EXPECT_EQ(game.Enemies().size(), 10u);
}

TEST_F(GamePlayStateTest, TheReadmeListsThreeDifferentFiveLetterCodes)
{
    const std::map<std::string, std::string> codes = CodesFromReadme();
    ASSERT_EQ(codes.size(), 3u) << "a life, a rapid-fire and a bubble code under a Codes heading";
    for (const auto& [effect, code] : codes)
    {
        EXPECT_EQ(code.size(), 5u) << effect;
        for (char c : code)
            EXPECT_TRUE(c >= 'a' && c <= 'z' && c != 'p')
                << effect << ": lower-case letters, and no P, which pauses";
    }
    EXPECT_NE(codes.at("life"), codes.at("rapid"));
    EXPECT_NE(codes.at("life"), codes.at("bubble"));
    EXPECT_NE(codes.at("rapid"), codes.at("bubble"));
}

TEST_F(GamePlayStateTest, TypedCodesWorkAmongOtherLettersAndTheToggleCodesUndoThemselves)
{
    const std::map<std::string, std::string> codes = CodesFromReadme();
    ASSERT_EQ(codes.size(), 3u);
    game.StartGame();
    CGamePlayState* state = game.State();

    game.Type("qz");
    game.Type(codes.at("life").c_str());
    EXPECT_EQ(state->GetLives(), 4);
    EXPECT_TRUE(state->GetTypedChars().empty()) << "a code empties the typed characters";
    game.Type("xy");
    EXPECT_EQ(state->GetLives(), 4);

    game.Type("m");
    game.Type(codes.at("rapid").c_str());
    EXPECT_TRUE(state->IsRapidFire());
    game.Type(codes.at("rapid").c_str());
    EXPECT_FALSE(state->IsRapidFire());

    game.Type(codes.at("bubble").c_str());
    EXPECT_TRUE(state->IsBubbleUp());
    EXPECT_FLOAT_EQ(state->GetBubbleDuration(), 500.0f);
    game.Type(codes.at("bubble").c_str());
    EXPECT_FALSE(state->IsBubbleUp());
    EXPECT_FLOAT_EQ(state->GetBubbleDuration(), 0.0f);

    // A code broken by another letter does nothing.
    const std::string life = codes.at("life");
    game.Type((life.substr(0, 2) + "k" + life.substr(2)).c_str());
    EXPECT_EQ(state->GetLives(), 4);
}

TEST_F(GamePlayStateTest, TypedCharactersKeepOnlyTheLastFourAfterEachSearch)
{
    game.StartGame();
    game.Type("abcdefgkjmnoqrs");
    EXPECT_EQ(std::string(game.State()->GetTypedChars().begin(), game.State()->GetTypedChars().end()),
              "oqrs");
    // Space types a character too: the array stays bounded however long the player fires.
    for (int i = 0; i < 8; ++i)
        game.Tap(SDL_SCANCODE_SPACE);
    EXPECT_EQ(std::string(game.State()->GetTypedChars().begin(), game.State()->GetTypedChars().end()),
              "    ");
}

TEST_F(GamePlayStateTest, ThreeDeathsTakeTheLivesFromThreeToOneAndThenEndTheGame)
{
    game.StartGame();
    game.RemoveEnemies();
    CGamePlayState* state = game.State();
    for (int expectedLives : {2, 1})
    {
        WaitForBubbleToDrop();
        // Away from the starting place, so the respawn can be told from the old player.
        game.Hold(SDL_SCANCODE_LEFT);
        game.RunFor(0.5f);
        game.Release(SDL_SCANCODE_LEFT);
        game.Frame();
        ASSERT_LT(game.Player()->GetPosX(), 250.0f);

        ShootPlayer();
        EXPECT_EQ(state->GetLives(), expectedLives);
        EXPECT_TRUE(state->IsBubbleUp());
        EXPECT_FLOAT_EQ(state->GetBubbleDuration(), 3.0f);
        game.Frame();
        ASSERT_NE(game.Player(), nullptr);
        EXPECT_FLOAT_EQ(game.Player()->GetPosX(), 300.0f) << "respawned at the starting place";
        EXPECT_FLOAT_EQ(game.Player()->GetPosY(), 400.0f);
        EXPECT_TRUE(game.Player()->GetActive());
        EXPECT_EQ(game.ObjectsOfType(OBJ_PLAYER).size(), 1u);
    }

    WaitForBubbleToDrop();
    ShootPlayer();
    EXPECT_TRUE(state->IsGameOver());
    EXPECT_EQ(state->GetLives(), 1) << "the counter stays at 1";
    game.Frame();
    EXPECT_EQ(game.Player(), nullptr) << "no player comes back";
    EXPECT_TRUE(game.ObjectsOfType(OBJ_PLAYER).empty());

    // Frozen: nothing scrolls or runs any more.
    const float offset = state->GetBackgroundOffset();
    const float fireTimer = CGamePlayState::GetEnemyFireTimer();
    game.RunFor(2.0f);
    EXPECT_FLOAT_EQ(state->GetBackgroundOffset(), offset);
    EXPECT_FLOAT_EQ(CGamePlayState::GetEnemyFireTimer(), fireTimer);
}

TEST_F(GamePlayStateTest, ADeathUnderTheBubbleChangesNothing)
{
    game.StartGame();
    game.RemoveEnemies();
    WaitForBubbleToDrop();

    // Right after a respawn the bubble is up for three seconds.
    ShootPlayer();
    game.Frame();
    ASSERT_TRUE(game.State()->IsBubbleUp());
    CPlayer* respawned = game.Player();
    ShootPlayer();
    EXPECT_EQ(game.State()->GetLives(), 2);
    EXPECT_EQ(game.Player(), respawned);
    EXPECT_TRUE(respawned->GetActive()) << "switched back on";
    EXPECT_TRUE(game.Bullets(OBJ_ENEMY_BULLET).empty()) << "the bullet that hit is gone";
    game.Frame();
    EXPECT_EQ(game.Player(), respawned);
    EXPECT_EQ(game.ObjectsOfType(OBJ_PLAYER).size(), 1u);

    // The same with the bubble code.
    WaitForBubbleToDrop();
    game.Type(CodesFromReadme().at("bubble").c_str());
    ASSERT_TRUE(game.State()->IsBubbleUp());
    ShootPlayer();
    game.Frame();
    EXPECT_EQ(game.State()->GetLives(), 2);
    EXPECT_EQ(game.Player(), respawned);
    EXPECT_TRUE(respawned->GetActive());
}

TEST_F(GamePlayStateTest, ALifeLostInTheLastFrameOfALevelStillLeavesOnePlayer)
{
    game.StartGame();
    game.RemoveEnemies();
    WaitForBubbleToDrop();
    ShootPlayer(); // the respawn is asked for at the end of this frame
    game.Hold(SDL_SCANCODE_2);
    game.Frame();
    game.Release(SDL_SCANCODE_2);
    game.Frame();
    EXPECT_EQ(game.State()->GetLevel(), 2);
    EXPECT_EQ(game.State()->GetLives(), 2);
    EXPECT_EQ(game.ObjectsOfType(OBJ_PLAYER).size(), 1u);
    ASSERT_NE(game.Player(), nullptr);
    EXPECT_EQ(game.ObjectsOfType(OBJ_PLAYER).front(), game.Player());
}

TEST_F(GamePlayStateTest, TheEnemyFireSignalComesEveryThreeSecondsOfPlayButNotWhilePausedOrOver)
{
    CGamePlayState::SetEnemyFireTimer(1.0f);
    game.StartGame();
    game.RemoveEnemies();
    EventRecorder signals(EVENT_ENEMY_FIRE_BULLET, game.Clock());
    const uint32_t start = game.Clock().Now();
    game.RunFor(8.5f, 100);
    ASSERT_EQ(signals.times.size(), 3u);
    EXPECT_NEAR(signals.times[0] - start, 2000, 100) << "the timer kept what it had before the game";
    EXPECT_NEAR(signals.times[1] - signals.times[0], 3000, 100);
    EXPECT_NEAR(signals.times[2] - signals.times[1], 3000, 100);

    // Paused: the game is not updated.
    game.Tap(SDL_SCANCODE_ESCAPE, 100);
    ASSERT_EQ(game.Stack().back(), CPauseState::GetInstance());
    const float timer = CGamePlayState::GetEnemyFireTimer();
    game.RunFor(10.0f, 100);
    EXPECT_EQ(signals.times.size(), 3u);
    EXPECT_FLOAT_EQ(CGamePlayState::GetEnemyFireTimer(), timer);
    game.Game()->PopState();
    game.State()->SetPaused(false);

    // Over: neither.
    game.State()->SetLives(1);
    WaitForBubbleToDrop();
    signals.times.clear();
    ShootPlayer();
    ASSERT_TRUE(game.State()->IsGameOver());
    game.RunFor(10.0f, 100);
    EXPECT_TRUE(signals.times.empty());

    // A new game keeps the timer's value.
    const float kept = CGamePlayState::GetEnemyFireTimer();
    game.StartGame();
    EXPECT_FLOAT_EQ(CGamePlayState::GetEnemyFireTimer(), kept);
}

TEST_F(GamePlayStateTest, EscapeOrPPushesOnePauseScreenAndSetsThePauseFlag)
{
    game.StartGame();
    game.Tap(SDL_SCANCODE_P);
    ASSERT_EQ(game.Stack().size(), 2u);
    EXPECT_EQ(game.Stack().back(), CPauseState::GetInstance());
    EXPECT_TRUE(game.State()->IsPaused());
    game.Game()->PopState();
    game.State()->SetPaused(false);

    game.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.Stack().size(), 2u);
    EXPECT_EQ(game.Stack().back(), CPauseState::GetInstance());
}

TEST_F(GamePlayStateTest, AtGameOverEscapeGoesToTheStoryWithItsEndingAndNoPause)
{
    game.StartGame();
    game.RemoveEnemies();
    game.State()->SetLives(1);
    WaitForBubbleToDrop();
    CLevelIntroState1::GetInstance()->SetEnding(false);
    ShootPlayer();
    game.Frame();
    EXPECT_TRUE(CLevelIntroState1::GetInstance()->IsEnding());
    game.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(game.Stack().size(), 1u) << "the same frame's pause request is dropped";
    EXPECT_EQ(game.Stack().back(), CLevelIntroState1::GetInstance());
}

TEST_F(GamePlayStateTest, AtGameOverAQualifyingScoreOpensTheScoreEntryOtherwiseAnyKeyLeadsToTheMenu)
{
    game.StartGame();
    game.RemoveEnemies();
    SendEvents(EVENT_ADD_SCORE, 3);
    SetLowestHighScore(20);
    game.State()->SetLives(1);
    WaitForBubbleToDrop();
    ShootPlayer();
    ASSERT_TRUE(game.State()->IsGameOver());
    EXPECT_EQ(game.Stack().back(), game.State());
    game.Frame();
    ASSERT_EQ(game.Stack().size(), 2u);
    EXPECT_EQ(game.Stack().back(), CEnterScorestate::GetInstance()) << "over the frozen game";

    game.StartGame();
    game.RemoveEnemies();
    SetLowestHighScore(0);
    game.State()->SetLives(1);
    WaitForBubbleToDrop();
    ShootPlayer();
    game.RunFor(2.0f);
    EXPECT_EQ(game.Stack().back(), game.State()) << "GAME OVER stays until a key is pressed";
    game.Tap(SDL_SCANCODE_X);
    ASSERT_EQ(game.Stack().size(), 1u);
    EXPECT_EQ(game.Stack().back(), CMainMenuState::GetInstance());
}

TEST_F(GamePlayStateTest, AfterLevelThreeAQualifyingScoreOpensTheScoreEntry)
{
    game.StartGame();
    SendEvents(EVENT_ADD_SCORE, 1);
    SetLowestHighScore(0);
    game.Tap(SDL_SCANCODE_3);
    game.Tap(SDL_SCANCODE_2);
    ASSERT_EQ(game.Stack().size(), 2u);
    EXPECT_EQ(game.Stack().back(), CEnterScorestate::GetInstance());
}

TEST_F(GamePlayStateTest, AfterLevelThreeWithoutAQualifyingScoreTheGameStopsWithACompletionLine)
{
    game.StartGame();
    game.Tap(SDL_SCANCODE_3);
    game.Tap(SDL_SCANCODE_2);
    CGamePlayState* state = game.State();
    EXPECT_TRUE(state->IsGameOver());
    EXPECT_TRUE(state->IsGameCompleted());
    game.CaptureFrames();
    game.RunFor(1.0f);
    EXPECT_EQ(state->GetLevel(), 4) << "the level number does not count on";
    EXPECT_EQ(game.Stack().back(), state);

    const headless::Picture font = headless::Picture::Read("Resource/Graphics/OxM_Font2.png");
    const std::vector<uint32_t> frame = game.CapturedFrame();
    const std::string line = "MISSION COMPLETE";
    const int x = (640 - 16 * static_cast<int>(line.size())) / 2;
    for (size_t i = 0; i < line.size(); ++i)
    {
        if (line[i] == ' ')
            continue;
        EXPECT_TRUE(headless::MatchSection(frame, font, headless::FontCell(line[i]),
                                           x + 16 * static_cast<int>(i), 228)
                        .AllMatch())
            << "glyph " << i;
    }
    EXPECT_FALSE(headless::MatchSection(frame, font, headless::FontCell('G'), 248, 228).AllMatch())
        << "no GAME OVER";

    game.Tap(SDL_SCANCODE_SPACE);
    ASSERT_EQ(game.Stack().size(), 1u);
    EXPECT_EQ(game.Stack().back(), CLevelIntroState1::GetInstance());
    EXPECT_TRUE(CLevelIntroState1::GetInstance()->IsEnding());
}

TEST_F(GamePlayStateTest, LivesAboveNinetyNinePrintInFull)
{
    game.StartGame();
    game.State()->SetLives(123);
    game.CaptureFrames();
    game.Frame();
    const headless::Picture font = headless::Picture::Read("Resource/Graphics/OxM_Font2.png");
    const std::vector<uint32_t> frame = game.CapturedFrame();
    EXPECT_TRUE(headless::MatchSection(frame, font, headless::FontCell('1'), 184, 17).AllMatch());
    EXPECT_TRUE(headless::MatchSection(frame, font, headless::FontCell('2'), 200, 17).AllMatch());
    EXPECT_TRUE(headless::MatchSection(frame, font, headless::FontCell('3'), 216, 17).AllMatch());
}

TEST_F(GamePlayStateTest, OnceTheCloudsPassTheTopOfTheirImageTheLayerSlidesOffInsteadOfReadingOutside)
{
    game.StartGame();
    game.Tap(SDL_SCANCODE_3);
    // 54.4 s bring the clouds to the top of their image; 10 s more put their edge 100 rows down.
    for (int i = 0; i < 644 && game.State()->GetCloudsOffset() < 100.0f; ++i)
        game.Frame(100);
    game.CaptureFrames();
    game.Frame(100);
    const float cloudsOffset = game.State()->GetCloudsOffset();
    ASSERT_GE(cloudsOffset, 100.0f);
    ASSERT_LT(cloudsOffset, 110.0f);
    const int edge = static_cast<int>(cloudsOffset);

    const headless::Picture background = headless::Picture::Read("Resource/Graphics/OxM_Level3.png");
    const int top = -static_cast<int>(game.State()->GetBackgroundOffset());
    const GroundComparison ground = CompareWithGround(game.CapturedFrame(), background, top, edge);
    EXPECT_GT(ground.checkedAbove, 30000);
    EXPECT_EQ(ground.differentAbove, 0) << "above the clouds' edge only the ground shows";
    EXPECT_GT(ground.differentBelow, 1000) << "below it the clouds still show";
}

TEST_F(GamePlayStateTest, AFewSecondsIntoLevelOneTheFrameShowsGroundHudDigitsAndPlayer)
{
    game.StartGame();
    game.RunFor(3.0f);
    game.CaptureFrames();
    game.Frame();
    const std::vector<uint32_t> frame = game.CapturedFrame();
    ASSERT_EQ(frame.size(), 640u * 480u);

    // The background: the rows the offset selects, wherever nothing is drawn over them.
    const headless::Picture background = headless::Picture::Read("Resource/Graphics/OxM_Level1.png");
    const int top = -static_cast<int>(game.State()->GetBackgroundOffset());
    EXPECT_GT(top, 1500);
    EXPECT_LT(top, 1568);
    const GroundComparison ground = CompareWithGround(frame, background, top, 480);
    EXPECT_GT(ground.checkedAbove, 200000);
    EXPECT_EQ(ground.differentAbove, 0);

    // The HUD panel at (0, 0), apart from the charge bar and the digits printed on it.
    const headless::Picture hud = headless::Picture::Read("Resource/Graphics/OxM_HUD.png");
    int panelChecked = 0;
    int panelMatching = 0;
    for (int y = 0; y < 65; ++y)
    {
        for (int x = 0; x < 243; ++x)
        {
            const bool onText = y >= 17 && y < 41 && ((x >= 25 && x < 41) || (x >= 184 && x < 200));
            const bool onBar = y >= 46 && y < 50 && x >= 62 && x < 62 + 134;
            if (onText || onBar || (hud.At(x, y) >> 24) != 0xFF)
                continue;
            ++panelChecked;
            panelMatching += (frame[y * 640 + x] & 0xFFFFFF) == (hud.At(x, y) & 0xFFFFFF);
        }
    }
    EXPECT_GT(panelChecked, 1000);
    EXPECT_EQ(panelMatching, panelChecked);

    // Score 0 and 3 lives.
    const headless::Picture font = headless::Picture::Read("Resource/Graphics/OxM_Font2.png");
    EXPECT_TRUE(headless::MatchSection(frame, font, headless::FontCell('0'), 25, 17).AllMatch());
    EXPECT_TRUE(headless::MatchSection(frame, font, headless::FontCell('3'), 184, 17).AllMatch());

    // The player's current frame with its top-left at (300 - 31, 400 - 26).
    const headless::Picture sheet = headless::Picture::Read("Resource/Graphics/OxM_PlayerChar.png");
    ASSERT_NE(game.Player(), nullptr);
    const int current = game.Player()->GetAnimation().GetCurFrame();
    const RECT cell = {current * 62, 0, current * 62 + 62, 53};
    const headless::SectionMatch player = headless::MatchSection(frame, sheet, cell, 269, 374);
    EXPECT_GT(player.opaque, 300);
    EXPECT_EQ(player.matching, player.opaque);
}
