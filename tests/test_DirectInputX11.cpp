// The input layer against a real X server: keys and mouse actions made with xdotool reach the game's
// window as the window system delivers them. tests/scripts/input_x11.sh runs this under a private
// Xvfb (TALONREACH_XVFB=1) with the US layout; the German cases switch the layout while the program
// runs, as a user would. Anywhere else (SDL's dummy video driver) every case is skipped.
#include "CVKT_DirectInput.h"
#include "InputBench.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

// Last: the X11 headers it pulls in define macros (None, Bool) that clash with the headers above.
#include <SDL_syswm.h>

namespace
{
// Only on the private server: the cases change the keyboard layout and move the pointer.
bool OnPrivateXServer()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* xvfb = std::getenv("TALONREACH_XVFB");
    return driver && std::strcmp(driver, "x11") == 0 && xvfb && std::strcmp(xvfb, "1") == 0;
}

// Connecting to a busy X server can fail once in a while; a few tries ride that out.
std::unique_ptr<headless::InputBench> StartHarness()
{
    for (int attempt = 1;; ++attempt)
    {
        try
        {
            return std::make_unique<headless::InputBench>();
        }
        catch (const std::runtime_error&)
        {
            if (attempt == 5)
                throw;
            SDL_Quit();
            SDL_Delay(200);
        }
    }
}

unsigned long X11WindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return static_cast<unsigned long>(info.info.x11.window);
}

class X11Input : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!OnPrivateXServer())
            GTEST_SKIP() << "needs the private X server of tests/scripts/input_x11.sh";
        bench = StartHarness();
        di = CVKT_DirectInput::GetInstance();
        ASSERT_TRUE(di->InitDirectInput(bench->Window(), nullptr, 3, 0));
        FocusAndPoint(bench->Window());
        Settle();
        di->MouseSetPosX(0);
        di->MouseSetPosY(0);
    }

    void Xdo(const std::string& arguments)
    {
        const std::string command = "xdotool " + arguments;
        ASSERT_EQ(0, std::system(command.c_str())) << command;
    }

    // Without a window manager the focus goes where it is put; the pointer is moved along so that it
    // does not rest on another window.
    void FocusAndPoint(SDL_Window* window)
    {
        const std::string id = std::to_string(X11WindowOf(window));
        Xdo("windowfocus --sync " + id + " mousemove --window " + id + " 100 100");
    }

    // Lets the X server's events arrive, routes them through the window's pump, then reads once:
    // everything xdotool did since the previous read falls between two frames.
    void Settle()
    {
        const Uint32 end = SDL_GetTicks() + 150;
        while (!SDL_TICKS_PASSED(SDL_GetTicks(), end))
        {
            bench->Pump();
            SDL_Delay(5);
        }
        di->ReadDevices();
    }

    char Typed(const std::string& keys)
    {
        Xdo("key " + keys);
        Settle();
        return di->CheckBufferedKeysEx();
    }

    std::unique_ptr<headless::InputBench> bench;
    CVKT_DirectInput* di = nullptr;
};

TEST_F(X11Input, AltReturnHeldTogetherTogglesOnce)
{
    Xdo("keydown alt");
    Settle();
    Xdo("keydown Return");
    Settle();
    EXPECT_TRUE(di->KeyDown(DIK_LMENU));
    EXPECT_TRUE(di->KeyPressed(DIK_RETURN));
    Settle();
    EXPECT_FALSE(di->KeyPressed(DIK_RETURN));
    EXPECT_TRUE(di->KeyDown(DIK_RETURN));
    Xdo("keyup Return keyup alt");
    Settle();
    EXPECT_TRUE(di->KeyReleased(DIK_RETURN));
    EXPECT_FALSE(di->KeyDown(DIK_LMENU));
}

TEST_F(X11Input, TypedKeysGiveTheirCharacters)
{
    EXPECT_EQ('A', Typed("shift+a"));
    EXPECT_EQ(8, Typed("BackSpace"));
    EXPECT_EQ(13, Typed("Return"));
    EXPECT_EQ(27, Typed("Escape"));
    EXPECT_EQ(9, Typed("Tab"));
    EXPECT_EQ(' ', Typed("space"));
    EXPECT_EQ('!', Typed("shift+1"));
    EXPECT_EQ('b', Typed("a b"));
    EXPECT_EQ(DIK_B, di->GetBufferedDIKCodeEx());
    EXPECT_EQ(0, Typed("F2"));
    EXPECT_EQ(DIK_F2, di->GetBufferedDIKCodeEx());
}

TEST_F(X11Input, HeldKeysAreTranslatedWithTheLayout)
{
    Xdo("keydown shift keydown q");
    Settle();
    EXPECT_EQ('Q', di->CheckKeys());
    EXPECT_EQ(DIK_Q, di->GetDIKCode());
    Xdo("keyup q keyup shift");
    Settle();
    EXPECT_EQ(0, di->CheckKeys());
}

TEST_F(X11Input, MouseMovesClicksAndWheels)
{
    for (int frame = 0; frame < 10; ++frame)
    {
        Xdo("mousemove_relative --sync 5 0");
        Settle();
    }
    EXPECT_EQ(50, di->MouseGetPosX());
    EXPECT_EQ(0, di->MouseGetPosY());

    // X buttons 1, 3, 2 and the side buttons 8 and 9.
    const struct
    {
        int xButton;
        unsigned char number;
    } clicks[] = {{1, 0}, {3, 1}, {2, 2}, {8, 3}, {9, 4}};
    for (const auto& click : clicks)
    {
        // A click shorter than a frame: pressed in the frame that reads it, released in the next.
        Xdo("click " + std::to_string(click.xButton));
        Settle();
        EXPECT_TRUE(di->MouseButtonPressed(click.number)) << click.xButton;
        EXPECT_TRUE(di->MouseButtonPressedEx(click.number)) << click.xButton;
        EXPECT_EQ(click.number, di->MouseCheckBufferedButtonsEx()) << click.xButton;
        di->ReadDevices();
        EXPECT_TRUE(di->MouseButtonReleasedEx(click.number)) << click.xButton;
    }
    Xdo("click 4");
    Settle();
    EXPECT_EQ(120, di->MouseWheelMovement());
    Xdo("click 5");
    Settle();
    EXPECT_EQ(-120, di->MouseWheelMovement());
}

TEST_F(X11Input, NoKeyStaysHeldAcrossAFocusChange)
{
    SDL_Window* other = SDL_CreateWindow("other", 200, 200, 200, 200, SDL_WINDOW_SHOWN);
    ASSERT_NE(nullptr, other);
    FocusAndPoint(bench->Window());
    Settle();
    Xdo("keydown Left");
    Settle();
    ASSERT_TRUE(di->KeyDown(DIK_LEFT));

    FocusAndPoint(other);
    Settle();
    EXPECT_FALSE(di->KeyDown(DIK_LEFT));
    Xdo("keyup Left");
    Settle();
    FocusAndPoint(bench->Window());
    Settle();
    EXPECT_FALSE(di->KeyDown(DIK_LEFT));
    Xdo("keydown Left");
    Settle();
    EXPECT_TRUE(di->KeyPressed(DIK_LEFT));
    Xdo("keyup Left");
    Settle();
    SDL_DestroyWindow(other);
}

class X11GermanInput : public X11Input
{
protected:
    void SetUp() override
    {
        X11Input::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_EQ(0, std::system("setxkbmap de"));
        m_bSwitched = true;
        // The window system tells SDL about the new layout through the event queue.
        Settle();
    }
    void TearDown() override
    {
        if (m_bSwitched)
        {
            EXPECT_EQ(0, std::system("setxkbmap us"));
        }
    }

private:
    bool m_bSwitched = false;
};

TEST_F(X11GermanInput, LettersFollowTheLayout)
{
    // The German layout has Z where the US one has Y: the key code of the position, the layout's
    // letter, with the text and without it.
    EXPECT_EQ('z', Typed("z"));
    EXPECT_EQ(DIK_Y, di->GetBufferedDIKCodeEx());
    Xdo("keydown z");
    Settle();
    EXPECT_EQ('z', di->CheckKeys());
    Xdo("keyup z");
    Settle();

    EXPECT_EQ(static_cast<char>(0xE4), Typed("adiaeresis"));
    EXPECT_EQ(DIK_APOSTROPHE, di->GetBufferedDIKCodeEx());
    EXPECT_EQ(static_cast<char>(0xC4), Typed("shift+adiaeresis"));
}

TEST_F(X11GermanInput, ShiftedAndAltGrSymbolsComeFromTheLayout)
{
    EXPECT_EQ('"', Typed("shift+2"));
    EXPECT_EQ('@', Typed("ISO_Level3_Shift+q"));
    EXPECT_EQ(DIK_Q, di->GetBufferedDIKCodeEx());
}
} // namespace
