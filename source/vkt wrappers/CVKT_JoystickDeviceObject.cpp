#include "CVKT_JoystickDeviceObject.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// A mapped controller's buttons by their number in the joystick record.
constexpr SDL_GameControllerButton BUTTON_ORDER[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,
    SDL_CONTROLLER_BUTTON_PADDLE2,
    SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4,
    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};
constexpr int ORDERED_BUTTONS = static_cast<int>(sizeof BUTTON_ORDER / sizeof BUTTON_ORDER[0]);

constexpr unsigned int DPAD_UP = 1;
constexpr unsigned int DPAD_RIGHT = 2;
constexpr unsigned int DPAD_DOWN = 4;
constexpr unsigned int DPAD_LEFT = 8;
static_assert(DPAD_UP == SDL_HAT_UP && DPAD_RIGHT == SDL_HAT_RIGHT && DPAD_DOWN == SDL_HAT_DOWN &&
                  DPAD_LEFT == SDL_HAT_LEFT,
              "D-pad bits and SDL's hat bits are used interchangeably");

int ButtonNumber(int sdlButton)
{
    for (int i = 0; i < ORDERED_BUTTONS; ++i)
    {
        if (BUTTON_ORDER[i] == sdlButton)
            return i;
    }
    return -1;
}

unsigned int DPadBit(int sdlButton)
{
    switch (sdlButton)
    {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return DPAD_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return DPAD_RIGHT;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return DPAD_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return DPAD_LEFT;
    default:
        return 0;
    }
}

// Opposite directions held together cancel out.
uint32_t POVFromBits(unsigned int bits)
{
    const int across = ((bits & DPAD_RIGHT) ? 1 : 0) - ((bits & DPAD_LEFT) ? 1 : 0);
    const int down = ((bits & DPAD_DOWN) ? 1 : 0) - ((bits & DPAD_UP) ? 1 : 0);
    // Indexed [down + 1][across + 1].
    static constexpr uint32_t ANGLES[3][3] = {
        {31500, 0, 4500},
        {27000, VKT_POV_CENTERED, 9000},
        {22500, 18000, 13500},
    };
    return ANGLES[down + 1][across + 1];
}

// A trigger (0..32767) as a full-travel axis value: released is the low end.
int TriggerAsAxis(int trigger)
{
    return trigger * 2 - 32767;
}

int AxisSlot(uint32_t dwOfs)
{
    if (dwOfs % 4 != 0 || dwOfs / 4 >= static_cast<uint32_t>(CVKT_JoystickDeviceObject::AXES))
        return -1;
    return static_cast<int>(dwOfs / 4);
}
} // namespace

void CVKT_JoystickDeviceObject::tControllerDeleter::operator()(SDL_GameController* controller) const
{
    SDL_GameControllerClose(controller);
}

void CVKT_JoystickDeviceObject::tJoystickDeleter::operator()(SDL_Joystick* joystick) const
{
    SDL_JoystickClose(joystick);
}

CVKT_JoystickDeviceObject::CVKT_JoystickDeviceObject() : CVKT_InputDeviceObject(sizeof(tJoystickState)) {}

CVKT_JoystickDeviceObject::~CVKT_JoystickDeviceObject() = default;

std::unique_ptr<CVKT_JoystickDeviceObject> CVKT_JoystickDeviceObject::Open(int nDeviceIndex)
{
    std::unique_ptr<CVKT_JoystickDeviceObject> device(new CVKT_JoystickDeviceObject());
    if (!device->OpenHandles(nDeviceIndex))
        return nullptr;
    return device;
}

bool CVKT_JoystickDeviceObject::OpenHandles(int nDeviceIndex)
{
    m_pController.reset();
    m_pJoystick.reset();
    if (SDL_IsGameController(nDeviceIndex))
        m_pController.reset(SDL_GameControllerOpen(nDeviceIndex));
    // A controller whose mapping SDL cannot apply is still a joystick.
    if (!m_pController)
        m_pJoystick.reset(SDL_JoystickOpen(nDeviceIndex));
    SDL_Joystick* joystick = Joystick();
    if (!joystick)
        return false;

    m_Guid = SDL_JoystickGetGUID(joystick);
    m_nInstance = SDL_JoystickInstanceID(joystick);
    // The kind of pad replaces the product-name test of the Windows drivers.
    m_bXbox360 = SDL_GameControllerTypeForIndex(nDeviceIndex) == SDL_CONTROLLER_TYPE_XBOX360;
    if (m_pController)
        DescribeController();
    else
        DescribeJoystick();
    SeedFromSDL();
    return true;
}

SDL_Joystick* CVKT_JoystickDeviceObject::Joystick() const
{
    return m_pController ? SDL_GameControllerGetJoystick(m_pController.get()) : m_pJoystick.get();
}

void CVKT_JoystickDeviceObject::DescribeController()
{
    for (tAxisSource& source : m_AxisSources)
        source = {};
    m_AxisSources[0] = {eSource::ControllerAxis, SDL_CONTROLLER_AXIS_LEFTX};
    m_AxisSources[1] = {eSource::ControllerAxis, SDL_CONTROLLER_AXIS_LEFTY};
    if (m_bXbox360)
    {
        m_AxisSources[2] = {eSource::TriggerPair, 0};
        m_AxisSources[3] = {eSource::ControllerAxis, SDL_CONTROLLER_AXIS_RIGHTX};
        m_AxisSources[4] = {eSource::ControllerAxis, SDL_CONTROLLER_AXIS_RIGHTY};
    }
    else
    {
        m_AxisSources[2] = {eSource::ControllerAxis, SDL_CONTROLLER_AXIS_RIGHTX};
        m_AxisSources[3] = {eSource::ControllerTrigger, SDL_CONTROLLER_AXIS_TRIGGERLEFT};
        m_AxisSources[4] = {eSource::ControllerTrigger, SDL_CONTROLLER_AXIS_TRIGGERRIGHT};
        m_AxisSources[5] = {eSource::ControllerAxis, SDL_CONTROLLER_AXIS_RIGHTY};
    }

    SDL_GameController* controller = m_pController.get();
    m_nButtons = 0;
    for (int i = 0; i < ORDERED_BUTTONS; ++i)
    {
        if (SDL_GameControllerHasButton(controller, BUTTON_ORDER[i]))
            m_nButtons = i + 1;
    }
    m_bDPadButtons = SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP) ||
                     SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN) ||
                     SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT) ||
                     SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
}

void CVKT_JoystickDeviceObject::DescribeJoystick()
{
    const int axes = std::min(SDL_JoystickNumAxes(m_pJoystick.get()), AXES);
    for (int slot = 0; slot < AXES; ++slot)
        m_AxisSources[slot] = slot < axes ? tAxisSource{eSource::JoystickAxis, slot} : tAxisSource{};
    m_nButtons = std::clamp(SDL_JoystickNumButtons(m_pJoystick.get()), 0, BUTTONS);
    m_bDPadButtons = false;
}

void CVKT_JoystickDeviceObject::SeedFromSDL()
{
    m_unDPadBits = 0;
    if (!m_pController)
        return;
    for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
        m_nControllerAxes[axis] =
            SDL_GameControllerGetAxis(m_pController.get(), static_cast<SDL_GameControllerAxis>(axis));
    for (int button = SDL_CONTROLLER_BUTTON_DPAD_UP; button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT; ++button)
    {
        if (SDL_GameControllerGetButton(m_pController.get(), static_cast<SDL_GameControllerButton>(button)))
            m_unDPadBits |= DPadBit(button);
    }
}

bool CVKT_JoystickDeviceObject::HasForceFeedback() const
{
    SDL_Joystick* joystick = Joystick();
    return joystick && SDL_JoystickHasRumble(joystick);
}

bool CVKT_JoystickDeviceObject::IsAttached() const
{
    SDL_Joystick* joystick = Joystick();
    return joystick && SDL_JoystickGetAttached(joystick);
}

bool CVKT_JoystickDeviceObject::TryReattach(int nDeviceIndex)
{
    if (IsAttached())
        return false;
    const SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(nDeviceIndex);
    if (std::memcmp(&guid, &m_Guid, sizeof guid) != 0)
        return false;
    // Whatever was still acquired belonged to the device that went away.
    MarkLost();
    return OpenHandles(nDeviceIndex);
}

DIRESULT CVKT_JoystickDeviceObject::SetAxisRange(uint32_t dwOfs, int32_t lMin, int32_t lMax)
{
    if (IsAcquired())
        return DIERR_ACQUIRED;
    const int slot = AxisSlot(dwOfs);
    if (slot < 0 || lMin >= lMax)
        return DIERR_INVALIDPARAM;
    m_AxisSettings[slot].lMin = lMin;
    m_AxisSettings[slot].lMax = lMax;
    return DI_OK;
}

DIRESULT CVKT_JoystickDeviceObject::SetDeadZone(uint32_t dwOfs, uint32_t dwDeadZone)
{
    const int slot = AxisSlot(dwOfs);
    if (slot < 0 || dwDeadZone > 10000)
        return DIERR_INVALIDPARAM;
    m_AxisSettings[slot].dwDeadZone = dwDeadZone;
    return DI_OK;
}

int32_t CVKT_JoystickDeviceObject::ScaledAxis(int slot, int raw) const
{
    const tAxisSetting& setting = m_AxisSettings[slot];
    const double position = std::clamp(raw / 32767.0, -1.0, 1.0);
    const double deadZone = setting.dwDeadZone / 10000.0;
    double travel = std::fabs(position);
    travel = (travel <= deadZone || deadZone >= 1.0) ? 0.0 : (travel - deadZone) / (1.0 - deadZone);
    const double centre = (static_cast<double>(setting.lMin) + setting.lMax) / 2.0;
    const double half = (static_cast<double>(setting.lMax) - setting.lMin) / 2.0;
    return static_cast<int32_t>(std::lround(centre + std::copysign(travel, position) * half));
}

int CVKT_JoystickDeviceObject::RawAxis(int slot) const
{
    const tAxisSource& source = m_AxisSources[slot];
    SDL_GameController* controller = m_pController.get();
    switch (source.source)
    {
    case eSource::JoystickAxis:
        return SDL_JoystickGetAxis(m_pJoystick.get(), source.index);
    case eSource::ControllerAxis:
        return SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(source.index));
    case eSource::ControllerTrigger:
        return TriggerAsAxis(
            SDL_GameControllerGetAxis(controller, static_cast<SDL_GameControllerAxis>(source.index)));
    case eSource::TriggerPair:
        return SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT) -
               SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    case eSource::None:
        break;
    }
    return 0;
}

int CVKT_JoystickDeviceObject::RawAxisFromLastEvents(int slot) const
{
    const tAxisSource& source = m_AxisSources[slot];
    switch (source.source)
    {
    case eSource::ControllerAxis:
        return m_nControllerAxes[source.index];
    case eSource::ControllerTrigger:
        return TriggerAsAxis(m_nControllerAxes[source.index]);
    case eSource::TriggerPair:
        return m_nControllerAxes[SDL_CONTROLLER_AXIS_TRIGGERLEFT] -
               m_nControllerAxes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT];
    case eSource::JoystickAxis:
    case eSource::None:
        break;
    }
    return 0;
}

uint32_t CVKT_JoystickDeviceObject::ControllerPOV() const
{
    if (!m_bDPadButtons)
    {
        SDL_Joystick* joystick = Joystick();
        return SDL_JoystickNumHats(joystick) > 0 ? POVFromBits(SDL_JoystickGetHat(joystick, 0))
                                                 : VKT_POV_CENTERED;
    }
    unsigned int bits = 0;
    for (int button = SDL_CONTROLLER_BUTTON_DPAD_UP; button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT; ++button)
    {
        if (SDL_GameControllerGetButton(m_pController.get(), static_cast<SDL_GameControllerButton>(button)))
            bits |= DPadBit(button);
    }
    return POVFromBits(bits);
}

void CVKT_JoystickDeviceObject::ReadControllerButtons(tJoystickState& state) const
{
    for (int i = 0; i < ORDERED_BUTTONS; ++i)
    {
        if (SDL_GameControllerGetButton(m_pController.get(), BUTTON_ORDER[i]))
            state.rgbButtons[i] = 0x80;
    }
}

void CVKT_JoystickDeviceObject::ReadJoystickHatsAndButtons(tJoystickState& state) const
{
    SDL_Joystick* joystick = m_pJoystick.get();
    const int hats = std::min(SDL_JoystickNumHats(joystick), POVS);
    for (int hat = 0; hat < hats; ++hat)
        state.rgdwPOV[hat] = POVFromBits(SDL_JoystickGetHat(joystick, hat));
    for (int button = 0; button < m_nButtons; ++button)
    {
        if (SDL_JoystickGetButton(joystick, button))
            state.rgbButtons[button] = 0x80;
    }
}

void CVKT_JoystickDeviceObject::CopyLiveState(void* out)
{
    tJoystickState state = {};
    int32_t* axes[AXES] = {&state.lX,  &state.lY,  &state.lZ,           &state.lRx,
                           &state.lRy, &state.lRz, &state.rglSlider[0], &state.rglSlider[1]};
    for (int slot = 0; slot < AXES; ++slot)
    {
        if (m_AxisSources[slot].source != eSource::None)
            *axes[slot] = ScaledAxis(slot, RawAxis(slot));
    }
    for (uint32_t& pov : state.rgdwPOV)
        pov = VKT_POV_CENTERED;
    if (m_pController)
    {
        state.rgdwPOV[0] = ControllerPOV();
        ReadControllerButtons(state);
    }
    else
        ReadJoystickHatsAndButtons(state);
    std::memcpy(out, &state, sizeof state);
}

void CVKT_JoystickDeviceObject::HandleEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_CONTROLLERAXISMOTION:
        OnControllerAxis(event.caxis);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        OnControllerButton(event.cbutton);
        break;
    case SDL_JOYAXISMOTION:
        OnJoystickAxis(event.jaxis);
        break;
    case SDL_JOYHATMOTION:
        OnJoystickHat(event.jhat);
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        OnJoystickButton(event.jbutton);
        break;
    default:
        break;
    }
}

void CVKT_JoystickDeviceObject::OnControllerAxis(const SDL_ControllerAxisEvent& axis)
{
    if (!m_pController || axis.which != m_nInstance || axis.axis >= SDL_CONTROLLER_AXIS_MAX)
        return;
    m_nControllerAxes[axis.axis] = axis.value;
    for (int slot = 0; slot < AXES; ++slot)
    {
        const tAxisSource& source = m_AxisSources[slot];
        const bool fed =
            (source.source == eSource::TriggerPair && (axis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ||
                                                       axis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT)) ||
            ((source.source == eSource::ControllerAxis || source.source == eSource::ControllerTrigger) &&
             source.index == axis.axis);
        if (fed)
            AddRecord(static_cast<uint32_t>(slot) * 4,
                      static_cast<uint32_t>(ScaledAxis(slot, RawAxisFromLastEvents(slot))), axis.timestamp);
    }
}

void CVKT_JoystickDeviceObject::OnControllerButton(const SDL_ControllerButtonEvent& button)
{
    if (!m_pController || button.which != m_nInstance)
        return;
    const bool down = button.state == SDL_PRESSED;
    if (const unsigned int bit = DPadBit(button.button))
    {
        m_unDPadBits = down ? (m_unDPadBits | bit) : (m_unDPadBits & ~bit);
        if (m_bDPadButtons)
            AddRecord(DIJOFS_POV(0), POVFromBits(m_unDPadBits), button.timestamp);
        return;
    }
    const int number = ButtonNumber(button.button);
    if (number >= 0)
        AddRecord(DIJOFS_BUTTON(number), down ? 0x80 : 0, button.timestamp);
}

void CVKT_JoystickDeviceObject::OnJoystickAxis(const SDL_JoyAxisEvent& axis)
{
    if (m_pController || axis.which != m_nInstance || axis.axis >= AXES ||
        m_AxisSources[axis.axis].source != eSource::JoystickAxis)
        return;
    AddRecord(static_cast<uint32_t>(axis.axis) * 4, static_cast<uint32_t>(ScaledAxis(axis.axis, axis.value)),
              axis.timestamp);
}

void CVKT_JoystickDeviceObject::OnJoystickHat(const SDL_JoyHatEvent& hat)
{
    if (hat.which != m_nInstance || hat.hat >= POVS)
        return;
    // A mapped controller's raw hat only counts when its mapping has no D-pad.
    if (m_pController && (m_bDPadButtons || hat.hat != 0))
        return;
    AddRecord(DIJOFS_POV(hat.hat), POVFromBits(hat.value), hat.timestamp);
}

void CVKT_JoystickDeviceObject::OnJoystickButton(const SDL_JoyButtonEvent& button)
{
    if (m_pController || button.which != m_nInstance || button.button >= m_nButtons)
        return;
    AddRecord(DIJOFS_BUTTON(button.button), button.state == SDL_PRESSED ? 0x80 : 0, button.timestamp);
}
