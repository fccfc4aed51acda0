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

void PushMouseMotion(int dx, int dy)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    event.motion.timestamp = SDL_GetTicks();
    SDL_PushEvent(&event);
}

void PushMouseButton(Uint8 sdlButton, bool down)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = sdlButton;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.timestamp = SDL_GetTicks();
    SDL_PushEvent(&event);
}

void PushMouseWheel(int notches, bool flipped)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.preciseY = static_cast<float>(notches);
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    event.wheel.timestamp = SDL_GetTicks();
    SDL_PushEvent(&event);
}
} // namespace test
