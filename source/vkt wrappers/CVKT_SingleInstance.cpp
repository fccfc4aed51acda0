#include "CVKT_SingleInstance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

namespace
{
constexpr char kRaiseRequest[] = "raise";

// Fills an abstract socket address (leading NUL byte) and returns its length.
socklen_t MakeAddress(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}
} // namespace

CVKT_SingleInstance::~CVKT_SingleInstance()
{
    Release();
}

std::string CVKT_SingleInstance::SocketName(const char* szName)
{
    return std::string(szName ? szName : "") + "-" + std::to_string(static_cast<unsigned long>(getuid()));
}

bool CVKT_SingleInstance::Claim(const char* szName)
{
    Release();
    sockaddr_un address;
    const socklen_t length = MakeAddress(SocketName(szName), address);

    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true; // no sockets at all: run rather than refuse to start
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0)
    {
        m_nSocket = fd;
        return true;
    }
    const bool taken = errno == EADDRINUSE;
    if (taken)
        sendto(fd, kRaiseRequest, sizeof kRaiseRequest - 1, 0, reinterpret_cast<const sockaddr*>(&address),
               length);
    close(fd);
    return !taken;
}

bool CVKT_SingleInstance::PollRaiseRequest()
{
    if (m_nSocket < 0)
        return false;
    bool raise = false;
    char buffer[16];
    while (recv(m_nSocket, buffer, sizeof buffer, 0) > 0)
        raise = true;
    return raise;
}

void CVKT_SingleInstance::Release()
{
    if (m_nSocket >= 0)
        close(m_nSocket);
    m_nSocket = -1;
}
