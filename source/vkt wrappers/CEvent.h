// One queued event: a copy of its text id and an untyped parameter that the event does not own.
#pragma once

#include <string>

// Compared byte for byte, case-sensitive.
using EVENTID = std::string;

class CEvent
{
public:
    explicit CEvent(EVENTID eventID, void* pParam = nullptr) : m_EventID(std::move(eventID)), m_pParam(pParam)
    {
    }

    EVENTID GetEventID() const { return m_EventID; }
    void* GetParam() const { return m_pParam; }

private:
    EVENTID m_EventID;
    void* m_pParam;
};
