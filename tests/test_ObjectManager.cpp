// The object manager: the references it holds, the update and removal of inactive objects, the
// drawing order by scale and the order of the collision pairs.
#include "CVKT_ObjectManager.h"

#include "CBase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Writes every call it receives into a shared log as "<name>:<what>", and answers collision tests
// with a programmable result.
class CLoggedObject : public CBase
{
public:
    CLoggedObject(std::vector<std::string>* pLog, std::string name, int nType, float fScale = -1.0f)
        : m_pLog(pLog), m_name(std::move(name))
    {
        m_nType = nType;
        m_fScale = fScale;
        m_bActive = true;
        m_nWidth = 10;
        m_nHeight = 10;
    }

    void Update(float) override
    {
        m_pLog->push_back(m_name + ":update");
        if (m_bSwitchOffInUpdate)
            m_bActive = false;
    }
    void Render() override { m_pLog->push_back(m_name + ":render"); }
    bool CheckCollision(CBase* pOther) override
    {
        const auto* pLogged = static_cast<CLoggedObject*>(pOther);
        m_pLog->push_back(m_name + ">" + pLogged->m_name);
        return pLogged->m_name == m_hitOn;
    }

    const std::string& Name() const { return m_name; }
    std::string m_hitOn;
    bool m_bSwitchOffInUpdate = false;
    bool* m_pDestroyed = nullptr;

private:
    ~CLoggedObject() override
    {
        if (m_pDestroyed)
            *m_pDestroyed = true;
    }
    std::vector<std::string>* m_pLog;
    std::string m_name;
};

class ObjectManagerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_pOM->RemoveAllObjects();
        for (CBase* pObject : m_created)
            pObject->Release();
    }

    // The test keeps its creation reference until the end, so counts stay readable.
    CLoggedObject* Make(const std::string& name, int nType, float fScale = -1.0f)
    {
        auto* pObject = new CLoggedObject(&m_log, name, nType, fScale);
        m_created.push_back(pObject);
        return pObject;
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (CBase* pObject : m_pOM->GetObjects())
            names.push_back(static_cast<CLoggedObject*>(pObject)->Name());
        return names;
    }

    CVKT_ObjectManager* m_pOM = CVKT_ObjectManager::GetInstance();
    std::vector<std::string> m_log;
    std::vector<CBase*> m_created;
};

using Log = std::vector<std::string>;
} // namespace

TEST_F(ObjectManagerTest, NullIsIgnoredByAddAndRemove)
{
    CLoggedObject* pA = Make("a", OBJ_ENEMY);
    m_pOM->AddObject(pA);
    m_pOM->AddObject(nullptr);
    m_pOM->RemoveObject(nullptr);
    EXPECT_EQ(Log{"a"}, Names());
    EXPECT_EQ(2u, pA->GetRefCount());
}

TEST_F(ObjectManagerTest, DuplicatesHoldOneReferenceEachAndRemoveTakesTheFirst)
{
    CLoggedObject* pA = Make("a", OBJ_ENEMY);
    CLoggedObject* pB = Make("b", OBJ_ENEMY);
    m_pOM->AddObject(pA);
    m_pOM->AddObject(pB);
    m_pOM->AddObject(pA);
    EXPECT_EQ((Log{"a", "b", "a"}), Names());
    EXPECT_EQ(3u, pA->GetRefCount());

    m_pOM->RemoveObject(pA);
    EXPECT_EQ((Log{"b", "a"}), Names());
    EXPECT_EQ(2u, pA->GetRefCount());
}

TEST_F(ObjectManagerTest, RemovingAnObjectNotListedReleasesNothing)
{
    CLoggedObject* pA = Make("a", OBJ_ENEMY);
    CLoggedObject* pB = Make("b", OBJ_ENEMY);
    m_pOM->AddObject(pA);
    m_pOM->RemoveObject(pB);
    EXPECT_EQ(1u, pB->GetRefCount());
    EXPECT_EQ(Log{"a"}, Names());
}

TEST_F(ObjectManagerTest, ObjectWhoseLastReferenceIsTheManagersGoesWithRemoval)
{
    bool bDestroyed = false;
    auto* pOwned = new CLoggedObject(&m_log, "owned", OBJ_ENEMY);
    pOwned->m_pDestroyed = &bDestroyed;
    m_pOM->AddObject(pOwned);
    pOwned->Release(); // the creator lets go, as the game's creators do
    EXPECT_FALSE(bDestroyed);
    m_pOM->RemoveObject(pOwned);
    EXPECT_TRUE(bDestroyed);
    EXPECT_TRUE(m_pOM->GetObjects().empty());
}

TEST_F(ObjectManagerTest, RemoveAllReleasesEveryEntryAndEmptiesTheList)
{
    bool bDestroyed = false;
    auto* pOwned = new CLoggedObject(&m_log, "owned", OBJ_ENEMY);
    pOwned->m_pDestroyed = &bDestroyed;
    CLoggedObject* pKept = Make("kept", OBJ_PLAYER);
    m_pOM->AddObject(pOwned);
    m_pOM->AddObject(pKept);
    m_pOM->AddObject(pKept);
    pOwned->Release();
    m_pOM->RemoveAllObjects();
    EXPECT_TRUE(bDestroyed);
    EXPECT_EQ(1u, pKept->GetRefCount());
    EXPECT_TRUE(m_pOM->GetObjects().empty());
}

TEST_F(ObjectManagerTest, InactiveObjectsAreNotUpdatedAndLeaveOnTheNextUpdate)
{
    CLoggedObject* pA = Make("a", OBJ_ENEMY);
    CLoggedObject* pB = Make("b", OBJ_PLAYER);
    CLoggedObject* pC = Make("c", OBJ_ENEMY);
    pB->SetActive(false);
    pC->m_bSwitchOffInUpdate = true;
    for (CBase* pObject : {static_cast<CBase*>(pA), static_cast<CBase*>(pB), static_cast<CBase*>(pC)})
        m_pOM->AddObject(pObject);

    m_pOM->UpdateObjects(0.1f);
    EXPECT_EQ((Log{"a:update", "c:update"}), m_log);
    // b was inactive when reached and is gone; c switched itself off and stays for now.
    EXPECT_EQ((Log{"a", "c"}), Names());
    EXPECT_EQ(1u, pB->GetRefCount());

    m_log.clear();
    m_pOM->UpdateObjects(0.1f);
    EXPECT_EQ(Log{"a:update"}, m_log);
    EXPECT_EQ(Log{"a"}, Names());
}

TEST_F(ObjectManagerTest, InactiveObjectStillCollidesAndIsDrawnUntilTheNextUpdate)
{
    CLoggedObject* pEnemy = Make("enemy", OBJ_ENEMY);
    CLoggedObject* pBullet = Make("bullet", OBJ_PLAYER_BULLET, 0.5f);
    m_pOM->AddObject(pEnemy);
    m_pOM->AddObject(pBullet);
    pBullet->SetActive(false); // as a collision handler would
    m_pOM->CheckCollisions();
    m_pOM->RenderObjects();
    EXPECT_EQ((Log{"enemy>enemy", "enemy>bullet", "bullet>enemy", "enemy:render", "bullet:render"}), m_log);
}

TEST_F(ObjectManagerTest, DrawingOrderFollowsScaleAndTheListKeepsThatOrder)
{
    CLoggedObject* pPlayer = Make("player", OBJ_PLAYER, 1.5f);
    CLoggedObject* pBullet = Make("bullet", OBJ_PLAYER_BULLET, 0.6f);
    auto* pEnemy = new CLoggedObject(&m_log, "enemy", OBJ_ENEMY);
    m_created.push_back(pEnemy);
    CBase* pDefault = new CBase;
    pEnemy->SetScale(pDefault->GetScale()); // the default an enemy's creator leaves in place
    pDefault->Release();
    CLoggedObject* pRock = Make("rock", OBJ_ENEMY_BULLET, 0.0f);
    for (CBase* pObject : {static_cast<CBase*>(pPlayer), static_cast<CBase*>(pBullet),
                           static_cast<CBase*>(pEnemy), static_cast<CBase*>(pRock)})
        m_pOM->AddObject(pObject);

    m_pOM->RenderObjects();
    EXPECT_EQ((Log{"enemy:render", "rock:render", "bullet:render", "player:render"}), m_log);
    // The sort happened in place: updates now run in drawing order.
    m_log.clear();
    m_pOM->UpdateObjects(0.0f);
    EXPECT_EQ((Log{"enemy:update", "rock:update", "bullet:update", "player:update"}), m_log);
}

TEST_F(ObjectManagerTest, ATypeDrawnOnTopComesLastWhileTheListKeepsTheOrderByScale)
{
    CLoggedObject* pSecondShot = Make("shot2", OBJ_PLAYER_BULLET, 0.2f);
    for (CBase* pObject : {static_cast<CBase*>(Make("player", OBJ_PLAYER, 1.5f)),
                           static_cast<CBase*>(Make("shot1", OBJ_PLAYER_BULLET, 0.6f)),
                           static_cast<CBase*>(Make("enemy", OBJ_ENEMY)), static_cast<CBase*>(pSecondShot),
                           static_cast<CBase*>(Make("rock", OBJ_ENEMY_BULLET, 0.0f))})
        m_pOM->AddObject(pObject);

    m_pOM->RenderObjects(OBJ_PLAYER_BULLET);
    EXPECT_EQ((Log{"enemy:render", "rock:render", "player:render", "shot2:render", "shot1:render"}), m_log);
    m_log.clear();
    m_pOM->UpdateObjects(0.0f);
    EXPECT_EQ((Log{"enemy:update", "rock:update", "shot2:update", "shot1:update", "player:update"}), m_log);
}

TEST_F(ObjectManagerTest, CollisionPairsRunInListOrderWithTheSameTypeRules)
{
    // Two objects of type 1 (the player and a charge power-up), a bullet and two enemies.
    m_pOM->AddObject(Make("p", OBJ_PLAYER));
    m_pOM->AddObject(Make("c", OBJ_CHARGE_POWERUP));
    m_pOM->AddObject(Make("b", OBJ_PLAYER_BULLET));
    m_pOM->AddObject(Make("e", OBJ_ENEMY));
    m_pOM->AddObject(Make("f", OBJ_ENEMY));
    m_pOM->CheckCollisions();
    const Log expected = {
        "p>b", "p>e", "p>f",               // p and c share type 1: never tested
        "c>b", "c>e", "c>f",               //
        "b>p", "b>c", "b>e", "b>f",        // b skips itself
        "e>p", "e>c", "e>b", "e>e", "e>f", // enemies meet every enemy, themselves included
        "f>p", "f>c", "f>b", "f>e", "f>f",
    };
    EXPECT_EQ(expected, m_log);
}

TEST_F(ObjectManagerTest, AReportedHitEndsTheInnerLoopForThatObjectOnly)
{
    CLoggedObject* pPlayer = Make("p", OBJ_PLAYER);
    CLoggedObject* pEnemy = Make("e", OBJ_ENEMY);
    m_pOM->AddObject(pPlayer);
    m_pOM->AddObject(Make("b", OBJ_ENEMY_BULLET));
    m_pOM->AddObject(pEnemy);
    m_pOM->AddObject(Make("f", OBJ_ENEMY));
    pPlayer->m_hitOn = "b";
    pEnemy->m_hitOn = "e"; // an enemy always meets itself first among the later enemies
    m_pOM->CheckCollisions();
    const Log expected = {
        "p>b",                      // hit: e and f are not tested by p
        "b>p", "b>e", "b>f",        //
        "e>p", "e>b", "e>e",        // hit on itself: f is not tested by e
        "f>p", "f>b", "f>e", "f>f", //
    };
    EXPECT_EQ(expected, m_log);
}

TEST_F(ObjectManagerTest, RealCollisionRectanglesDecideThePass)
{
    // The base test with real rectangles: only the overlapping pair reports a hit.
    class CHitCounter : public CBase
    {
    public:
        CHitCounter(int nType, float fX, int* pHits) : m_pHits(pHits)
        {
            m_nType = nType;
            m_fPosX = fX;
            m_fPosY = 100.0f;
            m_nWidth = 32;
            m_nHeight = 32;
            m_bActive = true;
        }
        bool CheckCollision(CBase* pOther) override
        {
            const bool bHit = CBase::CheckCollision(pOther);
            if (bHit && pOther != this)
                ++*m_pHits;
            return bHit;
        }

    private:
        int* m_pHits;
    };
    int nHits = 0;
    CBase* pPlayer = new CHitCounter(OBJ_PLAYER, 100.0f, &nHits);
    CBase* pNear = new CHitCounter(OBJ_ENEMY_BULLET, 131.0f, &nHits);
    CBase* pFar = new CHitCounter(OBJ_ENEMY_BULLET, 200.0f, &nHits);
    for (CBase* pObject : {pPlayer, pNear, pFar})
    {
        m_pOM->AddObject(pObject);
        pObject->Release();
    }
    m_pOM->CheckCollisions();
    EXPECT_EQ(2, nHits); // player and near bullet, once from each side
}
