// Records every game from the story screen's start of play to its end: the game over, the last
// level done, quitting from the pause screen, or the end of the program during play. The finished
// record is kept by CReplayStore. Off until the program turns it on; never on while a replay is
// watched, so a replay does not record itself.
//
// The frame loop reports each frame's time and input after the devices were read (FrameRead) and
// the end of its rules (FrameDone); the gameplay state reports the start and the end of play; the
// window's focus loss that pauses play is reported before the frame it comes before.
#pragma once

#include "CReplayFile.h"

#include <string>

class CReplayRecorder
{
public:
    static CReplayRecorder* GetInstance();
    CReplayRecorder(const CReplayRecorder&) = delete;
    CReplayRecorder& operator=(const CReplayRecorder&) = delete;

    void Enable(bool bEnabled);
    bool IsEnabled() const { return m_bEnabled; }
    bool IsRecording() const { return m_bRecording; }

    // The frame's elapsed milliseconds and what the input layer answers now.
    void FrameRead(uint32_t uElapsedMs);
    // The focus loss paused play before the coming frame.
    void FocusPaused() { m_bFocusPausePending = true; }
    // The frame's rules are done: its state hash is taken, and a game that is over ends the record.
    void FrameDone();

    // A game starts (CGamePlayState::Enter, during the frame read last). Seeds the random numbers
    // with a seed drawn from them, so the game depends on that seed alone, and notes what the game
    // starts from. Nothing while disabled or while a replay is watched.
    void GameStarted();
    // The gameplay state is left (CGamePlayState::Exit, before anything of it is taken down).
    void GameLeft();

    // The last record finished in this run, and the file it was kept in (empty when it was not).
    const tReplay& GetLastRecord() const { return m_Last; }
    const std::string& GetLastFile() const { return m_LastFile; }

private:
    CReplayRecorder() = default;
    void Finish(eReplayEnd end);

    bool m_bEnabled = false;
    bool m_bRecording = false;
    bool m_bInFrame = false;
    bool m_bFocusPausePending = false;
    tReplayFrame m_Current;
    tReplay m_Record;
    tReplay m_Last;
    std::string m_LastFile;
};
