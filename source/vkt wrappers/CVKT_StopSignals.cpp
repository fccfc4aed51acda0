#include "CVKT_StopSignals.h"

#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{
constexpr int STOP_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
constexpr size_t SIGNAL_COUNT = sizeof STOP_SIGNALS / sizeof STOP_SIGNALS[0];

// What each signal did before; a signal the game was started with ignored (nohup, a background job
// of a shell) stays ignored.
struct sigaction g_PreviousActions[SIGNAL_COUNT];

// Written by the handler, so plain globals of the types a handler may touch.
volatile sig_atomic_t g_nPendingSignal = 0;
int g_nWakeRead = -1;
int g_nWakeWrite = -1;

void OnStopSignal(int nSignal)
{
    const int savedErrno = errno;
    if (g_nPendingSignal == 0)
        g_nPendingSignal = nSignal;
    const char byte = 1;
    // A full pipe is already readable, so a failed write loses nothing.
    if (g_nWakeWrite >= 0)
    {
        const ssize_t written = ::write(g_nWakeWrite, &byte, 1);
        static_cast<void>(written);
    }
    errno = savedErrno;
}

bool InstallHandlers()
{
    struct sigaction action = {};
    action.sa_handler = &OnStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep SDL's and the C library's reads from failing; waits watch the pipe.
    action.sa_flags = SA_RESTART;
    bool bInstalled = true;
    for (size_t i = 0; i < SIGNAL_COUNT; ++i)
    {
        if (::sigaction(STOP_SIGNALS[i], nullptr, &g_PreviousActions[i]) != 0)
        {
            bInstalled = false;
            continue;
        }
        if (g_PreviousActions[i].sa_handler != SIG_IGN)
            bInstalled = ::sigaction(STOP_SIGNALS[i], &action, nullptr) == 0 && bInstalled;
    }
    return bInstalled;
}

void RestoreHandlers()
{
    for (size_t i = 0; i < SIGNAL_COUNT; ++i)
        ::sigaction(STOP_SIGNALS[i], &g_PreviousActions[i], nullptr);
}

void ClosePipe()
{
    if (g_nWakeRead >= 0)
        ::close(g_nWakeRead);
    if (g_nWakeWrite >= 0)
        ::close(g_nWakeWrite);
    g_nWakeRead = -1;
    g_nWakeWrite = -1;
}
} // namespace

CVKT_StopSignals* CVKT_StopSignals::GetInstance()
{
    static CVKT_StopSignals instance;
    return &instance;
}

bool CVKT_StopSignals::InitStopSignals()
{
    ShutdownStopSignals();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    g_nWakeRead = fds[0];
    g_nWakeWrite = fds[1];
    return InstallHandlers();
}

void CVKT_StopSignals::ShutdownStopSignals()
{
    if (g_nWakeWrite < 0)
        return;
    RestoreHandlers();
    ClosePipe();
    g_nPendingSignal = 0;
    SDL_ResetHint(SDL_HINT_NO_SIGNAL_HANDLERS);
}

int CVKT_StopSignals::GetPendingSignal() const
{
    return g_nPendingSignal;
}

int CVKT_StopSignals::GetExitCode() const
{
    return g_nPendingSignal != 0 ? 128 + g_nPendingSignal : 0;
}

int CVKT_StopSignals::GetWakeFd() const
{
    return g_nWakeRead;
}
