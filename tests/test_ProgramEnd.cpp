// The whole program ended by SIGTERM, SIGINT or SIGHUP: it shuts down through its normal path and
// exits with 128 + the signal's number. Each run is a child process with a working folder of its own.
#include "WinMain.h"

#include "Files.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
// True when process `pid` has a handler of its own for nSignal (the SigCgt mask in /proc).
bool Catches(pid_t pid, int nSignal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
    {
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (nSignal - 1)) & 1;
    }
    return false;
}

class ProgramEndTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        headless::MakeDirs(dir / "Resource");
        std::filesystem::create_directory_symlink(headless::BuildDir() + "/Resource/Graphics",
                                                  dir / "Resource/Graphics");
        std::filesystem::create_directory_symlink(headless::BuildDir() + "/Resource/Sound",
                                                  dir / "Resource/Sound");
    }

    // Starts the real program in a child. The stop signals start with their default action, as they
    // do for a game started from a desktop.
    pid_t StartGame() const
    {
        const pid_t child = fork();
        if (child != 0)
            return child;
        for (int nSignal : {SIGTERM, SIGINT, SIGHUP})
            signal(nSignal, SIG_DFL);
        if (chdir(dir.Path().c_str()) != 0)
            _exit(100);
        _exit(WinMain(nullptr, nullptr, "", 0));
    }

    headless::ScopedTempDir dir;
};
} // namespace

TEST_P(ProgramEndTest, AStopSignalEndsTheGameWith128PlusItsNumber)
{
    const int nSignal = GetParam();
    const pid_t game = StartGame();
    ASSERT_GT(game, 0);
    // Sent once the game's handler is in place: before that the default action would kill it. The
    // limit only keeps a broken build from hanging the suite.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Catches(game, nSignal) && std::chrono::steady_clock::now() < giveUp)
    {
        ASSERT_EQ(waitpid(game, nullptr, WNOHANG), 0) << "the game ended before it handled the signal";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(Catches(game, nSignal)) << "the game never installed its handler";
    ASSERT_EQ(kill(game, nSignal), 0);

    int status = 0;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status) << " instead of shutting down";
    EXPECT_EQ(WEXITSTATUS(status), 128 + nSignal);
    // The logo screen was showing: neither it nor the shutdown saves the settings.
    EXPECT_FALSE(headless::FileExists(dir / "Resource/settings.xml"));
}

INSTANTIATE_TEST_SUITE_P(EachStopSignal, ProgramEndTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));
