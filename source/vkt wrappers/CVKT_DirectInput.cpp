#include "CVKT_DirectInput.h"

#include "CVKT_DIKeyboard.h"
#include "CVKT_DIMouse.h"
#include "CVKT_GamePads.h"
#include "CVKT_InputDeviceObject.h"
#include "CVKT_MessageBox.h"

#include <SDL.h>

#include <cassert>

namespace
{
const char* const ERROR_TITLE = "CVKT_DirectInput Error";
constexpr float NORMALIZE = 1.0f / CVKT_DIJoystick::AXIS_MAX;
static_assert(int{PAD_LEFT} == int{CVKT_DIJoystick::DIR_LEFT} &&
                  int{PAD_RIGHT} == int{CVKT_DIJoystick::DIR_RIGHT} &&
                  int{PAD_UP} == int{CVKT_DIJoystick::DIR_UP} &&
                  int{PAD_DOWN} == int{CVKT_DIJoystick::DIR_DOWN},
              "pads and joysticks number their directions alike");
} // namespace

CVKT_DirectInput::CVKT_DirectInput() = default;

CVKT_DirectInput::~CVKT_DirectInput() = default;

CVKT_DirectInput* CVKT_DirectInput::GetInstance()
{
    static CVKT_DirectInput instance;
    return &instance;
}

bool CVKT_DirectInput::InitDirectInput(HWND hWnd, HINSTANCE, unsigned int unInitDevices,
                                       unsigned int unExclusiveDevices)
{
    // SDL's event queue is what every device reads from.
    if (!m_bSystemStarted)
    {
        if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
            return false;
        m_bSystemStarted = true;
    }
    if ((unInitDevices & DEVICE_KEYBOARD) && !InitKeyboard(hWnd, (unExclusiveDevices & DEVICE_KEYBOARD) != 0))
        return false;
    if ((unInitDevices & DEVICE_MOUSE) && !InitMouse(hWnd, (unExclusiveDevices & DEVICE_MOUSE) != 0))
        return false;
    if ((unInitDevices & DEVICE_JOYSTICKS) &&
        !InitJoysticks(hWnd, (unExclusiveDevices & DEVICE_JOYSTICKS) != 0))
        return false;
    if ((unInitDevices & DEVICE_GAMEPADS) && !InitGamePads(hWnd))
        return false;
    return true;
}

void CVKT_DirectInput::ShutdownDirectInput()
{
    DropFrame();
    UnacquireAll();
    m_pKeyboard.reset();
    m_pMouse.reset();
    m_pPads.reset();
    // The controllers close before SDL's controller support stops.
    m_vJoysticks.clear();
    if (m_bControllersStarted)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    m_bControllersStarted = false;
    m_Bindings = CVKT_InputBindings();
    m_bBindingsOn = false;
    if (m_bSystemStarted)
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    m_bSystemStarted = false;
}

void CVKT_DirectInput::ForEachDevice(void (*pfnAction)(CVKT_DirectInputDevice&))
{
    if (m_pKeyboard)
        pfnAction(*m_pKeyboard);
    if (m_pMouse)
        pfnAction(*m_pMouse);
    for (const std::unique_ptr<CVKT_DIJoystick>& joystick : m_vJoysticks)
        pfnAction(*joystick);
}

void CVKT_DirectInput::ReadDevices()
{
    DropFrame();
    ForEachDevice(
        [](CVKT_DirectInputDevice& device)
        {
            device.ReadDevice();
            device.ReadBufferedDevice();
        });
    if (m_pPads)
        m_pPads->Read();
    // The devices keep their own state for the next read; only the answers of this frame change.
    if (m_bBindingsOn)
    {
        tInputFrame frame = GetFrame();
        m_Bindings.Translate(frame);
        UseFrame(frame);
    }
}

void CVKT_DirectInput::AcquireAll()
{
    DropFrame();
    ForEachDevice([](CVKT_DirectInputDevice& device) { device.Acquire(); });
}

void CVKT_DirectInput::UnacquireAll()
{
    DropFrame();
    ForEachDevice([](CVKT_DirectInputDevice& device) { device.Unacquire(); });
}

// ---- Keyboard -------------------------------------------------------------------------------------

bool CVKT_DirectInput::InitKeyboard(HWND hWnd, bool bExclusive)
{
    if (m_pKeyboard)
    {
        CVKT_MessageBox::Show(hWnd, "Keyboard has already been initialized", ERROR_TITLE);
        return false;
    }
    m_pKeyboard = std::make_unique<CVKT_DIKeyboard>(hWnd, bExclusive);
    return true;
}

bool CVKT_DirectInput::KeyDown(unsigned char ucDIKey)
{
    return m_pKeyboard && m_pKeyboard->KeyDown(ucDIKey);
}

bool CVKT_DirectInput::KeyUp(unsigned char ucDIKey)
{
    return m_pKeyboard && !m_pKeyboard->KeyDown(ucDIKey);
}

bool CVKT_DirectInput::KeyPressed(unsigned char ucDIKey)
{
    return m_pKeyboard && m_pKeyboard->KeyDown(ucDIKey) && !m_pKeyboard->KeyWasDown(ucDIKey);
}

bool CVKT_DirectInput::KeyReleased(unsigned char ucDIKey)
{
    return m_pKeyboard && !m_pKeyboard->KeyDown(ucDIKey) && m_pKeyboard->KeyWasDown(ucDIKey);
}

bool CVKT_DirectInput::KeyPressedEx(unsigned char ucDIKey)
{
    return m_pKeyboard && m_pKeyboard->KeyPressedEx(ucDIKey);
}

bool CVKT_DirectInput::KeyReleasedEx(unsigned char ucDIKey)
{
    return m_pKeyboard && m_pKeyboard->KeyReleasedEx(ucDIKey);
}

char CVKT_DirectInput::CheckKeys()
{
    return m_pKeyboard ? m_pKeyboard->CheckKeys() : 0;
}

char CVKT_DirectInput::CheckBufferedKeysEx()
{
    return m_pKeyboard ? m_pKeyboard->CheckBufferedKeysEx() : 0;
}

unsigned char CVKT_DirectInput::GetDIKCode()
{
    return m_pKeyboard ? m_pKeyboard->GetDIKCode() : 0;
}

unsigned char CVKT_DirectInput::GetBufferedDIKCodeEx()
{
    return m_pKeyboard ? m_pKeyboard->GetBufferedDIKCodeEx() : 0;
}

// ---- Mouse ----------------------------------------------------------------------------------------

bool CVKT_DirectInput::InitMouse(HWND hWnd, bool bExclusive)
{
    if (m_pMouse)
    {
        CVKT_MessageBox::Show(hWnd, "Mouse has already been initialized", ERROR_TITLE);
        return false;
    }
    m_pMouse = std::make_unique<CVKT_DIMouse>(hWnd, bExclusive);
    return true;
}

bool CVKT_DirectInput::IsButton(unsigned char ucButton, int nCount)
{
    assert(ucButton < nCount && "button number out of range");
    return ucButton < nCount;
}

bool CVKT_DirectInput::MouseButtonDown(unsigned char ucButton)
{
    return m_pMouse && IsButton(ucButton, CVKT_DIMouse::MAX_BUTTONS) && m_pMouse->ButtonDown(ucButton);
}

bool CVKT_DirectInput::MouseButtonUp(unsigned char ucButton)
{
    return m_pMouse && IsButton(ucButton, CVKT_DIMouse::MAX_BUTTONS) && !m_pMouse->ButtonDown(ucButton);
}

bool CVKT_DirectInput::MouseButtonPressed(unsigned char ucButton)
{
    return m_pMouse && IsButton(ucButton, CVKT_DIMouse::MAX_BUTTONS) && m_pMouse->ButtonDown(ucButton) &&
           !m_pMouse->ButtonWasDown(ucButton);
}

bool CVKT_DirectInput::MouseButtonReleased(unsigned char ucButton)
{
    return m_pMouse && IsButton(ucButton, CVKT_DIMouse::MAX_BUTTONS) && !m_pMouse->ButtonDown(ucButton) &&
           m_pMouse->ButtonWasDown(ucButton);
}

bool CVKT_DirectInput::MouseButtonPressedEx(unsigned char ucButton)
{
    return m_pMouse && IsButton(ucButton, CVKT_DIMouse::MAX_BUTTONS) && m_pMouse->ButtonPressedEx(ucButton);
}

bool CVKT_DirectInput::MouseButtonReleasedEx(unsigned char ucButton)
{
    return m_pMouse && IsButton(ucButton, CVKT_DIMouse::MAX_BUTTONS) && m_pMouse->ButtonReleasedEx(ucButton);
}

int CVKT_DirectInput::MouseCheckButtons()
{
    if (!m_pMouse)
        return -1;
    for (int button = 0; button < m_pMouse->GetNumButtons(); ++button)
    {
        if (m_pMouse->ButtonDown(button) && !m_pMouse->ButtonWasDown(button))
            return button;
    }
    return -1;
}

int CVKT_DirectInput::MouseCheckBufferedButtonsEx()
{
    return m_pMouse ? m_pMouse->CheckBufferedButtonsEx() : -1;
}

int CVKT_DirectInput::MouseMovementX()
{
    return m_pMouse ? m_pMouse->MovementX() : 0;
}

int CVKT_DirectInput::MouseMovementY()
{
    return m_pMouse ? m_pMouse->MovementY() : 0;
}

int CVKT_DirectInput::MouseWheelMovement()
{
    return m_pMouse ? m_pMouse->WheelMovement() : 0;
}

int CVKT_DirectInput::MouseGetNumButtons()
{
    return m_pMouse ? m_pMouse->GetNumButtons() : 0;
}

int CVKT_DirectInput::MouseGetPosX()
{
    return m_pMouse ? m_pMouse->GetPosX() : 0;
}

int CVKT_DirectInput::MouseGetPosY()
{
    return m_pMouse ? m_pMouse->GetPosY() : 0;
}

void CVKT_DirectInput::MouseSetPosX(int nPosX)
{
    if (m_pMouse)
        m_pMouse->SetPosX(nPosX);
}

void CVKT_DirectInput::MouseSetPosY(int nPosY)
{
    if (m_pMouse)
        m_pMouse->SetPosY(nPosY);
}

// ---- Joysticks ------------------------------------------------------------------------------------

bool CVKT_DirectInput::InitJoysticks(HWND hWnd, bool bExclusive)
{
    if (!m_vJoysticks.empty())
    {
        CVKT_MessageBox::Show(hWnd, "Joysticks have already been initialized", ERROR_TITLE);
        return false;
    }
    if (!m_bControllersStarted)
    {
        // Whether the game may read the controllers is decided by the devices' own focus rule; SDL
        // must keep their state current even while its window looks unfocused to it (a headless
        // window never gets the focus).
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
            return false;
        m_bControllersStarted = true;
    }
    EnumerateJoysticks(hWnd, bExclusive);
    return !m_vJoysticks.empty();
}

void CVKT_DirectInput::EnumerateJoysticks(HWND hWnd, bool bExclusive)
{
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index)
        m_vJoysticks.push_back(std::make_unique<CVKT_DIJoystick>(index, hWnd, bExclusive));
}

void CVKT_DirectInput::ReattachJoysticks(int nDeviceIndex)
{
    for (const std::unique_ptr<CVKT_DIJoystick>& joystick : m_vJoysticks)
    {
        if (joystick->TryReattach(nDeviceIndex))
            return;
    }
}

CVKT_DIJoystick* CVKT_DirectInput::Joystick(int nJoyNum) const
{
    if (nJoyNum < 0 || nJoyNum >= static_cast<int>(m_vJoysticks.size()))
        return nullptr;
    return m_vJoysticks[static_cast<size_t>(nJoyNum)].get();
}

bool CVKT_DirectInput::IsDirection(int nDir)
{
    assert(nDir >= CVKT_DIJoystick::DIR_LEFT && nDir <= CVKT_DIJoystick::DIR_DOWN &&
           "direction out of range");
    return nDir >= CVKT_DIJoystick::DIR_LEFT && nDir <= CVKT_DIJoystick::DIR_DOWN;
}

bool CVKT_DirectInput::JoystickButtonDown(unsigned char ucButton, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsButton(ucButton, CVKT_DIJoystick::MAX_BUTTONS) && joystick->ButtonDown(ucButton);
}

bool CVKT_DirectInput::JoystickButtonUp(unsigned char ucButton, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsButton(ucButton, CVKT_DIJoystick::MAX_BUTTONS) && !joystick->ButtonDown(ucButton);
}

bool CVKT_DirectInput::JoystickButtonPressed(unsigned char ucButton, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsButton(ucButton, CVKT_DIJoystick::MAX_BUTTONS) && joystick->ButtonDown(ucButton) &&
           !joystick->ButtonWasDown(ucButton);
}

bool CVKT_DirectInput::JoystickButtonReleased(unsigned char ucButton, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsButton(ucButton, CVKT_DIJoystick::MAX_BUTTONS) && !joystick->ButtonDown(ucButton) &&
           joystick->ButtonWasDown(ucButton);
}

bool CVKT_DirectInput::JoystickButtonPressedEx(unsigned char ucButton, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsButton(ucButton, CVKT_DIJoystick::MAX_BUTTONS) &&
           joystick->ButtonPressedEx(ucButton);
}

bool CVKT_DirectInput::JoystickButtonReleasedEx(unsigned char ucButton, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsButton(ucButton, CVKT_DIJoystick::MAX_BUTTONS) &&
           joystick->ButtonReleasedEx(ucButton);
}

int CVKT_DirectInput::JoystickCheckButtons(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->CheckButtons() : -1;
}

int CVKT_DirectInput::JoystickCheckBufferedButtonsEx(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->CheckBufferedButtonsEx() : -1;
}

bool CVKT_DirectInput::JoystickDPadDown(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && joystick->DPadDown(nDir);
}

bool CVKT_DirectInput::JoystickDPadUp(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && !joystick->DPadDown(nDir);
}

bool CVKT_DirectInput::JoystickDPadPressed(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && joystick->DPadDown(nDir) && !joystick->DPadWasDown(nDir);
}

bool CVKT_DirectInput::JoystickDPadReleased(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && !joystick->DPadDown(nDir) && joystick->DPadWasDown(nDir);
}

bool CVKT_DirectInput::JoystickGetLStickDirDown(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && joystick->LStickDirDown(nDir);
}

bool CVKT_DirectInput::JoystickGetLStickDirPressed(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && joystick->LStickDirPressed(nDir);
}

int CVKT_DirectInput::JoystickGetLStickXAmount(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->LStickX() : 0;
}

int CVKT_DirectInput::JoystickGetLStickYAmount(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->LStickY() : 0;
}

float CVKT_DirectInput::JoystickGetLStickXNormalized(int nJoyNum)
{
    return static_cast<float>(JoystickGetLStickXAmount(nJoyNum)) * NORMALIZE;
}

float CVKT_DirectInput::JoystickGetLStickYNormalized(int nJoyNum)
{
    return static_cast<float>(JoystickGetLStickYAmount(nJoyNum)) * NORMALIZE;
}

bool CVKT_DirectInput::JoystickGetRStickDirDown(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && joystick->RStickDirDown(nDir);
}

bool CVKT_DirectInput::JoystickGetRStickDirPressed(int nDir, int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick && IsDirection(nDir) && joystick->RStickDirPressed(nDir);
}

int CVKT_DirectInput::JoystickGetRStickXAmount(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->RStickX() : 0;
}

int CVKT_DirectInput::JoystickGetRStickYAmount(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->RStickY() : 0;
}

float CVKT_DirectInput::JoystickGetRStickXNormalized(int nJoyNum)
{
    return static_cast<float>(JoystickGetRStickXAmount(nJoyNum)) * NORMALIZE;
}

float CVKT_DirectInput::JoystickGetRStickYNormalized(int nJoyNum)
{
    return static_cast<float>(JoystickGetRStickYAmount(nJoyNum)) * NORMALIZE;
}

int CVKT_DirectInput::JoystickGetLTriggerAmount(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->LTrigger() : 0;
}

int CVKT_DirectInput::JoystickGetRTriggerAmount(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->RTrigger() : 0;
}

float CVKT_DirectInput::JoystickGetLTriggerNormalized(int nJoyNum)
{
    return static_cast<float>(JoystickGetLTriggerAmount(nJoyNum)) * NORMALIZE;
}

float CVKT_DirectInput::JoystickGetRTriggerNormalized(int nJoyNum)
{
    return static_cast<float>(JoystickGetRTriggerAmount(nJoyNum)) * NORMALIZE;
}

int CVKT_DirectInput::JoystickGetNumButtons(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->GetNumButtons() : 0;
}

bool CVKT_DirectInput::JoystickIsUnplugged(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->IsUnplugged() : true;
}

const char* CVKT_DirectInput::JoystickGetName(int nJoyNum)
{
    const CVKT_DIJoystick* joystick = Joystick(nJoyNum);
    return joystick ? joystick->GetName() : "Doesn't exist";
}

void CVKT_DirectInput::JoystickSwapRStickAxes(bool bSwap, int nJoyNum)
{
    if (CVKT_DIJoystick* joystick = Joystick(nJoyNum))
        joystick->SetSwapRStickAxes(bSwap);
}

// ---- Game pads ------------------------------------------------------------------------------------

bool CVKT_DirectInput::InitGamePads(HWND hWnd)
{
    if (m_pPads)
    {
        CVKT_MessageBox::Show(hWnd, "Game pads have already been initialized", ERROR_TITLE);
        return false;
    }
    std::unique_ptr<CVKT_GamePads> pPads = std::make_unique<CVKT_GamePads>();
    if (!pPads->Init(hWnd))
        return false;
    m_pPads = std::move(pPads);
    return true;
}

bool CVKT_DirectInput::IsPadButton(int nButton)
{
    assert(nButton >= 0 && nButton < PAD_BUTTON_COUNT && "pad button out of range");
    return nButton >= 0 && nButton < PAD_BUTTON_COUNT;
}

bool CVKT_DirectInput::AnyInput() const
{
    if (AnyPress())
        return true;
    if (m_pKeyboard && m_pKeyboard->GetDIKCode() != 0)
        return true;
    if (m_pMouse &&
        (m_pMouse->MovementX() != 0 || m_pMouse->MovementY() != 0 || m_pMouse->WheelMovement() != 0))
        return true;
    for (int nButton = 0; m_pMouse && nButton < CVKT_DIMouse::MAX_BUTTONS; ++nButton)
    {
        if (m_pMouse->ButtonDown(nButton))
            return true;
    }
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (PadButtonDown(nButton))
            return true;
    }
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
    {
        if (PadDirectionDown(nDir))
            return true;
    }
    return false;
}

bool CVKT_DirectInput::AnyPress() const
{
    for (int nCode = 1; m_pKeyboard && nCode < 256; ++nCode)
    {
        const auto ucCode = static_cast<unsigned char>(nCode);
        if (m_pKeyboard->KeyDown(ucCode) && !m_pKeyboard->KeyWasDown(ucCode))
            return true;
    }
    for (int nButton = 0; m_pMouse && nButton < CVKT_DIMouse::MAX_BUTTONS; ++nButton)
    {
        if (m_pMouse->ButtonDown(nButton) && !m_pMouse->ButtonWasDown(nButton))
            return true;
    }
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
    {
        if (PadDirectionPressed(nDir))
            return true;
    }
    return PadAnyButtonPressed();
}

tInputFrame CVKT_DirectInput::GetFrame() const
{
    tInputFrame frame;
    if (m_pKeyboard)
        m_pKeyboard->SaveFrame(frame);
    if (m_bUsingFrame)
    {
        frame.usPadButtonsDown = m_UsedFrame.usPadButtonsDown;
        frame.usPadButtonsPressed = m_UsedFrame.usPadButtonsPressed;
        frame.ucPadDirectionsDown = m_UsedFrame.ucPadDirectionsDown;
        frame.ucPadDirectionsPressed = m_UsedFrame.ucPadDirectionsPressed;
        frame.bPlayingPadLost = m_UsedFrame.bPlayingPadLost;
        return frame;
    }
    if (!m_pPads)
        return frame;
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (m_pPads->ButtonDown(nButton))
            frame.usPadButtonsDown = static_cast<uint16_t>(frame.usPadButtonsDown | (1u << nButton));
        if (m_pPads->ButtonPressed(nButton))
            frame.usPadButtonsPressed = static_cast<uint16_t>(frame.usPadButtonsPressed | (1u << nButton));
    }
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
    {
        if (m_pPads->DirectionDown(nDir))
            frame.ucPadDirectionsDown = static_cast<uint8_t>(frame.ucPadDirectionsDown | (1u << nDir));
        if (m_pPads->DirectionPressed(nDir))
            frame.ucPadDirectionsPressed = static_cast<uint8_t>(frame.ucPadDirectionsPressed | (1u << nDir));
    }
    frame.bPlayingPadLost = m_pPads->PlayingPadLost();
    return frame;
}

void CVKT_DirectInput::UseFrame(const tInputFrame& frame)
{
    if (m_pKeyboard)
    {
        if (!m_bUsingFrame)
            m_pKeyboard->SaveFrame(m_KeyboardAside);
        m_pKeyboard->LoadFrame(frame);
    }
    m_UsedFrame = frame;
    m_bUsingFrame = true;
}

void CVKT_DirectInput::DropFrame()
{
    if (!m_bUsingFrame)
        return;
    m_bUsingFrame = false;
    if (m_pKeyboard)
        m_pKeyboard->LoadFrame(m_KeyboardAside);
}

int CVKT_DirectInput::PadGetCount() const
{
    return m_pPads ? m_pPads->GetCount() : 0;
}

bool CVKT_DirectInput::PadButtonDown(int nButton) const
{
    if (m_bUsingFrame)
        return IsPadButton(nButton) && (m_UsedFrame.usPadButtonsDown & (1u << nButton)) != 0;
    return m_pPads && IsPadButton(nButton) && m_pPads->ButtonDown(nButton);
}

bool CVKT_DirectInput::PadButtonPressed(int nButton) const
{
    if (m_bUsingFrame)
        return IsPadButton(nButton) && (m_UsedFrame.usPadButtonsPressed & (1u << nButton)) != 0;
    return m_pPads && IsPadButton(nButton) && m_pPads->ButtonPressed(nButton);
}

bool CVKT_DirectInput::PadAnyButtonPressed() const
{
    if (m_bUsingFrame)
        return m_UsedFrame.usPadButtonsPressed != 0;
    return m_pPads && m_pPads->AnyButtonPressed();
}

bool CVKT_DirectInput::PadDirectionDown(int nDir) const
{
    if (m_bUsingFrame)
        return IsDirection(nDir) && (m_UsedFrame.ucPadDirectionsDown & (1u << nDir)) != 0;
    return m_pPads && IsDirection(nDir) && m_pPads->DirectionDown(nDir);
}

bool CVKT_DirectInput::PadDirectionPressed(int nDir) const
{
    if (m_bUsingFrame)
        return IsDirection(nDir) && (m_UsedFrame.ucPadDirectionsPressed & (1u << nDir)) != 0;
    return m_pPads && IsDirection(nDir) && m_pPads->DirectionPressed(nDir);
}

bool CVKT_DirectInput::PadPlayingPadLost() const
{
    if (m_bUsingFrame)
        return m_UsedFrame.bPlayingPadLost;
    return m_pPads && m_pPads->PlayingPadLost();
}

bool CVKT_DirectInput::PadRumble(float fStrength, uint32_t uMilliseconds)
{
    return m_pPads && m_pPads->Rumble(fStrength, uMilliseconds);
}

// ---- Platform -------------------------------------------------------------------------------------

void CVKT_DirectInput::HandleEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
        if (m_pKeyboard)
            m_pKeyboard->HandleEvent(event);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        if (m_pMouse)
            m_pMouse->HandleEvent(event);
        break;
    case SDL_JOYDEVICEADDED:
        ReattachJoysticks(event.jdevice.which);
        break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        if (m_pPads)
            m_pPads->HandleEvent(event);
        for (const std::unique_ptr<CVKT_DIJoystick>& joystick : m_vJoysticks)
            joystick->HandleEvent(event);
        break;
    default:
        for (const std::unique_ptr<CVKT_DIJoystick>& joystick : m_vJoysticks)
            joystick->HandleEvent(event);
        break;
    }
}

void CVKT_DirectInput::OnFocusLost()
{
    DropFrame();
    // Releases made elsewhere will never be seen: the devices forget what was held.
    CVKT_InputDeviceObject::SetWindowFocus(false);
    UnacquireAll();
    ForEachDevice([](CVKT_DirectInputDevice& device) { device.LoseDevice(); });
}

void CVKT_DirectInput::OnFocusGained()
{
    DropFrame();
    CVKT_InputDeviceObject::SetWindowFocus(true);
    AcquireAll();
}
