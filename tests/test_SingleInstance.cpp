// One running copy per user: a second process finds the first, asks it to raise its window and exits.
#include "CVKT_SingleInstance.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
std::string UniqueName()
{
    return "talonreach-test-" + std::to_string(getpid());
}

// Runs Claim in a child process and returns its exit status: 0 when it found the name taken (and
// would exit like the game), 1 when it became the running copy.
int ClaimInChild(const std::string& name)
{
    const pid_t child = fork();
    if (child == 0)
    {
        CVKT_SingleInstance second;
        _exit(second.Claim(name.c_str()) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

TEST(SingleInstanceTest, ASecondCopyExitsAndTheFirstIsAskedToRaise)
{
    CVKT_SingleInstance first;
    ASSERT_TRUE(first.Claim(UniqueName().c_str()));
    EXPECT_FALSE(first.PollRaiseRequest());

    EXPECT_EQ(ClaimInChild(UniqueName()), 0);
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
