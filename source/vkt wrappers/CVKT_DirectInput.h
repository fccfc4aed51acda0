// Keyboard, mouse and joystick input with DirectInput key codes.
// STAND-IN: only the operations the game core calls; the full input layer replaces this file.
#pragma once

#include "VKT_KeyCodes.h"
#include "VKT_Types.h"

union SDL_Event;

class CVKT_DirectInput
{
public:
    static CVKT_DirectInput* GetInstance();

    bool InitDirectInput(HWND hWnd, HINSTANCE hInstance, unsigned int unInitDevices,
                         unsigned int unExclusiveDevices = 0);
    void ShutdownDirectInput();
    void ReadDevices();

    bool KeyDown(unsigned char ucDIKey);
    bool KeyPressed(unsigned char ucDIKey);

    // Platform: the window's event pump hands every keyboard, mouse and controller event here.
    void HandleEvent(const SDL_Event& event);
    // Platform: the window lost or regained the input focus.
    void OnFocusLost();
    void OnFocusGained();

private:
    bool m_bInitialised = false;
    unsigned char m_live[256] = {};
    unsigned char m_current[256] = {};
    unsigned char m_previous[256] = {};
};
