// The keys and pad buttons the player chose, as the input layer applies them to a frame of input:
// a key bound to an action reads as the key code the game asks for that action (its default key), a
// default key bound to something else reads as nothing, and every other key reads as itself. Pad
// buttons the same way. A whole frame (tInputFrame) is turned at once, the keys held now and the keys
// held at the read before alike, so a key held while the table is switched on or off never sticks:
// each frame is turned afresh from the keys as the devices hold them.
//
// Key names: what is printed on the key in the player's layout (SDL's key name) for the screens, and
// the name of the key's place on the keyboard (SDL's scancode name) for files, which no change of
// layout alters. Keys are the game's DIK codes throughout.
#pragma once

#include "VKT_InputFrame.h"
#include "VKT_PadButtons.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CVKT_InputBindings
{
public:
    // What a key or button bound to nothing reads as.
    static constexpr unsigned char NO_KEY = 0;
    static constexpr int NO_BUTTON = -1;

    // One action: nBound (the key or button the player chose) reads as nCode (the one the game asks).
    struct tBinding
    {
        int nCode;
        int nBound;
    };

    // Every key and button reads as itself.
    CVKT_InputBindings();

    // Replaces the key table: every bound key reads as its code, every code not bound to itself reads
    // as nothing, the rest as themselves. Codes and bound keys are key codes 1..255, each code once and
    // each bound key once (asserted).
    void SetKeys(const tBinding* pBindings, size_t uCount);
    // The same for pad buttons (ePadButton).
    void SetPadButtons(const tBinding* pBindings, size_t uCount);

    // What the key reads as; NO_KEY for nothing.
    unsigned char KeyReadAs(unsigned char ucKey) const { return m_ucKeys[ucKey]; }
    // What the button reads as; NO_BUTTON for nothing.
    int PadButtonReadAs(int nButton) const;

    // The frame as the game reads it through the table: the keys held now and before, the key records
    // (a record of a key that reads as nothing keeps its place and the character it typed, with key
    // code 0), the pad buttons held and pressed. Modifiers and pad directions stay as they are.
    void Translate(tInputFrame& frame) const;

    // The name printed on the key in the player's layout ("Z", "Space", "Left Shift"), in printable
    // ASCII: where the layout's name has other characters, the name of the key's place; "Key n" where
    // that has too. Empty for NO_KEY and codes no key has.
    static std::string KeyName(unsigned char ucKey);
    // The name of the key's place on a US keyboard, the same under every layout; empty for codes no
    // key has.
    static std::string KeyPlaceName(unsigned char ucKey);
    // The key whose place has that name (letter case ignored); NO_KEY when no key of the game has it.
    static unsigned char KeyFromPlaceName(const char* szName);

private:
    unsigned char m_ucKeys[256];
    int8_t m_cPadButtons[PAD_BUTTON_COUNT];
};
