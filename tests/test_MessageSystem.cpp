// The message system and the game's message catalog: queue order, messages queued while handling,
// the installed handler, and the references that messages hold on the objects they carry.
#include "CVKT_MessageSystem.h"

#include "CBullet.h"
#include "CEnemy.h"
#include "CEnemyBird.h"
#include "CGameMessages.h"
#include "CPlayer.h"
#include "CPowerup.h"
#include "CVKT_ObjectManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
// The handler is a plain function: it records the ids and runs whatever the test installs.
std::vector<MSGID> g_handled;
std::function<void(CBaseMessage*)> g_reaction;

void RecordingProc(CBaseMessage* pMsg)
{
    g_handled.push_back(pMsg->GetMsgID());
    if (g_reaction)
        g_reaction(pMsg);
}

int g_otherProcCalls = 0;
void OtherProc(CBaseMessage*)
{
    ++g_otherProcCalls;
}

// A message that reports its own deletion.
class CTracedMessage : public CBaseMessage
{
public:
    CTracedMessage(MSGID id, int* pDeleted) : CBaseMessage(id), m_pDeleted(pDeleted) {}
    ~CTracedMessage() override { ++*m_pDeleted; }

private:
    int* m_pDeleted;
};

// An enemy that reports its destruction.
class CTracedEnemy : public CEnemy
{
public:
    explicit CTracedEnemy(bool* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~CTracedEnemy() override { *m_pDestroyed = true; }

private:
    bool* m_pDestroyed;
};

class MessageSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_handled.clear();
        g_reaction = nullptr;
        g_otherProcCalls = 0;
    }
    void TearDown() override
    {
        m_pMS->ShutdownMessageSystem();
        CVKT_ObjectManager::GetInstance()->RemoveAllObjects();
        g_reaction = nullptr;
    }
    CVKT_MessageSystem* m_pMS = CVKT_MessageSystem::GetInstance();
};

using Ids = std::vector<MSGID>;
} // namespace

TEST_F(MessageSystemTest, MessagesReachTheHandlerFirstInFirstOut)
{
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->SendMsg(new CBaseMessage(MSG_CREATE_PLAYER));
    m_pMS->SendMsg(new CCreateEnemyMessage());
    m_pMS->SendMsg(new CBaseMessage(MSG_CREATE_POWERUP));
    m_pMS->ProcessMessages();
    EXPECT_EQ((Ids{MSG_CREATE_PLAYER, MSG_CREATE_ENEMY, MSG_CREATE_POWERUP}), g_handled);
    EXPECT_EQ(0u, m_pMS->GetQueuedCount());
}

TEST_F(MessageSystemTest, EachMessageIsDeletedRightAfterItsHandlerReturns)
{
    int nDeleted = 0;
    std::vector<int> deletedWhenHandled;
    g_reaction = [&](CBaseMessage*) { deletedWhenHandled.push_back(nDeleted); };
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->SendMsg(new CTracedMessage(1, &nDeleted));
    m_pMS->SendMsg(new CTracedMessage(2, &nDeleted));
    m_pMS->ProcessMessages();
    EXPECT_EQ((std::vector<int>{0, 1}), deletedWhenHandled);
    EXPECT_EQ(2, nDeleted);
}

TEST_F(MessageSystemTest, MessageQueuedByTheHandlerFollowsThoseAlreadyWaiting)
{
    g_reaction = [&](CBaseMessage* pMsg)
    {
        if (pMsg->GetMsgID() == MSG_DESTROY_ENEMY)
            m_pMS->SendMsg(new CCreateEnemyMessage());
    };
    m_pMS->InitMessageSystem(&RecordingProc);
    CEnemy* pEnemy = new CEnemy;
    m_pMS->SendMsg(new CDestroyEnemyMessage(pEnemy));
    pEnemy->Release();
    m_pMS->SendMsg(new CBaseMessage(MSG_CREATE_PLAYER));
    m_pMS->ProcessMessages();
    EXPECT_EQ((Ids{MSG_DESTROY_ENEMY, MSG_CREATE_PLAYER, MSG_CREATE_ENEMY}), g_handled);
}

TEST_F(MessageSystemTest, WithoutAHandlerTheQueueWaits)
{
    m_pMS->SendMsg(new CBaseMessage(MSG_CREATE_PLAYER));
    m_pMS->SendMsg(new CBaseMessage(MSG_CREATE_ENEMY));
    m_pMS->ProcessMessages();
    EXPECT_EQ(2u, m_pMS->GetQueuedCount());
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->ProcessMessages();
    EXPECT_EQ((Ids{MSG_CREATE_PLAYER, MSG_CREATE_ENEMY}), g_handled);
}

TEST_F(MessageSystemTest, NullHandlerKeepsTheOldOneAndNullMessagesAreIgnored)
{
    m_pMS->InitMessageSystem(&OtherProc);
    m_pMS->InitMessageSystem(nullptr);
    m_pMS->SendMsg(nullptr);
    EXPECT_EQ(0u, m_pMS->GetQueuedCount());
    m_pMS->SendMsg(new CBaseMessage(99)); // an id nobody knows is handed over and deleted all the same
    m_pMS->ProcessMessages();
    EXPECT_EQ(1, g_otherProcCalls);
    EXPECT_EQ(0u, m_pMS->GetQueuedCount());
}

TEST_F(MessageSystemTest, CarriedObjectIsDestroyedWhenItsLastMessageIsDeleted)
{
    bool bDestroyed = false;
    CVKT_ObjectManager* pOM = CVKT_ObjectManager::GetInstance();
    CEnemy* pEnemy = new CTracedEnemy(&bDestroyed);
    pOM->AddObject(pEnemy);
    pEnemy->Release(); // the manager's reference is the only one now
    m_pMS->SendMsg(new CDestroyEnemyMessage(pEnemy));
    EXPECT_EQ(2u, pEnemy->GetRefCount());

    bool bAliveAfterRemoval = false;
    g_reaction = [&](CBaseMessage* pMsg)
    {
        auto* pDestroy = static_cast<CDestroyEnemyMessage*>(pMsg);
        pOM->RemoveObject(pDestroy->GetEnemy());
        bAliveAfterRemoval = !bDestroyed && pDestroy->GetEnemy()->GetRefCount() == 1;
    };
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->ProcessMessages();
    EXPECT_TRUE(bAliveAfterRemoval);
    EXPECT_TRUE(bDestroyed);
}

TEST_F(MessageSystemTest, ShutdownDeletesWaitingMessagesReleasesTheirObjectsAndForgetsTheHandler)
{
    bool bDestroyed = false;
    CEnemy* pEnemy = new CTracedEnemy(&bDestroyed);
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->SendMsg(new CDestroyEnemyMessage(pEnemy));
    pEnemy->Release();
    EXPECT_FALSE(bDestroyed);
    m_pMS->ShutdownMessageSystem();
    EXPECT_TRUE(bDestroyed);
    EXPECT_TRUE(g_handled.empty());

    m_pMS->SendMsg(new CBaseMessage(MSG_CREATE_PLAYER));
    m_pMS->ProcessMessages();
    EXPECT_TRUE(g_handled.empty());
    EXPECT_EQ(1u, m_pMS->GetQueuedCount());
}

TEST_F(MessageSystemTest, ClearMessagesDeletesWithoutHandling)
{
    int nDeleted = 0;
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->SendMsg(new CTracedMessage(1, &nDeleted));
    m_pMS->SendMsg(new CTracedMessage(2, &nDeleted));
    m_pMS->ClearMessages();
    EXPECT_EQ(2, nDeleted);
    m_pMS->ProcessMessages();
    EXPECT_TRUE(g_handled.empty());
}

TEST_F(MessageSystemTest, HandlerThatEmptiesTheQueueOrShutsDownEndsTheProcessingSafely)
{
    int nDeleted = 0;
    g_reaction = [&](CBaseMessage* pMsg)
    {
        if (pMsg->GetMsgID() == 1)
            m_pMS->ClearMessages();
    };
    m_pMS->InitMessageSystem(&RecordingProc);
    m_pMS->SendMsg(new CTracedMessage(1, &nDeleted));
    m_pMS->SendMsg(new CTracedMessage(2, &nDeleted));
    m_pMS->ProcessMessages();
    EXPECT_EQ(Ids{1}, g_handled);
    EXPECT_EQ(2, nDeleted); // each deleted once: AddressSanitizer would report a second deletion

    g_handled.clear();
    g_reaction = [&](CBaseMessage*) { m_pMS->ShutdownMessageSystem(); };
    m_pMS->SendMsg(new CTracedMessage(3, &nDeleted));
    m_pMS->SendMsg(new CTracedMessage(4, &nDeleted));
    m_pMS->ProcessMessages();
    EXPECT_EQ(Ids{3}, g_handled);
    EXPECT_EQ(4, nDeleted);
}

TEST(MessageCatalog, IdsAndCarriedValues)
{
    EXPECT_EQ(1, CCreateEnemyMessage().GetMsgID());
    EXPECT_EQ(2, CCreateEnemyBirdMessage().GetMsgID());
    EXPECT_EQ(3, MSG_CREATE_PLAYER);
    EXPECT_EQ(6, MSG_CREATE_POWERUP);

    const CCreatePlayerBulletMessage playerBullet(300.5f, 374.25f);
    EXPECT_EQ(4, playerBullet.GetMsgID());
    EXPECT_FLOAT_EQ(300.5f, playerBullet.GetPosX());
    EXPECT_FLOAT_EQ(374.25f, playerBullet.GetPosY());

    const CCreateEnemyBulletMessage enemyBullet(10.0f, 20.0f, 1.25f, true);
    EXPECT_EQ(5, enemyBullet.GetMsgID());
    EXPECT_FLOAT_EQ(10.0f, enemyBullet.GetPosX());
    EXPECT_FLOAT_EQ(20.0f, enemyBullet.GetPosY());
    EXPECT_FLOAT_EQ(1.25f, enemyBullet.GetAngle());
    EXPECT_TRUE(enemyBullet.GetHunter());
    EXPECT_FALSE(CCreateEnemyBulletMessage(0.0f, 0.0f, 0.0f, false).GetHunter());
}

TEST(MessageCatalog, DestroyMessagesHoldOneReferenceForTheirLifetime)
{
    CEnemy* pEnemy = new CEnemy;
    CPlayer* pPlayer = new CPlayer;
    CBullet* pBullet = new CBullet;
    CEnemyBird* pBird = new CEnemyBird;
    CPowerup* pPowerup = new CPowerup;
    {
        const CDestroyEnemyMessage enemy(pEnemy);
        const CDestroyPlayerMessage player(pPlayer);
        const CDestroyBulletMessage bullet(pBullet);
        const CDestroyEnemyBirdMessage bird(pBird);
        const CDestroyPowerupMessage powerup(pPowerup);
        EXPECT_EQ(7, enemy.GetMsgID());
        EXPECT_EQ(8, player.GetMsgID());
        EXPECT_EQ(9, bullet.GetMsgID());
        EXPECT_EQ(10, bird.GetMsgID());
        EXPECT_EQ(11, powerup.GetMsgID());
        EXPECT_EQ(pEnemy, enemy.GetEnemy());
        EXPECT_EQ(pPlayer, player.GetPlayer());
        EXPECT_EQ(pBullet, bullet.GetBullet());
        EXPECT_EQ(pBird, bird.GetEnemyBird());
        EXPECT_EQ(pPowerup, powerup.GetPowerup());
        for (CBase* pObject : std::initializer_list<CBase*>{pEnemy, pPlayer, pBullet, pBird, pPowerup})
            EXPECT_EQ(2u, pObject->GetRefCount());
    }
    for (CBase* pObject : std::initializer_list<CBase*>{pEnemy, pPlayer, pBullet, pBird, pPowerup})
    {
        EXPECT_EQ(1u, pObject->GetRefCount());
        pObject->Release();
    }
}

TEST(MessageCatalog, GameObjectsCarryTheirTypeNumbers)
{
    CBase* pObjects[] = {new CPlayer, new CEnemy, new CEnemyBird};
    EXPECT_EQ(OBJ_PLAYER, pObjects[0]->GetType());
    EXPECT_EQ(OBJ_ENEMY, pObjects[1]->GetType());
    EXPECT_EQ(OBJ_ENEMY_BIRD, pObjects[2]->GetType());
    for (CBase* pObject : pObjects)
        pObject->Release();
}
