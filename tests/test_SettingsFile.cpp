// The settings file: what is written, what is read back, the defaults, the files of other writers,
// names holding any byte, the display and the controls, the high-score insertion rule, and saving that
// never loses the old file.
#include "CSettingsFile.h"

#include "CGame.h"
#include "Files.h"
#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"
#include "VKT_KeyCodes.h"
#include "VKT_PadButtons.h"

#include <gtest/gtest.h>

#include <tinyxml.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const char* const kDefaultFile = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n"
                                 "<root>\n"
                                 "    <sound_settings music=\"50\" fx=\"50\" />\n"
                                 "    <high_scores>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "        <score points=\"0\">AAA</score>\n"
                                 "    </high_scores>\n"
                                 "</root>\n";

// A file in the shape the game writes, with the given score lines (each a whole element) and line
// end.
std::string SettingsText(const std::vector<std::string>& scores, const std::string& eol = "\n",
                         const std::string& sound = "<sound_settings music=\"70\" fx=\"30\" />")
{
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>" + eol + "<root>" +
                       eol + "    " + sound + eol + "    <high_scores>" + eol;
    for (const std::string& score : scores)
        text += "        " + score + eol;
    return text + "    </high_scores>" + eol + "</root>" + eol;
}

std::vector<std::string> ScoreLines(int nCount, const std::string& name = "ABC")
{
    std::vector<std::string> lines;
    for (int i = 0; i < nCount; ++i)
        lines.push_back("<score points=\"" + std::to_string((10 - i) * 100) + "\">" + name + "</score>");
    return lines;
}

tGameSettings Table(std::initializer_list<int> points)
{
    tGameSettings settings = CSettingsFile::Defaults();
    int i = 0;
    for (int p : points)
    {
        settings.highScores[i].nPoints = p;
        const char name[4] = {'P', static_cast<char>('0' + i), '\0', '\0'};
        std::memcpy(settings.highScores[i].szName, name, sizeof name);
        ++i;
    }
    return settings;
}

void ExpectDefaults(const tGameSettings& settings)
{
    EXPECT_EQ(50.0f, settings.fMusicVolume);
    EXPECT_EQ(50.0f, settings.fFXVolume);
    for (const tHighScore& entry : settings.highScores)
    {
        EXPECT_EQ(0, entry.nPoints);
        EXPECT_STREQ("AAA", entry.szName);
    }
}

std::vector<std::string> FolderEntries(const std::string& path)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SettingsFileTest : public ::testing::Test
{
protected:
    SettingsFileTest() : m_cwd(m_dir.Path()) { headless::MakeDirs(m_dir / "Resource"); }

    std::string Path() const { return m_dir / "Resource/settings.xml"; }
    // Saves a table with the one name in entry 0 and reads it back.
    std::string RoundTripName(const char* szName)
    {
        tGameSettings settings = CSettingsFile::Defaults();
        std::memset(settings.highScores[0].szName, 0, 4);
        std::strncpy(settings.highScores[0].szName, szName, 3);
        settings.highScores[9].nPoints = 7; // a later entry shows the read went past the name
        EXPECT_TRUE(CSettingsFile::Save(Path().c_str(), settings));
        tGameSettings loaded;
        EXPECT_TRUE(CSettingsFile::Load(Path().c_str(), loaded)) << headless::ReadFile(Path());
        EXPECT_EQ(7, loaded.highScores[9].nPoints);
        EXPECT_EQ(50.0f, loaded.fFXVolume);
        return loaded.highScores[0].szName;
    }

    headless::ScopedTempDir m_dir;
    headless::ScopedWorkingDir m_cwd;
};
} // namespace

// ---- Defaults and the file's shape ----

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults)
{
    tGameSettings settings = Table({1, 2, 3});
    settings.fMusicVolume = 10.0f;
    EXPECT_FALSE(CSettingsFile::Load(Path().c_str(), settings));
    ExpectDefaults(settings);
}

TEST_F(SettingsFileTest, DefaultsAreWrittenInTheLibrarysDefaultLayout)
{
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), CSettingsFile::Defaults()));
    EXPECT_EQ(kDefaultFile, headless::ReadFile(Path()));
    EXPECT_EQ(kDefaultFile, CSettingsFile::Serialize(CSettingsFile::Defaults()));
    // Nothing else is left in the folder.
    EXPECT_EQ(std::vector<std::string>{"settings.xml"}, FolderEntries(m_dir / "Resource"));
}

TEST_F(SettingsFileTest, ValuesRoundTripWithVolumesTruncatedAndNegativePointsAsZero)
{
    tGameSettings settings = Table({900, 800, 700, 600, 500, 400, 300, 200, 100, -40});
    settings.fMusicVolume = 37.9f;
    settings.fFXVolume = 100.0f;
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), settings));
    const std::string text = headless::ReadFile(Path());
    EXPECT_NE(std::string::npos, text.find("<sound_settings music=\"37\" fx=\"100\" />"));
    EXPECT_NE(std::string::npos, text.find("<score points=\"900\">P0</score>"));
    EXPECT_NE(std::string::npos, text.find("<score points=\"0\">P9</score>"));

    tGameSettings loaded;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), loaded));
    EXPECT_EQ(37.0f, loaded.fMusicVolume);
    EXPECT_EQ(100.0f, loaded.fFXVolume);
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(settings.highScores[i].nPoints, loaded.highScores[i].nPoints);
        EXPECT_STREQ(settings.highScores[i].szName, loaded.highScores[i].szName);
    }
    EXPECT_EQ(0, loaded.highScores[9].nPoints);
}

TEST_F(SettingsFileTest, GameDelegatesLoadAndSaveWithPathsInAnyLetterCase)
{
    CGame* pGame = CGame::GetInstance();
    pGame->SetMusicVolume(20.0f);
    pGame->SetFXVolume(80.5f);
    tGameSettings table = Table({500, 400});
    pGame->SetHighScores(table.highScores);
    ASSERT_TRUE(pGame->SaveSettings("resource/settings.xml"));
    EXPECT_EQ(std::vector<std::string>{"Resource"}, FolderEntries(m_dir.Path()));

    pGame->SetMusicVolume(0.0f);
    pGame->SetFXVolume(0.0f);
    ASSERT_TRUE(pGame->LoadSettings("RESOURCE/Settings.XML"));
    EXPECT_EQ(20.0f, pGame->GetMusicVolume());
    EXPECT_EQ(80.0f, pGame->GetFXVolume());
    EXPECT_EQ(500, pGame->GetHighScores()[0].nPoints);
    EXPECT_STREQ("P1", pGame->GetHighScores()[1].szName);

    // The existing file is rewritten whatever case the caller writes.
    pGame->SetMusicVolume(60.0f);
    ASSERT_TRUE(pGame->SaveSettings("resource/settings.xml"));
    EXPECT_EQ(std::vector<std::string>{"settings.xml"}, FolderEntries(m_dir / "Resource"));
    EXPECT_NE(std::string::npos, headless::ReadFile(Path()).find("music=\"60\""));

    std::filesystem::remove(Path());
    EXPECT_FALSE(pGame->LoadSettings("Resource/settings.xml"));
    EXPECT_EQ(50.0f, pGame->GetMusicVolume());
    EXPECT_STREQ("AAA", pGame->GetHighScores()[0].szName);
}

// ---- What a file must hold ----

TEST_F(SettingsFileTest, NineScoresGiveTheDefaultsForEverything)
{
    headless::WriteFile(Path(), SettingsText(ScoreLines(9)));
    tGameSettings settings;
    EXPECT_FALSE(CSettingsFile::Load(Path().c_str(), settings));
    ExpectDefaults(settings);

    headless::WriteFile(Path(), SettingsText(ScoreLines(10)));
    EXPECT_TRUE(CSettingsFile::Load(Path().c_str(), settings));
    EXPECT_EQ(70.0f, settings.fMusicVolume);
    EXPECT_EQ(1000, settings.highScores[0].nPoints);
    EXPECT_EQ(100, settings.highScores[9].nPoints);
}

TEST_F(SettingsFileTest, OnlyTheFirstEntryMustBeCalledScore)
{
    std::vector<std::string> lines = ScoreLines(11);
    lines[3] = "<entry points=\"42\">XYZ</entry>";
    lines[9] = "<other points=\"5\">Q</other>";
    lines.insert(lines.begin(), "<title>ignored: not a score</title>");
    headless::WriteFile(Path(), SettingsText(lines));
    tGameSettings settings;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), settings));
    EXPECT_EQ(1000, settings.highScores[0].nPoints);
    EXPECT_EQ(42, settings.highScores[3].nPoints);
    EXPECT_STREQ("XYZ", settings.highScores[3].szName);
    EXPECT_EQ(5, settings.highScores[9].nPoints);
    // The table is taken in file order, unsorted.
    EXPECT_EQ(600, settings.highScores[4].nPoints);
}

TEST_F(SettingsFileTest, MissingPartsGiveTheDefaults)
{
    const std::string complete = SettingsText(ScoreLines(10));
    const std::vector<std::string> broken = {
        "",
        "not xml at all",
        "<?xml version=\"1.0\" ?>",
        SettingsText(ScoreLines(10), "\n", "<sound_setting music=\"70\" fx=\"30\" />"),
        complete.substr(0, complete.find("<high_scores>")),
        "<root><sound_settings music=\"1\" fx=\"2\" /><high_scores><entry "
        "points=\"1\">A</entry></high_scores></root>",
    };
    for (const std::string& text : broken)
    {
        headless::WriteFile(Path(), text);
        tGameSettings settings = Table({1});
        EXPECT_FALSE(CSettingsFile::Load(Path().c_str(), settings)) << text;
        ExpectDefaults(settings);
    }
}

TEST_F(SettingsFileTest, WhatCouldBeParsedIsRead)
{
    // Cut off right after the tenth entry: the closing tags are missing but nothing needed is.
    const std::string complete = SettingsText(ScoreLines(10));
    headless::WriteFile(Path(), complete.substr(0, complete.find("    </high_scores>")));
    tGameSettings settings;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), settings));
    EXPECT_EQ(100, settings.highScores[9].nPoints);
}

TEST_F(SettingsFileTest, MissingOrOddAttributesAndTexts)
{
    std::vector<std::string> lines = ScoreLines(10);
    lines[0] = "<score>NOP</score>";
    lines[1] = "<score points=\"x\">BAD</score>";
    lines[2] = "<score points=\"3\" />";
    lines[3] = "<score points=\"4\"><b>inner</b></score>";
    lines[4] = "<score points=\"5\">LONGNAME</score>";
    headless::WriteFile(Path(), SettingsText(lines, "\n", "<sound_settings fx=\"250\" />"));
    tGameSettings settings;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), settings));
    EXPECT_EQ(50.0f, settings.fMusicVolume);
    EXPECT_EQ(100.0f, settings.fFXVolume);
    EXPECT_EQ(0, settings.highScores[0].nPoints);
    EXPECT_STREQ("NOP", settings.highScores[0].szName);
    EXPECT_EQ(0, settings.highScores[1].nPoints);
    EXPECT_STREQ("", settings.highScores[2].szName);
    EXPECT_STREQ("", settings.highScores[3].szName);
    EXPECT_STREQ("LON", settings.highScores[4].szName);
}

// ---- Names ----

// ---- How the game was last shown ----

namespace
{
tDisplaySettings Display(bool bFullScreen, int nWidth, int nHeight)
{
    tDisplaySettings display;
    display.bFullScreen = bFullScreen;
    display.nWindowWidth = nWidth;
    display.nWindowHeight = nHeight;
    return display;
}

// The walk of every reader before the display was kept: the root's first "sound_settings", its first
// "high_scores", that one's first "score" and the nine sibling elements after it. "music, fx, points
// name, ..." or "" when the walk fails.
std::string ReadTheOldWay(const std::string& text)
{
    TiXmlDocument doc;
    doc.Parse(text.c_str());
    const TiXmlElement* pRoot = doc.FirstChildElement();
    const TiXmlElement* pSound = pRoot ? pRoot->FirstChildElement("sound_settings") : nullptr;
    const TiXmlElement* pTable = pRoot ? pRoot->FirstChildElement("high_scores") : nullptr;
    const TiXmlElement* pScore = pTable ? pTable->FirstChildElement("score") : nullptr;
    if (!pSound || !pScore)
        return "";
    std::string read = std::string(pSound->Attribute("music")) + ", " + pSound->Attribute("fx");
    for (int i = 0; i < NUM_HIGH_SCORES; ++i, pScore = pScore->NextSiblingElement())
    {
        if (!pScore)
            return "";
        read += std::string(", ") + pScore->Attribute("points") + " " + pScore->GetText();
    }
    return read;
}
} // namespace

TEST_F(SettingsFileTest, TheDisplayIsWrittenAfterTheTableOnlyWhenItSaysSomethingAndReadBack)
{
    const struct
    {
        tDisplaySettings display;
        const char* line; // "" for none
        tDisplaySettings readBack;
    } cases[] = {
        {Display(false, 0, 0), "", Display(false, 0, 0)},
        {Display(true, 0, 0), "    <display fullscreen=\"1\" />\n", Display(true, 0, 0)},
        {Display(false, 1000, 750), "    <display fullscreen=\"0\" width=\"1000\" height=\"750\" />\n",
         Display(false, 1000, 750)},
        {Display(true, 1280, 960), "    <display fullscreen=\"1\" width=\"1280\" height=\"960\" />\n",
         Display(true, 1280, 960)},
        // A size out of range is no size.
        {Display(false, 1000, 0), "", Display(false, 0, 0)},
        {Display(true, 20000, 750), "    <display fullscreen=\"1\" />\n", Display(true, 0, 0)},
    };
    for (const auto& c : cases)
    {
        tGameSettings settings = Table({900, 800, 700, 600, 500, 400, 300, 200, 100, 0});
        settings.display = c.display;
        const std::string text = CSettingsFile::Serialize(settings);
        SCOPED_TRACE(text);
        const std::string tail = std::string("    </high_scores>\n") + c.line + "</root>\n";
        EXPECT_EQ(text.substr(text.size() - std::min(text.size(), tail.size())), tail);
        tGameSettings loaded;
        ASSERT_TRUE(CSettingsFile::Parse(text, loaded));
        EXPECT_EQ(loaded.display, c.readBack);
        // What older readers take from the same bytes.
        EXPECT_EQ(ReadTheOldWay(text),
                  "50, 50, 900 P0, 800 P1, 700 P2, 600 P3, 500 P4, 400 P5, 300 P6, 200 P7, "
                  "100 P8, 0 P9");
    }
}

TEST_F(SettingsFileTest, FilesWithoutTheDisplayOrWithOddValuesInItKeepTheDefaultsForThose)
{
    const std::string scores = SettingsText(ScoreLines(10));
    const std::string end = "</root>\n";
    const struct
    {
        const char* element; // put before the end of the root
        tDisplaySettings display;
    } cases[] = {
        {"", Display(false, 0, 0)}, // today's files
        {"<display fullscreen=\"1\" width=\"800\" height=\"600\" />", Display(true, 800, 600)},
        {"<display fullscreen=\"2\" />", Display(false, 0, 0)},
        {"<display fullscreen=\"yes\" width=\"800\" />", Display(false, 0, 0)},
        {"<display width=\"800\" height=\"x\" />", Display(false, 0, 0)},
        {"<display width=\"-800\" height=\"600\" />", Display(false, 0, 0)},
        {"<display width=\"16384\" height=\"16385\" />", Display(false, 0, 0)},
        {"<display width=\"16384\" height=\"16384\" />", Display(false, 16384, 16384)},
        {"<display fullscreen=\"1\" /><display fullscreen=\"0\" />", Display(true, 0, 0)},
        {"<display>1</display>", Display(false, 0, 0)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.element);
        const std::string text = scores.substr(0, scores.size() - end.size()) + c.element + end;
        tGameSettings loaded;
        ASSERT_TRUE(CSettingsFile::Parse(text, loaded)) << "the rest of the file still counts";
        EXPECT_EQ(loaded.display, c.display);
        EXPECT_EQ(70.0f, loaded.fMusicVolume);
        EXPECT_EQ(100, loaded.highScores[9].nPoints);
    }
}

TEST_F(SettingsFileTest, ControlsAreWrittenAfterTheDisplayOnlyWhenChangedAndReadBack)
{
    tControlSettings chosen = CControls::Defaults();
    CControls::BindKey(chosen, CONTROL_FIRE, DIK_Z);
    CControls::BindKey(chosen, CONTROL_UP, DIK_LSHIFT);
    CControls::BindPadButton(chosen, CONTROL_PAUSE, PAD_NORTH);
    const struct
    {
        tControlSettings controls;
        const char* lines; // after the display
    } cases[] = {
        {CControls::Defaults(), ""},
        {chosen, "    <controls>\n"
                 "        <control action=\"up\" key=\"Left Shift\" />\n"
                 "        <control action=\"down\" key=\"Down\" />\n"
                 "        <control action=\"left\" key=\"Left\" />\n"
                 "        <control action=\"right\" key=\"Right\" />\n"
                 "        <control action=\"fire\" key=\"Z\" pad=\"south\" />\n"
                 "        <control action=\"pause\" key=\"P\" pad=\"north\" />\n"
                 "    </controls>\n"},
    };
    for (const auto& c : cases)
    {
        tGameSettings settings = Table({900, 800, 700, 600, 500, 400, 300, 200, 100, 0});
        settings.display = Display(true, 0, 0);
        settings.controls = c.controls;
        const std::string text = CSettingsFile::Serialize(settings);
        SCOPED_TRACE(text);
        const std::string tail = std::string("    <display fullscreen=\"1\" />\n") + c.lines + "</root>\n";
        EXPECT_EQ(text.substr(text.size() - std::min(text.size(), tail.size())), tail);
        tGameSettings loaded;
        ASSERT_TRUE(CSettingsFile::Parse(text, loaded));
        EXPECT_EQ(loaded.controls, c.controls);
        EXPECT_EQ(loaded.controls.ucFellBack, 0);
        EXPECT_EQ(loaded.display, Display(true, 0, 0));
        EXPECT_EQ(ReadTheOldWay(text),
                  "50, 50, 900 P0, 800 P1, 700 P2, 600 P3, 500 P4, 400 P5, 300 P6, 200 P7, "
                  "100 P8, 0 P9");
    }
}

TEST_F(SettingsFileTest, EachControlOfAnOlderOrDamagedFileFallsBackOnItsOwn)
{
    const std::string scores = SettingsText(ScoreLines(10));
    const std::string end = "</root>\n";
    const auto with =
        [](std::initializer_list<std::pair<int, unsigned char>> keys, int nFireButton = PAD_SOUTH)
    {
        tControlSettings controls = CControls::Defaults();
        for (const auto& key : keys)
            controls.ucKeys[key.first] = key.second;
        controls.cPadButtons[CONTROL_FIRE] = static_cast<int8_t>(nFireButton);
        return controls;
    };
    constexpr uint8_t kFire = 1u << CONTROL_FIRE;
    constexpr uint8_t kPause = 1u << CONTROL_PAUSE;
    const struct
    {
        const char* element; // put before the end of the root
        tControlSettings controls;
        uint8_t fellBack;
    } cases[] = {
        {"", CControls::Defaults(), 0}, // files of older copies
        {"<controls><control action=\"fire\" key=\"z\" pad=\"west\" /></controls>",
         with({{CONTROL_FIRE, DIK_Z}}, PAD_WEST), 0},
        {"<controls><control action=\"fire\" key=\"No Such Key\" pad=\"west\" /></controls>",
         with({}, PAD_WEST), kFire},
        {"<controls><control action=\"fire\" /></controls>", CControls::Defaults(), kFire},
        {"<controls><control action=\"fire\" key=\"Escape\" /></controls>", CControls::Defaults(), kFire},
        {"<controls><control action=\"pause\" key=\"Q\" pad=\"east\" /></controls>",
         with({{CONTROL_PAUSE, DIK_Q}}), kPause},
        {"<controls><control action=\"pause\" key=\"Q\" pad=\"elbow\" /></controls>",
         with({{CONTROL_PAUSE, DIK_Q}}), kPause},
        // Space taken twice: the later action goes back to its default, which is Space again, so all do.
        {"<controls><control action=\"up\" key=\"Space\" /><control action=\"fire\" key=\"Space\" "
         "/></controls>",
         CControls::Defaults(), (1u << CONTROL_UP) | kFire},
        // Another action's default taken and its own key left free: a swap, nothing wrong.
        {"<controls><control action=\"up\" key=\"Space\" /><control action=\"fire\" key=\"Up\" /></controls>",
         with({{CONTROL_UP, DIK_SPACE}, {CONTROL_FIRE, DIK_UP}}), 0},
        {"<controls><control action=\"fire\" key=\"X\" /><control action=\"fire\" key=\"Y\" /></controls>",
         with({{CONTROL_FIRE, DIK_X}}), 0},
        {"<controls><control action=\"jump\" key=\"J\" /><bind action=\"fire\" key=\"J\" /></controls>",
         CControls::Defaults(), 0},
        {"<controls>fire</controls><controls><control action=\"fire\" key=\"X\" /></controls>",
         CControls::Defaults(), 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.element);
        const std::string text = scores.substr(0, scores.size() - end.size()) + c.element + end;
        tGameSettings loaded;
        ASSERT_TRUE(CSettingsFile::Parse(text, loaded)) << "the rest of the file still counts";
        EXPECT_EQ(loaded.controls, c.controls);
        EXPECT_EQ(loaded.controls.ucFellBack, c.fellBack);
        EXPECT_EQ(100, loaded.highScores[9].nPoints);
    }
}

TEST_F(SettingsFileTest, NamesWithControlCharactersMarkupAndSpacesRoundTrip)
{
    EXPECT_EQ("AB\r", RoundTripName("AB\r"));
    EXPECT_EQ("\x1B"
              "AB",
              RoundTripName("\x1B"
                            "AB"));
    EXPECT_EQ("\x1B", RoundTripName("\x1B"));
    EXPECT_EQ("<&>", RoundTripName("<&>"));
    EXPECT_EQ("&#x", RoundTripName("&#x"));
    EXPECT_EQ("\"'", RoundTripName("\"'"));
    EXPECT_EQ(" ab", RoundTripName(" ab"));
    EXPECT_EQ("a b", RoundTripName("a b"));
    EXPECT_EQ("ab ", RoundTripName("ab "));
    EXPECT_EQ("", RoundTripName(""));
}

TEST_F(SettingsFileTest, NamesOfOnlyWhiteSpaceComeBackEmpty)
{
    // The library drops a text of nothing but white space; the entry still loads, unnamed.
    EXPECT_EQ("", RoundTripName("\r"));
    EXPECT_EQ("", RoundTripName("   "));
    EXPECT_EQ("", RoundTripName("\t\n"));
}

TEST_F(SettingsFileTest, EightBitLettersRoundTripAndTheFileIsTheUtf8ItDeclares)
{
    EXPECT_EQ("AB\xE9", RoundTripName("AB\xE9"));
    const std::string text = headless::ReadFile(Path());
    EXPECT_NE(std::string::npos, text.find(">AB\xC3\xA9</score>"));

    EXPECT_EQ("\xE9", RoundTripName("\xE9"));
    EXPECT_EQ("\xC3\xA9", RoundTripName("\xC3\xA9")); // bytes that happen to be UTF-8 stay bytes
    EXPECT_EQ("\x80\xFF\xA0", RoundTripName("\x80\xFF\xA0"));
}

TEST_F(SettingsFileTest, EveryByteRoundTripsAtEveryPlaceOfAName)
{
    for (int c = 1; c < 256; ++c)
    {
        const char b = static_cast<char>(c);
        const bool bWhite = c == ' ' || (c >= 9 && c <= 13);
        EXPECT_EQ(bWhite ? std::string() : std::string(1, b), RoundTripName(std::string(1, b).c_str())) << c;
        const std::string middle = std::string("A") + b + "B";
        EXPECT_EQ(middle, RoundTripName(middle.c_str())) << c;
        const std::string end = std::string("AB") + b;
        EXPECT_EQ(end, RoundTripName(end.c_str())) << c;
    }
}

TEST_F(SettingsFileTest, FilesOfTheOriginalGameWithCrlfAndRaw8BitNamesLoad)
{
    std::vector<std::string> lines = ScoreLines(10);
    lines[0] = "<score points=\"950\">Ren\xE9</score>"; // four bytes: cut to three
    lines[1] = "<score points=\"900\">\xE9</score>";
    lines[2] = "<score points=\"850\">JO\xE9</score>";
    lines[3] = "<score points=\"800\">&#x1B;X</score>";
    headless::WriteFile(Path(), SettingsText(lines, "\r\n"));
    tGameSettings settings;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), settings));
    EXPECT_STREQ("Ren", settings.highScores[0].szName);
    EXPECT_STREQ("\xE9", settings.highScores[1].szName);
    EXPECT_STREQ("JO\xE9", settings.highScores[2].szName);
    EXPECT_STREQ("\x1BX", settings.highScores[3].szName);
    EXPECT_EQ(100, settings.highScores[9].nPoints);
    EXPECT_EQ(30.0f, settings.fFXVolume);
}

TEST_F(SettingsFileTest, FilesSavedByATextEditorLoadWithOrWithoutAByteOrderMark)
{
    std::vector<std::string> lines = ScoreLines(10);
    lines[0] = "<score points=\"950\">JO\xC3\xA9</score>";   // é in UTF-8
    lines[1] = "<score points=\"900\">\xE2\x82\xAC</score>"; // the euro sign: no Latin-1 letter
    lines[2] = "<score points=\"850\">&#xE9;AB</score>";     // a character reference
    const std::string text = SettingsText(lines, "\r\n");
    for (const std::string& bom : {std::string(), std::string("\xEF\xBB\xBF")})
    {
        headless::WriteFile(Path(), bom + text);
        tGameSettings settings;
        ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), settings)) << bom.size();
        EXPECT_STREQ("JO\xE9", settings.highScores[0].szName);
        EXPECT_STREQ("\xE2\x82\xAC", settings.highScores[1].szName);
        EXPECT_STREQ("\xE9"
                     "AB",
                     settings.highScores[2].szName);
        EXPECT_EQ(100, settings.highScores[9].nPoints);
        EXPECT_EQ(70.0f, settings.fMusicVolume);
    }
    // A byte-order mark before raw 8-bit names is read all the same.
    lines[0] = "<score points=\"950\">JO\xE9</score>";
    headless::WriteFile(Path(), "\xEF\xBB\xBF" + SettingsText(lines));
    tGameSettings settings;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), settings));
    EXPECT_STREQ("JO\xE9", settings.highScores[0].szName);
}

// ---- The insertion rule ----

TEST(HighScoreInsertion, TiesGoBelowAndTheLowestDropsOut)
{
    tGameSettings settings = Table({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    EXPECT_TRUE(CSettingsFile::InsertHighScore(settings.highScores, 90, "NEW"));
    const int expected[] = {100, 90, 90, 80, 70, 60, 50, 40, 30, 20};
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        EXPECT_EQ(expected[i], settings.highScores[i].nPoints) << i;
    EXPECT_STREQ("P1", settings.highScores[1].szName);
    EXPECT_STREQ("NEW", settings.highScores[2].szName);
    EXPECT_STREQ("P2", settings.highScores[3].szName);
    EXPECT_STREQ("P8", settings.highScores[9].szName);
}

TEST(HighScoreInsertion, TopLastAndNoPlace)
{
    tGameSettings settings = Table({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    EXPECT_TRUE(CSettingsFile::InsertHighScore(settings.highScores, 101, "TOPNAME"));
    EXPECT_EQ(101, settings.highScores[0].nPoints);
    EXPECT_STREQ("TOP", settings.highScores[0].szName);
    EXPECT_EQ(100, settings.highScores[1].nPoints);

    EXPECT_TRUE(CSettingsFile::InsertHighScore(settings.highScores, 21, "LOW"));
    EXPECT_EQ(21, settings.highScores[9].nPoints);
    EXPECT_STREQ("LOW", settings.highScores[9].szName);

    const tGameSettings before = settings;
    EXPECT_FALSE(CSettingsFile::InsertHighScore(settings.highScores, 21, "TIE"));
    EXPECT_FALSE(CSettingsFile::InsertHighScore(settings.highScores, -5, "NEG"));
    EXPECT_EQ(0, std::memcmp(&before, &settings, sizeof settings));
}

TEST(HighScoreInsertion, ZeroIntoATableOfZerosChangesNothing)
{
    tGameSettings settings = CSettingsFile::Defaults();
    EXPECT_FALSE(CSettingsFile::InsertHighScore(settings.highScores, 0, "ZZZ"));
    ExpectDefaults(settings);
    EXPECT_TRUE(CSettingsFile::InsertHighScore(settings.highScores, 1, ""));
    EXPECT_EQ(1, settings.highScores[0].nPoints);
    EXPECT_STREQ("", settings.highScores[0].szName);
    EXPECT_TRUE(CSettingsFile::InsertHighScore(settings.highScores, 1, nullptr));
    EXPECT_STREQ("", settings.highScores[1].szName);
}

// ---- Saving never loses the old file ----

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFileAsItWas)
{
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), Table({123})));
    const std::string before = headless::ReadFile(Path());

    // The disk fills up after a few bytes of the new file.
    struct rlimit old;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = old;
    tight.rlim_cur = 100;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &tight));
    const bool bSaved = CSettingsFile::Save(Path().c_str(), Table({999}));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(bSaved);
    EXPECT_EQ(before, headless::ReadFile(Path()));
    EXPECT_EQ(std::vector<std::string>{"settings.xml"}, FolderEntries(m_dir / "Resource"));
    tGameSettings loaded;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), loaded));
    EXPECT_EQ(123, loaded.highScores[0].nPoints);
}

TEST_F(SettingsFileTest, ACrashDuringTheWriteLeavesTheOldFileReadable)
{
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), Table({321})));
    const std::string before = headless::ReadFile(Path());

    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0)
    {
        // The process is killed by the file-size signal in the middle of writing the new file.
        struct rlimit tight;
        getrlimit(RLIMIT_FSIZE, &tight);
        tight.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &tight);
        std::signal(SIGXFSZ, SIG_DFL);
        CSettingsFile::Save(Path().c_str(), Table({999}));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status)) << "the write was not interrupted";
    EXPECT_EQ(SIGXFSZ, WTERMSIG(status));

    EXPECT_EQ(before, headless::ReadFile(Path()));
    tGameSettings loaded;
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), loaded));
    EXPECT_EQ(321, loaded.highScores[0].nPoints);
    // The next save still works beside the abandoned partial file.
    EXPECT_TRUE(CSettingsFile::Save(Path().c_str(), Table({555})));
    ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), loaded));
    EXPECT_EQ(555, loaded.highScores[0].nPoints);
}

TEST_F(SettingsFileTest, SavingIntoAMissingFolderFails)
{
    EXPECT_FALSE(CSettingsFile::Save((m_dir / "Nowhere/settings.xml").c_str(), CSettingsFile::Defaults()));
    EXPECT_FALSE(headless::FileExists(m_dir / "Nowhere"));
}

TEST_F(SettingsFileTest, ReplacingKeepsTheFilesPermissionsAndSymbolicLinks)
{
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), Table({1})));
    ASSERT_EQ(0, chmod(Path().c_str(), 0640));
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), Table({2})));
    struct stat info;
    ASSERT_EQ(0, stat(Path().c_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 07777);

    headless::MakeDirs(m_dir / "elsewhere");
    std::filesystem::rename(Path(), m_dir / "elsewhere/real.xml");
    std::filesystem::create_symlink(m_dir / "elsewhere/real.xml", Path());
    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), Table({3})));
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
    tGameSettings loaded;
    ASSERT_TRUE(CSettingsFile::Load((m_dir / "elsewhere/real.xml").c_str(), loaded));
    EXPECT_EQ(3, loaded.highScores[0].nPoints);
}

namespace
{
// Where a child's save is to die: at the first call of the save hook for this step with at least
// this many bytes in the new file.
CSettingsFile::eSaveStep g_killStep = CSettingsFile::eSaveStep::Created;
size_t g_nKillAtBytes = 0;

void KillAtTheChosenPoint(CSettingsFile::eSaveStep step, size_t nBytes)
{
    if (step == g_killStep && nBytes >= g_nKillAtBytes)
        kill(getpid(), SIGKILL);
}
} // namespace

TEST_F(SettingsFileTest, ASaveKilledAtAnyPointLeavesTheOldOrTheNewTable)
{
    using Step = CSettingsFile::eSaveStep;
    const tGameSettings oldTable = Table({300, 200, 100});
    const tGameSettings newTable = Table({900, 800});
    struct Point
    {
        Step step;
        size_t nBytes;
        bool bNewTable; // what the file must hold afterwards
    };
    // Every step, and the write after every other byte of the new file and after its last (about
    // 300 runs: each is a fork of the whole test process).
    std::vector<Point> points = {{Step::Created, 0, false}};
    const size_t nFileBytes = CSettingsFile::Serialize(newTable).size();
    for (size_t n = 1; n < nFileBytes; n += 2)
        points.push_back({Step::Written, n, false});
    points.push_back({Step::Written, nFileBytes, false});
    points.push_back({Step::Synced, 0, false});
    points.push_back({Step::Renamed, 0, true});
    points.push_back({Step::DirectorySynced, 0, true});

    ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), oldTable));
    for (const Point& point : points)
    {
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(point.step)) + ", byte " +
                     std::to_string(point.nBytes));
        const pid_t child = fork();
        ASSERT_NE(-1, child);
        if (child == 0)
        {
            g_killStep = point.step;
            g_nKillAtBytes = point.nBytes;
            CSettingsFile::SetSaveHook(&KillAtTheChosenPoint, 1);
            CSettingsFile::Save(Path().c_str(), newTable);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save was not stopped there";

        tGameSettings loaded;
        ASSERT_TRUE(CSettingsFile::Load(Path().c_str(), loaded)) << headless::ReadFile(Path());
        EXPECT_EQ(CSettingsFile::Serialize(point.bNewTable ? newTable : oldTable),
                  CSettingsFile::Serialize(loaded));
        // Every run starts from the old table.
        if (point.bNewTable)
        {
            ASSERT_TRUE(CSettingsFile::Save(Path().c_str(), oldTable));
        }
    }
}
