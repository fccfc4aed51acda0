// One running copy per user. The running copy binds an abstract UNIX datagram socket named after the
// game and the user, and answers every request that reaches it from its event pump (and from any
// wait that blocks the pump, such as a message box). A new copy asks every holder of a name of that
// family: a copy that answers is running, is asked to raise its window, and the new copy exits. A
// name whose holder does not answer within a second belongs to no running game (a stray process
// kept it), so the new copy takes the next free name of the family and runs.
//
// Abstract sockets vanish with the last process that holds them, so a crash leaves no lock behind.
#pragma once

#include <string>

class CVKT_SingleInstance
{
public:
    CVKT_SingleInstance() = default;
    ~CVKT_SingleInstance();
    CVKT_SingleInstance(const CVKT_SingleInstance&) = delete;
    CVKT_SingleInstance& operator=(const CVKT_SingleInstance&) = delete;

    // True when this process is now the running copy. False when a running copy answered: it has
    // been asked to raise its window. Blocks for up to a second when a holder of the name does not
    // answer. Two copies started at the same moment end with one of them running.
    bool Claim(const char* szName);
    // Answers every request waiting, so that the asking copy knows this one runs, and notes them as
    // raise requests. Never blocks.
    void AnswerRequests();
    // Answers what is waiting; then true once for every raise request since the last call.
    bool PollRaiseRequest();
    // The socket that requests arrive on, for waits that must answer while they block; -1 if none.
    int GetFd() const { return m_nSocket; }
    void Release();

    // How many names the family has: the first, then the fallbacks taken over from stray holders.
    static constexpr int NAME_COUNT = 8;

private:
    enum class eWaitResult
    {
        OtherRuns,
        NoOtherRuns
    };

    static std::string SocketName(const char* szName, int nIndex);
    void BindFirstFree(const char* szName);
    eWaitResult WaitForAnswers(int nAsker, int nAsked);
    void Answer(const char* szReply);

    int m_nSocket = -1;
    int m_nIndex = -1; // which name of the family m_nSocket holds
    bool m_bRaiseRequested = false;
};
