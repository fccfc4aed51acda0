// The command line. The game itself takes no arguments; --help and --version answer and exit, as
// packagers and users expect of a program on the PATH.
#pragma once

#include <cstdio>

class CCommandLine
{
public:
    // Run's result when the game is to start.
    static constexpr int PLAY = -1;

    // No arguments: PLAY. "--help" or "--version" alone: the text on `out` and 0. Anything else:
    // the one-line usage on `err` and 2.
    static int Run(int argc, const char* const* argv, FILE* out, FILE* err);
};
