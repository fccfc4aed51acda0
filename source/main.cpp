// The program entry. Command-line arguments are not used.
#include "WinMain.h"

int main(int, char**)
{
    return WinMain(nullptr, nullptr, "", 0);
}
