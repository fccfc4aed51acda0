// The program entry's window handling: focus loss pauses the game during play, and closing the
// window ends the loop before another frame. Real SDL window events go through the real pump.
#include "WinMain.h"

#include "CGame.h"
#include "CGamePlayState.h"
#include "CPauseState.h"
#include "IGameState.h"

#include "CVKT_Direct3D.h"
#include "CVKT_FramePacer.h"
#include "CVKT_Window.h"

#include "InputEvents.h"

#include <gtest/gtest.h>

namespace
{
class IdleState : public IGameState
{
public:
    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}
};

class WindowProcTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = CVKT_Window::GetInstance();
        ASSERT_TRUE(window->InitPlatform());
        hWnd = window->CreateGameWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, 640, 480, WndProc);
        ASSERT_NE(hWnd, nullptr);
        game = CGame::GetInstance();
        game->Initialize(hWnd, nullptr, 640, 480, true);
    }
    void TearDown() override
    {
        game->Shutdown();
        window->ShutdownPlatform();
    }

    size_t CountOnStack(IGameState* state) const
    {
        size_t count = 0;
        for (IGameState* s : game->GetStateStack())
            count += s == state;
        return count;
    }

    CVKT_Window* window = nullptr;
    HWND hWnd = nullptr;
    CGame* game = nullptr;
};
} // namespace

TEST_F(WindowProcTest, FocusLossDuringPlayPushesThePauseScreenOncePerDeactivation)
{
    game->ChangeState(CGamePlayState::GetInstance());
    headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_FOCUS_LOST);
    ASSERT_TRUE(window->PeekMessages());
    ASSERT_EQ(game->GetStateStack().size(), 2u);
    EXPECT_EQ(game->GetStateStack().back(), CPauseState::GetInstance());

    // The pause screen is on top now: another deactivation pushes nothing.
    headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_FOCUS_GAINED);
    headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_FOCUS_LOST);
    ASSERT_TRUE(window->PeekMessages());
    EXPECT_EQ(CountOnStack(CPauseState::GetInstance()), 1u);
}

TEST_F(WindowProcTest, FocusLossOnAnyOtherScreenPushesNothing)
{
    IdleState menu;
    game->ChangeState(&menu);
    headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_FOCUS_LOST);
    ASSERT_TRUE(window->PeekMessages());
    EXPECT_EQ(game->GetStateStack().size(), 1u);
    EXPECT_EQ(game->GetStateStack().back(), &menu);
    game->ChangeState(nullptr);
}

TEST_F(WindowProcTest, ClosingTheWindowEndsTheLoopWithExitCodeZero)
{
    IdleState menu;
    game->ChangeState(&menu);
    headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(window->PeekMessages()) << "the quit message ends the loop before another frame";
    EXPECT_EQ(window->GetQuitCode(), 0);
    EXPECT_FALSE(SDL_GetWindowFlags(hWnd) & SDL_WINDOW_SHOWN) << "the window is gone from the screen";

    // A quit request that follows (SDL sends one after the last window closes) changes nothing.
    headless::PushQuit();
    EXPECT_FALSE(window->PeekMessages());
    game->ChangeState(nullptr);
}

TEST_F(WindowProcTest, AnApplicationQuitRequestClosesTheWindowToo)
{
    IdleState menu;
    game->ChangeState(&menu);
    headless::PushQuit();
    EXPECT_FALSE(window->PeekMessages());
    game->ChangeState(nullptr);
}

namespace
{
// A screen whose picture changes every frame, so that every frame it draws is presented.
class MovingState : public IdleState
{
public:
    void Render() override
    {
        m_nX = (m_nX + 1) % 600;
        CVKT_Direct3D::GetInstance()->DrawRect(RECT{m_nX, 0, m_nX + 40, 40}, 255, 255, 0);
    }

private:
    int m_nX = 0;
};

void CountPresent(void* pUser)
{
    ++*static_cast<int*>(pUser);
}

struct HiddenCase
{
    const char* what;
    void (*hide)(HWND);
    void (*show)(HWND);
};

class HiddenWindowTest : public WindowProcTest, public ::testing::WithParamInterface<HiddenCase>
{
};
} // namespace

TEST_P(HiddenWindowTest, AHiddenOrMinimisedWindowPresentsNoFrames)
{
    const HiddenCase& c = GetParam();
    MovingState screen;
    game->ChangeState(&screen);
    int presents = 0;
    CVKT_Direct3D::GetInstance()->SetPresentListener(&CountPresent, &presents);
    CVKT_FramePacer pacer;

    ASSERT_TRUE(RunLoopPass(window, game, &pacer));
    EXPECT_EQ(presents, 1) << "a showing window presents its frame";
    c.hide(hWnd);
    for (int pass = 0; pass < 2; ++pass)
        ASSERT_TRUE(RunLoopPass(window, game, &pacer)) << c.what;
    EXPECT_EQ(presents, 1) << c.what << ": nothing is drawn";
    c.show(hWnd);
    ASSERT_TRUE(RunLoopPass(window, game, &pacer));
    EXPECT_EQ(presents, 2) << c.what << ": frames come back with the window";

    CVKT_Direct3D::GetInstance()->SetPresentListener(nullptr, nullptr);
    game->ChangeState(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HiddenWindowTest,
    ::testing::Values(
        HiddenCase{"hidden", [](HWND hWnd) { SDL_HideWindow(hWnd); },
                   [](HWND hWnd) { SDL_ShowWindow(hWnd); }},
        HiddenCase{"minimised", [](HWND hWnd) { headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_MINIMIZED); },
                   [](HWND hWnd) { headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_RESTORED); }}),
    [](const ::testing::TestParamInfo<HiddenCase>& info) { return std::string(info.param.what); });

TEST_F(WindowProcTest, TheQuitMessageEndsTheLoopPassBeforeAFrame)
{
    MovingState screen;
    game->ChangeState(&screen);
    int presents = 0;
    CVKT_Direct3D::GetInstance()->SetPresentListener(&CountPresent, &presents);
    CVKT_FramePacer pacer;
    headless::PushWindowEvent(hWnd, SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(RunLoopPass(window, game, &pacer));
    EXPECT_EQ(presents, 0);
    CVKT_Direct3D::GetInstance()->SetPresentListener(nullptr, nullptr);
    game->ChangeState(nullptr);
}

TEST(WindowCreationTest, TheWindowHasItsTitleAndA640By480ClientArea)
{
    CVKT_Window* window = CVKT_Window::GetInstance();
    ASSERT_TRUE(window->InitPlatform());
    int created = 0;
    static int* s_created = nullptr;
    s_created = &created;
    HWND hWnd = window->CreateGameWindow(VKT_WINDOW_CLASS, VKT_WINDOW_TITLE, 640, 480,
                                         [](HWND, unsigned int msg, uintptr_t, intptr_t) -> intptr_t
                                         {
                                             if (msg == WM_CREATE)
                                                 ++*s_created;
                                             return 0;
                                         });
    ASSERT_NE(hWnd, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(hWnd), "Talonreach");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(hWnd, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_TRUE(SDL_GetWindowFlags(hWnd) & SDL_WINDOW_RESIZABLE);
    EXPECT_EQ(created, 1);
    window->ShutdownPlatform();
}
