// When the mouse pointer shows over the game: it goes after two seconds without movement, in a
// window as in full screen, and comes back with the next movement. In full screen it never shows
// (the game has no use for it there); coming back from full screen counts as a movement, so the
// window gets its pointer back for a moment.
#pragma once

#include <cstdint>

class CVKT_PointerHider
{
public:
    static constexpr uint32_t HIDE_AFTER_MS = 2000;

    // The pointer moved (or the window opened) at tick uNow.
    void OnPointerMoved(uint32_t uNow);

    // Whether the pointer is to show at tick uNow. Times are millisecond ticks that may wrap.
    bool IsShown(uint32_t uNow, bool bFullScreen);

private:
    uint32_t m_uLastMovement = 0;
    bool m_bWasFullScreen = false;
};
