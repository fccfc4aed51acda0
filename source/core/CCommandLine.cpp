#include "CCommandLine.h"

#include <cstring>

#ifndef TALONREACH_VERSION
#define TALONREACH_VERSION "unknown"
#endif

namespace
{
constexpr const char* USAGE = "Usage: talonreach [--help | --version]\n";

constexpr const char* HELP =
    "Talonreach, a vertically scrolling shooter. Steer the bird soldier with the arrow keys,\n"
    "fire with Space, pause with Escape or P; Alt+Return switches to full screen.\n"
    "\n"
    "  --help           show this text and exit\n"
    "  --version        show the version and exit\n"
    "  --replay FILE    watch one recorded game and exit (Space pauses, Left and Right change the\n"
    "                   speed, Escape leaves); the exit status is 0 when it played as recorded, 1\n"
    "                   when the file cannot be played, 3 when the game came out differently\n"
    "\n"
    "The pictures and sounds come from Resource/ in the working folder when there is one, and the\n"
    "high scores and volumes are then kept in its settings.xml. Otherwise the installed game's data\n"
    "is used, and each user's scores and volumes are kept in\n"
    "$XDG_DATA_HOME/talonreach/settings.xml (by default ~/.local/share/talonreach/settings.xml).\n"
    "The last 10 games and the game behind each high score are kept in the folder replays beside it.\n";
} // namespace

const char* CCommandLine::GameVersion()
{
    return TALONREACH_VERSION;
}

int CCommandLine::Run(int argc, const char* const* argv, FILE* out, FILE* err, std::string* pReplayFile)
{
    if (argc <= 1)
        return PLAY;
    if (argc == 3 && std::strcmp(argv[1], "--replay") == 0 && argv[2][0] != '\0')
    {
        if (pReplayFile)
            *pReplayFile = argv[2];
        return REPLAY;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
    {
        std::fputs("talonreach " TALONREACH_VERSION "\n", out);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
    {
        std::fputs(USAGE, out);
        std::fputs(HELP, out);
        return 0;
    }
    std::fputs(USAGE, err);
    return 2;
}
