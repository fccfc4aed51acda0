// The controls screen in the real game: the picture and "press ESC" read back, Escape as the only
// key that leaves for the main menu and C (or the pad's North) the way to the change of controls.
#include "CChangeControlsState.h"
#include "CControlsMenuState.h"
#include "CGame.h"
#include "CMainMenuState.h"

#include "FrameComparison.h"
#include "HeadlessGame.h"

#include <gtest/gtest.h>

namespace
{
class ControlsMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { CGame::GetInstance()->ChangeState(controls); }

    headless::HeadlessGame rig;
    CControlsMenuState* controls = CControlsMenuState::GetInstance();
};
} // namespace

TEST_F(ControlsMenuTest, ThePictureFillsTheScreenWithPressEscAtTheBottomRight)
{
    const headless::Picture picture = headless::LoadPicture("OxM_ControlsMenu.png", 0);
    const headless::Picture font = headless::LoadPicture("OxM_Font2.png", 0xFF000000);
    const std::vector<uint32_t> frame = rig.CaptureFrame();
    // The picture everywhere above the text line.
    const headless::Comparison shown = headless::CompareSection(frame, picture, 0, 0, 640, 450, 0, 0);
    EXPECT_EQ(shown.compared, 640 * 450);
    EXPECT_EQ(shown.mismatched, 0) << shown.firstMismatch;
    const headless::Comparison esc = headless::CompareText(frame, font, 16, 24, 20, "press ESC", 480, 450);
    EXPECT_GT(esc.compared, 200);
    EXPECT_EQ(esc.mismatched, 0) << esc.firstMismatch;
    // The text is drawn over the picture, not left out.
    EXPECT_GT(headless::CompareSection(frame, picture, 480, 450, 144, 24, 480, 450).mismatched, 50);
}

TEST_F(ControlsMenuTest, OnlyEscapeLeavesForTheMainMenuAndCOrNorthForTheChangeOfControls)
{
    for (SDL_Scancode key : {SDL_SCANCODE_RETURN, SDL_SCANCODE_SPACE, SDL_SCANCODE_UP, SDL_SCANCODE_DOWN,
                             SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_P, SDL_SCANCODE_BACKSPACE})
    {
        rig.Tap(key);
        EXPECT_EQ(rig.Top(), controls) << SDL_GetScancodeName(key);
    }
    rig.Hold(SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(rig.Frame());
    EXPECT_EQ(rig.Top(), CMainMenuState::GetInstance());
    rig.Release(SDL_SCANCODE_ESCAPE);
    ASSERT_TRUE(rig.Frame());

    CGame::GetInstance()->ChangeState(controls);
    rig.Tap(SDL_SCANCODE_C);
    EXPECT_EQ(rig.Top(), CChangeControlsState::GetInstance());
    rig.Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(rig.Top(), controls) << "the change of controls leaves back to this screen";
    headless::VirtualPad& pad = rig.PlugPad();
    rig.Tap(pad, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(rig.Top(), CChangeControlsState::GetInstance());
}
