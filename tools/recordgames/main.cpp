// recordgames: plays every scripted game of the headless library with recording on, checks that it
// ended the way its script meant and that it replays to its recorded hashes, and writes its record
// as <output folder>/<name>.replay. Usage: recordgames <output folder>.
//
// With --demos it records the demos the title shows instead (the headless library's DemoGames), and
// checks that each looks like a game worth showing: at least MIN_DEMO_SCORE points, no game over and
// at most one life lost in at least MIN_DEMO_MS of play. Usage: recordgames --demos <output folder>.
#include "DemoGames.h"
#include "HeadlessGame.h"
#include "ScriptedGames.h"

#include "CHighScoreMenuState.h"
#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CReplayRecorder.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace
{
// The game's own rules decide everything else; the start of the random numbers is fixed for each
// game, so that making the files again from the same game gives the same files.
constexpr unsigned kSeed = headless::SCRIPTED_GAMES_SEED;
constexpr int MIN_DEMO_SCORE = 30;
constexpr uint64_t MIN_DEMO_MS = 30000;

tReplay Record(const char* szName, bool (*pfnPlay)(headless::HeadlessGame&), eReplayEnd end)
{
    headless::HeadlessGame::Options options;
    options.record = true;
    headless::HeadlessGame game(options);
    if (!pfnPlay(game))
        throw std::runtime_error(std::string(szName) + ": the script did not get through");
    const tReplay& record = CReplayRecorder::GetInstance()->GetLastRecord();
    if (record.vFrames.empty() || record.end != end)
        throw std::runtime_error(std::string(szName) + ": the game did not end as its script meant");
    return record;
}

void CheckShowable(const char* szName, const tReplay& record)
{
    if (record.nScore < MIN_DEMO_SCORE || record.nLives < 2 || record.PlayedMilliseconds() < MIN_DEMO_MS)
        throw std::runtime_error(std::string(szName) + ": not a game worth showing (score " +
                                 std::to_string(record.nScore) + ", lives " + std::to_string(record.nLives) +
                                 ", " + std::to_string(record.PlayedMilliseconds()) + " ms)");
}

void CheckReplay(const char* szName, const tReplay& record)
{
    headless::HeadlessGame game;
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    pPlayer->Start(record, CHighScoreMenuState::GetInstance());
    if (!headless::WatchToEnd(game, 64, 100000) || pPlayer->GetResult() != CReplayPlayer::eResult::Played)
        throw std::runtime_error(std::string(szName) + ": the record does not replay as it was played");
}

void Write(const std::string& path, tReplay record, const char* szName)
{
    // A fixed date: the files change only when the games do.
    record.nDate = 0;
    CheckReplay(szName, record);
    if (!CReplayFile::Save(path, record))
        throw std::runtime_error("cannot write " + path);
    std::printf("%s: %zu frames (%.1f s), level %d, score %d, lives %d\n", path.c_str(),
                record.vFrames.size(), static_cast<double>(record.PlayedMilliseconds()) / 1000.0,
                static_cast<int>(record.nLevel), static_cast<int>(record.nScore),
                static_cast<int>(record.nLives));
}

void RecordScriptedGames(const std::string& folder)
{
    for (const headless::ScriptedGame& script : headless::ScriptedGames())
    {
        std::srand(kSeed);
        Write(folder + "/" + script.szName + ".replay", Record(script.szName, script.pfnPlay, script.end),
              script.szName);
    }
}

void RecordDemos(const std::string& folder)
{
    for (const headless::DemoGame& demo : headless::DemoGames())
    {
        std::srand(demo.uSeed);
        const tReplay record = Record(demo.szFile, headless::PlayDemoGame, eReplayEnd::Quit);
        CheckShowable(demo.szFile, record);
        Write(folder + "/" + demo.szFile, record, demo.szFile);
    }
}
} // namespace

int main(int argc, char** argv)
{
    const bool bDemos = argc == 3 && std::string(argv[1]) == "--demos";
    if (argc != 2 && !bDemos)
    {
        std::fprintf(stderr, "usage: %s [--demos] <output folder>\n", argv[0]);
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    try
    {
        if (bDemos)
            RecordDemos(argv[2]);
        else
            RecordScriptedGames(argv[1]);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "recordgames: %s\n", error.what());
        return 1;
    }
    return 0;
}
