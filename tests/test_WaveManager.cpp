// The wave manager on a mixer driven by hand: ids and reference counts, playing with overlapping
// copies, the frame update that frees them, and what the player hears for each volume, pan and
// frequency. Ids left by failed loads, and a game without a sound device, stay silent.
#include "CVKT_SoundMixer.h"
#include "CVKT_WaveManager.h"

#include "SoundRig.h"
#include "WaveFiles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr uint32_t kRate = 44100;
// The high and the low half of a full-scale 16-bit square wave.
constexpr float kFull = 32767.0f / 32768.0f;
constexpr float kPeak = 1.0f;
constexpr float kTolerance = 1e-5f;

float Left(const std::vector<float>& out, size_t frame)
{
    return out[2 * frame];
}
float Right(const std::vector<float>& out, size_t frame)
{
    return out[2 * frame + 1];
}

float Peak(const std::vector<float>& out)
{
    float peak = 0.0f;
    for (float sample : out)
        peak = std::max(peak, std::fabs(sample));
    return peak;
}

class WaveManager : public ::testing::Test
{
protected:
    CVKT_WaveManager* Waves() { return m_rig.Waves(); }

    // A full-scale 16-bit mono square wave of nFrames at the output rate.
    int LoadSquare(const std::string& name, size_t nFrames = 400)
    {
        const std::string bytes = test::PcmWave(1, kRate, 16, test::Samples16(test::SquareWave(nFrames, 10)));
        return Waves()->LoadWave(m_rig.WriteWave(name, bytes).c_str());
    }

    test::SoundRig m_rig{kRate};
};

TEST_F(WaveManager, VolumeIsThreeHundredthsOfADecibelAStep)
{
    const int id = LoadSquare("square.wav");
    ASSERT_GE(id, 0);
    ASSERT_TRUE(Waves()->PlayWave(id, true));
    struct Case
    {
        int volume;
        float level;
    } cases[] = {
        {100, kPeak},
        {50, kPeak * std::pow(10.0f, -1500.0f / 2000.0f)},
        {0, kPeak * std::pow(10.0f, -3000.0f / 2000.0f)},
        {150, kPeak},                                      // clamped to 100
        {-5, kPeak * std::pow(10.0f, -3000.0f / 2000.0f)}, // clamped to 0: quiet, not silent
        {99, kPeak * std::pow(10.0f, -30.0f / 2000.0f)},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(Waves()->SetVolume(id, c.volume));
        const std::vector<float> out = m_rig.Pull(40);
        EXPECT_NEAR(Peak(out), c.level, kTolerance) << c.volume;
        EXPECT_NEAR(Left(out, 0), Right(out, 0), kTolerance);
    }
    EXPECT_TRUE(m_rig.Messages().empty());
}

TEST_F(WaveManager, PanAttenuatesTheFarSide)
{
    const int id = LoadSquare("square.wav");
    ASSERT_TRUE(Waves()->PlayWave(id, true));

    ASSERT_TRUE(Waves()->SetPan(id, -100));
    std::vector<float> out = m_rig.Pull(20);
    EXPECT_NEAR(Left(out, 0), kFull, kTolerance);
    EXPECT_EQ(Right(out, 0), 0.0f);

    ASSERT_TRUE(Waves()->SetPan(id, 250)); // clamped to 100
    out = m_rig.Pull(20);
    EXPECT_EQ(Left(out, 0), 0.0f);
    EXPECT_NEAR(Right(out, 0), kFull, kTolerance);

    ASSERT_TRUE(Waves()->SetPan(id, 20)); // -20 dB on the left
    out = m_rig.Pull(20);
    EXPECT_NEAR(Left(out, 0), kFull * 0.1f, kTolerance);
    EXPECT_NEAR(Right(out, 0), kFull, kTolerance);
}

TEST_F(WaveManager, FrequencyChangesTheSpeedWithinTheCaps)
{
    const int id = LoadSquare("square.wav", 400);
    ASSERT_TRUE(Waves()->SetFrequency(id, 2 * kRate));
    Waves()->PlayWave(id, false);
    // Ten frames high, ten low in the file: five and five at twice the speed.
    std::vector<float> out = m_rig.Pull(10);
    EXPECT_GT(Left(out, 4), 0.9f);
    EXPECT_LT(Left(out, 5), -0.9f);
    m_rig.Pull(189);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));
    m_rig.Pull(1);
    EXPECT_FALSE(Waves()->IsWavePlaying(id)) << "400 frames last 200 at twice the rate";

    // Far beyond the caps: clamped, not refused.
    EXPECT_TRUE(Waves()->SetFrequency(id, 0));
    EXPECT_TRUE(Waves()->SetFrequency(id, 4000000000u));
    EXPECT_TRUE(m_rig.Messages().empty());
}

TEST_F(WaveManager, ThreePlaysGiveTheOwnBufferAndTwoCopies)
{
    const int id = LoadSquare("shot.wav", 300);
    ASSERT_TRUE(Waves()->PlayWave(id, false));
    m_rig.Pull(100);
    ASSERT_TRUE(Waves()->PlayWave(id, false));
    m_rig.Pull(100);
    ASSERT_TRUE(Waves()->PlayWave(id, false));
    EXPECT_EQ(Waves()->GetChannelCount(), 2);
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 3u);

    // All three overlap: the two copies are in step with each other's start.
    std::vector<float> out = m_rig.Pull(1);
    EXPECT_GT(std::fabs(Left(out, 0)), 1.0f - kTolerance);

    Waves()->Update();
    EXPECT_EQ(Waves()->GetChannelCount(), 2) << "nothing has finished yet";

    m_rig.Pull(299);
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    EXPECT_EQ(Waves()->GetChannelCount(), 2) << "finished copies wait for the update";
    Waves()->Update();
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 1u);
    EXPECT_EQ(Peak(m_rig.Pull(50)), 0.0f);
}

TEST_F(WaveManager, OnlyTheOwnBufferCountsAsPlaying)
{
    const int id = LoadSquare("shot.wav", 300);
    Waves()->PlayWave(id, false);
    Waves()->PlayWave(id, false);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));
    ASSERT_TRUE(Waves()->StopWave(id));
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    // The copy is untouched by StopWave and still heard.
    EXPECT_EQ(Waves()->GetChannelCount(), 1);
    EXPECT_GT(Peak(m_rig.Pull(20)), 0.9f);
    Waves()->Update();
    EXPECT_EQ(Waves()->GetChannelCount(), 1);
}

TEST_F(WaveManager, CopiesKeepTheLevelTheyStartedWith)
{
    const int id = LoadSquare("shot.wav", 300);
    Waves()->SetVolume(id, 0);
    Waves()->PlayWave(id, true);
    Waves()->PlayWave(id, true);
    Waves()->StopWave(id);
    Waves()->SetVolume(id, 100);
    EXPECT_NEAR(Peak(m_rig.Pull(40)), kPeak * std::pow(10.0f, -1.5f), kTolerance);
}

TEST_F(WaveManager, LoopingPlaysOnAndResetRewinds)
{
    const int id = LoadSquare("music.wav", 100);
    ASSERT_TRUE(Waves()->PlayWave(id, true));
    m_rig.Pull(350);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));

    // Stopped in the middle, played again: it goes on from there. Reset: from the start.
    ASSERT_TRUE(Waves()->StopWave(id));
    Waves()->PlayWave(id, false);
    std::vector<float> out = m_rig.Pull(10);
    EXPECT_LT(Left(out, 0), -0.9f) << "frame 50 of the square is low";
    ASSERT_TRUE(Waves()->ResetWave(id));
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    Waves()->PlayWave(id, false);
    out = m_rig.Pull(10);
    EXPECT_GT(Left(out, 0), 0.9f);
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
}

TEST_F(WaveManager, AFinishedSoundPlaysFromTheStartAgain)
{
    const int id = LoadSquare("shot.wav", 30);
    Waves()->PlayWave(id, false);
    m_rig.Pull(30);
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    Waves()->PlayWave(id, false);
    const std::vector<float> again = m_rig.Pull(30);
    EXPECT_GT(Left(again, 0), 0.9f);
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
}

TEST_F(WaveManager, SlotsAreSharedCountedAndReused)
{
    const int a = LoadSquare("a.wav");
    const int b = LoadSquare("b.wav");
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    // Emptied on disk: a load of the same name must not read it again.
    const std::string aPath = m_rig.WriteWave("a.wav", "");
    EXPECT_EQ(Waves()->LoadWave(aPath.c_str()), a);
    EXPECT_EQ(Waves()->GetRefCount(a), 2);

    EXPECT_TRUE(Waves()->UnloadWave(a));
    EXPECT_EQ(Waves()->GetRefCount(a), 1);
    EXPECT_TRUE(Waves()->UnloadWave(a));
    EXPECT_EQ(Waves()->GetRefCount(a), 0);
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 1u);

    // An empty name never matches the free slot; the lowest free slot is reused.
    m_rig.ClearMessages();
    EXPECT_EQ(Waves()->LoadWave(""), -1);
    ASSERT_EQ(m_rig.Messages().size(), 1u);
    EXPECT_EQ(m_rig.Messages()[0].text, "Could not find the file - ");
    EXPECT_EQ(LoadSquare("c.wav"), 0);
    EXPECT_EQ(Waves()->GetSlotCount(), 2);
}

TEST_F(WaveManager, TheFailedIdIsIgnoredQuietly)
{
    m_rig.ClearMessages();
    EXPECT_FALSE(Waves()->PlayWave(-1, false));
    EXPECT_FALSE(Waves()->StopWave(-1));
    EXPECT_FALSE(Waves()->ResetWave(-1));
    EXPECT_FALSE(Waves()->IsWavePlaying(-1));
    EXPECT_FALSE(Waves()->SetVolume(-1, 50));
    EXPECT_FALSE(Waves()->SetPan(-1, 50));
    EXPECT_FALSE(Waves()->SetFrequency(-1, 22050));
    EXPECT_FALSE(Waves()->UnloadWave(-1));
    EXPECT_EQ(Waves()->LoadWave(nullptr), -1);
    EXPECT_TRUE(m_rig.Messages().empty());
}

TEST_F(WaveManager, ShutdownReleasesEverythingIncludingLoopingCopies)
{
    const int id = LoadSquare("music.wav");
    Waves()->PlayWave(id, true);
    Waves()->PlayWave(id, true);
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 2u);
    Waves()->ShutdownWaveManager();
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 0u);
    EXPECT_EQ(Waves()->GetSlotCount(), 0);
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
    // Without a device now: silent refusals.
    EXPECT_EQ(LoadSquare("music.wav"), -1);
    EXPECT_FALSE(Waves()->PlayWave(0, false));
    EXPECT_TRUE(m_rig.Messages().empty());
}

using WaveManagerDeathTest = WaveManager;

TEST_F(WaveManagerDeathTest, BadIdsAreProgrammingErrors)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int id = LoadSquare("a.wav");
    EXPECT_DEBUG_DEATH(Waves()->PlayWave(id + 1, false), "id is out of range");
    EXPECT_DEBUG_DEATH(Waves()->SetVolume(-2, 10), "id is out of range");
    Waves()->UnloadWave(id);
    EXPECT_DEBUG_DEATH(Waves()->PlayWave(id, false), "Attempting to play released wave id");
    EXPECT_DEBUG_DEATH(Waves()->StopWave(id), "Wave buffer is NULL.  Possible unloaded wave.");
}

TEST(WaveManagerWithoutDevice, EveryCallFailsWithoutAMessage)
{
    test::HiddenWindow window;
    test::MessageRecorder messages;
    CVKT_WaveManager* waves = CVKT_WaveManager::GetInstance();
    CVKT_SoundMixer mixer(kRate);
    EXPECT_FALSE(waves->InitWaveManager(window.Get(), nullptr));
    EXPECT_FALSE(waves->InitWaveManager(nullptr, &mixer));
    EXPECT_EQ(waves->LoadWave("Resource/Sound/anything.wav"), -1);
    EXPECT_FALSE(waves->PlayWave(0, false));
    EXPECT_FALSE(waves->SetVolume(0, 100));
    EXPECT_FALSE(waves->IsWavePlaying(3));
    waves->Update();
    EXPECT_TRUE(messages.All().empty());
    waves->ShutdownWaveManager();
}
} // namespace
