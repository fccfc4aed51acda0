#include "CBlockAnimation.h"

bool CBlockAnimation::LoadSheet(const char* szFilename, int nNumFrames, int nFrameWidth, int nFrameHeight,
                                int nColumns, int nBlockHeight, int nBlockWidth, int nBlocksPerRow)
{
    m_nBlockHeight = nBlockHeight;
    m_nBlockWidth = nBlockWidth;
    m_nBlocksPerRow = nBlocksPerRow;
    m_nColumns = nColumns;
    return Load(szFilename, nNumFrames, nFrameWidth, nFrameHeight, nColumns);
}

RECT CBlockAnimation::GetBlockFrameRect() const
{
    if (m_nColumns <= 0 || m_nBlocksPerRow <= 0)
        return RECT{0, 0, 0, 0};
    // The columns x frame height - block height term is part of the sheet layout the game's sheets
    // were drawn for; with square frames and full blocks it is zero.
    RECT rect;
    rect.left = (m_nCurFrame % m_nColumns) * m_nFrameWidth + m_nBlockWidth * (m_nVariant % m_nBlocksPerRow) +
                m_nColumns * m_nFrameHeight - m_nBlockHeight;
    rect.right = rect.left + m_nFrameWidth;
    rect.top = (m_nCurFrame / m_nColumns) * m_nFrameHeight + m_nBlockHeight * (m_nVariant / m_nBlocksPerRow) +
               m_nRow * m_nFrameHeight;
    rect.bottom = rect.top + m_nFrameHeight;
    return rect;
}

bool CBlockAnimation::Render(int nX, int nY, bool bFlip, float fScale, VKT_COLOR dwColor)
{
    if (m_nColumns <= 0 || m_nBlocksPerRow <= 0)
        return false;
    return RenderSection(GetBlockFrameRect(), nX, nY, bFlip, fScale, dwColor);
}
