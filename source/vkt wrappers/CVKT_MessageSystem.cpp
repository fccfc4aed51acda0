#include "CVKT_MessageSystem.h"

#include <memory>

CVKT_MessageSystem* CVKT_MessageSystem::GetInstance()
{
    static CVKT_MessageSystem instance;
    return &instance;
}

void CVKT_MessageSystem::InitMessageSystem(MESSAGEPROC pfnMsgProc)
{
    if (pfnMsgProc)
        m_pfnMsgProc = pfnMsgProc;
}

void CVKT_MessageSystem::SendMsg(CBaseMessage* pMsg)
{
    if (pMsg)
        m_MsgQueue.push_back(pMsg);
}

void CVKT_MessageSystem::ProcessMessages()
{
    // The handler is read again for every message: it may shut the system down.
    while (m_pfnMsgProc && !m_MsgQueue.empty())
    {
        // Off the queue before the handler runs, so a handler that clears the queue cannot delete
        // the message it is holding.
        std::unique_ptr<CBaseMessage> pMsg(m_MsgQueue.front());
        m_MsgQueue.pop_front();
        m_pfnMsgProc(pMsg.get());
    }
}

void CVKT_MessageSystem::ClearMessages()
{
    while (!m_MsgQueue.empty())
    {
        std::unique_ptr<CBaseMessage> pMsg(m_MsgQueue.front());
        m_MsgQueue.pop_front();
    }
}

void CVKT_MessageSystem::ShutdownMessageSystem()
{
    ClearMessages();
    m_pfnMsgProc = nullptr;
}
