// The records and numbers of the input layer, laid out as DirectInput 8 lays them out: the game's
// input wrappers were written against that model, and the SDL devices underneath imitate it.
#pragma once

#include <cstdint>

// Result of a device operation: 0 or positive is success, negative a failure (the HRESULT values
// DirectInput uses, so that a failure can be told apart the way the wrappers expect).
using DIRESULT = int32_t;

constexpr DIRESULT DI_OK = 0;
// Success, but nothing happened (acquiring an acquired device, polling a device that needs no poll).
constexpr DIRESULT DI_NOEFFECT = 1;
// Success, but records were lost because the buffer was full.
constexpr DIRESULT DI_BUFFEROVERFLOW = 1;
constexpr DIRESULT DIERR_NOTACQUIRED = static_cast<DIRESULT>(0x8007000Cu);
constexpr DIRESULT DIERR_INPUTLOST = static_cast<DIRESULT>(0x8007001Eu);
constexpr DIRESULT DIERR_UNPLUGGED = static_cast<DIRESULT>(0x80040209u);
constexpr DIRESULT DIERR_OTHERAPPHASPRIO = static_cast<DIRESULT>(0x80070005u);
constexpr DIRESULT DIERR_INVALIDPARAM = static_cast<DIRESULT>(0x80070057u);
constexpr DIRESULT DIERR_HANDLE = static_cast<DIRESULT>(0x80070006u);
constexpr DIRESULT DIERR_NOTINITIALIZED = static_cast<DIRESULT>(0x80070015u);
constexpr DIRESULT DIERR_NOTBUFFERED = static_cast<DIRESULT>(0x80040207u);
constexpr DIRESULT DIERR_ACQUIRED = static_cast<DIRESULT>(0x800700AAu);

inline bool DISucceeded(DIRESULT result)
{
    return result >= 0;
}

// Cooperative levels.
constexpr unsigned int DISCL_EXCLUSIVE = 0x01;
constexpr unsigned int DISCL_NONEXCLUSIVE = 0x02;
constexpr unsigned int DISCL_FOREGROUND = 0x04;
constexpr unsigned int DISCL_BACKGROUND = 0x08;
constexpr unsigned int DISCL_NOWINKEY = 0x10;

// One buffered input event: five 32-bit fields. dwOfs names the key (its DIK code), button or axis
// (its offset in the device's state record); dwData is 0x80 for "went down", 0 for "went up", or an
// axis value; dwTimeStamp is in milliseconds; dwSequence orders events across all devices.
// uAppData: for keyboard presses the character the press typed (0 for none), otherwise 0.
struct tInputRecord
{
    uint32_t dwOfs;
    uint32_t dwData;
    uint32_t dwTimeStamp;
    uint32_t dwSequence;
    uint32_t uAppData;
};
static_assert(sizeof(tInputRecord) == 20, "a buffered record is five 32-bit fields");

// The mouse's immediate state: movement since the previous read (x, y, wheel) and 8 buttons
// (bit 0x80 = held).
struct tMouseState
{
    int32_t lX;
    int32_t lY;
    int32_t lZ;
    uint8_t rgbButtons[8];
};
static_assert(sizeof(tMouseState) == 20, "the 8-button mouse record is 20 bytes");

constexpr uint32_t DIMOFS_X = 0;
constexpr uint32_t DIMOFS_Y = 4;
constexpr uint32_t DIMOFS_Z = 8;
constexpr uint32_t DIMOFS_BUTTON0 = 12;

// The extended joystick state. Axes hold values in their configured range; a point-of-view hat holds
// hundredths of a degree clockwise from up, 0xFFFFFFFF when centred; buttons bit 0x80 = held. The
// velocity, acceleration and force fields are never filled.
struct tJoystickState
{
    int32_t lX;
    int32_t lY;
    int32_t lZ;
    int32_t lRx;
    int32_t lRy;
    int32_t lRz;
    int32_t rglSlider[2];
    uint32_t rgdwPOV[4];
    uint8_t rgbButtons[128];
    int32_t lVX, lVY, lVZ, lVRx, lVRy, lVRz;
    int32_t rglVSlider[2];
    int32_t lAX, lAY, lAZ, lARx, lARy, lARz;
    int32_t rglASlider[2];
    int32_t lFX, lFY, lFZ, lFRx, lFRy, lFRz;
    int32_t rglFSlider[2];
};
static_assert(sizeof(tJoystickState) == 272, "the extended joystick record is 272 bytes");

constexpr uint32_t DIJOFS_X = 0;
constexpr uint32_t DIJOFS_Y = 4;
constexpr uint32_t DIJOFS_Z = 8;
constexpr uint32_t DIJOFS_RX = 12;
constexpr uint32_t DIJOFS_RY = 16;
constexpr uint32_t DIJOFS_RZ = 20;
constexpr uint32_t DIJOFS_SLIDER(int n)
{
    return 24 + 4 * static_cast<uint32_t>(n);
}
constexpr uint32_t DIJOFS_POV(int n)
{
    return 32 + 4 * static_cast<uint32_t>(n);
}
constexpr uint32_t DIJOFS_BUTTON(int n)
{
    return 48 + static_cast<uint32_t>(n);
}

// A centred point-of-view hat.
constexpr uint32_t VKT_POV_CENTERED = 0xFFFFFFFFu;
