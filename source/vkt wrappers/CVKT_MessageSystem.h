// A first-in first-out queue of requests, all handed to one installed procedure. Queued messages
// belong to the system, which deletes each one after its handler returns.
#pragma once

#include "CBaseMessage.h"

#include <cstddef>
#include <deque>

using MESSAGEPROC = void (*)(CBaseMessage*);

class CVKT_MessageSystem
{
public:
    static CVKT_MessageSystem* GetInstance();

    CVKT_MessageSystem(const CVKT_MessageSystem&) = delete;
    CVKT_MessageSystem& operator=(const CVKT_MessageSystem&) = delete;

    // Installs the handler; null keeps the one installed.
    void InitMessageSystem(MESSAGEPROC pfnMsgProc);
    // Queues a heap message, which the system now owns. Null is ignored.
    void SendMsg(CBaseMessage* pMsg);
    // Without a handler, does nothing. Otherwise hands every message to the handler in order, each
    // deleted right after its handler returns, until the queue is empty: messages the handler
    // queues are handled in the same call, after those already waiting.
    void ProcessMessages();
    // Deletes every queued message without handling it.
    void ClearMessages();
    // ClearMessages, then forgets the handler.
    void ShutdownMessageSystem();

    size_t GetQueuedCount() const { return m_MsgQueue.size(); }

private:
    CVKT_MessageSystem() = default;
    // The game empties the queue in ShutdownMessageSystem. Whatever is still queued at exit is not
    // deleted: the objects it carries would unregister from services that may already be gone.
    ~CVKT_MessageSystem() = default;

    std::deque<CBaseMessage*> m_MsgQueue;
    MESSAGEPROC m_pfnMsgProc = nullptr;
};
