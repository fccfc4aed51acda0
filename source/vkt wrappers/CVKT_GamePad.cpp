#include "CVKT_GamePad.h"

#include <SDL.h>

#include <algorithm>

namespace
{
static_assert(int{PAD_SOUTH} == int{SDL_CONTROLLER_BUTTON_A} &&
                  int{PAD_EAST} == int{SDL_CONTROLLER_BUTTON_B} &&
                  int{PAD_START} == int{SDL_CONTROLLER_BUTTON_START} &&
                  int{PAD_RIGHT_SHOULDER} == int{SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
              "the pad's buttons are numbered as SDL's standard layout numbers them");

struct tDirectionButton
{
    SDL_GameControllerButton button;
    ePadDirection direction;
};
constexpr tDirectionButton D_PAD[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PAD_DOWN},
};

// In the press queue the buttons come first, then the four directions.
constexpr int FIRST_DIRECTION = PAD_BUTTON_COUNT;
constexpr int CONTROLS = PAD_BUTTON_COUNT + PAD_DIRECTION_COUNT;
// A frame takes at most one change each way of every control.
constexpr unsigned int MAX_CHANGES_PER_FRAME = 2 * CONTROLS;

CVKT_PressQueue::tControls Pack(unsigned int uButtons, unsigned int uDirections)
{
    CVKT_PressQueue::tControls controls;
    for (int nControl = 0; nControl < CONTROLS; ++nControl)
    {
        const unsigned int uBit = nControl < FIRST_DIRECTION
                                      ? (uButtons >> nControl) & 1u
                                      : (uDirections >> (nControl - FIRST_DIRECTION)) & 1u;
        controls[static_cast<size_t>(nControl)] = uBit != 0;
    }
    return controls;
}

void Unpack(const CVKT_PressQueue::tControls& controls, unsigned int& uButtons, unsigned int& uDirections)
{
    uButtons = uDirections = 0;
    for (int nControl = 0; nControl < CONTROLS; ++nControl)
    {
        if (!controls[static_cast<size_t>(nControl)])
            continue;
        if (nControl < FIRST_DIRECTION)
            uButtons |= 1u << nControl;
        else
            uDirections |= 1u << (nControl - FIRST_DIRECTION);
    }
}

// The directions of a stick position beyond the dead zone.
unsigned int StickDirections(int nX, int nY)
{
    const int nDeadZone = CVKT_GamePad::STICK_DEAD_ZONE;
    return (nX < -nDeadZone ? 1u << PAD_LEFT : 0u) | (nX > nDeadZone ? 1u << PAD_RIGHT : 0u) |
           (nY < -nDeadZone ? 1u << PAD_UP : 0u) | (nY > nDeadZone ? 1u << PAD_DOWN : 0u);
}
} // namespace

void CVKT_GamePad::tDeleter::operator()(SDL_GameController* pController) const
{
    SDL_GameControllerClose(pController);
}

CVKT_GamePad::CVKT_GamePad(SDL_GameController* pController)
    : m_pController(pController),
      m_nInstanceID(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pController)))
{
    // What is held when the pad opens sends no event; the first read finds it in SDL's state.
    m_uLiveButtons = SampleButtons();
    m_uLiveDirections = SampleDirections();
}

std::unique_ptr<CVKT_GamePad> CVKT_GamePad::Open(int nDeviceIndex)
{
    if (nDeviceIndex < 0 || nDeviceIndex >= SDL_NumJoysticks() || !SDL_IsGameController(nDeviceIndex))
        return nullptr;
    SDL_GameController* pController = SDL_GameControllerOpen(nDeviceIndex);
    if (!pController)
        return nullptr;
    return std::unique_ptr<CVKT_GamePad>(new CVKT_GamePad(pController));
}

void CVKT_GamePad::HandleEvent(const SDL_Event& event)
{
    if ((event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP) &&
        event.cbutton.which == m_nInstanceID)
        OnButton(event.cbutton);
    else if (event.type == SDL_CONTROLLERAXISMOTION && event.caxis.which == m_nInstanceID)
        OnAxis(event.caxis);
}

void CVKT_GamePad::OnButton(const SDL_ControllerButtonEvent& button)
{
    const bool bDown = button.state == SDL_PRESSED;
    if (button.button < PAD_BUTTON_COUNT)
    {
        const unsigned int uBit = Bit(button.button);
        if (((m_uLiveButtons & uBit) != 0) == bDown)
            return;
        m_uLiveButtons ^= uBit;
        PushChange(button.button, bDown, button.timestamp);
        return;
    }
    for (const tDirectionButton& dpad : D_PAD)
    {
        if (button.button == dpad.button)
            m_uLiveDPad = bDown ? m_uLiveDPad | Bit(dpad.direction) : m_uLiveDPad & ~Bit(dpad.direction);
    }
    PushDirectionChanges(button.timestamp);
}

void CVKT_GamePad::OnAxis(const SDL_ControllerAxisEvent& axis)
{
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX)
        m_nStickX = axis.value;
    else if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY)
        m_nStickY = axis.value;
    else
        return;
    PushDirectionChanges(axis.timestamp);
}

unsigned int CVKT_GamePad::LiveDirections() const
{
    return m_uLiveDPad | StickDirections(m_nStickX, m_nStickY);
}

void CVKT_GamePad::PushDirectionChanges(uint32_t uTimeStamp)
{
    const unsigned int uDirections = LiveDirections();
    for (int nDir = 0; nDir < PAD_DIRECTION_COUNT; ++nDir)
    {
        if (((uDirections ^ m_uLiveDirections) & Bit(nDir)) != 0)
            PushChange(FIRST_DIRECTION + nDir, (uDirections & Bit(nDir)) != 0, uTimeStamp);
    }
    m_uLiveDirections = uDirections;
}

void CVKT_GamePad::PushChange(int nControl, bool bDown, uint32_t uTimeStamp)
{
    m_Changes.Push({static_cast<uint32_t>(nControl), bDown ? 0x80u : 0u, uTimeStamp, 0, 0}, nControl);
}

void CVKT_GamePad::Read(bool bSeesInput)
{
    m_uPrevButtons = m_uButtons;
    m_uPrevDirections = m_uDirections;
    if (!bSeesInput)
    {
        m_Changes.Clear();
        m_uButtons = m_uDirections = 0;
        return;
    }
    CVKT_PressQueue::tControls held = Pack(m_uButtons, m_uDirections);
    CVKT_PressQueue::tControls wasHeld;
    tInputRecord changes[MAX_CHANGES_PER_FRAME];
    m_Changes.NextFrame(held, wasHeld, changes, MAX_CHANGES_PER_FRAME);
    // Caught up with the events (or they overflowed): SDL's own state is the truth, which also
    // brings back what was held while the window was in the background.
    if (m_Changes.Empty() || m_Changes.Overflowed())
    {
        m_Changes.Clear();
        held = Pack(m_uLiveButtons, m_uLiveDirections);
    }
    Unpack(held, m_uButtons, m_uDirections);
    Unpack(wasHeld, m_uPrevButtons, m_uPrevDirections);
}

unsigned int CVKT_GamePad::SampleButtons() const
{
    unsigned int uButtons = 0;
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (SDL_GameControllerGetButton(m_pController.get(), static_cast<SDL_GameControllerButton>(nButton)))
            uButtons |= Bit(nButton);
    }
    return uButtons;
}

unsigned int CVKT_GamePad::SampleDirections() const
{
    SDL_GameController* pController = m_pController.get();
    unsigned int uDirections = 0;
    for (const tDirectionButton& dpad : D_PAD)
    {
        if (SDL_GameControllerGetButton(pController, dpad.button))
            uDirections |= Bit(dpad.direction);
    }
    const int nX = SDL_GameControllerGetAxis(pController, SDL_CONTROLLER_AXIS_LEFTX);
    const int nY = SDL_GameControllerGetAxis(pController, SDL_CONTROLLER_AXIS_LEFTY);
    if (nX < -STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_LEFT);
    if (nX > STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_RIGHT);
    if (nY < -STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_UP);
    if (nY > STICK_DEAD_ZONE)
        uDirections |= Bit(PAD_DOWN);
    return uDirections;
}

bool CVKT_GamePad::HasNewInput() const
{
    return (m_uButtons & ~m_uPrevButtons) != 0 || (m_uDirections & ~m_uPrevDirections) != 0;
}

bool CVKT_GamePad::Rumble(float fStrength, uint32_t uMilliseconds)
{
    if (!SDL_GameControllerHasRumble(m_pController.get()))
        return false;
    const Uint16 uLevel = static_cast<Uint16>(std::clamp(fStrength, 0.0f, 1.0f) * 0xFFFF);
    return SDL_GameControllerRumble(m_pController.get(), uLevel, uLevel, uMilliseconds) == 0;
}
