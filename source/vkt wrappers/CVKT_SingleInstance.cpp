#include "CVKT_SingleInstance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr char RAISE_REQUEST[] = "raise";
constexpr char RUNNING_REPLY[] = "running";
// What a copy still inside Claim answers, followed by the index of its name: of two copies started
// together, the one with the lower index runs.
constexpr char STARTING_REPLY[] = "starting ";
// A running game answers from its next frame; one that has not answered by then is not running.
constexpr std::chrono::milliseconds ANSWER_WAIT(1000);

// Fills an abstract socket address (leading NUL byte) and returns its length.
socklen_t MakeAddress(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

int MakeSocket()
{
    return socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// A socket to ask from, bound to an abstract address the kernel picks, so that answers can reach it.
int MakeAskingSocket()
{
    const int fd = MakeSocket();
    if (fd < 0)
        return -1;
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(sa_family_t)) != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}

// Sends the raise request to the holder of `name`. True when the name is held: the request was
// queued, or the holder's queue is full (it reads nothing).
bool Ask(int fd, const std::string& name)
{
    sockaddr_un address;
    const socklen_t length = MakeAddress(name, address);
    if (sendto(fd, RAISE_REQUEST, sizeof RAISE_REQUEST - 1, 0, reinterpret_cast<const sockaddr*>(&address),
               length) >= 0)
        return true;
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

// True when an answer means that this copy must not run: a running game, or a copy starting at the
// same moment that holds an earlier name of the family than nOwnIndex (-1: none).
bool AnswerStopsUs(const char* szAnswer, int nOwnIndex)
{
    if (std::strcmp(szAnswer, RUNNING_REPLY) == 0)
        return true;
    const size_t prefix = sizeof STARTING_REPLY - 1;
    if (std::strncmp(szAnswer, STARTING_REPLY, prefix) != 0)
        return false;
    const long nOtherIndex = std::strtol(szAnswer + prefix, nullptr, 10);
    return nOwnIndex < 0 || nOtherIndex < nOwnIndex;
}
} // namespace

CVKT_SingleInstance::~CVKT_SingleInstance()
{
    Release();
}

std::string CVKT_SingleInstance::SocketName(const char* szName, int nIndex)
{
    std::string name =
        std::string(szName ? szName : "") + "-" + std::to_string(static_cast<unsigned long>(getuid()));
    if (nIndex > 0)
        name += "-" + std::to_string(nIndex);
    return name;
}

bool CVKT_SingleInstance::Claim(const char* szName)
{
    Release();
    BindFirstFree(szName);
    const int nAsker = MakeAskingSocket();
    if (nAsker < 0)
        return true; // no way to ask: run rather than refuse to start
    int nAsked = 0;
    for (int i = 0; i < NAME_COUNT; ++i)
    {
        if (i != m_nIndex && Ask(nAsker, SocketName(szName, i)))
            ++nAsked;
    }
    const eWaitResult result = nAsked > 0 ? WaitForAnswers(nAsker, nAsked) : eWaitResult::NoOtherRuns;
    close(nAsker);
    if (result == eWaitResult::OtherRuns)
    {
        Release();
        return false;
    }
    return true;
}

void CVKT_SingleInstance::BindFirstFree(const char* szName)
{
    for (int i = 0; i < NAME_COUNT; ++i)
    {
        const int fd = MakeSocket();
        if (fd < 0)
            return;
        sockaddr_un address;
        const socklen_t length = MakeAddress(SocketName(szName, i), address);
        if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0)
        {
            m_nSocket = fd;
            m_nIndex = i;
            return;
        }
        const bool bTaken = errno == EADDRINUSE;
        close(fd);
        if (!bTaken)
            return;
    }
}

CVKT_SingleInstance::eWaitResult CVKT_SingleInstance::WaitForAnswers(int nAsker, int nAsked)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + ANSWER_WAIT;
    const std::string startingReply = STARTING_REPLY + std::to_string(m_nIndex);
    int nAnswered = 0;
    while (nAnswered < nAsked)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd fds[2] = {{nAsker, POLLIN, 0}, {m_nSocket, POLLIN, 0}};
        poll(fds, 2, static_cast<int>(left.count()));
        // A copy starting at the same moment asks this one as well.
        Answer(startingReply.c_str());
        char answer[32];
        ssize_t length;
        while ((length = recv(nAsker, answer, sizeof answer - 1, 0)) >= 0)
        {
            answer[length] = '\0';
            ++nAnswered;
            if (AnswerStopsUs(answer, m_nIndex))
                return eWaitResult::OtherRuns;
        }
    }
    return eWaitResult::NoOtherRuns;
}

void CVKT_SingleInstance::Answer(const char* szReply)
{
    if (m_nSocket < 0)
        return;
    char request[16];
    sockaddr_un from;
    socklen_t fromLength = sizeof from;
    while (recvfrom(m_nSocket, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&from), &fromLength) >=
           0)
    {
        m_bRaiseRequested = true;
        // A request from a socket without an address cannot be answered; it still asks for a raise.
        if (fromLength > sizeof(sa_family_t))
            sendto(m_nSocket, szReply, std::strlen(szReply), 0, reinterpret_cast<const sockaddr*>(&from),
                   fromLength);
        fromLength = sizeof from;
    }
}

void CVKT_SingleInstance::AnswerRequests()
{
    Answer(RUNNING_REPLY);
}

bool CVKT_SingleInstance::PollRaiseRequest()
{
    AnswerRequests();
    const bool bRaise = m_bRaiseRequested;
    m_bRaiseRequested = false;
    return bRaise;
}

void CVKT_SingleInstance::Release()
{
    if (m_nSocket >= 0)
        close(m_nSocket);
    m_nSocket = -1;
    m_nIndex = -1;
    m_bRaiseRequested = false;
}
