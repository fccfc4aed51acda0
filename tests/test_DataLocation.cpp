// Where the game finds its data and keeps its settings, on real folder trees: the working folder's
// Resource/ first, then the installed data folder found from the executable's path, else the error;
// the user's settings file under XDG_DATA_HOME or HOME, made on the first save, and reported once when
// it cannot be written. The last test runs the built program itself from a tree without data.
#include "CVKT_DataLocation.h"
#include "CVKT_MessageBox.h"
#include "CVKT_ResourcePath.h"

#include "CGame.h"
#include "CSettingsFile.h"
#include "Files.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using eSource = CVKT_DataLocation::eSource;

// Every file under a folder with its bytes, so that a test can tell that nothing was written there.
std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files.emplace_back(entry.path().string(),
                           entry.is_regular_file() ? headless::ReadFile(entry.path()) : "");
    std::sort(files.begin(), files.end());
    return files;
}

// A tree as an installed game has it: <root>/games/talonreach and the data folder at the place the
// build put it relative to the program, holding one picture.
class DataLocationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        headless::MakeDirs(root / "games");
        headless::MakeDirs(root / "work");
        installed = (fs::path(root / "games") / TALONREACH_DATA_FROM_EXE).lexically_normal().string();
        headless::MakeDirs(installed + "/Graphics");
        headless::WriteFile(installed + "/Graphics/OxM_Font2.png", "installed font");
    }
    void TearDown() override
    {
        CVKT_DataLocation::GetInstance()->Use(CVKT_DataLocation::tLayout());
        CVKT_MessageBox::SetListener({});
    }

    CVKT_DataLocation::tLayout FindFor(const char* szXdg, const char* szHome) const
    {
        return CVKT_DataLocation::Find(root / "work", root / "games/talonreach", szXdg, szHome);
    }
    // Uses the installed layout with these environment values.
    void UseInstalled(const char* szXdg, const char* szHome)
    {
        const CVKT_DataLocation::tLayout layout = FindFor(szXdg, szHome);
        ASSERT_EQ(layout.source, eSource::Installed);
        CVKT_DataLocation::GetInstance()->Use(layout);
    }
    // Records every message the game reports.
    void ListenToReports()
    {
        CVKT_MessageBox::SetListener([this](const std::string&, const std::string& text)
                                     { reports.push_back(text); });
    }

    headless::ScopedTempDir root;
    std::string installed;
    std::vector<std::string> reports;
};
} // namespace

TEST_F(DataLocationTest, TheWorkingFolderWinsThenTheInstalledFolderThenNothing)
{
    const std::string local = root / "work/Resource";
    // Nothing in the working folder: the installed data, found from the program's path.
    CVKT_DataLocation::tLayout layout = FindFor(nullptr, nullptr);
    EXPECT_EQ(layout.source, eSource::Installed);
    EXPECT_EQ(layout.dataFolder, installed);
    EXPECT_EQ(layout.searched, (std::vector<std::string>{local, installed}));

    // A Resource/ folder in the working folder, in any letter case, is today's layout.
    headless::MakeDirs(root / "work/resource");
    layout = FindFor(nullptr, nullptr);
    EXPECT_EQ(layout.source, eSource::WorkingFolder);
    EXPECT_EQ(layout.searched, std::vector<std::string>{local});

    // Neither: every folder looked in is named.
    fs::remove_all(root / "work/resource");
    fs::remove_all(installed);
    layout = FindFor(nullptr, nullptr);
    EXPECT_EQ(layout.source, eSource::NotFound);
    EXPECT_EQ(layout.searched, (std::vector<std::string>{local, installed}));
}

TEST_F(DataLocationTest, TheSettingsFileFollowsXdgDataHomeThenHome)
{
    const std::string home = root / "home";
    const std::string xdg = root / "xdg";
    const struct
    {
        const char* szXdg;
        const char* szHome;
        std::string expected;
    } cases[] = {
        {xdg.c_str(), home.c_str(), xdg + "/talonreach/settings.xml"},
        {nullptr, home.c_str(), home + "/.local/share/talonreach/settings.xml"},
        // Empty and relative values count as unset.
        {"", home.c_str(), home + "/.local/share/talonreach/settings.xml"},
        {"relative/data", home.c_str(), home + "/.local/share/talonreach/settings.xml"},
        {nullptr, nullptr, ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
    {
        const std::string xdgShown = c.szXdg ? c.szXdg : "(unset)";
        EXPECT_EQ(FindFor(c.szXdg, c.szHome).settingsFile, c.expected) << "XDG_DATA_HOME " << xdgShown;
    }
}

TEST_F(DataLocationTest, InstalledNamesGoToTheDataFolderAndTheSettingsFileIgnoringCase)
{
    UseInstalled((root / "xdg").c_str(), nullptr);
    const std::string settings = root / "xdg/talonreach/settings.xml";
    const struct
    {
        const char* name;
        std::string expected;
    } cases[] = {
        {"Resource/Graphics/OxM_Font2.png", installed + "/Graphics/OxM_Font2.png"},
        {"resource/graphics/oxm_font2.PNG", installed + "/Graphics/OxM_Font2.png"},
        {"Resource/settings.xml", settings},
        {"resource/SETTINGS.XML", settings},
        {"Other/settings.xml", "Other/settings.xml"},
        {"/elsewhere/Resource/x.png", "/elsewhere/Resource/x.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CVKT_ResourcePath::Resolve(c.name), c.expected) << c.name;

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(CVKT_ResourcePath::ReadRegularFile("resource/graphics/OXM_FONT2.png", 100, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "installed font");

    // Working-folder data keeps every name as it is.
    CVKT_DataLocation::GetInstance()->Use(CVKT_DataLocation::tLayout());
    EXPECT_EQ(CVKT_DataLocation::GetInstance()->Map("resource/settings.xml"), "resource/settings.xml");
}

TEST_F(DataLocationTest, TheUsersOwnFilesLieBesideTheSettingsFile)
{
    const std::string home = root / "home";
    const struct
    {
        const char* szHome;
        bool installed;
        std::string expected;
    } cases[] = {
        {home.c_str(), true, home + "/.local/share/talonreach/gamecontrollerdb.txt"},
        {nullptr, true, ""},
        {home.c_str(), false, "Resource/gamecontrollerdb.txt"},
    };
    for (const auto& c : cases)
    {
        CVKT_DataLocation::GetInstance()->Use(c.installed ? FindFor(nullptr, c.szHome)
                                                          : CVKT_DataLocation::tLayout());
        EXPECT_EQ(CVKT_DataLocation::GetInstance()->UserFile("gamecontrollerdb.txt"), c.expected)
            << (c.szHome ? c.szHome : "(no HOME)");
    }
}

TEST_F(DataLocationTest, SettingsAreSavedInAPrivateUserFolderAndReadBackNeverInTheDataFolder)
{
    const std::string home = root / "home";
    const std::string xdg = root / "xdg/data";
    const struct
    {
        const char* szXdg;
        std::string file;
    } cases[] = {
        {xdg.c_str(), xdg + "/talonreach/settings.xml"},
        {nullptr, home + "/.local/share/talonreach/settings.xml"},
    };
    const auto before = Snapshot(installed);
    for (const auto& c : cases)
    {
        UseInstalled(c.szXdg, home.c_str());
        tGameSettings written = CSettingsFile::Defaults();
        written.highScores[0] = {4321, "XDG"};
        ASSERT_TRUE(CSettingsFile::Save("resource/settings.xml", written)) << c.file;
        ASSERT_TRUE(headless::FileExists(c.file));
        struct stat info;
        ASSERT_EQ(::stat(fs::path(c.file).parent_path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << c.file;

        tGameSettings read;
        ASSERT_TRUE(CSettingsFile::Load("Resource/settings.xml", read)) << c.file;
        EXPECT_EQ(read.highScores[0].nPoints, 4321);
        EXPECT_STREQ(read.highScores[0].szName, "XDG");
    }
    EXPECT_EQ(Snapshot(installed), before);
}

TEST_F(DataLocationTest, AnUnwritableSettingsFolderIsReportedOnceAndTheTableStaysInMemory)
{
    // A file where the folder should be stops even root from writing there.
    headless::WriteFile(root / "blocked", "");
    const std::string blocked = root / "blocked";
    const struct
    {
        const char* szXdg;
        const char* szHome;
        const char* reason;
    } cases[] = {
        {blocked.c_str(), nullptr, "blocked/talonreach"},
        {nullptr, nullptr, "neither XDG_DATA_HOME nor HOME"},
    };
    CGame* game = CGame::GetInstance();
    for (const auto& c : cases)
    {
        UseInstalled(c.szXdg, c.szHome);
        reports.clear();
        ListenToReports();
        tHighScore table[NUM_HIGH_SCORES];
        std::copy(game->GetHighScores(), game->GetHighScores() + NUM_HIGH_SCORES, table);
        table[0] = {777, "MEM"};
        game->SetHighScores(table);

        EXPECT_FALSE(game->SaveSettings("resource/settings.xml"));
        EXPECT_FALSE(game->SaveSettings("Resource/settings.xml"));
        ASSERT_EQ(reports.size(), 1u) << c.reason;
        EXPECT_NE(reports[0].find(c.reason), std::string::npos) << reports[0];
        EXPECT_EQ(game->GetHighScores()[0].nPoints, 777);
        EXPECT_STREQ(game->GetHighScores()[0].szName, "MEM");
    }
}

TEST_F(DataLocationTest, TheProgramWithoutDataNamesEveryFolderAndExitsWithOne)
{
    const std::string program = root / "games/talonreach";
    fs::remove_all(installed);
    fs::copy_file(TALONREACH_GAME, program);
    fs::permissions(program, fs::perms::owner_all);
    const std::string command = "cd '" + root / "work" + "' && '" + program + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 1) << output;
    EXPECT_NE(output.find(root / "work/Resource"), std::string::npos) << output;
    EXPECT_NE(output.find(installed), std::string::npos) << output;
}
