// Text-named events: SendEvent queues them, ProcessEvents delivers each, in the order sent, to every
// listener registered for its id, in registration order.
#pragma once

#include "CEvent.h"
#include "IListener.h"

#include <list>
#include <map>

class CVKT_EventSystem
{
public:
    static CVKT_EventSystem* GetInstance();

    CVKT_EventSystem(const CVKT_EventSystem&) = delete;
    CVKT_EventSystem& operator=(const CVKT_EventSystem&) = delete;

    // A listener enters each id at most once, after the listeners already registered for it. Null
    // is ignored.
    void RegisterClient(EVENTID eventID, IListener* pClient);
    // Removes the listener from that id only.
    void UnregisterClient(EVENTID eventID, IListener* pClient);
    // Removes the listener from every id.
    void UnregisterClientAll(IListener* pClient);
    bool AlreadyRegistered(EVENTID eventID, IListener* pClient) const;

    // Queues the event; nothing is delivered before ProcessEvents.
    void SendEvent(EVENTID eventID, void* pParam = nullptr);
    // Delivers the event to the listeners registered for its id when the dispatch starts. A listener
    // unregistered during the dispatch (by itself or another) is not called after that; one
    // registered during it waits for the next event.
    void DispatchEvent(CEvent* pEvent);
    // Delivers queued events until the queue is empty, including events that listeners send
    // meanwhile (after those already waiting).
    void ProcessEvents();
    // Drops the queued events undelivered.
    void ClearEvents();
    // Drops every registration; queued events stay and reach nobody.
    void ShutdownEventSystem();

private:
    CVKT_EventSystem() = default;
    ~CVKT_EventSystem() = default;

    std::multimap<EVENTID, IListener*> m_ClientDatabase;
    std::list<CEvent> m_CurrentEvents;
};
