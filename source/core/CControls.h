// The controls the player chooses: a key for each of the six actions of play (fly up, down, left and
// right, fire, pause) and a pad button for fire and pause (the pad flies by its D-pad and left stick,
// which are not rebound). The defaults are the game's own keys: the arrows, Space and P, and the pad's
// South and Start.
//
// The choice works below the screens: Apply hands it to the input layer, which, while a game is
// played, makes the chosen key read as the action's default key (CVKT_InputBindings). The rules, the
// replays and every screen keep asking for the default keys. Menus, the pause screen, the score entry
// and a replay being watched read every key as itself, so the arrows, Return, Escape, Space and the
// pad's D-pad, South and East always work there. Escape always pauses a game as well: it cannot be
// chosen, nor can Return, F11 or Alt (the menus and the display switch need them), nor the pad's
// East (it backs out) and Guide (the system often takes it).
#pragma once

#include <cstdint>
#include <string>

enum eControl
{
    CONTROL_UP = 0,
    CONTROL_DOWN,
    CONTROL_LEFT,
    CONTROL_RIGHT,
    CONTROL_FIRE,
    CONTROL_PAUSE,
    CONTROL_COUNT
};

// For the actions without a pad button of their own.
constexpr int NO_PAD_BUTTON = -1;

struct tControlSettings
{
    // The key of each action, as a DIK code.
    uint8_t ucKeys[CONTROL_COUNT];
    // The pad button (ePadButton) of each action; NO_PAD_BUTTON for the four directions.
    int8_t cPadButtons[CONTROL_COUNT];
    // Bit n: the settings file's entry for action n could not be used and it is back on its default.
    uint8_t ucFellBack;

    // Keys and buttons alike; what fell back does not count.
    bool operator==(const tControlSettings& other) const;
    bool operator!=(const tControlSettings& other) const { return !(*this == other); }
};

class CControls
{
public:
    enum class eChange
    {
        Bound,   // the action has the new key or button
        Swapped, // and the action that had it took the old one
        Refused  // nothing changed: the key or button cannot be chosen
    };

    static tControlSettings Defaults();

    // "Fly up", "Fire", ... as the screens show them; "up", "fire", ... as the settings file names them.
    static const char* Name(int nControl);
    static const char* FileName(int nControl);
    static bool HasPadButton(int nControl);

    // Whether the key (or button) may be chosen for an action at all.
    static bool IsKeyAllowed(unsigned char ucKey);
    static bool IsPadButtonAllowed(int nButton);

    // Gives the action the key; an action that had it takes the action's old key, so every action
    // keeps a key of its own. With pnSwapped, the other action (or -1). A key not allowed is refused.
    static eChange BindKey(tControlSettings& controls, int nControl, unsigned char ucKey,
                           int* pnSwapped = nullptr);
    // The same for pad buttons; refused as well for an action without a pad button.
    static eChange BindPadButton(tControlSettings& controls, int nControl, int nButton,
                                 int* pnSwapped = nullptr);
    // Puts every action whose key or button is not allowed, or is already another's, back on its
    // default and marks it in ucFellBack; when that still leaves two actions sharing, all go back.
    static void Repair(tControlSettings& controls);

    // The input layer reads keys and buttons through these controls from now on (while a game is
    // played; see CVKT_DirectInput::SetBindingsOn).
    static void Apply(const tControlSettings& controls);

    // What the screens show: the key's name in the player's layout, the button's place ("South").
    static std::string KeyName(unsigned char ucKey);
    static const char* PadButtonName(int nButton);
    // The settings file's names: the key's place on the keyboard ("Z", "Left Shift"), the button's
    // place ("south"), and back; 0 and NO_PAD_BUTTON for names nothing has.
    static std::string KeyFileName(unsigned char ucKey);
    static unsigned char KeyFromFileName(const char* szName);
    static const char* PadButtonFileName(int nButton);
    static int PadButtonFromFileName(const char* szName);
};
