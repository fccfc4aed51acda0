// The program entry. The game reads nothing from the command line; --help and --version answer.
#include "CCommandLine.h"
#include "WinMain.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const int status = CCommandLine::Run(argc, argv, stdout, stderr);
    if (status != CCommandLine::PLAY)
        return status;
    return WinMain(nullptr, nullptr, "", 0);
}
