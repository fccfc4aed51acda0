// Arbitrary sequences of input events (keys, text, mouse, controller, focus changes, plugging) and
// frames, routed through the window's pump into the input layer and the game's pad words, with the
// player's controls (fire on Z and West, pause on Space) switched on and off from frame to frame:
// nothing may crash, overflow or break the layer's own limits.
#include "CPadInput.h"
#include "CVKT_DirectInput.h"
#include "CVKT_InputBindings.h"
#include "CVKT_Window.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
class Bytes
{
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Byte() { return Empty() ? 0 : m_data[m_pos++]; }
    int16_t Short() { return static_cast<int16_t>(Byte() | (Byte() << 8)); }
    int32_t Int()
    {
        return static_cast<int32_t>(static_cast<uint32_t>(Short()) << 16 | static_cast<uint16_t>(Short()));
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

SDL_JoystickID g_padInstance = -1;
SDL_Joystick* g_pad = nullptr;

void SetUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    CVKT_Window* window = CVKT_Window::GetInstance();
    if (!window->InitPlatform() || !window->CreateGameWindow("VKTWindowClass", "fuzz", 640, 480, nullptr))
        std::abort();
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = 6;
    desc.nhats = 1;
    // The automatic mapping leaves the hat out; the pad's raw hat is then hat 0.
    desc.nbuttons = 11;
    desc.vendor_id = 0x045E;
    desc.product_id = 0x028E;
    desc.name = "Fuzz Pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    g_pad = SDL_JoystickOpen(index);
    g_padInstance = SDL_JoystickInstanceID(g_pad);
    CVKT_DirectInput::GetInstance()->InitDirectInput(window->GetHandle(), nullptr, 15, 0);
    CVKT_InputBindings bindings;
    const CVKT_InputBindings::tBinding keys[] = {{DIK_SPACE, DIK_Z}, {DIK_P, DIK_SPACE}};
    const CVKT_InputBindings::tBinding buttons[] = {{PAD_SOUTH, PAD_WEST}};
    bindings.SetKeys(keys, 2);
    bindings.SetPadButtons(buttons, 1);
    CVKT_DirectInput::GetInstance()->SetBindings(bindings);
}

void PushOne(Bytes& in)
{
    SDL_Event event;
    SDL_zero(event);
    switch (in.Byte() % 16)
    {
    case 0:
    case 1:
        event.type = (in.Byte() & 1) ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.scancode = static_cast<SDL_Scancode>(in.Short());
        event.key.keysym.mod = static_cast<Uint16>(in.Short());
        event.key.repeat = in.Byte() & 1;
        break;
    case 2:
        event.type = SDL_TEXTINPUT;
        for (size_t i = 0; i + 1 < sizeof event.text.text; ++i)
            event.text.text[i] = static_cast<char>(in.Byte());
        break;
    case 3:
        event.type = SDL_MOUSEMOTION;
        event.motion.xrel = in.Int();
        event.motion.yrel = in.Int();
        break;
    case 4:
        event.type = (in.Byte() & 1) ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = in.Byte();
        break;
    case 5:
        event.type = SDL_MOUSEWHEEL;
        event.wheel.y = in.Int();
        event.wheel.direction = in.Byte() & 1;
        break;
    // Joystick events of the opened pad must come from SDL itself: SDL's controller layer trusts
    // the hat, axis and button numbers of every joystick event it sees, including pushed ones, and
    // writes out of bounds for made-up numbers. So the pad is moved through its virtual device, and
    // made-up joystick events only name a controller nobody opened.
    case 6:
        event.type = SDL_JOYAXISMOTION;
        event.jaxis.which = g_padInstance + 1 + (in.Byte() & 0x7F);
        event.jaxis.axis = in.Byte();
        event.jaxis.value = in.Short();
        break;
    case 7:
        SDL_JoystickSetVirtualHat(g_pad, 0, in.Byte());
        return;
    case 8:
        event.type = (in.Byte() & 1) ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
        event.jbutton.which = g_padInstance + 1 + (in.Byte() & 0x7F);
        event.jbutton.button = in.Byte();
        event.jbutton.state = in.Byte() & 1;
        break;
    case 9:
        event.type = SDL_CONTROLLERAXISMOTION;
        event.caxis.which = g_padInstance;
        event.caxis.axis = in.Byte();
        event.caxis.value = in.Short();
        break;
    case 10:
        event.type = (in.Byte() & 1) ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
        event.cbutton.which = g_padInstance;
        event.cbutton.button = in.Byte();
        event.cbutton.state = in.Byte() & 1;
        break;
    case 11:
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(CVKT_Window::GetInstance()->GetHandle());
        event.window.event = (in.Byte() & 1) ? SDL_WINDOWEVENT_FOCUS_LOST : SDL_WINDOWEVENT_FOCUS_GAINED;
        break;
    case 12:
        event.type = SDL_JOYDEVICEADDED;
        event.jdevice.which = in.Int();
        break;
    // The pads' own plugging: made-up device numbers and instance ids, the pad's among them.
    case 13:
        event.type = SDL_CONTROLLERDEVICEADDED;
        event.cdevice.which = static_cast<int8_t>(in.Byte());
        break;
    case 14:
        event.type = SDL_CONTROLLERDEVICEREMOVED;
        event.cdevice.which = g_padInstance + static_cast<int8_t>(in.Byte() % 3) - 1;
        break;
    default:
        SDL_JoystickSetVirtualAxis(g_pad, in.Byte() % 6, in.Short());
        SDL_JoystickSetVirtualButton(g_pad, in.Byte() % 11, in.Byte() & 1);
        return;
    }
    SDL_PushEvent(&event);
}

void AskEverything()
{
    CVKT_DirectInput* di = CVKT_DirectInput::GetInstance();
    for (int code = 0; code < 256; code += 17)
    {
        (void)di->KeyPressed(static_cast<unsigned char>(code));
        (void)di->KeyReleasedEx(static_cast<unsigned char>(code));
    }
    (void)di->CheckKeys();
    (void)di->CheckBufferedKeysEx();
    (void)di->GetBufferedDIKCodeEx();
    (void)di->MouseCheckBufferedButtonsEx();
    (void)di->MouseGetPosX();
    for (int dir = 0; dir < 4; ++dir)
    {
        (void)di->JoystickDPadPressed(dir);
        (void)di->JoystickGetRStickDirPressed(dir);
    }
    (void)di->JoystickCheckBufferedButtonsEx();
    (void)di->JoystickGetLTriggerNormalized();
    CPadInput* pads = CPadInput::GetInstance();
    pads->Update(0.016f);
    (void)pads->MenuDown();
    (void)pads->FireHeld();
    (void)pads->AnyButton();
    (void)pads->PlayingPadLost();
    pads->RumbleLostLife();
    (void)di->PadGetCount();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetUpOnce();
    Bytes in(data, size);
    while (!in.Empty())
    {
        const uint8_t frame = in.Byte();
        const uint8_t count = frame % 16;
        for (uint8_t i = 0; i < count && !in.Empty(); ++i)
            PushOne(in);
        CVKT_Window::GetInstance()->PeekMessages();
        CVKT_DirectInput::GetInstance()->SetBindingsOn((frame & 0x80) != 0);
        CVKT_DirectInput::GetInstance()->ReadDevices();
        AskEverything();
    }
    return 0;
}
