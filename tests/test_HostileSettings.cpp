// Settings files that are missing, empty, cut off, not XML or full of hostile values: the game reads
// them without crashing, and what it writes back is never worse than the defaults (ten entries,
// names of at most three bytes, volumes the options screen can show).
#include "CGame.h"
#include "CSettingsFile.h"

#include "Files.h"
#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n";

std::string ScoresFile(const std::string& sound, int count, const std::string& points,
                       const std::string& name)
{
    std::string text = kHeader + "<root>\n" + sound + "\n<high_scores>\n";
    for (int i = 0; i < count; ++i)
        text += "<score points=\"" + points + "\">" + name + "</score>\n";
    return text + "</high_scores>\n</root>\n";
}

const std::string kGoodSound = "<sound_settings music=\"60\" fx=\"40\" />";

// Loads `content` as the game does at start-up, saves it as the main menu does, and checks that the
// written file loads back as a sound table.
class HostileSettingsTest : public ::testing::Test
{
protected:
    HostileSettingsTest() : cwd(dir.Path()) { headless::MakeDirs(dir / "Resource"); }

    tGameSettings LoadThroughTheGame(const std::string& content)
    {
        headless::WriteFile(dir / "Resource/settings.xml", content);
        CGame* game = CGame::GetInstance();
        game->LoadSettings("Resource/settings.xml");
        EXPECT_TRUE(game->SaveSettings("resource/settings.xml"));

        tGameSettings written;
        EXPECT_TRUE(CSettingsFile::Load("Resource/settings.xml", written))
            << "the game wrote a file it cannot read";
        ExpectSane(written);
        return written;
    }

    static void ExpectSane(const tGameSettings& settings)
    {
        EXPECT_GE(settings.fMusicVolume, 0.0f);
        EXPECT_LE(settings.fMusicVolume, 100.0f);
        EXPECT_GE(settings.fFXVolume, 0.0f);
        EXPECT_LE(settings.fFXVolume, 100.0f);
        for (const tHighScore& entry : settings.highScores)
        {
            EXPECT_GE(entry.nPoints, 0);
            EXPECT_LE(std::strlen(entry.szName), 3u);
        }
        for (int i = 1; i < NUM_HIGH_SCORES; ++i)
            EXPECT_LE(settings.highScores[i].nPoints, settings.highScores[i - 1].nPoints);
        // Every action keeps a key and a button of its own that can be chosen.
        tControlSettings repaired = settings.controls;
        CControls::Repair(repaired);
        EXPECT_EQ(repaired.ucFellBack, 0);
    }

    static void ExpectDefaults(const tGameSettings& settings)
    {
        const tGameSettings defaults = CSettingsFile::Defaults();
        EXPECT_EQ(settings.fMusicVolume, defaults.fMusicVolume);
        EXPECT_EQ(settings.fFXVolume, defaults.fFXVolume);
        for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        {
            EXPECT_EQ(settings.highScores[i].nPoints, 0);
            EXPECT_STREQ(settings.highScores[i].szName, "AAA");
        }
    }

    headless::ScopedTempDir dir;
    headless::ScopedWorkingDir cwd;
};
} // namespace

TEST_F(HostileSettingsTest, UnreadableFilesGiveTheDefaults)
{
    const std::string valid = ScoresFile(kGoodSound, 10, "5", "ABC");
    const std::string cases[] = {
        "",                                  // empty
        "\xEF\xBB\xBF",                      // a byte-order mark and nothing else
        "this is not XML at all",            // plain text
        std::string("\0\0\0\0\xFF\xFE", 6),  // binary
        valid.substr(0, valid.size() / 3),   // cut off before the tenth entry
        kHeader + "<root><high_scores>",     // unclosed, no sound settings
        "<root>" + std::string(200000, '<'), // deeply broken
    };
    for (const std::string& content : cases)
    {
        SCOPED_TRACE(content.substr(0, 40));
        ExpectDefaults(LoadThroughTheGame(content));
    }
}

TEST_F(HostileSettingsTest, NoSettingsFileAtAllStartsFromTheDefaults)
{
    CGame* game = CGame::GetInstance();
    EXPECT_FALSE(game->LoadSettings("Resource/settings.xml"));
    EXPECT_TRUE(game->SaveSettings("resource/settings.xml"));
    tGameSettings written;
    ASSERT_TRUE(CSettingsFile::Load("Resource/settings.xml", written));
    ExpectDefaults(written);
}

TEST_F(HostileSettingsTest, HugeNumbersAreHeldInRange)
{
    const tGameSettings written =
        LoadThroughTheGame(ScoresFile("<sound_settings music=\"99999999999999999999\" fx=\"-7000000000\" />",
                                      10, "99999999999999999999", "BIG"));
    EXPECT_STREQ(written.highScores[0].szName, "BIG");
}

TEST_F(HostileSettingsTest, VolumesOutsideTheScaleAreClamped)
{
    const tGameSettings written =
        LoadThroughTheGame(ScoresFile("<sound_settings music=\"1000\" fx=\"-20\" />", 10, "1", "ABC"));
    EXPECT_EQ(written.fMusicVolume, 100.0f);
    EXPECT_EQ(written.fFXVolume, 0.0f);
}

TEST_F(HostileSettingsTest, TenThousandScoresReadTheFirstTen)
{
    const tGameSettings written = LoadThroughTheGame(ScoresFile(kGoodSound, 10000, "12", "MAN"));
    EXPECT_EQ(written.fMusicVolume, 60.0f);
    for (const tHighScore& entry : written.highScores)
    {
        EXPECT_EQ(entry.nPoints, 12);
        EXPECT_STREQ(entry.szName, "MAN");
    }
    EXPECT_LT(headless::ReadFile(dir / "Resource/settings.xml").size(), 2000u)
        << "only ten entries are written";
}

TEST_F(HostileSettingsTest, MegabyteNamesAreCutToThreeCharacters)
{
    const tGameSettings written =
        LoadThroughTheGame(ScoresFile(kGoodSound, 10, "3", std::string(1 << 20, 'Z')));
    for (const tHighScore& entry : written.highScores)
        EXPECT_STREQ(entry.szName, "ZZZ");
}

TEST_F(HostileSettingsTest, ANameCutInsideAMultiByteLetterStaysReadable)
{
    // Three bytes of a name that continues with a two-byte letter: the cut must not leave half of
    // it behind in a way that spoils the file written next.
    const tGameSettings written = LoadThroughTheGame(ScoresFile(kGoodSound, 10, "3", "AB\xC3\xA9\xC3\xA9"));
    EXPECT_EQ(std::string(written.highScores[0].szName).substr(0, 2), "AB");
}

TEST_F(HostileSettingsTest, HostileControlsLeaveEveryActionAKeyOfItsOwn)
{
    const std::string scores = ScoresFile(kGoodSound, 10, "1", "ABC");
    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += "<control action=\"fire\" key=\"" + std::string(1, static_cast<char>('A' + i % 26)) + "\" />";
    std::string allSpace;
    for (const char* action : {"up", "down", "left", "right", "fire", "pause"})
        allSpace += std::string("<control action=\"") + action + "\" key=\"Space\" pad=\"south\" />";
    const std::string cases[] = {
        many,
        allSpace,
        "<control action=\"fire\" key=\"" + std::string(1 << 20, 'Z') + "\" />",
        "<control action=\"fire\" key=\"&lt;&amp;\" pad=\"&#0;\" />",
        "<control action=\"up\" key=\"Return\" /><control action=\"down\" key=\"Left Alt\" />",
        std::string(100000, '<') + "control",
    };
    for (const std::string& controls : cases)
    {
        SCOPED_TRACE(controls.substr(0, 60));
        const std::string text =
            scores.substr(0, scores.size() - 8) + "<controls>" + controls + "</controls>\n</root>\n";
        LoadThroughTheGame(text);
    }
}

TEST_F(HostileSettingsTest, EntitiesAndMarkupInNamesAreData)
{
    const tGameSettings written = LoadThroughTheGame(ScoresFile(kGoodSound, 10, "3", "&lt;&amp;&gt;"));
    EXPECT_STREQ(written.highScores[0].szName, "<&>");
}
