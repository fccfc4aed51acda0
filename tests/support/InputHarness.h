// The input layer's test bench: the game's window on SDL's current video driver (dummy under CTest)
// with its event pump as the one reader of SDL's queue, frames run the way the game runs them (pump,
// then ReadDevices), and every message the platform layer shows collected.
#pragma once

#include "InputEvents.h"
#include "VKT_Types.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace test
{
class InputHarness
{
public:
    // Starts the platform and opens the window; the window starts with the focus.
    InputHarness();
    // Shuts the input layer down and stops SDL.
    ~InputHarness();
    InputHarness(const InputHarness&) = delete;
    InputHarness& operator=(const InputHarness&) = delete;

    HWND Window() const { return m_hWnd; }
    // One frame: every waiting event routed by the window's pump, then the devices read.
    void Frame();
    // Only the pump, no read.
    void Pump();

    // "title|text" of every message shown since the harness started.
    const std::vector<std::string>& Messages() const;
    void ClearMessages();
    // The window messages (Win32 numbers) the window procedure received.
    const std::vector<unsigned int>& WindowMessages() const;

    void LoseFocus();
    void GainFocus();

private:
    HWND m_hWnd = nullptr;
};

using headless::PushMouseButton;
using headless::PushMouseMotion;
using headless::PushMouseWheel;
} // namespace test
