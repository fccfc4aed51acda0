// A recorded game being watched, as the frame loop asks about it: the record, how far it has been
// played, the watcher's speed and pause, and how the watching ended. The player drives nothing: the
// game's frame loop (CGame) asks it for the next recorded frame its time allows, plays that frame by
// its own rules with the recorded input, and asks whether the game's state hash matches the record's.
// The game's own carried-over state is put aside when watching starts and given back when it ends.
//
// The watcher's speed is x1, x2 or x4: that many recorded frames of time for each frame of the
// watcher's (the recorded times themselves never change). A replay that has played to its end holds
// its last picture for END_HOLD_MS. The first frame whose hash differs from the record's is reported
// in a box titled "Replay Error" and the watching stops there.
//
// A demo (the title showing a game by itself when nobody plays) is watched the same way, marked
// "DEMO": it is over after DEMO_MS of watching, and a departure ends it without a box.
#pragma once

#include "CReplayFile.h"

#include <string>

class IGameState;

class CReplayPlayer
{
public:
    static constexpr uint32_t END_HOLD_MS = 3000;
    static constexpr int MAX_SPEED = 4;
    // Recorded frames run for one frame of the watcher's, at most, per step of speed: a long stall
    // drops the time it owes rather than racing through the game.
    static constexpr int MAX_FRAMES_PER_FRAME = 8;
    static constexpr uint32_t DEMO_MS = 45000;

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

    // Watching starts with the next frame; the game's carried-over state is put aside. pReturnTo is
    // the screen shown when the replay ends; with null the program ends with it. bDemo: the title
    // shows it by itself.
    void Start(const tReplay& replay, IGameState* pReturnTo, bool bDemo = false);
    bool IsWatching() const { return m_bWatching; }
    IGameState* GetReturnTo() const { return m_pReturnTo; }

    // The watcher's frame of uElapsedMs begins: its time (times the speed) is owed to the record,
    // unless the watching is paused.
    void AddTime(uint32_t uElapsedMs);
    // The next recorded frame the owed time pays for, or null when it pays for no more in this
    // watcher's frame (or the record is played). Taking a frame spends its time.
    const tReplayFrame* NextFrame();
    bool IsDemo() const { return m_bDemo; }
    // A demo that has been watched DEMO_MS (pauses not counted).
    bool IsDemoOver() const { return m_bDemo && m_uWatchedMs >= DEMO_MS; }
    // Frames taken in the watcher's current frame.
    int FramesTakenNow() const { return m_nTakenNow; }
    bool IsFirstFrame() const { return m_uNext == 0; }
    bool IsLastFrame() const { return m_uNext + 1 == m_Replay.vFrames.size(); }
    bool AtEnd() const { return m_uNext >= m_Replay.vFrames.size(); }
    // After the frame taken last was played: true when the game's hash is the record's, and the
    // frame counts as played.
    bool Matches(uint32_t uStateHash);
    // The game came out differently from the record at the frame taken last: notes the frame and
    // reports it (a demo quietly). The caller stops the watching.
    void Depart();
    // At the end of the record: true once the last picture has been held END_HOLD_MS.
    bool HoldEnd(uint32_t uElapsedMs);

    // The watcher's controls.
    void TogglePause() { m_bPaused = !m_bPaused; }
    void Pause() { m_bPaused = true; }
    void Faster();
    void Slower();

    // Watching ends with that result; the game's carried-over state comes back.
    void Stop(eResult result);
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

    tReplay m_Replay;
    IGameState* m_pReturnTo = nullptr;
    bool m_bWatching = false;
    bool m_bDemo = false;
    bool m_bPaused = false;
    int m_nSpeed = 1;
    uint32_t m_uNext = 0;
    uint64_t m_uOwedMs = 0;
    int m_nTakenNow = 0;
    uint32_t m_uHeldMs = 0;
    uint64_t m_uWatchedMs = 0;
    int m_nDepartedFrame = -1;
    eResult m_eResult = eResult::None;
    tReplayStart m_Aside; // the game's own carried-over state, given back when the watching ends
};
