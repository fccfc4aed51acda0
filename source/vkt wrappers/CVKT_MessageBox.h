// Failure messages of the platform layer. Every message is written to standard error as
// "title: text"; where a real display is open it is also shown in a modal message box, as the game
// always did. Headless runs (SDL's dummy or offscreen video) never see a box, so tests never block.
#pragma once

#include "VKT_Types.h"

#include <functional>
#include <string>

class CVKT_MessageBox
{
public:
    using Listener = std::function<void(const std::string& title, const std::string& text)>;

    // Reports one failure. owner may be null. Returns once the user has closed the box (if any).
    static void Show(HWND owner, const char* text, const char* title);

    // A listener sees every message after it is written to standard error; tests use it to check
    // the texts. Pass an empty function to remove it.
    static void SetListener(Listener listener);

    // True when Show would open a real box: SDL video is up on a windowing system (X11, Wayland).
    static bool DisplayAvailable();
};
