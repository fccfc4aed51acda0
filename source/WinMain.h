// The program entry: one running copy, the game window, the random seed, and the loop that runs one
// frame of the game per pass until the game ends or the window is closed.
#pragma once

#include "CVKT_Window.h"
#include "VKT_Types.h"

// The window class and title of the game's window.
constexpr const char* VKT_WINDOW_CLASS = "VKTWindowClass";
constexpr const char* VKT_WINDOW_TITLE = "Talonreach";

// Runs the whole program and returns its exit code: 0 when a copy already runs (it was raised) or
// the game ended, 128 + the signal's number when SIGTERM, SIGINT or SIGHUP ended it first.
int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char* szCmdLine, int nCmdShow);

// The game's window procedure: pauses the game when the window loses the focus during play and
// turns a close request into the end of the loop.
intptr_t WndProc(HWND hWnd, unsigned int uMsg, uintptr_t wParam, intptr_t lParam);
