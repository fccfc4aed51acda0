// The real game, headless: SDL's dummy video and audio drivers and the software renderer, the game's
// own window procedure, a scratch working folder (see ScratchFolder) and a hand-driven clock. The
// window opens as the program opens it (the size and the full screen the settings file remembers,
// or the size the desktop suggests: 640 x 480 on the dummy driver's 1024 x 768 desktop). Frames
// run the way the program's loop runs them: the clock moves on, the window's pump takes every
// waiting event, CGame::Main draws and presents. Keys, text, pads and window events go into SDL's
// real queue and reach the game through that pump.
//
// One at a time per process: the game and the platform layer are singletons.
#pragma once

#include "InputEvents.h"
#include "ManualClock.h"
#include "ScratchFolder.h"
#include "VirtualPad.h"

#include "CVKT_Direct3D.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IGameState;

namespace headless
{
class HeadlessGame
{
public:
    struct Options
    {
        // The content of Resource/settings.xml before the game starts; empty: no file.
        std::string settingsXml;
        // The Resource folder whose Graphics and Sound the game uses; empty: the build's.
        std::string resourceDir;
        uint32_t startTick = 10000;
        // Every game played is recorded and kept in Resource/replays, as the program does.
        bool record = false;
        // For tools, where a step that goes wrong ends the run: the game ending (a Frame that would
        // return false), a wait that times out (RunUntil) and a capture that gets no frame throw
        // std::runtime_error instead of answering.
        bool strict = false;
    };

    // Starts the platform, opens the game window and initialises the game, which shows its logo
    // screen. Drivers already chosen in the environment are kept. Throws std::runtime_error when the
    // platform or the window does not start.
    explicit HeadlessGame(const Options& options);
    HeadlessGame() : HeadlessGame(Options()) {}
    // Shuts the game down (every state's Exit), unplugs the pads and stops the platform.
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // One pass of the program's loop after `milliseconds`. False when the loop would end: the pump
    // took the quit message (Main is not run then) or Main returned false.
    bool Frame(uint32_t milliseconds = 16);
    // Frames of `step` ms until at least `milliseconds` have passed, whatever their results.
    void Run(uint32_t milliseconds, uint32_t step = 16);
    // Frames of `step` ms until the condition holds or `milliseconds` have passed; true when it held.
    // szWhat names what was waited for in a strict game's error.
    template <typename Condition>
    bool RunUntil(Condition condition, uint32_t milliseconds, uint32_t step = 16,
                  const char* szWhat = "a wait");
    // One frame, and the picture it presented (640 x 480 ARGB).
    std::vector<uint32_t> CaptureFrame(uint32_t milliseconds = 16);
    // One frame, and what it put into the window: the picture scaled and letterboxed, in the
    // window's pixels (empty when the frame presented nothing).
    tScreenPixels CaptureScreen(uint32_t milliseconds = 16);

    // The program ends as on any way out (every state's Exit, CGame::Shutdown, the platform stops)
    // and starts again in the same folder, with the settings file it left. The pads are unplugged.
    // Throws as the constructor does.
    void Restart();

    void Hold(SDL_Scancode key, Uint16 modifiers = KMOD_NONE) { PushKey(key, true, modifiers); }
    void Release(SDL_Scancode key, Uint16 modifiers = KMOD_NONE) { PushKey(key, false, modifiers); }
    // The key goes down in one frame and up in the next.
    void Tap(SDL_Scancode key, uint32_t milliseconds = 16);
    // The key goes down and up before one frame, as remote desktops, on-screen keyboards and
    // `xdotool key` send it; then that frame.
    void QuickTap(SDL_Scancode key, uint32_t milliseconds = 16);
    // A key press that types `szText` (as the window system sends both), then its release.
    void Type(SDL_Scancode key, const char* szText, Uint16 modifiers = KMOD_NONE);
    // Taps the key of each lower-case letter, without text events. Asserts on anything else.
    void Type(const char* szLetters);

    // A game controller plugged in until the game goes (or the pad is unplugged); see VirtualPad.
    VirtualPad& PlugPad(const SDL_VirtualJoystickDesc& desc = VirtualPad::GameController());
    // The pad's button goes down in one frame and up in the next.
    void Tap(VirtualPad& pad, SDL_GameControllerButton button, uint32_t milliseconds = 16);
    // The pad's button goes down and up before one frame (SDL sees both: its queue is pumped in
    // between, as a pad polled faster than the frames would be); then that frame.
    void QuickTap(VirtualPad& pad, SDL_GameControllerButton button, uint32_t milliseconds = 16);

    // Window events for the game's window, taken at the next frame.
    void PushWindow(Uint8 windowEvent) { PushWindowEvent(m_pWindow, windowEvent); }
    void LoseFocus() { PushWindow(SDL_WINDOWEVENT_FOCUS_LOST); }
    void GainFocus() { PushWindow(SDL_WINDOWEVENT_FOCUS_GAINED); }
    // The close button of the title bar.
    void CloseWindow() { PushWindow(SDL_WINDOWEVENT_CLOSE); }

    std::vector<IGameState*> Stack() const;
    IGameState* Top() const;
    size_t Depth() const;
    ManualClock& Clock() { return *m_pClock; }
    SDL_Window* Window() const { return m_pWindow; }
    // The working folder the game runs in, and its settings file.
    const std::string& Folder() const { return m_pFolder->Path(); }
    std::string SettingsPath() const { return m_pFolder->SettingsPath(); }
    // The settings file's content; empty when there is none.
    std::string SettingsText() const;

private:
    void Start();
    void Stop();
    // A wait for szWhat ended without its condition: throws in a strict game.
    void TimedOut(const char* szWhat, uint32_t milliseconds) const;

    std::unique_ptr<ScratchFolder> m_pFolder;
    std::unique_ptr<ManualClock> m_pClock;
    std::vector<std::unique_ptr<VirtualPad>> m_vPads;
    // Every game played is recorded (Options::record), also after a restart.
    bool m_bRecord = false;
    bool m_bStrict = false;
    SDL_Window* m_pWindow = nullptr;
};

template <typename Condition>
bool HeadlessGame::RunUntil(Condition condition, uint32_t milliseconds, uint32_t step, const char* szWhat)
{
    for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed += step)
    {
        if (condition())
            return true;
        Frame(step);
    }
    if (condition())
        return true;
    TimedOut(szWhat, milliseconds);
    return false;
}
} // namespace headless
