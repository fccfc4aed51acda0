// The RIFF/WAVE reader on files the tests write: the accepted layouts, every rejection with the
// text the player sees, and broken or hostile files that must neither crash nor over-allocate.
#include "CVKT_WaveManager.h"
#include "CVKT_WaveReader.h"

#include "Files.h"
#include "SoundBench.h"
#include "WaveFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
using headless::Chunk;
using headless::FormatBody;
using headless::Riff;
using headless::U32;

const std::string kSamples = headless::Samples16({100, -200, 300, -400, 500, -600});

std::string Data(const std::string& samples = kSamples)
{
    return Chunk("data", samples);
}
std::string Fmt16()
{
    return Chunk("fmt ", FormatBody(1, 2, 22050, 16));
}

std::vector<uint8_t> Bytes(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

eWaveReadResult ReadBytes(const std::string& bytes, tWaveData& wave)
{
    return CVKT_WaveReader::ReadMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), wave);
}

class WaveReaderFiles : public ::testing::Test
{
protected:
    eWaveReadResult ReadAsFile(const std::string& bytes, tWaveData& wave)
    {
        const std::string path = m_dir / "sound.wav";
        headless::WriteFile(path, bytes);
        return CVKT_WaveReader::ReadFile(path.c_str(), wave);
    }

    headless::ScopedTempDir m_dir;
};

TEST_F(WaveReaderFiles, PlainFileGivesFormatAndSamples)
{
    tWaveData wave;
    ASSERT_EQ(ReadAsFile(Riff(Fmt16() + Data()), wave), eWaveReadResult::Ok);
    EXPECT_EQ(wave.format.wFormatTag, 1);
    EXPECT_EQ(wave.format.nChannels, 2);
    EXPECT_EQ(wave.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(wave.format.nAvgBytesPerSec, 88200u);
    EXPECT_EQ(wave.format.nBlockAlign, 4);
    EXPECT_EQ(wave.format.wBitsPerSample, 16);
    EXPECT_EQ(wave.dwDataLength, kSamples.size());
    EXPECT_EQ(wave.samples, Bytes(kSamples));
}

TEST_F(WaveReaderFiles, AcceptedLayoutsAllGiveTheSameSamples)
{
    const std::string layouts[] = {
        // The 18-byte format chunk: a PCM record with its extra-size field.
        Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16, 2)) + Data()),
        // A "LIST" chunk between "fmt " and "data".
        Riff(Fmt16() + Chunk("LIST", "INFOISFT\x06\0\0\0tools\0") + Data()),
        // An odd-sized chunk before "data" with its pad byte.
        Riff(Fmt16() + Chunk("junk", "abc") + Data()),
        // An odd-sized format chunk (17 bytes) with its pad byte.
        Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16, 1)) + Data()),
        // A chunk whose size is 0.
        Riff(Fmt16() + Chunk("fact", "") + Data()),
        // A wrong RIFF size, as many writers leave it.
        "RIFF" + U32(0) + "WAVE" + Fmt16() + Data(),
    };
    for (const std::string& bytes : layouts)
    {
        tWaveData wave;
        ASSERT_EQ(ReadAsFile(bytes, wave), eWaveReadResult::Ok);
        EXPECT_EQ(wave.samples, Bytes(kSamples));
        EXPECT_EQ(wave.format.nSamplesPerSec, 22050u);
    }
}

TEST_F(WaveReaderFiles, RejectionsName)
{
    struct Case
    {
        std::string bytes;
        eWaveReadResult expected;
    } cases[] = {
        {"This is a text file, not a sound.\n", eWaveReadResult::BadHeader},
        {"RIFX" + U32(40) + "WAVE" + Fmt16() + Data(), eWaveReadResult::BadHeader},
        {"RIFF" + U32(40) + "AVI " + Fmt16() + Data(), eWaveReadResult::BadHeader},
        // Anything before "fmt " is refused: the format must come first.
        {Riff(Chunk("LIST", "INFO") + Fmt16() + Data()), eWaveReadResult::BadFormatChunk},
        {Riff(Data() + Fmt16()), eWaveReadResult::BadFormatChunk},
        {Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16).substr(0, 14))), eWaveReadResult::BadFormatChunk},
        // A size with the top bit set is no format chunk.
        {Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16), true, 0x80000010) + Data()),
         eWaveReadResult::BadFormatChunk},
        {Riff(Chunk("fmt ", FormatBody(1, 2, 44100, 24)) + Data()), eWaveReadResult::BadBitsPerSample},
        {Riff(Chunk("fmt ", FormatBody(1, 1, 44100, 32)) + Data()), eWaveReadResult::BadBitsPerSample},
        {Riff(Chunk("fmt ", FormatBody(3, 1, 44100, 32)) + Data()), eWaveReadResult::NotPcm},    // IEEE float
        {Riff(Chunk("fmt ", FormatBody(2, 1, 22050, 4, 34)) + Data()), eWaveReadResult::NotPcm}, // ADPCM
        {Riff(Fmt16()), eWaveReadResult::NoDataChunk},
        {Riff(Fmt16() + Chunk("LIST", "INFO")), eWaveReadResult::NoDataChunk},
    };
    for (const Case& c : cases)
    {
        tWaveData wave;
        EXPECT_EQ(ReadAsFile(c.bytes, wave), c.expected);
        EXPECT_TRUE(wave.samples.empty());
    }
}

TEST_F(WaveReaderFiles, MissingFilesAndFoldersAreNotFound)
{
    tWaveData wave;
    EXPECT_EQ(CVKT_WaveReader::ReadFile((m_dir / "absent.wav").c_str(), wave), eWaveReadResult::FileNotFound);
    headless::MakeDirs(m_dir / "folder.wav");
    EXPECT_EQ(CVKT_WaveReader::ReadFile((m_dir / "folder.wav").c_str(), wave), eWaveReadResult::FileNotFound);
    EXPECT_EQ(CVKT_WaveReader::ReadFile(nullptr, wave), eWaveReadResult::FileNotFound);
}

TEST_F(WaveReaderFiles, FifoIsRefusedWithoutWaiting)
{
    const std::string path = m_dir / "pipe.wav";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    tWaveData wave;
    EXPECT_EQ(CVKT_WaveReader::ReadFile(path.c_str(), wave), eWaveReadResult::FileNotFound);
}

TEST_F(WaveReaderFiles, DataClaimingMoreThanTheFileKeepsOnlyThePresentBytes)
{
    tWaveData wave;
    ASSERT_EQ(ReadAsFile(Riff(Fmt16() + Chunk("data", kSamples, false, 4000)), wave), eWaveReadResult::Ok);
    EXPECT_EQ(wave.dwDataLength, 4000u);
    EXPECT_EQ(wave.samples, Bytes(kSamples));

    // Nearly 4 GiB claimed by a file of a few dozen bytes: nothing beyond the file is allocated.
    ASSERT_EQ(ReadAsFile(Riff(Fmt16() + Chunk("data", kSamples, false, 0xFFFFFFFF)), wave),
              eWaveReadResult::Ok);
    EXPECT_EQ(wave.dwDataLength, 0xFFFFFFFFu);
    EXPECT_EQ(wave.samples.size(), kSamples.size());
}

TEST_F(WaveReaderFiles, ChunkSizesNearFourGigabytesEndTheSearch)
{
    for (uint32_t size : {0xFFFFFFFFu, 0xFFFFFFFEu, 0x80000000u, 0x7FFFFFFFu})
    {
        tWaveData wave;
        // The pad byte of 0xFFFFFFFF must not wrap the skip to 0 and land on the "data" behind.
        EXPECT_EQ(ReadAsFile(Riff(Fmt16() + Chunk("LIST", "", false, size) + Data()), wave),
                  eWaveReadResult::NoDataChunk)
            << size;
    }
    for (uint32_t size : {0x7FFFFFFFu, 0x7FFFFFFEu, 0x10000000u})
    {
        tWaveData wave;
        // A huge but valid-looking format chunk skips to the end in one step, not byte by byte.
        EXPECT_EQ(ReadAsFile(Riff(Chunk("fmt ", FormatBody(1, 2, 22050, 16), false, size) + Data()), wave),
                  eWaveReadResult::NoDataChunk)
            << size;
    }
}

TEST(WaveReaderMemory, EveryTruncationOfAValidFileIsSafe)
{
    const std::string full = Riff(Fmt16() + Chunk("LIST", "INFOabc") + Data());
    for (size_t length = 0; length < full.size(); ++length)
    {
        tWaveData wave;
        const std::string cut = full.substr(0, length);
        const eWaveReadResult result = ReadBytes(cut, wave);
        EXPECT_LE(wave.samples.size(), length);
        if (length < 12)
            EXPECT_EQ(result, eWaveReadResult::BadHeader) << length;
        else if (length < 36)
            EXPECT_EQ(result, eWaveReadResult::BadFormatChunk) << length;
        else if (length < full.size() - kSamples.size())
            EXPECT_EQ(result, eWaveReadResult::NoDataChunk) << length;
        else
        {
            // Cut inside the samples: what is there is kept, the claim stays.
            ASSERT_EQ(result, eWaveReadResult::Ok) << length;
            EXPECT_EQ(wave.dwDataLength, kSamples.size());
            EXPECT_EQ(wave.samples, Bytes(full.substr(full.size() - kSamples.size(),
                                                      length - (full.size() - kSamples.size()))));
        }
    }
}

// The texts the player sees, through the wave manager.
class WaveReaderMessages : public ::testing::Test
{
protected:
    // Loads the bytes as a file of that name; returns the id and leaves the texts in the rig.
    int Load(const std::string& name, const std::string& bytes)
    {
        m_rig.ClearMessages();
        return m_rig.Waves()->LoadWave(m_rig.WriteWave(name, bytes).c_str());
    }
    std::string OnlyMessage() const
    {
        EXPECT_EQ(m_rig.Messages().size(), 1u);
        if (m_rig.Messages().empty())
            return std::string();
        EXPECT_EQ(m_rig.Messages().back().title, "CVKT_WaveManager Error");
        return m_rig.Messages().back().text;
    }

    headless::SoundBench m_rig;
};

TEST_F(WaveReaderMessages, EveryRejectionHasItsText)
{
    const std::string name = m_rig.WriteWave("x", "");
    const std::string dir = name.substr(0, name.size() - 1);
    struct Case
    {
        std::string file;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"text.wav", "not a sound at all", "Incorrect Header information."},
        {"list_first.wav", Riff(Chunk("LIST", "INFO") + Fmt16() + Data()), "Invalid Format Information - "},
        {"float.wav", Riff(Chunk("fmt ", FormatBody(3, 1, 44100, 32)) + Data()),
         "Invalid PCM information - "},
        {"adpcm.wav", Riff(Chunk("fmt ", FormatBody(2, 1, 22050, 4, 34)) + Data()),
         "Invalid PCM information - "},
        {"24bit.wav", Riff(Chunk("fmt ", FormatBody(1, 2, 44100, 24)) + Data()),
         "Invalid Bits per Sample - Must be 8 or 16 - "},
        {"32bit.wav", Riff(Chunk("fmt ", FormatBody(1, 2, 44100, 32)) + Data()),
         "Invalid Bits per Sample - Must be 8 or 16 - "},
        {"nodata.wav", Riff(Fmt16() + Chunk("LIST", "INFO")), "The file ends before its data chunk - "},
        // The reader accepts these; the mixer cannot make a buffer of them.
        {"3ch.wav", Riff(Chunk("fmt ", FormatBody(1, 3, 22050, 16)) + Data()),
         "Failed to Create the Sound Buffer - "},
        {"huge.wav", Riff(Fmt16() + Chunk("data", kSamples, false, 0xFFFFFFFF)),
         "Failed to Create the Sound Buffer - "},
        {"tiny.wav", Riff(Fmt16() + Chunk("data", "\x01\x02")), "Failed to Create the Sound Buffer - "},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Load(c.file, c.bytes), -1) << c.file;
        const std::string expected =
            c.text == "Incorrect Header information." ? c.text : c.text + dir + c.file;
        EXPECT_EQ(OnlyMessage(), expected);
    }
    EXPECT_EQ(m_rig.Waves()->GetSlotCount(), 0);
}

TEST_F(WaveReaderMessages, MissingFileIsNamed)
{
    m_rig.ClearMessages();
    EXPECT_EQ(m_rig.Waves()->LoadWave("Resource/Sound/none_such.wav"), -1);
    EXPECT_EQ(OnlyMessage(), "Could not find the file - Resource/Sound/none_such.wav");
}

TEST_F(WaveReaderMessages, LongNamesAreCutToTheMessageBuffer)
{
    const std::string name(300, 'a');
    m_rig.ClearMessages();
    EXPECT_EQ(m_rig.Waves()->LoadWave(name.c_str()), -1);
    const std::string text = OnlyMessage();
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.rfind("Could not find the file - aaa", 0), 0u);
}

TEST_F(WaveReaderMessages, EveryTruncatedFileLoadsOrFailsCleanly)
{
    const std::string full = Riff(Fmt16() + Chunk("LIST", "INFOabc") + Data());
    const size_t dataStart = full.size() - kSamples.size();
    for (size_t length = 0; length < full.size(); ++length)
    {
        const int id = Load("cut.wav", full.substr(0, length));
        // A file cut inside the samples still holds a whole buffer's claim; with less than the
        // smallest buffer claimed nothing could ever be made.
        if (length >= dataStart)
        {
            EXPECT_GE(id, 0) << length;
            EXPECT_TRUE(m_rig.Messages().empty()) << length;
            m_rig.Waves()->UnloadWave(id);
        }
        else
        {
            EXPECT_EQ(id, -1) << length;
            EXPECT_EQ(m_rig.Messages().size(), 1u) << length;
        }
    }
}

TEST_F(WaveReaderMessages, SameFileInAnyLetterCaseIsReadOnce)
{
    const std::string path = m_rig.WriteWave("Shot.wav", Riff(Fmt16() + Data()));
    const int id = m_rig.Waves()->LoadWave(path.c_str());
    ASSERT_GE(id, 0);

    // The file is gone; a second load must not look for it.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    std::string other = path;
    other.replace(other.size() - 8, 8, "sHOT.WAV");
    m_rig.ClearMessages();
    EXPECT_EQ(m_rig.Waves()->LoadWave(other.c_str()), id);
    EXPECT_EQ(m_rig.Waves()->LoadWave(path.c_str()), id);
    EXPECT_TRUE(m_rig.Messages().empty());
    EXPECT_EQ(m_rig.Waves()->GetRefCount(id), 3);
    EXPECT_EQ(m_rig.Waves()->GetSlotCount(), 1);
}
} // namespace
