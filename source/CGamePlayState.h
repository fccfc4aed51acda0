// The screen on which the game is played.
// STAND-IN: the public shape the core, the window procedure and the screens use; the gameplay issue
// replaces this file and keeps these operations.
#pragma once

#include "IGameState.h"
#include "IListener.h"

class CBaseMessage;
class CPlayer;

class CGamePlayState : public IGameState, public IListener
{
public:
    static CGamePlayState* GetInstance();
    // Receives every queued message of the message system.
    static void MessageProc(CBaseMessage* pMsg);

    void Enter() override {}
    bool Input() override { return true; }
    void Update(float) override {}
    void Render() override {}
    void Exit() override {}
    void HandleEvent(CEvent*) override {}

    int GetScore() const { return m_nScore; }
    int GetLives() const { return m_nLives; }
    void SetLives(int nLives) { m_nLives = nLives; }
    bool IsPaused() const { return m_bPaused; }
    void SetPaused(bool bPaused) { m_bPaused = bPaused; }
    bool IsRapidFire() const { return m_bRapidFire; }
    int GetScreenWidth() const { return 640; }
    int GetScreenHeight() const { return 480; }

private:
    CGamePlayState() = default;

    int m_nScore = 0;
    int m_nLives = 3;
    bool m_bPaused = false;
    bool m_bRapidFire = false;
};
