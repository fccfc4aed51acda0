// The program entry. Command-line arguments are not used; a process that the game starts to show a
// message box is told apart by its process name alone.
#include "WinMain.h"

#include "CVKT_MessageBox.h"

int main(int argc, char** argv)
{
    // A process started by the game to show a message box does that and nothing else.
    if (CVKT_MessageBox::IsBoxProcess(argc, argv))
        return CVKT_MessageBox::RunBoxProcess(argc, argv);
    return WinMain(nullptr, nullptr, "", 0);
}
