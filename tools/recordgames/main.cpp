// recordgames: plays every scripted game of the headless library with recording on, checks that it
// ended the way its script meant and that it replays to its recorded hashes, and writes its record
// as <output folder>/<name>.replay. Usage: recordgames <output folder>.
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

tReplay Record(const headless::ScriptedGame& script)
{
    headless::HeadlessGame::Options options;
    options.record = true;
    headless::HeadlessGame game(options);
    if (!script.pfnPlay(game))
        throw std::runtime_error(std::string(script.szName) + ": the script did not get through");
    const tReplay& record = CReplayRecorder::GetInstance()->GetLastRecord();
    if (record.vFrames.empty() || record.end != script.end)
        throw std::runtime_error(std::string(script.szName) + ": the game did not end as its script meant");
    return record;
}

void CheckReplay(const char* szName, const tReplay& record)
{
    headless::HeadlessGame game;
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    pPlayer->Start(record, CHighScoreMenuState::GetInstance());
    if (!headless::WatchToEnd(game, 64, 100000) || pPlayer->GetResult() != CReplayPlayer::eResult::Played)
        throw std::runtime_error(std::string(szName) + ": the record does not replay as it was played");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    try
    {
        for (const headless::ScriptedGame& script : headless::ScriptedGames())
        {
            std::srand(kSeed);
            tReplay record = Record(script);
            // A fixed date: the files change only when the games do.
            record.nDate = 0;
            CheckReplay(script.szName, record);
            const std::string path = std::string(argv[1]) + "/" + script.szName + ".replay";
            if (!CReplayFile::Save(path, record))
                throw std::runtime_error("cannot write " + path);
            std::printf("%s: %zu frames, level %d, score %d, lives %d\n", path.c_str(), record.vFrames.size(),
                        static_cast<int>(record.nLevel), static_cast<int>(record.nScore),
                        static_cast<int>(record.nLives));
        }
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "recordgames: %s\n", error.what());
        return 1;
    }
    return 0;
}
