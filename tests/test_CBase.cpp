// The base game object: reference counting, movement, the collision rectangle and its drawing.
#include "CBase.h"

#include "CVKT_Direct3D.h"
#include "CVKT_Sprite.h"
#include "CVKT_TextureManager.h"
#include "Files.h"
#include "RendererBench.h"
#include "ScopedTempDir.h"

#include <gtest/gtest.h>

namespace
{
// Counts its own destructions, so a second destruction (or none) shows.
class CCountedObject : public CBase
{
public:
    explicit CCountedObject(int* pDestroyed) : m_pDestroyed(pDestroyed) {}

private:
    ~CCountedObject() override { ++*m_pDestroyed; }
    int* m_pDestroyed;
};

CBase* MakeBox(float fX, float fY, int nWidth, int nHeight)
{
    CBase* pObject = new CBase;
    pObject->SetPosX(fX);
    pObject->SetPosY(fY);
    pObject->SetWidth(nWidth);
    pObject->SetHeight(nHeight);
    return pObject;
}

struct BoxPair
{
    CBase* a;
    CBase* b;
    ~BoxPair()
    {
        a->Release();
        b->Release();
    }
};
} // namespace

TEST(CBaseLifetime, NewObjectHasOneReferenceAndHarmlessFields)
{
    CBase* pObject = new CBase;
    EXPECT_EQ(1u, pObject->GetRefCount());
    EXPECT_EQ(-1, pObject->GetImageID());
    EXPECT_FALSE(pObject->GetActive());
    EXPECT_EQ(0, pObject->GetType());
    // Beneath enemy bullets, which start at 0.
    EXPECT_LT(pObject->GetScale(), 0.0f);
    pObject->Release();
}

TEST(CBaseLifetime, LastReleaseDestroysExactlyOnce)
{
    int nDestroyed = 0;
    CBase* pObject = new CCountedObject(&nDestroyed);
    pObject->AddRef();
    EXPECT_EQ(2u, pObject->GetRefCount());
    pObject->Release();
    EXPECT_EQ(0, nDestroyed);
    EXPECT_EQ(1u, pObject->GetRefCount());
    pObject->Release();
    EXPECT_EQ(1, nDestroyed);
}

TEST(CBaseLifetime, ReleaseThroughTheInterfaceDestroysTheDerivedObject)
{
    int nDestroyed = 0;
    IBaseInterface* pObject = new CCountedObject(&nDestroyed);
    pObject->Release();
    EXPECT_EQ(1, nDestroyed);
}

TEST(CBaseMovement, UpdateMovesByVelocityTimesSeconds)
{
    CBase* pObject = MakeBox(100.0f, 200.0f, 10, 10);
    pObject->SetVelX(20.0f);
    pObject->SetVelY(-100.0f);
    pObject->Update(0.5f);
    EXPECT_FLOAT_EQ(110.0f, pObject->GetPosX());
    EXPECT_FLOAT_EQ(150.0f, pObject->GetPosY());
    pObject->Release();
}

TEST(CBaseCollision, RectangleTruncatesXBeforeAndYAfterTheHalfSize)
{
    CBase* pObject = MakeBox(100.9f, 50.0f, 32, 32);
    RECT rect = pObject->GetCollisionRect();
    EXPECT_EQ(84, rect.left);
    EXPECT_EQ(116, rect.right);
    EXPECT_EQ(34, rect.top);
    EXPECT_EQ(66, rect.bottom);

    // -0.5 truncates to 0 on x; on y the half size is added first: (int)-5.5 = -5, (int)4.5 = 4.
    pObject->SetPosX(-0.5f);
    pObject->SetPosY(-0.5f);
    pObject->SetWidth(10);
    pObject->SetHeight(10);
    rect = pObject->GetCollisionRect();
    EXPECT_EQ(-5, rect.left);
    EXPECT_EQ(5, rect.right);
    EXPECT_EQ(-5, rect.top);
    EXPECT_EQ(4, rect.bottom);

    // Odd sizes lose the odd pixel to the integer half.
    pObject->SetPosX(10.0f);
    pObject->SetWidth(7);
    rect = pObject->GetCollisionRect();
    EXPECT_EQ(7, rect.left);
    EXPECT_EQ(13, rect.right);
    pObject->Release();
}

TEST(CBaseCollision, TouchingEdgesDoNotCollideOverlapByOnePixelDoes)
{
    BoxPair apart{MakeBox(100.0f, 100.0f, 32, 32), MakeBox(132.0f, 100.0f, 32, 32)};
    EXPECT_FALSE(apart.a->CheckCollision(apart.b));
    EXPECT_FALSE(apart.b->CheckCollision(apart.a));

    BoxPair overlap{MakeBox(100.0f, 100.0f, 32, 32), MakeBox(131.0f, 100.0f, 32, 32)};
    EXPECT_TRUE(overlap.a->CheckCollision(overlap.b));
    EXPECT_TRUE(overlap.b->CheckCollision(overlap.a));

    BoxPair below{MakeBox(100.0f, 100.0f, 32, 32), MakeBox(100.0f, 132.0f, 32, 32)};
    EXPECT_FALSE(below.a->CheckCollision(below.b));
    below.b->SetPosY(131.0f);
    EXPECT_TRUE(below.a->CheckCollision(below.b));
}

TEST(CBaseCollision, ZeroSizeNeverCollidesNotEvenWithItself)
{
    BoxPair flat{MakeBox(100.0f, 100.0f, 0, 32), MakeBox(100.0f, 100.0f, 32, 32)};
    EXPECT_FALSE(flat.a->CheckCollision(flat.b));
    EXPECT_FALSE(flat.b->CheckCollision(flat.a));
    EXPECT_FALSE(flat.a->CheckCollision(flat.a));
    flat.a->SetWidth(32);
    flat.a->SetHeight(0);
    EXPECT_FALSE(flat.a->CheckCollision(flat.b));
    // A sized object does meet itself: the object manager tests enemies against themselves.
    EXPECT_TRUE(flat.b->CheckCollision(flat.b));
}

TEST(CBaseCollision, CheckingChangesNeitherObject)
{
    BoxPair pair{MakeBox(100.0f, 100.0f, 32, 32), MakeBox(110.0f, 100.0f, 32, 32)};
    pair.a->SetActive(true);
    pair.b->SetActive(true);
    EXPECT_TRUE(pair.a->CheckCollision(pair.b));
    EXPECT_TRUE(pair.a->GetActive());
    EXPECT_TRUE(pair.b->GetActive());
    EXPECT_EQ(1u, pair.b->GetRefCount());
}

TEST(CBaseRender, DrawsTheWholeImageUnscaledFromTheTopLeftCorner)
{
    headless::RendererBench renderer;
    headless::ScopedTempDir dir;
    headless::WritePng(dir / "box.png", 20, 10, std::vector<uint32_t>(200, 0xFFFF0000));
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const int nImage = pTM->LoadTexture((dir / "box.png").c_str());
    ASSERT_NE(-1, nImage);

    CBase* pObject = MakeBox(100.7f, 50.2f, 20, 10);
    pObject->SetImageID(nImage);
    pObject->SetScale(0.5f); // only the drawing order: not used for the picture
    const std::vector<CVKT_Sprite::tDraw> draws = renderer.DrawsOf([&] { pObject->Render(); });
    pObject->Release();

    ASSERT_EQ(1u, draws.size());
    EXPECT_FLOAT_EQ(90.0f, draws[0].fX);
    EXPECT_FLOAT_EQ(45.0f, draws[0].fY);
    EXPECT_FLOAT_EQ(1.0f, draws[0].fScaleX);
    EXPECT_FLOAT_EQ(1.0f, draws[0].fScaleY);
    EXPECT_EQ(0, draws[0].rSection.left);
    EXPECT_EQ(20, draws[0].rSection.right);
    EXPECT_EQ(10, draws[0].rSection.bottom);
    EXPECT_EQ(0xFFFFFFFFu, draws[0].dwColor);
}

TEST(CBaseRender, WithoutAnImageNothingIsDrawn)
{
    headless::RendererBench renderer;
    CBase* pObject = MakeBox(100.0f, 100.0f, 20, 10);
    CVKT_Direct3D* pD3D = CVKT_Direct3D::GetInstance();
    pD3D->SpriteBegin();
    pObject->Render();
    EXPECT_TRUE(pD3D->GetSprite()->GetQueuedDraws().empty());
    pD3D->SpriteEnd();
    pObject->Release();
}
