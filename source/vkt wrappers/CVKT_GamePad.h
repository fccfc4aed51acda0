// One game controller opened through SDL's GameController API, so that every pad SDL has a mapping
// for reads the same: buttons by where they sit (VKT_PadButtons.h), the D-pad and the left stick as
// four directions. Each read keeps the state of the read before, so that a press can be told from a
// hold.
//
// The pad is followed through SDL's controller events, not sampled at the read: every change of a
// button or a direction goes through a press queue (CVKT_PressQueue), so a button tapped, or a stick
// flicked past its dead zone and back, between two reads is held and pressed in one frame and let go
// in the next.
#pragma once

#include "CVKT_PressQueue.h"
#include "VKT_PadButtons.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <cstdint>
#include <memory>

class CVKT_GamePad
{
public:
    // How far the left stick must leave the centre (of 32767) before it counts as a direction.
    static constexpr int STICK_DEAD_ZONE = 8000;

    // Opens the controller SDL lists at nDeviceIndex; null when it is not a mapped game controller
    // or SDL cannot open it.
    static std::unique_ptr<CVKT_GamePad> Open(int nDeviceIndex);
    CVKT_GamePad(const CVKT_GamePad&) = delete;
    CVKT_GamePad& operator=(const CVKT_GamePad&) = delete;

    // The joystick instance id SDL's events carry for this pad.
    SDL_JoystickID GetInstanceID() const { return m_nInstanceID; }

    // Platform: a button or axis event of this pad (others are ignored).
    void HandleEvent(const SDL_Event& event);
    // The state of the last read becomes the previous one; the new state is this frame's part of the
    // changes that arrived, or nothing held when bSeesInput is false (the game's window is in the
    // background; the changes meanwhile are dropped).
    void Read(bool bSeesInput);

    bool ButtonDown(int nButton) const { return (m_uButtons & Bit(nButton)) != 0; }
    bool ButtonWasDown(int nButton) const { return (m_uPrevButtons & Bit(nButton)) != 0; }
    // The D-pad or the left stick beyond its dead zone points that way. Diagonals count for both.
    bool DirectionDown(int nDir) const { return (m_uDirections & Bit(nDir)) != 0; }
    bool DirectionWasDown(int nDir) const { return (m_uPrevDirections & Bit(nDir)) != 0; }
    // A button went down or a direction was pushed at the last read.
    bool HasNewInput() const;

    // A rumble of both motors at fStrength (0 to 1) for that long; false when the pad has none.
    bool Rumble(float fStrength, uint32_t uMilliseconds);

private:
    struct tDeleter
    {
        void operator()(SDL_GameController* pController) const;
    };

    explicit CVKT_GamePad(SDL_GameController* pController);
    static unsigned int Bit(int nIndex) { return 1u << static_cast<unsigned int>(nIndex); }
    unsigned int SampleButtons() const;
    unsigned int SampleDirections() const;
    // The directions the D-pad and the stick give as the events last told them.
    unsigned int LiveDirections() const;
    // Queues a change of a button (0 to PAD_BUTTON_COUNT - 1) or a direction (after the buttons).
    void PushChange(int nControl, bool bDown, uint32_t uTimeStamp);
    void OnButton(const SDL_ControllerButtonEvent& button);
    void OnAxis(const SDL_ControllerAxisEvent& axis);
    void PushDirectionChanges(uint32_t uTimeStamp);

    std::unique_ptr<SDL_GameController, tDeleter> m_pController;
    SDL_JoystickID m_nInstanceID = -1;
    unsigned int m_uButtons = 0;
    unsigned int m_uPrevButtons = 0;
    unsigned int m_uDirections = 0;
    unsigned int m_uPrevDirections = 0;
    // What SDL's events said last: the buttons, the D-pad (as directions), the stick and the
    // directions queued for them.
    unsigned int m_uLiveButtons = 0;
    unsigned int m_uLiveDPad = 0;
    int m_nStickX = 0;
    int m_nStickY = 0;
    unsigned int m_uLiveDirections = 0;
    CVKT_PressQueue m_Changes;
};
