// The story screen in the real game: the lines typed out at five characters a second and read back
// from frames, the presses that complete and advance them, the ending shown after a lost game, and
// what the screen gives back when it is left.
#include "CGame.h"
#include "CGamePlayState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"

#include "CVKT_TextureManager.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
const char* const kFirstLine = "Hello, comarade! I'm am your Captain!";

class LevelIntroTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        story->SetEnding(false);
        game->ChangeState(story);
    }

    headless::Comparison Text(const std::vector<uint32_t>& frame, const std::string& text, int x, int y) const
    {
        return headless::CompareText(frame, font, 8, 12, 20, text, x, y);
    }

    // Space until the game starts; the number of presses it took.
    int PressesToTheGame(SDL_Scancode key = SDL_SCANCODE_SPACE)
    {
        int presses = 0;
        while (rig.Top() == story && presses < 30)
        {
            rig.Tap(key);
            ++presses;
        }
        return presses;
    }

    headless::HeadlessGame rig;
    CGame* game = CGame::GetInstance();
    CLevelIntroState1* story = CLevelIntroState1::GetInstance();
    headless::Picture font = headless::LoadPicture("OxM_Font1.png", 0xFFFFFFFF);
};
} // namespace

TEST_F(LevelIntroTest, TheFirstLineIsTypedOutAtFiveCharactersASecond)
{
    ASSERT_EQ(std::strlen(kFirstLine), 37u);
    rig.Frame(100);
    // From here the timer counts from the value it had (0 on the first visit, -1 after a leave).
    const float start = story->GetTextTimer();
    std::vector<uint32_t> frame = rig.CaptureFrame(2000);
    const int shown = static_cast<int>(start + 10.0f);
    ASSERT_GT(shown, 5);
    const std::string line = kFirstLine;
    const headless::Comparison revealed = Text(frame, line.substr(0, shown), 75, 400);
    EXPECT_GT(revealed.compared, 100);
    EXPECT_EQ(revealed.mismatched, 0) << revealed.firstMismatch;
    const headless::Comparison hidden = Text(frame, line.substr(shown, 8), 75 + 8 * shown, 400);
    EXPECT_GT(hidden.mismatched, 20) << "the rest of the line is not shown yet";
    EXPECT_FALSE(story->IsLineComplete());

    // The whole line takes 37 / 5 = 7.4 s from a timer of 0.
    const float remaining = (37.0f - story->GetTextTimer()) / 5.0f;
    uint32_t waited = 0;
    while (!story->IsLineComplete() && waited < 10000)
    {
        rig.Frame(20);
        waited += 20;
    }
    EXPECT_NEAR(waited / 1000.0, remaining, 0.05);
    frame = rig.CaptureFrame();
    const headless::Comparison whole = Text(frame, line, 75, 400);
    EXPECT_EQ(whole.mismatched, 0) << whole.firstMismatch;
}

TEST_F(LevelIntroTest, PortraitAndTextBoxLieOverTheBackground)
{
    const headless::Picture background = headless::LoadPicture("OxM_IntroMenu.png", 0);
    const headless::Picture captain = headless::LoadPicture("OxM_CaptainChar.png", 0);
    const headless::Picture box = headless::LoadPicture("OxM_TextBox.png", 0);
    const std::vector<uint32_t> frame = rig.CaptureFrame(0);
    const headless::Comparison portrait = headless::CompareSection(frame, captain, 0, 0, 124, 88, 258, 240);
    EXPECT_GT(portrait.compared, 1000);
    EXPECT_EQ(portrait.mismatched, 0) << portrait.firstMismatch;
    // The text box, left of where the text starts (nothing is typed yet in any case).
    const headless::Comparison boxShown = headless::CompareSection(frame, box, 0, 0, 480, 88, 60, 392);
    EXPECT_GT(boxShown.compared, 1000);
    EXPECT_EQ(boxShown.mismatched, 0) << boxShown.firstMismatch;
    const headless::Comparison top = headless::CompareSection(frame, background, 0, 0, 640, 240, 0, 0);
    EXPECT_EQ(top.mismatched, 0) << top.firstMismatch;
}

TEST_F(LevelIntroTest, NinePressesOfSpaceReachTheGameEscapeActsAlike)
{
    EXPECT_EQ(PressesToTheGame(SDL_SCANCODE_SPACE), 9)
        << "two presses on each line (complete, advance), one on the long fourth line";
    EXPECT_EQ(rig.Top(), CGamePlayState::GetInstance());

    game->ChangeState(story);
    EXPECT_EQ(PressesToTheGame(SDL_SCANCODE_ESCAPE), 9);

    // Other keys do nothing.
    game->ChangeState(story);
    rig.Tap(SDL_SCANCODE_RETURN);
    rig.Tap(SDL_SCANCODE_P);
    EXPECT_EQ(story->GetLine(), 1);
    EXPECT_FALSE(story->IsLineComplete());
}

TEST_F(LevelIntroTest, TheFourthLineIsShownWholeOnItsFourRows)
{
    while (story->GetLine() != 4)
        rig.Tap(SDL_SCANCODE_SPACE);
    const std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_TRUE(story->IsLineComplete());
    const char* const rows[] = {"Too long, too long has humanity laughed in your face.",
                                "Too long have they captured our compatriots and",
                                "forced them to do silly tricks. Too long have they",
                                "hunted us for sport. Today we exact our revenge."};
    for (int row = 0; row < 4; ++row)
    {
        const headless::Comparison shown = Text(frame, rows[row], 75, 400 + 12 * row);
        EXPECT_GT(shown.compared, 100);
        EXPECT_EQ(shown.mismatched, 0) << "row " << row << " " << shown.firstMismatch;
    }
}

TEST_F(LevelIntroTest, AVeryLongFrameDrawsOnlyTheCharactersTheLineHas)
{
    const std::vector<uint32_t> frame = rig.CaptureFrame(60000);
    EXPECT_TRUE(story->IsLineComplete());
    EXPECT_EQ(Text(frame, kFirstLine, 75, 400).mismatched, 0);
}

TEST_F(LevelIntroTest, AfterALostGameTheTwoEndingLinesLeadIntoANewGameThatForgetsTheEnding)
{
    game->ChangeState(nullptr);
    story->SetEnding(true);
    game->ChangeState(story);
    std::vector<uint32_t> frame = rig.CaptureFrame(10000);
    EXPECT_EQ(Text(frame, "Good job, soldier!", 75, 400).mismatched, 0);
    rig.Tap(SDL_SCANCODE_SPACE);
    frame = rig.CaptureFrame(10000);
    EXPECT_EQ(Text(frame, "Unfortunately, this was all a dream", 75, 400).mismatched, 0);
    EXPECT_EQ(PressesToTheGame(), 1) << "the line is already complete: one press advances";
    EXPECT_EQ(rig.Top(), CGamePlayState::GetInstance());
    EXPECT_FALSE(story->IsEnding()) << "the next game from the menu opens with the introduction";
}

TEST_F(LevelIntroTest, LeavingGivesBackEveryPictureItLoaded)
{
    CVKT_TextureManager* textures = CVKT_TextureManager::GetInstance();
    for (int visit = 0; visit < 3; ++visit)
    {
        game->ChangeState(CMainMenuState::GetInstance());
        game->ChangeState(story);
        rig.Frame();
    }
    game->ChangeState(CMainMenuState::GetInstance());
    for (const char* file : {"Resource/Graphics/OxM_IntroMenu.png", "Resource/Graphics/OxM_CaptainChar.png",
                             "Resource/Graphics/OxM_TextBox.png", "Resource/Graphics/OxM_Font1.png"})
    {
        const int id = textures->LoadTexture(file, 0);
        EXPECT_EQ(textures->GetRefCount(id), 1) << file << ": only this load holds it";
        textures->UnloadTexture(id);
    }
}
