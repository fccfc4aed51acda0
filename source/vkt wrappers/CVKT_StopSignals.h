// SIGTERM, SIGINT and SIGHUP ask the game to end: a logout, a service manager, a window manager that
// gives up on a window, Ctrl+C in a terminal. The handler only notes the first of them and wakes a
// pipe; the frame loop and every wait of the platform layer (a message box) see it at once, and the
// game ends through its normal shutdown. SDL is told to install no handlers of its own.
#pragma once

class CVKT_StopSignals
{
public:
    static CVKT_StopSignals* GetInstance();

    CVKT_StopSignals(const CVKT_StopSignals&) = delete;
    CVKT_StopSignals& operator=(const CVKT_StopSignals&) = delete;

    // Installs the handlers, with no signal noted. Call before SDL starts. A signal that is ignored
    // (the game was started under nohup, say) stays ignored. False when the wake pipe or a handler
    // could not be made; such signals keep the action they had.
    bool InitStopSignals();
    // Puts back what the signals did before and forgets a noted signal.
    void ShutdownStopSignals();

    // The first stop signal since InitStopSignals, or 0.
    int GetPendingSignal() const;
    // The exit status of a game ended by that signal, 128 + its number; 0 when none is noted.
    int GetExitCode() const;
    // Readable from the moment a stop signal is noted (and from then on); -1 when not installed.
    int GetWakeFd() const;

private:
    CVKT_StopSignals() = default;
};
