#include "InputBench.h"

#include "CVKT_DirectInput.h"
#include "CVKT_Window.h"

#include <stdexcept>

namespace headless
{
namespace
{
// The window procedure is a plain function: what it receives is kept here.
std::vector<unsigned int>& WindowLog()
{
    static std::vector<unsigned int> log;
    return log;
}

intptr_t RecordingWndProc(HWND, unsigned int uMsg, uintptr_t, intptr_t)
{
    WindowLog().push_back(uMsg);
    return 0;
}
} // namespace

InputBench::InputBench()
{
    WindowLog().clear();
    CVKT_Window* window = CVKT_Window::GetInstance();
    if (!window->InitPlatform())
        throw std::runtime_error(SDL_GetError());
    m_hWnd = window->CreateGameWindow("VKTWindowClass", "Talonreach", 640, 480, RecordingWndProc);
    if (!m_hWnd)
        throw std::runtime_error(SDL_GetError());
    // Whatever an earlier test did to the focus, this window starts with it.
    GainFocus();
    Pump();
    WindowLog().clear();
}

InputBench::~InputBench()
{
    CVKT_DirectInput::GetInstance()->ShutdownDirectInput();
    CVKT_Window::GetInstance()->ShutdownPlatform();
}

void InputBench::Pump()
{
    CVKT_Window::GetInstance()->PeekMessages();
}

void InputBench::Frame()
{
    Pump();
    CVKT_DirectInput::GetInstance()->ReadDevices();
}

std::vector<std::string> InputBench::Messages() const
{
    std::vector<std::string> texts;
    for (const Message& message : m_messages.All())
        texts.push_back(message.title + "|" + message.text);
    return texts;
}

const std::vector<unsigned int>& InputBench::WindowMessages() const
{
    return WindowLog();
}

void InputBench::LoseFocus()
{
    PushWindowEvent(m_hWnd, SDL_WINDOWEVENT_FOCUS_LOST);
}

void InputBench::GainFocus()
{
    PushWindowEvent(m_hWnd, SDL_WINDOWEVENT_FOCUS_GAINED);
}
} // namespace headless
