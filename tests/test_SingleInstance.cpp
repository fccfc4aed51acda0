// One running copy per user: a second process finds the first, asks it to raise its window and exits;
// a name held by something that does not answer is taken over.
#include "CVKT_SingleInstance.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
std::string UniqueName()
{
    return "talonreach-test-" + std::to_string(getpid());
}

// Runs Claim in a child process and returns its exit status: 0 when it found the name taken (and
// would exit like the game), 1 when it became the running copy. While the child asks, pRunning (the
// running copy in this process, if any) answers, as the game's event pump does.
int ClaimInChild(const std::string& name, CVKT_SingleInstance* pRunning = nullptr)
{
    const pid_t child = fork();
    if (child == 0)
    {
        CVKT_SingleInstance second;
        _exit(second.Claim(name.c_str()) ? 1 : 0);
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0)
    {
        pollfd request = {pRunning ? pRunning->GetFd() : -1, POLLIN, 0};
        poll(&request, 1, 10);
        if (pRunning)
            pRunning->AnswerRequests();
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A socket bound to the first name of the family that nobody ever reads: what a stray process
// holding the lock looks like.
int HoldWithoutAnswering(const std::string& name)
{
    const std::string full = name + "-" + std::to_string(static_cast<unsigned long>(getuid()));
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, full.data(), full.size());
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + full.size());
    if (fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}
} // namespace

TEST(SingleInstanceTest, ASecondCopyExitsAndTheFirstIsAskedToRaise)
{
    CVKT_SingleInstance first;
    ASSERT_TRUE(first.Claim(UniqueName().c_str()));
    EXPECT_FALSE(first.PollRaiseRequest());

    EXPECT_EQ(ClaimInChild(UniqueName(), &first), 0);
    EXPECT_TRUE(first.PollRaiseRequest());
    EXPECT_FALSE(first.PollRaiseRequest()) << "one request, reported once";
}

TEST(SingleInstanceTest, NoStaleLockAfterTheFirstCopyIsGone)
{
    {
        CVKT_SingleInstance first;
        ASSERT_TRUE(first.Claim(UniqueName().c_str()));
    }
    EXPECT_EQ(ClaimInChild(UniqueName()), 1) << "the name is free again";

    // A copy that died without cleaning up leaves nothing behind either.
    const pid_t crashed = fork();
    if (crashed == 0)
    {
        CVKT_SingleInstance holder;
        holder.Claim(UniqueName().c_str());
        _exit(3); // no destructor runs
    }
    int status = 0;
    waitpid(crashed, &status, 0);
    CVKT_SingleInstance next;
    EXPECT_TRUE(next.Claim(UniqueName().c_str()));
}

TEST(SingleInstanceTest, DifferentNamesDoNotInterfere)
{
    CVKT_SingleInstance first;
    ASSERT_TRUE(first.Claim((UniqueName() + "-a").c_str()));
    CVKT_SingleInstance other;
    EXPECT_TRUE(other.Claim((UniqueName() + "-b").c_str()));
    EXPECT_FALSE(first.PollRaiseRequest());
}

TEST(SingleInstanceTest, ANameHeldByAProcessThatIsNotTheGameIsTakenOver)
{
    const int stray = HoldWithoutAnswering(UniqueName());
    ASSERT_GE(stray, 0);
    CVKT_SingleInstance running;
    EXPECT_TRUE(running.Claim(UniqueName().c_str())) << "no answer from the holder: this copy runs";

    // Later starts still find the copy that runs, with the stray holder there and after it is gone.
    EXPECT_EQ(ClaimInChild(UniqueName(), &running), 0);
    EXPECT_TRUE(running.PollRaiseRequest());
    close(stray);
    EXPECT_EQ(ClaimInChild(UniqueName(), &running), 0);
    EXPECT_TRUE(running.PollRaiseRequest());
}

TEST(SingleInstanceTest, OfTwoCopiesStartedTogetherExactlyOneRuns)
{
    int go[2], results[2], stop[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(results), 0);
    ASSERT_EQ(pipe(stop), 0);
    const std::string name = UniqueName(); // each copy's own process number would give another name
    pid_t copies[2];
    for (pid_t& copy : copies)
    {
        copy = fork();
        if (copy != 0)
            continue;
        char byte;
        close(go[1]);
        close(stop[1]);
        // Both ask at once: each waits until the test closes its end of the pipe.
        static_cast<void>(read(go[0], &byte, 1));
        CVKT_SingleInstance instance;
        const char result = instance.Claim(name.c_str()) ? 'R' : 'x';
        static_cast<void>(write(results[1], &result, 1));
        // A running copy goes on answering, as the game does, until the test is done.
        pollfd fds[2] = {{stop[0], POLLIN, 0}, {instance.GetFd(), POLLIN, 0}};
        while (result == 'R' && poll(fds, 2, -1) >= 0 && !(fds[0].revents & (POLLIN | POLLHUP)))
            instance.AnswerRequests();
        _exit(0);
    }
    close(go[0]);
    close(go[1]);
    std::string outcome;
    char result;
    while (outcome.size() < 2 && read(results[0], &result, 1) == 1)
        outcome += result;
    close(stop[1]);
    for (pid_t copy : copies)
        waitpid(copy, nullptr, 0);
    for (int fd : {results[0], results[1], stop[0]})
        close(fd);
    EXPECT_TRUE(outcome == "Rx" || outcome == "xR") << outcome;
}
