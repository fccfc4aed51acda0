// The system mouse as an input device, kept from SDL's mouse events: movement in x and y (SDL's
// relative motion, in the window system's pixels) and wheel movement (120 per notch, positive away
// from the user) summed since the previous read, and 8 buttons. Movement made while the device is not
// acquired is not counted.
//
// Buttons: 0 left, 1 right, 2 middle, 3 and 4 the side buttons (SDL's X1 and X2); SDL's buttons 6 to 8,
// which some window systems deliver for further buttons, become 5 to 7. SDL does not say how many
// buttons a mouse has; the five it names are the ones reported as present.
//
// An exclusive mouse hides and captures the pointer (SDL's relative mouse mode) while acquired.
#pragma once

#include "CVKT_InputDeviceObject.h"

#include <SDL_events.h>

#include <memory>

class CVKT_MouseDeviceObject : public CVKT_InputDeviceObject
{
public:
    static constexpr int BUTTONS_REPORTED = 5;

    // Null when there is no mouse to read: SDL video (the source of mouse events) is not running.
    static std::unique_ptr<CVKT_MouseDeviceObject> Create();

    void HandleEvent(const SDL_Event& event) override;
    int GetButtonCount() const { return BUTTONS_REPORTED; }

    // The button number for SDL's button index; -1 for buttons beyond 8.
    static int ToButtonNumber(Uint8 ucSDLButton);

protected:
    // Hands out the sums and starts new ones.
    void CopyLiveState(void* out) override;
    void ClearLiveState() override;
    void OnAcquired() override;
    void OnUnacquired() override;

private:
    CVKT_MouseDeviceObject();
    void OnMotion(const SDL_MouseMotionEvent& motion);
    void OnWheel(const SDL_MouseWheelEvent& wheel);
    void OnButton(const SDL_MouseButtonEvent& button);

    tMouseState m_Live = {};
};
