// Text-named events delivered to registered listeners once per frame.
// STAND-IN: only what the game core calls; the object framework replaces this file.
#pragma once

class CVKT_EventSystem
{
public:
    static CVKT_EventSystem* GetInstance();
    void ProcessEvents() {}
    void ShutdownEventSystem() {}
};
