#include "CVKT_PointerHider.h"

void CVKT_PointerHider::OnPointerMoved(uint32_t uNow)
{
    m_uLastMovement = uNow;
}

bool CVKT_PointerHider::IsShown(uint32_t uNow, bool bFullScreen)
{
    if (m_bWasFullScreen && !bFullScreen)
        m_uLastMovement = uNow;
    m_bWasFullScreen = bFullScreen;
    // An unsigned difference survives the wrap of the tick counter.
    return !bFullScreen && uNow - m_uLastMovement < HIDE_AFTER_MS;
}
