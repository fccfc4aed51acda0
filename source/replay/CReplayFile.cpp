#include "CReplayFile.h"

#include "CVKT_AtomicFile.h"
#include "CVKT_ResourcePath.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace
{
const char MAGIC[4] = {'T', 'R', 'P', 'L'};
constexpr size_t CRC_SIZE = 4;
constexpr mode_t FILE_MODE = 0644;

// What a frame holds beside its flags; a frame writes only what differs from the frame before.
constexpr uint8_t FRAME_FOCUS_PAUSE = 0x01;
constexpr uint8_t FRAME_KEYS = 0x02;
constexpr uint8_t FRAME_KEYS_BEFORE = 0x04;
constexpr uint8_t FRAME_RECORDS = 0x08;
constexpr uint8_t FRAME_PADS = 0x10;
constexpr uint8_t FRAME_MODIFIERS = 0x20;
constexpr uint8_t FRAME_ELAPSED = 0x40;
constexpr uint8_t FRAME_HASH = 0x80;

constexpr uint16_t PAD_BUTTON_BITS = (1u << PAD_BUTTON_COUNT) - 1u;
constexpr uint8_t PAD_DIRECTION_BITS = (1u << PAD_DIRECTION_COUNT) - 1u;
constexpr uint8_t MODIFIER_BITS = 0x1F;

class CWriter
{
public:
    void Bytes(const void* pData, size_t uSize) { m_Out.append(static_cast<const char*>(pData), uSize); }
    void U8(uint8_t u) { m_Out.push_back(static_cast<char>(u)); }
    void U16(uint16_t u) { Unsigned(u, 2); }
    void U32(uint32_t u) { Unsigned(u, 4); }
    void U64(uint64_t u) { Unsigned(u, 8); }
    void F32(float f)
    {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        U32(bits);
    }
    void Varint(uint32_t u)
    {
        while (u >= 0x80)
        {
            U8(static_cast<uint8_t>(u | 0x80));
            u >>= 7;
        }
        U8(static_cast<uint8_t>(u));
    }
    std::string& Out() { return m_Out; }

private:
    void Unsigned(uint64_t u, int nBytes)
    {
        for (int i = 0; i < nBytes; ++i)
            U8(static_cast<uint8_t>(u >> (8 * i)));
    }
    std::string m_Out;
};

// Reads within [begin, end); every read past the end fails and leaves the reader failed.
class CReader
{
public:
    CReader(const std::string& bytes, size_t uEnd) : m_Bytes(bytes), m_uEnd(uEnd) {}
    bool Ok() const { return m_bOk; }
    bool AtEnd() const { return m_uPos == m_uEnd; }
    size_t Left() const { return m_uEnd - m_uPos; }
    void Fail() { m_bOk = false; }

    uint8_t U8() { return static_cast<uint8_t>(Unsigned(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Unsigned(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Unsigned(4)); }
    uint64_t U64() { return Unsigned(8); }
    float F32()
    {
        const uint32_t bits = U32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    uint32_t Varint()
    {
        uint32_t u = 0;
        for (int shift = 0; shift < 35; shift += 7)
        {
            const uint8_t byte = U8();
            if (shift == 28 && byte > 0x0F)
                Fail();
            u |= static_cast<uint32_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80) || !m_bOk)
                return m_bOk ? u : 0;
        }
        Fail();
        return 0;
    }
    std::string Text(size_t uSize)
    {
        if (uSize > Left())
        {
            Fail();
            return std::string();
        }
        std::string text = m_Bytes.substr(m_uPos, uSize);
        m_uPos += uSize;
        return text;
    }

private:
    uint64_t Unsigned(int nBytes)
    {
        if (!m_bOk || Left() < static_cast<size_t>(nBytes))
        {
            m_bOk = false;
            return 0;
        }
        uint64_t u = 0;
        for (int i = 0; i < nBytes; ++i)
            u |= static_cast<uint64_t>(static_cast<uint8_t>(m_Bytes[m_uPos + i])) << (8 * i);
        m_uPos += static_cast<size_t>(nBytes);
        return u;
    }

    const std::string& m_Bytes;
    size_t m_uEnd;
    size_t m_uPos = 0;
    bool m_bOk = true;
};

uint8_t Bits(const bool* pFlags)
{
    uint8_t bits = 0;
    for (int i = 0; i < PAD_DIRECTION_COUNT; ++i)
        bits = static_cast<uint8_t>(bits | (pFlags[i] ? 1u << i : 0u));
    return bits;
}

void FromBits(uint8_t bits, bool* pFlags)
{
    for (int i = 0; i < PAD_DIRECTION_COUNT; ++i)
        pFlags[i] = (bits >> i) & 1u;
}

void WriteStart(CWriter& out, const tReplayStart& start)
{
    out.U32(start.uSeed);
    out.F32(start.fEnemyFireTimer);
    out.F32(start.fBubbleTimer);
    out.F32(start.fPlayerFireTimer);
    const size_t uTyped = std::min(start.vTypedChars.size(), CReplayFile::MAX_TYPED_CHARS);
    out.U8(static_cast<uint8_t>(uTyped));
    out.Bytes(start.vTypedChars.data(), uTyped);
    for (int i = 0; i < PAD_DIRECTION_COUNT; ++i)
    {
        out.F32(start.padRepeat.fHeldSeconds[i]);
        out.F32(start.padRepeat.fNextStep[i]);
    }
    out.U8(Bits(start.padRepeat.bHeld));
    out.U8(Bits(start.padRepeat.bStep));
}

bool ReadStart(CReader& in, tReplayStart& start)
{
    start.uSeed = in.U32();
    start.fEnemyFireTimer = in.F32();
    start.fBubbleTimer = in.F32();
    start.fPlayerFireTimer = in.F32();
    const size_t uTyped = in.U8();
    if (uTyped > CReplayFile::MAX_TYPED_CHARS)
        return false;
    const std::string typed = in.Text(uTyped);
    start.vTypedChars.assign(typed.begin(), typed.end());
    for (int i = 0; i < PAD_DIRECTION_COUNT; ++i)
    {
        start.padRepeat.fHeldSeconds[i] = in.F32();
        start.padRepeat.fNextStep[i] = in.F32();
    }
    const uint8_t held = in.U8();
    const uint8_t step = in.U8();
    FromBits(held, start.padRepeat.bHeld);
    FromBits(step, start.padRepeat.bStep);
    return in.Ok() && (held & ~PAD_DIRECTION_BITS) == 0 && (step & ~PAD_DIRECTION_BITS) == 0;
}

bool SamePads(const tInputFrame& a, const tInputFrame& b)
{
    return a.usPadButtonsDown == b.usPadButtonsDown && a.usPadButtonsPressed == b.usPadButtonsPressed &&
           a.ucPadDirectionsDown == b.ucPadDirectionsDown &&
           a.ucPadDirectionsPressed == b.ucPadDirectionsPressed && a.bPlayingPadLost == b.bPlayingPadLost;
}

std::vector<uint8_t> KeysWhere(const uint8_t* pSet, const uint8_t* pOther)
{
    // The keys whose bit differs from pOther's, or that are set when pOther is null.
    std::vector<uint8_t> keys;
    for (unsigned int key = 0; key < 256; ++key)
    {
        const bool bOn = tInputFrame::Bit(pSet, key);
        if (pOther ? bOn != tInputFrame::Bit(pOther, key) : bOn)
            keys.push_back(static_cast<uint8_t>(key));
    }
    return keys;
}

void WriteKeys(CWriter& out, const std::vector<uint8_t>& keys)
{
    out.Varint(static_cast<uint32_t>(keys.size()));
    out.Bytes(keys.data(), keys.size());
}

// Toggles (bToggle: the keys that changed, at least one) or sets (the keys held, maybe none) the keys
// listed into pSet.
bool ReadKeys(CReader& in, uint8_t* pSet, bool bToggle)
{
    const uint32_t uCount = in.Varint();
    if (!in.Ok() || (bToggle && uCount == 0) || uCount > 256)
        return false;
    for (uint32_t i = 0; i < uCount; ++i)
    {
        const uint8_t key = in.U8();
        tInputFrame::SetBit(pSet, key, bToggle ? !tInputFrame::Bit(pSet, key) : true);
    }
    return in.Ok();
}

void WriteFrame(CWriter& out, const tReplayFrame& frame, const tReplayFrame& before)
{
    const tInputFrame& input = frame.input;
    const std::vector<uint8_t> changed = KeysWhere(input.keysDown, before.input.keysDown);
    // Normally the keys held at the read before are the last frame's; losing the focus clears them.
    const bool bKeysBefore =
        std::memcmp(input.keysWereDown, before.input.keysDown, tInputFrame::KEY_BYTES) != 0;
    const std::vector<uint8_t> held = KeysWhere(input.keysWereDown, nullptr);
    uint8_t flags = 0;
    flags |= frame.bFocusPause ? FRAME_FOCUS_PAUSE : 0;
    flags |= changed.empty() ? 0 : FRAME_KEYS;
    flags |= bKeysBefore ? FRAME_KEYS_BEFORE : 0;
    flags |= input.ucRecordCount > 0 ? FRAME_RECORDS : 0;
    flags |= SamePads(input, before.input) ? 0 : FRAME_PADS;
    flags |= input.ucModifiers != before.input.ucModifiers ? FRAME_MODIFIERS : 0;
    flags |= frame.uElapsedMs != before.uElapsedMs ? FRAME_ELAPSED : 0;
    flags |= frame.uStateHash != before.uStateHash ? FRAME_HASH : 0;
    out.U8(flags);
    if (flags & FRAME_KEYS)
        WriteKeys(out, changed);
    if (flags & FRAME_KEYS_BEFORE)
        WriteKeys(out, held);
    if (flags & FRAME_RECORDS)
    {
        const unsigned int uCount = std::min<unsigned int>(input.ucRecordCount, tInputFrame::MAX_KEY_RECORDS);
        out.U8(static_cast<uint8_t>(uCount));
        for (unsigned int i = 0; i < uCount; ++i)
        {
            out.U8(input.records[i].ucKey);
            out.U8(input.records[i].bDown ? 1 : 0);
            out.U8(input.records[i].ucChar);
        }
    }
    if (flags & FRAME_PADS)
    {
        out.U16(input.usPadButtonsDown);
        out.U16(input.usPadButtonsPressed);
        out.U8(static_cast<uint8_t>(input.ucPadDirectionsDown | (input.ucPadDirectionsPressed << 4)));
        out.U8(input.bPlayingPadLost ? 1 : 0);
    }
    if (flags & FRAME_MODIFIERS)
        out.U8(input.ucModifiers);
    if (flags & FRAME_ELAPSED)
        out.Varint(frame.uElapsedMs);
    if (flags & FRAME_HASH)
        out.U32(frame.uStateHash);
}

bool ReadRecords(CReader& in, tInputFrame& input)
{
    const uint8_t uCount = in.U8();
    if (uCount == 0 || uCount > tInputFrame::MAX_KEY_RECORDS)
        return false;
    input.ucRecordCount = uCount;
    for (unsigned int i = 0; i < uCount; ++i)
    {
        input.records[i].ucKey = in.U8();
        const uint8_t down = in.U8();
        input.records[i].bDown = down == 1;
        input.records[i].ucChar = in.U8();
        if (down > 1)
            return false;
    }
    return in.Ok();
}

bool ReadPads(CReader& in, tInputFrame& input)
{
    input.usPadButtonsDown = in.U16();
    input.usPadButtonsPressed = in.U16();
    const uint8_t directions = in.U8();
    const uint8_t lost = in.U8();
    input.ucPadDirectionsDown = directions & PAD_DIRECTION_BITS;
    input.ucPadDirectionsPressed = static_cast<uint8_t>(directions >> 4);
    input.bPlayingPadLost = lost == 1;
    return in.Ok() && ((input.usPadButtonsDown | input.usPadButtonsPressed) & ~PAD_BUTTON_BITS) == 0 &&
           lost <= 1;
}

bool ReadFrame(CReader& in, const tReplayFrame& before, tReplayFrame& frame)
{
    const uint8_t flags = in.U8();
    frame.bFocusPause = (flags & FRAME_FOCUS_PAUSE) != 0;
    frame.uElapsedMs = before.uElapsedMs;
    frame.uStateHash = before.uStateHash;
    tInputFrame& input = frame.input;
    input = tInputFrame();
    std::memcpy(input.keysDown, before.input.keysDown, tInputFrame::KEY_BYTES);
    std::memcpy(input.keysWereDown, before.input.keysDown, tInputFrame::KEY_BYTES);
    input.ucModifiers = before.input.ucModifiers;
    input.usPadButtonsDown = before.input.usPadButtonsDown;
    input.usPadButtonsPressed = before.input.usPadButtonsPressed;
    input.ucPadDirectionsDown = before.input.ucPadDirectionsDown;
    input.ucPadDirectionsPressed = before.input.ucPadDirectionsPressed;
    input.bPlayingPadLost = before.input.bPlayingPadLost;
    if ((flags & FRAME_KEYS) && !ReadKeys(in, input.keysDown, true))
        return false;
    if (flags & FRAME_KEYS_BEFORE)
    {
        std::memset(input.keysWereDown, 0, tInputFrame::KEY_BYTES);
        if (!ReadKeys(in, input.keysWereDown, false))
            return false;
    }
    if ((flags & FRAME_RECORDS) && !ReadRecords(in, input))
        return false;
    if ((flags & FRAME_PADS) && !ReadPads(in, input))
        return false;
    if (flags & FRAME_MODIFIERS)
    {
        input.ucModifiers = in.U8();
        if (input.ucModifiers & ~MODIFIER_BITS)
            return false;
    }
    if (flags & FRAME_ELAPSED)
        frame.uElapsedMs = in.Varint();
    if (flags & FRAME_HASH)
        frame.uStateHash = in.U32();
    return in.Ok();
}

bool ReadBody(CReader& in, tReplay& replay)
{
    const uint8_t uVersionLength = in.U8();
    if (uVersionLength > CReplayFile::MAX_VERSION_LENGTH)
        return false;
    replay.gameVersion = in.Text(uVersionLength);
    replay.nDate = static_cast<int64_t>(in.U64());
    replay.nLevel = static_cast<int32_t>(in.U32());
    replay.nScore = static_cast<int32_t>(in.U32());
    replay.nLives = static_cast<int32_t>(in.U32());
    const uint8_t end = in.U8();
    const uint32_t uFrames = in.U32();
    const uint64_t uPlayed = in.U64();
    if (!in.Ok() || replay.nLevel < 1 || replay.nLevel > 3 ||
        end > static_cast<uint8_t>(eReplayEnd::Closed) || uFrames == 0 || uFrames > CReplayFile::MAX_FRAMES ||
        uFrames > in.Left())
        return false;
    replay.end = static_cast<eReplayEnd>(end);
    if (!ReadStart(in, replay.start))
        return false;
    replay.vFrames.resize(uFrames);
    tReplayFrame before;
    for (tReplayFrame& frame : replay.vFrames)
    {
        if (!ReadFrame(in, before, frame))
            return false;
        before = frame;
    }
    return in.AtEnd() && replay.PlayedMilliseconds() == uPlayed;
}
} // namespace

uint64_t tReplay::PlayedMilliseconds() const
{
    uint64_t uTotal = 0;
    for (const tReplayFrame& frame : vFrames)
        uTotal += frame.uElapsedMs;
    return uTotal;
}

uint32_t CReplayFile::Crc32(const void* pData, size_t uSize)
{
    static const auto table = []
    {
        struct
        {
            uint32_t entries[256];
        } t{};
        for (uint32_t n = 0; n < 256; ++n)
        {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t.entries[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    const uint8_t* pBytes = static_cast<const uint8_t*>(pData);
    for (size_t i = 0; i < uSize; ++i)
        crc = table.entries[(crc ^ pBytes[i]) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string CReplayFile::Serialize(const tReplay& replay)
{
    CWriter out;
    out.Bytes(MAGIC, sizeof MAGIC);
    out.U16(FORMAT_VERSION);
    const size_t uVersionLength = std::min(replay.gameVersion.size(), MAX_VERSION_LENGTH);
    out.U8(static_cast<uint8_t>(uVersionLength));
    out.Bytes(replay.gameVersion.data(), uVersionLength);
    out.U64(static_cast<uint64_t>(replay.nDate));
    out.U32(static_cast<uint32_t>(replay.nLevel));
    out.U32(static_cast<uint32_t>(replay.nScore));
    out.U32(static_cast<uint32_t>(replay.nLives));
    out.U8(static_cast<uint8_t>(replay.end));
    out.U32(static_cast<uint32_t>(replay.vFrames.size()));
    out.U64(replay.PlayedMilliseconds());
    WriteStart(out, replay.start);
    tReplayFrame before;
    for (const tReplayFrame& frame : replay.vFrames)
    {
        WriteFrame(out, frame, before);
        before = frame;
    }
    out.U32(Crc32(out.Out().data(), out.Out().size()));
    return out.Out();
}

CReplayFile::eError CReplayFile::Parse(const std::string& bytes, tReplay& replay)
{
    if (bytes.size() < sizeof MAGIC || std::memcmp(bytes.data(), MAGIC, sizeof MAGIC) != 0)
        return eError::NotAReplay;
    // Every format ends with the checksum of all that comes before it.
    const size_t uHeaderEnd = sizeof MAGIC + 2;
    if (bytes.size() < uHeaderEnd + CRC_SIZE)
        return eError::Damaged;
    const size_t uBodyEnd = bytes.size() - CRC_SIZE;
    CReader crc(bytes, bytes.size());
    crc.Text(uBodyEnd);
    if (crc.U32() != Crc32(bytes.data(), uBodyEnd))
        return eError::Damaged;
    CReader in(bytes, uBodyEnd);
    in.Text(sizeof MAGIC);
    if (in.U16() > FORMAT_VERSION)
        return eError::FutureVersion;
    tReplay read;
    if (!ReadBody(in, read))
        return eError::Damaged;
    replay = std::move(read);
    return eError::None;
}

CReplayFile::eError CReplayFile::Load(const std::string& path, tReplay& replay)
{
    std::vector<uint8_t> bytes;
    if (!CVKT_ResourcePath::ReadRegularFile(path.c_str(), MAX_FILE_SIZE, bytes))
        return eError::Unreadable;
    return Parse(std::string(bytes.begin(), bytes.end()), replay);
}

bool CReplayFile::Save(const std::string& path, const tReplay& replay)
{
    return CVKT_AtomicFile::Write(path, Serialize(replay), FILE_MODE);
}

std::string CReplayFile::Message(eError error, const std::string& path)
{
    switch (error)
    {
    case eError::None:
        return std::string();
    case eError::Unreadable:
        return "The replay " + path + " cannot be read.";
    case eError::NotAReplay:
        return path + " is not a Talonreach replay.";
    case eError::Damaged:
        return "The replay " + path + " is damaged (cut short or changed) and cannot be played.";
    case eError::FutureVersion:
        return "The replay " + path +
               " was recorded by a newer version of Talonreach and cannot be played by this one.";
    }
    return std::string();
}
