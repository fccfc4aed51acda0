// Scripted playthroughs of the whole program through CGame: real SDL key events, the tick seam,
// the settings file on disk in a scratch Resource folder, frames read back. Each test follows the
// screen flow as a player would.
#include "CBase.h"
#include "CCreditsMenuState.h"
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CSettingsFile.h"
#include "CPauseState.h"
#include "CopperfenLogoState.h"
#include "GameEventIDs.h"

#include "CVKT_Direct3D.h"
#include "CVKT_EventSystem.h"
#include "CVKT_ObjectManager.h"
#include "CVKT_WaveManager.h"

#include "Files.h"
#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace
{
// Where every game object stands: enough to tell whether the game moved on.
struct ObjectState
{
    const CBase* object;
    int type;
    float x;
    float y;
    bool active;
    bool operator==(const ObjectState& other) const
    {
        return std::tie(object, type, x, y, active) ==
               std::tie(other.object, other.type, other.x, other.y, other.active);
    }
};

std::vector<ObjectState> Objects()
{
    std::vector<ObjectState> states;
    for (const CBase* object : CVKT_ObjectManager::GetInstance()->GetObjects())
        states.push_back(
            {object, object->GetType(), object->GetPosX(), object->GetPosY(), object->GetActive()});
    // Drawing sorts the list by scale; compare the objects, not their order.
    std::sort(states.begin(), states.end(),
              [](const ObjectState& a, const ObjectState& b) { return a.object < b.object; });
    return states;
}

// What an enemy or enemy bird that is shot sends.
void ScoreHits(int hits)
{
    for (int i = 0; i < hits; ++i)
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_ADD_SCORE);
}

class PlaythroughTest : public ::testing::Test
{
protected:
    // Down (or Up) until the menu's selection is `item`.
    void SelectMenuItem(int item)
    {
        CMainMenuState* menu = CMainMenuState::GetInstance();
        for (int i = 0; i < 6 && menu->GetSelection() != item; ++i)
            rig.Tap(SDL_SCANCODE_DOWN);
        ASSERT_EQ(menu->GetSelection(), item);
    }
    void ChooseMenuItem(int item)
    {
        SelectMenuItem(item);
        rig.Tap(SDL_SCANCODE_RETURN);
    }
    // Skips the logo with Space.
    void ToTheMenu()
    {
        rig.Tap(SDL_SCANCODE_SPACE);
        ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());
    }
    // Space through the story until the game starts; the number of presses.
    int ThroughTheStory()
    {
        int presses = 0;
        while (rig.Top() == CLevelIntroState1::GetInstance() && presses < 20)
        {
            rig.Tap(SDL_SCANCODE_SPACE);
            ++presses;
        }
        return presses;
    }

    // From the logo through the menu and the story into a new game.
    void IntoANewGame()
    {
        if (rig.Top() == CopperfenLogoState::GetInstance())
            ToTheMenu();
        ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());
        ChooseMenuItem(CMainMenuState::ITEM_PLAY);
        ASSERT_EQ(ThroughTheStory(), 9);
        ASSERT_EQ(rig.Top(), play);
    }

    // The last life lost the way the player's collision reports it.
    void LoseTheLastLife()
    {
        play->SetLives(1);
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_DIED);
        ASSERT_TRUE(rig.Frame());
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CGamePlayState* play = CGamePlayState::GetInstance();
    headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFF000000);
};
} // namespace

TEST_F(PlaythroughTest, FromTheLogoThroughEveryMenuIntoTheGameAndOutOfTheProgram)
{
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();

    // The logo fades in and out without keys; the menu opens after about 12 s.
    ASSERT_EQ(rig.Top(), CopperfenLogoState::GetInstance());
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Top() != CopperfenLogoState::GetInstance(); }, 20000));
    EXPECT_NEAR((rig.Clock().Now() - 10000) / 1000.0, 12.05, 0.1);
    CMainMenuState* menu = CMainMenuState::GetInstance();
    ASSERT_EQ(rig.Top(), menu);
    EXPECT_TRUE(waves->IsWavePlaying(game->GetMusicID()));
    EXPECT_TRUE(headless::FileExists(rig.SettingsPath())) << "entering the menu wrote the settings";

    // Up from the first item selects the sixth, Down wraps back.
    rig.Tap(SDL_SCANCODE_UP);
    EXPECT_EQ(menu->GetSelection(), 5);
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu->GetSelection(), 0);

    // Options: Right held for 2 s raises the music from 50 to about 70; Escape writes the file.
    ChooseMenuItem(CMainMenuState::ITEM_OPTIONS);
    ASSERT_EQ(rig.Top(), COptionsMenuState::GetInstance());
    rig.Hold(SDL_SCANCODE_RIGHT);
    for (int i = 0; i < 125; ++i)
        rig.Frame(16);
    rig.Release(SDL_SCANCODE_RIGHT);
    rig.Frame();
    const float music = game->GetMusicVolume();
    EXPECT_NEAR(music, 70.0f, 0.2f);
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_FLOAT_EQ(saved.fMusicVolume, static_cast<float>(static_cast<int>(music)));
    EXPECT_TRUE(waves->IsWavePlaying(game->GetMusicID())) << "the music runs on across the menus";

    // The credits come back by themselves after 51.2 s.
    ChooseMenuItem(CMainMenuState::ITEM_CREDITS);
    ASSERT_EQ(rig.Top(), CCreditsMenuState::GetInstance());
    const uint32_t creditsStart = rig.Clock().Now();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Top() == menu; }, 60000, 40));
    EXPECT_NEAR((rig.Clock().Now() - creditsStart) / 1000.0, 51.2, 0.1);

    // The high-score table with the defaults, paged with Down and Up.
    ChooseMenuItem(CMainMenuState::ITEM_HIGH_SCORES);
    ASSERT_EQ(rig.Top(), CHighScoreMenuState::GetInstance());
    std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_EQ(headless::CompareText(frame, font, 16, 24, 20, "1. AAA - 0", 145, 113).mismatched, 0);
    rig.Tap(SDL_SCANCODE_DOWN);
    frame = rig.CaptureFrame();
    EXPECT_EQ(headless::CompareText(frame, font, 16, 24, 20, "6. AAA - 0", 145, 113).mismatched, 0);
    rig.Tap(SDL_SCANCODE_UP);
    frame = rig.CaptureFrame();
    EXPECT_EQ(headless::CompareText(frame, font, 16, 24, 20, "1. AAA - 0", 145, 113).mismatched, 0);
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), menu);

    // A new game: the story needs nine presses of Space to reach the game.
    ChooseMenuItem(CMainMenuState::ITEM_PLAY);
    ASSERT_EQ(rig.Top(), CLevelIntroState1::GetInstance());
    EXPECT_TRUE(waves->IsWavePlaying(game->GetMusicID())) << "the menu music plays on through the story";
    EXPECT_EQ(ThroughTheStory(), 9);
    ASSERT_EQ(rig.Top(), CGamePlayState::GetInstance());

    // Back in the menu, the sixth item ends the loop without drawing another frame.
    game->ChangeState(menu);
    rig.Tap(SDL_SCANCODE_UP);
    ASSERT_EQ(menu->GetSelection(), CMainMenuState::ITEM_EXIT);
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->DrawRect(RECT{0, 0, 640, 480}, 255, 0, 0);
    rig.Hold(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(rig.Frame());
    std::vector<uint32_t> backBuffer;
    ASSERT_TRUE(d3d->ReadBackBuffer(backBuffer));
    EXPECT_EQ(headless::FramePixel(backBuffer, 320, 300), 0xFFFF0000u)
        << "no frame was drawn after the choice";
}

TEST_F(PlaythroughTest, PausingFreezesTheGameAndResumingGoesOnWithTheSameScoreAndObjects)
{
    IntoANewGame();
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(rig.Frame(16));
    ScoreHits(2);
    ASSERT_TRUE(rig.Frame(16));
    ASSERT_EQ(play->GetScore(), 20);
    const int lives = play->GetLives();

    // P: the pause screen over the game.
    rig.Hold(SDL_SCANCODE_P);
    ASSERT_TRUE(rig.Frame(16));
    ASSERT_EQ(rig.Top(), CPauseState::GetInstance());
    ASSERT_EQ(rig.Depth(), 2u);
    EXPECT_TRUE(play->IsPaused());
    rig.Release(SDL_SCANCODE_P);
    const std::vector<ObjectState> paused = Objects();
    ASSERT_GT(paused.size(), 10u) << "the player and ten enemies at least";

    // A second of paused frames changes nothing, on screen or in the game.
    const std::vector<uint32_t> first = rig.CaptureFrame(500);
    const std::vector<uint32_t> second = rig.CaptureFrame(500);
    EXPECT_EQ(headless::CountDifferences(first, second, 0, 0, 640, 480), 0);
    EXPECT_EQ(Objects(), paused);
    const headless::Picture cursor = headless::LoadPicture("VKT_MenuCursor.png", 0xFFFFFFFF);
    EXPECT_EQ(headless::CompareSection(second, cursor, 0, 0, 24, 24, 225, 244).mismatched, 0);

    // P again: the event is taken at the end of this frame, the screen leaves in the next.
    rig.Hold(SDL_SCANCODE_P);
    ASSERT_TRUE(rig.Frame(16));
    EXPECT_EQ(rig.Top(), CPauseState::GetInstance());
    ASSERT_TRUE(rig.Frame(16));
    EXPECT_EQ(rig.Top(), play);
    EXPECT_FALSE(play->IsPaused());
    EXPECT_EQ(play->GetScore(), 20);
    EXPECT_EQ(play->GetLives(), lives);
    EXPECT_EQ(Objects(), paused) << "the frame that leaves the pause does not update the game";
    rig.Release(SDL_SCANCODE_P);
    ASSERT_TRUE(rig.Frame(100));
    EXPECT_NE(Objects(), paused) << "and then the game goes on";

    // A third P pauses again; Return on "quit" goes to the main menu.
    rig.Tap(SDL_SCANCODE_P);
    ASSERT_EQ(rig.Top(), CPauseState::GetInstance());
    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Tap(SDL_SCANCODE_RETURN);
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    EXPECT_EQ(rig.Depth(), 1u);
    EXPECT_TRUE(CVKT_ObjectManager::GetInstance()->GetObjects().empty()) << "the game was left";
}

TEST_F(PlaythroughTest, LosingTheLastLifeWithAQualifyingScoreOpensTheScoreEntryOverTheFrozenGame)
{
    tHighScore table[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        table[i] = tHighScore{100 - 10 * i, "OLD"};
    game->SetHighScores(table);
    IntoANewGame();
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(rig.Frame(16));
    ScoreHits(7);
    ASSERT_TRUE(rig.Frame(16));
    ASSERT_EQ(play->GetScore(), 70);

    LoseTheLastLife();
    ASSERT_TRUE(rig.Frame(16));
    CEnterScorestate* entry = CEnterScorestate::GetInstance();
    ASSERT_EQ(rig.Top(), entry) << "a qualifying score opens the entry";
    ASSERT_EQ(rig.Depth(), 2u);
    EXPECT_EQ(game->GetStateStack().front(), play) << "over the game";

    // The game below stands still while the name is typed.
    const std::vector<ObjectState> frozen = Objects();
    const std::vector<uint32_t> before = rig.CaptureFrame(500);
    rig.Type(SDL_SCANCODE_A, "A");
    rig.Type(SDL_SCANCODE_B, "B");
    const std::vector<uint32_t> after = rig.CaptureFrame(500);
    EXPECT_EQ(Objects(), frozen);
    EXPECT_EQ(headless::CountDifferences(before, after, 0, 0, 640, 120), 0) << "above the panel";
    EXPECT_EQ(headless::CountDifferences(before, after, 0, 360, 640, 120), 0) << "below the panel";
    EXPECT_GT(headless::CountDifferences(before, after, 282, 228, 64, 48), 200) << "the two letters";

    // "AB" + Return does not confirm; the carriage return it typed is erased and a third letter
    // with Return does.
    rig.Tap(SDL_SCANCODE_RETURN);
    EXPECT_EQ(rig.Top(), entry);
    EXPECT_EQ(entry->GetName(), std::string("AB\r"));
    rig.Tap(SDL_SCANCODE_BACKSPACE);
    rig.Type(SDL_SCANCODE_C, "C");
    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());
    EXPECT_EQ(rig.Depth(), 1u);

    // 70 goes below the existing 70; the old 10 drops out. Table and file agree.
    const char* const names[NUM_HIGH_SCORES] = {"OLD", "OLD", "OLD", "OLD", "ABC",
                                                "OLD", "OLD", "OLD", "OLD", "OLD"};
    const int points[NUM_HIGH_SCORES] = {100, 90, 80, 70, 70, 60, 50, 40, 30, 20};
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
    {
        EXPECT_EQ(game->GetHighScores()[i].nPoints, points[i]) << i;
        EXPECT_STREQ(game->GetHighScores()[i].szName, names[i]) << i;
        EXPECT_EQ(saved.highScores[i].nPoints, points[i]) << i;
        EXPECT_STREQ(saved.highScores[i].szName, names[i]) << i;
    }
}

TEST_F(PlaythroughTest, AfterALostGameSpaceTellsTheEndingAndANewGameFromTheMenuTheIntroduction)
{
    // A table the game's score cannot enter.
    tHighScore table[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        table[i] = tHighScore{5000, "PRO"};
    game->SetHighScores(table);
    CLevelIntroState1* story = CLevelIntroState1::GetInstance();

    IntoANewGame();
    ScoreHits(3);
    LoseTheLastLife();
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(rig.Frame(16));
    EXPECT_EQ(rig.Top(), play) << "without a key the game stays on its last picture";

    // Space: the story with the ending, then a new game.
    rig.Tap(SDL_SCANCODE_SPACE);
    ASSERT_EQ(rig.Top(), story);
    EXPECT_TRUE(story->IsEnding());
    std::vector<uint32_t> frame = rig.CaptureFrame(5000);
    const headless::Picture small = headless::LoadPicture("OxM_Font1.png", 0xFFFFFFFF);
    EXPECT_EQ(headless::CompareText(frame, small, 8, 12, 20, "Good job, soldier!", 75, 400).mismatched, 0);
    EXPECT_EQ(ThroughTheStory(), 3) << "the first line is complete already: advance, complete, advance";
    ASSERT_EQ(rig.Top(), play);
    EXPECT_EQ(play->GetScore(), 0) << "a new game";
    EXPECT_EQ(play->GetLives(), 3);

    // Lost again; any other key goes to the main menu, and a new game from there opens with the
    // introduction.
    LoseTheLastLife();
    rig.Tap(SDL_SCANCODE_LEFT);
    ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());
    ChooseMenuItem(CMainMenuState::ITEM_PLAY);
    ASSERT_EQ(rig.Top(), story);
    EXPECT_FALSE(story->IsEnding());
    frame = rig.CaptureFrame(10000);
    EXPECT_EQ(headless::CompareText(frame, small, 8, 12, 20, "Hello, comarade! I'm am your Captain!", 75, 400)
                  .mismatched,
              0);
}
