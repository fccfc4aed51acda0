// Reading and writing Resource/settings.xml: the two volumes, the ten high scores, how the game was
// last shown and the controls the player chose, and the rule that puts a new score into the table.
//
// The file:
//   <?xml version="1.0" encoding="utf-8" standalone="yes" ?>
//   <root>
//       <sound_settings music="50" fx="50" />
//       <high_scores>
//           <score points="0">AAA</score>      (ten of them, best first)
//       </high_scores>
//       <display fullscreen="1" width="1000" height="750" />
//       <controls>
//           <control action="up" key="Up" />          (up, down, left, right, fire, pause)
//           <control action="fire" key="Z" pad="west" />
//       </controls>
//   </root>
//
// "display" and "controls" come after the table and only when they say something: in full screen, or
// a window size the player chose; controls other than the defaults. A reader that knows nothing of
// them (older copies of the game among them) walks past them, and a file without them is read as it
// always was: windowed, at the size the desktop suggests, with the default controls. A key is named
// by its place on the keyboard (SDL's scancode name: the same key under every layout), a pad button
// by its place (south, east, west, north, back, guide, start, leftstick, rightstick, leftshoulder,
// rightshoulder).
//
// Names are byte strings of up to three bytes: the score entry stores whatever was typed, control
// characters and 8-bit letters included. They are written as XML text (control characters as
// character references, bytes from 0x80 up as the UTF-8 form of the Latin-1 letter), so the file is
// well-formed UTF-8 as it declares. The reader takes the game's own files, the original Windows
// game's files (CRLF, raw 8-bit names under the same declaration) and files saved by a text editor
// (UTF-8, with or without a byte-order mark). A name made only of white space comes back empty.
#pragma once

#include "CControls.h"

#include <cstdint>
#include <string>

struct tHighScore
{
    int32_t nPoints;
    char szName[4]; // up to three bytes and a terminating NUL
};

constexpr int NUM_HIGH_SCORES = 10;

// How the game was last shown. A size of 0 x 0 means none was chosen: the window takes the size the
// desktop suggests.
struct tDisplaySettings
{
    bool bFullScreen = false;
    int nWindowWidth = 0;
    int nWindowHeight = 0;

    bool operator==(const tDisplaySettings& other) const
    {
        return bFullScreen == other.bFullScreen && nWindowWidth == other.nWindowWidth &&
               nWindowHeight == other.nWindowHeight;
    }
    bool operator!=(const tDisplaySettings& other) const { return !(*this == other); }
};

// The largest window side the file keeps; anything larger is no size the player chose.
constexpr int MAX_WINDOW_SIDE = 16384;

struct tGameSettings
{
    float fMusicVolume; // 0 to 100
    float fFXVolume;    // 0 to 100
    tHighScore highScores[NUM_HIGH_SCORES];
    tDisplaySettings display;
    tControlSettings controls;
};

class CSettingsFile
{
public:
    // The title of the settings file's reports.
    static constexpr const char* ERROR_TITLE = "Settings Error";

    // The values used when the file cannot be read: volumes 50, ten entries of 0 points named "AAA".
    static tGameSettings Defaults();

    // Fills `settings` from the file (path letter case ignored). False, with every value at its
    // default, when the file is missing or what could be parsed of it lacks the root, "sound_settings",
    // "high_scores", a first "score" or ten sibling elements from that "score" on. A "score" without
    // text is an empty name; missing or non-numeric points read as 0, a missing or non-numeric volume
    // as 50, and volumes are kept within 0 to 100. The display comes from the root's first "display"
    // element, if any: full screen when "fullscreen" is 1, and the window size when both "width" and
    // "height" are whole numbers from 1 to MAX_WINDOW_SIDE (otherwise none). The controls come from the
    // root's first "controls" element, each action from its first "control" entry: an action without
    // one keeps its default; an entry whose key (or pad button) has no name the game knows, cannot be
    // chosen or is another action's puts the action back on its default and marks it in
    // controls.ucFellBack (see CControls::Repair).
    static bool Load(const char* szPath, tGameSettings& settings);
    // Load's reading of a file's bytes.
    static bool Parse(const std::string& bytes, tGameSettings& settings);

    // Writes the whole file: volumes truncated toward zero, negative points as 0, the display only
    // when it differs from the default (a size only when both sides are in range), the controls only
    // when they differ from the defaults (then every action). The new file is
    // written beside the old one and renamed over it, so a crash or a full disk during the write
    // leaves the old file as it was. With installed data the user's settings folder is made first
    // (see CVKT_DataLocation). False when the write failed.
    static bool Save(const char* szPath, const tGameSettings& settings);
    // The bytes Save writes.
    static std::string Serialize(const tGameSettings& settings);

    // Says once, in a box titled ERROR_TITLE, which actions of the file at szPath went back to their
    // default controls; nothing when none did.
    static void ReportFallBacks(const char* szPath, const tControlSettings& controls);

    // The steps of Save, in order.
    enum class eSaveStep
    {
        Created,        // the new file exists beside the old one, still empty
        Written,        // a piece of the bytes is in the new file
        Synced,         // the new file is complete, on the disk and closed
        Renamed,        // the new file has replaced the old one
        DirectorySynced // the replacement is on the disk
    };
    // Called after every step of every Save with the number of bytes in the new file so far. With
    // nWriteChunk above 0 the bytes go out at most that many at a time, each piece a step of its own.
    // A seam for tests that stop a save part way; null removes the hook.
    using SaveHook = void (*)(eSaveStep step, size_t nBytes);
    static void SetSaveHook(SaveHook pfnHook, size_t nWriteChunk = 0);

    // Puts nPoints with szName (at most three bytes kept) above the first entry with fewer points, so
    // a tie goes below the existing equal scores; the lowest entry drops out. False, with the table
    // unchanged, when no entry has fewer points. The caller saves the file in either case.
    static bool InsertHighScore(tHighScore table[NUM_HIGH_SCORES], int nPoints, const char* szName);
};
