// One running copy per user. The first copy binds an abstract UNIX socket named after the game and
// the user; a second copy finds the name taken, sends the first a request to raise its window and
// exits. Abstract sockets vanish with their process, so a crash never leaves a stale lock behind.
#pragma once

#include <string>

class CVKT_SingleInstance
{
public:
    CVKT_SingleInstance() = default;
    ~CVKT_SingleInstance();
    CVKT_SingleInstance(const CVKT_SingleInstance&) = delete;
    CVKT_SingleInstance& operator=(const CVKT_SingleInstance&) = delete;

    // True when this process is now the running copy. False when another copy holds the name: that
    // copy has been asked to raise its window.
    bool Claim(const char* szName);
    // True once for every raise request that arrived since the last call. Never blocks.
    bool PollRaiseRequest();
    void Release();

private:
    static std::string SocketName(const char* szName);

    int m_nSocket = -1;
};
