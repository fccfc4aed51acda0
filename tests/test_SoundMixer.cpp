// The software mixer and its buffers, driven by hand without a device: what comes out for given
// samples, levels, pans, rates, loops and cut-off data, how buffers end and signal, the master
// limiter, and the ramps that keep stops and level changes from clicking.
#include "CVKT_PeakLimiter.h"
#include "CVKT_SoundBuffer.h"
#include "CVKT_SoundMixer.h"

#include "MixRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace
{
constexpr uint32_t kRate = 44100;
constexpr float kTolerance = 1e-5f;

tWaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits)
{
    tWaveFormat format;
    format.wFormatTag = 1;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = bits;
    format.nBlockAlign = static_cast<uint16_t>(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    return format;
}

std::vector<uint8_t> Bytes16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes(samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        bytes[2 * i] = static_cast<uint8_t>(static_cast<uint16_t>(samples[i]) & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(samples[i]) >> 8);
    }
    return bytes;
}

// A mono ramp whose every sample differs: frame k holds (k + 1) * 100.
std::vector<int16_t> Ramp(size_t frames)
{
    std::vector<int16_t> samples(frames);
    for (size_t k = 0; k < frames; ++k)
        samples[k] = static_cast<int16_t>((k + 1) * 100);
    return samples;
}

float Level(int16_t sample)
{
    return static_cast<float>(sample) / 32768.0f;
}

std::unique_ptr<CVKT_SoundBuffer> Make16(CVKT_SoundMixer& mixer, const std::vector<int16_t>& samples,
                                         uint16_t channels = 1, uint32_t rate = kRate,
                                         uint32_t claimedBytes = 0)
{
    std::vector<uint8_t> bytes = Bytes16(samples);
    const uint32_t size = claimedBytes ? claimedBytes : static_cast<uint32_t>(bytes.size());
    return mixer.CreateSoundBuffer(Pcm(channels, rate, 16), size, std::move(bytes));
}

std::vector<float> Pull(CVKT_SoundMixer& mixer, size_t frames)
{
    std::vector<float> out(2 * frames, 123.0f);
    mixer.Pull(out.data(), frames);
    return out;
}

// nCycles whole cycles of a cosine of amplitude fLevel, 100 frames each: a loop without a seam,
// whose every end sits on a crest.
std::vector<int16_t> Cosine(float fLevel, size_t nCycles = 10, size_t nPeriod = 100)
{
    std::vector<int16_t> samples(nCycles * nPeriod);
    for (size_t k = 0; k < samples.size(); ++k)
        samples[k] = static_cast<int16_t>(std::lround(fLevel * 32767.0 * std::cos(2.0 * M_PI * k / nPeriod)));
    return samples;
}

// The largest step from one sample to the next, the last running into the first.
float LargestStep(const std::vector<int16_t>& loop)
{
    float largest = 0.0f;
    for (size_t k = 0; k < loop.size(); ++k)
        largest = std::max(largest, std::fabs(Level(loop[(k + 1) % loop.size()]) - Level(loop[k])));
    return largest;
}

uint32_t Status(const CVKT_SoundBuffer& buffer)
{
    uint32_t status = 99;
    EXPECT_TRUE(buffer.GetStatus(status));
    return status;
}

TEST(SoundMixer, UnresampledSamplesComeOutExactly)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> stereo = {1000, -2000, 28000, -28000, 0, 5};
    auto buffer = Make16(mixer, stereo, 2);
    ASSERT_TRUE(buffer);
    buffer->Play(false);
    heard.Pull(4);
    heard.Flush();
    // Below the limiter's ceiling, bit for bit.
    for (size_t i = 0; i < stereo.size(); ++i)
        EXPECT_EQ(i % 2 ? heard.Right(i / 2) : heard.Left(i / 2), Level(stereo[i])) << i;
    EXPECT_EQ(heard.Left(3), 0.0f);
    EXPECT_EQ(heard.Right(3), 0.0f);
}

TEST(SoundMixer, EightBitSamplesAreCentredOn128)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    auto buffer = mixer.CreateSoundBuffer(Pcm(1, kRate, 8), 4, {128, 224, 16, 192});
    ASSERT_TRUE(buffer);
    buffer->Play(false);
    heard.Pull(4);
    heard.Flush();
    EXPECT_EQ(heard.Left(0), 0.0f);
    EXPECT_FLOAT_EQ(heard.Left(1), 0.75f);
    EXPECT_FLOAT_EQ(heard.Left(2), -0.875f);
    EXPECT_FLOAT_EQ(heard.Right(3), 0.5f);
}

TEST(SoundMixer, VolumeAndPanAreDecibelScales)
{
    const float full = 0.5f;
    struct Case
    {
        long volume;
        long pan;
        float left;
        float right;
    } cases[] = {
        {-1500, 0, full * std::pow(10.0f, -0.75f), full * std::pow(10.0f, -0.75f)},
        {0, 2000, full * 0.1f, full}, // the pan attenuates the far side only, on top of the volume
        {-600, -10000, full * std::pow(10.0f, -0.3f), 0.0f},
        {-10000, 0, 0.0f, 0.0f},
    };
    for (const Case& c : cases)
    {
        CVKT_SoundMixer mixer(kRate);
        headless::MixRecorder heard(mixer);
        auto buffer = Make16(mixer, std::vector<int16_t>(64, 16384));
        ASSERT_TRUE(buffer->SetVolume(c.volume));
        ASSERT_TRUE(buffer->SetPan(c.pan));
        buffer->Play(true);
        heard.Pull(4);
        heard.Flush();
        EXPECT_NEAR(heard.Left(0), c.left, kTolerance) << c.volume << " " << c.pan;
        EXPECT_NEAR(heard.Right(0), c.right, kTolerance) << c.volume << " " << c.pan;

        // Out of range: refused, nothing changes.
        EXPECT_FALSE(buffer->SetVolume(1));
        EXPECT_FALSE(buffer->SetVolume(-10001));
        EXPECT_FALSE(buffer->SetPan(10001));
        EXPECT_FALSE(buffer->SetPan(-10001));
        EXPECT_EQ(buffer->GetVolume(), c.volume);
        EXPECT_EQ(buffer->GetPan(), c.pan);
    }
}

TEST(SoundMixer, OneShotStopsRewindsAndSignalsAtItsEnd)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> ramp = Ramp(100);
    auto buffer = Make16(mixer, ramp);
    buffer->EnableStopNotification();
    buffer->Play(false);

    heard.Pull(60);
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING);
    EXPECT_EQ(buffer->GetCurrentPosition(), 120u);
    EXPECT_FALSE(buffer->PollStopNotification());

    heard.Pull(60);
    EXPECT_EQ(Status(*buffer), 0u);
    EXPECT_EQ(buffer->GetCurrentPosition(), 0u);
    EXPECT_TRUE(buffer->PollStopNotification());
    EXPECT_FALSE(buffer->PollStopNotification()) << "the notification resets itself";
    heard.Flush();
    EXPECT_FLOAT_EQ(heard.Left(99), Level(ramp[99]));
    EXPECT_EQ(heard.Left(100), 0.0f);

    // Played again, it plays from the start.
    const size_t again = heard.Mixed();
    buffer->Play(false);
    heard.Pull(1);
    heard.Flush();
    EXPECT_FLOAT_EQ(heard.Left(again), Level(ramp[0]));
}

TEST(SoundMixer, StopSignalsOnlyAPlayingBuffer)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, Ramp(100));
    buffer->EnableStopNotification();
    buffer->Stop();
    EXPECT_FALSE(buffer->PollStopNotification());
    buffer->Play(true);
    Pull(mixer, 10);
    buffer->Stop();
    EXPECT_TRUE(buffer->PollStopNotification());
    EXPECT_EQ(buffer->GetCurrentPosition(), 20u) << "Stop keeps the position";

    // Without a registered notification nothing is signalled.
    auto quiet = Make16(mixer, Ramp(10));
    quiet->Play(false);
    Pull(mixer, 20);
    EXPECT_FALSE(quiet->PollStopNotification());
}

TEST(SoundMixer, LoopingBufferWraps)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> ramp = Ramp(100);
    auto buffer = Make16(mixer, ramp);
    buffer->EnableStopNotification();
    buffer->Play(true);
    heard.Pull(250);
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING | CVKT_SoundBuffer::STATUS_LOOPING);
    EXPECT_FALSE(buffer->PollStopNotification());
    heard.Flush();
    for (size_t k = 0; k < 250; ++k)
        ASSERT_FLOAT_EQ(heard.Left(k), Level(ramp[k % 100])) << k;
}

TEST(SoundMixer, TwiceTheRatePlaysTwiceAsFast)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> ramp = Ramp(100);
    auto buffer = Make16(mixer, ramp);
    ASSERT_TRUE(buffer->SetFrequency(2 * kRate));
    EXPECT_EQ(buffer->GetFrequency(), 2 * kRate);
    buffer->Play(false);
    heard.Pull(60);
    EXPECT_EQ(Status(*buffer), 0u);
    heard.Flush();
    for (size_t k = 0; k < 50; ++k)
        ASSERT_FLOAT_EQ(heard.Left(k), Level(ramp[2 * k])) << k;
    EXPECT_EQ(heard.Left(50), 0.0f);
}

TEST(SoundMixer, LowerRatesAreInterpolated)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> ramp = Ramp(10);
    auto buffer = Make16(mixer, ramp, 1, kRate / 2);
    buffer->Play(false);
    heard.Pull(22);
    EXPECT_EQ(Status(*buffer), 0u);
    // Looping, the last frame leads into the first.
    buffer->Play(true);
    heard.Pull(22);
    heard.Flush();
    for (size_t k = 0; k < 9; ++k)
    {
        ASSERT_NEAR(heard.Left(2 * k), Level(ramp[k]), kTolerance) << k;
        ASSERT_NEAR(heard.Left(2 * k + 1), (Level(ramp[k]) + Level(ramp[k + 1])) / 2, kTolerance) << k;
    }
    // The last frame leads into silence, then the buffer ends.
    EXPECT_NEAR(heard.Left(18), Level(ramp[9]), kTolerance);
    EXPECT_NEAR(heard.Left(19), Level(ramp[9]) / 2, kTolerance);
    EXPECT_EQ(heard.Left(20), 0.0f);
    EXPECT_NEAR(heard.Left(22 + 19), (Level(ramp[9]) + Level(ramp[0])) / 2, kTolerance);
    EXPECT_NEAR(heard.Left(22 + 20), Level(ramp[0]), kTolerance);
}

TEST(SoundMixer, AnyRatioFollowsTheLineBetweenNeighbours)
{
    // Irregular samples, stereo, at rates above and below the output rate.
    std::vector<int16_t> samples(2 * 500);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((i * 7919) % 50000 - 25000);
    for (uint32_t rate : {30000u, 33075u, 57000u, 100000u})
    {
        CVKT_SoundMixer mixer(kRate);
        headless::MixRecorder heard(mixer);
        auto buffer = Make16(mixer, samples, 2, rate);
        buffer->Play(false);
        const size_t frames = 400 * kRate / rate;
        heard.Pull(frames);
        heard.Flush();
        for (size_t k = 0; k < frames; ++k)
        {
            const double position = static_cast<double>(k) * rate / kRate;
            const size_t i = static_cast<size_t>(position);
            const double t = position - static_cast<double>(i);
            for (size_t side = 0; side < 2; ++side)
            {
                const double a = Level(samples[2 * i + side]);
                const double b = Level(samples[2 * (i + 1) + side]);
                const float out = side == 0 ? heard.Left(k) : heard.Right(k);
                ASSERT_NEAR(out, a + (b - a) * t, 1e-4) << rate << " frame " << k;
            }
        }
    }
}

TEST(SoundMixer, FrequencyOutsideTheCapsIsRefused)
{
    CVKT_SoundMixer mixer(kRate);
    tSoundCaps caps;
    ASSERT_TRUE(mixer.GetCaps(caps));
    auto buffer = Make16(mixer, Ramp(10));
    EXPECT_FALSE(buffer->SetFrequency(caps.dwMinSecondarySampleRate - 1));
    EXPECT_FALSE(buffer->SetFrequency(caps.dwMaxSecondarySampleRate + 1));
    EXPECT_EQ(buffer->GetFrequency(), kRate);
    EXPECT_TRUE(buffer->SetFrequency(caps.dwMinSecondarySampleRate));
    EXPECT_TRUE(buffer->SetFrequency(caps.dwMaxSecondarySampleRate));
}

TEST(SoundMixer, CutOffDataIsFollowedBySilenceUpToItsClaim)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> ramp = Ramp(50);
    // 200 frames claimed, 50 present.
    auto buffer = Make16(mixer, ramp, 1, kRate, 400);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->GetBufferBytes(), 400u);
    buffer->Play(true);
    heard.Pull(260);

    // A one-shot plays its silence too before it ends.
    buffer->Play(false);
    heard.Pull(139);
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING);
    heard.Pull(1);
    EXPECT_EQ(Status(*buffer), 0u);

    heard.Flush();
    for (size_t k = 0; k < 260; ++k)
    {
        const float expected = (k % 200) < 50 ? Level(ramp[k % 200]) : 0.0f;
        ASSERT_FLOAT_EQ(heard.Left(k), expected) << k;
    }
}

TEST(SoundMixer, HugeClaimsNeedNoMemory)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, Ramp(4), 1, kRate, CVKT_SoundMixer::MAX_BUFFER_BYTES);
    ASSERT_TRUE(buffer);
    EXPECT_TRUE(buffer->SetCurrentPosition(CVKT_SoundMixer::MAX_BUFFER_BYTES - 3));
    EXPECT_EQ(buffer->GetCurrentPosition(), CVKT_SoundMixer::MAX_BUFFER_BYTES - 3);
    buffer->Play(false);
    Pull(mixer, 4);
    EXPECT_EQ(Status(*buffer), 0u);
}

TEST(SoundMixer, LoudSumsAreLimitedUnderTheCeilingWithoutClipping)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    // Two loud cosines in step: the plain sum would reach 1.6.
    const std::vector<int16_t> loud = Cosine(0.8f);
    auto a = Make16(mixer, loud);
    auto b = Make16(mixer, loud);
    a->Play(true);
    b->Play(true);
    heard.Pull(4410);
    a->Stop();
    b->Stop();
    heard.Pull(kRate);
    heard.Flush();

    const float loudest = heard.Peak(0, heard.Frames());
    EXPECT_LE(loudest, CVKT_PeakLimiter::CEILING);
    EXPECT_GT(loudest, CVKT_PeakLimiter::CEILING * 0.97f) << "limited to the ceiling, not far below it";

    // The shape is kept: every sample of the sum is scaled by nearly the same gain (a clip would
    // flatten the crests and leave the rest alone).
    float lowest = 1.0f;
    float highest = 0.0f;
    for (size_t k = 0; k < 4410; ++k)
    {
        const float sum = 2.0f * Level(loud[k % loud.size()]);
        if (std::fabs(sum) < 0.4f)
            continue;
        lowest = std::min(lowest, heard.Left(k) / sum);
        highest = std::max(highest, heard.Left(k) / sum);
    }
    EXPECT_LT(highest - lowest, 0.02f * highest);
}

TEST(SoundMixer, AQuietMixPassesBitForBitAgainAfterALoudOne)
{
    CVKT_SoundMixer mixer(kRate);
    headless::MixRecorder heard(mixer);
    const std::vector<int16_t> low = Cosine(0.4f, 10, 100);
    const std::vector<int16_t> high = Cosine(0.4f, 40, 25);
    auto a = Make16(mixer, low);
    auto b = Make16(mixer, high);
    auto burst = Make16(mixer, Cosine(0.9f, 5));
    a->Play(true);
    b->Play(true);
    heard.Pull(2000);
    burst->Play(false);
    heard.Pull(kRate);
    heard.Flush();

    // The sum never goes over the ceiling by itself, so it comes out exactly, sample for sample...
    auto exact = [&](size_t k)
    {
        const float sum = 0.0f + Level(low[k % low.size()]) + Level(high[k % high.size()]);
        return heard.Left(k) == sum && heard.Right(k) == sum;
    };
    for (size_t k = 0; k + heard.Lag() < 2000; ++k)
        ASSERT_TRUE(exact(k)) << k;
    // ...held down from the look-ahead before the burst, and let go over some 50 to 100 ms: neither
    // at once (a flutter on every peak) nor so slowly that one hit ducks everything for long.
    auto peakFrom = [&](size_t first)
    {
        float peak = 0.0f;
        for (size_t k = first; k < first + 100; ++k)
            peak = std::max(peak, std::fabs(heard.Left(k)));
        return peak;
    };
    const float heldGain = peakFrom(2000) / 1.7f;
    auto reductionLeft = [&](size_t ms)
    { return (1.0f - peakFrom(2500 + ms * kRate / 1000) / 0.8f) / (1.0f - heldGain); };
    EXPECT_LT(heldGain, CVKT_PeakLimiter::CEILING / 1.7f + 1e-3f);
    EXPECT_GT(reductionLeft(30), 0.25f);
    EXPECT_LT(reductionLeft(300), 0.05f);
    // ...and exactly again once the limiter has let go.
    for (size_t k = kRate - 2000; k < kRate; ++k)
        ASSERT_TRUE(exact(k)) << k;
}

// Every change of level while a sound is heard: no step from one sample to the next larger than the
// sound's own, and the new level reached within a ramp.
TEST(SoundMixer, StopsAndLevelChangesRampInsteadOfClicking)
{
    const std::vector<int16_t> loop = Cosine(0.5f);
    const float own = LargestStep(loop);
    const size_t change = 300;
    const size_t twentyMs = kRate / 50;
    struct Case
    {
        const char* what;
        long startVolume;
        std::function<void(CVKT_SoundBuffer&)> act;
        size_t silentFrom; // frames of the mix after which everything is silent (0: never)
        float left;        // the level (peak) at the end
        float right;
    } cases[] = {
        {"stop", 0, [](CVKT_SoundBuffer& b) { b.Stop(); }, change + twentyMs, 0.0f, 0.0f},
        {"volume down", 0, [](CVKT_SoundBuffer& b) { b.SetVolume(-2000); }, 0, 0.05f, 0.05f},
        {"volume up", -2000, [](CVKT_SoundBuffer& b) { b.SetVolume(0); }, 0, 0.5f, 0.5f},
        {"pan", 0, [](CVKT_SoundBuffer& b) { b.SetPan(-10000); }, 0, 0.5f, 0.0f},
        // Played again within its fade, it comes back from the fade rather than doubling up.
        {"stop and play", 0,
         [](CVKT_SoundBuffer& b)
         {
             b.Stop();
             b.Play(true);
         },
         0, 0.5f, 0.5f},
        // The loop's data ends on a crest: played out, it must not stop on one.
        {"loop played out", 0, [](CVKT_SoundBuffer& b) { b.Play(false); }, loop.size(), 0.0f, 0.0f},
    };
    for (const Case& c : cases)
    {
        CVKT_SoundMixer mixer(kRate);
        headless::MixRecorder heard(mixer);
        auto buffer = Make16(mixer, loop);
        buffer->SetVolume(c.startVolume);
        buffer->EnableStopNotification();
        buffer->Play(true);
        heard.Pull(change);
        c.act(*buffer);
        heard.Pull(loop.size() + twentyMs);
        heard.Flush();

        float largest = 0.0f;
        for (size_t k = 1; k < heard.Frames(); ++k)
            largest = std::max({largest, std::fabs(heard.Left(k) - heard.Left(k - 1)),
                                std::fabs(heard.Right(k) - heard.Right(k - 1))});
        EXPECT_LE(largest, own + 1e-6f) << c.what;
        float left = 0.0f;
        float right = 0.0f;
        for (size_t k = heard.Frames() - 200; k < heard.Frames(); ++k)
        {
            left = std::max(left, std::fabs(heard.Left(k)));
            right = std::max(right, std::fabs(heard.Right(k)));
        }
        EXPECT_NEAR(left, c.left, 1e-3f) << c.what;
        EXPECT_NEAR(right, c.right, 1e-3f) << c.what;
        if (c.silentFrom == 0)
            continue;
        for (size_t k = c.silentFrom; k < heard.Frames(); ++k)
            ASSERT_EQ(heard.Left(k), 0.0f) << c.what << " frame " << k;
        // Stopped as before: at once for the game, and signalled.
        EXPECT_EQ(Status(*buffer), 0u) << c.what;
        EXPECT_TRUE(buffer->PollStopNotification()) << c.what;
    }
}

TEST(SoundMixer, AStoppedSoundStandsWhereItStoppedWhileItFades)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, Cosine(0.5f));
    buffer->EnableStopNotification();
    buffer->Play(true);
    Pull(mixer, 123);
    buffer->Stop();
    EXPECT_TRUE(buffer->PollStopNotification()) << "signalled at the stop, not after the fade";
    Pull(mixer, 1000);
    EXPECT_EQ(buffer->GetCurrentPosition(), 246u);
    EXPECT_FALSE(buffer->PollStopNotification());
}

TEST(SoundMixer, DuplicatesShareSamplesAndStartStopped)
{
    CVKT_SoundMixer mixer(kRate);
    const std::vector<int16_t> ramp = Ramp(20);
    auto original = Make16(mixer, ramp);
    original->SetVolume(-600);
    original->SetPan(300);
    original->SetFrequency(kRate / 2);
    original->Play(true);
    Pull(mixer, 5);

    auto copy = mixer.DuplicateSoundBuffer(*original);
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->SharesDataWith(*original));
    EXPECT_EQ(copy->GetVolume(), -600);
    EXPECT_EQ(copy->GetPan(), 300);
    EXPECT_EQ(copy->GetFrequency(), kRate / 2);
    EXPECT_EQ(Status(*copy), 0u);
    EXPECT_EQ(copy->GetCurrentPosition(), 0u);
    EXPECT_EQ(mixer.GetBufferCount(), 2u);

    // The samples live as long as any buffer playing them.
    original.reset();
    EXPECT_EQ(mixer.GetBufferCount(), 1u);
    copy->SetVolume(0);
    copy->SetPan(0);
    copy->SetFrequency(kRate);
    copy->Play(false);
    headless::MixRecorder heard(mixer);
    heard.Pull(20);
    heard.Flush();
    for (size_t k = 0; k < 20; ++k)
        ASSERT_FLOAT_EQ(heard.Left(k), Level(ramp[k]));
}

TEST(SoundMixer, BuffersOfUnplayableFormatsAreRefused)
{
    CVKT_SoundMixer mixer(kRate);
    const std::vector<uint8_t> bytes(64, 0);
    tWaveFormat wrongAlign = Pcm(2, kRate, 16);
    wrongAlign.nBlockAlign = 2;
    tWaveFormat floatTag = Pcm(1, kRate, 16);
    floatTag.wFormatTag = 3;
    const tWaveFormat refused[] = {Pcm(0, kRate, 16), Pcm(3, kRate, 16), Pcm(1, kRate, 24), Pcm(1, kRate, 4),
                                   Pcm(1, 99, 16),    Pcm(1, 200001, 8), wrongAlign,        floatTag};
    for (const tWaveFormat& format : refused)
        EXPECT_FALSE(mixer.CreateSoundBuffer(format, 64, bytes));
    EXPECT_FALSE(mixer.CreateSoundBuffer(Pcm(1, kRate, 8), 3, bytes));
    EXPECT_FALSE(mixer.CreateSoundBuffer(Pcm(1, kRate, 8), CVKT_SoundMixer::MAX_BUFFER_BYTES + 1, bytes));
    EXPECT_EQ(mixer.GetBufferCount(), 0u);

    // The byte rate is not judged; neither is an empty set of samples.
    tWaveFormat wrongByteRate = Pcm(1, kRate, 16);
    wrongByteRate.nAvgBytesPerSec = 7;
    EXPECT_TRUE(mixer.CreateSoundBuffer(wrongByteRate, 64, bytes));
    EXPECT_TRUE(mixer.CreateSoundBuffer(Pcm(2, 100, 16), 4, {}));
}

TEST(SoundMixer, PositionsAreWholeFramesInsideTheBuffer)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, Ramp(10), 2); // 5 stereo frames, 20 bytes
    EXPECT_TRUE(buffer->SetCurrentPosition(7));
    EXPECT_EQ(buffer->GetCurrentPosition(), 4u);
    EXPECT_TRUE(buffer->SetCurrentPosition(19));
    EXPECT_FALSE(buffer->SetCurrentPosition(20));
    EXPECT_EQ(buffer->GetCurrentPosition(), 16u);
}

TEST(SoundMixer, LongPullsSpanManyChunks)
{
    CVKT_SoundMixer mixer(kRate);
    std::vector<int16_t> samples(3000);
    for (size_t k = 0; k < samples.size(); ++k)
        samples[k] = static_cast<int16_t>(k * 7 - 10000);
    auto buffer = Make16(mixer, samples);
    buffer->Play(false);
    headless::MixRecorder heard(mixer);
    heard.Pull(3000);
    heard.Flush();
    for (size_t k = 0; k < samples.size(); ++k)
        ASSERT_FLOAT_EQ(heard.Right(k), Level(samples[k])) << k;
}

TEST(SoundMixer, BuffersOutliveTheirMixerSafely)
{
    auto mixer = std::make_unique<CVKT_SoundMixer>(kRate);
    auto buffer = Make16(*mixer, Ramp(10));
    mixer.reset();
    EXPECT_TRUE(buffer->Play(false));
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING);
    buffer.reset();
}

TEST(SoundMixer, DeviceOutputIsConvertedFromTheLimitedMix)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, {29000, -29000, 1234, -1}, 2);
    mixer.AttachDevice(0, kRate, CVKT_SoundMixer::eOutputFormat::Signed16);
    const size_t lag = mixer.GetLatencyFrames();
    buffer->Play(false);
    std::vector<uint8_t> stream(4 * (lag + 3) + 2, 0xAB);
    mixer.RenderToDevice(stream.data(), stream.size());
    std::vector<int16_t> samples(2 * (lag + 3) + 1);
    std::memcpy(samples.data(), stream.data(), samples.size() * 2);
    EXPECT_EQ(samples[0], 0) << "the look-ahead starts as silence";
    EXPECT_EQ(samples[2 * lag], 29000);
    EXPECT_EQ(samples[2 * lag + 1], -29000);
    EXPECT_EQ(samples[2 * lag + 2], 1234);
    EXPECT_EQ(samples[2 * lag + 3], -1);
    EXPECT_EQ(samples[2 * lag + 4], 0);
    EXPECT_EQ(samples[2 * lag + 6], 0) << "a partial frame at the end stays silent";

    mixer.AttachDevice(0, kRate, CVKT_SoundMixer::eOutputFormat::Float32);
    buffer->Play(false);
    std::vector<float> floats(2 * (lag + 1));
    mixer.RenderToDevice(reinterpret_cast<uint8_t*>(floats.data()), floats.size() * sizeof(float));
    EXPECT_EQ(floats[2 * lag], Level(29000));
    EXPECT_EQ(floats[2 * lag + 1], Level(-29000));
}

} // namespace
