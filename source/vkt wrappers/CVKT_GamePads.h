// Every game controller SDL has a mapping for, through SDL's GameController API: the pads attached
// when it starts and every pad plugged in later, any number of them, each of which controls the
// game. Pads are read once per frame; the queries ask whether any pad does something, so the player
// may pick up whichever is at hand.
//
// Mappings: SDL's own, then the lines of gamecontrollerdb.txt beside the settings file when there is
// one (the user's data folder of an installed game, Resource/ otherwise), and those of the
// SDL_GAMECONTROLLERCONFIG environment variable, which SDL reads itself and ranks above the file.
// Joysticks without a mapping are left alone.
//
// The pad that is playing is the one that last gave input. Pulling it out is reported for one read.
// While the game's window does not have the input focus the pads hold nothing.
#pragma once

#include "VKT_PadButtons.h"
#include "VKT_Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CVKT_GamePad;
union SDL_Event;

class CVKT_GamePads
{
public:
    // The name of the user's own mapping file, in SDL's gamecontrollerdb.txt format.
    static constexpr const char* MAPPINGS_FILE = "gamecontrollerdb.txt";

    CVKT_GamePads();
    // Closes every pad and stops what Init started.
    ~CVKT_GamePads();
    CVKT_GamePads(const CVKT_GamePads&) = delete;
    CVKT_GamePads& operator=(const CVKT_GamePads&) = delete;

    // Starts SDL's game-controller support, adds the user's mappings and opens every mapped pad
    // attached now. False, reported in a box titled "CVKT_DirectInput Error", when SDL's support does
    // not start. A mapping file that is there but cannot be read is reported and left out.
    bool Init(HWND hWnd);

    // Platform: a pad was plugged in or pulled out, or a pad's button or axis moved.
    void HandleEvent(const SDL_Event& event);
    // Reads every pad; the pad with new input becomes the playing pad.
    void Read();

    int GetCount() const { return static_cast<int>(m_vPads.size()); }
    // Held on some pad now; pressed: held now on a pad that did not hold it at the read before.
    bool ButtonDown(int nButton) const;
    bool ButtonPressed(int nButton) const;
    bool AnyButtonPressed() const;
    // The D-pad or the left stick of some pad points that way (ePadDirection).
    bool DirectionDown(int nDir) const;
    bool DirectionPressed(int nDir) const;
    // The playing pad was pulled out between the read before and the last one.
    bool PlayingPadLost() const { return m_bPlayingPadLost; }
    // A rumble on the playing pad; false when there is none or it cannot rumble.
    bool Rumble(float fStrength, uint32_t uMilliseconds);

private:
    void AddUserMappings(HWND hWnd);
    void OpenAttached();
    void Open(int nDeviceIndex);
    void Close(int32_t nInstanceID);
    bool IsOpen(int32_t nInstanceID) const;
    CVKT_GamePad* PlayingPad() const;

    std::vector<std::unique_ptr<CVKT_GamePad>> m_vPads;
    bool m_bStarted = false;
    int32_t m_nPlayingPad = -1;
    bool m_bLostSinceRead = false;
    bool m_bPlayingPadLost = false;
};
