// Anything that receives events. Listeners inherit this beside their main base and register that
// part with the event system.
#pragma once

class CEvent;

class IListener
{
public:
    virtual ~IListener() {}
    // Called for every event the listener is registered for; the event lives only for the call.
    virtual void HandleEvent(CEvent* pEvent) = 0;
};
