// latency_probe: the time from a key to the picture, as a player meets it. Each round waits a random
// while (so the key lands at a random point of the game's frame), reads one pixel of the screen,
// sends a key through XTEST and reads the pixel again until it changes. The key steps the main
// menu's cursor between its first two items: Down while the cursor is on the first, Up while it is
// on the second, so every tap that counts changes the pixel once.
//
//   latency_probe <x> <y> <hold ms> <rounds> <seed>
//
// (x, y) is a pixel of the second item's highlight on the screen; hold is how long the key stays
// down (0: press and release sent together, as `xdotool key --delay 0` sends them). Prints one line
// per round: the milliseconds until the picture changed, or "lost" when it had not after 500 ms.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kGiveUp{500};

unsigned long ReadPixel(Display* pDisplay, int nX, int nY)
{
    XImage* pImage = XGetImage(pDisplay, DefaultRootWindow(pDisplay), nX, nY, 1, 1, AllPlanes, ZPixmap);
    if (!pImage)
        return 0;
    const unsigned long ulPixel = XGetPixel(pImage, 0, 0);
    XDestroyImage(pImage);
    return ulPixel;
}

void SendKey(Display* pDisplay, KeyCode key, bool bDown)
{
    XTestFakeKeyEvent(pDisplay, key, bDown ? True : False, CurrentTime);
    XFlush(pDisplay);
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// One tap; the milliseconds until the pixel changed, or a negative number when it did not.
double Round(Display* pDisplay, int nX, int nY, KeyCode key, std::chrono::milliseconds hold)
{
    const unsigned long ulBefore = ReadPixel(pDisplay, nX, nY);
    const Clock::time_point start = Clock::now();
    XTestFakeKeyEvent(pDisplay, key, True, CurrentTime);
    bool bReleased = hold.count() == 0;
    if (bReleased)
        XTestFakeKeyEvent(pDisplay, key, False, CurrentTime);
    XFlush(pDisplay);
    double fLatency = -1.0;
    while (Clock::now() - start < kGiveUp)
    {
        if (!bReleased && Clock::now() - start >= hold)
        {
            SendKey(pDisplay, key, false);
            bReleased = true;
        }
        if (ReadPixel(pDisplay, nX, nY) != ulBefore)
        {
            fLatency = Milliseconds(Clock::now() - start);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!bReleased)
    {
        std::this_thread::sleep_until(start + hold);
        SendKey(pDisplay, key, false);
    }
    return fLatency;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
    {
        std::fprintf(stderr, "usage: %s <x> <y> <hold ms> <rounds> <seed>\n", argv[0]);
        return 2;
    }
    const int nX = std::atoi(argv[1]);
    const int nY = std::atoi(argv[2]);
    const std::chrono::milliseconds hold{std::atoi(argv[3])};
    const int nRounds = std::atoi(argv[4]);
    Display* pDisplay = XOpenDisplay(nullptr);
    int nEvent = 0, nError = 0, nMajor = 0, nMinor = 0;
    if (!pDisplay || !XTestQueryExtension(pDisplay, &nEvent, &nError, &nMajor, &nMinor))
    {
        std::fprintf(stderr, "latency_probe: no X display with XTEST\n");
        return 1;
    }
    const KeyCode down = XKeysymToKeycode(pDisplay, XStringToKeysym("Down"));
    const KeyCode up = XKeysymToKeycode(pDisplay, XStringToKeysym("Up"));
    std::mt19937 random(static_cast<unsigned>(std::atoi(argv[5])));
    std::uniform_int_distribution<int> pause(150, 400);
    bool bOnSecond = false;
    for (int nRound = 0; nRound < nRounds; ++nRound)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        const double fLatency = Round(pDisplay, nX, nY, bOnSecond ? up : down, hold);
        if (fLatency < 0.0)
        {
            std::printf("lost\n");
            continue;
        }
        std::printf("%.2f\n", fLatency);
        bOnSecond = !bOnSecond;
    }
    // The next run starts from the first item, as this one did.
    if (bOnSecond)
        Round(pDisplay, nX, nY, up, std::chrono::milliseconds(40));
    XCloseDisplay(pDisplay);
    return 0;
}
