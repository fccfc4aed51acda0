// The texture manager: loads images once per file name, hands out integer ids, shares a texture
// among all loads of the same name (reference counted), reuses freed slots, and draws a texture or a
// section of it through the renderer's sprite batch with scale, rotation about a centre and a
// modulating colour.
//
// Images (PNG, BMP) are decoded to 32-bit ARGB; a pixel whose ARGB equals the colour key becomes
// transparent black (key 0: no keying). The decoded pixels live only in the texture; the file's
// bytes, a fraction of their size, are kept so that a lost device can be survived by decoding
// them again, without reading any file.
#pragma once

#include "VKT_Types.h"

#include <cstdint>
#include <memory>
#include <vector>

class CVKT_Sprite;
struct SDL_Surface;
struct SDL_Texture;

class CVKT_TextureManager
{
public:
    static constexpr int MAX_FILENAME = 260;

    static CVKT_TextureManager* GetInstance();

    // Stores the device and the sprite batch; true when both are non-null.
    bool InitTextureManager(SDL_Renderer* pDevice, CVKT_Sprite* pSprite);
    // Releases every texture whatever its count and forgets the device; every id becomes invalid.
    void ShutdownTextureManager();

    // Returns the id of the loaded image, or -1 (after a "TextureManager Error" message) when the file
    // cannot be read or decoded. A name already loaded (compared ignoring letter case only) shares
    // its slot and the file is not touched again.
    int LoadTexture(const char* szFilename, VKT_COLOR dwColorKey = 0);
    // Drops one reference; the slot is freed at 0. The id -1 is ignored.
    void UnloadTexture(int nID);

    int GetTextureWidth(int nID) const;
    int GetTextureHeight(int nID) const;

    // Queues one sprite: section pixel (u, v), relative to the section's top-left, lands at
    //   x = fScaleX * (cx + (u - cx) cos r - (v - cy) sin r) + nX
    //   y = fScaleY * (cy + (u - cx) sin r + (v - cy) cos r) + nY
    // so a negative scale mirrors about the draw position. pSection null = the whole image; it is
    // clamped to the image. dwColor (ARGB) multiplies the texels. False for the id -1, with no sprite
    // batch, or when the batch is not open.
    bool DrawTexture(int nID, int nX, int nY, float fScaleX = 1.0f, float fScaleY = 1.0f,
                     const RECT* pSection = nullptr, float fRotCenterX = 0.0f, float fRotCenterY = 0.0f,
                     float fRotation = 0.0f, VKT_COLOR dwColor = 0xFFFFFFFF);

    // Number of slots (free ones included) and the reference count of one: for tests and tools.
    int GetSlotCount() const { return static_cast<int>(m_Textures.size()); }
    int GetRefCount(int nID) const;

private:
    struct tTextureDeleter
    {
        void operator()(SDL_Texture* texture) const;
    };

    struct _TEXTURE
    {
        char filename[MAX_FILENAME] = {};
        int refCount = 0;
        std::unique_ptr<SDL_Texture, tTextureDeleter> texture;
        // The file's bytes and the key the texture was made with, kept for device resets.
        std::vector<uint8_t> fileBytes;
        VKT_COLOR colorKey = 0;
        int width = 0;
        int height = 0;
    };

    CVKT_TextureManager() = default;
    bool IsValidID(int nID) const;
    int FindLoaded(const char* szFilename) const;
    int FindFreeSlot() const;
    bool CreateTexture(_TEXTURE& slot, VKT_COLOR dwColorKey);
    SDL_Texture* MakeTexture(const _TEXTURE& slot, int& nWidth, int& nHeight) const;
    void SetTexture(_TEXTURE& slot, SDL_Texture* pTexture);
    void RecreateTextures();
    static void OnDeviceReset(void* pUser);

    std::vector<_TEXTURE> m_Textures;
    SDL_Renderer* m_pDevice = nullptr;
    CVKT_Sprite* m_pSprite = nullptr;
};
