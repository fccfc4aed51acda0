#include "CVKT_KeyMap.h"

#include "VKT_KeyCodes.h"

#include <SDL_keyboard.h>

#include <array>

namespace
{
struct tKeyPair
{
    SDL_Scancode scancode;
    unsigned char dik;
};

// Every key of a 105-key PC keyboard (the US 104 keys and the ISO key beside the left Shift). The
// first entry of a code is its position for the reverse lookup.
// clang-format off
constexpr tKeyPair KEYS[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE},
    {SDL_SCANCODE_1, DIK_1}, {SDL_SCANCODE_2, DIK_2}, {SDL_SCANCODE_3, DIK_3}, {SDL_SCANCODE_4, DIK_4},
    {SDL_SCANCODE_5, DIK_5}, {SDL_SCANCODE_6, DIK_6}, {SDL_SCANCODE_7, DIK_7}, {SDL_SCANCODE_8, DIK_8},
    {SDL_SCANCODE_9, DIK_9}, {SDL_SCANCODE_0, DIK_0},
    {SDL_SCANCODE_MINUS, DIK_MINUS}, {SDL_SCANCODE_EQUALS, DIK_EQUALS},
    {SDL_SCANCODE_BACKSPACE, DIK_BACK}, {SDL_SCANCODE_TAB, DIK_TAB},
    {SDL_SCANCODE_Q, DIK_Q}, {SDL_SCANCODE_W, DIK_W}, {SDL_SCANCODE_E, DIK_E}, {SDL_SCANCODE_R, DIK_R},
    {SDL_SCANCODE_T, DIK_T}, {SDL_SCANCODE_Y, DIK_Y}, {SDL_SCANCODE_U, DIK_U}, {SDL_SCANCODE_I, DIK_I},
    {SDL_SCANCODE_O, DIK_O}, {SDL_SCANCODE_P, DIK_P},
    {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET}, {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET},
    {SDL_SCANCODE_RETURN, DIK_RETURN}, {SDL_SCANCODE_LCTRL, DIK_LCONTROL},
    {SDL_SCANCODE_A, DIK_A}, {SDL_SCANCODE_S, DIK_S}, {SDL_SCANCODE_D, DIK_D}, {SDL_SCANCODE_F, DIK_F},
    {SDL_SCANCODE_G, DIK_G}, {SDL_SCANCODE_H, DIK_H}, {SDL_SCANCODE_J, DIK_J}, {SDL_SCANCODE_K, DIK_K},
    {SDL_SCANCODE_L, DIK_L},
    {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON}, {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE},
    {SDL_SCANCODE_GRAVE, DIK_GRAVE}, {SDL_SCANCODE_LSHIFT, DIK_LSHIFT},
    {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH},
    // The ISO key left of Return sends the same set-1 code as the US backslash.
    {SDL_SCANCODE_NONUSHASH, DIK_BACKSLASH},
    {SDL_SCANCODE_Z, DIK_Z}, {SDL_SCANCODE_X, DIK_X}, {SDL_SCANCODE_C, DIK_C}, {SDL_SCANCODE_V, DIK_V},
    {SDL_SCANCODE_B, DIK_B}, {SDL_SCANCODE_N, DIK_N}, {SDL_SCANCODE_M, DIK_M},
    {SDL_SCANCODE_COMMA, DIK_COMMA}, {SDL_SCANCODE_PERIOD, DIK_PERIOD}, {SDL_SCANCODE_SLASH, DIK_SLASH},
    {SDL_SCANCODE_RSHIFT, DIK_RSHIFT}, {SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY},
    {SDL_SCANCODE_LALT, DIK_LMENU}, {SDL_SCANCODE_SPACE, DIK_SPACE}, {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL},
    {SDL_SCANCODE_F1, DIK_F1}, {SDL_SCANCODE_F2, DIK_F2}, {SDL_SCANCODE_F3, DIK_F3}, {SDL_SCANCODE_F4, DIK_F4},
    {SDL_SCANCODE_F5, DIK_F5}, {SDL_SCANCODE_F6, DIK_F6}, {SDL_SCANCODE_F7, DIK_F7}, {SDL_SCANCODE_F8, DIK_F8},
    {SDL_SCANCODE_F9, DIK_F9}, {SDL_SCANCODE_F10, DIK_F10},
    {SDL_SCANCODE_NUMLOCKCLEAR, DIK_NUMLOCK}, {SDL_SCANCODE_SCROLLLOCK, DIK_SCROLL},
    {SDL_SCANCODE_KP_7, DIK_NUMPAD7}, {SDL_SCANCODE_KP_8, DIK_NUMPAD8}, {SDL_SCANCODE_KP_9, DIK_NUMPAD9},
    {SDL_SCANCODE_KP_MINUS, DIK_SUBTRACT},
    {SDL_SCANCODE_KP_4, DIK_NUMPAD4}, {SDL_SCANCODE_KP_5, DIK_NUMPAD5}, {SDL_SCANCODE_KP_6, DIK_NUMPAD6},
    {SDL_SCANCODE_KP_PLUS, DIK_ADD},
    {SDL_SCANCODE_KP_1, DIK_NUMPAD1}, {SDL_SCANCODE_KP_2, DIK_NUMPAD2}, {SDL_SCANCODE_KP_3, DIK_NUMPAD3},
    {SDL_SCANCODE_KP_0, DIK_NUMPAD0}, {SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL},
    {SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102},
    {SDL_SCANCODE_F11, DIK_F11}, {SDL_SCANCODE_F12, DIK_F12},
    {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER}, {SDL_SCANCODE_RCTRL, DIK_RCONTROL},
    {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE}, {SDL_SCANCODE_PRINTSCREEN, DIK_SYSRQ},
    {SDL_SCANCODE_RALT, DIK_RMENU}, {SDL_SCANCODE_PAUSE, DIK_PAUSE},
    {SDL_SCANCODE_HOME, DIK_HOME}, {SDL_SCANCODE_UP, DIK_UP}, {SDL_SCANCODE_PAGEUP, DIK_PRIOR},
    {SDL_SCANCODE_LEFT, DIK_LEFT}, {SDL_SCANCODE_RIGHT, DIK_RIGHT},
    {SDL_SCANCODE_END, DIK_END}, {SDL_SCANCODE_DOWN, DIK_DOWN}, {SDL_SCANCODE_PAGEDOWN, DIK_NEXT},
    {SDL_SCANCODE_INSERT, DIK_INSERT}, {SDL_SCANCODE_DELETE, DIK_DELETE},
    {SDL_SCANCODE_LGUI, DIK_LWIN}, {SDL_SCANCODE_RGUI, DIK_RWIN}, {SDL_SCANCODE_APPLICATION, DIK_APPS},
};
// clang-format on

struct tLookup
{
    std::array<unsigned char, SDL_NUM_SCANCODES> toDIK{};
    std::array<SDL_Scancode, 256> toScancode{};
};

const tLookup& Lookup()
{
    static const tLookup lookup = []
    {
        tLookup built;
        built.toScancode.fill(SDL_SCANCODE_UNKNOWN);
        for (const tKeyPair& key : KEYS)
        {
            built.toDIK[key.scancode] = key.dik;
            if (built.toScancode[key.dik] == SDL_SCANCODE_UNKNOWN)
                built.toScancode[key.dik] = key.scancode;
        }
        return built;
    }();
    return lookup;
}

bool IsLatin1Letter(SDL_Keycode key)
{
    return (key >= 'a' && key <= 'z') || (key >= 0xDF && key <= 0xFF && key != 0xF7);
}

// Latin-1 has no capital for sharp s (0xDF) and y diaeresis (0xFF); they stay as they are.
SDL_Keycode ToUpperLatin1(SDL_Keycode key)
{
    if (key >= 'a' && key <= 'z')
        return key - 'a' + 'A';
    if (key >= 0xE0 && key <= 0xFE && key != 0xF7)
        return key - 0x20;
    return key;
}

// Keys whose character no modifier changes (Ctrl aside, which only touches letters).
unsigned char ControlCharacter(SDL_Keycode key)
{
    switch (key)
    {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_ESCAPE:
        return 27;
    case SDLK_SPACE:
        return 32;
    default:
        return 0;
    }
}

// The keypad's operators always type; its digits and point only with Num Lock on and Shift up
// (with Shift they act as the cursor keys).
unsigned char KeypadCharacter(SDL_Keycode key, const tKeyModifiers& modifiers)
{
    switch (key)
    {
    case SDLK_KP_DIVIDE:
        return '/';
    case SDLK_KP_MULTIPLY:
        return '*';
    case SDLK_KP_MINUS:
        return '-';
    case SDLK_KP_PLUS:
        return '+';
    default:
        break;
    }
    if (!modifiers.bNumLock || modifiers.bShift)
        return 0;
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return static_cast<unsigned char>('1' + (key - SDLK_KP_1));
    if (key == SDLK_KP_0)
        return '0';
    if (key == SDLK_KP_PERIOD)
        return '.';
    return 0;
}

bool IsPrintableLatin1(SDL_Keycode key)
{
    return (key > 32 && key < 127) || (key >= 0xA0 && key <= 0xFF);
}
} // namespace

unsigned char CVKT_KeyMap::ToDIK(int nScancode)
{
    if (nScancode < 0 || nScancode >= SDL_NUM_SCANCODES)
        return 0;
    return Lookup().toDIK[static_cast<size_t>(nScancode)];
}

SDL_Scancode CVKT_KeyMap::ToScancode(unsigned char ucDIKey)
{
    return Lookup().toScancode[ucDIKey];
}

unsigned char CVKT_KeyMap::ToCharacter(unsigned char ucDIKey, const tKeyModifiers& modifiers)
{
    const SDL_Scancode scancode = ToScancode(ucDIKey);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return 0;
    // The layout decides which character sits on the key, so other layouts type their own letters.
    const SDL_Keycode key = SDL_GetKeyFromScancode(scancode);
    if (const unsigned char control = ControlCharacter(key))
        return control;
    if (key & SDLK_SCANCODE_MASK)
        return KeypadCharacter(key, modifiers);
    if (!IsPrintableLatin1(key) || modifiers.bAltGr)
        return 0;
    if (modifiers.bCtrl)
        return (key >= 'a' && key <= 'z') ? static_cast<unsigned char>(key - 'a' + 1) : 0;
    if (IsLatin1Letter(key))
        return static_cast<unsigned char>(modifiers.bShift != modifiers.bCapsLock ? ToUpperLatin1(key) : key);
    // The shifted symbol of a digit or punctuation key depends on the layout, and SDL names only the
    // unshifted one; the press's text (when the window system sends one) supplies it instead.
    if (modifiers.bShift)
        return 0;
    return static_cast<unsigned char>(key);
}

tKeyModifiers CVKT_KeyMap::ModifiersFor(const unsigned char* pKeys, Uint16 usMod)
{
    const auto held = [pKeys](unsigned char code) { return (pKeys[code] & 0x80) != 0; };
    tKeyModifiers modifiers;
    modifiers.bShift = held(DIK_LSHIFT) || held(DIK_RSHIFT) || (usMod & KMOD_SHIFT);
    modifiers.bAltGr =
        (usMod & KMOD_MODE) || (held(DIK_RMENU) && SDL_GetKeyFromScancode(SDL_SCANCODE_RALT) == SDLK_MODE);
    modifiers.bCtrl = !modifiers.bAltGr && (held(DIK_LCONTROL) || held(DIK_RCONTROL) || (usMod & KMOD_CTRL));
    modifiers.bCapsLock = (usMod & KMOD_CAPS) != 0;
    modifiers.bNumLock = (usMod & KMOD_NUM) != 0;
    return modifiers;
}
