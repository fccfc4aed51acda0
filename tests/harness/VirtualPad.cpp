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

SDL_VirtualJoystickDesc VirtualPad::RumblePad(const char* szName)
{
    SDL_VirtualJoystickDesc desc = GameController(szName);
    desc.Rumble = &VirtualPad::RecordRumble;
    return desc;
}

int SDLCALL VirtualPad::RecordRumble(void* userdata, Uint16 low, Uint16 high)
{
    // SDL stops a rumble by itself once its time is up, by the wall clock: not a rumble asked for.
    if (low == 0 && high == 0)
        return 0;
    VirtualPad* pad = static_cast<VirtualPad*>(userdata);
    ++pad->m_rumbles;
    pad->m_lastRumble = low;
    return 0;
}

VirtualPad::VirtualPad(const SDL_VirtualJoystickDesc& description)
{
    SDL_VirtualJoystickDesc desc = description;
    if (desc.Rumble == &VirtualPad::RecordRumble)
        desc.userdata = this;
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

std::string VirtualPad::Guid() const
{
    SDL_JoystickGUID guid = SDL_JoystickGetGUID(m_pJoystick);
    // Bytes 2 and 3 hold a checksum of the name, which SDL leaves out when it looks a mapping up.
    guid.data[2] = 0;
    guid.data[3] = 0;
    char text[33];
    SDL_JoystickGetGUIDString(guid, text, sizeof text);
    return text;
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
