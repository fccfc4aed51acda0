#include "CControls.h"

#include "CVKT_DirectInput.h"
#include "CVKT_InputBindings.h"
#include "VKT_KeyCodes.h"
#include "VKT_PadButtons.h"

#include <cassert>
#include <cstring>

namespace
{
struct tControlInfo
{
    const char* szName;
    const char* szFileName;
    unsigned char ucKey;
    int nPadButton;
};

const tControlInfo CONTROLS[CONTROL_COUNT] = {
    {"Fly up", "up", DIK_UP, NO_PAD_BUTTON},       {"Fly down", "down", DIK_DOWN, NO_PAD_BUTTON},
    {"Fly left", "left", DIK_LEFT, NO_PAD_BUTTON}, {"Fly right", "right", DIK_RIGHT, NO_PAD_BUTTON},
    {"Fire", "fire", DIK_SPACE, PAD_SOUTH},        {"Pause", "pause", DIK_P, PAD_START},
};

struct tButtonInfo
{
    const char* szName;
    const char* szFileName;
};

// By ePadButton.
const tButtonInfo BUTTONS[PAD_BUTTON_COUNT] = {
    {"South", "south"},
    {"East", "east"},
    {"West", "west"},
    {"North", "north"},
    {"Back", "back"},
    {"Guide", "guide"},
    {"Start", "start"},
    {"L stick", "leftstick"},
    {"R stick", "rightstick"},
    {"L shoulder", "leftshoulder"},
    {"R shoulder", "rightshoulder"},
};

// The menus and the display switch need these whatever the player chooses.
const unsigned char KEPT_KEYS[] = {DIK_ESCAPE, DIK_RETURN, DIK_F11, DIK_LMENU, DIK_RMENU};

bool IsControl(int nControl)
{
    assert(nControl >= 0 && nControl < CONTROL_COUNT && "control out of range");
    return nControl >= 0 && nControl < CONTROL_COUNT;
}

// The action other than nControl whose key (or button) is nValue; -1 when there is none.
int KeyHolder(const tControlSettings& controls, int nControl, int nValue)
{
    for (int other = 0; other < CONTROL_COUNT; ++other)
    {
        if (other != nControl && controls.ucKeys[other] == nValue)
            return other;
    }
    return -1;
}

int ButtonHolder(const tControlSettings& controls, int nControl, int nValue)
{
    for (int other = 0; other < CONTROL_COUNT; ++other)
    {
        if (other != nControl && CControls::HasPadButton(other) && controls.cPadButtons[other] == nValue)
            return other;
    }
    return -1;
}

bool KeysShared(const tControlSettings& controls)
{
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        if (KeyHolder(controls, nControl, controls.ucKeys[nControl]) >= 0)
            return true;
    }
    return false;
}

bool ButtonsShared(const tControlSettings& controls)
{
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        if (CControls::HasPadButton(nControl) &&
            ButtonHolder(controls, nControl, controls.cPadButtons[nControl]) >= 0)
            return true;
    }
    return false;
}

// An action whose key cannot be used, or that an earlier action already has, goes back to its default.
void RepairKeys(tControlSettings& controls)
{
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        const unsigned char ucKey = controls.ucKeys[nControl];
        const int nHolder = KeyHolder(controls, nControl, ucKey);
        if (CControls::IsKeyAllowed(ucKey) && (nHolder < 0 || nHolder > nControl))
            continue;
        controls.ucKeys[nControl] = CONTROLS[nControl].ucKey;
        controls.ucFellBack = static_cast<uint8_t>(controls.ucFellBack | (1u << nControl));
    }
    if (!KeysShared(controls))
        return;
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        if (controls.ucKeys[nControl] != CONTROLS[nControl].ucKey)
            controls.ucFellBack = static_cast<uint8_t>(controls.ucFellBack | (1u << nControl));
        controls.ucKeys[nControl] = CONTROLS[nControl].ucKey;
    }
}

void RepairButtons(tControlSettings& controls)
{
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        if (!CControls::HasPadButton(nControl))
        {
            controls.cPadButtons[nControl] = NO_PAD_BUTTON;
            continue;
        }
        const int nButton = controls.cPadButtons[nControl];
        const int nHolder = ButtonHolder(controls, nControl, nButton);
        if (CControls::IsPadButtonAllowed(nButton) && (nHolder < 0 || nHolder > nControl))
            continue;
        controls.cPadButtons[nControl] = static_cast<int8_t>(CONTROLS[nControl].nPadButton);
        controls.ucFellBack = static_cast<uint8_t>(controls.ucFellBack | (1u << nControl));
    }
    if (!ButtonsShared(controls))
        return;
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        if (controls.cPadButtons[nControl] != CONTROLS[nControl].nPadButton)
            controls.ucFellBack = static_cast<uint8_t>(controls.ucFellBack | (1u << nControl));
        controls.cPadButtons[nControl] = static_cast<int8_t>(CONTROLS[nControl].nPadButton);
    }
}
} // namespace

bool tControlSettings::operator==(const tControlSettings& other) const
{
    return std::memcmp(ucKeys, other.ucKeys, sizeof ucKeys) == 0 &&
           std::memcmp(cPadButtons, other.cPadButtons, sizeof cPadButtons) == 0;
}

tControlSettings CControls::Defaults()
{
    tControlSettings controls;
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        controls.ucKeys[nControl] = CONTROLS[nControl].ucKey;
        controls.cPadButtons[nControl] = static_cast<int8_t>(CONTROLS[nControl].nPadButton);
    }
    controls.ucFellBack = 0;
    return controls;
}

const char* CControls::Name(int nControl)
{
    return IsControl(nControl) ? CONTROLS[nControl].szName : "";
}

const char* CControls::FileName(int nControl)
{
    return IsControl(nControl) ? CONTROLS[nControl].szFileName : "";
}

bool CControls::HasPadButton(int nControl)
{
    return IsControl(nControl) && CONTROLS[nControl].nPadButton != NO_PAD_BUTTON;
}

bool CControls::IsKeyAllowed(unsigned char ucKey)
{
    if (CVKT_InputBindings::KeyPlaceName(ucKey).empty())
        return false;
    for (const unsigned char ucKept : KEPT_KEYS)
    {
        if (ucKey == ucKept)
            return false;
    }
    return true;
}

bool CControls::IsPadButtonAllowed(int nButton)
{
    return nButton >= 0 && nButton < PAD_BUTTON_COUNT && nButton != PAD_EAST && nButton != PAD_GUIDE;
}

CControls::eChange CControls::BindKey(tControlSettings& controls, int nControl, unsigned char ucKey,
                                      int* pnSwapped)
{
    if (pnSwapped)
        *pnSwapped = -1;
    if (!IsControl(nControl) || !IsKeyAllowed(ucKey))
        return eChange::Refused;
    const int nHolder = KeyHolder(controls, nControl, ucKey);
    if (nHolder >= 0)
        controls.ucKeys[nHolder] = controls.ucKeys[nControl];
    controls.ucKeys[nControl] = ucKey;
    if (pnSwapped)
        *pnSwapped = nHolder;
    return nHolder >= 0 ? eChange::Swapped : eChange::Bound;
}

CControls::eChange CControls::BindPadButton(tControlSettings& controls, int nControl, int nButton,
                                            int* pnSwapped)
{
    if (pnSwapped)
        *pnSwapped = -1;
    if (!HasPadButton(nControl) || !IsPadButtonAllowed(nButton))
        return eChange::Refused;
    const int nHolder = ButtonHolder(controls, nControl, nButton);
    if (nHolder >= 0)
        controls.cPadButtons[nHolder] = controls.cPadButtons[nControl];
    controls.cPadButtons[nControl] = static_cast<int8_t>(nButton);
    if (pnSwapped)
        *pnSwapped = nHolder;
    return nHolder >= 0 ? eChange::Swapped : eChange::Bound;
}

void CControls::Repair(tControlSettings& controls)
{
    RepairKeys(controls);
    RepairButtons(controls);
}

void CControls::Apply(const tControlSettings& controls)
{
    CVKT_InputBindings::tBinding keys[CONTROL_COUNT];
    CVKT_InputBindings::tBinding buttons[CONTROL_COUNT];
    size_t uButtons = 0;
    for (int nControl = 0; nControl < CONTROL_COUNT; ++nControl)
    {
        keys[nControl] = {CONTROLS[nControl].ucKey, controls.ucKeys[nControl]};
        if (HasPadButton(nControl))
            buttons[uButtons++] = {CONTROLS[nControl].nPadButton, controls.cPadButtons[nControl]};
    }
    CVKT_InputBindings bindings;
    bindings.SetKeys(keys, CONTROL_COUNT);
    bindings.SetPadButtons(buttons, uButtons);
    CVKT_DirectInput::GetInstance()->SetBindings(bindings);
}

std::string CControls::KeyName(unsigned char ucKey)
{
    return CVKT_InputBindings::KeyName(ucKey);
}

const char* CControls::PadButtonName(int nButton)
{
    return nButton >= 0 && nButton < PAD_BUTTON_COUNT ? BUTTONS[nButton].szName : "";
}

std::string CControls::KeyFileName(unsigned char ucKey)
{
    return CVKT_InputBindings::KeyPlaceName(ucKey);
}

unsigned char CControls::KeyFromFileName(const char* szName)
{
    return CVKT_InputBindings::KeyFromPlaceName(szName);
}

const char* CControls::PadButtonFileName(int nButton)
{
    return nButton >= 0 && nButton < PAD_BUTTON_COUNT ? BUTTONS[nButton].szFileName : "";
}

int CControls::PadButtonFromFileName(const char* szName)
{
    if (!szName)
        return NO_PAD_BUTTON;
    for (int nButton = 0; nButton < PAD_BUTTON_COUNT; ++nButton)
    {
        if (std::strcmp(BUTTONS[nButton].szFileName, szName) == 0)
            return nButton;
    }
    return NO_PAD_BUTTON;
}
