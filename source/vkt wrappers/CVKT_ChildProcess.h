// A helper process that shares nothing with the game and never outlives it. It starts from a fresh
// program image with no descriptor of the game's but standard input, output and error (so neither
// the one-copy lock nor the game's X connection), in a process group of its own, and is sent SIGTERM
// when the game dies however it dies. Ending it kills its whole group: what it started goes too.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class CVKT_SingleInstance;

class CVKT_ChildProcess
{
public:
    CVKT_ChildProcess() = default;
    // Ends the process (and its group) if it still runs.
    ~CVKT_ChildProcess();
    CVKT_ChildProcess(const CVKT_ChildProcess&) = delete;
    CVKT_ChildProcess& operator=(const CVKT_ChildProcess&) = delete;

    // Runs szProgram with the arguments given (the first is the process's name, argv[0]). False when
    // no process could be made; a program that cannot be started ends at once with status 127.
    bool Start(const char* szProgram, const std::vector<std::string>& arguments);

    // Waits until the process ends by itself (true) or a stop signal arrives (false: the process and
    // its group are ended). While it waits, requests to pLock (may be null) are answered, so that a
    // second copy of the game still finds this one running. Signals stay unblocked throughout.
    bool WaitForExit(CVKT_SingleInstance* pLock);

    // Kills the process and its group and collects them. Nothing happens when none runs.
    void Stop();

    bool IsRunning() const { return m_nPid > 0; }
    pid_t GetPid() const { return m_nPid; }

private:
    bool HasExited() const;
    void EndGroup();

    pid_t m_nPid = -1;
};
