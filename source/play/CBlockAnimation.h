// An animation over a sheet that holds many variants, each in its own block of frames with one row
// of frames per walking direction.
#pragma once

#include "CAnimation.h"

class CBlockAnimation : public CAnimation
{
public:
    // Stores the block layout and the columns, then loads as CAnimation::Load does.
    bool LoadSheet(const char* szFilename, int nNumFrames, int nFrameWidth, int nFrameHeight, int nColumns,
                   int nBlockHeight, int nBlockWidth, int nBlocksPerRow);

    // As CAnimation::Render, with the frame taken from block m_nVariant, row m_nRow.
    bool Render(int nX, int nY, bool bFlip, float fScale, VKT_COLOR dwColor);
    // The sheet section Render draws. With the game's sheets (32 x 32 frames, 4 columns, 128 x 128
    // blocks) block v sits at column v mod blocks-per-row and row v div blocks-per-row of a 128-pixel
    // grid. Empty without a layout.
    RECT GetBlockFrameRect() const;

    int GetVariant() const { return m_nVariant; }
    void SetVariant(int nVariant) { m_nVariant = nVariant; }
    int GetBlockHeight() const { return m_nBlockHeight; }
    void SetBlockHeight(int nBlockHeight) { m_nBlockHeight = nBlockHeight; }
    int GetBlockWidth() const { return m_nBlockWidth; }
    void SetBlockWidth(int nBlockWidth) { m_nBlockWidth = nBlockWidth; }
    int GetBlocksPerRow() const { return m_nBlocksPerRow; }
    void SetBlocksPerRow(int nBlocksPerRow) { m_nBlocksPerRow = nBlocksPerRow; }
    int GetRow() const { return m_nRow; }
    void SetRow(int nRow) { m_nRow = nRow; }

private:
    int m_nVariant = -1;
    int m_nBlockHeight = 0;
    int m_nBlockWidth = 0;
    int m_nBlocksPerRow = 0;
    int m_nRow = 0; // walking direction 0 to 3
};
