// SIGTERM, SIGINT and SIGHUP: noted by the game's own handler, waking a pipe, ending the window's
// pump with 128 + the signal's number; signals ignored at start stay ignored.
#include "CVKT_StopSignals.h"
#include "CVKT_Window.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>

namespace
{
bool IsReadable(int fd)
{
    pollfd entry = {fd, POLLIN, 0};
    return poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN);
}

void (*CurrentHandler(int nSignal))(int)
{
    struct sigaction action = {};
    sigaction(nSignal, nullptr, &action);
    return action.sa_handler;
}

class StopSignalTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        signals = CVKT_StopSignals::GetInstance();
        window = CVKT_Window::GetInstance();
        ASSERT_TRUE(signals->InitStopSignals());
        ASSERT_TRUE(window->InitPlatform());
    }
    void TearDown() override
    {
        window->ShutdownPlatform();
        signals->ShutdownStopSignals();
    }

    CVKT_StopSignals* signals = nullptr;
    CVKT_Window* window = nullptr;
};
} // namespace

TEST_P(StopSignalTest, TheFirstSignalIsNotedWakesThePipeAndEndsThePump)
{
    const int nSignal = GetParam();
    EXPECT_EQ(signals->GetPendingSignal(), 0);
    EXPECT_FALSE(IsReadable(signals->GetWakeFd()));
    EXPECT_TRUE(window->PeekMessages());

    ASSERT_EQ(raise(nSignal), 0);
    // Another stop signal after it does not change what ended the game.
    ASSERT_EQ(raise(nSignal == SIGTERM ? SIGINT : SIGTERM), 0);

    EXPECT_EQ(signals->GetPendingSignal(), nSignal);
    EXPECT_EQ(signals->GetExitCode(), 128 + nSignal);
    EXPECT_TRUE(IsReadable(signals->GetWakeFd()));
    EXPECT_FALSE(SDL_HasEvent(SDL_QUIT)) << "SDL turned the signal into a quit request of its own";
    EXPECT_FALSE(window->PeekMessages());
    EXPECT_EQ(window->GetQuitCode(), 128 + nSignal);

    signals->ShutdownStopSignals();
    EXPECT_EQ(signals->GetPendingSignal(), 0);
    EXPECT_EQ(CurrentHandler(nSignal), SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(EachStopSignal, StopSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(StopSignalsTest, ASignalIgnoredAtStartStaysIgnored)
{
    // As under nohup: the game must not end on a hang-up it was told to ignore.
    ASSERT_NE(signal(SIGHUP, SIG_IGN), SIG_ERR);
    CVKT_StopSignals* signals = CVKT_StopSignals::GetInstance();
    ASSERT_TRUE(signals->InitStopSignals());
    EXPECT_EQ(CurrentHandler(SIGHUP), SIG_IGN);
    raise(SIGHUP);
    EXPECT_EQ(signals->GetPendingSignal(), 0);
    signals->ShutdownStopSignals();
    EXPECT_EQ(CurrentHandler(SIGHUP), SIG_IGN);
    signal(SIGHUP, SIG_DFL);
}
