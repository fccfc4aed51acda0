// The system keyboard as an input device: 256 key bytes indexed by DIK code (0x80 = held), kept from
// SDL's key events. SDL_PushEvent does not touch SDL's own keyboard state, so the events are the
// only source; the same holds for the modifier state, which is taken from the keys held here and
// from the lock bits each key event carries.
//
// Each press is recorded with the character it typed (the record's application data): the layout's
// key with the Shift, Caps Lock, Ctrl and AltGr state of that moment, replaced by the window
// system's text for that press when one follows it (shifted symbols, AltGr characters, dead keys).
// Auto-repeated key-downs are not records, as with DirectInput.
#pragma once

#include "CVKT_InputDeviceObject.h"
#include "CVKT_KeyMap.h"

#include <SDL_events.h>

#include <memory>

class CVKT_KeyboardDeviceObject : public CVKT_InputDeviceObject
{
public:
    static constexpr size_t STATE_SIZE = 256;

    // Null when there is no keyboard to read: SDL video (the source of key events) is not running.
    static std::unique_ptr<CVKT_KeyboardDeviceObject> Create();

    void HandleEvent(const SDL_Event& event) override;

    // The lock keys (KMOD_CAPS, KMOD_NUM) as the latest key event reported them.
    Uint16 GetLockMod() const { return m_usLastMod & (KMOD_CAPS | KMOD_NUM); }

protected:
    void CopyLiveState(void* out) override;
    void ClearLiveState() override;
    void OnAcquired() override;
    void OnUnacquired() override;

private:
    CVKT_KeyboardDeviceObject();
    void OnKey(const SDL_KeyboardEvent& key);
    void OnText(const SDL_TextInputEvent& text);

    unsigned char m_Live[STATE_SIZE] = {};
    Uint16 m_usLastMod = KMOD_NONE;
    // The record of the latest press while a text event may still follow it; 0 when none.
    uint32_t m_dwTextTarget = 0;
};
