// The wave manager on a mixer driven by hand: ids and reference counts, playing with overlapping
// copies, the frame update that frees them, and what the player hears for each volume, pan and
// frequency. Ids left by failed loads, and a game without a sound device, stay silent.
#include "CVKT_PeakLimiter.h"
#include "CVKT_SoundMixer.h"
#include "CVKT_WaveReader.h"
#include "CVKT_WaveManager.h"

#include "Files.h"
#include "MixRecorder.h"
#include "SoundBench.h"
#include "WaveFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
constexpr uint32_t kRate = 44100;
// The high and the low half of the quarter-scale 16-bit square wave the tests play: three at once
// stay under the limiter's ceiling, so what is heard is the plain sum.
constexpr float kHigh = 8191.0f / 32768.0f;
constexpr float kPeak = 8192.0f / 32768.0f;
constexpr float kTolerance = 1e-5f;

class WaveManager : public ::testing::Test
{
protected:
    CVKT_WaveManager* Waves() { return m_rig.Waves(); }

    // A quarter-scale 16-bit mono square wave of nFrames at the output rate: 10 frames high, then 10 low.
    int LoadSquare(const std::string& name, size_t nFrames = 400)
    {
        std::vector<int16_t> square = headless::SquareWave(nFrames, 10);
        for (int16_t& sample : square)
            sample = static_cast<int16_t>(sample / 4);
        const std::string bytes = headless::PcmWave(1, kRate, 16, headless::Samples16(square));
        return Waves()->LoadWave(m_rig.WriteWave(name, bytes).c_str());
    }

    // The peak of each side over nFrames, once the changes made so far are heard in full: after a
    // level ramp, and read through the look-ahead.
    std::pair<float, float> SettledLevels(size_t nFrames = 40)
    {
        m_heard.Pull(m_rig.Mixer().GetRampFrames());
        const size_t first = m_heard.Mixed();
        m_heard.Pull(nFrames);
        m_heard.Flush();
        float left = 0.0f;
        float right = 0.0f;
        for (size_t k = first; k < first + nFrames; ++k)
        {
            left = std::max(left, std::fabs(m_heard.Left(k)));
            right = std::max(right, std::fabs(m_heard.Right(k)));
        }
        return {left, right};
    }

    headless::SoundBench m_rig{kRate};
    headless::MixRecorder m_heard{m_rig.Mixer()};
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
        const auto [left, right] = SettledLevels();
        EXPECT_NEAR(left, c.level, kTolerance) << c.volume;
        EXPECT_NEAR(right, c.level, kTolerance) << c.volume;
    }
    EXPECT_TRUE(m_rig.Messages().empty());
}

TEST_F(WaveManager, PanAttenuatesTheFarSide)
{
    const int id = LoadSquare("square.wav");
    ASSERT_TRUE(Waves()->PlayWave(id, true));
    struct Case
    {
        int pan;
        float left;
        float right;
    } cases[] = {
        {-100, kPeak, 0.0f},
        {250, 0.0f, kPeak},        // clamped to 100
        {20, kPeak * 0.1f, kPeak}, // -20 dB on the left
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(Waves()->SetPan(id, c.pan));
        const auto [left, right] = SettledLevels();
        EXPECT_NEAR(left, c.left, kTolerance) << c.pan;
        EXPECT_NEAR(right, c.right, kTolerance) << c.pan;
    }
}

TEST_F(WaveManager, FrequencyChangesTheSpeedWithinTheCaps)
{
    const int id = LoadSquare("square.wav", 400);
    ASSERT_TRUE(Waves()->SetFrequency(id, 2 * kRate));
    Waves()->PlayWave(id, false);
    m_heard.Pull(199);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));
    m_heard.Pull(1);
    EXPECT_FALSE(Waves()->IsWavePlaying(id)) << "400 frames last 200 at twice the rate";
    // Ten frames high, ten low in the file: five and five at twice the speed.
    m_heard.Flush();
    EXPECT_NEAR(m_heard.Left(4), kHigh, kTolerance);
    EXPECT_NEAR(m_heard.Left(5), -kPeak, kTolerance);

    // Far beyond the caps: clamped, not refused.
    EXPECT_TRUE(Waves()->SetFrequency(id, 0));
    EXPECT_TRUE(Waves()->SetFrequency(id, 4000000000u));
    EXPECT_TRUE(m_rig.Messages().empty());
}

TEST_F(WaveManager, ThreePlaysGiveTheOwnBufferAndTwoCopies)
{
    const int id = LoadSquare("shot.wav", 300);
    ASSERT_TRUE(Waves()->PlayWave(id, false));
    m_heard.Pull(100);
    ASSERT_TRUE(Waves()->PlayWave(id, false));
    m_heard.Pull(100);
    ASSERT_TRUE(Waves()->PlayWave(id, false));
    EXPECT_EQ(Waves()->GetChannelCount(), 2);
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 3u);

    m_heard.Pull(1);
    Waves()->Update();
    EXPECT_EQ(Waves()->GetChannelCount(), 2) << "nothing has finished yet";

    m_heard.Pull(299);
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    EXPECT_EQ(Waves()->GetChannelCount(), 2) << "finished copies wait for the update";
    Waves()->Update();
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
    EXPECT_EQ(m_rig.Mixer().GetBufferCount(), 1u);
    m_heard.Pull(50);
    m_heard.Flush();
    // All three overlap, the two copies in step with each other's start; then all is quiet.
    EXPECT_NEAR(m_heard.Left(200), 3 * kHigh, kTolerance);
    EXPECT_EQ(m_heard.Peak(500, 50), 0.0f);
}

TEST_F(WaveManager, OnlyTheOwnBufferCountsAsPlaying)
{
    const int id = LoadSquare("shot.wav", 3000);
    Waves()->PlayWave(id, false);
    Waves()->PlayWave(id, false);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));
    ASSERT_TRUE(Waves()->StopWave(id));
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    // The copy is untouched by StopWave and still heard.
    EXPECT_EQ(Waves()->GetChannelCount(), 1);
    EXPECT_NEAR(SettledLevels().first, kPeak, kTolerance);
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
    EXPECT_NEAR(SettledLevels().first, kPeak * std::pow(10.0f, -1.5f), kTolerance);
}

TEST_F(WaveManager, LoopingPlaysOnAndResetRewinds)
{
    const int id = LoadSquare("music.wav", 100);
    ASSERT_TRUE(Waves()->PlayWave(id, true));
    m_heard.Pull(350);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));

    // Stopped in the middle, played again: it goes on from there (frame 50 of the square is low).
    ASSERT_TRUE(Waves()->StopWave(id));
    Waves()->PlayWave(id, false);
    m_heard.Pull(10);
    m_heard.Flush();
    EXPECT_NEAR(m_heard.Left(350), -kPeak, kTolerance);

    // Reset: from the start, so played once it lasts all of its 100 frames.
    ASSERT_TRUE(Waves()->ResetWave(id));
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    Waves()->PlayWave(id, false);
    m_heard.Pull(99);
    EXPECT_TRUE(Waves()->IsWavePlaying(id));
    m_heard.Pull(1);
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
}

TEST_F(WaveManager, AFinishedSoundPlaysFromTheStartAgain)
{
    const int id = LoadSquare("shot.wav", 30);
    Waves()->PlayWave(id, false);
    m_heard.Pull(30);
    EXPECT_FALSE(Waves()->IsWavePlaying(id));
    Waves()->PlayWave(id, false);
    m_heard.Pull(30);
    m_heard.Flush();
    EXPECT_NEAR(m_heard.Left(30), kHigh, kTolerance);
    EXPECT_EQ(Waves()->GetChannelCount(), 0);
}

// The left channel of one of the game's sounds, as the reader gives it.
std::vector<float> LeftOfGameSound(const std::string& name)
{
    tWaveData wave;
    const std::string path = headless::BuildDir() + "/Resource/Sound/" + name;
    if (CVKT_WaveReader::ReadFile(path.c_str(), wave) != eWaveReadResult::Ok)
        return {};
    std::vector<float> left;
    const size_t frameBytes = wave.format.nBlockAlign;
    for (size_t at = 0; at + frameBytes <= wave.samples.size(); at += frameBytes)
        left.push_back(static_cast<int16_t>(wave.samples[at] | (wave.samples[at + 1] << 8)) / 32768.0f);
    return left;
}

// The frame where the sound goes furthest in the direction of fSign.
size_t Crest(const std::vector<float>& samples, float fSign)
{
    size_t best = 0;
    for (size_t k = 0; k < samples.size(); ++k)
        best = samples[k] * fSign > samples[best] * fSign ? k : best;
    return best;
}

TEST_F(WaveManager, TheGamesOwnSoundsAtFullVolumeStayUnderTheCeiling)
{
    // A busy moment at volumes 100 and 100: the level theme at its loudest crest, and on that crest
    // the crests of a hit, a shot and a second hit a few frames later.
    const std::vector<float> music = LeftOfGameSound("OxM_PALLET_theme.wav");
    const std::vector<float> hit = LeftOfGameSound("VKT_LazerHit.wav");
    const std::vector<float> shot = LeftOfGameSound("VKT_LazerShot.wav");
    ASSERT_FALSE(music.empty() || hit.empty() || shot.empty());
    size_t crest = 0;
    for (size_t k = 0; k < music.size(); ++k)
        crest = std::fabs(music[k]) > std::fabs(music[crest]) ? k : crest;
    const float sign = music[crest] > 0.0f ? 1.0f : -1.0f;
    struct Start
    {
        const std::vector<float>* samples;
        const char* name;
        size_t frame;
    } starts[] = {
        {&hit, "VKT_LazerHit.wav", crest - Crest(hit, sign)},
        {&shot, "VKT_LazerShot.wav", crest - Crest(shot, sign)},
        {&hit, "VKT_LazerHit.wav", crest - Crest(hit, sign) + 20},
    };
    std::sort(std::begin(starts), std::end(starts),
              [](const Start& a, const Start& b) { return a.frame < b.frame; });

    const int musicID =
        Waves()->LoadWave((headless::BuildDir() + "/Resource/Sound/OxM_PALLET_theme.wav").c_str());
    ASSERT_GE(musicID, 0);
    Waves()->SetVolume(musicID, 100);
    Waves()->PlayWave(musicID, false);
    float plain = 0.0f;
    for (const Start& start : starts)
    {
        m_heard.Pull(start.frame - m_heard.Mixed());
        const int id = Waves()->LoadWave((headless::BuildDir() + "/Resource/Sound/" + start.name).c_str());
        ASSERT_GE(id, 0);
        Waves()->SetVolume(id, 100);
        Waves()->PlayWave(id, false);
    }
    const size_t busy = m_heard.Mixed();
    m_heard.Pull(kRate / 2);
    m_heard.Flush();

    // Summed plainly, the left side would go over the ceiling...
    for (size_t k = busy; k < busy + kRate / 2; ++k)
    {
        float sum = music[k];
        for (const Start& start : starts)
            sum += k - start.frame < start.samples->size() ? (*start.samples)[k - start.frame] : 0.0f;
        plain = std::max(plain, std::fabs(sum));
    }
    EXPECT_GT(plain, CVKT_PeakLimiter::CEILING);
    // ...what is heard never does, and so never comes near full scale.
    const float heard = m_heard.Peak(0, m_heard.Frames());
    EXPECT_LE(heard, CVKT_PeakLimiter::CEILING);
    RecordProperty("plain_sum_peak", std::to_string(plain));
    RecordProperty("heard_peak", std::to_string(heard));
    EXPECT_TRUE(m_rig.Messages().empty());
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
    headless::HiddenWindow window;
    headless::MessageRecorder messages;
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
