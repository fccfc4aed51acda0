// The one table between SDL's scancodes (the key's position, independent of the layout) and the
// game's DIK key codes (the PC set-1 scan code of the same position, extended keys with 0x80), and
// the translation of a key to the 8-bit character the current keyboard layout types with it.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

// What changes the character a key types.
struct tKeyModifiers
{
    bool bShift = false;
    bool bCapsLock = false;
    bool bNumLock = false;
    bool bCtrl = false;
    // The layout's third-level shift (AltGr) is held.
    bool bAltGr = false;
};

class CVKT_KeyMap
{
public:
    // The DIK code of the key at that position (an SDL_Scancode value, or any integer an event may
    // carry); 0 for keys the game's keyboard does not have.
    static unsigned char ToDIK(int nScancode);
    // The position of the key with that DIK code; SDL_SCANCODE_UNKNOWN for codes no key has. Where
    // two positions share a code (the ISO key beside Return and the US backslash) the US key is given.
    static SDL_Scancode ToScancode(unsigned char ucDIKey);

    // The character (Latin-1, 1..255) that the key types under the current layout with these
    // modifiers, or 0 when it types none: keys without a character, characters beyond 8 bits, and
    // shifted or AltGr symbols other than letters, which only the layout's own text can tell.
    // Backspace 8, Tab 9, Return and keypad Enter 13, Escape 27, Space 32 regardless of Shift.
    static unsigned char ToCharacter(unsigned char ucDIKey, const tKeyModifiers& modifiers);

    // The modifiers for a key state (256 bytes by DIK code, 0x80 = held) and SDL's modifier bits: the
    // lock keys come from the bits alone, Shift, Ctrl and AltGr from either. Right Alt is AltGr on the
    // layouts that put the mode switch on it; AltGr is not a Ctrl combination.
    static tKeyModifiers ModifiersFor(const unsigned char* pKeys, Uint16 usMod);
};
