#include "CVKT_KeyboardDeviceObject.h"

#include "VKT_KeyCodes.h"

#include <SDL.h>

#include <cstring>

namespace
{
// The first code point of a UTF-8 text, or -1 when the text is empty or malformed.
long FirstCodePoint(const char* utf8)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    if (bytes[0] == 0)
        return -1;
    if (bytes[0] < 0x80)
        return bytes[0];
    int continuation = 0;
    long codePoint = 0;
    if ((bytes[0] & 0xE0) == 0xC0)
    {
        continuation = 1;
        codePoint = bytes[0] & 0x1F;
    }
    else if ((bytes[0] & 0xF0) == 0xE0)
    {
        continuation = 2;
        codePoint = bytes[0] & 0x0F;
    }
    else if ((bytes[0] & 0xF8) == 0xF0)
    {
        continuation = 3;
        codePoint = bytes[0] & 0x07;
    }
    else
        return -1;
    for (int i = 1; i <= continuation; ++i)
    {
        if ((bytes[i] & 0xC0) != 0x80)
            return -1;
        codePoint = (codePoint << 6) | (bytes[i] & 0x3F);
    }
    return codePoint;
}

// The scancode as the integer the event carries: a sender may put any value there, and loading one
// outside SDL_Scancode's range as that enum would be undefined.
int RawScancode(const SDL_Keysym& keysym)
{
    int raw = 0;
    static_assert(sizeof raw == sizeof keysym.scancode, "SDL_Scancode is an int-sized enum");
    std::memcpy(&raw, &keysym.scancode, sizeof raw);
    return raw;
}
} // namespace

CVKT_KeyboardDeviceObject::CVKT_KeyboardDeviceObject() : CVKT_InputDeviceObject(STATE_SIZE) {}

std::unique_ptr<CVKT_KeyboardDeviceObject> CVKT_KeyboardDeviceObject::Create()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return nullptr;
    return std::unique_ptr<CVKT_KeyboardDeviceObject>(new CVKT_KeyboardDeviceObject());
}

void CVKT_KeyboardDeviceObject::HandleEvent(const SDL_Event& event)
{
    if (!SeesInput())
        return;
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        OnKey(event.key);
        break;
    case SDL_TEXTINPUT:
        OnText(event.text);
        break;
    default:
        break;
    }
}

void CVKT_KeyboardDeviceObject::OnKey(const SDL_KeyboardEvent& key)
{
    m_usLastMod = key.keysym.mod;
    m_dwTextTarget = 0;
    const unsigned char code = CVKT_KeyMap::ToDIK(RawScancode(key.keysym));
    if (code == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    const bool wasHeld = (m_Live[code] & 0x80) != 0;
    m_Live[code] = down ? 0x80 : 0;
    // Only changes are records: no auto-repeat, no release of a key never seen going down.
    if (down == wasHeld || key.repeat)
        return;
    const uint32_t character =
        down ? CVKT_KeyMap::ToCharacter(code, CVKT_KeyMap::ModifiersFor(m_Live, key.keysym.mod)) : 0;
    const uint32_t sequence = AddRecord(code, down ? 0x80 : 0, key.timestamp, character);
    if (down)
        m_dwTextTarget = sequence;
}

void CVKT_KeyboardDeviceObject::OnText(const SDL_TextInputEvent& text)
{
    tInputRecord* record = FindRecord(m_dwTextTarget);
    m_dwTextTarget = 0;
    if (!record)
        return;
    const long codePoint = FirstCodePoint(text.text);
    if (codePoint < 0)
        return;
    // Characters beyond 8 bits have no code the game could take.
    record->uAppData = codePoint <= 0xFF ? static_cast<uint32_t>(codePoint) : 0;
}

void CVKT_KeyboardDeviceObject::CopyLiveState(void* out)
{
    std::memcpy(out, m_Live, sizeof m_Live);
}

void CVKT_KeyboardDeviceObject::ClearLiveState()
{
    std::memset(m_Live, 0, sizeof m_Live);
    m_dwTextTarget = 0;
}

void CVKT_KeyboardDeviceObject::OnAcquired()
{
    if (IsExclusive() && CooperativeWindow())
        SDL_SetWindowKeyboardGrab(CooperativeWindow(), SDL_TRUE);
}

void CVKT_KeyboardDeviceObject::OnUnacquired()
{
    if (IsExclusive() && CooperativeWindow())
        SDL_SetWindowKeyboardGrab(CooperativeWindow(), SDL_FALSE);
}
