#include "CVKT_MessageBox.h"

#include "CVKT_ChildProcess.h"
#include "CVKT_StopSignals.h"
#include "CVKT_Window.h"

#include <SDL.h>

#include <cassert>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

namespace
{
// The process name of a box process; nothing a user types starts with it.
constexpr char BOX_PROCESS_NAME[] = "talonreach-message-box";

CVKT_MessageBox::Listener& TheListener()
{
    static CVKT_MessageBox::Listener listener;
    return listener;
}

std::set<std::pair<std::string, std::string>>& ReportedMessages()
{
    static std::set<std::pair<std::string, std::string>> reported;
    return reported;
}
} // namespace

void CVKT_MessageBox::Show(HWND owner, const char* text, const char* title)
{
    const char* safeText = text ? text : "";
    const char* safeTitle = title ? title : "";
    if (!ReportedMessages().emplace(safeTitle, safeText).second)
        return;

    std::fprintf(stderr, "%s: %s\n", safeTitle, safeText);
    std::fflush(stderr);

    if (TheListener())
        TheListener()(safeTitle, safeText);

    static_cast<void>(owner); // the box is another process's window
    if (!DisplayAvailable() || CVKT_StopSignals::GetInstance()->GetPendingSignal() != 0)
        return;
    CVKT_ChildProcess box;
    if (box.Start("/proc/self/exe", {BOX_PROCESS_NAME, safeTitle, safeText}))
        box.WaitForExit(CVKT_Window::GetInstance()->GetSingleInstance());
}

void CVKT_MessageBox::SetListener(Listener listener)
{
    TheListener() = std::move(listener);
    ForgetReported();
}

void CVKT_MessageBox::ForgetReported()
{
    ReportedMessages().clear();
}

bool CVKT_MessageBox::DisplayAvailable()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

bool CVKT_MessageBox::IsBoxProcess(int argc, char** argv)
{
    return argc == 3 && argv && argv[0] && std::strcmp(argv[0], BOX_PROCESS_NAME) == 0;
}

int CVKT_MessageBox::RunBoxProcess(int argc, char** argv)
{
    assert(IsBoxProcess(argc, argv) && "RunBoxProcess is only for a box process");
    if (!IsBoxProcess(argc, argv))
        return 2;
    // The game's death reaches this process as SIGTERM. SDL shows its box from a process of its own,
    // forked from this one into the same group: the whole group goes.
    struct sigaction action = {};
    action.sa_handler = [](int) { kill(0, SIGKILL); };
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const int nResult = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, argv[1], argv[2], nullptr);
    SDL_Quit();
    return nResult == 0 ? 0 : 1;
}
