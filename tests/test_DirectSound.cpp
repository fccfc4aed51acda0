// The sound device on SDL's real audio drivers: "dummy" plays in real time into nothing, "disk"
// writes exactly what the device played to a file. A driver that cannot start stands for a
// machine without sound.
#include "CVKT_DirectSound.h"
#include "CVKT_SoundMixer.h"
#include "CVKT_WaveManager.h"

#include "Files.h"
#include "HiddenWindow.h"
#include "MessageRecorder.h"
#include "ScopedTempDir.h"
#include "WaveFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace
{
// Sets an environment variable for the lifetime of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        const char* previous = SDL_getenv(name);
        m_hadValue = previous != nullptr;
        if (previous)
            m_previous = previous;
        SDL_setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (m_hadValue)
            SDL_setenv(m_name.c_str(), m_previous.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::string m_previous;
    bool m_hadValue = false;
};

// Polls until the condition holds or the time is up; the audio thread runs in real time.
bool WaitFor(const std::function<bool()>& condition, uint32_t timeoutMs = 10000)
{
    const uint32_t start = SDL_GetTicks();
    while (!condition())
    {
        if (SDL_GetTicks() - start > timeoutMs)
            return false;
        SDL_Delay(5);
    }
    return true;
}

class DirectSound : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CVKT_WaveManager::GetInstance()->ShutdownWaveManager();
        Device()->ShutdownDirectSound();
    }
    static CVKT_DirectSound* Device() { return CVKT_DirectSound::GetInstance(); }

    headless::ScopedTempDir m_dir;
    headless::HiddenWindow m_window;
    headless::MessageRecorder m_messages;
    ScopedEnv m_driver{"SDL_AUDIODRIVER", "dummy"};
};

TEST_F(DirectSound, NullWindowFailsWithoutAMessage)
{
    EXPECT_FALSE(Device()->InitDirectSound(nullptr, 1));
    EXPECT_EQ(Device()->GetDSObject(), nullptr);
    EXPECT_TRUE(m_messages.All().empty());
}

TEST_F(DirectSound, NormalModeOpensTheDeviceWithAShortBuffer)
{
    for (int mode : {1, 0, 7})
    {
        ASSERT_TRUE(Device()->InitDirectSound(m_window.Get(), mode)) << mode;
        ASSERT_NE(Device()->GetDSObject(), nullptr);
        EXPECT_FALSE(Device()->HasPrimaryBuffer());
        EXPECT_GT(Device()->GetDeviceBufferFrames(), 0u);
        EXPECT_LE(Device()->GetDeviceBufferFrames(), CVKT_DirectSound::MAX_DEVICE_FRAMES);
        // About 25 ms from play to ear: one device buffer here and about one more inside SDL.
        const uint32_t rate = Device()->GetDSObject()->GetOutputRate();
        EXPECT_LE(2 * 1000.0 * Device()->GetDeviceBufferFrames() / rate, 25.0);
        EXPECT_TRUE(Device()->ShutdownDirectSound());
        EXPECT_EQ(Device()->GetDSObject(), nullptr);
    }
    EXPECT_TRUE(m_messages.All().empty());
}

TEST_F(DirectSound, PriorityModesAskForSixteenBitStereo)
{
    struct Case
    {
        int mode;
        uint32_t rate;
    } cases[] = {{2, 22050}, {3, 44100}};
    for (const Case& c : cases)
    {
        ASSERT_TRUE(Device()->InitDirectSound(m_window.Get(), c.mode));
        ASSERT_TRUE(Device()->HasPrimaryBuffer());
        const tWaveFormat& format = Device()->GetPrimaryFormat();
        EXPECT_EQ(format.wFormatTag, 1);
        EXPECT_EQ(format.nChannels, 2);
        EXPECT_EQ(format.wBitsPerSample, 16);
        EXPECT_EQ(format.nBlockAlign, 4);
        EXPECT_EQ(format.nSamplesPerSec, c.rate);
        EXPECT_EQ(format.nAvgBytesPerSec, c.rate * 4);
        EXPECT_EQ(format.cbSize, 0);
        EXPECT_EQ(Device()->GetDSObject()->GetOutputRate(), c.rate);
        Device()->ShutdownDirectSound();
        EXPECT_FALSE(Device()->HasPrimaryBuffer());
    }
}

TEST_F(DirectSound, WithoutSoundTheGameRunsSilentlyAfterOneMessage)
{
    ScopedEnv broken("SDL_AUDIODRIVER", "no_such_driver");
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
    // What the game does at start-up and in its frames.
    EXPECT_FALSE(Device()->InitDirectSound(m_window.Get(), 1));
    EXPECT_FALSE(waves->InitWaveManager(m_window.Get(), Device()->GetDSObject()));
    const int music = waves->LoadWave("Resource/sound/theme.wav");
    EXPECT_EQ(music, -1);
    EXPECT_FALSE(waves->SetVolume(music, 80));
    EXPECT_FALSE(waves->PlayWave(music, true));
    EXPECT_FALSE(waves->IsWavePlaying(music));
    EXPECT_FALSE(waves->ResetWave(music));
    waves->Update();

    ASSERT_EQ(m_messages.All().size(), 1u);
    EXPECT_EQ(m_messages.All()[0].title, "CVKT_DirectSound Error");
    EXPECT_EQ(m_messages.All()[0].text, "Failed to Create DirectSound Object");
}

TEST_F(DirectSound, WholePathOnTheDummyDriver)
{
    ASSERT_TRUE(Device()->InitDirectSound(m_window.Get(), 1));
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
    ASSERT_TRUE(waves->InitWaveManager(m_window.Get(), Device()->GetDSObject()));

    // 50 ms of a square wave, played twice over itself.
    const std::string path = m_dir / "shot.wav";
    headless::WriteFile(path,
                        headless::PcmWave(1, 22050, 16, headless::Samples16(headless::SquareWave(1102, 25))));
    const int id = waves->LoadWave(path.c_str());
    ASSERT_GE(id, 0);
    waves->SetVolume(id, 70);
    ASSERT_TRUE(waves->PlayWave(id, false));
    ASSERT_TRUE(waves->PlayWave(id, false));
    EXPECT_EQ(waves->GetChannelCount(), 1);

    // The audio thread plays both to their end; the frame update then frees the copy.
    EXPECT_TRUE(WaitFor(
        [&]
        {
            waves->Update();
            return !waves->IsWavePlaying(id) && waves->GetChannelCount() == 0;
        }));
    EXPECT_EQ(Device()->GetDSObject()->GetBufferCount(), 1u);
    EXPECT_TRUE(m_messages.All().empty());

    waves->ShutdownWaveManager();
    EXPECT_EQ(Device()->GetDSObject()->GetBufferCount(), 0u);
    Device()->ShutdownDirectSound();
}

TEST_F(DirectSound, TheDiskDriverReceivesExactlyTheSamples)
{
    const std::string capture = m_dir / "played.raw";
    ScopedEnv disk("SDL_AUDIODRIVER", "disk");
    ScopedEnv file("SDL_DISKAUDIOFILE", capture.c_str());

    // Mode 2: the device plays 16-bit stereo at 22050 Hz, the rate of the sound, so every sample
    // must arrive unchanged.
    ASSERT_TRUE(Device()->InitDirectSound(m_window.Get(), 2));
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
    ASSERT_TRUE(waves->InitWaveManager(m_window.Get(), Device()->GetDSObject()));
    std::vector<int16_t> samples;
    for (int k = 0; k < 2000; ++k)
    {
        const int16_t value = static_cast<int16_t>(1000 + (k * 37) % 20000);
        samples.push_back(value);
        samples.push_back(static_cast<int16_t>(-value));
    }
    const std::string path = m_dir / "pattern.wav";
    headless::WriteFile(path, headless::PcmWave(2, 22050, 16, headless::Samples16(samples)));
    const int id = waves->LoadWave(path.c_str());
    ASSERT_GE(id, 0);
    ASSERT_TRUE(waves->PlayWave(id, false));
    ASSERT_TRUE(WaitFor([&] { return !waves->IsWavePlaying(id); }));
    waves->ShutdownWaveManager();
    Device()->ShutdownDirectSound();

    const std::string played = headless::ReadFile(capture);
    std::vector<int16_t> output(played.size() / 2);
    std::memcpy(output.data(), played.data(), output.size() * 2);
    size_t start = 0;
    while (start < output.size() && output[start] == 0)
        ++start;
    ASSERT_GE(output.size(), start + samples.size()) << "the capture holds the whole sound";
    for (size_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(output[start + i], samples[i]) << i;
    for (size_t i = start + samples.size(); i < output.size(); ++i)
        ASSERT_EQ(output[i], 0) << "silence after the sound";
}
} // namespace
