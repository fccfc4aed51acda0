// The game as shipped (the same WinMain on the same library), plus a log of its presents: the
// time every present returned, written when the game ends to the file named by the first argument,
// one line per present: seconds of the monotonic clock, then of the wall clock (for cutting the log
// by the times a script measured). Only the frame-pacing benchmark runs it.
#include "CVKT_Direct3D.h"
#include "CVKT_MessageBox.h"
#include "WinMain.h"

#include <cstdio>
#include <ctime>
#include <vector>

namespace
{
struct tPresent
{
    timespec monotonic;
    timespec wall;
};

void RecordPresent(void* pUser)
{
    tPresent present;
    clock_gettime(CLOCK_MONOTONIC, &present.monotonic);
    clock_gettime(CLOCK_REALTIME, &present.wall);
    static_cast<std::vector<tPresent>*>(pUser)->push_back(present);
}

bool WriteLog(const char* szPath, const std::vector<tPresent>& presents)
{
    std::FILE* file = std::fopen(szPath, "w");
    if (!file)
        return false;
    for (const tPresent& present : presents)
        std::fprintf(file, "%lld.%09ld %lld.%09ld\n", static_cast<long long>(present.monotonic.tv_sec),
                     present.monotonic.tv_nsec, static_cast<long long>(present.wall.tv_sec),
                     present.wall.tv_nsec);
    return std::fclose(file) == 0;
}
} // namespace

int main(int argc, char** argv)
{
    // Its message boxes come from a copy of this program, started under the box process's name.
    if (CVKT_MessageBox::IsBoxProcess(argc, argv))
        return CVKT_MessageBox::RunBoxProcess(argc, argv);
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <present log>\n", argv[0]);
        return 2;
    }
    std::vector<tPresent> presents;
    // Ten minutes at 144 Hz without growing during the measured frames.
    presents.reserve(144 * 600);
    CVKT_Direct3D::GetInstance()->SetPresentListener(&RecordPresent, &presents);
    const int exitCode = WinMain(nullptr, nullptr, "", 0);
    CVKT_Direct3D::GetInstance()->SetPresentListener(nullptr, nullptr);
    if (!WriteLog(argv[1], presents))
    {
        std::perror(argv[1]);
        return 1;
    }
    return exitCode;
}
