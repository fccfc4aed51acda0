// The mouse of the input wrapper, driven through SDL's real queue and the window's pump.
#include "CVKT_DirectInput.h"
#include "InputBench.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using headless::PushMouseButton;
using headless::PushMouseMotion;
using headless::PushMouseWheel;

class Mouse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        di = CVKT_DirectInput::GetInstance();
        ASSERT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_MOUSE, 0));
        ASSERT_TRUE(bench.Messages().empty());
    }

    headless::InputBench bench;
    CVKT_DirectInput* di = nullptr;
};

TEST_F(Mouse, MovementAddsUpToThePosition)
{
    for (int frame = 0; frame < 10; ++frame)
    {
        PushMouseMotion(5, 0);
        bench.Frame();
        EXPECT_EQ(5, di->MouseMovementX());
        EXPECT_EQ(0, di->MouseMovementY());
    }
    EXPECT_EQ(50, di->MouseGetPosX());
    EXPECT_EQ(0, di->MouseGetPosY());
    bench.Frame();
    EXPECT_EQ(0, di->MouseMovementX());
    EXPECT_EQ(50, di->MouseGetPosX());
}

TEST_F(Mouse, MovesWithinAFrameAreSummedAndThePositionIsNeverClamped)
{
    PushMouseMotion(-400, 3);
    PushMouseMotion(-400, 4);
    bench.Frame();
    EXPECT_EQ(-800, di->MouseMovementX());
    EXPECT_EQ(7, di->MouseMovementY());
    EXPECT_EQ(-800, di->MouseGetPosX());
    PushMouseMotion(0, 2000);
    bench.Frame();
    EXPECT_EQ(2007, di->MouseGetPosY());

    di->MouseSetPosX(320);
    di->MouseSetPosY(240);
    PushMouseMotion(1, -1);
    bench.Frame();
    EXPECT_EQ(321, di->MouseGetPosX());
    EXPECT_EQ(239, di->MouseGetPosY());
}

TEST_F(Mouse, WheelCountsNotches)
{
    PushMouseWheel(1);
    bench.Frame();
    EXPECT_EQ(120, di->MouseWheelMovement());
    PushMouseWheel(-2);
    bench.Frame();
    EXPECT_EQ(-240, di->MouseWheelMovement());
    // A flipped wheel reports the physical direction.
    PushMouseWheel(1, true);
    bench.Frame();
    EXPECT_EQ(-120, di->MouseWheelMovement());
    bench.Frame();
    EXPECT_EQ(0, di->MouseWheelMovement());
}

TEST_F(Mouse, ButtonsAreNumberedLeftRightMiddleThenSideButtons)
{
    const Uint8 sdlButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1,
                                SDL_BUTTON_X2};
    for (unsigned char number = 0; number < 5; ++number)
    {
        PushMouseButton(sdlButtons[number], true);
        bench.Frame();
        for (unsigned char other = 0; other < 8; ++other)
            EXPECT_EQ(other == number, di->MouseButtonDown(other)) << int(number) << " " << int(other);
        PushMouseButton(sdlButtons[number], false);
        bench.Frame();
    }
    EXPECT_EQ(5, di->MouseGetNumButtons());
}

TEST_F(Mouse, HeldButtonIsPressedOnceAndReleasedOnce)
{
    PushMouseButton(SDL_BUTTON_RIGHT, true);
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonPressed(1));
    EXPECT_FALSE(di->MouseButtonUp(1));
    EXPECT_EQ(1, di->MouseCheckButtons());
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonDown(1));
    EXPECT_FALSE(di->MouseButtonPressed(1));
    EXPECT_EQ(-1, di->MouseCheckButtons());
    PushMouseButton(SDL_BUTTON_RIGHT, false);
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonReleased(1));
    EXPECT_TRUE(di->MouseButtonUp(1));
    bench.Frame();
    EXPECT_FALSE(di->MouseButtonReleased(1));
}

TEST_F(Mouse, CheckButtonsGivesTheLowestNewlyPressed)
{
    PushMouseButton(SDL_BUTTON_X2, true);
    PushMouseButton(SDL_BUTTON_MIDDLE, true);
    bench.Frame();
    EXPECT_EQ(2, di->MouseCheckButtons());
    EXPECT_EQ(2, di->MouseCheckBufferedButtonsEx());
}

TEST_F(Mouse, AClickBetweenFramesIsHeldInOneAndReleasedInTheNext)
{
    PushMouseButton(SDL_BUTTON_LEFT, true);
    PushMouseButton(SDL_BUTTON_LEFT, false);
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonDown(0));
    EXPECT_TRUE(di->MouseButtonPressed(0));
    EXPECT_TRUE(di->MouseButtonPressedEx(0));
    EXPECT_FALSE(di->MouseButtonReleasedEx(0));
    EXPECT_FALSE(di->MouseButtonPressedEx(1));
    EXPECT_EQ(0, di->MouseCheckButtons());
    EXPECT_EQ(0, di->MouseCheckBufferedButtonsEx());
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonReleased(0));
    EXPECT_FALSE(di->MouseButtonPressedEx(0));
    EXPECT_TRUE(di->MouseButtonReleasedEx(0));
    EXPECT_EQ(-1, di->MouseCheckBufferedButtonsEx());
    bench.Frame();
    EXPECT_FALSE(di->MouseButtonReleased(0));
}

TEST_F(Mouse, ReleaseOnlyIsNoBufferedPress)
{
    PushMouseButton(SDL_BUTTON_X1, true);
    bench.Frame();
    PushMouseButton(SDL_BUTTON_X1, false);
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonReleasedEx(3));
    EXPECT_FALSE(di->MouseButtonPressedEx(3));
    EXPECT_EQ(-1, di->MouseCheckBufferedButtonsEx());
}

TEST_F(Mouse, ButtonsBeyondTheReportedFiveAreHeldButNotCounted)
{
    // Some window systems deliver more buttons as SDL's 6 to 8.
    PushMouseButton(6, true);
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonDown(5));
    EXPECT_TRUE(di->MouseButtonPressedEx(5));
    EXPECT_EQ(-1, di->MouseCheckButtons());
    EXPECT_EQ(-1, di->MouseCheckBufferedButtonsEx());
}

TEST_F(Mouse, MovementNeverCrowdsOutAClick)
{
    for (int i = 0; i < 50; ++i)
        PushMouseMotion(1, 1);
    PushMouseButton(SDL_BUTTON_LEFT, true);
    bench.Frame();
    EXPECT_TRUE(di->MouseButtonDown(0));
    EXPECT_TRUE(di->MouseButtonPressedEx(0));
    EXPECT_EQ(50, di->MouseMovementX());
}

TEST_F(Mouse, LosingTheFocusDropsButtonsAndMovement)
{
    PushMouseButton(SDL_BUTTON_LEFT, true);
    PushMouseMotion(10, 0);
    bench.Frame();
    ASSERT_TRUE(di->MouseButtonDown(0));
    ASSERT_EQ(10, di->MouseMovementX());

    bench.LoseFocus();
    PushMouseMotion(7, 0);
    bench.Frame();
    // The last movement is not reported again, and nothing moved while the focus was elsewhere.
    EXPECT_EQ(0, di->MouseMovementX());
    bench.Frame();
    EXPECT_EQ(0, di->MouseMovementX());
    EXPECT_EQ(10, di->MouseGetPosX());

    bench.GainFocus();
    bench.Frame();
    EXPECT_FALSE(di->MouseButtonDown(0));
    PushMouseMotion(3, 0);
    bench.Frame();
    EXPECT_EQ(13, di->MouseGetPosX());
}

TEST_F(Mouse, SecondInitialisationFailsWithItsMessage)
{
    EXPECT_FALSE(di->InitMouse(bench.Window(), false));
    ASSERT_EQ(1u, bench.Messages().size());
    EXPECT_EQ("CVKT_DirectInput Error|Mouse has already been initialized", bench.Messages()[0]);
}

TEST(MouseSetUp, QueriesWithoutAMouseAnswerNothing)
{
    headless::InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    ASSERT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_KEYBOARD, 0));
    PushMouseMotion(5, 5);
    PushMouseButton(SDL_BUTTON_LEFT, true);
    bench.Frame();
    EXPECT_EQ(0, di->MouseMovementX());
    EXPECT_EQ(0, di->MouseGetPosX());
    EXPECT_EQ(0, di->MouseGetNumButtons());
    EXPECT_FALSE(di->MouseButtonDown(0));
    EXPECT_FALSE(di->MouseButtonUp(0));
    EXPECT_EQ(-1, di->MouseCheckButtons());
    EXPECT_EQ(-1, di->MouseCheckBufferedButtonsEx());
}

TEST(MouseSetUp, WithoutAWindowTheCooperativeLevelFails)
{
    headless::InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    EXPECT_TRUE(di->InitMouse(nullptr, false));
    ASSERT_EQ(1u, bench.Messages().size());
    EXPECT_EQ("CVKT_DirectInput Error|Failed to set cooperative level on Mouse.", bench.Messages()[0]);
    PushMouseMotion(4, 0);
    bench.Frame();
    EXPECT_EQ(4, di->MouseGetPosX());
}

TEST(MouseSetUp, ExclusiveMouseCapturesThePointerWhileAcquired)
{
    headless::InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    ASSERT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_MOUSE,
                                    CVKT_DirectInput::DEVICE_MOUSE));
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    bench.LoseFocus();
    bench.Frame();
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
    bench.GainFocus();
    bench.Frame();
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    di->ShutdownDirectInput();
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
}
} // namespace
