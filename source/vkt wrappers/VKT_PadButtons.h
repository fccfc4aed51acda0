// The buttons and directions of a game pad, named by where they sit rather than by what is printed on
// them: South is A on an Xbox pad and Cross on a PlayStation pad, East is B or Circle. The numbers
// are those of SDL's standard game-controller layout.
#pragma once

enum ePadButton
{
    PAD_SOUTH = 0,
    PAD_EAST,
    PAD_WEST,
    PAD_NORTH,
    PAD_BACK,
    PAD_GUIDE,
    PAD_START,
    PAD_LEFT_STICK,
    PAD_RIGHT_STICK,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_BUTTON_COUNT
};

// Directions of the D-pad and the left stick, numbered as the joystick queries number them.
enum ePadDirection
{
    PAD_LEFT = 0,
    PAD_RIGHT = 1,
    PAD_UP = 2,
    PAD_DOWN = 3,
    PAD_DIRECTION_COUNT
};
