#include "VKT_InputFrame.h"

#include <cstring>

bool operator==(const tInputFrame& a, const tInputFrame& b)
{
    if (std::memcmp(a.keysDown, b.keysDown, sizeof a.keysDown) != 0 ||
        std::memcmp(a.keysWereDown, b.keysWereDown, sizeof a.keysWereDown) != 0 ||
        a.ucModifiers != b.ucModifiers || a.ucRecordCount != b.ucRecordCount ||
        a.usPadButtonsDown != b.usPadButtonsDown || a.usPadButtonsPressed != b.usPadButtonsPressed ||
        a.ucPadDirectionsDown != b.ucPadDirectionsDown ||
        a.ucPadDirectionsPressed != b.ucPadDirectionsPressed || a.bPlayingPadLost != b.bPlayingPadLost)
        return false;
    for (unsigned int i = 0; i < a.ucRecordCount && i < tInputFrame::MAX_KEY_RECORDS; ++i)
    {
        if (a.records[i].ucKey != b.records[i].ucKey || a.records[i].bDown != b.records[i].bDown ||
            a.records[i].ucChar != b.records[i].ucChar)
            return false;
    }
    return true;
}
