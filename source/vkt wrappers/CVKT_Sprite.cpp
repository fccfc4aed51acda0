#include "CVKT_Sprite.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double RADIANS_TO_DEGREES = 57.29577951308232;

void SetModulation(SDL_Texture* texture, VKT_COLOR color)
{
    SDL_SetTextureColorMod(texture, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    SDL_SetTextureAlphaMod(texture, (color >> 24) & 0xFF);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameDraw(const CVKT_Sprite::tDraw& a, const CVKT_Sprite::tDraw& b)
{
    return a.pTexture == b.pTexture && SameRect(a.rSection, b.rSection) && a.fX == b.fX && a.fY == b.fY &&
           a.fScaleX == b.fScaleX && a.fScaleY == b.fScaleY && a.fRotCenterX == b.fRotCenterX &&
           a.fRotCenterY == b.fRotCenterY && a.fRotation == b.fRotation && a.dwColor == b.dwColor;
}
} // namespace

CVKT_Sprite::CVKT_Sprite(SDL_Renderer* pRenderer) : m_pRenderer(pRenderer)
{
    // A frame of the game queues a few dozen sprites; reserve once so that frames do not allocate.
    m_queue.reserve(256);
    m_remembered.reserve(256);
}

bool CVKT_Sprite::Begin()
{
    if (m_bOpen)
        return false;
    m_queue.clear();
    m_bOpen = true;
    return true;
}

bool CVKT_Sprite::Draw(const tDraw& draw)
{
    if (!m_bOpen)
        return false;
    m_queue.push_back(draw);
    return true;
}

bool CVKT_Sprite::End()
{
    if (!Close())
        return false;
    Flush();
    return true;
}

bool CVKT_Sprite::Close()
{
    if (!m_bOpen)
        return false;
    m_bOpen = false;
    return true;
}

void CVKT_Sprite::Flush()
{
    for (const tDraw& draw : m_queue)
        FlushDraw(draw);
}

void CVKT_Sprite::RememberFrame()
{
    m_remembered = m_queue; // within the reserved capacity: no allocation
    m_bRemembered = true;
}

bool CVKT_Sprite::RepeatsLastFrame() const
{
    return m_bRemembered && m_queue.size() == m_remembered.size() &&
           std::equal(m_queue.begin(), m_queue.end(), m_remembered.begin(), SameDraw);
}

void CVKT_Sprite::OnLostDevice()
{
    m_queue.clear();
    ForgetFrame();
}

void CVKT_Sprite::OnResetDevice()
{
    for (const tListener& entry : m_listeners)
        entry.listener(entry.pUser);
}

void CVKT_Sprite::AddResetListener(ResetListener listener, void* pUser)
{
    m_listeners.push_back({listener, pUser});
}

void CVKT_Sprite::RemoveResetListener(ResetListener listener, void* pUser)
{
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [&](const tListener& entry)
                                     { return entry.listener == listener && entry.pUser == pUser; }),
                      m_listeners.end());
}

void CVKT_Sprite::FlushDraw(const tDraw& draw)
{
    if (draw.rSection.right <= draw.rSection.left || draw.rSection.bottom <= draw.rSection.top)
        return;
    // SDL_RenderCopyEx reproduces rotation only with equal scales (mirroring included); a rotation
    // with unequal scales is a shear and needs the general triangle path.
    const bool uniform = std::fabs(draw.fScaleX) == std::fabs(draw.fScaleY);
    if (draw.fRotation == 0.0f || uniform)
        FlushAsCopy(draw);
    else
        FlushAsGeometry(draw);
}

// The sprite transform maps section pixel (u, v) to
//   x = sx * (cx + (u - cx) cos t - (v - cy) sin t) + X,  y = sy * (cy + (u - cx) sin t + (v - cy) cos t) +
//   Y.
// With |sx| = |sy| = s and flips F = diag(sign sx, sign sy) this is X + s F c + R(t') s F (p - c), with
// t' = t when both or neither axis flips and -t otherwise: exactly SDL's flip-then-rotate of a
// destination rectangle about a centre point.
void CVKT_Sprite::FlushAsCopy(const tDraw& draw)
{
    const float width = static_cast<float>(draw.rSection.right - draw.rSection.left);
    const float height = static_cast<float>(draw.rSection.bottom - draw.rSection.top);
    const SDL_Rect source = {draw.rSection.left, draw.rSection.top, draw.rSection.right - draw.rSection.left,
                             draw.rSection.bottom - draw.rSection.top};
    const bool flipX = draw.fScaleX < 0.0f;
    const bool flipY = draw.fScaleY < 0.0f;
    const int flip = (flipX ? SDL_FLIP_HORIZONTAL : 0) | (flipY ? SDL_FLIP_VERTICAL : 0);

    SDL_FRect dest;
    dest.w = width * std::fabs(draw.fScaleX);
    dest.h = height * std::fabs(draw.fScaleY);
    if (dest.w <= 0.0f || dest.h <= 0.0f)
        return;

    SetModulation(draw.pTexture, draw.dwColor);
    if (draw.fRotation == 0.0f)
    {
        dest.x = draw.fX + std::min(0.0f, width * draw.fScaleX);
        dest.y = draw.fY + std::min(0.0f, height * draw.fScaleY);
        SDL_RenderCopyExF(m_pRenderer, draw.pTexture, &source, &dest, 0.0, nullptr,
                          static_cast<SDL_RendererFlip>(flip));
        return;
    }

    const float scale = std::fabs(draw.fScaleX);
    const float signX = flipX ? -1.0f : 1.0f;
    const float signY = flipY ? -1.0f : 1.0f;
    const float centreX = flipX ? width - draw.fRotCenterX : draw.fRotCenterX;
    const float centreY = flipY ? height - draw.fRotCenterY : draw.fRotCenterY;
    const SDL_FPoint centre = {scale * centreX, scale * centreY};
    dest.x = draw.fX + scale * signX * draw.fRotCenterX - centre.x;
    dest.y = draw.fY + scale * signY * draw.fRotCenterY - centre.y;
    const float angle = (flipX == flipY) ? draw.fRotation : -draw.fRotation;
    SDL_RenderCopyExF(m_pRenderer, draw.pTexture, &source, &dest, angle * RADIANS_TO_DEGREES, &centre,
                      static_cast<SDL_RendererFlip>(flip));
}

void CVKT_Sprite::FlushAsGeometry(const tDraw& draw)
{
    int textureWidth = 0;
    int textureHeight = 0;
    if (SDL_QueryTexture(draw.pTexture, nullptr, nullptr, &textureWidth, &textureHeight) != 0 ||
        textureWidth <= 0 || textureHeight <= 0)
        return;

    const float width = static_cast<float>(draw.rSection.right - draw.rSection.left);
    const float height = static_cast<float>(draw.rSection.bottom - draw.rSection.top);
    const float cosT = std::cos(draw.fRotation);
    const float sinT = std::sin(draw.fRotation);
    const SDL_Color color = {
        static_cast<Uint8>((draw.dwColor >> 16) & 0xFF), static_cast<Uint8>((draw.dwColor >> 8) & 0xFF),
        static_cast<Uint8>(draw.dwColor & 0xFF), static_cast<Uint8>((draw.dwColor >> 24) & 0xFF)};
    const float corners[4][2] = {{0.0f, 0.0f}, {width, 0.0f}, {width, height}, {0.0f, height}};

    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; ++i)
    {
        const float u = corners[i][0] - draw.fRotCenterX;
        const float v = corners[i][1] - draw.fRotCenterY;
        vertices[i].position.x = draw.fScaleX * (draw.fRotCenterX + u * cosT - v * sinT) + draw.fX;
        vertices[i].position.y = draw.fScaleY * (draw.fRotCenterY + u * sinT + v * cosT) + draw.fY;
        vertices[i].color = color;
        vertices[i].tex_coord.x = (draw.rSection.left + corners[i][0]) / textureWidth;
        vertices[i].tex_coord.y = (draw.rSection.top + corners[i][1]) / textureHeight;
    }
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    // The vertex colour carries the modulation here; the texture's own must not add to it.
    SetModulation(draw.pTexture, 0xFFFFFFFF);
    SDL_RenderGeometry(m_pRenderer, draw.pTexture, vertices, 4, indices, 6);
}
