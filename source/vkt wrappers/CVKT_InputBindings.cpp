#include "CVKT_InputBindings.h"

#include "CVKT_KeyMap.h"

#include <SDL_keyboard.h>

#include <cassert>
#include <cstdio>
#include <strings.h>

namespace
{
// Scancode names SDL leaves empty (the ISO key beside the left Shift) are written this way.
const char* const SCANCODE_PREFIX = "Scancode ";

bool IsPrintableAscii(const std::string& text)
{
    if (text.empty())
        return false;
    for (const char c : text)
    {
        if (c < 32 || c > 126)
            return false;
    }
    return true;
}

void MapKeys(const unsigned char* pTable, const uint8_t* pSet, uint8_t* pOut)
{
    for (unsigned int code = 0; code < 256; ++code)
        tInputFrame::SetBit(pOut, code, false);
    for (unsigned int key = 1; key < 256; ++key)
    {
        if (tInputFrame::Bit(pSet, key) && pTable[key] != CVKT_InputBindings::NO_KEY)
            tInputFrame::SetBit(pOut, pTable[key], true);
    }
}

uint16_t MapButtons(const int8_t* pTable, uint16_t usButtons)
{
    uint16_t usRead = 0;
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if ((usButtons & (1u << nButton)) && pTable[nButton] != CVKT_InputBindings::NO_BUTTON)
            usRead = static_cast<uint16_t>(usRead | (1u << pTable[nButton]));
    }
    return usRead;
}
} // namespace

CVKT_InputBindings::CVKT_InputBindings()
{
    for (unsigned int key = 0; key < 256; ++key)
        m_ucKeys[key] = static_cast<unsigned char>(key);
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
        m_cPadButtons[nButton] = static_cast<int8_t>(nButton);
}

void CVKT_InputBindings::SetKeys(const tBinding* pBindings, size_t uCount)
{
    for (unsigned int key = 0; key < 256; ++key)
        m_ucKeys[key] = static_cast<unsigned char>(key);
    // Every default key reads as nothing first and the bound keys are set after, so that a default key
    // bound to another action (a swap) or to its own reads as that action's code in the end.
    for (size_t i = 0; i < uCount; ++i)
    {
        assert(pBindings[i].nCode > 0 && pBindings[i].nCode < 256 && "key code out of range");
        if (pBindings[i].nCode > 0 && pBindings[i].nCode < 256)
            m_ucKeys[pBindings[i].nCode] = NO_KEY;
    }
    bool bTaken[256] = {};
    for (size_t i = 0; i < uCount; ++i)
    {
        const int nBound = pBindings[i].nBound;
        assert(nBound > 0 && nBound < 256 && !bTaken[nBound] && "bound key out of range or bound twice");
        if (nBound <= 0 || nBound >= 256 || bTaken[nBound])
            continue;
        bTaken[nBound] = true;
        m_ucKeys[nBound] = static_cast<unsigned char>(pBindings[i].nCode);
    }
}

void CVKT_InputBindings::SetPadButtons(const tBinding* pBindings, size_t uCount)
{
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
        m_cPadButtons[nButton] = static_cast<int8_t>(nButton);
    for (size_t i = 0; i < uCount; ++i)
    {
        assert(pBindings[i].nCode >= 0 && pBindings[i].nCode < PAD_BUTTON_COUNT && "pad button out of range");
        if (pBindings[i].nCode >= 0 && pBindings[i].nCode < PAD_BUTTON_COUNT)
            m_cPadButtons[pBindings[i].nCode] = NO_BUTTON;
    }
    bool bTaken[PAD_BUTTON_COUNT] = {};
    for (size_t i = 0; i < uCount; ++i)
    {
        const int nBound = pBindings[i].nBound;
        assert(nBound >= 0 && nBound < PAD_BUTTON_COUNT && !bTaken[nBound] &&
               "pad button out of range or bound twice");
        if (nBound < 0 || nBound >= PAD_BUTTON_COUNT || bTaken[nBound])
            continue;
        bTaken[nBound] = true;
        m_cPadButtons[nBound] = static_cast<int8_t>(pBindings[i].nCode);
    }
}

int CVKT_InputBindings::PadButtonReadAs(int nButton) const
{
    assert(nButton >= 0 && nButton < PAD_BUTTON_COUNT && "pad button out of range");
    if (nButton < 0 || nButton >= PAD_BUTTON_COUNT)
        return NO_BUTTON;
    return m_cPadButtons[nButton];
}

void CVKT_InputBindings::Translate(tInputFrame& frame) const
{
    const tInputFrame held = frame;
    MapKeys(m_ucKeys, held.keysDown, frame.keysDown);
    MapKeys(m_ucKeys, held.keysWereDown, frame.keysWereDown);
    for (unsigned int i = 0; i < frame.ucRecordCount && i < tInputFrame::MAX_KEY_RECORDS; ++i)
        frame.records[i].ucKey = m_ucKeys[frame.records[i].ucKey];
    frame.usPadButtonsDown = MapButtons(m_cPadButtons, held.usPadButtonsDown);
    frame.usPadButtonsPressed = MapButtons(m_cPadButtons, held.usPadButtonsPressed);
}

std::string CVKT_InputBindings::KeyName(unsigned char ucKey)
{
    const SDL_Scancode scancode = CVKT_KeyMap::ToScancode(ucKey);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return std::string();
    // SDL_GetKeyName's answer lives only until its next call: it is copied at once.
    const std::string layout = SDL_GetKeyName(SDL_GetKeyFromScancode(scancode));
    if (IsPrintableAscii(layout))
        return layout;
    const std::string place = KeyPlaceName(ucKey);
    if (IsPrintableAscii(place) &&
        place.compare(0, std::string(SCANCODE_PREFIX).size(), SCANCODE_PREFIX) != 0)
        return place;
    char szName[16];
    std::snprintf(szName, sizeof szName, "Key %u", static_cast<unsigned int>(ucKey));
    return szName;
}

std::string CVKT_InputBindings::KeyPlaceName(unsigned char ucKey)
{
    const SDL_Scancode scancode = CVKT_KeyMap::ToScancode(ucKey);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return std::string();
    const std::string name = SDL_GetScancodeName(scancode);
    if (!name.empty())
        return name;
    return SCANCODE_PREFIX + std::to_string(static_cast<int>(scancode));
}

unsigned char CVKT_InputBindings::KeyFromPlaceName(const char* szName)
{
    if (!szName || *szName == '\0')
        return NO_KEY;
    // Through the game's own keys rather than SDL_GetScancodeFromName, which would name keys the game
    // cannot read and leave an error message behind for every unknown name.
    for (unsigned int key = 1; key < 256; ++key)
    {
        const unsigned char ucKey = static_cast<unsigned char>(key);
        if (CVKT_KeyMap::ToScancode(ucKey) == SDL_SCANCODE_UNKNOWN)
            continue;
        if (strcasecmp(KeyPlaceName(ucKey).c_str(), szName) == 0)
            return ucKey;
    }
    return NO_KEY;
}
