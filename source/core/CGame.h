// The game: starts and stops the platform layer and the engine services, holds the volumes and the
// high-score table, keeps the stack of screens and runs one frame each time Main is called.
#pragma once

#include "CReplayPlayer.h"
#include "CSettingsFile.h"
#include "VKT_Types.h"

#include <cstdint>
#include <vector>

class IGameState;
class CVKT_Direct3D;
class CVKT_TextureManager;
class CVKT_DirectSound;
class CVKT_WaveManager;
class CVKT_DirectInput;
class CVKT_MessageSystem;
class CVKT_EventSystem;

class CGame
{
public:
    static CGame* GetInstance();

    CGame(const CGame&) = delete;
    CGame& operator=(const CGame&) = delete;

    // Starts everything in a fixed order and makes the logo screen the only state. Failures of the
    // platform layer are reported by the layer itself; the game goes on.
    void Initialize(HWND hWnd, HINSTANCE hInstance, int nScreenWidth, int nScreenHeight, bool bWindowed);
    // One frame: the devices read, then the rules of a frame played (or, while a replay is watched,
    // of as many recorded frames as the watcher's time allows), then the picture drawn. False means
    // the game is to end (nothing more was drawn in this frame). After the frame the screensaver is
    // held off while a game is played or a replay watched (not paused, not a demo), and allowed on
    // every other screen: the menus, the high-score table, the story and the pause.
    bool Main();
    // The rules of one frame, without reading the devices or drawing: the pads' menu repeat, the top
    // state's Input, the (possibly new) top state's Update, then the wave manager, the messages and
    // the events. With pEnterInstead the frame changes to that state in place of the repeat and the
    // Input (where a recorded game began). False when Input said the game is to end.
    bool RunFrame(uint32_t uElapsedMs, IGameState* pEnterInstead);
    // The window lost the focus: play is paused (a replay's watching instead).
    void FocusLost();
    // Exits every state, saves the settings when the display (full screen, the window's size) is no
    // longer what the settings file holds, then stops the platform layer and the services in
    // reverse order.
    void Shutdown();

    // Stack operations. The stack does not own its states (they are singletons).
    // pState may be null: leaves the stack empty. A replayed game that changes to any other screen
    // (quit from the pause screen) ends the watching instead, and the replay's return screen follows.
    void ChangeState(IGameState* pState);
    void PushState(IGameState* pState); // Enter runs before the state is on the stack
    void PopState();                    // Exit of the top only; the one below simply resumes
    void ClearStates();                 // Exit of every state, bottom first
    std::vector<IGameState*> GetStateStack() const { return m_vStates; }

    // True exactly when nPoints beats the lowest entry of the table.
    bool IsHighScore(int nPoints) const;
    const tHighScore* GetHighScores() const { return m_HighScores; }
    void SetHighScores(const tHighScore* pScores);

    float GetMusicVolume() const { return m_fMusicVolume; }
    void SetMusicVolume(float fVolume) { m_fMusicVolume = fVolume; }
    float GetFXVolume() const { return m_fFXVolume; }
    void SetFXVolume(float fVolume) { m_fFXVolume = fVolume; }
    int GetMusicID() const { return m_nMusicID; }

    // The keys and pad buttons the player chose (CControls); setting them hands them to the input
    // layer, which reads through them from the next frame of play on.
    const tControlSettings& GetControls() const { return m_Controls; }
    void SetControls(const tControlSettings& controls);
    // A game is being played: the gameplay state is on top, the game is not over and no replay is
    // watched. The chosen controls work only then; everywhere else every key and button is itself
    // (at the game over too, where any key leads on).
    bool IsPlaying() const;

    // Reads the volumes, the table, the display and the controls (which the input layer takes at
    // once); the actions whose controls in the file could not be used are reported once.
    bool LoadSettings(const char* szPath);
    // Writes the volumes, the table, the display as it is now and the controls; nothing (false) while
    // the settings are read-only.
    bool SaveSettings(const char* szPath);
    // A program that only shows a replay leaves the player's settings file as it found it, whatever
    // is switched or resized while it runs. Off again after Shutdown.
    void SetSettingsReadOnly(bool bReadOnly) { m_bSettingsReadOnly = bReadOnly; }
    // Full screen or not, and the window size the player chose (0 x 0 while the window has the size
    // the desktop suggests). Without a running renderer: as the settings file said.
    tDisplaySettings GetDisplay() const;

    int GetScreenWidth() const { return m_nScreenWidth; }
    int GetScreenHeight() const { return m_nScreenHeight; }
    bool IsWindowed() const { return m_bWindowed; }
    float GetElapsedTime() const { return m_fElapsedTime; }

private:
    CGame();
    // Watching a replay, one frame of the watcher's: its keys, then the recorded frames its time
    // pays for. False when the program is to end (the replay ended with no screen to return to).
    bool WatchFrame(uint32_t uElapsedMs);
    // False when the watcher leaves (a demo: at any press, or when its time is over).
    bool ReadWatcherKeys();
    void PlayRecordedFrames(uint32_t uElapsedMs);
    // One recorded frame by the game's own rules with the recorded input; false when the watching
    // ended in it.
    bool PlayRecordedFrame(const tReplayFrame& frame);
    // The replayed game changes the screen by its own rules: as recorded only when the record ends
    // so, with the state as it is left.
    void LeaveReplayedGame();
    void EndWatching(CReplayPlayer::eResult result);
    // Between two recorded frames, the frame drawn when they were recorded sorted the objects.
    void SortAsDrawn();
    void ToggleDisplayMode();
    void UpdateScreenSaver();
    void RenderStates();
    void Draw();

    CVKT_Direct3D* m_pD3D;
    CVKT_TextureManager* m_pTM;
    CVKT_DirectSound* m_pDS;
    CVKT_WaveManager* m_pWM;
    CVKT_DirectInput* m_pDI;
    CVKT_MessageSystem* m_pMS = nullptr;
    CVKT_EventSystem* m_pES = nullptr;

    std::vector<IGameState*> m_vStates; // element 0 is the bottom, the last the top
    tHighScore m_HighScores[NUM_HIGH_SCORES];
    // The display as the settings file says (loaded, or last saved).
    tDisplaySettings m_SavedDisplay;
    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    bool m_bWindowed = true;
    bool m_bSettingsReadOnly = false;
    float m_fMusicVolume = 50.0f;
    float m_fFXVolume = 50.0f;
    tControlSettings m_Controls;
    int m_nMusicID = -1;
    uint32_t m_dwLastTick;
    float m_fElapsedTime;
};
