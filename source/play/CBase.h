// The base of every game object: centre position and velocity in pixels (per second), size, image,
// drawing-order scale, active flag, type number and the reference count that governs its life.
#pragma once

#include "IBaseInterface.h"
#include "VKT_Types.h"

// Object type numbers, compared by the collision handlers and the object manager; fixed values.
enum
{
    OBJ_LIFE_POWERUP = 0,
    OBJ_PLAYER = 1,
    OBJ_CHARGE_POWERUP = 1, // shares the player's number: the two are never tested against each other
    OBJ_PLAYER_BULLET = 2,
    OBJ_ENEMY_BULLET = 3,
    OBJ_ENEMY = 4,
    OBJ_ENEMY_BIRD = 6,
};

class CBase : public IBaseInterface
{
public:
    // Starts with one reference, owned by the creator. Every other field is harmless: no image,
    // inactive, and a scale below 0 so that an object whose creator sets none is drawn beneath the
    // bullets (which start at scale 0) and the player.
    CBase() = default;
    CBase(const CBase&) = delete;
    CBase& operator=(const CBase&) = delete;

    // Moves by the velocity: position += velocity * t, x first.
    void Update(float fElapsedTime) override;
    // Draws the whole image, unscaled, with its top-left at the centre minus half the size.
    void Render() override;
    void AddRef() override;
    void Release() override;

    // True when the collision rectangles overlap by at least one pixel (right and bottom edges are
    // exclusive; an empty rectangle overlaps nothing). Changes nothing.
    virtual bool CheckCollision(CBase* pBase);

    // x edges truncate the position first, y edges add the half height in floating point first; both
    // halves are integer divisions. So 32 wide at x = 100.9 spans 84 to 116.
    RECT GetCollisionRect() const;

    int GetType() const { return m_nType; }
    void SetType(int nType) { m_nType = nType; }

    float GetPosX() const { return m_fPosX; }
    void SetPosX(float fPosX) { m_fPosX = fPosX; }
    float GetPosY() const { return m_fPosY; }
    void SetPosY(float fPosY) { m_fPosY = fPosY; }
    float GetScale() const { return m_fScale; }
    void SetScale(float fScale) { m_fScale = fScale; }
    float GetVelX() const { return m_fVelX; }
    void SetVelX(float fVelX) { m_fVelX = fVelX; }
    float GetVelY() const { return m_fVelY; }
    void SetVelY(float fVelY) { m_fVelY = fVelY; }
    int GetImageID() const { return m_nImageID; }
    void SetImageID(int nImageID) { m_nImageID = nImageID; }
    unsigned int GetRefCount() const { return m_uiRefCount; }
    // Overwrites the count itself; only for code that knows every holder.
    void SetRefCount(unsigned int uiRefCount) { m_uiRefCount = uiRefCount; }
    int GetHeight() const { return m_nHeight; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    bool GetActive() const { return m_bActive; }
    void SetActive(bool bActive) { m_bActive = bActive; }

protected:
    // Only Release destroys a game object.
    ~CBase() override = default;

    float m_fPosX = 0.0f;
    float m_fPosY = 0.0f;
    float m_fScale = -1.0f;
    float m_fVelX = 0.0f;
    float m_fVelY = 0.0f;
    int m_nImageID = -1;
    unsigned int m_uiRefCount = 1;
    int m_nHeight = 0;
    int m_nWidth = 0;
    bool m_bActive = false;
    int m_nType = 0;
};
