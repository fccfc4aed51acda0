// Failure messages of the platform layer. A message is written to standard error as "title: text";
// where a real display is open it is also shown in a modal message box, as the game always did.
// Headless runs (SDL's dummy or offscreen video) never see a box, so tests never block.
//
// The box is shown by a copy of the program started for that alone (CVKT_ChildProcess): it holds
// neither the one-copy lock nor the game's X connection, and it goes when the game goes. While the
// box is up the game still answers a second copy, and a stop signal closes the box and ends the
// wait; once a stop signal has arrived no box opens any more.
//
// Each distinct message is reported once per run: with a file missing, every screen visit and every
// enemy spawn would otherwise stop the game with the same box again.
#pragma once

#include "VKT_Types.h"

#include <functional>
#include <string>

class CVKT_MessageBox
{
public:
    using Listener = std::function<void(const std::string& title, const std::string& text)>;

    // Reports one failure unless the same title and text were reported before. owner may be null.
    // Returns once the user has closed the box (if any).
    static void Show(HWND owner, const char* text, const char* title);

    // A listener sees every reported message after it is written to standard error; tests use it
    // to check the texts. Setting a listener (or an empty function to remove it) also forgets which
    // messages were reported, so each test starts afresh.
    static void SetListener(Listener listener);

    // Forgets which messages were reported, so that the next report of each shows again.
    static void ForgetReported();

    // True when Show would open a real box: SDL video is up on a windowing system (X11, Wayland).
    static bool DisplayAvailable();

    // The program entry asks this before anything else: true when this process was started to show
    // one box (its process name says so), and RunBoxProcess is all it is to do.
    static bool IsBoxProcess(int argc, char** argv);
    // Shows the box given on the command line and returns the exit status once it is closed.
    static int RunBoxProcess(int argc, char** argv);
};
