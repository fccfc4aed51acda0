// The program entry: one running copy, the game window, the random seed, and the loop that runs one
// frame of the game per pass until the game ends or the window is closed.
#pragma once

#include "CSettingsFile.h"

#include "CVKT_Window.h"
#include "VKT_Types.h"

class CGame;
class CVKT_FramePacer;

// The window class of the game's window: the id of its desktop entry (packaging/), by which docks,
// task switchers and Wayland compositors find the game's name and icon for the window. It is the
// X11 WM_CLASS and the Wayland app_id.
constexpr const char* VKT_WINDOW_CLASS = "org.talonreach.Talonreach";
constexpr const char* VKT_WINDOW_TITLE = "Talonreach";
// The name of the one-copy lock (CVKT_SingleInstance), the window class the game always had: a copy
// of an earlier version and this one still find each other.
constexpr const char* VKT_INSTANCE_NAME = "VKTWindowClass";

// Runs the whole program and returns its exit code: 0 when a copy already runs (it was raised) or
// the game ended, 1 when the game's data was found nowhere, 128 + the signal's number when SIGTERM,
// SIGINT or SIGHUP ended it first.
int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, const char* szCmdLine, int nCmdShow);

// Shows the recorded game in szFile in the game's window and returns the exit code: 0 when it was
// watched (to its end or left), 1 when the file cannot be played (the reason on standard error,
// before any window opens) or the game's data was found nowhere, 3 when the replayed game came out
// differently from the record (reported in a box), 128 + the signal's number as WinMain.
int WatchReplay(const char* szFile);

// One pass of the program's loop: takes the waiting window messages, then runs one frame and waits
// until the display is ready for the next. While the window is minimised or hidden it runs no
// frame and draws nothing, and waits up to a quarter of a second for a message instead. False when
// the loop is to end: the quit message was taken, or the game ended in its frame.
bool RunLoopPass(CVKT_Window* pWindow, CGame* pGame, CVKT_FramePacer* pPacer);

// How the settings file says the game was last shown; the defaults when it cannot be read.
tDisplaySettings RememberedDisplay();

// Opens the game's window (class VKT_WINDOW_CLASS, title VKT_WINDOW_TITLE, WndProc, the icon
// IMAGE_WINDOW_ICON) for that display: at the window size the player chose if it still fits the
// desktop, otherwise at the largest whole multiple of 640 x 480 that does. Full screen is the
// renderer's to switch on (CGame::Initialize with windowed false). Null when the window does not
// open; a missing icon is reported and the window opens without it.
HWND OpenGameWindow(CVKT_Window* pWindow, const tDisplaySettings& display);

// The game's window procedure: pauses the game when the window loses the focus during play and
// turns a close request into the end of the loop.
intptr_t WndProc(HWND hWnd, unsigned int uMsg, uintptr_t wParam, intptr_t lParam);
