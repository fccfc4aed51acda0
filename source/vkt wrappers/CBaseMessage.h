// The base of every queued message: an id fixed at construction. Messages without data are plain
// CBaseMessage objects; messages with data derive from it.
#pragma once

using MSGID = int;

class CBaseMessage
{
public:
    explicit CBaseMessage(MSGID msgID) : m_MsgID(msgID) {}
    virtual ~CBaseMessage() {}

    CBaseMessage(const CBaseMessage&) = delete;
    CBaseMessage& operator=(const CBaseMessage&) = delete;

    MSGID GetMsgID() const { return m_MsgID; }

private:
    MSGID m_MsgID;
};
