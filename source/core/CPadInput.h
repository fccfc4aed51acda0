// What the game pads ask of the game, in the game's own words: menu steps, confirm, back, pause, fire
// and steer. Any pad may do any of it (CVKT_DirectInput reads them all). The screens ask this beside
// the keys they read, so the keyboard works exactly as before and both work at the same time.
//
// Menu steps repeat like a held key on a typewriter: the first step at once when a direction is
// pushed (also when it was let go and pushed again between two frames), the next after it has been
// held 0.4 s, then one every 0.12 s. The time is the game's elapsed frame time, given to Update once
// per frame right after the devices are read.
#pragma once

#include "VKT_PadButtons.h"

#include <cstdint>

// Where the menu repeat of each direction stands: everything Update carries from frame to frame.
struct tPadRepeat
{
    float fHeldSeconds[PAD_DIRECTION_COUNT] = {};
    float fNextStep[PAD_DIRECTION_COUNT] = {};
    bool bHeld[PAD_DIRECTION_COUNT] = {};
    bool bStep[PAD_DIRECTION_COUNT] = {};
};

class CPadInput
{
public:
    static constexpr float FIRST_REPEAT_SECONDS = 0.4f;
    static constexpr float REPEAT_SECONDS = 0.12f;
    // The rumble of a lost life.
    static constexpr float LOST_LIFE_RUMBLE = 0.75f;
    static constexpr uint32_t LOST_LIFE_RUMBLE_MS = 300;

    static CPadInput* GetInstance();
    CPadInput(const CPadInput&) = delete;
    CPadInput& operator=(const CPadInput&) = delete;

    // Decides this frame's menu steps from the directions held now and how long they have been.
    void Update(float fElapsedTime);

    // The repeat as it stands, and a repeat to go on from (a replay starts where its game started).
    tPadRepeat GetRepeat() const;
    void SetRepeat(const tPadRepeat& repeat);

    // A menu step that way in this frame.
    bool MenuUp() const { return m_bStep[PAD_UP]; }
    bool MenuDown() const { return m_bStep[PAD_DOWN]; }
    bool MenuLeft() const { return m_bStep[PAD_LEFT]; }
    bool MenuRight() const { return m_bStep[PAD_RIGHT]; }
    // Held now on the D-pad or the left stick, as an arrow key is held.
    bool HeldUp() const;
    bool HeldDown() const;
    bool HeldLeft() const;
    bool HeldRight() const;
    // South pressed: choose, advance, confirm.
    bool Confirm() const;
    // East pressed: back out where Escape does.
    bool Back() const;
    // Start pressed.
    bool Pause() const;
    // South held: fire, again and again while held, as Space does.
    bool FireHeld() const;
    // North pressed: a screen's second choice (the controls screen's way to change them).
    bool Alternate() const;
    // Some button of some pad pressed.
    bool AnyButton() const;
    // The lowest ePadButton pressed in this frame; -1 for none (a control being chosen).
    int PressedButton() const;
    // The pad that was playing has been pulled out.
    bool PlayingPadLost() const;
    // Pushed that way in this frame, without the menu repeat.
    bool PushedLeft() const;
    bool PushedRight() const;
    // A short rumble on the pad that is playing, where it can.
    void RumbleLostLife() const;

private:
    CPadInput() = default;
    void UpdateDirection(int nDir, bool bHeld, bool bPressed, float fElapsedTime);

    float m_fHeldSeconds[PAD_DIRECTION_COUNT] = {};
    float m_fNextStep[PAD_DIRECTION_COUNT] = {};
    bool m_bHeld[PAD_DIRECTION_COUNT] = {};
    bool m_bStep[PAD_DIRECTION_COUNT] = {};
};
