// A process that is not the game but holds the game's one-copy lock: it binds the abstract UNIX
// datagram socket name given on its command line and never reads what arrives. Writes "holding" to
// standard output once the name is bound and then waits until it is killed.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <abstract socket name>\n", argv[0]);
        return 2;
    }
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const size_t length = std::min(std::strlen(argv[1]), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, argv[1], length);
    const int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
    if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&address),
                       offsetof(sockaddr_un, sun_path) + 1 + length) != 0)
    {
        std::perror("lock_holder");
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
