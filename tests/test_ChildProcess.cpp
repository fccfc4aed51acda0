// Helper processes of the game (the message box runs in one): they inherit no descriptor, live in a
// group of their own, end with everything they started when the game ends them or a stop signal
// arrives, die with the game, and the game keeps answering a second copy while it waits.
#include "CVKT_ChildProcess.h"
#include "CVKT_SingleInstance.h"
#include "CVKT_StopSignals.h"

#include "Files.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
// The text a shell writes to `file` (through a rename, so it is whole). The limit only keeps a
// broken build from hanging the suite.
std::string WaitForFile(const std::string& file)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!headless::FileExists(file) && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return headless::ReadFile(file);
}

// Writes the output of `command` to `file` the way WaitForFile expects.
std::string WriteWhole(const std::string& command, const std::string& file)
{
    return command + " > " + file + ".part && mv " + file + ".part " + file;
}

pid_t ReadPid(const std::string& file)
{
    const std::string text = WaitForFile(file);
    return text.empty() ? -1 : static_cast<pid_t>(std::stol(text));
}

// A shell that starts a process of its own in the background, writes its number to `file` and
// waits: the shape of SDL's box, which forks the process that shows the window.
std::vector<std::string> ShellWithGrandchild(const std::string& file)
{
    return {"sh", "-c", "sleep 300 & " + WriteWhole("echo $!", file) + "; wait"};
}

// True when no process (not even an uncollected one) is left in group `group`.
bool GroupIsGone(pid_t group)
{
    return kill(-group, 0) == -1 && errno == ESRCH;
}
} // namespace

TEST(ChildProcessTest, InheritsNoDescriptorAndHasAGroupOfItsOwn)
{
    // A descriptor without close-on-exec, as a library might leave one; the child looks whether it
    // has it.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    headless::ScopedTempDir dir;
    const std::string fd = std::to_string(fds[1]);
    CVKT_ChildProcess child;
    const std::string look = "if [ -e /proc/$$/fd/" + fd + " ]; then echo inherited; else echo clean; fi";
    ASSERT_TRUE(
        child.Start("/bin/sh", {"sh", "-c", WriteWhole("{ " + look + "; }", dir / "fds") + "; sleep 300"}));
    const pid_t group = child.GetPid();
    EXPECT_EQ(getpgid(group), group);
    close(fds[0]);
    close(fds[1]);
    EXPECT_EQ(WaitForFile(dir / "fds"), "clean\n");

    child.Stop();
    EXPECT_FALSE(child.IsRunning());
    EXPECT_TRUE(GroupIsGone(group));
}

TEST(ChildProcessTest, EndingItOrAStopSignalTakesEverythingItStarted)
{
    struct Case
    {
        const char* name;
        bool bStopSignal; // else Stop() is called
    };
    for (const Case& c : {Case{"Stop", false}, Case{"stop signal", true}})
    {
        SCOPED_TRACE(c.name);
        headless::ScopedTempDir dir;
        CVKT_StopSignals* signals = CVKT_StopSignals::GetInstance();
        ASSERT_TRUE(signals->InitStopSignals());
        CVKT_ChildProcess child;
        ASSERT_TRUE(child.Start("/bin/sh", ShellWithGrandchild(dir / "pid")));
        const pid_t group = child.GetPid();
        const pid_t grandchild = ReadPid(dir / "pid");
        ASSERT_GT(grandchild, 0);

        if (c.bStopSignal)
        {
            raise(SIGTERM);
            EXPECT_FALSE(child.WaitForExit(nullptr));
        }
        else
        {
            child.Stop();
        }
        EXPECT_FALSE(child.IsRunning());
        EXPECT_TRUE(GroupIsGone(group)) << "something of the group is left, if only uncollected";
        EXPECT_EQ(kill(grandchild, 0), -1);
        signals->ShutdownStopSignals();
    }
}

TEST(ChildProcessTest, AChildThatEndsByItselfEndsTheWait)
{
    CVKT_ChildProcess child;
    ASSERT_TRUE(child.Start("/bin/sh", {"sh", "-c", "exit 3"}));
    const pid_t group = child.GetPid();
    EXPECT_TRUE(child.WaitForExit(nullptr));
    EXPECT_FALSE(child.IsRunning());
    EXPECT_TRUE(GroupIsGone(group));

    // A program that cannot be started ends at once as well.
    ASSERT_TRUE(child.Start("/nonexistent/program", {"program"}));
    EXPECT_TRUE(child.WaitForExit(nullptr));
}

TEST(ChildProcessTest, DiesWithTheGame)
{
    // The game is a child of the test; when it is killed, its helper comes to the test, which
    // collects it and sees how it ended.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    headless::ScopedTempDir dir;
    const pid_t game = fork();
    ASSERT_GE(game, 0);
    if (game == 0)
    {
        CVKT_ChildProcess helper;
        const std::string file = dir / "pid";
        helper.Start("/bin/sh", {"sh", "-c", WriteWhole("echo $$", file) + " && exec sleep 300"});
        pause();
        _exit(0);
    }
    const pid_t helper = ReadPid(dir / "pid");
    ASSERT_GT(helper, 0);
    kill(game, SIGKILL);
    waitpid(game, nullptr, 0);

    int status = 0;
    ASSERT_EQ(waitpid(helper, &status, 0), helper);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}

TEST(ChildProcessTest, TheGameAnswersASecondCopyWhileItWaits)
{
    headless::ScopedTempDir dir;
    const std::string name = "talonreach-test-wait-" + std::to_string(getpid());
    CVKT_SingleInstance running;
    ASSERT_TRUE(running.Claim(name.c_str()));

    // The second copy asks while this process waits for a helper that ends only once it has its
    // answer.
    const std::string done = dir / "done";
    const pid_t second = fork();
    ASSERT_GE(second, 0);
    if (second == 0)
    {
        CVKT_SingleInstance instance;
        const bool bRuns = instance.Claim(name.c_str());
        headless::WriteFile(done, "");
        _exit(bRuns ? 1 : 0);
    }
    CVKT_ChildProcess helper;
    ASSERT_TRUE(helper.Start("/bin/sh", {"sh", "-c", "while [ ! -e " + done + " ]; do sleep 0.01; done"}));
    EXPECT_TRUE(helper.WaitForExit(&running));

    int status = 0;
    ASSERT_EQ(waitpid(second, &status, 0), second);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the second copy did not find this one running";
    EXPECT_TRUE(running.PollRaiseRequest());
}
