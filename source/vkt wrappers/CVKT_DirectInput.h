// The game's only source of input: the keyboard, the mouse, any number of game controllers as
// joysticks and any number of game pads through SDL's game-controller layout, read once per frame by
// ReadDevices. Every query answers from what that read captured, so asking twice in
// a frame gives the same answer. Key codes are DirectInput's (DIK_*, VKT_KeyCodes.h).
//
// Two kinds of query: immediate ones compare the state of this read with that of the previous read
// (held, pressed, released); buffered ones look at the events that arrived between the two reads, in
// order, at most 10 per device (later ones are lost).
//
// SDL's events reach the devices through HandleEvent, called by the window's event pump, which is the
// one place SDL's queue is read. Losing the window focus loses the devices: nothing stays held, and
// they are taken back when the focus returns.
//
// Queries on a device that was not set up, and joystick queries with a number outside the joysticks
// found, answer false, 0, 0.0, -1, true for JoystickIsUnplugged and "Doesn't exist" for the name.
#pragma once

#include "CVKT_DIJoystick.h"
#include "CVKT_InputBindings.h"
#include "VKT_InputFrame.h"
#include "VKT_KeyCodes.h"
#include "VKT_PadButtons.h"
#include "VKT_Types.h"

#include <memory>
#include <vector>

class CVKT_DIKeyboard;
class CVKT_DIMouse;
class CVKT_GamePads;
union SDL_Event;

class CVKT_DirectInput
{
public:
    // Device bits of InitDirectInput.
    static constexpr unsigned int DEVICE_KEYBOARD = 1;
    static constexpr unsigned int DEVICE_MOUSE = 2;
    static constexpr unsigned int DEVICE_JOYSTICKS = 4;
    static constexpr unsigned int DEVICE_GAMEPADS = 8;

    static CVKT_DirectInput* GetInstance();

    // Starts the input system, then sets up the devices whose bits are set, in the order keyboard,
    // mouse, joysticks, game pads, each exclusive when its bit in unExclusiveDevices is set. False when the
    // system cannot start (no message) or the first device that fails to initialise (later ones are
    // not set up). hInstance is not used.
    bool InitDirectInput(HWND hWnd, HINSTANCE hInstance, unsigned int unInitDevices,
                         unsigned int unExclusiveDevices = 0);
    // Gives up and deletes every device, and stops what InitDirectInput and InitJoysticks started.
    void ShutdownDirectInput();

    // Reads the keyboard, the mouse and each joystick in order (immediate state, then buffered
    // records), then the game pads; with the bindings on, the keyboard's and the pads' answers are
    // then turned through them (SetBindings).
    void ReadDevices();
    void AcquireAll();
    void UnacquireAll();

    // Keyboard. A second call shows "Keyboard has already been initialized" and returns false. Set-up
    // failures are reported step by step and the keyboard is still kept (true).
    bool InitKeyboard(HWND hWnd, bool bExclusive = false);
    bool KeyDown(unsigned char ucDIKey);
    bool KeyUp(unsigned char ucDIKey);
    // Held now and not at the previous read.
    bool KeyPressed(unsigned char ucDIKey);
    bool KeyReleased(unsigned char ucDIKey);
    // The key went down / up between the previous read and this one.
    bool KeyPressedEx(unsigned char ucDIKey);
    bool KeyReleasedEx(unsigned char ucDIKey);
    // The character (8-bit, as the layout types it) of the held keys; the last in code order wins.
    char CheckKeys();
    // The character of the last key press between the previous read and this one that typed one.
    char CheckBufferedKeysEx();
    // The lowest key code held; 0 for none.
    unsigned char GetDIKCode();
    // The key code of the last key press between the previous read and this one; 0 for none.
    unsigned char GetBufferedDIKCodeEx();

    // Mouse (buttons 0..7). A second call shows "Mouse has already been initialized" and returns false.
    bool InitMouse(HWND hWnd, bool bExclusive = false);
    bool MouseButtonDown(unsigned char ucButton);
    bool MouseButtonUp(unsigned char ucButton);
    bool MouseButtonPressed(unsigned char ucButton);
    bool MouseButtonReleased(unsigned char ucButton);
    bool MouseButtonPressedEx(unsigned char ucButton);
    bool MouseButtonReleasedEx(unsigned char ucButton);
    // The lowest of the mouse's buttons that is MouseButtonPressed; -1 for none.
    int MouseCheckButtons();
    // The button of the last buffered press among the mouse's buttons; -1 for none.
    int MouseCheckBufferedButtonsEx();
    int MouseMovementX();
    int MouseMovementY();
    // 120 per wheel notch, positive away from the user.
    int MouseWheelMovement();
    int MouseGetNumButtons();
    int MouseGetPosX();
    int MouseGetPosY();
    void MouseSetPosX(int nPosX);
    void MouseSetPosY(int nPosY);

    // Game controllers, numbered in the order SDL lists them. Starts SDL's joystick and game-controller
    // support. False when that fails or no controller is attached; a second call while controllers
    // exist shows "Joysticks have already been initialized" and returns false.
    bool InitJoysticks(HWND hWnd, bool bExclusive = false);
    bool JoystickButtonDown(unsigned char ucButton, int nJoyNum = 0);
    bool JoystickButtonUp(unsigned char ucButton, int nJoyNum = 0);
    bool JoystickButtonPressed(unsigned char ucButton, int nJoyNum = 0);
    bool JoystickButtonReleased(unsigned char ucButton, int nJoyNum = 0);
    bool JoystickButtonPressedEx(unsigned char ucButton, int nJoyNum = 0);
    bool JoystickButtonReleasedEx(unsigned char ucButton, int nJoyNum = 0);
    int JoystickCheckButtons(int nJoyNum = 0);
    int JoystickCheckBufferedButtonsEx(int nJoyNum = 0);
    // Hat 0; directions 0 left, 1 right, 2 up, 3 down. Diagonals count for both directions.
    bool JoystickDPadDown(int nDir, int nJoyNum = 0);
    bool JoystickDPadUp(int nDir, int nJoyNum = 0);
    bool JoystickDPadPressed(int nDir, int nJoyNum = 0);
    bool JoystickDPadReleased(int nDir, int nJoyNum = 0);
    // Sticks: -1024..1024 (left/up negative), 0 inside the dead zone. DirPressed: the stick passed 70 %
    // of its travel that way since the previous read.
    bool JoystickGetLStickDirDown(int nDir, int nJoyNum = 0);
    bool JoystickGetLStickDirPressed(int nDir, int nJoyNum = 0);
    int JoystickGetLStickXAmount(int nJoyNum = 0);
    int JoystickGetLStickYAmount(int nJoyNum = 0);
    float JoystickGetLStickXNormalized(int nJoyNum = 0);
    float JoystickGetLStickYNormalized(int nJoyNum = 0);
    bool JoystickGetRStickDirDown(int nDir, int nJoyNum = 0);
    bool JoystickGetRStickDirPressed(int nDir, int nJoyNum = 0);
    int JoystickGetRStickXAmount(int nJoyNum = 0);
    int JoystickGetRStickYAmount(int nJoyNum = 0);
    float JoystickGetRStickXNormalized(int nJoyNum = 0);
    float JoystickGetRStickYNormalized(int nJoyNum = 0);
    // Xbox 360 pads only (0 for others): both triggers share one axis, so the right trigger reads as
    // the negated left one.
    int JoystickGetLTriggerAmount(int nJoyNum = 0);
    int JoystickGetRTriggerAmount(int nJoyNum = 0);
    float JoystickGetLTriggerNormalized(int nJoyNum = 0);
    float JoystickGetRTriggerNormalized(int nJoyNum = 0);
    int JoystickGetNumButtons(int nJoyNum = 0);
    bool JoystickIsUnplugged(int nJoyNum = 0);
    const char* JoystickGetName(int nJoyNum = 0);
    // Other pads than the Xbox 360 kind: the right stick's x on Rz and y on Z instead of the reverse.
    void JoystickSwapRStickAxes(bool bSwap, int nJoyNum = 0);
    int JoystickGetCount() const { return static_cast<int>(m_vJoysticks.size()); }

    // Game pads (CVKT_GamePads): every controller SDL has a mapping for, plugged in at any time. The
    // queries ask whether any pad does it, so each pad controls the game; without pads they answer
    // false. A second call shows "Game pads have already been initialized" and returns false; false
    // too, reported, when SDL's controller support does not start. No pad attached is no failure.
    bool InitGamePads(HWND hWnd);
    int PadGetCount() const;
    // Buttons are ePadButton, directions ePadDirection (the D-pad, or the left stick beyond its
    // dead zone). Pressed: held now on a pad that did not hold it at the previous read.
    bool PadButtonDown(int nButton) const;
    bool PadButtonPressed(int nButton) const;
    bool PadAnyButtonPressed() const;
    bool PadDirectionDown(int nDir) const;
    bool PadDirectionPressed(int nDir) const;
    // The pad that last gave input was pulled out since the previous read.
    bool PadPlayingPadLost() const;
    // Rumbles the pad that last gave input, at fStrength (0 to 1); false when it cannot.
    bool PadRumble(float fStrength, uint32_t uMilliseconds);

    // Whether anybody touched anything in this frame: a key, mouse or pad button pressed (AnyPress),
    // or held, or the mouse or a pad's stick or D-pad moved. Asked while no frame is used.
    bool AnyInput() const;
    // A key, a mouse button or a pad's button or direction pressed in this frame.
    bool AnyPress() const;

    // What the keyboard and pad queries answer now, as one record.
    tInputFrame GetFrame() const;
    // From now until the next ReadDevices, change of focus or AcquireAll/UnacquireAll, the keyboard
    // and pad queries answer as the frame says instead of as the devices do. Then the devices go on
    // from their own state, as if the frame had never been used (a replay feeds the game recorded
    // input this way while the devices keep serving the person watching it).
    void UseFrame(const tInputFrame& frame);
    bool IsUsingFrame() const { return m_bUsingFrame; }

    // The keys and pad buttons the player chose (CVKT_InputBindings). While they are on, every read of
    // the devices ends with its frame turned through them and used as by UseFrame: every keyboard and
    // pad query, and GetFrame, answer as the game is to read them. Off (as after InitDirectInput and
    // ShutdownDirectInput), the devices answer as they are. A change takes effect at the next read.
    void SetBindings(const CVKT_InputBindings& bindings) { m_Bindings = bindings; }
    const CVKT_InputBindings& GetBindings() const { return m_Bindings; }
    void SetBindingsOn(bool bOn) { m_bBindingsOn = bOn; }
    bool AreBindingsOn() const { return m_bBindingsOn; }

    // Platform: the window's event pump hands every keyboard, mouse and controller event here.
    void HandleEvent(const SDL_Event& event);
    // Platform: the window lost or regained the input focus.
    void OnFocusLost();
    void OnFocusGained();

private:
    CVKT_DirectInput();
    ~CVKT_DirectInput();
    CVKT_DirectInput(const CVKT_DirectInput&) = delete;
    CVKT_DirectInput& operator=(const CVKT_DirectInput&) = delete;

    CVKT_DIJoystick* Joystick(int nJoyNum) const;
    static bool IsButton(unsigned char ucButton, int nCount);
    static bool IsDirection(int nDir);
    static bool IsPadButton(int nButton);
    void ForEachDevice(void (*pfnAction)(CVKT_DirectInputDevice&));
    void EnumerateJoysticks(HWND hWnd, bool bExclusive);
    void ReattachJoysticks(int nDeviceIndex);
    // Gives the keyboard back the state UseFrame put aside.
    void DropFrame();

    // The system SDL subsystems this object started, to stop them again.
    bool m_bSystemStarted = false;
    bool m_bControllersStarted = false;
    std::unique_ptr<CVKT_DIKeyboard> m_pKeyboard;
    std::unique_ptr<CVKT_DIMouse> m_pMouse;
    std::vector<std::unique_ptr<CVKT_DIJoystick>> m_vJoysticks;
    std::unique_ptr<CVKT_GamePads> m_pPads;
    bool m_bUsingFrame = false;
    tInputFrame m_UsedFrame;
    tInputFrame m_KeyboardAside;
    CVKT_InputBindings m_Bindings;
    bool m_bBindingsOn = false;
};
