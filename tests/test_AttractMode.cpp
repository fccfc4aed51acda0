// The title showing the game by itself: the idle minute on the main menu counted on the game's
// clock, the demo (the best kept game or a shipped one, in turns) marked and ended by its time or by
// any press that does nothing else, files that cannot be shown passed over quietly, and nothing
// written by a demo. The shipped demos play to their recorded hashes and show a game worth showing.
#include "CAttractMode.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CMainMenuState.h"
#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CReplayStore.h"
#include "DemoGames.h"
#include "GameResourceFiles.h"
#include "ScriptedGames.h"

#include "HeadlessGame.h"
#include "Files.h"
#include "MessageRecorder.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace
{
constexpr uint32_t STEP_MS = 100;

CReplayPlayer* Player()
{
    return CReplayPlayer::GetInstance();
}

CMainMenuState* Menu()
{
    return CMainMenuState::GetInstance();
}

bool ShowingDemo()
{
    return Player()->IsWatching() && Player()->IsDemo();
}

// The names in a folder, sorted; empty when there is none.
std::vector<std::string> Listing(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* pDir = ::opendir(folder.c_str()))
    {
        while (const dirent* pEntry = ::readdir(pDir))
            names.push_back(pEntry->d_name);
        ::closedir(pDir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

tReplay LoadKept(const std::string& file)
{
    tReplay replay;
    EXPECT_EQ(CReplayFile::Load(headless::SourceDir() + "/tests/replays/" + file, replay),
              CReplayFile::eError::None)
        << file;
    return replay;
}

tReplay LoadDemo(const std::string& file)
{
    tReplay replay;
    EXPECT_EQ(CReplayFile::Load(headless::BuildDir() + "/Resource/Demos/" + file, replay),
              CReplayFile::eError::None)
        << file;
    return replay;
}

// Keeps the record as the game behind the table's first entry.
void KeepAsBest(const tReplay& replay)
{
    CReplayStore* store = CReplayStore::GetInstance();
    tHighScore none[NUM_HIGH_SCORES] = {};
    tHighScore best[NUM_HIGH_SCORES] = {};
    best[0] = tHighScore{replay.nScore, "TOP"};
    CGame::GetInstance()->SetHighScores(none);
    const std::string file = store->Keep(replay);
    ASSERT_FALSE(file.empty());
    CGame::GetInstance()->SetHighScores(best);
    store->ScoreEntered(none, best, file);
    ASSERT_EQ(store->FileForEntry(0), store->Folder() + "/" + file);
}

class AttractModeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CGame::GetInstance()->ChangeState(Menu());
        game.Frame();
    }

    // Idle on the menu until a demo starts; the record it shows.
    const tReplay& IdleIntoDemo()
    {
        game.RunUntil(ShowingDemo, 62000, STEP_MS);
        EXPECT_TRUE(ShowingDemo());
        return Player()->GetReplay();
    }

    headless::HeadlessGame game;
    headless::MessageRecorder reports;
};
} // namespace

TEST_F(AttractModeTest, AMinuteLeftAloneOnTheMenuStartsADemoThatEndsByItselfAfter45Seconds)
{
    game.Run(59000, STEP_MS);
    EXPECT_EQ(game.Top(), Menu());
    EXPECT_FALSE(Player()->IsWatching());
    game.Run(2000, STEP_MS);
    ASSERT_TRUE(ShowingDemo());
    EXPECT_EQ(game.Top(), CGamePlayState::GetInstance()) << "the demo is drawn as play";

    // It started within the last second; its own time ends it.
    game.Run(CReplayPlayer::DEMO_MS - 2000, STEP_MS);
    EXPECT_TRUE(ShowingDemo());
    game.Run(2000, STEP_MS);
    EXPECT_FALSE(Player()->IsWatching());
    EXPECT_EQ(game.Top(), Menu());
    EXPECT_TRUE(reports.All().empty());

    // The menu counts its minute again from its return.
    game.Run(59000, STEP_MS);
    EXPECT_FALSE(Player()->IsWatching());
    game.Run(2000, STEP_MS);
    EXPECT_TRUE(ShowingDemo());
}

TEST_F(AttractModeTest, AnyInputOnTheMenuStartsTheMinuteAfresh)
{
    for (int nRound = 0; nRound < 3; ++nRound)
    {
        game.Run(50000, STEP_MS);
        game.QuickTap(SDL_SCANCODE_DOWN);
    }
    EXPECT_FALSE(Player()->IsWatching()) << "150 s on the menu, never a minute alone";
    game.Run(CAttractMode::IDLE_SECONDS * 1000 + 1000, STEP_MS);
    EXPECT_TRUE(ShowingDemo());
}

TEST_F(AttractModeTest, AnyPressEndsTheDemoAtOnceAndDoesNothingElse)
{
    struct tPress
    {
        const char* szName;
        void (*pfnPress)(headless::HeadlessGame&);
    };
    const tPress presses[] = {
        {"Return", [](headless::HeadlessGame& g) { g.QuickTap(SDL_SCANCODE_RETURN); }},
        {"Space held",
         [](headless::HeadlessGame& g)
         {
             g.Hold(SDL_SCANCODE_SPACE);
             g.Frame();
         }},
        {"a mouse click",
         [](headless::HeadlessGame& g)
         {
             headless::PushMouseButton(SDL_BUTTON_LEFT, true);
             headless::PushMouseButton(SDL_BUTTON_LEFT, false);
             g.Frame();
         }},
    };
    for (const tPress& press : presses)
    {
        IdleIntoDemo();
        game.Run(3000, STEP_MS);
        press.pfnPress(game);
        EXPECT_FALSE(Player()->IsWatching()) << press.szName;
        EXPECT_EQ(game.Top(), Menu()) << press.szName;
        game.Release(SDL_SCANCODE_SPACE);
        game.Run(500, STEP_MS);
        EXPECT_EQ(game.Top(), Menu()) << press.szName << ": the press chose no menu item";
        EXPECT_EQ(Menu()->GetSelection(), CMainMenuState::ITEM_PLAY) << press.szName;
    }

    headless::VirtualPad& pad = game.PlugPad();
    IdleIntoDemo();
    game.QuickTap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(Player()->IsWatching()) << "a pad's South";
    game.Run(500, STEP_MS);
    EXPECT_EQ(game.Top(), Menu());
}

TEST_F(AttractModeTest, ADemoWritesNoSettingsAndNoReplay)
{
    // The file's identity too: a save writes a new file in its place, even with the same bytes.
    struct stat before = {};
    ASSERT_EQ(::stat(game.SettingsPath().c_str(), &before), 0);
    const std::string settings = headless::ReadFile(game.SettingsPath());
    const std::string replays = game.Folder() + "/Resource/replays";
    const std::vector<std::string> kept = Listing(replays);
    IdleIntoDemo();
    game.Run(CReplayPlayer::DEMO_MS + 1000, STEP_MS);
    ASSERT_EQ(game.Top(), Menu());
    EXPECT_EQ(headless::ReadFile(game.SettingsPath()), settings);
    struct stat after = {};
    ASSERT_EQ(::stat(game.SettingsPath().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Listing(replays), kept);
}

TEST_F(AttractModeTest, TheBestKeptGameTakesTurnsWithTheShippedDemos)
{
    const tReplay best = LoadKept("game-over.replay");
    KeepAsBest(best);
    std::vector<int> shown;
    for (int nTurn = 0; nTurn < 4; ++nTurn)
    {
        shown.push_back(IdleIntoDemo().nScore);
        game.QuickTap(SDL_SCANCODE_ESCAPE);
    }
    const int first = LoadDemo(headless::DemoGames()[0].szFile).nScore;
    const int second = LoadDemo(headless::DemoGames()[1].szFile).nScore;
    ASSERT_EQ(std::set<int>({best.nScore, first, second}).size(), 3u) << "the turns must be told apart";
    EXPECT_EQ(shown, (std::vector<int>{best.nScore, first, second, best.nScore}))
        << "the best kept game, then each shipped demo in turn";
    EXPECT_TRUE(reports.All().empty());
}

TEST_F(AttractModeTest, AKeptGameOfANewerFormatIsPassedOverQuietly)
{
    KeepAsBest(LoadKept("game-over.replay"));
    const std::string path = CReplayStore::GetInstance()->FileForEntry(0);
    std::string bytes = headless::ReadFile(path);
    bytes[4] = static_cast<char>(CReplayFile::FORMAT_VERSION + 1);
    const uint32_t crc = CReplayFile::Crc32(bytes.data(), bytes.size() - 4);
    for (int i = 0; i < 4; ++i)
        bytes[bytes.size() - 4 + i] = static_cast<char>(crc >> (8 * i));
    headless::WriteFile(path, bytes);
    EXPECT_EQ(IdleIntoDemo().nScore, LoadDemo(headless::DemoGames()[0].szFile).nScore) << "a shipped demo";
    EXPECT_TRUE(reports.All().empty());
}

TEST_F(AttractModeTest, ADemoThatDepartsFromItsRecordEndsQuietlyAndIsNotShownAgain)
{
    tReplay changed = LoadKept("game-over.replay");
    changed.vFrames[40].uStateHash ^= 1u;
    KeepAsBest(changed);
    ASSERT_EQ(IdleIntoDemo().nScore, changed.nScore);
    game.RunUntil([] { return !Player()->IsWatching(); }, 5000, STEP_MS);
    EXPECT_EQ(Player()->GetResult(), CReplayPlayer::eResult::Departed);
    EXPECT_EQ(game.Top(), Menu());
    for (int nTurn = 0; nTurn < 3; ++nTurn)
    {
        EXPECT_NE(IdleIntoDemo().nScore, changed.nScore) << "turn " << nTurn;
        game.QuickTap(SDL_SCANCODE_ESCAPE);
    }
    EXPECT_TRUE(reports.All().empty()) << reports.All().front().text;
}

TEST(ShippedDemos, EachPlaysToItsEndAsRecordedAndShowsAGameWorthShowing)
{
    for (const headless::DemoGame& demo : headless::DemoGames())
    {
        headless::HeadlessGame game;
        const tReplay replay = LoadDemo(demo.szFile);
        Player()->Start(replay, CHighScoreMenuState::GetInstance());
        ASSERT_TRUE(headless::WatchToEnd(game, 64, 100000)) << demo.szFile;
        EXPECT_EQ(Player()->GetResult(), CReplayPlayer::eResult::Played)
            << demo.szFile << " departed at frame " << Player()->GetDepartedFrame();
        EXPECT_EQ(Player()->GetFramesPlayed(), replay.vFrames.size()) << demo.szFile;
        EXPECT_GE(replay.nScore, 30) << demo.szFile << ": hits enemies";
        EXPECT_GE(replay.nLives, 2) << demo.szFile << ": keeps out of the enemy fire";
        EXPECT_GE(replay.PlayedMilliseconds(), CReplayPlayer::DEMO_MS) << demo.szFile;
    }
    EXPECT_EQ(headless::DemoGames().size(), sizeof DEMO_FILES / sizeof DEMO_FILES[0]);
}
