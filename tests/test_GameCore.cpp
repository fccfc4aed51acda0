// The game core: the state stack, the frame sequence, the elapsed time from the tick seam and the
// Alt+Return display switch, driven through the real CGame on a headless window.
#include "CGame.h"
#include "IGameState.h"

#include "CVKT_Direct3D.h"
#include "CVKT_Window.h"

#include "InputEvents.h"
#include "ManualClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_log;

// A state that writes every call it receives into the log, and can run a hook from Input or Update.
class RecordingState : public IGameState
{
public:
    explicit RecordingState(std::string name) : m_name(std::move(name)) {}

    void Enter() override { g_log.push_back(m_name + ".Enter"); }
    bool Input() override
    {
        g_log.push_back(m_name + ".Input");
        if (onInput)
            onInput();
        return inputResult;
    }
    void Update(float elapsed) override
    {
        g_log.push_back(m_name + ".Update");
        lastElapsed = elapsed;
        if (onUpdate)
            onUpdate();
    }
    void Render() override { g_log.push_back(m_name + ".Render"); }
    void Exit() override { g_log.push_back(m_name + ".Exit"); }

    std::function<void()> onInput;
    std::function<void()> onUpdate;
    bool inputResult = true;
    float lastElapsed = -1.0f;

private:
    std::string m_name;
};

// The real game on a hidden dummy-driver window, with a hand-driven clock.
class GameCoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clock = std::make_unique<headless::ManualClock>(5000);
        window = CVKT_Window::GetInstance();
        ASSERT_TRUE(window->InitPlatform());
        hWnd = window->CreateGameWindow("VKTWindowClass", "Talonreach", 640, 480, nullptr);
        ASSERT_NE(hWnd, nullptr);
        game = CGame::GetInstance();
        game->Initialize(hWnd, nullptr, 640, 480, true);
        game->ChangeState(nullptr);
        g_log.clear();
    }

    void TearDown() override
    {
        game->Shutdown();
        window->ShutdownPlatform();
        clock.reset();
    }

    // One pass of the program's loop: events, then a frame.
    bool Frame(uint32_t milliseconds = 16)
    {
        clock->Advance(milliseconds);
        window->PeekMessages();
        return game->Main();
    }

    std::unique_ptr<headless::ManualClock> clock;
    CVKT_Window* window = nullptr;
    HWND hWnd = nullptr;
    CGame* game = nullptr;
    RecordingState a{"A"};
    RecordingState b{"B"};
    RecordingState c{"C"};
};

using Log = std::vector<std::string>;
} // namespace

TEST_F(GameCoreTest, StackOperationsCallEnterAndExitInOrder)
{
    game->PushState(&a);
    game->PushState(&b);
    EXPECT_EQ(g_log, (Log{"A.Enter", "B.Enter"}));

    g_log.clear();
    game->PopState();
    EXPECT_EQ(g_log, (Log{"B.Exit"})) << "the state below resumes without any call";
    ASSERT_EQ(game->GetStateStack().size(), 1u);
    EXPECT_EQ(game->GetStateStack().back(), &a);

    game->PushState(&b);
    g_log.clear();
    game->ChangeState(&c);
    EXPECT_EQ(g_log, (Log{"A.Exit", "B.Exit", "C.Enter"}))
        << "old states exit bottom first, then the new one enters";

    g_log.clear();
    game->ChangeState(nullptr);
    EXPECT_EQ(g_log, (Log{"C.Exit"}));
    EXPECT_TRUE(game->GetStateStack().empty());

    game->PushState(&a);
    game->PushState(&b);
    g_log.clear();
    game->ClearStates();
    EXPECT_EQ(g_log, (Log{"A.Exit", "B.Exit"}));
    EXPECT_TRUE(game->GetStateStack().empty());
}

TEST_F(GameCoreTest, EnterRunsBeforeTheStateIsOnTheStack)
{
    size_t depthSeenInEnter = 99;
    struct Probe : RecordingState
    {
        using RecordingState::RecordingState;
        size_t* seen = nullptr;
        void Enter() override { *seen = CGame::GetInstance()->GetStateStack().size(); }
    } probe("P");
    probe.seen = &depthSeenInEnter;
    game->PushState(&a);
    game->PushState(&probe);
    EXPECT_EQ(depthSeenInEnter, 1u);
    game->ChangeState(nullptr);
}

TEST_F(GameCoreTest, OnlyTheTopStateReadsInputAndUpdatesButAllAreDrawnBottomFirst)
{
    game->PushState(&a);
    game->PushState(&b);
    g_log.clear();
    ASSERT_TRUE(Frame());
    EXPECT_EQ(g_log, (Log{"B.Input", "B.Update", "A.Render", "B.Render"}));
}

TEST_F(GameCoreTest, AChangeMadeInInputIsUpdatedAndDrawnInTheSameFrame)
{
    game->PushState(&a);
    a.onInput = [&] { game->ChangeState(&b); };
    g_log.clear();
    ASSERT_TRUE(Frame());
    EXPECT_EQ(g_log, (Log{"A.Input", "A.Exit", "B.Enter", "B.Update", "B.Render"}));
}

TEST_F(GameCoreTest, AStatePushedInUpdateIsDrawnButNotUpdatedUntilTheNextFrame)
{
    game->PushState(&a);
    a.onUpdate = [&]
    {
        a.onUpdate = nullptr;
        game->PushState(&b);
    };
    g_log.clear();
    ASSERT_TRUE(Frame());
    EXPECT_EQ(g_log, (Log{"A.Input", "A.Update", "B.Enter", "A.Render", "B.Render"}));

    g_log.clear();
    ASSERT_TRUE(Frame());
    EXPECT_EQ(g_log, (Log{"B.Input", "B.Update", "A.Render", "B.Render"}));
}

TEST_F(GameCoreTest, InputReturningFalseEndsTheFrameAtOnce)
{
    game->PushState(&a);
    a.inputResult = false;
    g_log.clear();
    EXPECT_FALSE(Frame());
    EXPECT_EQ(g_log, (Log{"A.Input"})) << "no update and no drawing after Input said stop";
}

TEST_F(GameCoreTest, ElapsedTimeComesFromTheTickCountIncludingItsWrap)
{
    game->PushState(&a);
    ASSERT_TRUE(Frame(250));
    EXPECT_FLOAT_EQ(a.lastElapsed, 0.25f);

    // 16 ms before the 32-bit counter wraps, then 16 ms after it.
    clock->Set(0xFFFFFFFFu - 15u);
    ASSERT_TRUE(Frame(0));
    clock->Set(16u);
    ASSERT_TRUE(Frame(0));
    EXPECT_FLOAT_EQ(a.lastElapsed, 0.032f);

    // No cap: a long stall is one large step.
    ASSERT_TRUE(Frame(90000));
    EXPECT_FLOAT_EQ(a.lastElapsed, 90.0f);
}

TEST_F(GameCoreTest, FirstFrameIsTimedFromTheEndOfInitialize)
{
    game->Shutdown();
    window->ShutdownPlatform();
    ASSERT_TRUE(window->InitPlatform());
    hWnd = window->CreateGameWindow("VKTWindowClass", "Talonreach", 640, 480, nullptr);
    clock->Set(10000);
    game->Initialize(hWnd, nullptr, 640, 480, true);
    game->ChangeState(&a);
    clock->Set(10040);
    window->PeekMessages();
    ASSERT_TRUE(game->Main());
    EXPECT_FLOAT_EQ(a.lastElapsed, 0.040f);
}

TEST_F(GameCoreTest, AltReturnTogglesTheDisplayModeOnEveryPressReturnAloneDoesNot)
{
    game->PushState(&a);
    ASSERT_TRUE(game->IsWindowed());

    headless::PushKey(SDL_SCANCODE_RETURN, true);
    ASSERT_TRUE(Frame());
    headless::PushKey(SDL_SCANCODE_RETURN, false);
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(game->IsWindowed()) << "Return without Alt";

    headless::PushKey(SDL_SCANCODE_LALT, true);
    headless::PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(game->IsWindowed());
    EXPECT_FALSE(CVKT_Direct3D::GetInstance()->GetPresentParams()->bWindowed);
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(game->IsWindowed()) << "a held Return toggles once";

    headless::PushKey(SDL_SCANCODE_RETURN, false, KMOD_LALT);
    headless::PushKey(SDL_SCANCODE_LALT, false);
    ASSERT_TRUE(Frame());
    headless::PushKey(SDL_SCANCODE_RALT, true);
    headless::PushKey(SDL_SCANCODE_RETURN, true, KMOD_RALT);
    ASSERT_TRUE(Frame());
    EXPECT_TRUE(game->IsWindowed()) << "right Alt works too";
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(hWnd, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    headless::PushKey(SDL_SCANCODE_RETURN, false, KMOD_RALT);
    headless::PushKey(SDL_SCANCODE_RALT, false);
    ASSERT_TRUE(Frame());
}

TEST_F(GameCoreTest, EveryFrameClearsToDarkBlueBeforeTheStatesDraw)
{
    game->PushState(&a);
    CVKT_Direct3D::GetInstance()->SetFrameCapture(true);
    ASSERT_TRUE(Frame());
    CVKT_Direct3D::GetInstance()->SetFrameCapture(false);
    const std::vector<uint32_t>& frame = CVKT_Direct3D::GetInstance()->GetCapturedFrame();
    ASSERT_EQ(frame.size(), 640u * 480u);
    EXPECT_EQ(frame[0], 0xFF000080u);
    EXPECT_EQ(frame[240 * 640 + 320], 0xFF000080u);
}

TEST_F(GameCoreTest, IsHighScoreIsStrictlyAboveTheLowestEntry)
{
    tHighScore table[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        table[i] = tHighScore{100 - 10 * i, "ABC"};
    game->SetHighScores(table);
    EXPECT_FALSE(game->IsHighScore(10));
    EXPECT_TRUE(game->IsHighScore(11));
    EXPECT_EQ(game->GetHighScores()[0].nPoints, 100);
    EXPECT_STREQ(game->GetHighScores()[9].szName, "ABC");
}
