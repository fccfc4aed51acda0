#include "InputEvents.h"

namespace headless
{
void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    event.key.keysym.mod = modifiers;
    event.key.timestamp = SDL_GetTicks();
    SDL_PushEvent(&event);
}

void PushKeyPress(SDL_Scancode scancode, Uint16 modifiers)
{
    PushKey(scancode, true, modifiers);
    PushKey(scancode, false, modifiers);
}

void PushText(const char* szUtf8)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, szUtf8, sizeof event.text.text);
    SDL_PushEvent(&event);
}

void PushWindowEvent(SDL_Window* pWindow, Uint8 windowEvent)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_WINDOWEVENT;
    event.window.event = windowEvent;
    event.window.windowID = pWindow ? SDL_GetWindowID(pWindow) : 0;
    SDL_PushEvent(&event);
}

void PushQuit()
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
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
} // namespace headless
