// The table between SDL's scancodes and DIK codes, and the character translation on SDL's layout
// (other layouts are exercised against a real X server in test_DirectInputX11.cpp).
#include "CVKT_KeyMap.h"
#include "VKT_KeyCodes.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
// The layout comes from SDL's keyboard, which starts with SDL video.
class KeyMap : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO)); }
    static void TearDownTestSuite() { SDL_Quit(); }
};

struct tGameKey
{
    SDL_Scancode scancode;
    unsigned char dik;
};

// The keys the game reads, with their PC set-1 scan codes.
const tGameKey kGameKeys[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},    {SDL_SCANCODE_2, 0x03},      {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_P, 0x19},         {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39},     {SDL_SCANCODE_RALT, 0xB8},   {SDL_SCANCODE_UP, 0xC8},
    {SDL_SCANCODE_LEFT, 0xCB},      {SDL_SCANCODE_RIGHT, 0xCD},  {SDL_SCANCODE_DOWN, 0xD0},
    {SDL_SCANCODE_BACKSPACE, 0x0E},
};

TEST_F(KeyMap, GameKeysMapBothWays)
{
    for (const tGameKey& key : kGameKeys)
    {
        EXPECT_EQ(key.dik, CVKT_KeyMap::ToDIK(key.scancode)) << SDL_GetScancodeName(key.scancode);
        EXPECT_EQ(key.scancode, CVKT_KeyMap::ToScancode(key.dik)) << int(key.dik);
    }
}

TEST_F(KeyMap, ExtendedKeysCarryTheHighBit)
{
    const tGameKey extended[] = {
        {SDL_SCANCODE_RCTRL, 0x9D},  {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_KP_DIVIDE, 0xB5},
        {SDL_SCANCODE_INSERT, 0xD2}, {SDL_SCANCODE_DELETE, 0xD3},   {SDL_SCANCODE_HOME, 0xC7},
        {SDL_SCANCODE_END, 0xCF},    {SDL_SCANCODE_PAGEUP, 0xC9},   {SDL_SCANCODE_PAGEDOWN, 0xD1},
        {SDL_SCANCODE_LGUI, 0xDB},   {SDL_SCANCODE_RGUI, 0xDC},     {SDL_SCANCODE_APPLICATION, 0xDD},
    };
    for (const tGameKey& key : extended)
        EXPECT_EQ(key.dik, CVKT_KeyMap::ToDIK(key.scancode)) << SDL_GetScancodeName(key.scancode);
    // The keypad keys under the same positions are not extended.
    EXPECT_EQ(0x52, CVKT_KeyMap::ToDIK(SDL_SCANCODE_KP_0));
    EXPECT_EQ(0x53, CVKT_KeyMap::ToDIK(SDL_SCANCODE_KP_PERIOD));
    EXPECT_EQ(0x1C, CVKT_KeyMap::ToDIK(SDL_SCANCODE_RETURN));
}

TEST_F(KeyMap, EveryKeyOfAPcKeyboardHasItsOwnCode)
{
    std::set<unsigned char> codes;
    int keys = 0;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
    {
        const unsigned char code = CVKT_KeyMap::ToDIK(static_cast<SDL_Scancode>(scancode));
        if (code == 0 || scancode == SDL_SCANCODE_NONUSHASH)
            continue;
        ++keys;
        EXPECT_TRUE(codes.insert(code).second) << "code " << int(code) << " given twice";
        EXPECT_EQ(scancode, CVKT_KeyMap::ToScancode(code)) << int(code);
    }
    EXPECT_EQ(105, keys);
    // The ISO key beside Return sends the backslash's code.
    EXPECT_EQ(DIK_BACKSLASH, CVKT_KeyMap::ToDIK(SDL_SCANCODE_NONUSHASH));
    EXPECT_EQ(SDL_SCANCODE_BACKSLASH, CVKT_KeyMap::ToScancode(DIK_BACKSLASH));
    EXPECT_EQ(DIK_OEM_102, CVKT_KeyMap::ToDIK(SDL_SCANCODE_NONUSBACKSLASH));
}

TEST_F(KeyMap, KeysOffThePcKeyboardHaveNoCode)
{
    EXPECT_EQ(0, CVKT_KeyMap::ToDIK(SDL_SCANCODE_UNKNOWN));
    EXPECT_EQ(0, CVKT_KeyMap::ToDIK(SDL_SCANCODE_F13));
    EXPECT_EQ(0, CVKT_KeyMap::ToDIK(SDL_SCANCODE_AUDIOPLAY));
    EXPECT_EQ(0, CVKT_KeyMap::ToDIK(-1));
    EXPECT_EQ(0, CVKT_KeyMap::ToDIK(-24065));
    EXPECT_EQ(0, CVKT_KeyMap::ToDIK(SDL_NUM_SCANCODES));
    EXPECT_EQ(SDL_SCANCODE_UNKNOWN, CVKT_KeyMap::ToScancode(0));
    EXPECT_EQ(SDL_SCANCODE_UNKNOWN, CVKT_KeyMap::ToScancode(0x54));
    EXPECT_EQ(SDL_SCANCODE_UNKNOWN, CVKT_KeyMap::ToScancode(0xFF));
}

TEST_F(KeyMap, LettersFollowShiftAndCapsLock)
{
    tKeyModifiers none;
    tKeyModifiers shift;
    shift.bShift = true;
    tKeyModifiers caps;
    caps.bCapsLock = true;
    tKeyModifiers both = shift;
    both.bCapsLock = true;
    EXPECT_EQ('a', CVKT_KeyMap::ToCharacter(DIK_A, none));
    EXPECT_EQ('A', CVKT_KeyMap::ToCharacter(DIK_A, shift));
    EXPECT_EQ('A', CVKT_KeyMap::ToCharacter(DIK_A, caps));
    EXPECT_EQ('a', CVKT_KeyMap::ToCharacter(DIK_A, both));
    EXPECT_EQ('m', CVKT_KeyMap::ToCharacter(DIK_M, none));
    // Caps Lock leaves digits and punctuation alone.
    EXPECT_EQ('7', CVKT_KeyMap::ToCharacter(DIK_7, caps));
    EXPECT_EQ(',', CVKT_KeyMap::ToCharacter(DIK_COMMA, caps));
}

TEST_F(KeyMap, ShiftedSymbolsAreNotGuessed)
{
    tKeyModifiers shift;
    shift.bShift = true;
    EXPECT_EQ('1', CVKT_KeyMap::ToCharacter(DIK_1, tKeyModifiers{}));
    EXPECT_EQ(0, CVKT_KeyMap::ToCharacter(DIK_1, shift));
    EXPECT_EQ(0, CVKT_KeyMap::ToCharacter(DIK_SLASH, shift));
    EXPECT_EQ(' ', CVKT_KeyMap::ToCharacter(DIK_SPACE, shift));
    EXPECT_EQ(8, CVKT_KeyMap::ToCharacter(DIK_BACK, shift));
}

TEST_F(KeyMap, CtrlAndAltGrCombinations)
{
    tKeyModifiers ctrl;
    ctrl.bCtrl = true;
    EXPECT_EQ(1, CVKT_KeyMap::ToCharacter(DIK_A, ctrl));
    EXPECT_EQ(26, CVKT_KeyMap::ToCharacter(DIK_Z, ctrl));
    EXPECT_EQ(0, CVKT_KeyMap::ToCharacter(DIK_5, ctrl));
    EXPECT_EQ(13, CVKT_KeyMap::ToCharacter(DIK_RETURN, ctrl));
    tKeyModifiers altGr;
    altGr.bAltGr = true;
    EXPECT_EQ(0, CVKT_KeyMap::ToCharacter(DIK_Q, altGr));
    EXPECT_EQ(27, CVKT_KeyMap::ToCharacter(DIK_ESCAPE, altGr));
}

TEST_F(KeyMap, KeypadTypesDigitsOnlyWithNumLock)
{
    tKeyModifiers num;
    num.bNumLock = true;
    tKeyModifiers numShift = num;
    numShift.bShift = true;
    EXPECT_EQ('7', CVKT_KeyMap::ToCharacter(DIK_NUMPAD7, num));
    EXPECT_EQ('0', CVKT_KeyMap::ToCharacter(DIK_NUMPAD0, num));
    EXPECT_EQ('.', CVKT_KeyMap::ToCharacter(DIK_DECIMAL, num));
    EXPECT_EQ(0, CVKT_KeyMap::ToCharacter(DIK_NUMPAD7, tKeyModifiers{}));
    EXPECT_EQ(0, CVKT_KeyMap::ToCharacter(DIK_NUMPAD7, numShift));
    EXPECT_EQ('/', CVKT_KeyMap::ToCharacter(DIK_DIVIDE, tKeyModifiers{}));
    EXPECT_EQ('*', CVKT_KeyMap::ToCharacter(DIK_MULTIPLY, tKeyModifiers{}));
    EXPECT_EQ('+', CVKT_KeyMap::ToCharacter(DIK_ADD, tKeyModifiers{}));
    EXPECT_EQ(13, CVKT_KeyMap::ToCharacter(DIK_NUMPADENTER, tKeyModifiers{}));
}

TEST_F(KeyMap, ModifiersComeFromHeldKeysAndLockBits)
{
    unsigned char keys[256] = {};
    tKeyModifiers modifiers = CVKT_KeyMap::ModifiersFor(keys, KMOD_CAPS | KMOD_NUM);
    EXPECT_FALSE(modifiers.bShift);
    EXPECT_TRUE(modifiers.bCapsLock);
    EXPECT_TRUE(modifiers.bNumLock);
    keys[DIK_RSHIFT] = 0x80;
    keys[DIK_LCONTROL] = 0x80;
    modifiers = CVKT_KeyMap::ModifiersFor(keys, KMOD_NONE);
    EXPECT_TRUE(modifiers.bShift);
    EXPECT_TRUE(modifiers.bCtrl);
    EXPECT_FALSE(modifiers.bCapsLock);
    // AltGr (the mode switch) is not a Ctrl combination.
    modifiers = CVKT_KeyMap::ModifiersFor(keys, KMOD_MODE);
    EXPECT_TRUE(modifiers.bAltGr);
    EXPECT_FALSE(modifiers.bCtrl);
}
} // namespace
