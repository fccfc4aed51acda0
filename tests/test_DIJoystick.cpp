// Game controllers of the input wrapper, driven by SDL's virtual joysticks through the window's pump.
#include "CVKT_DirectInput.h"
#include "InputBench.h"
#include "VirtualPad.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace
{
using headless::VirtualPad;

enum
{
    LEFT = 0,
    RIGHT = 1,
    UP = 2,
    DOWN = 3
};

// A plain joystick: SDL has no controller mapping for it.
const SDL_VirtualJoystickDesc kFlightStick =
    VirtualPad::Describe(SDL_JOYSTICK_TYPE_FLIGHT_STICK, "Test Flight Stick", 0, 0, 6, 8, 2);
// Pads SDL maps as game controllers (A B X Y Back Guide Start LS RS LB RB, D-pad on buttons 11-14;
// sticks on axes 0-3, triggers on 4 and 5); the maker and product numbers make SDL call the first an
// Xbox 360 pad and the second a PS4 pad.
const SDL_VirtualJoystickDesc kXbox360Pad = VirtualPad::GameController("Test 360 Pad", 0x045E, 0x028E);
const SDL_VirtualJoystickDesc kOtherPad = VirtualPad::GameController("Test Other Pad", 0x054C, 0x05C4);

constexpr int kTriggerLeftAxis = 4;
constexpr int kTriggerRightAxis = 5;
constexpr int kDPadUpButton = 11;
constexpr int kDPadRightButton = 14;

// The raw value that puts a stick at amount (of 1024) once the 10 % dead zone is taken off.
int RawFor(int amount)
{
    const double travel = 0.1 + 0.9 * std::abs(amount) / 1024.0;
    return static_cast<int>(std::lround(std::copysign(travel * 32767.0, amount)));
}

class Joysticks : public ::testing::Test
{
protected:
    void SetUp() override
    {
        di = CVKT_DirectInput::GetInstance();
        ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_JOYSTICK));
    }
    void TearDown() override
    {
        di->ShutdownDirectInput();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    void Init()
    {
        ASSERT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_JOYSTICKS, 0));
    }

    headless::InputBench bench;
    CVKT_DirectInput* di = nullptr;
};

TEST_F(Joysticks, AxesReachPlusMinus1024WithATenPercentDeadZone)
{
    VirtualPad pad(kFlightStick);
    Init();
    const struct
    {
        int raw;
        int amount;
    } cases[] = {{0, 0}, {3000, 0}, {-3276, 0}, {32767, 1024}, {-32768, -1024}, {RawFor(512), 512}};
    for (const auto& c : cases)
    {
        pad.Axis(0, c.raw);
        pad.Axis(1, std::min(-c.raw, 32767));
        bench.Frame();
        EXPECT_EQ(c.amount, di->JoystickGetLStickXAmount()) << c.raw;
        EXPECT_EQ(-c.amount, di->JoystickGetLStickYAmount()) << c.raw;
        EXPECT_FLOAT_EQ(c.amount / 1024.0f, di->JoystickGetLStickXNormalized()) << c.raw;
    }
    // Just past the dead zone the stick starts from 0, not from 10 %.
    pad.Axis(0, 3600);
    bench.Frame();
    EXPECT_GT(di->JoystickGetLStickXAmount(), 0);
    EXPECT_LT(di->JoystickGetLStickXAmount(), 20);
}

TEST_F(Joysticks, StickPressCountsWhenItCrossesSeventyPercent)
{
    VirtualPad pad(kFlightStick);
    Init();
    pad.Axis(0, RawFor(700));
    bench.Frame();
    ASSERT_EQ(700, di->JoystickGetLStickXAmount());
    EXPECT_FALSE(di->JoystickGetLStickDirPressed(RIGHT));
    pad.Axis(0, RawFor(800));
    bench.Frame();
    ASSERT_EQ(800, di->JoystickGetLStickXAmount());
    EXPECT_TRUE(di->JoystickGetLStickDirPressed(RIGHT));
    pad.Axis(0, RawFor(900));
    bench.Frame();
    EXPECT_FALSE(di->JoystickGetLStickDirPressed(RIGHT));
    bench.Frame();
    EXPECT_TRUE(di->JoystickGetLStickDirDown(RIGHT));
    EXPECT_FALSE(di->JoystickGetLStickDirDown(LEFT));
    EXPECT_FALSE(di->JoystickGetLStickDirPressed(RIGHT));

    // The edge itself: 716 is not past it, 717 is.
    pad.Axis(1, RawFor(-716));
    bench.Frame();
    EXPECT_FALSE(di->JoystickGetLStickDirPressed(UP));
    EXPECT_TRUE(di->JoystickGetLStickDirDown(UP));
    pad.Axis(1, RawFor(-717));
    bench.Frame();
    ASSERT_EQ(-717, di->JoystickGetLStickYAmount());
    EXPECT_TRUE(di->JoystickGetLStickDirPressed(UP));
    EXPECT_FALSE(di->JoystickGetLStickDirPressed(DOWN));
}

TEST_F(Joysticks, HatDiagonalsCountForBothDirections)
{
    VirtualPad pad(kFlightStick);
    Init();
    bench.Frame();
    for (int dir = LEFT; dir <= DOWN; ++dir)
        EXPECT_FALSE(di->JoystickDPadDown(dir)) << dir;

    pad.Hat(SDL_HAT_RIGHTUP); // 4500
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadDown(UP));
    EXPECT_TRUE(di->JoystickDPadDown(RIGHT));
    EXPECT_FALSE(di->JoystickDPadDown(LEFT));
    EXPECT_FALSE(di->JoystickDPadDown(DOWN));
    EXPECT_TRUE(di->JoystickDPadPressed(UP));
    EXPECT_TRUE(di->JoystickDPadPressed(RIGHT));

    pad.Hat(SDL_HAT_RIGHT); // 9000
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadDown(RIGHT));
    EXPECT_FALSE(di->JoystickDPadDown(UP));
    EXPECT_FALSE(di->JoystickDPadDown(DOWN));
    EXPECT_TRUE(di->JoystickDPadReleased(UP));
    EXPECT_FALSE(di->JoystickDPadPressed(RIGHT));
    EXPECT_TRUE(di->JoystickDPadUp(UP));

    pad.Hat(SDL_HAT_LEFTDOWN); // 22500
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadDown(LEFT));
    EXPECT_TRUE(di->JoystickDPadDown(DOWN));
    EXPECT_FALSE(di->JoystickDPadDown(RIGHT));

    pad.Hat(SDL_HAT_CENTERED);
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadReleased(LEFT));
    EXPECT_TRUE(di->JoystickDPadReleased(DOWN));

    pad.Hat(SDL_HAT_UP); // 0
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadDown(UP));
    EXPECT_FALSE(di->JoystickDPadDown(RIGHT));
    EXPECT_FALSE(di->JoystickDPadDown(LEFT));
    pad.Hat(SDL_HAT_DOWN); // 18000
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadDown(DOWN));
    EXPECT_FALSE(di->JoystickDPadDown(RIGHT));
    EXPECT_FALSE(di->JoystickDPadDown(LEFT));
}

TEST(HatDirections, BoundariesBetweenTheEightPositions)
{
    const struct
    {
        uint32_t value;
        bool left, right, up, down;
    } cases[] = {
        {0, false, false, true, false},
        {1, false, true, true, false},
        {8999, false, true, true, false},
        {9000, false, true, false, false},
        {9001, false, true, false, true},
        {17999, false, true, false, true},
        {18000, false, false, false, true},
        {18001, true, false, false, true},
        {26999, true, false, false, true},
        {27000, true, false, false, false},
        {27001, true, false, true, false},
        {35999, true, false, true, false},
        {0xFFFF, false, false, false, false},
        {0xFFFFFFFF, false, false, false, false},
        {0x10000 + 4500, false, true, true, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.left, CVKT_DIJoystick::HatPoints(c.value, LEFT)) << c.value;
        EXPECT_EQ(c.right, CVKT_DIJoystick::HatPoints(c.value, RIGHT)) << c.value;
        EXPECT_EQ(c.up, CVKT_DIJoystick::HatPoints(c.value, UP)) << c.value;
        EXPECT_EQ(c.down, CVKT_DIJoystick::HatPoints(c.value, DOWN)) << c.value;
    }
}

TEST_F(Joysticks, ButtonsHeldPressedAndBuffered)
{
    VirtualPad pad(kFlightStick);
    Init();
    EXPECT_EQ(8, di->JoystickGetNumButtons());
    pad.Button(3, true);
    bench.Frame();
    EXPECT_TRUE(di->JoystickButtonDown(3));
    EXPECT_TRUE(di->JoystickButtonPressed(3));
    EXPECT_TRUE(di->JoystickButtonPressedEx(3));
    EXPECT_EQ(3, di->JoystickCheckButtons());
    EXPECT_EQ(3, di->JoystickCheckBufferedButtonsEx());
    bench.Frame();
    EXPECT_TRUE(di->JoystickButtonDown(3));
    EXPECT_FALSE(di->JoystickButtonPressed(3));
    EXPECT_FALSE(di->JoystickButtonPressedEx(3));
    EXPECT_EQ(-1, di->JoystickCheckButtons());
    pad.Button(3, false);
    bench.Frame();
    EXPECT_TRUE(di->JoystickButtonReleased(3));
    EXPECT_TRUE(di->JoystickButtonReleasedEx(3));
    EXPECT_TRUE(di->JoystickButtonUp(3));
    EXPECT_EQ(-1, di->JoystickCheckBufferedButtonsEx());
}

TEST_F(Joysticks, PlainStickHasItsRightStickOnZAndRzAndNoTriggers)
{
    VirtualPad pad(kFlightStick);
    Init();
    EXPECT_EQ("Test Flight Stick", std::string(di->JoystickGetName()));
    pad.Axis(2, 32767);  // Z
    pad.Axis(5, -32768); // Rz
    pad.Axis(3, 32767);  // Rx: no stick of this pad
    bench.Frame();
    EXPECT_EQ(1024, di->JoystickGetRStickXAmount());
    EXPECT_EQ(-1024, di->JoystickGetRStickYAmount());
    EXPECT_TRUE(di->JoystickGetRStickDirDown(UP));
    EXPECT_TRUE(di->JoystickGetRStickDirPressed(RIGHT));
    EXPECT_EQ(0, di->JoystickGetLTriggerAmount());
    EXPECT_EQ(0, di->JoystickGetRTriggerAmount());
    EXPECT_FLOAT_EQ(0.0f, di->JoystickGetLTriggerNormalized());

    di->JoystickSwapRStickAxes(true);
    bench.Frame();
    EXPECT_EQ(-1024, di->JoystickGetRStickXAmount());
    EXPECT_EQ(1024, di->JoystickGetRStickYAmount());
    EXPECT_FLOAT_EQ(-1.0f, di->JoystickGetRStickXNormalized());
}

TEST_F(Joysticks, Xbox360PadHasTriggersOnZAndItsRightStickOnRxRy)
{
    VirtualPad pad(kXbox360Pad);
    Init();
    EXPECT_EQ("Test 360 Pad", std::string(di->JoystickGetName()));
    bench.Frame();
    EXPECT_EQ(0, di->JoystickGetLTriggerAmount());

    pad.Axis(kTriggerLeftAxis, 32767);
    bench.Frame();
    EXPECT_EQ(1024, di->JoystickGetLTriggerAmount());
    EXPECT_EQ(-1024, di->JoystickGetRTriggerAmount());
    EXPECT_FLOAT_EQ(1.0f, di->JoystickGetLTriggerNormalized());

    pad.Axis(kTriggerLeftAxis, -32768);
    pad.Axis(kTriggerRightAxis, 32767);
    bench.Frame();
    EXPECT_EQ(-1024, di->JoystickGetLTriggerAmount());
    EXPECT_EQ(1024, di->JoystickGetRTriggerAmount());
    EXPECT_FLOAT_EQ(1.0f, di->JoystickGetRTriggerNormalized());

    // Triggers have no dead zone: a light touch already counts.
    pad.Axis(kTriggerRightAxis, -32768);
    pad.Axis(kTriggerLeftAxis, -32768 + 4000);
    bench.Frame();
    EXPECT_GT(di->JoystickGetLTriggerAmount(), 0);
    EXPECT_LT(di->JoystickGetLTriggerAmount(), 102);

    pad.Axis(2, 32767);  // right stick across
    pad.Axis(3, -32768); // right stick up
    bench.Frame();
    EXPECT_EQ(1024, di->JoystickGetRStickXAmount());
    EXPECT_EQ(-1024, di->JoystickGetRStickYAmount());
    // The swap only concerns other pads.
    di->JoystickSwapRStickAxes(true);
    bench.Frame();
    EXPECT_EQ(1024, di->JoystickGetRStickXAmount());
    // The right stick has the dead zone.
    pad.Axis(2, 3000);
    bench.Frame();
    EXPECT_EQ(0, di->JoystickGetRStickXAmount());
}

TEST_F(Joysticks, MappedPadNumbersItsButtonsByKindAndMakesTheDPadAHat)
{
    VirtualPad pad(kXbox360Pad);
    Init();
    // A B X Y LB RB Back Start LS RS Guide.
    EXPECT_EQ(11, di->JoystickGetNumButtons());
    const struct
    {
        int sdlButton;
        unsigned char number;
    } cases[] = {{0, 0}, {1, 1}, {9, 4}, {10, 5}, {4, 6}, {6, 7}, {5, 10}};
    for (const auto& c : cases)
    {
        pad.Button(c.sdlButton, true);
        bench.Frame();
        EXPECT_EQ(c.number, di->JoystickCheckButtons()) << c.sdlButton;
        EXPECT_TRUE(di->JoystickButtonPressedEx(c.number)) << c.sdlButton;
        pad.Button(c.sdlButton, false);
        bench.Frame();
    }

    pad.Button(kDPadUpButton, true);
    pad.Button(kDPadRightButton, true);
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadDown(UP));
    EXPECT_TRUE(di->JoystickDPadDown(RIGHT));
    EXPECT_FALSE(di->JoystickDPadDown(LEFT));
    EXPECT_FALSE(di->JoystickDPadDown(DOWN));
    pad.Button(kDPadUpButton, false);
    bench.Frame();
    EXPECT_TRUE(di->JoystickDPadReleased(UP));
    EXPECT_TRUE(di->JoystickDPadDown(RIGHT));
}

TEST_F(Joysticks, OtherMappedPadHasItsRightStickOnZAndRz)
{
    VirtualPad pad(kOtherPad);
    Init();
    pad.Axis(2, -32768); // right stick across
    pad.Axis(3, 32767);  // right stick down
    pad.Axis(kTriggerLeftAxis, 32767);
    bench.Frame();
    EXPECT_EQ(-1024, di->JoystickGetRStickXAmount());
    EXPECT_EQ(1024, di->JoystickGetRStickYAmount());
    EXPECT_TRUE(di->JoystickGetRStickDirPressed(LEFT));
    EXPECT_TRUE(di->JoystickGetRStickDirPressed(DOWN));
    EXPECT_EQ(0, di->JoystickGetLTriggerAmount());
    di->JoystickSwapRStickAxes(true);
    bench.Frame();
    EXPECT_EQ(1024, di->JoystickGetRStickXAmount());
    EXPECT_EQ(-1024, di->JoystickGetRStickYAmount());
}

TEST_F(Joysticks, UnpluggedControllerIsFlaggedAndReadAgainWhenItReturns)
{
    auto pad = std::make_unique<VirtualPad>(kXbox360Pad);
    Init();
    pad->Axis(0, 32767);
    pad->Button(kDPadUpButton, true);
    bench.Frame();
    ASSERT_EQ(1024, di->JoystickGetLStickXAmount());
    ASSERT_FALSE(di->JoystickIsUnplugged());

    pad->Unplug();
    bench.Frame();
    EXPECT_TRUE(di->JoystickIsUnplugged());
    EXPECT_EQ(0, di->JoystickGetLStickXAmount());
    // No data is no direction: the empty record does not read as the D-pad held up.
    EXPECT_FALSE(di->JoystickDPadDown(UP));
    bench.Frame();
    EXPECT_TRUE(di->JoystickIsUnplugged());
    EXPECT_EQ(1, di->JoystickGetCount());

    pad = std::make_unique<VirtualPad>(kXbox360Pad);
    pad->Axis(0, -32768);
    bench.Frame();
    EXPECT_FALSE(di->JoystickIsUnplugged());
    EXPECT_EQ(-1024, di->JoystickGetLStickXAmount());
    EXPECT_EQ("Test 360 Pad", std::string(di->JoystickGetName()));
    pad->Button(0, true);
    bench.Frame();
    EXPECT_TRUE(di->JoystickButtonPressedEx(0));
}

TEST_F(Joysticks, AnotherControllerDoesNotTakeAnUnpluggedOnesPlace)
{
    auto pad = std::make_unique<VirtualPad>(kXbox360Pad);
    Init();
    pad->Unplug();
    bench.Frame();
    ASSERT_TRUE(di->JoystickIsUnplugged());
    VirtualPad other(kFlightStick);
    other.Axis(0, 32767);
    bench.Frame();
    EXPECT_TRUE(di->JoystickIsUnplugged());
    EXPECT_EQ(0, di->JoystickGetLStickXAmount());
}

TEST_F(Joysticks, MissingNumbersAnswerNothing)
{
    VirtualPad pad(kFlightStick);
    Init();
    pad.Button(0, true);
    pad.Axis(0, 32767);
    bench.Frame();
    EXPECT_EQ(1, di->JoystickGetCount());
    for (int number : {3, 1, -1})
    {
        EXPECT_STREQ("Doesn't exist", di->JoystickGetName(number));
        EXPECT_TRUE(di->JoystickIsUnplugged(number));
        EXPECT_EQ(0, di->JoystickGetNumButtons(number));
        EXPECT_FALSE(di->JoystickButtonDown(0, number));
        EXPECT_FALSE(di->JoystickButtonUp(0, number));
        EXPECT_EQ(-1, di->JoystickCheckButtons(number));
        EXPECT_EQ(-1, di->JoystickCheckBufferedButtonsEx(number));
        EXPECT_FALSE(di->JoystickDPadUp(UP, number));
        EXPECT_EQ(0, di->JoystickGetLStickXAmount(number));
        EXPECT_EQ(0.0f, di->JoystickGetLStickXNormalized(number));
        EXPECT_EQ(0, di->JoystickGetRTriggerAmount(number));
        EXPECT_FALSE(di->JoystickGetLStickDirDown(RIGHT, number));
    }
    EXPECT_TRUE(di->JoystickButtonDown(0, 0));
    EXPECT_FALSE(di->JoystickIsUnplugged(0));
}

TEST_F(Joysticks, SeveralControllersAreNumberedInSdlsOrder)
{
    VirtualPad first(kFlightStick);
    VirtualPad second(kOtherPad);
    Init();
    ASSERT_EQ(2, di->JoystickGetCount());
    EXPECT_STREQ("Test Flight Stick", di->JoystickGetName(0));
    EXPECT_STREQ("Test Other Pad", di->JoystickGetName(1));
    second.Axis(1, 32767);
    bench.Frame();
    EXPECT_EQ(0, di->JoystickGetLStickYAmount(0));
    EXPECT_EQ(1024, di->JoystickGetLStickYAmount(1));
}

TEST_F(Joysticks, NoControllerMeansFailure)
{
    EXPECT_FALSE(di->InitDirectInput(bench.Window(), nullptr, 7, 0));
    EXPECT_EQ(0, di->JoystickGetCount());
    // Keyboard and mouse came first and are kept.
    EXPECT_EQ(5, di->MouseGetNumButtons());
    EXPECT_TRUE(bench.Messages().empty());
}

TEST_F(Joysticks, SecondInitialisationFailsWithItsMessage)
{
    VirtualPad pad(kFlightStick);
    Init();
    EXPECT_FALSE(di->InitJoysticks(bench.Window(), false));
    ASSERT_EQ(1u, bench.Messages().size());
    EXPECT_EQ("CVKT_DirectInput Error|Joysticks have already been initialized", bench.Messages()[0]);
    EXPECT_EQ(1, di->JoystickGetCount());
}

TEST_F(Joysticks, SetUpWithoutAWindowNamesTheController)
{
    VirtualPad pad(kFlightStick);
    EXPECT_TRUE(di->InitJoysticks(nullptr, false));
    ASSERT_EQ(1u, bench.Messages().size());
    EXPECT_EQ("CVKT_DirectInput Error|Failed to set cooperative level on Joystick: Test Flight Stick",
              bench.Messages()[0]);
}

TEST_F(Joysticks, NothingIsReadWhileTheWindowHasNoFocus)
{
    VirtualPad pad(kFlightStick);
    Init();
    pad.Axis(0, 32767);
    pad.Button(1, true);
    bench.Frame();
    ASSERT_EQ(1024, di->JoystickGetLStickXAmount());
    bench.LoseFocus();
    bench.Frame();
    EXPECT_EQ(0, di->JoystickGetLStickXAmount());
    EXPECT_FALSE(di->JoystickButtonDown(1));
    EXPECT_FALSE(di->JoystickIsUnplugged());
    bench.GainFocus();
    bench.Frame();
    EXPECT_EQ(1024, di->JoystickGetLStickXAmount());
    EXPECT_TRUE(di->JoystickButtonPressed(1));
}
} // namespace
