#include "InputHarness.h"

#include "CVKT_DirectInput.h"
#include "CVKT_MessageBox.h"
#include "CVKT_Window.h"
#include "TestSupport.h"

#include <stdexcept>

namespace test
{
namespace
{
std::vector<std::string>& MessageLog()
{
    static std::vector<std::string> log;
    return log;
}

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

InputHarness::InputHarness()
{
    MessageLog().clear();
    WindowLog().clear();
    CVKT_MessageBox::SetListener([](const std::string& title, const std::string& text)
                                 { MessageLog().push_back(title + "|" + text); });
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

InputHarness::~InputHarness()
{
    CVKT_DirectInput::GetInstance()->ShutdownDirectInput();
    CVKT_Window::GetInstance()->ShutdownPlatform();
    CVKT_MessageBox::SetListener({});
}

void InputHarness::Pump()
{
    CVKT_Window::GetInstance()->PeekMessages();
}

void InputHarness::Frame()
{
    Pump();
    CVKT_DirectInput::GetInstance()->ReadDevices();
}

const std::vector<std::string>& InputHarness::Messages() const
{
    return MessageLog();
}

void InputHarness::ClearMessages()
{
    MessageLog().clear();
    CVKT_MessageBox::ForgetReported();
}

const std::vector<unsigned int>& InputHarness::WindowMessages() const
{
    return WindowLog();
}

void InputHarness::LoseFocus()
{
    PushWindowEvent(m_hWnd, SDL_WINDOWEVENT_FOCUS_LOST);
}

void InputHarness::GainFocus()
{
    PushWindowEvent(m_hWnd, SDL_WINDOWEVENT_FOCUS_GAINED);
}
} // namespace test
