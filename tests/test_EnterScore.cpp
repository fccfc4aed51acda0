// The score entry in the real game, pushed over the gameplay state as the game does it: typing,
// backspace and confirming with real key events, the panel and the name read back from frames, and
// the table and the settings file after leaving, including names holding control characters.
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CSettingsFile.h"

#include "Files.h"
#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class EnterScoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The running game's score is 0 here; a table with negative entries gives it a place.
        tHighScore table[NUM_HIGH_SCORES] = {{30, "TOP"}, {20, "TWO"}, {0, "TIE"}, {-10, "D"}, {-20, "E"},
                                             {-30, "F"},  {-40, "G"},  {-50, "H"}, {-60, "I"}, {-70, "LOW"}};
        game->SetHighScores(table);
        ASSERT_TRUE(game->IsHighScore(CGamePlayState::GetInstance()->GetScore()));
        game->ChangeState(CGamePlayState::GetInstance());
        game->PushState(entry);
    }

    void TypeLetters(const std::string& letters)
    {
        for (char letter : letters)
        {
            const char text[2] = {letter, 0};
            rig.Type(SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(std::tolower(letter))), text);
        }
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CEnterScorestate* entry = CEnterScorestate::GetInstance();
};
} // namespace

TEST_F(EnterScoreTest, TypingKeepsThreeCharactersInTheCaseTypedAndBackspaceErases)
{
    rig.Tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(entry->GetName(), "") << "backspace on an empty name does nothing";
    TypeLetters("Jk");
    EXPECT_EQ(entry->GetName(), "Jk");
    rig.Tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(entry->GetName(), "J");
    rig.Type(SDL_SCANCODE_7, "7");
    rig.Tap(SDL_SCANCODE_SPACE);
    rig.Tap(SDL_SCANCODE_Q);
    EXPECT_EQ(entry->GetName(), "J7 ") << "digits and the space are kept, the fourth character is not";
    EXPECT_EQ(rig.Top(), entry);
}

TEST_F(EnterScoreTest, ReturnConfirmsOnlyWithThreeCharactersAndWithoutAlt)
{
    TypeLetters("AB");
    rig.Tap(SDL_SCANCODE_RETURN);
    EXPECT_EQ(rig.Top(), entry) << "two characters do not confirm";
    EXPECT_EQ(entry->GetName(), std::string("AB\r")) << "the press's carriage return is typed";

    rig.Hold(SDL_SCANCODE_LALT);
    rig.Hold(SDL_SCANCODE_RETURN, KMOD_LALT);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), entry) << "Alt+Return is the display switch";
    EXPECT_FALSE(game->IsWindowed());
    rig.Release(SDL_SCANCODE_RETURN, KMOD_LALT);
    rig.Release(SDL_SCANCODE_LALT);
    ASSERT_TRUE(rig.Frame());

    rig.Tap(SDL_SCANCODE_BACKSPACE);
    TypeLetters("C");
    ASSERT_EQ(entry->GetName(), "ABC");
    rig.Hold(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    EXPECT_EQ(rig.Depth(), 1u) << "the game below has left too";
    rig.Release(SDL_SCANCODE_RETURN);
    ASSERT_TRUE(rig.Frame());
}

TEST_F(EnterScoreTest, LeavingInsertsTheScoreBelowEqualScoresAndWritesTheFile)
{
    TypeLetters("NEW");
    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());

    const tHighScore* table = game->GetHighScores();
    const char* const names[NUM_HIGH_SCORES] = {"TOP", "TWO", "TIE", "NEW", "D", "E", "F", "G", "H", "I"};
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        EXPECT_STREQ(table[i].szName, names[i]) << "entry " << i;
    EXPECT_EQ(table[3].nPoints, 0);
    EXPECT_EQ(table[4].nPoints, -10) << "the entries below move down by one; the lowest drops out";

    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        EXPECT_STREQ(saved.highScores[i].szName, names[i]) << "file entry " << i;
}

TEST_F(EnterScoreTest, ScoresWithoutAPlaceLeaveTheTableButTheFileIsWrittenAnyway)
{
    tHighScore full[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        full[i] = tHighScore{0, "ZRO"};
    game->SetHighScores(full);
    ASSERT_FALSE(headless::FileExists(rig.SettingsPath()));
    TypeLetters("NOP");
    // Leaving for a state that writes nothing shows the entry's own write.
    game->ChangeState(CGamePlayState::GetInstance());
    ASSERT_TRUE(headless::FileExists(rig.SettingsPath()));
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        EXPECT_STREQ(saved.highScores[i].szName, "ZRO");
}

TEST_F(EnterScoreTest, ThePanelLiesCentredOverTheGameWithTheNameDoubledInSize)
{
    const headless::Picture panel = headless::LoadPicture("OxM_EnterScore.png", 0);
    const headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFFFFFFFF);
    TypeLetters("Wx");
    const std::vector<uint32_t> frame = rig.CaptureFrame();
    const headless::Comparison name = headless::CompareText(frame, font, 16, 24, 20, "Wx", 282, 228, 2);
    EXPECT_GT(name.compared, 400);
    EXPECT_EQ(name.mismatched, 0) << name.firstMismatch;
    // Above and below the name's row the panel shows as it is.
    const headless::Comparison above = headless::CompareSection(frame, panel, 0, 0, 320, 108, 160, 120);
    const headless::Comparison below = headless::CompareSection(frame, panel, 0, 157, 320, 83, 160, 277);
    EXPECT_GT(above.compared + below.compared, 5000);
    EXPECT_EQ(above.mismatched, 0) << above.firstMismatch;
    EXPECT_EQ(below.mismatched, 0) << below.firstMismatch;
    EXPECT_GT(headless::CompareSection(frame, panel, 0, 0, 320, 240, 150, 120).mismatched, 1000)
        << "ten pixels off it would not match";
    // Outside the panel the clear colour (or the game) shows, not the panel.
    EXPECT_NE(headless::FramePixel(frame, 150, 240), panel.At(0, 120));
}

TEST_F(EnterScoreTest, ControlCharactersInANameDrawNothingAndTheTableSurvivesTheFile)
{
    const headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFFFFFFFF);
    TypeLetters("A");
    const std::vector<uint32_t> withA = rig.CaptureFrame();
    rig.Tap(SDL_SCANCODE_ESCAPE);
    TypeLetters("B");
    ASSERT_EQ(entry->GetName(), std::string("A\x1B"
                                            "B"));

    const std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_EQ(headless::CompareText(frame, font, 16, 24, 20, "A", 282, 228, 2).mismatched, 0);
    const headless::Comparison b = headless::CompareText(frame, font, 16, 24, 20, "B", 346, 228, 2);
    EXPECT_GT(b.compared, 200);
    EXPECT_EQ(b.mismatched, 0) << "the control character still takes its place " << b.firstMismatch;
    // The game below is frozen: the control character's cell looks as it did before anything was
    // typed there.
    EXPECT_EQ(headless::CountDifferences(frame, withA, 314, 228, 32, 48), 0);
    EXPECT_GT(headless::CountDifferences(frame, withA, 346, 228, 32, 48), 200) << "while B's cell changed";

    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance());
    // The whole table comes back from the file, the odd name included.
    ASSERT_TRUE(game->LoadSettings("Resource/settings.xml"));
    const tHighScore* table = game->GetHighScores();
    EXPECT_STREQ(table[0].szName, "TOP");
    EXPECT_EQ(table[0].nPoints, 30);
    EXPECT_STREQ(table[3].szName, "A\x1B"
                                  "B");
    EXPECT_STREQ(table[9].szName, "I");
}

TEST_F(EnterScoreTest, EndingTheProgramDuringEntryStoresTheNameTypedSoFar)
{
    TypeLetters("Q");
    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(entry->GetName(), std::string("Q\r"));
    // What CGame::Shutdown does first.
    game->ChangeState(nullptr);
    tGameSettings saved;
    ASSERT_TRUE(CSettingsFile::Load(rig.SettingsPath().c_str(), saved));
    EXPECT_STREQ(saved.highScores[3].szName, "Q\r");
    game->ChangeState(CMainMenuState::GetInstance());
}

TEST(EnterScorePicker, StepsGoThroughLettersDigitsAndTheSpaceAndWrapRound)
{
    const struct
    {
        char from;
        int steps;
        char to;
    } cases[] = {{'A', 1, 'B'},  {'Z', 1, '0'},   {'9', 1, ' '},  {' ', 1, 'A'},
                 {'A', -1, ' '}, {'0', -1, 'Z'},  {'A', 37, 'A'}, {'a', 1, 'B'},
                 {'z', 1, '0'},  {'\r', -1, ' '}, {'\r', 1, 'A'}};
    for (const auto& c : cases)
        EXPECT_EQ(CEnterScorestate::StepCharacter(c.from, c.steps), c.to)
            << static_cast<int>(c.from) << " by " << c.steps;
}

TEST_F(EnterScoreTest, APadPicksOnTheNameTheKeyboardTypes)
{
    const headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFFFFFFFF);
    headless::VirtualPad& pad = rig.PlugPad();
    TypeLetters("ab");
    ASSERT_FALSE(entry->IsPicking());
    // The first push shows the picker on the next place, holding an A, with its marker beneath.
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(entry->GetName(), "abA");
    EXPECT_EQ(entry->GetPlace(), 2);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(entry->GetName(), "abB");
    const std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_EQ(headless::CompareText(frame, font, 16, 24, 20, "abB", 282, 228, 2).mismatched, 0);
    const headless::Comparison marker = headless::CompareText(frame, font, 16, 24, 20, "^", 354, 276);
    EXPECT_GT(marker.compared, 20);
    EXPECT_EQ(marker.mismatched, 0) << marker.firstMismatch;

    // Backspace takes the place's character away; the next push puts an A back before stepping. A
    // typed small letter steps on from its capital.
    rig.Tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(entry->GetName(), "ab");
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(entry->GetName(), "ab ");
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(entry->GetName(), "aC ");
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(rig.Top(), CMainMenuState::GetInstance()) << "South confirms three characters";
    EXPECT_STREQ(game->GetHighScores()[3].szName, "aC ");
}
