#include "CVKT_PressQueue.h"

#include <cassert>

CVKT_PressQueue::CVKT_PressQueue()
{
    // Reserved once: the queue is filled and emptied every frame and must not allocate then.
    m_vPending.reserve(CAPACITY);
}

bool CVKT_PressQueue::Push(const tInputRecord& record, int nControl)
{
    assert(nControl >= 0 && nControl < static_cast<int>(MAX_CONTROLS) && "no such control");
    if (nControl < 0 || nControl >= static_cast<int>(MAX_CONTROLS))
        return false;
    if (m_vPending.size() >= CAPACITY)
    {
        m_bOverflowed = true;
        return false;
    }
    m_vPending.push_back({record, static_cast<size_t>(nControl)});
    return true;
}

void CVKT_PressQueue::Clear()
{
    m_vPending.clear();
    m_bOverflowed = false;
}

unsigned int CVKT_PressQueue::NextFrame(tControls& held, tControls& wasHeld, tInputRecord* pRecords,
                                        unsigned int unMaxRecords)
{
    wasHeld = held;
    tFrame frame;
    // What waits is moved to the front in its order; i never falls behind the write position.
    size_t unKept = 0;
    for (size_t i = 0; i < m_vPending.size(); ++i)
    {
        const tPending change = m_vPending[i];
        if (!Take(change, frame, held, wasHeld, unMaxRecords))
        {
            m_vPending[unKept++] = change;
            continue;
        }
        pRecords[frame.unRecords++] = change.record;
    }
    m_vPending.resize(unKept);
    return frame.unRecords;
}

bool CVKT_PressQueue::Take(const tPending& change, tFrame& frame, tControls& held, tControls& wasHeld,
                           unsigned int unMaxRecords)
{
    if (frame.bStopped)
        return false;
    const size_t control = change.unControl;
    const bool bDown = (change.record.dwData & 0x80) != 0;
    const bool bFull = frame.unRecords >= unMaxRecords;
    if (!bDown)
    {
        // The release of a press this frame counts in the next, and so does all that follows it.
        if (frame.blocked[control] || frame.pressed[control])
        {
            frame.blocked[control] = true;
            return false;
        }
        frame.bStopped = bFull;
        if (bFull)
            return false;
        held[control] = false;
        frame.released[control] = true;
        return true;
    }
    // A press that must wait holds back everything after it: presses keep their order.
    if (frame.blocked[control] || bFull)
    {
        frame.bStopped = true;
        return false;
    }
    // Held and not let go this frame: nothing new (the device never sends this; a repeat would).
    if (held[control])
        return true;
    held[control] = true;
    frame.pressed[control] = true;
    // Let go and pressed again before this frame: a new press although it was held in the last.
    if (frame.released[control])
        wasHeld[control] = false;
    return true;
}
