#include "CVKT_EventSystem.h"

#include <vector>

CVKT_EventSystem* CVKT_EventSystem::GetInstance()
{
    static CVKT_EventSystem instance;
    return &instance;
}

void CVKT_EventSystem::RegisterClient(EVENTID eventID, IListener* pClient)
{
    if (!pClient || AlreadyRegistered(eventID, pClient))
        return;
    // A multimap inserts after the existing entries of an equal key: registration order holds.
    m_ClientDatabase.insert(std::make_pair(std::move(eventID), pClient));
}

void CVKT_EventSystem::UnregisterClient(EVENTID eventID, IListener* pClient)
{
    auto range = m_ClientDatabase.equal_range(eventID);
    for (auto it = range.first; it != range.second; ++it)
    {
        if (it->second == pClient)
        {
            m_ClientDatabase.erase(it);
            return;
        }
    }
}

void CVKT_EventSystem::UnregisterClientAll(IListener* pClient)
{
    for (auto it = m_ClientDatabase.begin(); it != m_ClientDatabase.end();)
    {
        if (it->second == pClient)
            it = m_ClientDatabase.erase(it);
        else
            ++it;
    }
}

bool CVKT_EventSystem::AlreadyRegistered(EVENTID eventID, IListener* pClient) const
{
    auto range = m_ClientDatabase.equal_range(eventID);
    for (auto it = range.first; it != range.second; ++it)
    {
        if (it->second == pClient)
            return true;
    }
    return false;
}

void CVKT_EventSystem::SendEvent(EVENTID eventID, void* pParam)
{
    m_CurrentEvents.emplace_back(std::move(eventID), pParam);
}

void CVKT_EventSystem::DispatchEvent(CEvent* pEvent)
{
    if (!pEvent)
        return;
    const EVENTID eventID = pEvent->GetEventID();
    // The listeners are fixed when the dispatch starts; a handler may change the registrations (and
    // destroy listeners) meanwhile, so each one is checked again right before its call.
    std::vector<IListener*> listeners;
    auto range = m_ClientDatabase.equal_range(eventID);
    for (auto it = range.first; it != range.second; ++it)
        listeners.push_back(it->second);
    for (IListener* pClient : listeners)
    {
        if (AlreadyRegistered(eventID, pClient))
            pClient->HandleEvent(pEvent);
    }
}

void CVKT_EventSystem::ProcessEvents()
{
    while (!m_CurrentEvents.empty())
    {
        // Off the queue before delivery, so a listener that clears the queue cannot pull the event
        // out from under its own dispatch.
        std::list<CEvent> current;
        current.splice(current.begin(), m_CurrentEvents, m_CurrentEvents.begin());
        DispatchEvent(&current.front());
    }
}

void CVKT_EventSystem::ClearEvents()
{
    m_CurrentEvents.clear();
}

void CVKT_EventSystem::ShutdownEventSystem()
{
    m_ClientDatabase.clear();
}
