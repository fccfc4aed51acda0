#include "CAnimation.h"

#include "CVKT_TextureManager.h"

bool CAnimation::Load(const char* szFilename, int nNumFrames, int nFrameWidth, int nFrameHeight, int nColumns)
{
    m_nImageID = CVKT_TextureManager::GetInstance()->LoadTexture(szFilename, 0);
    m_nNumFrames = nNumFrames;
    m_nFrameWidth = nFrameWidth;
    m_nFrameHeight = nFrameHeight;
    m_nColumns = nColumns;
    if (m_nImageID == -1)
        return false;
    Play();
    return true;
}

void CAnimation::Play()
{
    Reset();
    m_bPlaying = true;
}

void CAnimation::Reset()
{
    m_nCurFrame = 0;
}

void CAnimation::Stop()
{
    m_bPlaying = false;
}

void CAnimation::Update(float fElapsedTime)
{
    if (!m_bPlaying)
        return;
    m_fTimer += fElapsedTime * m_fSpeed;
    if (m_fTimer < m_fFrameDuration)
        return;
    m_fTimer -= m_fFrameDuration;
    ++m_nCurFrame;
    if (m_nCurFrame < m_nNumFrames)
        return;
    if (m_bLooping)
    {
        m_nCurFrame = 0;
    }
    else
    {
        m_nCurFrame = m_nNumFrames - 1;
        Stop();
    }
}

RECT CAnimation::GetFrameRect(int nFrame) const
{
    return GridCellRect(nFrame, m_nColumns, m_nFrameWidth, m_nFrameHeight);
}

bool CAnimation::Render(int nX, int nY, bool bFlip, float fScale, VKT_COLOR dwColor)
{
    if (m_nColumns <= 0)
        return false;
    return RenderSection(GetFrameRect(m_nCurFrame), nX, nY, bFlip, fScale, dwColor);
}

bool CAnimation::RenderSection(const RECT& rSection, int nX, int nY, bool bFlip, float fScale,
                               VKT_COLOR dwColor) const
{
    float fScaleX = fScale;
    if (bFlip)
    {
        // A negative x scale mirrors about the anchor, so the picture would extend to its left.
        fScaleX = -fScale;
        nX += static_cast<int>(m_nFrameWidth * fScale);
    }
    return CVKT_TextureManager::GetInstance()->DrawTexture(m_nImageID, nX, nY, fScaleX, fScale, &rSection,
                                                           0.0f, 0.0f, 0.0f, dwColor);
}
