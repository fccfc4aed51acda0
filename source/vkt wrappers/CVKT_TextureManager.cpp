#include "CVKT_TextureManager.h"

#include "CVKT_ImageFile.h"
#include "CVKT_MessageBox.h"
#include "CVKT_ResourcePath.h"
#include "CVKT_Sprite.h"

#include <SDL.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

void CVKT_TextureManager::tTextureDeleter::operator()(SDL_Texture* texture) const
{
    SDL_DestroyTexture(texture);
}

namespace
{
void ReportLoadFailure(const char* szFilename)
{
    const std::string message = std::string("Failed to Create Texture - ") + szFilename;
    CVKT_MessageBox::Show(nullptr, message.c_str(), "TextureManager Error");
}

struct tSurfaceDeleter
{
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using tSurface = std::unique_ptr<SDL_Surface, tSurfaceDeleter>;
} // namespace

CVKT_TextureManager* CVKT_TextureManager::GetInstance()
{
    static CVKT_TextureManager instance;
    return &instance;
}

bool CVKT_TextureManager::InitTextureManager(SDL_Renderer* pDevice, CVKT_Sprite* pSprite)
{
    m_pDevice = pDevice;
    m_pSprite = pSprite;
    if (m_pSprite)
        m_pSprite->AddResetListener(&CVKT_TextureManager::OnDeviceReset, this);
    return m_pDevice && m_pSprite;
}

void CVKT_TextureManager::ShutdownTextureManager()
{
    m_Textures.clear();
    if (m_pSprite)
        m_pSprite->ForgetFrame();
    if (m_pSprite)
        m_pSprite->RemoveResetListener(&CVKT_TextureManager::OnDeviceReset, this);
    m_pSprite = nullptr;
    m_pDevice = nullptr;
}

bool CVKT_TextureManager::IsValidID(int nID) const
{
    return nID > -1 && nID < static_cast<int>(m_Textures.size());
}

int CVKT_TextureManager::FindLoaded(const char* szFilename) const
{
    for (size_t i = 0; i < m_Textures.size(); ++i)
    {
        if (m_Textures[i].refCount > 0 && strcasecmp(m_Textures[i].filename, szFilename) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CVKT_TextureManager::FindFreeSlot() const
{
    for (size_t i = 0; i < m_Textures.size(); ++i)
    {
        if (m_Textures[i].refCount == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CVKT_TextureManager::LoadTexture(const char* szFilename, VKT_COLOR dwColorKey)
{
    if (!szFilename)
        return -1;

    const int loaded = FindLoaded(szFilename);
    if (loaded != -1)
    {
        ++m_Textures[loaded].refCount;
        return loaded;
    }

    // Names that do not fit the slot's field are refused like an unreadable file.
    if (std::strlen(szFilename) >= MAX_FILENAME)
    {
        ReportLoadFailure(szFilename);
        return -1;
    }

    const int freeSlot = FindFreeSlot();
    _TEXTURE fresh;
    _TEXTURE& slot = freeSlot != -1 ? m_Textures[freeSlot] : fresh;
    slot.texture.reset();
    slot.fileBytes = std::vector<uint8_t>();
    std::memcpy(slot.filename, szFilename, std::strlen(szFilename) + 1); // length checked above
    if (!CreateTexture(slot, dwColorKey))
    {
        slot.filename[0] = '\0';
        ReportLoadFailure(szFilename);
        return -1;
    }
    slot.refCount = 1;
    if (freeSlot != -1)
        return freeSlot;
    m_Textures.push_back(std::move(fresh));
    return static_cast<int>(m_Textures.size()) - 1;
}

bool CVKT_TextureManager::CreateTexture(_TEXTURE& slot, VKT_COLOR dwColorKey)
{
    if (!m_pDevice ||
        !CVKT_ResourcePath::ReadRegularFile(slot.filename, CVKT_ImageFile::MAX_FILE_BYTES, slot.fileBytes))
        return false;
    slot.colorKey = dwColorKey;
    SDL_Texture* texture = MakeTexture(slot, slot.width, slot.height);
    if (!texture)
    {
        slot.fileBytes = std::vector<uint8_t>();
        return false;
    }
    slot.fileBytes.shrink_to_fit();
    SetTexture(slot, texture);
    return true;
}

SDL_Texture* CVKT_TextureManager::MakeTexture(const _TEXTURE& slot, int& nWidth, int& nHeight) const
{
    // The decoded picture lives only as long as it takes to upload it.
    const tSurface image(
        CVKT_ImageFile::DecodeKeyedARGB(slot.fileBytes.data(), slot.fileBytes.size(), slot.colorKey));
    if (!image)
        return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(m_pDevice, image.get());
    if (!texture)
        return nullptr;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    nWidth = image->w;
    nHeight = image->h;
    return texture;
}

void CVKT_TextureManager::UnloadTexture(int nID)
{
    if (nID == -1)
        return;
    assert(IsValidID(nID) && "nID is out of range");
    if (!IsValidID(nID))
        return;

    _TEXTURE& slot = m_Textures[nID];
    if (--slot.refCount > 0)
        return;
    SetTexture(slot, nullptr);
    slot.fileBytes = std::vector<uint8_t>();
    slot.filename[0] = '\0';
    slot.refCount = 0;
}

int CVKT_TextureManager::GetTextureWidth(int nID) const
{
    assert(IsValidID(nID) && "nID is out of range");
    if (!IsValidID(nID))
        return 0;
    assert(m_Textures[nID].texture && "Texture is NULL.  Possible unloaded Texture.");
    return m_Textures[nID].width;
}

int CVKT_TextureManager::GetTextureHeight(int nID) const
{
    assert(IsValidID(nID) && "nID is out of range");
    if (!IsValidID(nID))
        return 0;
    assert(m_Textures[nID].texture && "Texture is NULL.  Possible unloaded Texture.");
    return m_Textures[nID].height;
}

int CVKT_TextureManager::GetRefCount(int nID) const
{
    return IsValidID(nID) ? m_Textures[nID].refCount : 0;
}

bool CVKT_TextureManager::DrawTexture(int nID, int nX, int nY, float fScaleX, float fScaleY,
                                      const RECT* pSection, float fRotCenterX, float fRotCenterY,
                                      float fRotation, VKT_COLOR dwColor)
{
    if (nID == -1)
        return false;
    assert(IsValidID(nID) && "nID is out of range");
    if (!IsValidID(nID))
        return false;
    const _TEXTURE& slot = m_Textures[nID];
    assert(slot.texture && "Attempting to draw released texture id");
    if (!slot.texture || !m_pSprite)
        return false;

    RECT section = pSection ? *pSection : RECT{0, 0, slot.width, slot.height};
    section.left = std::clamp(section.left, 0, slot.width);
    section.right = std::clamp(section.right, 0, slot.width);
    section.top = std::clamp(section.top, 0, slot.height);
    section.bottom = std::clamp(section.bottom, 0, slot.height);

    CVKT_Sprite::tDraw draw;
    draw.pTexture = slot.texture.get();
    draw.rSection = section;
    draw.fX = static_cast<float>(nX);
    draw.fY = static_cast<float>(nY);
    draw.fScaleX = fScaleX;
    draw.fScaleY = fScaleY;
    draw.fRotCenterX = fRotCenterX;
    draw.fRotCenterY = fRotCenterY;
    draw.fRotation = fRotation;
    draw.dwColor = dwColor;
    if (!m_pSprite->Draw(draw))
    {
        std::fputs("Failed to draw the texture.\n", stderr);
        return false;
    }
    return true;
}

void CVKT_TextureManager::SetTexture(_TEXTURE& slot, SDL_Texture* pTexture)
{
    // A new texture may take the address of a freed one: the batch must not take a frame that
    // draws it for the picture it remembers.
    if (m_pSprite)
        m_pSprite->ForgetFrame();
    slot.texture.reset(pTexture);
}

void CVKT_TextureManager::OnDeviceReset(void* pUser)
{
    static_cast<CVKT_TextureManager*>(pUser)->RecreateTextures();
}

void CVKT_TextureManager::RecreateTextures()
{
    for (_TEXTURE& slot : m_Textures)
    {
        if (slot.refCount == 0 || slot.fileBytes.empty())
            continue;
        int width = 0;
        int height = 0;
        SDL_Texture* texture = MakeTexture(slot, width, height);
        if (!texture)
            continue; // keep the old one: drawing it shows nothing, but the slot stays consistent
        SetTexture(slot, texture);
    }
}
