// The changes of a device's on/off controls (keys, buttons, pad directions) in the order they arrived,
// handed to the game one frame at a time so that no press is lost however short it was.
//
// The game reads its input once a frame, and a key that went down and up between two reads would leave
// the same picture of held keys on both sides. Instead each frame takes the changes that waited for it,
// with one rule: a control changes at most once each way in a frame. So
// - a press counts as held and as pressed in the frame that takes it; its release, if it came in the
//   same wait, counts in the frame after;
// - a press, release and press again before one frame are two presses in two frames in a row;
// - a held control let go and pressed again before one frame counts as pressed again;
// - a change that has to wait holds back every later change of the same control, and a press that has
//   to wait holds back everything after it, so presses keep their order across frames.
// A frame takes as many records as it can hand on; the rest wait for the next frame.
#pragma once

#include "VKT_InputTypes.h"

#include <bitset>
#include <cstddef>
#include <vector>

class CVKT_PressQueue
{
public:
    static constexpr size_t MAX_CONTROLS = 256;
    // More changes waiting than this (a frame held up for seconds) is an overflow: see Push.
    static constexpr size_t CAPACITY = 512;
    using tControls = std::bitset<MAX_CONTROLS>;

    CVKT_PressQueue();

    // One change as it arrived: the record's dwData has 0x80 when the control went down, and its
    // uAppData the character a press typed. nControl is the control's number (below MAX_CONTROLS).
    // False when the queue is full: the record is dropped and Overflowed() says so until Clear.
    bool Push(const tInputRecord& record, int nControl);
    // Forgets every waiting change (the device was lost, or the queue overflowed).
    void Clear();
    bool Overflowed() const { return m_bOverflowed; }
    bool Empty() const { return m_vPending.empty(); }

    // The next frame. held comes in as the controls held in the frame before and leaves as those of
    // this frame; wasHeld is set to those of the frame before, except that a control pressed anew in
    // this frame while it was held before counts as not held before (so held and not wasHeld always
    // means pressed in this frame). The records taken go to pRecords, oldest first, at most
    // unMaxRecords of them; returns their number.
    unsigned int NextFrame(tControls& held, tControls& wasHeld, tInputRecord* pRecords,
                           unsigned int unMaxRecords);

private:
    struct tPending
    {
        tInputRecord record;
        size_t unControl;
    };
    // What one frame has done so far.
    struct tFrame
    {
        tControls pressed;
        tControls released;
        tControls blocked;
        bool bStopped = false;
        unsigned int unRecords = 0;
    };

    // Whether this frame takes the change; marks what waits. Updates held, wasHeld and frame.
    static bool Take(const tPending& change, tFrame& frame, tControls& held, tControls& wasHeld,
                     unsigned int unMaxRecords);

    std::vector<tPending> m_vPending;
    bool m_bOverflowed = false;
};
