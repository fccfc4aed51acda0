// Game pads of the input layer through SDL's game-controller layout, driven by SDL's virtual game
// controllers through the window's pump: buttons and directions, plugging and pulling out at any
// time, several pads at once, joysticks without a mapping, the window's focus, rumble, and the
// mappings a user adds.
#include "CVKT_DataLocation.h"
#include "CVKT_DirectInput.h"
#include "CVKT_GamePad.h"
#include "Files.h"
#include "InputBench.h"
#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"
#include "VirtualPad.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace
{
using headless::VirtualPad;

// SDL has no mapping for a flight stick of an unknown maker.
const SDL_VirtualJoystickDesc kFlightStick =
    VirtualPad::Describe(SDL_JOYSTICK_TYPE_FLIGHT_STICK, "Test Flight Stick", 0, 0, 6, 8, 1);

class GamePads : public ::testing::Test
{
protected:
    void TearDown() override { di->ShutdownDirectInput(); }
    void Init()
    {
        ASSERT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_GAMEPADS));
    }

    headless::InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
};

// One way of pushing a pad and what the layer must make of it.
struct Push
{
    const char* name;
    std::function<void(VirtualPad&, bool)> apply;
    int button; // ePadButton, or -1 for a direction
    int direction;
};

void Stick(VirtualPad& pad, SDL_GameControllerAxis axis, int value, bool on)
{
    pad.Move(axis, on ? value : 0);
}

const Push kPushes[] = {
    {"South", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_A, on); }, PAD_SOUTH, -1},
    {"East", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_B, on); }, PAD_EAST, -1},
    {"Start", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_START, on); }, PAD_START, -1},
    {"D-pad up", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, on); }, -1, PAD_UP},
    {"D-pad down", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, on); }, -1,
     PAD_DOWN},
    {"D-pad left", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, on); }, -1,
     PAD_LEFT},
    {"D-pad right", [](VirtualPad& p, bool on) { p.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, on); }, -1,
     PAD_RIGHT},
    {"stick left", [](VirtualPad& p, bool on) { Stick(p, SDL_CONTROLLER_AXIS_LEFTX, -32768, on); }, -1,
     PAD_LEFT},
    {"stick right", [](VirtualPad& p, bool on) { Stick(p, SDL_CONTROLLER_AXIS_LEFTX, 20000, on); }, -1,
     PAD_RIGHT},
    {"stick up", [](VirtualPad& p, bool on) { Stick(p, SDL_CONTROLLER_AXIS_LEFTY, -9000, on); }, -1, PAD_UP},
    {"stick down", [](VirtualPad& p, bool on) { Stick(p, SDL_CONTROLLER_AXIS_LEFTY, 32767, on); }, -1,
     PAD_DOWN},
};

bool Down(const CVKT_DirectInput* di, const Push& push)
{
    return push.button >= 0 ? di->PadButtonDown(push.button) : di->PadDirectionDown(push.direction);
}

bool Pressed(const CVKT_DirectInput* di, const Push& push)
{
    return push.button >= 0 ? di->PadButtonPressed(push.button) : di->PadDirectionPressed(push.direction);
}

// Nothing at all is held or pressed on any pad.
bool Idle(const CVKT_DirectInput* di)
{
    for (int button = 0; button < PAD_BUTTON_COUNT; ++button)
    {
        if (di->PadButtonDown(button))
            return false;
    }
    for (int dir = 0; dir < PAD_DIRECTION_COUNT; ++dir)
    {
        if (di->PadDirectionDown(dir))
            return false;
    }
    return !di->PadAnyButtonPressed();
}
} // namespace

TEST_F(GamePads, ButtonsDPadAndStickAreHeldAndPressedLikeKeys)
{
    VirtualPad pad;
    Init();
    ASSERT_EQ(di->PadGetCount(), 1);
    for (const Push& push : kPushes)
    {
        push.apply(pad, true);
        bench.Frame();
        EXPECT_TRUE(Down(di, push)) << push.name;
        EXPECT_TRUE(Pressed(di, push)) << push.name;
        EXPECT_EQ(di->PadAnyButtonPressed(), push.button >= 0) << push.name;
        bench.Frame();
        EXPECT_TRUE(Down(di, push)) << push.name << " is still held";
        EXPECT_FALSE(Pressed(di, push)) << push.name << " was pressed once";
        push.apply(pad, false);
        bench.Frame();
        EXPECT_TRUE(Idle(di)) << push.name << " released";
    }
    // Inside the dead zone the stick points nowhere.
    pad.Move(SDL_CONTROLLER_AXIS_LEFTX, CVKT_GamePad::STICK_DEAD_ZONE);
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, -CVKT_GamePad::STICK_DEAD_ZONE);
    bench.Frame();
    EXPECT_TRUE(Idle(di));
}

TEST_F(GamePads, PadsPluggedInLaterWorkAtOnceAndEachControls)
{
    Init();
    EXPECT_EQ(di->PadGetCount(), 0) << "no pad is no failure";
    EXPECT_FALSE(di->InitGamePads(bench.Window())) << "a second set-up";
    EXPECT_EQ(bench.Messages(),
              std::vector<std::string>{"CVKT_DirectInput Error|Game pads have already been initialized"});

    VirtualPad first;
    first.Press(SDL_CONTROLLER_BUTTON_A);
    bench.Frame();
    EXPECT_EQ(di->PadGetCount(), 1);
    EXPECT_TRUE(di->PadButtonPressed(PAD_SOUTH)) << "in the frame it was plugged in";

    // The second pad's South counts as pressed although the first pad holds it already.
    VirtualPad second(VirtualPad::GameController("Second Pad", 0x054C, 0x05C4));
    bench.Frame();
    ASSERT_EQ(di->PadGetCount(), 2);
    second.Press(SDL_CONTROLLER_BUTTON_A);
    second.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    bench.Frame();
    EXPECT_TRUE(di->PadButtonPressed(PAD_SOUTH));
    EXPECT_TRUE(di->PadDirectionDown(PAD_LEFT));
    first.Release(SDL_CONTROLLER_BUTTON_A);
    bench.Frame();
    EXPECT_TRUE(di->PadButtonDown(PAD_SOUTH)) << "still held on the second pad";
    second.Unplug();
    bench.Frame();
    EXPECT_EQ(di->PadGetCount(), 1);
    EXPECT_TRUE(Idle(di));
}

TEST_F(GamePads, AJoystickWithoutAMappingIsLeftAlone)
{
    VirtualPad stick(kFlightStick);
    Init();
    VirtualPad pad;
    bench.Frame();
    EXPECT_EQ(di->PadGetCount(), 1) << "only the mapped pad";
    for (int button = 0; button < 8; ++button)
        stick.Button(button, true);
    stick.Hat(SDL_HAT_UP);
    stick.Axis(0, -32768);
    bench.Frame();
    EXPECT_TRUE(Idle(di));
    pad.Press(SDL_CONTROLLER_BUTTON_B);
    bench.Frame();
    EXPECT_TRUE(di->PadButtonPressed(PAD_EAST));
}

TEST_F(GamePads, PullingOutThePlayingPadIsReportedForOneRead)
{
    Init();
    VirtualPad playing;
    VirtualPad idle(VirtualPad::GameController("Idle Pad", 0x054C, 0x05C4));
    bench.Frame();
    EXPECT_FALSE(di->PadPlayingPadLost());
    playing.Move(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    bench.Frame();
    idle.Unplug();
    bench.Frame();
    EXPECT_FALSE(di->PadPlayingPadLost()) << "the pad nobody played with";
    playing.Unplug();
    bench.Frame();
    EXPECT_TRUE(di->PadPlayingPadLost());
    EXPECT_EQ(di->PadGetCount(), 0);
    bench.Frame();
    EXPECT_FALSE(di->PadPlayingPadLost()) << "reported once";
}

TEST_F(GamePads, NothingIsHeldWhileTheWindowIsInTheBackground)
{
    VirtualPad pad;
    Init();
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    bench.Frame();
    ASSERT_TRUE(di->PadButtonDown(PAD_START));
    bench.LoseFocus();
    bench.Frame();
    EXPECT_TRUE(Idle(di));
    bench.GainFocus();
    bench.Frame();
    EXPECT_TRUE(di->PadButtonPressed(PAD_START)) << "held again once the window is back";
}

TEST_F(GamePads, RumbleGoesToThePlayingPadWhereItHasMotors)
{
    Init();
    VirtualPad motors(VirtualPad::RumblePad());
    VirtualPad plain;
    bench.Frame();
    EXPECT_FALSE(di->PadRumble(1.0f, 100)) << "no pad has played yet";
    const struct
    {
        VirtualPad* player;
        bool rumbles;
    } cases[] = {{&motors, true}, {&plain, false}};
    for (const auto& c : cases)
    {
        c.player->Press(SDL_CONTROLLER_BUTTON_X);
        bench.Frame();
        c.player->Release(SDL_CONTROLLER_BUTTON_X);
        const int before = motors.RumbleCount();
        EXPECT_EQ(di->PadRumble(0.5f, 100), c.rumbles);
        bench.Frame();
        EXPECT_EQ(motors.RumbleCount() > before, c.rumbles);
    }
    EXPECT_EQ(motors.LastRumble(), 0xFFFF / 2);
}

// Mappings added by the user, each case in a fresh SDL: a mapping file beside the settings (here the
// working folder's Resource/) and the SDL_GAMECONTROLLERCONFIG variable make a flight stick a pad.
TEST(GamePadMappings, TheUsersFileAndTheEnvironmentMapAJoystick)
{
    std::string guid;
    {
        VirtualPad probe(kFlightStick);
        guid = probe.Guid();
    }
    const std::string mapping = guid +
                                ",Mapped Flight Stick,a:b0,b:b1,start:b2,dpup:h0.1,dpright:h0.2,dpdown:h0.4,"
                                "dpleft:h0.8,leftx:a0,lefty:a1,platform:Linux,\n";
    enum Kind
    {
        FILE_BESIDE_SETTINGS,
        ENVIRONMENT,
        EMPTY_FILE,
        FOLDER_FOR_A_FILE
    };
    const struct
    {
        Kind kind;
        bool mapped;
        std::string report;
    } cases[] = {
        {FILE_BESIDE_SETTINGS, true, ""},
        {ENVIRONMENT, true, ""},
        {EMPTY_FILE, false, ""},
        {FOLDER_FOR_A_FILE, false,
         "CVKT_DirectInput Error|Failed to read the controller mappings in Resource/gamecontrollerdb.txt"},
    };
    for (const auto& c : cases)
    {
        headless::ScopedTempDir folder;
        headless::MakeDirs(folder / "Resource");
        headless::ScopedWorkingDir cwd(folder.Path());
        CVKT_DataLocation::GetInstance()->Use(CVKT_DataLocation::tLayout());
        const std::string db = folder / "Resource/gamecontrollerdb.txt";
        if (c.kind == FILE_BESIDE_SETTINGS)
            headless::WriteFile(db, "# a comment line\n" + mapping);
        if (c.kind == EMPTY_FILE)
            headless::WriteFile(db, "");
        if (c.kind == FOLDER_FOR_A_FILE)
            headless::MakeDirs(db);
        if (c.kind == ENVIRONMENT)
            setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);

        headless::InputBench bench;
        CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
        EXPECT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_GAMEPADS))
            << c.kind;
        VirtualPad stick(kFlightStick);
        stick.Button(0, true);
        stick.Hat(SDL_HAT_LEFT);
        bench.Frame();
        EXPECT_EQ(di->PadGetCount(), c.mapped ? 1 : 0) << c.kind;
        EXPECT_EQ(di->PadButtonPressed(PAD_SOUTH), c.mapped) << c.kind;
        EXPECT_EQ(di->PadDirectionDown(PAD_LEFT), c.mapped) << c.kind;
        EXPECT_EQ(bench.Messages(),
                  c.report.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.report})
            << c.kind;
        unsetenv("SDL_GAMECONTROLLERCONFIG");
    }
}
