// One frame of input as a plain record: everything the keyboard and pad queries of CVKT_DirectInput
// answer from between two reads. The input layer fills one from its devices (GetFrame) and can answer
// a frame's queries from one instead of its devices (UseFrame), so that a frame the game once read
// can be read again exactly.
#pragma once

#include <cstdint>

// A buffered key event: the key's DIK code, whether it went down, and the character a press typed
// (0 for none).
struct tKeyRecord
{
    uint8_t ucKey = 0;
    bool bDown = false;
    uint8_t ucChar = 0;
};

struct tInputFrame
{
    static constexpr unsigned int MAX_KEY_RECORDS = 10;
    static constexpr unsigned int KEY_BYTES = 32;

    // Bits of ucModifiers: what changes the character a held key types.
    static constexpr uint8_t MOD_SHIFT = 0x01;
    static constexpr uint8_t MOD_CAPS_LOCK = 0x02;
    static constexpr uint8_t MOD_NUM_LOCK = 0x04;
    static constexpr uint8_t MOD_CTRL = 0x08;
    static constexpr uint8_t MOD_ALT_GR = 0x10;

    // Key code k is bit (k % 8) of byte k / 8: held at this read, and at the read before.
    uint8_t keysDown[KEY_BYTES] = {};
    uint8_t keysWereDown[KEY_BYTES] = {};
    uint8_t ucModifiers = 0;
    // The key events that arrived between the two reads, oldest first.
    uint8_t ucRecordCount = 0;
    tKeyRecord records[MAX_KEY_RECORDS];
    // Game pads, all of them together: bit n for ePadButton n and ePadDirection n. Pressed means held
    // now on a pad that did not hold it at the read before.
    uint16_t usPadButtonsDown = 0;
    uint16_t usPadButtonsPressed = 0;
    uint8_t ucPadDirectionsDown = 0;
    uint8_t ucPadDirectionsPressed = 0;
    bool bPlayingPadLost = false;

    static bool Bit(const uint8_t* pSet, unsigned int uKey) { return (pSet[uKey / 8] >> (uKey % 8)) & 1u; }
    static void SetBit(uint8_t* pSet, unsigned int uKey, bool bOn)
    {
        const uint8_t mask = static_cast<uint8_t>(1u << (uKey % 8));
        pSet[uKey / 8] = static_cast<uint8_t>(bOn ? pSet[uKey / 8] | mask : pSet[uKey / 8] & ~mask);
    }
};

// Field by field, records beyond the count not looked at.
bool operator==(const tInputFrame& a, const tInputFrame& b);
inline bool operator!=(const tInputFrame& a, const tInputFrame& b)
{
    return !(a == b);
}
