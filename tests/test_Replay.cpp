// Replays on the real game: the input layer answering a recorded frame, damaged files refused before
// anything plays, scripted games recorded and watched again frame for frame, the games kept in
// tests/replays played to their recorded hashes, the watcher's keys, the keeping of the last games
// and of those behind the high scores, and a departure found at its frame.
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CPadInput.h"
#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CReplayRecorder.h"
#include "CReplayStore.h"
#include "ScriptedGames.h"
#include "WinMain.h"

#include "CVKT_DirectInput.h"
#include "CVKT_MessageBox.h"

#include "Files.h"
#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{
using Result = CReplayPlayer::eResult;

const std::string kReplays = headless::SourceDir() + "/tests/replays";

std::vector<std::string> KeptReplayFiles()
{
    std::vector<std::string> files;
    if (DIR* pDir = ::opendir(kReplays.c_str()))
    {
        while (const dirent* pEntry = ::readdir(pDir))
        {
            const std::string name = pEntry->d_name;
            if (name.size() > 7 && name.compare(name.size() - 7, 7, ".replay") == 0)
                files.push_back(kReplays + "/" + name);
        }
        ::closedir(pDir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

tReplay LoadKept(const std::string& name)
{
    tReplay replay;
    EXPECT_EQ(CReplayFile::Load(kReplays + "/" + name, replay), CReplayFile::eError::None) << name;
    return replay;
}

// Messages reported in boxes while it lives.
class Messages
{
public:
    Messages()
    {
        CVKT_MessageBox::SetListener([this](const std::string& title, const std::string& text)
                                     { m_texts.push_back(title + ": " + text); });
    }
    ~Messages() { CVKT_MessageBox::SetListener({}); }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
};

class ReplayTest : public ::testing::Test
{
protected:
    // Watches the record from the high-score table until it ends.
    void Watch(headless::HeadlessGame& rig, const tReplay& replay, uint32_t step = 16)
    {
        CReplayPlayer::GetInstance()->Start(replay, table);
        ASSERT_TRUE(headless::WatchToEnd(rig, step, 200000));
    }

    CReplayPlayer* player = CReplayPlayer::GetInstance();
    CHighScoreMenuState* table = CHighScoreMenuState::GetInstance();
    CGamePlayState* play = CGamePlayState::GetInstance();
};
} // namespace

TEST_F(ReplayTest, TheInputLayerAnswersAFrameUntilItReadsItsDevicesAgain)
{
    headless::HeadlessGame rig;
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    rig.Hold(SDL_SCANCODE_LEFT);
    rig.Frame();
    const tInputFrame real = pDI->GetFrame();
    ASSERT_TRUE(tInputFrame::Bit(real.keysDown, DIK_LEFT));

    tInputFrame recorded;
    tInputFrame::SetBit(recorded.keysDown, DIK_SPACE, true);
    recorded.ucRecordCount = 1;
    recorded.records[0] = tKeyRecord{DIK_X, true, 'x'};
    recorded.usPadButtonsDown = recorded.usPadButtonsPressed = 1u << PAD_SOUTH;
    recorded.ucPadDirectionsDown = 1u << PAD_UP;
    pDI->UseFrame(recorded);
    EXPECT_EQ(pDI->GetFrame(), recorded);
    EXPECT_TRUE(pDI->KeyPressed(DIK_SPACE) && !pDI->KeyDown(DIK_LEFT));
    EXPECT_EQ(pDI->CheckBufferedKeysEx(), 'x');
    EXPECT_EQ(pDI->GetBufferedDIKCodeEx(), DIK_X);
    EXPECT_TRUE(CPadInput::GetInstance()->Confirm() && CPadInput::GetInstance()->FireHeld() &&
                CPadInput::GetInstance()->HeldUp());

    rig.Frame();
    EXPECT_TRUE(pDI->KeyDown(DIK_LEFT) && !pDI->KeyPressed(DIK_LEFT)) << "held on, not pressed again";
    EXPECT_FALSE(pDI->KeyDown(DIK_SPACE) || pDI->CheckBufferedKeysEx() != 0 || pDI->PadButtonDown(PAD_SOUTH));
}

TEST_F(ReplayTest, EveryKeptFileReadsBackToItsOwnBytes)
{
    const std::vector<std::string> files = KeptReplayFiles();
    ASSERT_GE(files.size(), 3u);
    for (const std::string& file : files)
    {
        const std::string bytes = headless::ReadFile(file);
        tReplay replay;
        ASSERT_EQ(CReplayFile::Parse(bytes, replay), CReplayFile::eError::None) << file;
        EXPECT_EQ(CReplayFile::Serialize(replay), bytes) << file;
    }
}

TEST_F(ReplayTest, DamagedRecordsAreRefusedWithTheirMessageAndNothingPlays)
{
    const std::string good = headless::ReadFile(kReplays + "/game-over.replay");
    auto withChecksum = [](std::string bytes)
    {
        const uint32_t crc = CReplayFile::Crc32(bytes.data(), bytes.size() - 4);
        for (int i = 0; i < 4; ++i)
            bytes[bytes.size() - 4 + i] = static_cast<char>(crc >> (8 * i));
        return bytes;
    };
    std::string future = good;
    future[4] = static_cast<char>(CReplayFile::FORMAT_VERSION + 1);
    std::string changed = good;
    changed[good.size() / 2] ^= 0x10;
    std::mt19937 random(4096);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string checkedNoise = withChecksum(good.substr(0, 6) + noise);
    const struct
    {
        const char* what;
        std::string bytes;
        CReplayFile::eError error;
        const char* says;
    } cases[] = {
        {"cut short", good.substr(0, good.size() / 2), CReplayFile::eError::Damaged, "is damaged"},
        {"cut to a few bytes", good.substr(0, 3), CReplayFile::eError::NotAReplay,
         "is not a Talonreach replay"},
        {"a changed byte", changed, CReplayFile::eError::Damaged, "is damaged"},
        {"a wrong checksum", good.substr(0, good.size() - 1) + static_cast<char>(good.back() ^ 0x01),
         CReplayFile::eError::Damaged, "is damaged"},
        {"a future version", withChecksum(future), CReplayFile::eError::FutureVersion, "newer version"},
        {"random bytes", noise, CReplayFile::eError::NotAReplay, "is not a Talonreach replay"},
        {"random frames, checksum right", checkedNoise, CReplayFile::eError::Damaged, "is damaged"},
        {"empty", std::string(), CReplayFile::eError::NotAReplay, "is not a Talonreach replay"},
    };

    // The file stands behind the best entry of the table; Return there must refuse it.
    headless::HeadlessGame rig;
    tHighScore scores[NUM_HIGH_SCORES] = {};
    scores[0] = tHighScore{20, "REC"};
    CGame::GetInstance()->SetHighScores(scores);
    const std::string folder = CReplayStore::GetInstance()->Folder();
    headless::MakeDirs(folder);
    headless::WriteFile(folder + "/highscores.txt", "20\t524543\t20260101-000000-00.replay\n");
    for (const auto& c : cases)
    {
        tReplay replay;
        replay.nScore = 777;
        EXPECT_EQ(CReplayFile::Parse(c.bytes, replay), c.error) << c.what;
        EXPECT_EQ(replay.nScore, 777) << c.what << ": nothing of it was taken";

        const std::string path = folder + "/20260101-000000-00.replay";
        headless::WriteFile(path, c.bytes);
        CGame::GetInstance()->ChangeState(table);
        EXPECT_TRUE(table->CanWatch()) << "the table offers the entry's game";
        Messages messages;
        rig.Tap(SDL_SCANCODE_RETURN);
        rig.Run(100);
        ASSERT_EQ(messages.Texts().size(), 1u) << c.what;
        EXPECT_NE(messages.Texts()[0].find("Replay Error: "), std::string::npos) << messages.Texts()[0];
        EXPECT_NE(messages.Texts()[0].find(path), std::string::npos) << messages.Texts()[0];
        EXPECT_NE(messages.Texts()[0].find(c.says), std::string::npos) << messages.Texts()[0];
        EXPECT_FALSE(player->IsWatching()) << c.what;
        EXPECT_EQ(rig.Top(), table) << c.what;
    }
    EXPECT_EQ(WatchReplay((folder + "/20260101-000000-00.replay").c_str()), 1)
        << "the command line refuses it before a window opens";
}

TEST_F(ReplayTest, AScriptedGameRecordedIsWatchedFrameForFrameAndWritesNothing)
{
    for (const headless::ScriptedGame& script : headless::ScriptedGames())
    {
        headless::HeadlessGame rig;
        CReplayRecorder::GetInstance()->Enable(true);
        std::srand(headless::SCRIPTED_GAMES_SEED);
        ASSERT_TRUE(script.pfnPlay(rig)) << script.szName;
        const tReplay record = CReplayRecorder::GetInstance()->GetLastRecord();
        EXPECT_EQ(record.end, script.end) << script.szName;
        const std::vector<std::string> kept = CReplayStore::GetInstance()->KeptGames();
        ASSERT_EQ(kept.size(), 1u) << script.szName;
        tReplay fromFile;
        ASSERT_EQ(CReplayFile::Load(CReplayStore::GetInstance()->Folder() + "/" + kept[0], fromFile),
                  CReplayFile::eError::None);
        EXPECT_EQ(fromFile.vFrames.size(), record.vFrames.size()) << script.szName;

        const std::string settings = rig.SettingsText();
        Watch(rig, fromFile);
        EXPECT_EQ(player->GetResult(), Result::Played)
            << script.szName << " departed at " << player->GetDepartedFrame();
        EXPECT_EQ(player->GetFramesPlayed(), record.vFrames.size()) << script.szName;
        EXPECT_EQ(play->GetScore(), record.nScore) << script.szName;
        EXPECT_EQ(play->GetLives(), record.nLives) << script.szName;
        EXPECT_EQ(rig.Top(), table) << script.szName;
        EXPECT_EQ(rig.SettingsText(), settings) << script.szName << ": watching wrote the settings";
        EXPECT_EQ(CReplayStore::GetInstance()->KeptGames(), kept) << script.szName << ": it recorded itself";
        CReplayRecorder::GetInstance()->Enable(false);
    }
}

TEST_F(ReplayTest, TheKeptGamesReplayToTheirRecordedHashes)
{
    const std::vector<std::string> files = KeptReplayFiles();
    ASSERT_GE(files.size(), 3u);
    for (const std::string& file : files)
    {
        tReplay replay;
        ASSERT_EQ(CReplayFile::Load(file, replay), CReplayFile::eError::None) << file;
        // A watcher's frames longer than the recorded ones (four recorded frames to each) and
        // shorter (each recorded frame drawn three or four times): the game is the same either way.
        for (const uint32_t step : {64u, 5u})
        {
            SCOPED_TRACE(testing::Message() << file << ", frames of " << step << " ms");
            headless::HeadlessGame rig;
            Watch(rig, replay, step);
            EXPECT_EQ(player->GetResult(), Result::Played)
                << "departed at frame " << player->GetDepartedFrame();
            EXPECT_EQ(player->GetFramesPlayed(), replay.vFrames.size());
            EXPECT_EQ(play->GetScore(), replay.nScore);
            EXPECT_EQ(std::min(play->GetLevel(), 3), replay.nLevel);
        }
    }
}

TEST_F(ReplayTest, AChangedRecordDepartsAtItsFrameAndSaysSo)
{
    const tReplay good = LoadKept("codes.replay");
    ASSERT_GT(good.vFrames.size(), 400u);
    const struct
    {
        const char* what;
        void (*change)(tReplay&);
        int frame;
    } cases[] = {
        {"a wrong hash", [](tReplay& r) { r.vFrames[200].uStateHash ^= 1u; }, 200},
        {"a longer frame", [](tReplay& r) { r.vFrames[150].uElapsedMs += 50; }, 150},
        {"another seed", [](tReplay& r) { r.start.uSeed ^= 0x5A5Au; }, 0},
        {"a press that was not made",
         [](tReplay& r) { tInputFrame::SetBit(r.vFrames[300].input.keysDown, DIK_RIGHT, true); }, 300},
    };
    for (const auto& c : cases)
    {
        tReplay changed = good;
        c.change(changed);
        headless::HeadlessGame rig;
        Messages messages;
        Watch(rig, changed);
        EXPECT_EQ(player->GetResult(), Result::Departed) << c.what;
        EXPECT_EQ(player->GetDepartedFrame(), c.frame) << c.what;
        ASSERT_EQ(messages.Texts().size(), 1u) << c.what;
        EXPECT_NE(messages.Texts()[0].find("departs from its recorded game at frame " +
                                           std::to_string(c.frame + 1)),
                  std::string::npos)
            << messages.Texts()[0];
        EXPECT_EQ(rig.Top(), table) << c.what;
    }
}

TEST_F(ReplayTest, TheWatcherPausesChangesTheSpeedAndLeavesWithTheMarkShown)
{
    headless::HeadlessGame rig;
    const headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFFFFFFFF);
    auto markShown = [&](const std::string& mark)
    {
        const std::vector<uint32_t> frame = rig.CaptureFrame();
        return headless::CompareText(frame, font, 16, 24, 20, mark,
                                     640 - 8 - 16 * static_cast<int>(mark.size()), 8)
                   .mismatched == 0;
    };
    player->Start(LoadKept("game-over.replay"), table);
    rig.Run(320);
    EXPECT_TRUE(markShown("REPLAY"));
    EXPECT_NEAR(player->GetFramesPlayed(), 21u, 1u) << "one recorded frame per frame of 16 ms";

    rig.Tap(SDL_SCANCODE_RIGHT);
    rig.Tap(SDL_SCANCODE_RIGHT);
    rig.Tap(SDL_SCANCODE_RIGHT);
    EXPECT_EQ(player->GetSpeed(), 4) << "x1, x2, x4 and no further";
    uint32_t before = player->GetFramesPlayed();
    rig.Run(160);
    EXPECT_NEAR(player->GetFramesPlayed() - before, 40u, 4u) << "four recorded frames per frame";
    EXPECT_TRUE(markShown("REPLAY x4"));
    rig.Tap(SDL_SCANCODE_LEFT);
    EXPECT_EQ(player->GetSpeed(), 2);

    rig.Tap(SDL_SCANCODE_SPACE);
    before = player->GetFramesPlayed();
    rig.Run(500);
    EXPECT_EQ(player->GetFramesPlayed(), before) << "paused";
    EXPECT_TRUE(markShown("REPLAY x2 PAUSED"));
    rig.LoseFocus();
    rig.Frame();
    rig.GainFocus();
    rig.Tap(SDL_SCANCODE_SPACE);
    rig.Run(100);
    EXPECT_GT(player->GetFramesPlayed(), before) << "going on, the focus loss paused nothing of the game";
    EXPECT_EQ(rig.Top(), play);

    rig.Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(player->GetResult(), Result::Left);
    EXPECT_EQ(rig.Top(), table);
}

TEST_F(ReplayTest, TheTableWatchesThePagesBestGameByReturnOrSouthAndEastLeaves)
{
    headless::HeadlessGame rig;
    CReplayStore* store = CReplayStore::GetInstance();
    tHighScore none[NUM_HIGH_SCORES] = {};
    tHighScore scores[NUM_HIGH_SCORES] = {};
    scores[0] = tHighScore{20, "REC"};
    CGame::GetInstance()->SetHighScores(scores);
    store->ScoreEntered(none, scores, store->Keep(LoadKept("game-over.replay")));
    headless::VirtualPad& pad = rig.PlugPad();
    rig.Run(100);
    const struct
    {
        const char* what;
        std::function<void()> watch;
        std::function<void()> leave;
    } ways[] = {
        {"Return, Escape", [&] { rig.Tap(SDL_SCANCODE_RETURN); }, [&] { rig.Tap(SDL_SCANCODE_ESCAPE); }},
        {"South, East", [&] { rig.Tap(pad, SDL_CONTROLLER_BUTTON_A); },
         [&] { rig.Tap(pad, SDL_CONTROLLER_BUTTON_B); }},
    };
    for (const auto& way : ways)
    {
        CGame::GetInstance()->ChangeState(table);
        rig.Frame();
        ASSERT_TRUE(table->CanWatch()) << way.what;
        way.watch();
        rig.Run(200);
        EXPECT_TRUE(player->IsWatching()) << way.what;
        EXPECT_EQ(rig.Top(), play) << way.what;
        way.leave();
        EXPECT_EQ(player->GetResult(), Result::Left) << way.what;
        EXPECT_EQ(rig.Top(), table) << way.what;
    }
    // The second page's best entry has no game: Return there plays nothing.
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_FALSE(table->CanWatch());
    rig.Tap(SDL_SCANCODE_RETURN);
    rig.Run(100);
    EXPECT_FALSE(player->IsWatching());
    EXPECT_EQ(rig.Top(), table);
}

TEST_F(ReplayTest, TheLastGamesAndTheGamesBehindTheHighScoresAreKept)
{
    headless::HeadlessGame rig;
    CReplayStore* store = CReplayStore::GetInstance();
    CGame* game = CGame::GetInstance();
    tReplay replay = LoadKept("pad.replay");
    auto keep = [&](int64_t nDate)
    {
        replay.nDate = nDate;
        return store->Keep(replay);
    };
    tHighScore none[NUM_HIGH_SCORES] = {};
    game->SetHighScores(none);
    tHighScore best[NUM_HIGH_SCORES] = {};
    best[0] = tHighScore{500, "ONE"};
    const std::string first = keep(1000);
    ASSERT_TRUE(CReplayStore::IsGameFileName(first)) << first;
    game->SetHighScores(best);
    store->ScoreEntered(none, best, first);
    EXPECT_EQ(store->FileForEntry(0), store->Folder() + "/" + first);
    EXPECT_EQ(store->FileForEntry(1), "");

    // A better score moves the first one's game down with it.
    tHighScore better[NUM_HIGH_SCORES] = {};
    better[0] = tHighScore{900, "TWO"};
    better[1] = best[0];
    const std::string second = keep(1000);
    EXPECT_NE(second, first) << "two games of the same second";
    game->SetHighScores(better);
    store->ScoreEntered(best, better, second);
    EXPECT_EQ(store->FileForEntry(0), store->Folder() + "/" + second);
    EXPECT_EQ(store->FileForEntry(1), store->Folder() + "/" + first);

    for (int64_t nDate = 2000; nDate < 2012; ++nDate)
        keep(nDate);
    const std::vector<std::string> kept = store->KeptGames();
    EXPECT_EQ(kept.size(), CReplayStore::KEEP_LAST + 2) << "the last ten and the two behind the table";
    EXPECT_EQ(kept.front(), first);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), keep(1999)), 0) << "an old game behind no entry goes";

    better[1].szName[0] = 'X';
    game->SetHighScores(better);
    EXPECT_EQ(store->FileForEntry(1), "") << "a table changed by hand shows no other game";
}

TEST_F(ReplayTest, AGameThatCannotBeKeptLosesItsReplayButNotItsScore)
{
    headless::HeadlessGame rig;
    CReplayRecorder::GetInstance()->Enable(true);
    // Something that is no folder stands where the replays go.
    headless::WriteFile(CReplayStore::GetInstance()->Folder(), "in the way");
    Messages messages;
    std::srand(headless::SCRIPTED_GAMES_SEED);
    ASSERT_TRUE(headless::ScriptedGames()[0].pfnPlay(rig));
    const int nScore = CReplayRecorder::GetInstance()->GetLastRecord().nScore;
    ASSERT_GT(nScore, 0);
    EXPECT_EQ(CReplayRecorder::GetInstance()->GetLastFile(), "");
    EXPECT_NE(rig.SettingsText().find("points=\"" + std::to_string(nScore) + "\">REC<"), std::string::npos)
        << rig.SettingsText();
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts()[0].rfind("Replay Error: The games cannot be kept in ", 0), 0u)
        << messages.Texts()[0];
    const size_t uSaid = messages.Texts().size();
    EXPECT_EQ(CReplayStore::GetInstance()->Keep(CReplayRecorder::GetInstance()->GetLastRecord()), "");
    EXPECT_EQ(messages.Texts().size(), uSaid) << "the failure is said once a run";
    CReplayRecorder::GetInstance()->Enable(false);
}

TEST_F(ReplayTest, AFullDiskLosesTheWholeReplayAndKeepsTheScore)
{
    headless::HeadlessGame rig;
    CReplayRecorder::GetInstance()->Enable(true);
    // Files may grow to 4 KB while the game is played: the settings file fits, the record does not.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    void (*pOldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::srand(headless::SCRIPTED_GAMES_SEED);
    const bool bPlayed = headless::ScriptedGames()[0].pfnPlay(rig);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, pOldHandler);
    ASSERT_TRUE(bPlayed);

    const int nScore = CReplayRecorder::GetInstance()->GetLastRecord().nScore;
    ASSERT_GT(CReplayFile::Serialize(CReplayRecorder::GetInstance()->GetLastRecord()).size(), 4096u);
    EXPECT_EQ(CReplayRecorder::GetInstance()->GetLastFile(), "");
    std::vector<std::string> left;
    if (DIR* pDir = ::opendir(CReplayStore::GetInstance()->Folder().c_str()))
    {
        while (const dirent* pEntry = ::readdir(pDir))
        {
            if (pEntry->d_name[0] != '.')
                left.push_back(pEntry->d_name);
        }
        ::closedir(pDir);
    }
    EXPECT_EQ(left, std::vector<std::string>()) << "no piece of the record is left behind";
    EXPECT_NE(rig.SettingsText().find("points=\"" + std::to_string(nScore) + "\">REC<"), std::string::npos)
        << rig.SettingsText();
    CReplayRecorder::GetInstance()->Enable(false);
}
