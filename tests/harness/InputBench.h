// The input layer's bench: the game's window on SDL's current video driver (dummy under CTest)
// with its event pump as the one reader of SDL's queue, frames run the way the game runs them (pump,
// then ReadDevices), and every message the platform layer shows recorded.
#pragma once

#include "InputEvents.h"
#include "MessageRecorder.h"

#include "VKT_Types.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace headless
{
class InputBench
{
public:
    // Starts the platform and opens the window; the window starts with the focus. Throws
    // std::runtime_error when either does not start.
    InputBench();
    // Shuts the input layer down and stops SDL.
    ~InputBench();
    InputBench(const InputBench&) = delete;
    InputBench& operator=(const InputBench&) = delete;

    HWND Window() const { return m_hWnd; }
    // One frame: every waiting event routed by the window's pump, then the devices read.
    void Frame();
    // Only the pump, no read.
    void Pump();

    // "title|text" of every message shown since the bench started (or was last cleared).
    std::vector<std::string> Messages() const;
    void ClearMessages() { m_messages.Clear(); }
    // The window messages (Win32 numbers) the window procedure received.
    const std::vector<unsigned int>& WindowMessages() const;

    void LoseFocus();
    void GainFocus();

private:
    MessageRecorder m_messages;
    HWND m_hWnd = nullptr;
};
} // namespace headless
