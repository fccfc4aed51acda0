// The object factory: registration by name, creation, removal of names.
#include "CVKT_ObjectFactory.h"

#include "CBase.h"
#include "CBullet.h"
#include "CEnemy.h"
#include "CPlayer.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using CFactory = CVKT_ObjectFactory<std::string, CBase>;

class ObjectFactoryTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (const char* szName : {"CBase", "CPlayer", "CEnemy", "CBullet"})
            m_pFactory->UnregisterClassType(szName);
    }
    CFactory* m_pFactory = CFactory::GetInstance();
};
} // namespace

TEST_F(ObjectFactoryTest, CreatesTheRegisteredClassWithOneReferenceForTheCaller)
{
    EXPECT_TRUE(m_pFactory->RegisterClassType<CBase>("CBase"));
    EXPECT_TRUE(m_pFactory->RegisterClassType<CEnemy>("CEnemy"));
    EXPECT_TRUE(m_pFactory->RegisterClassType<CPlayer>("CPlayer"));

    CBase* pEnemy = m_pFactory->CreateObject("CEnemy");
    ASSERT_NE(nullptr, pEnemy);
    EXPECT_NE(nullptr, dynamic_cast<CEnemy*>(pEnemy));
    EXPECT_EQ(OBJ_ENEMY, pEnemy->GetType());
    EXPECT_EQ(1u, pEnemy->GetRefCount());

    CBase* pPlayer = m_pFactory->CreateObject("CPlayer");
    ASSERT_NE(nullptr, pPlayer);
    EXPECT_NE(nullptr, dynamic_cast<CPlayer*>(pPlayer));
    // Every call makes a new object.
    CBase* pSecond = m_pFactory->CreateObject("CEnemy");
    EXPECT_NE(pEnemy, pSecond);

    pEnemy->Release();
    pSecond->Release();
    pPlayer->Release();
}

TEST_F(ObjectFactoryTest, RegisteringANameAgainKeepsTheFirstClass)
{
    m_pFactory->RegisterClassType<CBase>("CBase");
    EXPECT_TRUE(m_pFactory->RegisterClassType<CEnemy>("CBase"));
    CBase* pObject = m_pFactory->CreateObject("CBase");
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(nullptr, dynamic_cast<CEnemy*>(pObject));
    EXPECT_EQ(1u, pObject->GetRefCount());
    pObject->Release();
}

TEST_F(ObjectFactoryTest, UnregisteredNamesCreateNothing)
{
    m_pFactory->RegisterClassType<CEnemy>("CEnemy");
    EXPECT_TRUE(m_pFactory->UnregisterClassType("CEnemy"));
    EXPECT_EQ(nullptr, m_pFactory->CreateObject("CEnemy"));
    EXPECT_FALSE(m_pFactory->UnregisterClassType("CEnemy"));
}

TEST_F(ObjectFactoryTest, UnregisteringAnUnknownNameChangesNothing)
{
    m_pFactory->RegisterClassType<CBullet>("CBullet");
    EXPECT_FALSE(m_pFactory->UnregisterClassType("CTurret"));
    CBase* pBullet = m_pFactory->CreateObject("CBullet");
    ASSERT_NE(nullptr, pBullet);
    EXPECT_NE(nullptr, dynamic_cast<CBullet*>(pBullet));
    pBullet->Release();
}

TEST_F(ObjectFactoryTest, NamesAreCaseSensitive)
{
    m_pFactory->RegisterClassType<CEnemy>("CEnemy");
    EXPECT_EQ(nullptr, m_pFactory->CreateObject("cenemy"));
    EXPECT_EQ(nullptr, m_pFactory->CreateObject("CENEMY"));
    EXPECT_FALSE(m_pFactory->UnregisterClassType("cenemy"));
    CBase* pEnemy = m_pFactory->CreateObject("CEnemy");
    ASSERT_NE(nullptr, pEnemy);
    pEnemy->Release();
}
