// The title showing the game by itself: after IDLE_SECONDS on the main menu with no key, button, pad
// or mouse input, a demo plays (a recorded game watched in demo mode, see CReplayPlayer) and then the
// menu comes back. The demo is the best game the player has kept (the one behind the first entry of
// the high-score table) or one of the demos shipped with the game, taking turns on later idle
// periods. A file that cannot be read, is of a newer format or departs from its record is not tried
// again in this run, and nothing is reported: nobody asked for a demo.
#pragma once

#include <set>
#include <string>
#include <vector>

class IGameState;

class CAttractMode
{
public:
    static constexpr float IDLE_SECONDS = 60.0f;

    static CAttractMode* GetInstance();
    CAttractMode(const CAttractMode&) = delete;
    CAttractMode& operator=(const CAttractMode&) = delete;

    // A run of the game starts: every file may be tried again, the turns start with the best game.
    void Reset();

    // The main menu was entered: its idle time starts afresh. True when it comes back from a demo,
    // which writes nothing (the menu's entry then saves no settings).
    bool MenuEntered();
    // One frame of the main menu, bTouched when anything was touched in it. Once the menu has been
    // left alone IDLE_SECONDS a demo starts, returning to pMenu: true then.
    bool MenuFrame(float fElapsedSeconds, bool bTouched, IGameState* pMenu);
    float GetIdleSeconds() const { return m_fIdleSeconds; }

private:
    CAttractMode() = default;
    // The games that may be shown, in turn order: the best kept game, then the shipped demos.
    std::vector<std::string> Candidates() const;
    bool StartNextDemo(IGameState* pMenu);

    float m_fIdleSeconds = 0.0f;
    size_t m_uTurn = 0;
    bool m_bShowing = false;
    std::string m_Showing;
    std::set<std::string> m_Refused;
};
