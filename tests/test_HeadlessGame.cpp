// The headless game library itself: the scratch folder the game runs in, the window events and pads
// it pushes, all through the real game and SDL's real queue, and the strict mode of the tools.
#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CPauseState.h"

#include "Files.h"
#include "HeadlessGame.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace
{
// Volumes of 30 and 70 and ten high scores.
std::string Settings()
{
    std::string xml =
        "<?xml version=\"1.0\" ?>\n<root>\n<sound_settings music=\"30\" fx=\"70\" />\n<high_scores>\n";
    for (int i = 10; i > 0; --i)
        xml += "<score points=\"" + std::to_string(i * 100) + "\">OWL</score>\n";
    return xml + "</high_scores>\n</root>\n";
}

int DeviceIndexOf(SDL_JoystickID instance)
{
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
    {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance)
            return index;
    }
    return -1;
}
} // namespace

TEST(HeadlessGameTest, TheGameRunsInAFolderOfItsOwnThatGoesWithIt)
{
    const std::string before = fs::current_path().string();
    std::string folder;
    {
        headless::HeadlessGame::Options options;
        options.settingsXml = Settings();
        headless::HeadlessGame game(options);
        folder = game.Folder();
        EXPECT_EQ(fs::current_path().string(), folder);
        EXPECT_FLOAT_EQ(CGame::GetInstance()->GetMusicVolume(), 30.0f) << "the folder's settings were read";
        EXPECT_TRUE(fs::exists(folder + "/Resource/Graphics/OxM_HUD.png"))
            << "the build's pictures are there";
        EXPECT_TRUE(fs::exists(folder + "/Resource/Sound/VKT_LazerHit.wav"));

        // The main menu writes the settings: into the folder's own file.
        game.Tap(SDL_SCANCODE_SPACE);
        ASSERT_EQ(game.Top(), CMainMenuState::GetInstance());
        EXPECT_NE(headless::ReadFile(game.SettingsPath()), options.settingsXml);
        EXPECT_NE(headless::ReadFile(game.SettingsPath()).find("music=\"30\""), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(fs::current_path().string(), before);
    EXPECT_TRUE(fs::exists(headless::BuildDir() + "/Resource/Graphics/OxM_HUD.png"))
        << "links removed, not targets";
}

TEST(HeadlessGameTest, WindowEventsReachTheGamesWindowProcedure)
{
    headless::HeadlessGame game;
    CGame::GetInstance()->ChangeState(CGamePlayState::GetInstance());
    ASSERT_TRUE(game.Frame());
    game.LoseFocus();
    ASSERT_TRUE(game.Frame());
    EXPECT_EQ(game.Top(), CPauseState::GetInstance()) << "a lost focus pauses play";
    game.GainFocus();
    game.CloseWindow();
    EXPECT_FALSE(game.Frame()) << "the close button ends the loop";
}

TEST(HeadlessGameTest, AStrictGameThrowsWhenAWaitTimesOutOrTheGameEnds)
{
    headless::HeadlessGame::Options options;
    options.strict = true;
    headless::HeadlessGame game(options);
    EXPECT_TRUE(game.RunUntil([] { return true; }, 100)) << "a wait that ends answers";
    EXPECT_THROW(game.RunUntil([] { return false; }, 100, 16, "nothing"), std::runtime_error);
    EXPECT_EQ(game.CaptureFrame().size(), 640u * 480u);
    game.CloseWindow();
    EXPECT_THROW(game.Frame(), std::runtime_error) << "the close button ends the loop";
}

TEST(HeadlessGameTest, APluggedPadIsAGameControllerWithTheStandardLayout)
{
    headless::HeadlessGame game;
    headless::VirtualPad& pad = game.PlugPad();
    const int index = DeviceIndexOf(pad.InstanceID());
    ASSERT_GE(index, 0);
    ASSERT_TRUE(SDL_IsGameController(index));
    SDL_GameController* controller = SDL_GameControllerOpen(index);
    ASSERT_NE(controller, nullptr);
    for (const SDL_GameControllerButton button :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_START,
          SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER})
    {
        pad.Press(button);
        game.Frame();
        EXPECT_EQ(SDL_GameControllerGetButton(controller, button), 1) << button;
        pad.Release(button);
        game.Frame();
        EXPECT_EQ(SDL_GameControllerGetButton(controller, button), 0) << button;
    }
    for (const SDL_GameControllerAxis axis :
         {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_AXIS_TRIGGERRIGHT})
    {
        pad.Move(axis, 32767);
        game.Frame();
        EXPECT_EQ(SDL_GameControllerGetAxis(controller, axis), 32767) << axis;
    }
    pad.Unplug();
    game.Frame();
    EXPECT_FALSE(SDL_GameControllerGetAttached(controller));
    SDL_GameControllerClose(controller);
}
