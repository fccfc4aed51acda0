// A controller plugged in through SDL's virtual joysticks for the lifetime of the object (or until
// Unplug). Its axes, buttons and hat are set directly; SDL reports the changes as real joystick and
// game-controller events at the next pump of the event queue.
//
// The default is a game controller SDL maps by itself, numbered like SDL_GameControllerButton and
// SDL_GameControllerAxis (A B X Y Back Guide Start, the stick presses, the shoulders, the D-pad on
// buttons 11 to 14; sticks on axes 0 to 3, triggers on 4 and 5), with the maker and product
// numbers of an Xbox 360 pad.
#pragma once

#include <SDL.h>

#include <string>

namespace headless
{
class VirtualPad
{
public:
    // Six axes, fifteen buttons, no hat, SDL_JOYSTICK_TYPE_GAMECONTROLLER.
    static SDL_VirtualJoystickDesc GameController(const char* szName = "Headless Pad", Uint16 vendor = 0x045E,
                                                  Uint16 product = 0x028E);
    static SDL_VirtualJoystickDesc Describe(SDL_JoystickType type, const char* szName, Uint16 vendor,
                                            Uint16 product, int nAxes, int nButtons, int nHats);
    // The default pad with rumble motors: the rumbles SDL is asked for reach the pad's record.
    static SDL_VirtualJoystickDesc RumblePad(const char* szName = "Headless Rumble Pad");

    // Starts SDL's joystick and game-controller subsystems for as long as the pad lives and plugs it
    // in. A headless window never holds the keyboard focus, and SDL drops pad presses while no
    // window of the program has it: joystick events in the background are allowed from then on, as
    // the game's input layer allows them once it reads pads. The description's name must outlive
    // the pad. Throws
    // std::runtime_error when SDL refuses.
    explicit VirtualPad(const SDL_VirtualJoystickDesc& desc = GameController());
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // Raw values: axes -32768 to 32767, buttons by their joystick number, the hat as SDL_HAT_*.
    void Axis(int axis, int value);
    void Button(int button, bool down);
    void Hat(Uint8 value);

    // The same by game-controller name, for the default layout.
    void Press(SDL_GameControllerButton button) { Button(button, true); }
    void Release(SDL_GameControllerButton button) { Button(button, false); }
    void Move(SDL_GameControllerAxis axis, int value) { Axis(axis, value); }

    // The joystick instance id SDL gave the pad (as its events carry it); -1 once unplugged.
    SDL_JoystickID InstanceID() const { return m_instance; }
    // SDL's identity of the pad as mapping files write it (without the checksum of its name).
    std::string Guid() const;

    // Rumbles asked of a RumblePad so far (not counting SDL's own stops), and the strength of the
    // low-frequency motor in the last.
    int RumbleCount() const { return m_rumbles; }
    Uint16 LastRumble() const { return m_lastRumble; }
    // Takes the pad out; SDL reports its removal at the next pump. Safe to call twice.
    void Unplug();

private:
    static int SDLCALL RecordRumble(void* userdata, Uint16 low, Uint16 high);

    SDL_Joystick* m_pJoystick = nullptr;
    int m_rumbles = 0;
    Uint16 m_lastRumble = 0;
    SDL_JoystickID m_instance = -1;
    bool m_bSubsystems = false;
};
} // namespace headless
