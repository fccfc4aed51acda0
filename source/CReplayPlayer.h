// Watching a recorded game. The game is played again from the record's start by its own rules: the
// recorded elapsed times drive the frames and the recorded input is what every screen reads, while
// the keyboard and the pads serve the person watching: Space or South pauses and goes on, Escape or
// East leaves, Right and Left change the speed (x1, x2, x4: that many recorded frames of time for
// each frame of the watcher's; the recorded times themselves never change). A "REPLAY" mark is drawn
// over the game.
//
// After every frame the game's state hash is compared with the record's. The first frame where they
// differ is reported in a box titled "Replay Error" and the replay stops there. A replay that plays
// to its end holds its last picture for END_HOLD_MS (or until a leave key). Watching writes nothing:
// the replayed game never reaches the high-score table, and it is not recorded.
#pragma once

#include "CReplayFile.h"

class IGameState;

class CReplayPlayer
{
public:
    static constexpr uint32_t END_HOLD_MS = 3000;
    static constexpr int MAX_SPEED = 4;
    // Recorded frames run for one frame of the watcher's, at most, per step of speed: a long stall
    // drops the time it owes rather than racing through the game.
    static constexpr int MAX_FRAMES_PER_FRAME = 8;

    enum class eResult
    {
        None,     // nothing watched yet, or still watching
        Played,   // played to the end, every frame as recorded
        Left,     // the watcher left before the end
        Departed, // the game came out differently from the record
        Closed    // the program ended while watching
    };

    static CReplayPlayer* GetInstance();
    CReplayPlayer(const CReplayPlayer&) = delete;
    CReplayPlayer& operator=(const CReplayPlayer&) = delete;

    // Watching starts with the next frame. pReturnTo is the screen shown when the replay ends; with
    // null the game ends with it (Frame returns false).
    void Start(const tReplay& replay, IGameState* pReturnTo);
    bool IsWatching() const { return m_bWatching; }

    // CGame::Main, each frame while watching, after the devices were read: the watcher's keys, then
    // as many recorded frames as the time and the speed allow. False when the game is to end.
    bool Frame(uint32_t uElapsedMs);
    // The replayed game changes the screen by its own rules (quit from the pause screen): the replay
    // ends, and this is where the change leads instead.
    IGameState* Leave();
    // The gameplay state's Exit, before anything of it is taken down.
    void GameLeft();
    // The window lost the focus: the watching pauses.
    void Pause() { m_bPaused = true; }
    // Draws the mark over the replayed game (nothing before its first frame).
    void DrawMark() const;

    int GetSpeed() const { return m_nSpeed; }
    bool IsPaused() const { return m_bPaused; }
    // Recorded frames played so far, and the frame (counted from 0) where the replayed game departed
    // from the record; -1 when it has not.
    uint32_t GetFramesPlayed() const { return m_uNext; }
    int GetDepartedFrame() const { return m_nDepartedFrame; }
    eResult GetResult() const { return m_eResult; }
    const tReplay& GetReplay() const { return m_Replay; }

private:
    CReplayPlayer() = default;
    // False when the game is to end.
    bool ReadWatcherKeys();
    bool PlayFrames(uint32_t uElapsedMs);
    bool Step();
    void SortAsDrawn() const;
    // Puts the carried-over state of `start` into the game: the random numbers, the timers that run
    // from one game to the next, the typed characters and the pads' menu repeat.
    static void Restore(const tReplayStart& start);
    void Depart(uint32_t uFrame);
    // Ends watching with that result and shows pReturnTo (when not already changing to it).
    void Stop(eResult result, bool bShowReturn);
    void PutAside();

    tReplay m_Replay;
    IGameState* m_pReturnTo = nullptr;
    bool m_bWatching = false;
    bool m_bInStep = false;
    bool m_bLeaving = false;
    bool m_bPaused = false;
    int m_nSpeed = 1;
    uint32_t m_uNext = 0;
    uint64_t m_uBudgetMs = 0;
    uint32_t m_uHeldMs = 0;
    int m_nDepartedFrame = -1;
    eResult m_eResult = eResult::None;
    tReplayStart m_Aside; // the game's own carried-over state, given back when the watching ends
};
