// The event system: delivery order, registration rules, events sent and registrations changed
// during dispatch, and shut-down.
#include "CVKT_EventSystem.h"

#include "GameEventIDs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using Log = std::vector<std::string>;

// Logs "<name>:<event id>" for every event and then runs an optional reaction.
class CLoggingListener : public IListener
{
public:
    CLoggingListener(Log* pLog, std::string name) : m_pLog(pLog), m_name(std::move(name)) {}
    ~CLoggingListener() override
    {
        if (m_bUnregisterOnDestruction)
            CVKT_EventSystem::GetInstance()->UnregisterClientAll(this);
    }
    void HandleEvent(CEvent* pEvent) override
    {
        std::string entry = m_name + ":" + pEvent->GetEventID();
        if (pEvent->GetParam())
            entry += "#" + *static_cast<std::string*>(pEvent->GetParam());
        m_pLog->push_back(entry);
        if (m_reaction)
            m_reaction(pEvent);
    }
    std::function<void(CEvent*)> m_reaction;
    bool m_bUnregisterOnDestruction = false;

private:
    Log* m_pLog;
    std::string m_name;
};

class EventSystemTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_pES->ClearEvents();
        m_pES->ShutdownEventSystem();
    }
    CVKT_EventSystem* m_pES = CVKT_EventSystem::GetInstance();
    Log m_log;
};
} // namespace

TEST_F(EventSystemTest, NothingIsDeliveredBeforeProcessEvents)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    EXPECT_TRUE(m_log.empty());
    m_pES->ProcessEvents();
    EXPECT_EQ(Log{"a:AddScore"}, m_log);
    // Delivered events are gone from the queue.
    m_pES->ProcessEvents();
    EXPECT_EQ(Log{"a:AddScore"}, m_log);
}

TEST_F(EventSystemTest, EventsInSendOrderListenersInRegistrationOrder)
{
    CLoggingListener a(&m_log, "a");
    CLoggingListener b(&m_log, "b");
    CLoggingListener c(&m_log, "c");
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &b);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &c);
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->SendEvent(EVENT_PLAYER_DIED);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->SendEvent(EVENT_PLAYER_DIED);
    m_pES->ProcessEvents();
    EXPECT_EQ(
        (Log{"b:PlayerDied", "a:PlayerDied", "c:AddScore", "a:AddScore", "b:PlayerDied", "a:PlayerDied"}),
        m_log);
}

TEST_F(EventSystemTest, RegisteringTwiceDeliversOnceAndNullIsIgnored)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, nullptr);
    EXPECT_TRUE(m_pES->AlreadyRegistered(EVENT_ADD_SCORE, &a));
    EXPECT_FALSE(m_pES->AlreadyRegistered(EVENT_ADD_SCORE, nullptr));
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ProcessEvents();
    EXPECT_EQ(Log{"a:AddScore"}, m_log);
}

TEST_F(EventSystemTest, IdsAreCaseSensitiveAndUnknownIdsReachNobody)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_PAUSE_GAME, &a);
    m_pES->SendEvent("pausegame");
    m_pES->SendEvent("NobodyListens");
    m_pES->SendEvent(EVENT_PAUSE_GAME);
    m_pES->ProcessEvents();
    EXPECT_EQ(Log{"a:PauseGame"}, m_log);
}

TEST_F(EventSystemTest, ParameterIsPassedThroughUntouched)
{
    CLoggingListener a(&m_log, "a");
    CLoggingListener b(&m_log, "b");
    std::string payload = "payload";
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &b);
    std::vector<void*> seen;
    a.m_reaction = [&](CEvent* pEvent) { seen.push_back(pEvent->GetParam()); };
    b.m_reaction = a.m_reaction;
    m_pES->SendEvent(EVENT_ADD_SCORE, &payload);
    m_pES->ProcessEvents();
    EXPECT_EQ((Log{"a:AddScore#payload", "b:AddScore#payload"}), m_log);
    EXPECT_EQ((std::vector<void*>{&payload, &payload}), seen);
}

TEST_F(EventSystemTest, EventSentDuringDispatchFollowsTheEventsAlreadyQueued)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_PLAYER_FIRE_BULLET, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &a);
    a.m_reaction = [&](CEvent* pEvent)
    {
        if (pEvent->GetEventID() == EVENT_PLAYER_FIRE_BULLET)
            m_pES->SendEvent(EVENT_PLAYER_DIED);
    };
    m_pES->SendEvent(EVENT_PLAYER_FIRE_BULLET);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ProcessEvents();
    EXPECT_EQ((Log{"a:PlayerFireBullet", "a:AddScore", "a:PlayerDied"}), m_log);
}

TEST_F(EventSystemTest, ListenerRegisteredDuringDispatchGetsOnlyLaterEvents)
{
    CLoggingListener trigger(&m_log, "trigger");
    CLoggingListener late(&m_log, "late");
    m_pES->RegisterClient(EVENT_ENEMY_FIRE_BULLET, &trigger);
    m_pES->RegisterClient(EVENT_PAUSE_GAME, &trigger);
    trigger.m_reaction = [&](CEvent* pEvent)
    {
        if (pEvent->GetEventID() == EVENT_ENEMY_FIRE_BULLET)
            m_pES->RegisterClient(EVENT_PAUSE_GAME, &late);
    };
    std::string first = "1", second = "2";
    m_pES->SendEvent(EVENT_PAUSE_GAME, &first);
    m_pES->SendEvent(EVENT_ENEMY_FIRE_BULLET);
    m_pES->SendEvent(EVENT_PAUSE_GAME, &second);
    m_pES->ProcessEvents();
    EXPECT_EQ(
        (Log{"trigger:PauseGame#1", "trigger:EnemyFireBullet", "trigger:PauseGame#2", "late:PauseGame#2"}),
        m_log);
}

TEST_F(EventSystemTest, ListenerRegisteredForTheEventBeingDispatchedWaitsForTheNextOne)
{
    CLoggingListener trigger(&m_log, "trigger");
    CLoggingListener late(&m_log, "late");
    m_pES->RegisterClient(EVENT_PAUSE_GAME, &trigger);
    trigger.m_reaction = [&](CEvent*) { m_pES->RegisterClient(EVENT_PAUSE_GAME, &late); };
    m_pES->SendEvent(EVENT_PAUSE_GAME);
    m_pES->ProcessEvents();
    EXPECT_EQ(Log{"trigger:PauseGame"}, m_log);
    m_pES->SendEvent(EVENT_PAUSE_GAME);
    m_pES->ProcessEvents();
    EXPECT_EQ((Log{"trigger:PauseGame", "trigger:PauseGame", "late:PauseGame"}), m_log);
}

TEST_F(EventSystemTest, UnregisterNeedsTheRightIdAndAllRemovesEveryId)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_PAUSE_GAME, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->UnregisterClient(EVENT_PLAYER_DIED, &a);
    EXPECT_TRUE(m_pES->AlreadyRegistered(EVENT_PAUSE_GAME, &a));
    m_pES->UnregisterClient(EVENT_PAUSE_GAME, &a);
    EXPECT_FALSE(m_pES->AlreadyRegistered(EVENT_PAUSE_GAME, &a));
    EXPECT_TRUE(m_pES->AlreadyRegistered(EVENT_ADD_SCORE, &a));

    m_pES->RegisterClient(EVENT_PAUSE_GAME, &a);
    m_pES->UnregisterClientAll(&a);
    m_pES->SendEvent(EVENT_PAUSE_GAME);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ProcessEvents();
    EXPECT_TRUE(m_log.empty());
}

TEST_F(EventSystemTest, ListenerThatUnregistersItselfDuringDispatch)
{
    CLoggingListener a(&m_log, "a");
    CLoggingListener b(&m_log, "b");
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &a);
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &b);
    a.m_reaction = [&](CEvent*) { m_pES->UnregisterClient(EVENT_PLAYER_DIED, &a); };
    m_pES->SendEvent(EVENT_PLAYER_DIED);
    m_pES->SendEvent(EVENT_PLAYER_DIED);
    m_pES->ProcessEvents();
    EXPECT_EQ((Log{"a:PlayerDied", "b:PlayerDied", "b:PlayerDied"}), m_log);
}

TEST_F(EventSystemTest, ListenerDestroyedByAnotherDuringDispatchIsNotCalled)
{
    CLoggingListener a(&m_log, "a");
    auto* pVictim = new CLoggingListener(&m_log, "victim");
    pVictim->m_bUnregisterOnDestruction = true;
    CLoggingListener c(&m_log, "c");
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &a);
    m_pES->RegisterClient(EVENT_PLAYER_DIED, pVictim);
    m_pES->RegisterClient(EVENT_ADD_SCORE, pVictim);
    m_pES->RegisterClient(EVENT_PLAYER_DIED, &c);
    // Under AddressSanitizer a call on the deleted listener would stop the test here.
    a.m_reaction = [&](CEvent*) { delete pVictim; };
    m_pES->SendEvent(EVENT_PLAYER_DIED);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ProcessEvents();
    EXPECT_EQ((Log{"a:PlayerDied", "c:PlayerDied"}), m_log);
}

TEST_F(EventSystemTest, ClearingTheQueueDuringDispatchDropsTheRest)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_PAUSE_GAME, &a);
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    a.m_reaction = [&](CEvent* pEvent)
    {
        if (pEvent->GetEventID() == EVENT_PAUSE_GAME)
            m_pES->ClearEvents();
    };
    m_pES->SendEvent(EVENT_PAUSE_GAME);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ProcessEvents();
    EXPECT_EQ(Log{"a:PauseGame"}, m_log);
}

TEST_F(EventSystemTest, AfterShutdownEventsAreProcessedButReachNobody)
{
    CLoggingListener a(&m_log, "a");
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ShutdownEventSystem();
    EXPECT_FALSE(m_pES->AlreadyRegistered(EVENT_ADD_SCORE, &a));
    m_pES->SendEvent(EVENT_ADD_SCORE);
    m_pES->ProcessEvents();
    EXPECT_TRUE(m_log.empty());
    // The queue was emptied: a new registration sees nothing old.
    m_pES->RegisterClient(EVENT_ADD_SCORE, &a);
    m_pES->ProcessEvents();
    EXPECT_TRUE(m_log.empty());
}
