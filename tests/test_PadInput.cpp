// The game's words for what a pad does (menu steps with their repeat, confirm, back, pause, fire,
// steer), on SDL's virtual game controllers read by the real input layer, with the frame time given
// by hand as the game gives it.
#include "CPadInput.h"

#include "CVKT_DirectInput.h"
#include "InputBench.h"
#include "VirtualPad.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using headless::VirtualPad;

class PadInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CVKT_DirectInput::GetInstance()->InitDirectInput(bench.Window(), nullptr,
                                                                     CVKT_DirectInput::DEVICE_GAMEPADS));
        bench.Frame();
        Frame(0.0f);
    }
    // One frame of the game: the devices read, then the pad words for this frame's time.
    void Frame(float seconds)
    {
        bench.Frame();
        pads->Update(seconds);
    }

    headless::InputBench bench;
    VirtualPad pad;
    CPadInput* pads = CPadInput::GetInstance();
};
} // namespace

TEST_F(PadInputTest, AMenuStepComesAtOnceThenAfterFourTenthsThenEveryTwelveHundredths)
{
    // Steps after the direction has been held this long, in frames of 10 ms; each time lies 10 ms
    // away from a repeat (0.40, 0.52, 0.64, ...), where float sums could fall either side.
    const struct
    {
        int heldMs;
        int steps;
    } cases[] = {{0, 1}, {390, 1}, {410, 2}, {510, 2}, {530, 3}, {990, 6}};
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    int steps = 0;
    int heldMs = 0;
    for (const auto& c : cases)
    {
        for (; heldMs <= c.heldMs; heldMs += 10)
        {
            Frame(heldMs == 0 ? 0.0f : 0.010f);
            steps += pads->MenuDown() ? 1 : 0;
            EXPECT_FALSE(pads->MenuUp() || pads->MenuLeft() || pads->MenuRight());
        }
        EXPECT_EQ(steps, c.steps) << "after " << c.heldMs << " ms";
    }

    // Let go and push again: the first step comes at once again, and a long frame steps once.
    pad.Release(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Frame(0.010f);
    EXPECT_FALSE(pads->MenuDown());
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    Frame(0.010f);
    EXPECT_TRUE(pads->MenuDown()) << "the stick steps as the D-pad does";
    Frame(2.0f);
    EXPECT_TRUE(pads->MenuDown());
    Frame(0.010f);
    EXPECT_FALSE(pads->MenuDown()) << "the next repeat is 0.12 s on, not a burst";
}

TEST_F(PadInputTest, ButtonsAndDirectionsHaveTheirGameMeanings)
{
    const struct
    {
        const char* name;
        std::function<void(bool)> push;
        std::function<bool()> meaning;
        bool once; // true: only in the frame it went down; false: as long as it is held
    } cases[] = {
        {"South confirms", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_A, on); },
         [&] { return pads->Confirm(); }, true},
        {"East backs out", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_B, on); },
         [&] { return pads->Back(); }, true},
        {"Start pauses", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_START, on); },
         [&] { return pads->Pause(); }, true},
        {"North is a button", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_Y, on); },
         [&] { return pads->AnyButton(); }, true},
        {"South fires", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_A, on); },
         [&] { return pads->FireHeld(); }, false},
        {"D-pad up steers", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, on); },
         [&] { return pads->HeldUp(); }, false},
        {"stick left steers", [&](bool on) { pad.Move(SDL_CONTROLLER_AXIS_LEFTX, on ? -32768 : 0); },
         [&] { return pads->HeldLeft(); }, false},
        {"stick right steers", [&](bool on) { pad.Move(SDL_CONTROLLER_AXIS_LEFTX, on ? 32767 : 0); },
         [&] { return pads->HeldRight(); }, false},
        {"D-pad down steers", [&](bool on) { pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, on); },
         [&] { return pads->HeldDown(); }, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_FALSE(c.meaning()) << c.name;
        c.push(true);
        Frame(0.016f);
        EXPECT_TRUE(c.meaning()) << c.name;
        Frame(0.016f);
        EXPECT_EQ(c.meaning(), !c.once) << c.name << ", held";
        c.push(false);
        Frame(0.016f);
        EXPECT_FALSE(c.meaning()) << c.name << ", released";
    }
    EXPECT_FALSE(pads->PlayingPadLost());
    pad.Unplug();
    Frame(0.016f);
    EXPECT_TRUE(pads->PlayingPadLost()) << "the pad that was played with";
}
