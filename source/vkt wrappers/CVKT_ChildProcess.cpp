#include "CVKT_ChildProcess.h"

#include "CVKT_SingleInstance.h"
#include "CVKT_StopSignals.h"

#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace
{
// How often a wait looks whether the process has ended; a stop signal and a request of a second copy
// wake it at once.
constexpr int EXIT_POLL_MS = 50;

// The highest descriptor number worth closing when close_range is not there.
int DescriptorLimit()
{
    rlimit limit = {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 65536;
    return static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 65536));
}

// Runs in the new process between fork and exec, so it makes only calls that are safe after a fork
// of a program with threads.
[[noreturn]] void ExecChild(pid_t parent, int nDescriptorLimit, const char* szProgram, char* const* argv)
{
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The game may have died before the line above took effect.
    if (getppid() != parent)
        _exit(1);
    if (close_range(3, ~0U, 0) != 0)
    {
        for (int fd = 3; fd < nDescriptorLimit; ++fd)
            close(fd);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execv(szProgram, argv);
    _exit(127);
}
} // namespace

CVKT_ChildProcess::~CVKT_ChildProcess()
{
    Stop();
}

bool CVKT_ChildProcess::Start(const char* szProgram, const std::vector<std::string>& arguments)
{
    Stop();
    if (!szProgram || arguments.empty())
        return false;
    // Everything the new process needs is made before the fork.
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int nDescriptorLimit = DescriptorLimit();
    const pid_t parent = getpid();
    // What the process leaves behind when it ends comes to the game, which collects it.
    prctl(PR_SET_CHILD_SUBREAPER, 1);

    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0)
        ExecChild(parent, nDescriptorLimit, szProgram, argv.data());
    // Both sides set the group, so that it exists whichever runs first.
    setpgid(pid, pid);
    m_nPid = pid;
    return true;
}

bool CVKT_ChildProcess::WaitForExit(CVKT_SingleInstance* pLock)
{
    CVKT_StopSignals* pSignals = CVKT_StopSignals::GetInstance();
    while (IsRunning())
    {
        if (pSignals->GetPendingSignal() != 0)
        {
            Stop();
            return false;
        }
        if (HasExited())
        {
            EndGroup();
            return true;
        }
        pollfd fds[2] = {{pSignals->GetWakeFd(), POLLIN, 0}, {pLock ? pLock->GetFd() : -1, POLLIN, 0}};
        poll(fds, 2, EXIT_POLL_MS);
        if (pLock)
            pLock->AnswerRequests();
    }
    return true;
}

void CVKT_ChildProcess::Stop()
{
    if (!IsRunning())
        return;
    // Should both setpgid calls have failed, the process is still in the game's group.
    kill(m_nPid, SIGKILL);
    EndGroup();
}

bool CVKT_ChildProcess::HasExited() const
{
    // Looked at without collecting it: while the process is not collected its number, and so the
    // number of its group, cannot be given to another process.
    siginfo_t info = {};
    return waitid(P_PID, static_cast<id_t>(m_nPid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == m_nPid;
}

void CVKT_ChildProcess::EndGroup()
{
    kill(-m_nPid, SIGKILL);
    while (waitpid(m_nPid, nullptr, 0) < 0 && errno == EINTR)
    {
    }
    // The process's own children came to the game when it ended.
    while (waitpid(-m_nPid, nullptr, 0) > 0 || errno == EINTR)
    {
    }
    m_nPid = -1;
}
