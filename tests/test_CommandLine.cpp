// The command line: no arguments start the game, --replay and one file watch that file, --help and
// --version answer on standard output and exit 0, anything else gets the one-line usage on standard
// error and exit status 2.
#include "CCommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// A stream whose text can be read once it is closed.
class CapturedStream
{
public:
    CapturedStream() : m_pFile(::open_memstream(&m_pBuffer, &m_uSize)) {}
    ~CapturedStream()
    {
        Text();
        std::free(m_pBuffer);
    }
    FILE* File() const { return m_pFile; }
    std::string Text()
    {
        if (m_pFile)
            std::fclose(m_pFile);
        m_pFile = nullptr;
        return std::string(m_pBuffer ? m_pBuffer : "", m_uSize);
    }

private:
    char* m_pBuffer = nullptr;
    size_t m_uSize = 0;
    FILE* m_pFile;
};

size_t Lines(const std::string& text)
{
    size_t count = 0;
    for (char c : text)
        count += c == '\n';
    return count;
}
} // namespace

TEST(CommandLine, AnswersHelpAndVersionAndRefusesEverythingElse)
{
    const struct
    {
        std::vector<const char*> args;
        int status;
        const char* outStart; // null: nothing on standard output
        bool usageOnErr;
    } cases[] = {
        {{}, CCommandLine::PLAY, nullptr, false},
        {{"--version"}, 0, "talonreach ", false},
        {{"--help"}, 0, "Usage: talonreach [--help | --version]\n", false},
        {{"-h"}, 2, nullptr, true},
        {{"--fullscreen"}, 2, nullptr, true},
        {{"--version", "--help"}, 2, nullptr, true},
        {{""}, 2, nullptr, true},
        {{"--replay", "best.replay"}, CCommandLine::REPLAY, nullptr, false},
        {{"--replay"}, 2, nullptr, true},
        {{"--replay", ""}, 2, nullptr, true},
        {{"--replay", "a.replay", "b.replay"}, 2, nullptr, true},
        {{"--help", "--replay"}, 2, nullptr, true},
    };
    for (const auto& c : cases)
    {
        std::vector<const char*> argv = {"talonreach"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const std::string shown = c.args.empty() ? "(none)" : c.args[0];
        CapturedStream out;
        CapturedStream err;
        EXPECT_EQ(CCommandLine::Run(static_cast<int>(argv.size()), argv.data(), out.File(), err.File()),
                  c.status)
            << shown;
        const std::string outText = out.Text();
        const std::string errText = err.Text();
        if (c.outStart)
            EXPECT_EQ(outText.rfind(c.outStart, 0), 0u) << shown << ": " << outText;
        else
            EXPECT_EQ(outText, "") << shown;
        if (c.usageOnErr)
            EXPECT_EQ(errText, "Usage: talonreach [--help | --version]\n") << shown;
        else
            EXPECT_EQ(errText, "") << shown;
    }
}

TEST(CommandLine, ReplayHandsOverItsFileAndHelpSaysWhereReplaysAreKept)
{
    const char* args[] = {"talonreach", "--replay", "games/20260101-000000-00.replay"};
    std::string file;
    EXPECT_EQ(CCommandLine::Run(3, args, stdout, stderr, &file), CCommandLine::REPLAY);
    EXPECT_EQ(file, "games/20260101-000000-00.replay");

    const char* help[] = {"talonreach", "--help"};
    CapturedStream out;
    CCommandLine::Run(2, help, out.File(), stderr);
    const std::string text = out.Text();
    EXPECT_NE(text.find("--replay FILE"), std::string::npos) << text;
    EXPECT_NE(text.find("replays beside it"), std::string::npos) << text;
}

TEST(CommandLine, VersionIsOneLineAndHelpTellsWhereTheScoresAreKept)
{
    const char* version[] = {"talonreach", "--version"};
    CapturedStream out;
    CCommandLine::Run(2, version, out.File(), stderr);
    const std::string text = out.Text();
    EXPECT_EQ(Lines(text), 1u) << text;
    EXPECT_GT(text.size(), std::string("talonreach \n").size()) << "no version number: " << text;

    const char* help[] = {"talonreach", "--help"};
    CapturedStream helpOut;
    CCommandLine::Run(2, help, helpOut.File(), stderr);
    const std::string helpText = helpOut.Text();
    EXPECT_NE(helpText.find("--version"), std::string::npos) << helpText;
    EXPECT_NE(helpText.find("$XDG_DATA_HOME/talonreach/settings.xml"), std::string::npos) << helpText;
}
