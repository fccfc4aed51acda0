// The input wrapper's core and keyboard, driven through SDL's real queue and the window's pump.
#include "CVKT_DirectInput.h"
#include "CVKT_MessageBox.h"
#include "InputBench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using headless::PushKey;
using headless::PushKeyPress;
using headless::PushText;

const char* const kTitle = "CVKT_DirectInput Error|";

class Keyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        di = CVKT_DirectInput::GetInstance();
        ASSERT_TRUE(di->InitDirectInput(bench.Window(), nullptr, CVKT_DirectInput::DEVICE_KEYBOARD, 0));
        ASSERT_TRUE(bench.Messages().empty());
    }

    bool Shown(const std::string& text) const
    {
        const auto& messages = bench.Messages();
        return std::find(messages.begin(), messages.end(), kTitle + text) != messages.end();
    }

    headless::InputBench bench;
    CVKT_DirectInput* di = nullptr;
};

TEST_F(Keyboard, HeldKeyIsDownEveryFrameAndPressedInTheFirstOnly)
{
    PushKey(SDL_SCANCODE_UP, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyDown(DIK_UP));
    EXPECT_TRUE(di->KeyPressed(DIK_UP));
    EXPECT_FALSE(di->KeyUp(DIK_UP));
    for (int frame = 0; frame < 3; ++frame)
    {
        bench.Frame();
        EXPECT_TRUE(di->KeyDown(DIK_UP)) << frame;
        EXPECT_FALSE(di->KeyPressed(DIK_UP)) << frame;
        EXPECT_FALSE(di->KeyReleased(DIK_UP)) << frame;
    }
    PushKey(SDL_SCANCODE_UP, false);
    bench.Frame();
    EXPECT_FALSE(di->KeyDown(DIK_UP));
    EXPECT_TRUE(di->KeyUp(DIK_UP));
    EXPECT_TRUE(di->KeyReleased(DIK_UP));
    bench.Frame();
    EXPECT_FALSE(di->KeyReleased(DIK_UP));
}

TEST_F(Keyboard, QueriesRepeatTheirAnswerWithinAFrame)
{
    PushKeyPress(SDL_SCANCODE_B);
    PushKey(SDL_SCANCODE_SPACE, true);
    bench.Frame();
    for (int ask = 0; ask < 3; ++ask)
    {
        EXPECT_TRUE(di->KeyPressed(DIK_SPACE));
        EXPECT_TRUE(di->KeyPressedEx(DIK_B));
        EXPECT_EQ(' ', di->CheckBufferedKeysEx());
        EXPECT_EQ(DIK_SPACE, di->GetBufferedDIKCodeEx());
    }
}

TEST_F(Keyboard, AltHeldWithReturnPressedTogglesExactlyOnce)
{
    // As the window system delivers it: Left Alt goes down, then Return with the Alt modifier.
    PushKey(SDL_SCANCODE_LALT, true);
    PushKey(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    int toggles = 0;
    for (int frame = 0; frame < 4; ++frame)
    {
        bench.Frame();
        if ((di->KeyDown(DIK_LMENU) || di->KeyDown(DIK_RMENU)) && di->KeyPressed(DIK_RETURN))
            ++toggles;
    }
    EXPECT_EQ(1, toggles);
    EXPECT_TRUE(di->KeyDown(DIK_LMENU));
    EXPECT_TRUE(di->KeyDown(DIK_RETURN));
}

TEST_F(Keyboard, RightAltCountsAsAltWithItsOwnCode)
{
    PushKey(SDL_SCANCODE_RALT, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyDown(DIK_RMENU));
    EXPECT_EQ(0xB8, DIK_RMENU);
    EXPECT_FALSE(di->KeyDown(DIK_LMENU));
}

TEST_F(Keyboard, TwoLettersBetweenFramesGiveTheSecond)
{
    PushKeyPress(SDL_SCANCODE_A);
    PushKeyPress(SDL_SCANCODE_B);
    bench.Frame();
    EXPECT_EQ('b', di->CheckBufferedKeysEx());
    EXPECT_EQ(DIK_B, di->GetBufferedDIKCodeEx());
    bench.Frame();
    EXPECT_EQ(0, di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, OneLetterPerFrameGivesEachOnce)
{
    const SDL_Scancode keys[] = {SDL_SCANCODE_T, SDL_SCANCODE_A, SDL_SCANCODE_L};
    std::string typed;
    for (SDL_Scancode key : keys)
    {
        PushKeyPress(key);
        bench.Frame();
        if (const char c = di->CheckBufferedKeysEx())
            typed += c;
        bench.Frame();
        if (const char c = di->CheckBufferedKeysEx())
            typed += c;
    }
    EXPECT_EQ("tal", typed);
}

TEST_F(Keyboard, ShiftAndCapsLockChooseTheCase)
{
    PushKey(SDL_SCANCODE_LSHIFT, true, KMOD_LSHIFT);
    PushKeyPress(SDL_SCANCODE_A, KMOD_LSHIFT);
    bench.Frame();
    EXPECT_EQ('A', di->CheckBufferedKeysEx());
    PushKey(SDL_SCANCODE_LSHIFT, false);
    bench.Frame();

    PushKeyPress(SDL_SCANCODE_Q, KMOD_CAPS);
    bench.Frame();
    EXPECT_EQ('Q', di->CheckBufferedKeysEx());

    // Shift with Caps Lock on gives the small letter again.
    PushKey(SDL_SCANCODE_RSHIFT, true, KMOD_CAPS | KMOD_RSHIFT);
    PushKeyPress(SDL_SCANCODE_Q, KMOD_CAPS | KMOD_RSHIFT);
    bench.Frame();
    EXPECT_EQ('q', di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, ShiftIsTakenFromTheHeldKeyWhenTheEventCarriesNoModifier)
{
    // Events pushed by other programs need not carry modifier bits; the held Shift key counts.
    PushKey(SDL_SCANCODE_LSHIFT, true);
    PushKeyPress(SDL_SCANCODE_Z);
    bench.Frame();
    EXPECT_EQ('Z', di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, ControlKeysGiveTheirCharacters)
{
    const struct
    {
        SDL_Scancode key;
        char expected;
    } cases[] = {{SDL_SCANCODE_BACKSPACE, 8}, {SDL_SCANCODE_TAB, 9},     {SDL_SCANCODE_RETURN, 13},
                 {SDL_SCANCODE_KP_ENTER, 13}, {SDL_SCANCODE_ESCAPE, 27}, {SDL_SCANCODE_SPACE, 32},
                 {SDL_SCANCODE_F1, 0},        {SDL_SCANCODE_UP, 0},      {SDL_SCANCODE_DELETE, 0},
                 {SDL_SCANCODE_LSHIFT, 0}};
    for (const auto& c : cases)
    {
        PushKeyPress(c.key);
        bench.Frame();
        EXPECT_EQ(c.expected, di->CheckBufferedKeysEx()) << SDL_GetScancodeName(c.key);
    }
}

TEST_F(Keyboard, KeysWithoutACharacterDoNotHideAnEarlierOne)
{
    PushKeyPress(SDL_SCANCODE_X);
    PushKeyPress(SDL_SCANCODE_F5);
    bench.Frame();
    EXPECT_EQ('x', di->CheckBufferedKeysEx());
    EXPECT_EQ(DIK_F5, di->GetBufferedDIKCodeEx());
}

TEST_F(Keyboard, TheWindowSystemsTextSuppliesShiftedSymbols)
{
    // Which symbol Shift puts on a digit belongs to the layout; only the text tells it.
    PushKey(SDL_SCANCODE_LSHIFT, true, KMOD_LSHIFT);
    PushKey(SDL_SCANCODE_1, true, KMOD_LSHIFT);
    bench.Frame();
    EXPECT_EQ(0, di->CheckBufferedKeysEx());
    PushKey(SDL_SCANCODE_1, false, KMOD_LSHIFT);
    PushKey(SDL_SCANCODE_1, true, KMOD_LSHIFT);
    PushText("!");
    bench.Frame();
    EXPECT_EQ('!', di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, TextBeyondEightBitsGivesNoCharacter)
{
    PushKey(SDL_SCANCODE_E, true);
    PushText("\xC3\xA9"); // e acute, U+00E9
    bench.Frame();
    EXPECT_EQ(static_cast<char>(0xE9), di->CheckBufferedKeysEx());
    PushKey(SDL_SCANCODE_E, false);
    PushKey(SDL_SCANCODE_E, true);
    PushText("\xE2\x82\xAC"); // euro sign, U+20AC
    bench.Frame();
    EXPECT_EQ(0, di->CheckBufferedKeysEx());
    EXPECT_EQ(DIK_E, di->GetBufferedDIKCodeEx());
}

TEST_F(Keyboard, TextWithoutAPrecedingPressIsIgnored)
{
    PushText("k");
    bench.Frame();
    EXPECT_EQ(0, di->CheckBufferedKeysEx());
    PushKey(SDL_SCANCODE_K, true);
    PushKey(SDL_SCANCODE_K, false);
    // Text after the release belongs to no press of this key.
    PushText("!");
    bench.Frame();
    EXPECT_EQ('k', di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, CheckKeysTranslatesHeldKeysWithTheHeldShift)
{
    PushKey(SDL_SCANCODE_LSHIFT, true, KMOD_LSHIFT);
    bench.Frame();
    EXPECT_EQ(0, di->CheckKeys());
    PushKey(SDL_SCANCODE_G, true, KMOD_LSHIFT);
    bench.Frame();
    EXPECT_EQ('G', di->CheckKeys());
    PushKey(SDL_SCANCODE_LSHIFT, false);
    bench.Frame();
    EXPECT_EQ('g', di->CheckKeys());
    // Of two held keys the one with the higher code wins: Space (57) over G (34).
    PushKey(SDL_SCANCODE_SPACE, true);
    bench.Frame();
    EXPECT_EQ(' ', di->CheckKeys());
}

TEST_F(Keyboard, LowestHeldCodeAndLastBufferedPress)
{
    bench.Frame();
    EXPECT_EQ(0, di->GetDIKCode());
    EXPECT_EQ(0, di->GetBufferedDIKCodeEx());

    PushKey(SDL_SCANCODE_UP, true);
    PushKey(SDL_SCANCODE_SPACE, true);
    bench.Frame();
    EXPECT_EQ(57, di->GetDIKCode());
    EXPECT_EQ(DIK_SPACE, di->GetBufferedDIKCodeEx());

    // Only releases this frame: no buffered press.
    PushKey(SDL_SCANCODE_SPACE, false);
    bench.Frame();
    EXPECT_EQ(0, di->GetBufferedDIKCodeEx());
    EXPECT_EQ(200, di->GetDIKCode());
}

// Each case: the key's events pushed before each frame (D down, U up), and what each frame then
// shows of it (P held and pressed, H held, R released, - up).
struct tTapCase
{
    const char* szName;
    std::vector<const char*> events;
    const char* szFrames;
};

TEST_F(Keyboard, EveryPressBetweenFramesCountsInTheFramesThatFollow)
{
    const tTapCase cases[] = {
        {"a tap", {"DU", "", ""}, "PR-"},
        {"a double tap", {"DUDU", "", "", ""}, "PPR-"},
        {"a triple tap", {"DUDUDU", "", "", "", ""}, "PPPR-"},
        {"a hold", {"D", "", "", "U", ""}, "PHHR-"},
        {"a held key let go and pressed again", {"D", "UD", "", "U"}, "PPHR"},
        {"a tap after a hold", {"D", "UDU", ""}, "PPR"},
    };
    for (const tTapCase& c : cases)
    {
        std::string shown;
        for (const char* szEvents : c.events)
        {
            for (const char* p = szEvents; *p; ++p)
                PushKey(SDL_SCANCODE_UP, *p == 'D');
            bench.Frame();
            const bool down = di->KeyDown(DIK_UP);
            shown += di->KeyPressed(DIK_UP) ? 'P' : down ? 'H' : di->KeyReleased(DIK_UP) ? 'R' : '-';
            EXPECT_EQ(di->KeyPressed(DIK_UP), di->KeyPressedEx(DIK_UP)) << c.szName;
        }
        EXPECT_EQ(c.szFrames, shown) << c.szName;
    }
}

TEST_F(Keyboard, PressesKeepTheirOrderAcrossFrames)
{
    // A twice and then B before one frame: B may not overtake the second A.
    PushKeyPress(SDL_SCANCODE_A);
    PushKeyPress(SDL_SCANCODE_A);
    PushKeyPress(SDL_SCANCODE_B);
    bench.Frame();
    EXPECT_EQ('a', di->CheckBufferedKeysEx());
    EXPECT_FALSE(di->KeyDown(DIK_B));
    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_A));
    EXPECT_TRUE(di->KeyPressed(DIK_B));
    EXPECT_EQ('b', di->CheckBufferedKeysEx());
    bench.Frame();
    EXPECT_TRUE(di->KeyReleased(DIK_A));
    EXPECT_TRUE(di->KeyReleased(DIK_B));
}

TEST_F(Keyboard, ElevenPressesBetweenFramesGiveTenAndTheEleventhInTheNext)
{
    const SDL_Scancode keys[] = {SDL_SCANCODE_Q, SDL_SCANCODE_W, SDL_SCANCODE_E, SDL_SCANCODE_R,
                                 SDL_SCANCODE_T, SDL_SCANCODE_Y, SDL_SCANCODE_U, SDL_SCANCODE_I,
                                 SDL_SCANCODE_O, SDL_SCANCODE_P, SDL_SCANCODE_A};
    for (SDL_Scancode key : keys)
        PushKey(key, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressedEx(DIK_Q));
    EXPECT_TRUE(di->KeyPressedEx(DIK_P));
    EXPECT_EQ('p', di->CheckBufferedKeysEx());
    EXPECT_FALSE(di->KeyDown(DIK_A));

    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_A));
    EXPECT_EQ('a', di->CheckBufferedKeysEx());
    EXPECT_FALSE(di->KeyPressed(DIK_Q));
    EXPECT_TRUE(di->KeyDown(DIK_Q));
}

TEST_F(Keyboard, AFloodOfChangesBeyondTheQueueFallsBackToTheKeysHeld)
{
    // More changes in one wait than the device keeps: the order is lost, the held keys are not.
    PushKey(SDL_SCANCODE_A, true);
    for (int i = 0; i < 200; ++i)
        PushKeyPress(SDL_SCANCODE_B);
    bench.Frame();
    EXPECT_TRUE(di->KeyDown(DIK_A));
    EXPECT_FALSE(di->KeyDown(DIK_B));
    PushKeyPress(SDL_SCANCODE_C);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_C));
    EXPECT_EQ('c', di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, AutoRepeatIsNoNewPress)
{
    PushKey(SDL_SCANCODE_BACKSPACE, true);
    bench.Frame();
    EXPECT_EQ(8, di->CheckBufferedKeysEx());
    SDL_Event repeat;
    SDL_zero(repeat);
    repeat.type = SDL_KEYDOWN;
    repeat.key.state = SDL_PRESSED;
    repeat.key.repeat = 1;
    repeat.key.keysym.scancode = SDL_SCANCODE_BACKSPACE;
    repeat.key.keysym.sym = SDLK_BACKSPACE;
    SDL_PushEvent(&repeat);
    bench.Frame();
    EXPECT_EQ(0, di->CheckBufferedKeysEx());
    EXPECT_TRUE(di->KeyDown(DIK_BACK));
}

TEST_F(Keyboard, KeysOffThePcKeyboardAndMadeUpScancodesAreIgnored)
{
    PushKeyPress(SDL_SCANCODE_F13);
    for (int scancode : {-24065, static_cast<int>(SDL_NUM_SCANCODES), 0x7FFFFFFF})
    {
        SDL_Event event;
        SDL_zero(event);
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        // Any sender may put any number there; it must not be taken as an SDL_Scancode blindly.
        std::memcpy(&event.key.keysym.scancode, &scancode, sizeof scancode);
        SDL_PushEvent(&event);
    }
    bench.Frame();
    EXPECT_EQ(0, di->GetBufferedDIKCodeEx());
    EXPECT_EQ(0, di->GetDIKCode());
    PushKeyPress(SDL_SCANCODE_F12);
    bench.Frame();
    EXPECT_EQ(DIK_F12, di->GetBufferedDIKCodeEx());
}

TEST_F(Keyboard, LosingTheFocusReleasesEveryKey)
{
    PushKey(SDL_SCANCODE_LEFT, true);
    bench.Frame();
    ASSERT_TRUE(di->KeyDown(DIK_LEFT));

    // The release happens in another window and is never seen.
    bench.LoseFocus();
    bench.Frame();
    EXPECT_FALSE(di->KeyDown(DIK_LEFT));
    EXPECT_FALSE(di->KeyReleased(DIK_LEFT));
    // Keys reaching an unfocused window are not taken.
    PushKey(SDL_SCANCODE_RIGHT, true);
    bench.Frame();
    EXPECT_FALSE(di->KeyDown(DIK_RIGHT));
    EXPECT_EQ(0, di->GetBufferedDIKCodeEx());

    bench.GainFocus();
    bench.Frame();
    EXPECT_FALSE(di->KeyDown(DIK_LEFT));
    EXPECT_FALSE(di->KeyDown(DIK_RIGHT));
    PushKey(SDL_SCANCODE_LEFT, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_LEFT));
    EXPECT_EQ(DIK_LEFT, di->GetBufferedDIKCodeEx());
}

TEST_F(Keyboard, KeysTypedRightAfterTheFocusReturnsAreKept)
{
    bench.LoseFocus();
    bench.Frame();
    bench.GainFocus();
    PushKeyPress(SDL_SCANCODE_N);
    bench.Frame();
    EXPECT_EQ('n', di->CheckBufferedKeysEx());
}

TEST_F(Keyboard, EventsReachBothTheInputAndTheWindowOnce)
{
    PushKey(SDL_SCANCODE_ESCAPE, true);
    headless::PushWindowEvent(bench.Window(), SDL_WINDOWEVENT_EXPOSED);
    PushKey(SDL_SCANCODE_ESCAPE, false);
    PushKeyPress(SDL_SCANCODE_M);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressedEx(DIK_ESCAPE));
    EXPECT_EQ('m', di->CheckBufferedKeysEx());
    const auto& messages = bench.WindowMessages();
    EXPECT_EQ(1, std::count(messages.begin(), messages.end(), 0x000Fu)); // WM_PAINT
    // The releases of this frame's presses are the next frame's.
    bench.Frame();
    EXPECT_TRUE(di->KeyReleasedEx(DIK_ESCAPE));
    EXPECT_EQ(0, di->GetBufferedDIKCodeEx());
}

TEST_F(Keyboard, SecondInitialisationFailsWithItsMessage)
{
    EXPECT_FALSE(di->InitKeyboard(bench.Window(), false));
    EXPECT_TRUE(Shown("Keyboard has already been initialized"));
    bench.ClearMessages();
    // InitDirectInput stops at the failing keyboard: the mouse is not set up.
    EXPECT_FALSE(di->InitDirectInput(bench.Window(), nullptr, 3, 0));
    EXPECT_EQ(0, di->MouseGetNumButtons());
    EXPECT_EQ(1u, bench.Messages().size());
    // The keyboard that exists keeps working.
    PushKey(SDL_SCANCODE_3, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_3));
}

TEST_F(Keyboard, ShutdownLeavesNoKeyboard)
{
    PushKey(SDL_SCANCODE_2, true);
    bench.Frame();
    ASSERT_TRUE(di->KeyDown(DIK_2));
    di->ShutdownDirectInput();
    EXPECT_FALSE(di->KeyDown(DIK_2));
    EXPECT_FALSE(di->KeyUp(DIK_2));
    EXPECT_EQ(0, di->GetDIKCode());
    // And it can be set up again.
    EXPECT_TRUE(di->InitDirectInput(bench.Window(), nullptr, 1, 0));
    EXPECT_FALSE(di->KeyDown(DIK_2));
}

class KeyboardSetUp : public ::testing::Test
{
protected:
    bool Shown(const std::string& text) const
    {
        const auto& messages = bench.Messages();
        return std::find(messages.begin(), messages.end(), kTitle + text) != messages.end();
    }

    headless::InputBench bench;
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
};

TEST_F(KeyboardSetUp, QueriesWithoutAKeyboardAnswerNothing)
{
    PushKey(SDL_SCANCODE_SPACE, true);
    bench.Frame();
    EXPECT_FALSE(di->KeyDown(DIK_SPACE));
    EXPECT_FALSE(di->KeyUp(DIK_SPACE));
    EXPECT_FALSE(di->KeyPressed(DIK_SPACE));
    EXPECT_FALSE(di->KeyPressedEx(DIK_SPACE));
    EXPECT_EQ(0, di->CheckKeys());
    EXPECT_EQ(0, di->CheckBufferedKeysEx());
    EXPECT_EQ(0, di->GetDIKCode());
}

TEST_F(KeyboardSetUp, WithoutAWindowTheCooperativeLevelFailsAndTheKeyboardStillReads)
{
    EXPECT_TRUE(di->InitKeyboard(nullptr, false));
    ASSERT_EQ(1u, bench.Messages().size());
    EXPECT_TRUE(Shown("Failed to set cooperative level on Keyboard."));
    PushKey(SDL_SCANCODE_DOWN, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_DOWN));
}

TEST_F(KeyboardSetUp, AcquiringWithoutTheFocusFailsUntilItReturns)
{
    bench.LoseFocus();
    bench.Pump();
    EXPECT_TRUE(di->InitKeyboard(bench.Window(), false));
    EXPECT_TRUE(Shown("Failed to acquire Keyboard."));
    PushKey(SDL_SCANCODE_DOWN, true);
    bench.Frame();
    EXPECT_FALSE(di->KeyDown(DIK_DOWN));
    bench.GainFocus();
    PushKey(SDL_SCANCODE_UP, true);
    bench.Frame();
    EXPECT_TRUE(di->KeyPressed(DIK_UP));
}

TEST(KeyboardWithoutVideo, CreationFailsWithItsMessage)
{
    ASSERT_EQ(0, SDL_Init(SDL_INIT_EVENTS));
    std::vector<std::string> messages;
    CVKT_MessageBox::SetListener([&messages](const std::string& title, const std::string& text)
                                 { messages.push_back(title + "|" + text); });
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    EXPECT_TRUE(di->InitDirectInput(nullptr, nullptr, 1, 0));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(std::string(kTitle) + "Failed to create Keyboard device.", messages[0]);
    di->ReadDevices();
    EXPECT_FALSE(di->KeyDown(DIK_ESCAPE));
    di->ShutdownDirectInput();
    CVKT_MessageBox::SetListener({});
    SDL_Quit();
}
} // namespace
