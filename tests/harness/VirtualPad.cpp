#include "VirtualPad.h"

#include <stdexcept>

namespace headless
{
namespace
{
constexpr Uint32 kSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;
} // namespace

SDL_VirtualJoystickDesc VirtualPad::GameController(const char* szName, Uint16 vendor, Uint16 product)
{
    return Describe(SDL_JOYSTICK_TYPE_GAMECONTROLLER, szName, vendor, product, SDL_CONTROLLER_AXIS_MAX,
                    SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1, 0);
}

SDL_VirtualJoystickDesc VirtualPad::Describe(SDL_JoystickType type, const char* szName, Uint16 vendor,
                                             Uint16 product, int nAxes, int nButtons, int nHats)
{
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = static_cast<Uint16>(type);
    desc.naxes = static_cast<Uint16>(nAxes);
    desc.nbuttons = static_cast<Uint16>(nButtons);
    desc.nhats = static_cast<Uint16>(nHats);
    desc.vendor_id = vendor;
    desc.product_id = product;
    desc.name = szName;
    return desc;
}

VirtualPad::VirtualPad(const SDL_VirtualJoystickDesc& desc)
{
    if (SDL_InitSubSystem(kSubsystems) != 0)
        throw std::runtime_error(std::string("no joysticks: ") + SDL_GetError());
    m_bSubsystems = true;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    m_pJoystick = index < 0 ? nullptr : SDL_JoystickOpen(index);
    if (!m_pJoystick)
    {
        const std::string error = SDL_GetError();
        Unplug();
        throw std::runtime_error("no virtual pad: " + error);
    }
    m_instance = SDL_JoystickInstanceID(m_pJoystick);
    // Only from here on: opening a joystick reports the state of every axis, and this handle's own
    // report is not something the game would see from a pad being plugged in.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
}

VirtualPad::~VirtualPad()
{
    Unplug();
}

void VirtualPad::Axis(int axis, int value)
{
    SDL_JoystickSetVirtualAxis(m_pJoystick, axis, static_cast<Sint16>(value));
}

void VirtualPad::Button(int button, bool down)
{
    SDL_JoystickSetVirtualButton(m_pJoystick, button, down ? 1 : 0);
}

void VirtualPad::Hat(Uint8 value)
{
    SDL_JoystickSetVirtualHat(m_pJoystick, 0, value);
}

void VirtualPad::Unplug()
{
    if (m_pJoystick)
    {
        SDL_JoystickClose(m_pJoystick);
        m_pJoystick = nullptr;
    }
    for (int index = 0; m_instance != -1 && index < SDL_NumJoysticks(); ++index)
    {
        if (SDL_JoystickGetDeviceInstanceID(index) == m_instance)
            SDL_JoystickDetachVirtual(index);
    }
    m_instance = -1;
    if (m_bSubsystems)
        SDL_QuitSubSystem(kSubsystems);
    m_bSubsystems = false;
}
} // namespace headless
