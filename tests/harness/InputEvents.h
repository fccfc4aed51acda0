// Input as the window system delivers it: events pushed into SDL's real queue, taken by the game
// window's pump in the next frame like any other.
#pragma once

#include <SDL.h>

namespace headless
{
void PushKey(SDL_Scancode scancode, bool down, Uint16 modifiers = KMOD_NONE);
// Down, then up.
void PushKeyPress(SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE);
// The text a key press types (UTF-8, as the window system sends it beside the key).
void PushText(const char* szUtf8);
// A window event (SDL_WINDOWEVENT_FOCUS_LOST, _CLOSE, ...) for the window; null: window id 0.
void PushWindowEvent(SDL_Window* pWindow, Uint8 windowEvent);
// The application's quit request, as SDL sends it after the last window closes or on a signal.
void PushQuit();

void PushMouseMotion(int dx, int dy);
void PushMouseButton(Uint8 sdlButton, bool down);
// Wheel notches, positive away from the user; flipped: the system reverses the direction.
void PushMouseWheel(int notches, bool flipped = false);
} // namespace headless
