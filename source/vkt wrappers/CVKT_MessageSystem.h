// A queue of requests handled by one installed procedure.
// STAND-IN: only what the game core calls; the object framework replaces this file.
#pragma once

class CBaseMessage;
using MESSAGEPROC = void (*)(CBaseMessage*);

class CVKT_MessageSystem
{
public:
    static CVKT_MessageSystem* GetInstance();
    void InitMessageSystem(MESSAGEPROC pfnMsgProc) { m_pfnMsgProc = pfnMsgProc; }
    void ProcessMessages() {}
    void ShutdownMessageSystem() { m_pfnMsgProc = nullptr; }

private:
    MESSAGEPROC m_pfnMsgProc = nullptr;
};
