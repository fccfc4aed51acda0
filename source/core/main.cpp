// The program entry. The game reads nothing from the command line but --replay FILE; --help and
// --version answer. A process that the game starts to show a message box is told apart by its
// process name alone.
#include "CCommandLine.h"
#include "WinMain.h"

#include "CVKT_MessageBox.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    // A process started by the game to show a message box does that and nothing else.
    if (CVKT_MessageBox::IsBoxProcess(argc, argv))
        return CVKT_MessageBox::RunBoxProcess(argc, argv);
    std::string replayFile;
    const int status = CCommandLine::Run(argc, argv, stdout, stderr, &replayFile);
    if (status == CCommandLine::REPLAY)
        return WatchReplay(replayFile.c_str());
    if (status != CCommandLine::PLAY)
        return status;
    return WinMain(nullptr, nullptr, "", 0);
}
