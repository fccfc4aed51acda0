// The controls the player chooses, in the real game: a chosen key does its action in play and the
// default it replaced no longer does, while the menus and the pause screen read every key as itself;
// the change-of-controls screen binds, swaps, refuses, cancels and resets; the choice is kept in the
// settings file across a restart and a damaged one falls back with one report; replays play the same
// under any choice; pads rebound alike, with the menus still answering South and East.
#include "CChangeControlsState.h"
#include "CControls.h"
#include "CControlsMenuState.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CPauseState.h"
#include "CPlayer.h"
#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CReplayRecorder.h"
#include "CSettingsFile.h"
#include "ScriptedGames.h"

#include "CVKT_DirectInput.h"
#include "CVKT_InputBindings.h"
#include "CVKT_KeyMap.h"
#include "CVKT_MessageBox.h"

#include "Files.h"
#include "FrameComparison.h"
#include "PlayBench.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using headless::VirtualPad;

unsigned char Dik(SDL_Scancode key)
{
    return CVKT_KeyMap::ToDIK(key);
}

// The controls with one action's key chosen.
tControlSettings WithKey(int nControl, SDL_Scancode key)
{
    tControlSettings controls = CControls::Defaults();
    EXPECT_NE(CControls::BindKey(controls, nControl, Dik(key)), CControls::eChange::Refused);
    return controls;
}

// Messages reported in boxes while it lives.
class Messages
{
public:
    Messages()
    {
        CVKT_MessageBox::SetListener([this](const std::string& title, const std::string& text)
                                     { texts.push_back(title + ": " + text); });
    }
    ~Messages() { CVKT_MessageBox::SetListener({}); }
    std::vector<std::string> texts;
};

// Holds the key for three frames of play and tells whether the action happened: a shot spent
// charge, the pause screen came (and was left again with Escape), the player moved that way.
bool Does(headless::PlayBench& game, int nControl, SDL_Scancode key)
{
    CPlayer* player = game.Player();
    const float fX = player->GetPosX();
    const float fY = player->GetPosY();
    const float fCharge = player->GetCharge();
    CPlayer::SetFireTimer(1.0f);
    game.Hold(key);
    game.Frame();
    game.Frame();
    game.Frame();
    game.Release(key);
    game.Frame();
    if (game.Top() == CPauseState::GetInstance())
    {
        game.Tap(SDL_SCANCODE_ESCAPE);
        return nControl == CONTROL_PAUSE;
    }
    player = game.Player();
    switch (nControl)
    {
    case CONTROL_FIRE:
        return player->GetCharge() < fCharge;
    case CONTROL_UP:
        return player->GetPosY() < fY;
    case CONTROL_DOWN:
        return player->GetPosY() > fY;
    case CONTROL_LEFT:
        return player->GetPosX() < fX;
    case CONTROL_RIGHT:
        return player->GetPosX() > fX;
    default:
        return false;
    }
}

class ControlsTest : public ::testing::Test
{
protected:
    void TearDown() override { game->SetControls(CControls::Defaults()); }

    // On the change-of-controls screen, the cursor moved down to the row and the row chosen.
    static void ChooseRow(headless::HeadlessGame& rig, int nRow)
    {
        for (int i = 0; i < CChangeControlsState::ROW_COUNT &&
                        CChangeControlsState::GetInstance()->GetSelection() != nRow;
             ++i)
            rig.Tap(SDL_SCANCODE_DOWN);
        rig.Tap(SDL_SCANCODE_RETURN);
    }

    CGame* game = CGame::GetInstance();
    CChangeControlsState* screen = CChangeControlsState::GetInstance();
    CReplayPlayer* player = CReplayPlayer::GetInstance();
};
} // namespace

TEST_F(ControlsTest, AChosenKeyDoesItsActionInPlayAndTheDefaultItReplacedDoesNothing)
{
    const struct
    {
        int control;
        SDL_Scancode chosen;
        SDL_Scancode replaced;
    } cases[] = {
        {CONTROL_FIRE, SDL_SCANCODE_Z, SDL_SCANCODE_SPACE},
        {CONTROL_PAUSE, SDL_SCANCODE_Q, SDL_SCANCODE_P},
        {CONTROL_UP, SDL_SCANCODE_W, SDL_SCANCODE_UP},
        {CONTROL_LEFT, SDL_SCANCODE_A, SDL_SCANCODE_LEFT},
        {CONTROL_RIGHT, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RIGHT},
    };
    headless::PlayBench play;
    play.StartGame();
    play.RemoveEnemies();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(CControls::Name(c.control));
        game->SetControls(WithKey(c.control, c.chosen));
        EXPECT_TRUE(Does(play, c.control, c.chosen));
        EXPECT_FALSE(Does(play, c.control, c.replaced));
        EXPECT_EQ(Does(play, c.control, SDL_SCANCODE_ESCAPE), c.control == CONTROL_PAUSE)
            << "Escape always pauses, and does nothing else";
    }
}

TEST_F(ControlsTest, AKeyLetGoWhilePlayIsPausedDoesNotFireOnAfterIt)
{
    headless::PlayBench play;
    play.StartGame();
    play.RemoveEnemies();
    game->SetControls(WithKey(CONTROL_FIRE, SDL_SCANCODE_Z));
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    play.Hold(SDL_SCANCODE_Z);
    play.Frame();
    EXPECT_TRUE(pDI->KeyDown(DIK_SPACE) && !pDI->KeyDown(DIK_Z)) << "Z reads as the fire key in play";
    play.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(play.Top(), CPauseState::GetInstance());
    EXPECT_TRUE(pDI->KeyDown(DIK_Z) && !pDI->KeyDown(DIK_SPACE)) << "and as itself in the pause screen";
    play.Release(SDL_SCANCODE_Z);
    play.Frame();
    play.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(play.Top(), CGamePlayState::GetInstance());
    const float fCharge = play.Player()->GetCharge();
    CPlayer::SetFireTimer(1.0f);
    play.Frame();
    play.Frame();
    EXPECT_FALSE(pDI->KeyDown(DIK_SPACE) || pDI->KeyDown(DIK_Z));
    EXPECT_GE(play.Player()->GetCharge(), fCharge) << "no shot after the key was let go";
}

TEST_F(ControlsTest, AtTheGameOverEveryKeyIsItselfAgain)
{
    headless::PlayBench play;
    play.StartGame();
    play.RemoveEnemies();
    game->SetControls(WithKey(CONTROL_FIRE, SDL_SCANCODE_Z));
    play.State()->SetLives(1);
    for (int i = 0; i < 100 && play.State()->IsBubbleUp(); ++i)
        play.Frame(100);
    play.AddReadyEnemyBullet(play.Player()->GetPosX(), play.Player()->GetPosY());
    play.Frame();
    ASSERT_TRUE(play.State()->IsGameOver());
    play.Frame();
    play.Tap(SDL_SCANCODE_SPACE);
    EXPECT_EQ(play.Top(), CLevelIntroState1::GetInstance()) << "Space leads on, as it always did";
}

TEST_F(ControlsTest, MenusAndThePauseScreenReadEveryKeyAsItselfWhateverIsChosen)
{
    headless::HeadlessGame rig;
    tControlSettings controls = WithKey(CONTROL_FIRE, SDL_SCANCODE_Z);
    CControls::BindKey(controls, CONTROL_UP, Dik(SDL_SCANCODE_W));
    CControls::BindKey(controls, CONTROL_DOWN, Dik(SDL_SCANCODE_S));
    CControls::BindKey(controls, CONTROL_PAUSE, Dik(SDL_SCANCODE_O));
    game->SetControls(controls);
    CMainMenuState* menu = CMainMenuState::GetInstance();
    game->ChangeState(menu);
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(menu->GetSelection(), CMainMenuState::ITEM_HIGH_SCORES);
    rig.Tap(SDL_SCANCODE_UP);
    rig.Tap(SDL_SCANCODE_SPACE);
    EXPECT_EQ(rig.Top(), CLevelIntroState1::GetInstance()) << "Space confirms in the menus";

    game->ChangeState(CGamePlayState::GetInstance());
    rig.Frame();
    rig.Tap(SDL_SCANCODE_O);
    ASSERT_EQ(rig.Top(), CPauseState::GetInstance());
    rig.Tap(SDL_SCANCODE_DOWN);
    EXPECT_EQ(CPauseState::GetInstance()->GetSelection(), 1);
    rig.Tap(SDL_SCANCODE_UP);
    rig.Tap(SDL_SCANCODE_RETURN);
    EXPECT_EQ(rig.Top(), CGamePlayState::GetInstance()) << "Return resumes";
}

TEST_F(ControlsTest, TheScreenBindsSwapsRefusesCancelsAndResets)
{
    headless::HeadlessGame rig;
    game->ChangeState(CControlsMenuState::GetInstance());
    rig.Tap(SDL_SCANCODE_C);
    ASSERT_EQ(rig.Top(), screen);
    const auto keyOf = [this](int nControl) { return game->GetControls().ucKeys[nControl]; };

    ChooseRow(rig, CONTROL_FIRE);
    EXPECT_TRUE(screen->IsWaiting());
    EXPECT_EQ(screen->GetNote(), "Press a key or pad button for Fire\nEsc cancels");
    rig.Tap(SDL_SCANCODE_Z);
    EXPECT_FALSE(screen->IsWaiting());
    EXPECT_EQ(keyOf(CONTROL_FIRE), DIK_Z);

    rig.Tap(SDL_SCANCODE_UP);
    rig.Tap(SDL_SCANCODE_UP);
    rig.Tap(SDL_SCANCODE_UP);
    rig.Tap(SDL_SCANCODE_UP);
    rig.Tap(SDL_SCANCODE_RETURN);
    ASSERT_EQ(screen->GetSelection(), CONTROL_UP);
    rig.Tap(SDL_SCANCODE_Z);
    EXPECT_EQ(keyOf(CONTROL_UP), DIK_Z);
    EXPECT_EQ(keyOf(CONTROL_FIRE), DIK_UP) << "the two actions swapped their keys";
    EXPECT_EQ(screen->GetNote(), "Swapped with Fire");

    const struct
    {
        SDL_Scancode key;
        const char* note;
    } refused[] = {{SDL_SCANCODE_RETURN, "Return cannot be chosen"},
                   {SDL_SCANCODE_F11, "F11 cannot be chosen"},
                   {SDL_SCANCODE_LALT, "Left Alt cannot be chosen"}};
    ChooseRow(rig, CONTROL_PAUSE);
    for (const auto& r : refused)
    {
        rig.Tap(r.key);
        EXPECT_TRUE(screen->IsWaiting()) << r.note;
        EXPECT_EQ(screen->GetNote(), r.note);
    }
    rig.Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(screen->IsWaiting());
    EXPECT_EQ(rig.Top(), screen) << "Escape while waiting only cancels";
    EXPECT_EQ(keyOf(CONTROL_PAUSE), DIK_P);

    ChooseRow(rig, CChangeControlsState::ROW_RESET);
    EXPECT_EQ(game->GetControls(), CControls::Defaults());
    ChooseRow(rig, CChangeControlsState::ROW_BACK);
    EXPECT_EQ(rig.Top(), CControlsMenuState::GetInstance());
}

TEST_F(ControlsTest, TheScreenShowsEachKeyAndButtonInItsRowAndWaitsVisibly)
{
    headless::HeadlessGame rig;
    tControlSettings controls = WithKey(CONTROL_FIRE, SDL_SCANCODE_Z);
    CControls::BindPadButton(controls, CONTROL_FIRE, PAD_WEST);
    game->SetControls(controls);
    game->ChangeState(screen);
    const headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFF000000);
    const headless::Picture art = headless::LoadPicture("OxM_ChangeControls.png", 0);
    const auto shows = [&](const std::vector<uint32_t>& frame, const std::string& text, int x, int nRow)
    {
        const int y = CChangeControlsState::ROW_TOP + CChangeControlsState::ROW_STEP * nRow;
        const headless::Comparison c = headless::CompareText(frame, font, 16, 24, 20, text, x, y);
        return c.compared > 0 && c.mismatched == 0;
    };
    const int keyX = CChangeControlsState::KEY_X;
    const int padX = CChangeControlsState::PAD_X;
    std::vector<uint32_t> frame = rig.CaptureFrame();
    EXPECT_EQ(headless::CompareSection(frame, art, 300, 0, 340, 100, 300, 0).mismatched, 0)
        << "the art behind";
    EXPECT_TRUE(shows(frame, "Up", keyX, CONTROL_UP));
    EXPECT_TRUE(shows(frame, "Right", keyX, CONTROL_RIGHT));
    EXPECT_TRUE(shows(frame, "Z", keyX, CONTROL_FIRE));
    EXPECT_TRUE(shows(frame, "West", padX, CONTROL_FIRE));
    EXPECT_TRUE(shows(frame, "P", keyX, CONTROL_PAUSE));
    EXPECT_TRUE(shows(frame, "Start", padX, CONTROL_PAUSE));

    ChooseRow(rig, CONTROL_PAUSE);
    frame = rig.CaptureFrame();
    EXPECT_TRUE(shows(frame, "...", keyX, CONTROL_PAUSE) && shows(frame, "...", padX, CONTROL_PAUSE));
    const std::string line = "Press a key or pad button for Pause";
    EXPECT_EQ(headless::CompareText(frame, font, 16, 24, 20, line, 320 - 8 * static_cast<int>(line.size()),
                                    CChangeControlsState::NOTE_Y)
                  .mismatched,
              0);
}

TEST_F(ControlsTest, AChoiceIsKeptInTheSettingsFileAcrossARestart)
{
    headless::HeadlessGame rig;
    game->ChangeState(screen);
    ChooseRow(rig, CONTROL_FIRE);
    rig.Tap(SDL_SCANCODE_Z);
    rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), CControlsMenuState::GetInstance());
    EXPECT_NE(rig.SettingsText().find("<control action=\"fire\" key=\"Z\" pad=\"south\" />"),
              std::string::npos)
        << rig.SettingsText();

    rig.Restart();
    EXPECT_EQ(game->GetControls(), WithKey(CONTROL_FIRE, SDL_SCANCODE_Z));
    game->ChangeState(CGamePlayState::GetInstance());
    rig.Hold(SDL_SCANCODE_Z);
    rig.Frame();
    rig.Frame();
    EXPECT_TRUE(CVKT_DirectInput::GetInstance()->KeyDown(DIK_SPACE)) << "Z fires after the restart";
    rig.Release(SDL_SCANCODE_Z);
    rig.Frame();
}

TEST_F(ControlsTest, AnUnusableEntryFallsBackToItsDefaultWithOneReport)
{
    const std::string file = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n<root>\n"
                             "<sound_settings music=\"50\" fx=\"50\" />\n<high_scores>\n" +
                             []
    {
        std::string scores;
        for (int i = 0; i < NUM_HIGH_SCORES; ++i)
            scores += "<score points=\"0\">AAA</score>\n";
        return scores;
    }() +
                             "</high_scores>\n<controls>\n"
                             "<control action=\"up\" key=\"W\" />\n"
                             "<control action=\"fire\" key=\"No Such Key\" pad=\"west\" />\n"
                             "<control action=\"pause\" key=\"Q\" pad=\"elbow\" />\n"
                             "</controls>\n</root>\n";
    Messages messages;
    headless::HeadlessGame::Options options;
    options.settingsXml = file;
    headless::HeadlessGame rig(options);
    tControlSettings expected = WithKey(CONTROL_UP, SDL_SCANCODE_W);
    CControls::BindPadButton(expected, CONTROL_FIRE, PAD_WEST);
    CControls::BindKey(expected, CONTROL_PAUSE, Dik(SDL_SCANCODE_Q));
    EXPECT_EQ(game->GetControls(), expected) << "the rest of the entries count";
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("Settings Error: "), std::string::npos) << messages.texts[0];
    EXPECT_NE(messages.texts[0].find("for Fire, Pause;"), std::string::npos) << messages.texts[0];
}

TEST_F(ControlsTest, AGameRecordedUnderOneChoiceReplaysTheSameUnderAnother)
{
    // The kept games were recorded with the default keys and pad buttons.
    tControlSettings elsewhere = WithKey(CONTROL_FIRE, SDL_SCANCODE_Z);
    CControls::BindKey(elsewhere, CONTROL_PAUSE, Dik(SDL_SCANCODE_SPACE));
    CControls::BindPadButton(elsewhere, CONTROL_FIRE, PAD_WEST);
    for (const char* name : {"game-over.replay", "pad.replay"})
    {
        tReplay replay;
        ASSERT_EQ(CReplayFile::Load(headless::SourceDir() + "/tests/replays/" + name, replay),
                  CReplayFile::eError::None);
        headless::HeadlessGame rig;
        game->SetControls(elsewhere);
        player->Start(replay, CHighScoreMenuState::GetInstance());
        ASSERT_TRUE(headless::WatchToEnd(rig, 64, 100000));
        EXPECT_EQ(player->GetResult(), CReplayPlayer::eResult::Played)
            << name << " departed at " << player->GetDepartedFrame();
    }

    // A game fired with Z, watched under the defaults.
    headless::HeadlessGame rig;
    CReplayRecorder::GetInstance()->Enable(true);
    game->SetControls(WithKey(CONTROL_FIRE, SDL_SCANCODE_Z));
    // Into play from the story, as a recorded game begins.
    game->ChangeState(CLevelIntroState1::GetInstance());
    for (int i = 0; i < 12 && rig.Top() != CGamePlayState::GetInstance(); ++i)
        rig.Tap(SDL_SCANCODE_ESCAPE);
    ASSERT_EQ(rig.Top(), CGamePlayState::GetInstance());
    rig.Hold(SDL_SCANCODE_Z);
    rig.Run(1000);
    rig.Release(SDL_SCANCODE_Z);
    rig.Tap(SDL_SCANCODE_ESCAPE);
    rig.Tap(SDL_SCANCODE_DOWN);
    rig.Tap(SDL_SCANCODE_RETURN);
    CReplayRecorder::GetInstance()->Enable(false);
    const tReplay record = CReplayRecorder::GetInstance()->GetLastRecord();
    ASSERT_EQ(record.end, eReplayEnd::Quit);
    // The record holds what the game read: the fire key, never Z.
    bool bFired = false;
    for (const tReplayFrame& frame : record.vFrames)
    {
        bFired = bFired || tInputFrame::Bit(frame.input.keysDown, DIK_SPACE);
        EXPECT_FALSE(tInputFrame::Bit(frame.input.keysDown, DIK_Z));
    }
    EXPECT_TRUE(bFired);
    game->SetControls(CControls::Defaults());
    player->Start(record, CHighScoreMenuState::GetInstance());
    ASSERT_TRUE(headless::WatchToEnd(rig, 16, 100000));
    EXPECT_EQ(player->GetResult(), CReplayPlayer::eResult::Played)
        << "departed at " << player->GetDepartedFrame();
}

TEST_F(ControlsTest, APadsFireReboundToWestWhileTheMenusStillAnswerSouthAndEast)
{
    headless::HeadlessGame rig;
    VirtualPad& pad = rig.PlugPad();
    tControlSettings controls = CControls::Defaults();
    ASSERT_EQ(CControls::BindPadButton(controls, CONTROL_FIRE, PAD_START), CControls::eChange::Swapped);
    EXPECT_EQ(controls.cPadButtons[CONTROL_PAUSE], PAD_SOUTH) << "pause took fire's old button";
    EXPECT_EQ(CControls::BindPadButton(controls, CONTROL_FIRE, PAD_EAST), CControls::eChange::Refused);
    EXPECT_EQ(CControls::BindPadButton(controls, CONTROL_UP, PAD_WEST), CControls::eChange::Refused);

    // Chosen on the screen with the pad alone: South chooses the row, West is taken, East leaves.
    game->ChangeState(screen);
    for (int i = 0; i < CONTROL_FIRE; ++i)
        rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(screen->IsWaiting());
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(game->GetControls().cPadButtons[CONTROL_FIRE], PAD_WEST);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_B);
    ASSERT_EQ(rig.Top(), CControlsMenuState::GetInstance());

    CGamePlayState* play = CGamePlayState::GetInstance();
    game->ChangeState(play);
    rig.Frame();
    const auto fires = [&](SDL_GameControllerButton button)
    {
        const float fCharge = play->GetPlayer()->GetCharge();
        CPlayer::SetFireTimer(1.0f);
        pad.Press(button);
        rig.Frame();
        rig.Frame();
        pad.Release(button);
        rig.Frame();
        return play->GetPlayer()->GetCharge() < fCharge;
    };
    EXPECT_TRUE(fires(SDL_CONTROLLER_BUTTON_X));
    EXPECT_FALSE(fires(SDL_CONTROLLER_BUTTON_A));

    CMainMenuState* menu = CMainMenuState::GetInstance();
    game->ChangeState(menu);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(rig.Top(), COptionsMenuState::GetInstance()) << "South confirms";
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(rig.Top(), menu) << "East backs out";
}

TEST(InputBindingsTest, EveryKeyOfTheGameIsNamedByItsPlaceAndFoundAgainByThatName)
{
    int named = 0;
    for (unsigned int code = 1; code < 256; ++code)
    {
        const unsigned char key = static_cast<unsigned char>(code);
        const std::string place = CVKT_InputBindings::KeyPlaceName(key);
        if (place.empty())
            continue;
        ++named;
        EXPECT_EQ(CVKT_InputBindings::KeyFromPlaceName(place.c_str()), key) << place;
        EXPECT_FALSE(CVKT_InputBindings::KeyName(key).empty()) << place;
    }
    EXPECT_GE(named, 104) << "the keys of a 105-key keyboard, less the shared ISO one";
    EXPECT_EQ(CVKT_InputBindings::KeyFromPlaceName("left shift"), DIK_LSHIFT);
    EXPECT_EQ(CVKT_InputBindings::KeyFromPlaceName("No Such Key"), CVKT_InputBindings::NO_KEY);
    EXPECT_EQ(CVKT_InputBindings::KeyFromPlaceName(""), CVKT_InputBindings::NO_KEY);
}
