// A game controller as an input device, read through SDL's joystick API, and through SDL's
// game-controller mapping where SDL knows the controller's layout. The immediate state is SDL's
// current state of the controller; buffered records come from its events.
//
// Where SDL's inputs land in the joystick record:
// - Axes (X, Y, Z, Rx, Ry, Rz, slider 0, slider 1). Mapped Xbox 360 pads: left stick X/Y, both
//   triggers on Z as one axis (left trigger towards +, right trigger towards -), right stick Rx/Ry.
//   Other mapped controllers: left stick X/Y, right stick on Z (across) and Rz (up/down), left and
//   right trigger on Rx and Ry (released = the low end of the range). Controllers without a mapping:
//   SDL's axes 0 to 7 in that order. Axes a controller does not have read 0.
// - Hat 0 of a mapped controller is its D-pad (or its first raw hat when the mapping has no D-pad);
//   without a mapping, SDL's hats 0 to 3. Hundredths of a degree clockwise from up, diagonals at
//   the 45-degree marks, VKT_POV_CENTERED when nothing is pressed.
// - Buttons of a mapped controller, numbered by kind: A, B, X, Y, left and right shoulder, Back,
//   Start, left and right stick, Guide, Misc, the four paddles, the touchpad; the count is the number
//   of the last one it has, plus 1. Without a mapping, SDL's buttons 0 to 127.
//
// Each axis has a range (default 0..65535) and a dead zone (default 0), set as with DirectInput: the
// dead zone is in 1/10000 of the way from the centre to either end; inside it the axis reads the
// centre, and beyond it the rest of the travel is spread over the whole half range.
#pragma once

#include "CVKT_InputDeviceObject.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <SDL_joystick.h>

#include <memory>

class CVKT_JoystickDeviceObject : public CVKT_InputDeviceObject
{
public:
    static constexpr int AXES = 8;
    static constexpr int POVS = 4;
    static constexpr int BUTTONS = 128;

    // Opens the controller SDL lists at deviceIndex; null when SDL cannot open it.
    static std::unique_ptr<CVKT_JoystickDeviceObject> Open(int nDeviceIndex);
    ~CVKT_JoystickDeviceObject() override;

    // SDL identifies the controller as an Xbox 360 pad.
    bool IsXbox360Pad() const { return m_bXbox360; }
    bool HasForceFeedback() const;
    int GetButtonCount() const { return m_nButtons; }

    // Range and dead zone of the axis at that offset of the joystick record (DIJOFS_X ..
    // DIJOFS_SLIDER(1)). DIERR_INVALIDPARAM for other offsets, min >= max or a dead zone above 10000.
    DIRESULT SetAxisRange(uint32_t dwOfs, int32_t lMin, int32_t lMax);
    DIRESULT SetDeadZone(uint32_t dwOfs, uint32_t dwDeadZone);

    // The controller at nDeviceIndex is this one plugged in again: while this one is unplugged and
    // SDL gives the same identity (GUID), it is opened in its place and true is returned. It still
    // has to be acquired.
    bool TryReattach(int nDeviceIndex);

    void HandleEvent(const SDL_Event& event) override;

protected:
    bool IsAttached() const override;
    void CopyLiveState(void* out) override;
    // SDL keeps the live state; nothing of it belongs to this object.
    void ClearLiveState() override {}

private:
    enum class eSource
    {
        None,
        JoystickAxis,      // index: SDL's raw axis
        ControllerAxis,    // index: SDL_GameControllerAxis, a stick
        ControllerTrigger, // index: SDL_GameControllerAxis, a trigger (0..32767)
        TriggerPair        // left trigger minus right trigger
    };
    struct tAxisSource
    {
        eSource source = eSource::None;
        int index = 0;
    };
    struct tAxisSetting
    {
        int32_t lMin = 0;
        int32_t lMax = 65535;
        uint32_t dwDeadZone = 0;
    };
    struct tControllerDeleter
    {
        void operator()(SDL_GameController* controller) const;
    };
    struct tJoystickDeleter
    {
        void operator()(SDL_Joystick* joystick) const;
    };

    CVKT_JoystickDeviceObject();
    bool OpenHandles(int nDeviceIndex);
    void DescribeController();
    void DescribeJoystick();
    void SeedFromSDL();
    SDL_Joystick* Joystick() const;

    int32_t ScaledAxis(int slot, int raw) const;
    int RawAxis(int slot) const;
    int RawAxisFromLastEvents(int slot) const;
    uint32_t ControllerPOV() const;
    void ReadControllerButtons(tJoystickState& state) const;
    void ReadJoystickHatsAndButtons(tJoystickState& state) const;

    void OnControllerAxis(const SDL_ControllerAxisEvent& axis);
    void OnControllerButton(const SDL_ControllerButtonEvent& button);
    void OnJoystickAxis(const SDL_JoyAxisEvent& axis);
    void OnJoystickHat(const SDL_JoyHatEvent& hat);
    void OnJoystickButton(const SDL_JoyButtonEvent& button);

    std::unique_ptr<SDL_GameController, tControllerDeleter> m_pController;
    std::unique_ptr<SDL_Joystick, tJoystickDeleter> m_pJoystick;
    SDL_JoystickGUID m_Guid = {};
    SDL_JoystickID m_nInstance = -1;
    bool m_bXbox360 = false;
    // A mapped controller's D-pad is hat 0; false when the mapping leaves it out.
    bool m_bDPadButtons = false;
    int m_nButtons = 0;
    tAxisSource m_AxisSources[AXES];
    tAxisSetting m_AxisSettings[AXES];
    // The latest values the events reported, for records that combine several inputs.
    int m_nControllerAxes[SDL_CONTROLLER_AXIS_MAX] = {};
    unsigned int m_unDPadBits = 0;
};
