// The command line. The game itself takes no arguments; --help and --version answer and exit, as
// packagers and users expect of a program on the PATH, and --replay FILE watches one recorded game.
#pragma once

#include <cstdio>
#include <string>

class CCommandLine
{
public:
    // Run's results when the game is to start, or is to show the replay in *pReplayFile.
    static constexpr int PLAY = -1;
    static constexpr int REPLAY = -2;

    // No arguments: PLAY. "--help" or "--version" alone: the text on `out` and 0. "--replay" and a
    // file: REPLAY, with the file in *pReplayFile when that is given. Anything else: the one-line
    // usage on `err` and 2.
    static int Run(int argc, const char* const* argv, FILE* out, FILE* err,
                   std::string* pReplayFile = nullptr);

    // The game's version, as --version prints it.
    static const char* GameVersion();
};
