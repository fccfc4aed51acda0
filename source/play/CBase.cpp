#include "CBase.h"

#include "CVKT_TextureManager.h"

#include <algorithm>
#include <cassert>

void CBase::Update(float fElapsedTime)
{
    m_fPosX = m_fPosX + m_fVelX * fElapsedTime;
    m_fPosY = m_fPosY + m_fVelY * fElapsedTime;
}

void CBase::Render()
{
    const int nX = static_cast<int>(m_fPosX) - m_nWidth / 2;
    const int nY = static_cast<int>(m_fPosY) - m_nHeight / 2;
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nImageID, nX, nY, 1.0f, 1.0f, nullptr, 0.0f, 0.0f, 0.0f,
                                                    VKT_ARGB(255, 255, 255, 255));
}

void CBase::AddRef()
{
    ++m_uiRefCount;
}

void CBase::Release()
{
    assert(m_uiRefCount > 0 && "Release of an object that has no reference left");
    --m_uiRefCount;
    if (m_uiRefCount == 0)
        delete this;
}

RECT CBase::GetCollisionRect() const
{
    RECT rect;
    rect.left = static_cast<int>(m_fPosX) - m_nWidth / 2;
    rect.top = static_cast<int>(m_fPosY - static_cast<float>(m_nHeight / 2));
    rect.right = static_cast<int>(m_fPosX) + m_nWidth / 2;
    rect.bottom = static_cast<int>(m_fPosY + static_cast<float>(m_nHeight / 2));
    return rect;
}

bool CBase::CheckCollision(CBase* pBase)
{
    if (!pBase)
        return false;
    const RECT a = GetCollisionRect();
    const RECT b = pBase->GetCollisionRect();
    // Overlap must be non-empty: touching edges and empty rectangles do not count.
    const int left = std::max(a.left, b.left);
    const int right = std::min(a.right, b.right);
    const int top = std::max(a.top, b.top);
    const int bottom = std::min(a.bottom, b.bottom);
    return left < right && top < bottom;
}
