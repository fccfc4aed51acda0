#include "CVKT_WaveReader.h"

#include "CVKT_ResourcePath.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace
{
// A forward-only view of the bytes of a file or of memory, which always knows how many are left, so
// that no size read from the file can make the reader allocate or skip beyond the end.
class tByteSource
{
public:
    virtual ~tByteSource() = default;
    // Copies up to nCount bytes; returns how many were delivered.
    virtual size_t Read(void* pDest, size_t nCount) = 0;
    // Moves forward by nCount bytes, stopping at the end.
    virtual void Skip(uint64_t nCount) = 0;
    virtual uint64_t Remaining() const = 0;
};

class tMemorySource : public tByteSource
{
public:
    tMemorySource(const uint8_t* pBytes, size_t nSize) : m_pBytes(pBytes), m_nSize(nSize) {}

    size_t Read(void* pDest, size_t nCount) override
    {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(nCount, Remaining()));
        if (n > 0)
            std::memcpy(pDest, m_pBytes + m_nPos, n);
        m_nPos += n;
        return n;
    }
    void Skip(uint64_t nCount) override { m_nPos += static_cast<size_t>(std::min(nCount, Remaining())); }
    uint64_t Remaining() const override { return m_nSize - m_nPos; }

private:
    const uint8_t* m_pBytes;
    size_t m_nSize;
    size_t m_nPos = 0;
};

class tFileSource : public tByteSource
{
public:
    tFileSource(FILE* pFile, uint64_t nSize) : m_pFile(pFile), m_nSize(nSize) {}

    size_t Read(void* pDest, size_t nCount) override
    {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(nCount, Remaining()));
        const size_t n = wanted > 0 ? std::fread(pDest, 1, wanted, m_pFile) : 0;
        // A file that shrinks while it is read ends here.
        m_nPos = n < wanted ? m_nSize : m_nPos + n;
        return n;
    }
    void Skip(uint64_t nCount) override
    {
        const uint64_t n = std::min(nCount, Remaining());
        if (n > 0 && fseeko(m_pFile, static_cast<off_t>(n), SEEK_CUR) != 0)
        {
            m_nPos = m_nSize;
            return;
        }
        m_nPos += n;
    }
    uint64_t Remaining() const override { return m_nSize - m_nPos; }

private:
    FILE* m_pFile;
    uint64_t m_nSize;
    uint64_t m_nPos = 0;
};

struct tCloseFile
{
    void operator()(FILE* pFile) const { std::fclose(pFile); }
};

struct tChunkHeader
{
    char id[4] = {};
    uint32_t size = 0;

    bool Is(const char* szId) const { return std::memcmp(id, szId, 4) == 0; }
};

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Bytes a short file does not deliver read as zero.
tChunkHeader ReadChunkHeader(tByteSource& source)
{
    uint8_t bytes[8] = {};
    source.Read(bytes, sizeof bytes);
    tChunkHeader header;
    std::memcpy(header.id, bytes, 4);
    header.size = ReadU32(bytes + 4);
    return header;
}

// RIFF pads every odd-sized chunk with one byte. 64 bits: a size of 0xFFFFFFFF plus its pad byte
// does not wrap to 0.
uint64_t PaddedSize(uint32_t nSize)
{
    return static_cast<uint64_t>(nSize) + (nSize & 1u);
}

bool ReadRiffHeader(tByteSource& source)
{
    uint8_t header[12] = {};
    source.Read(header, sizeof header);
    // Bytes 4-7, the RIFF size, are often wrong in files from the wild and are not needed.
    return std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

eWaveReadResult ReadFormatChunk(tByteSource& source, tWaveFormat& format)
{
    const tChunkHeader header = ReadChunkHeader(source);
    // The size is judged as a signed count, as the game always did: a size with the top bit set is
    // no format chunk.
    if (!header.Is("fmt ") || static_cast<int32_t>(header.size) < 16)
        return eWaveReadResult::BadFormatChunk;

    uint8_t fields[16];
    if (source.Read(fields, sizeof fields) < sizeof fields)
        return eWaveReadResult::BadFormatChunk;
    format.wFormatTag = ReadU16(fields);
    format.nChannels = ReadU16(fields + 2);
    format.nSamplesPerSec = ReadU32(fields + 4);
    format.nAvgBytesPerSec = ReadU32(fields + 8);
    format.nBlockAlign = ReadU16(fields + 12);
    format.wBitsPerSample = ReadU16(fields + 14);
    format.cbSize = 0;

    if (format.wFormatTag != CVKT_WaveReader::FORMAT_PCM)
        return eWaveReadResult::NotPcm;
    if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16)
        return eWaveReadResult::BadBitsPerSample;

    // An 18-byte chunk (a PCM record with its extra-size field) and longer ones end here.
    source.Skip(PaddedSize(header.size) - sizeof fields);
    return eWaveReadResult::Ok;
}

// Skips chunks up to the first "data" chunk. Every pass consumes at least 8 bytes, so the search
// ends with the file.
bool FindDataChunk(tByteSource& source, uint32_t& nDataSize)
{
    while (source.Remaining() >= 8)
    {
        const tChunkHeader header = ReadChunkHeader(source);
        if (header.Is("data"))
        {
            nDataSize = header.size;
            return true;
        }
        source.Skip(PaddedSize(header.size));
    }
    return false;
}

eWaveReadResult ReadSamples(tByteSource& source, uint32_t nDataSize, std::vector<uint8_t>& samples)
{
    // Only what the file holds is allocated, whatever the chunk claims.
    const size_t present = static_cast<size_t>(std::min<uint64_t>(nDataSize, source.Remaining()));
    try
    {
        samples.resize(present);
    }
    catch (const std::bad_alloc&)
    {
        return eWaveReadResult::OutOfMemory;
    }
    samples.resize(source.Read(samples.data(), present));
    return eWaveReadResult::Ok;
}

eWaveReadResult Parse(tByteSource& source, tWaveData& wave)
{
    if (!ReadRiffHeader(source))
        return eWaveReadResult::BadHeader;
    const eWaveReadResult format = ReadFormatChunk(source, wave.format);
    if (format != eWaveReadResult::Ok)
        return format;
    if (!FindDataChunk(source, wave.dwDataLength))
        return eWaveReadResult::NoDataChunk;
    return ReadSamples(source, wave.dwDataLength, wave.samples);
}

eWaveReadResult ParseInto(tByteSource& source, tWaveData& wave)
{
    wave = tWaveData();
    const eWaveReadResult result = Parse(source, wave);
    if (result != eWaveReadResult::Ok)
        wave = tWaveData();
    return result;
}

} // namespace

eWaveReadResult CVKT_WaveReader::ReadFile(const char* szPath, tWaveData& wave)
{
    wave = tWaveData();
    if (!szPath)
        return eWaveReadResult::FileNotFound;
    uint64_t size = 0;
    std::unique_ptr<FILE, tCloseFile> file(CVKT_ResourcePath::OpenRegularFile(szPath, size));
    if (!file)
        return eWaveReadResult::FileNotFound;
    tFileSource source(file.get(), size);
    return ParseInto(source, wave);
}

eWaveReadResult CVKT_WaveReader::ReadMemory(const uint8_t* pBytes, size_t nSize, tWaveData& wave)
{
    tMemorySource source(pBytes, pBytes ? nSize : 0);
    return ParseInto(source, wave);
}
