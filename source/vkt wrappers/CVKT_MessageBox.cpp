#include "CVKT_MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

namespace
{
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

    if (DisplayAvailable())
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, safeTitle, safeText, owner);
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
