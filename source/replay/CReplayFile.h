// A recorded game and the file it is kept in. A record holds what the game started from (the random
// seed, the timers and typed characters that carry over from earlier games, where the pads' menu
// repeat stood) and, for every frame from the start of play to its end, the elapsed milliseconds the
// game used, the input it read, whether losing the window's focus paused it before the frame, and a
// hash of the game's state after the frame.
//
// The file is little-endian: "TRPL", the format version (16 bits), a header (game version, date,
// level reached, final score, lives, how the game ended, frame count, time played), the start, the
// frames (each only what changed since the frame before), and last the CRC-32 of every byte before
// it. A file is read whole and checked before anything of it is used: a damaged file or one of a
// newer format is refused.
#pragma once

#include "CPadInput.h"
#include "VKT_InputFrame.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class eReplayEnd : uint8_t
{
    GameOver = 0,  // the last life was lost
    Completed = 1, // the last level was done
    Quit = 2,      // quit from the pause screen
    Closed = 3     // the program ended during play (window closed, stop signal)
};

struct tReplayStart
{
    uint32_t uSeed = 0;
    float fEnemyFireTimer = 0.0f;
    float fBubbleTimer = 0.0f;
    float fPlayerFireTimer = 0.0f;
    std::vector<char> vTypedChars;
    tPadRepeat padRepeat;
};

struct tReplayFrame
{
    uint32_t uElapsedMs = 0;
    bool bFocusPause = false;
    tInputFrame input;
    uint32_t uStateHash = 0;
};

struct tReplay
{
    std::string gameVersion;
    int64_t nDate = 0; // seconds since 1970-01-01 UTC
    int32_t nLevel = 1;
    int32_t nScore = 0;
    int32_t nLives = 0;
    eReplayEnd end = eReplayEnd::GameOver;
    tReplayStart start;
    std::vector<tReplayFrame> vFrames;

    // The sum of the frames' elapsed milliseconds.
    uint64_t PlayedMilliseconds() const;
};

class CReplayFile
{
public:
    static constexpr uint16_t FORMAT_VERSION = 1;
    // About 19 hours at 60 frames a second: a record beyond that is not kept, a file claiming more is
    // refused.
    static constexpr uint32_t MAX_FRAMES = 1u << 22;
    static constexpr size_t MAX_TYPED_CHARS = 16;
    static constexpr size_t MAX_VERSION_LENGTH = 31;
    // Replay files are far smaller; a larger file is not read into memory.
    static constexpr uint64_t MAX_FILE_SIZE = 64u * 1024u * 1024u;

    enum class eError
    {
        None,
        Unreadable,   // the file cannot be opened or read
        NotAReplay,   // it does not start as a replay file does
        Damaged,      // cut short, changed, or inconsistent
        FutureVersion // written by a newer format than this game reads
    };

    // The bytes of the file for a record.
    static std::string Serialize(const tReplay& replay);
    // Reads a whole file's bytes. On any error `replay` is left as it was.
    static eError Parse(const std::string& bytes, tReplay& replay);
    // Reads and parses the file at szPath.
    static eError Load(const std::string& path, tReplay& replay);
    // Writes the file atomically (a new file beside it, synced, then renamed into place). False when
    // any step failed; an older file of that name is then as it was.
    static bool Save(const std::string& path, const tReplay& replay);

    // The message that tells the player why the file at path is not played; empty for None.
    static std::string Message(eError error, const std::string& path);

    // CRC-32 (the one of zip and PNG) of the bytes.
    static uint32_t Crc32(const void* pData, size_t uSize);
};
