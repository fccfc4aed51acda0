// Arbitrary bytes into the replay reader, twice: as they come, and with the right checksum
// appended, so that the reading of the header, the start and the frames is searched as well and not
// only the checksum's refusal. Besides crashes and sanitizer reports it checks the reader's
// promises: a refused record leaves the caller's replay as it was, an accepted one keeps within the
// format's limits, and what was read is written and read back to the same bytes.
#include "CReplayFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{
void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckLimits(const tReplay& replay)
{
    Require(!replay.vFrames.empty() && replay.vFrames.size() <= CReplayFile::MAX_FRAMES);
    Require(replay.nLevel >= 1 && replay.nLevel <= 3);
    Require(replay.gameVersion.size() <= CReplayFile::MAX_VERSION_LENGTH);
    Require(replay.start.vTypedChars.size() <= CReplayFile::MAX_TYPED_CHARS);
    for (const tReplayFrame& frame : replay.vFrames)
        Require(frame.input.ucRecordCount <= tInputFrame::MAX_KEY_RECORDS);
}

void Read(const std::string& bytes)
{
    tReplay replay;
    replay.nScore = -12345;
    if (CReplayFile::Parse(bytes, replay) != CReplayFile::eError::None)
    {
        Require(replay.nScore == -12345 && replay.vFrames.empty());
        return;
    }
    CheckLimits(replay);
    const std::string written = CReplayFile::Serialize(replay);
    tReplay again;
    Require(CReplayFile::Parse(written, again) == CReplayFile::eError::None);
    Require(CReplayFile::Serialize(again) == written);
    Require(again.vFrames.size() == replay.vFrames.size() && again.nScore == replay.nScore);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Read(bytes);
    const uint32_t crc = CReplayFile::Crc32(bytes.data(), bytes.size());
    std::string checked = bytes;
    for (int i = 0; i < 4; ++i)
        checked.push_back(static_cast<char>(crc >> (8 * i)));
    Read(checked);
    return 0;
}
