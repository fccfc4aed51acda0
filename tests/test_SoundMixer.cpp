// The software mixer and its buffers, driven by hand without a device: what comes out for given
// samples, levels, pans, rates, loops and cut-off data, and how buffers end and signal.
#include "CVKT_SoundBuffer.h"
#include "CVKT_SoundMixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

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

float Left(const std::vector<float>& out, size_t frame)
{
    return out[2 * frame];
}
float Right(const std::vector<float>& out, size_t frame)
{
    return out[2 * frame + 1];
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
    const std::vector<int16_t> stereo = {1000, -2000, 32767, -32768, 0, 5};
    auto buffer = Make16(mixer, stereo, 2);
    ASSERT_TRUE(buffer);
    buffer->Play(false);
    const std::vector<float> out = Pull(mixer, 4);
    for (size_t i = 0; i < stereo.size(); ++i)
        EXPECT_FLOAT_EQ(out[i], Level(stereo[i])) << i;
    EXPECT_EQ(Left(out, 3), 0.0f);
    EXPECT_EQ(Right(out, 3), 0.0f);
}

TEST(SoundMixer, EightBitSamplesAreCentredOn128)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = mixer.CreateSoundBuffer(Pcm(1, kRate, 8), 4, {128, 255, 0, 192});
    ASSERT_TRUE(buffer);
    buffer->Play(false);
    const std::vector<float> out = Pull(mixer, 4);
    EXPECT_EQ(Left(out, 0), 0.0f);
    EXPECT_FLOAT_EQ(Left(out, 1), 127.0f / 128.0f);
    EXPECT_FLOAT_EQ(Left(out, 2), -1.0f);
    EXPECT_FLOAT_EQ(Right(out, 3), 0.5f);
}

TEST(SoundMixer, VolumeAndPanAreDecibelScales)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, std::vector<int16_t>(64, 16384));
    buffer->Play(true);
    const float full = 0.5f;

    ASSERT_TRUE(buffer->SetVolume(-1500));
    std::vector<float> out = Pull(mixer, 4);
    EXPECT_NEAR(Left(out, 0), full * std::pow(10.0f, -0.75f), kTolerance);
    EXPECT_NEAR(Right(out, 0), full * std::pow(10.0f, -0.75f), kTolerance);

    // Pan attenuates the far side only, on top of the volume.
    ASSERT_TRUE(buffer->SetVolume(0));
    ASSERT_TRUE(buffer->SetPan(2000));
    out = Pull(mixer, 4);
    EXPECT_NEAR(Left(out, 0), full * 0.1f, kTolerance);
    EXPECT_NEAR(Right(out, 0), full, kTolerance);

    ASSERT_TRUE(buffer->SetPan(-10000));
    out = Pull(mixer, 4);
    EXPECT_NEAR(Left(out, 0), full, kTolerance);
    EXPECT_EQ(Right(out, 0), 0.0f);

    ASSERT_TRUE(buffer->SetPan(0));
    ASSERT_TRUE(buffer->SetVolume(-10000));
    out = Pull(mixer, 4);
    EXPECT_EQ(Left(out, 0), 0.0f);
    EXPECT_EQ(Right(out, 0), 0.0f);

    // Out of range: refused, nothing changes.
    EXPECT_FALSE(buffer->SetVolume(1));
    EXPECT_FALSE(buffer->SetVolume(-10001));
    EXPECT_FALSE(buffer->SetPan(10001));
    EXPECT_FALSE(buffer->SetPan(-10001));
    EXPECT_EQ(buffer->GetVolume(), -10000);
    EXPECT_EQ(buffer->GetPan(), 0);
}

TEST(SoundMixer, OneShotStopsRewindsAndSignalsAtItsEnd)
{
    CVKT_SoundMixer mixer(kRate);
    const std::vector<int16_t> ramp = Ramp(100);
    auto buffer = Make16(mixer, ramp);
    buffer->EnableStopNotification();
    buffer->Play(false);

    std::vector<float> out = Pull(mixer, 60);
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING);
    EXPECT_EQ(buffer->GetCurrentPosition(), 120u);
    EXPECT_FALSE(buffer->PollStopNotification());

    out = Pull(mixer, 60);
    EXPECT_FLOAT_EQ(Left(out, 39), Level(ramp[99]));
    EXPECT_EQ(Left(out, 40), 0.0f);
    EXPECT_EQ(Status(*buffer), 0u);
    EXPECT_EQ(buffer->GetCurrentPosition(), 0u);
    EXPECT_TRUE(buffer->PollStopNotification());
    EXPECT_FALSE(buffer->PollStopNotification()) << "the notification resets itself";

    // Played again, it plays from the start.
    buffer->Play(false);
    out = Pull(mixer, 1);
    EXPECT_FLOAT_EQ(Left(out, 0), Level(ramp[0]));
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
    const std::vector<int16_t> ramp = Ramp(100);
    auto buffer = Make16(mixer, ramp);
    buffer->EnableStopNotification();
    buffer->Play(true);
    const std::vector<float> out = Pull(mixer, 250);
    for (size_t k = 0; k < 250; ++k)
        ASSERT_FLOAT_EQ(Left(out, k), Level(ramp[k % 100])) << k;
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING | CVKT_SoundBuffer::STATUS_LOOPING);
    EXPECT_FALSE(buffer->PollStopNotification());
}

TEST(SoundMixer, TwiceTheRatePlaysTwiceAsFast)
{
    CVKT_SoundMixer mixer(kRate);
    const std::vector<int16_t> ramp = Ramp(100);
    auto buffer = Make16(mixer, ramp);
    ASSERT_TRUE(buffer->SetFrequency(2 * kRate));
    EXPECT_EQ(buffer->GetFrequency(), 2 * kRate);
    buffer->Play(false);
    const std::vector<float> out = Pull(mixer, 60);
    for (size_t k = 0; k < 50; ++k)
        ASSERT_FLOAT_EQ(Left(out, k), Level(ramp[2 * k])) << k;
    EXPECT_EQ(Left(out, 50), 0.0f);
    EXPECT_EQ(Status(*buffer), 0u);
}

TEST(SoundMixer, LowerRatesAreInterpolated)
{
    CVKT_SoundMixer mixer(kRate);
    const std::vector<int16_t> ramp = Ramp(10);
    auto buffer = Make16(mixer, ramp, 1, kRate / 2);
    buffer->Play(false);
    const std::vector<float> out = Pull(mixer, 22);
    for (size_t k = 0; k < 9; ++k)
    {
        ASSERT_NEAR(Left(out, 2 * k), Level(ramp[k]), kTolerance) << k;
        ASSERT_NEAR(Left(out, 2 * k + 1), (Level(ramp[k]) + Level(ramp[k + 1])) / 2, kTolerance) << k;
    }
    // The last frame leads into silence, then the buffer ends.
    EXPECT_NEAR(Left(out, 18), Level(ramp[9]), kTolerance);
    EXPECT_NEAR(Left(out, 19), Level(ramp[9]) / 2, kTolerance);
    EXPECT_EQ(Left(out, 20), 0.0f);
    EXPECT_EQ(Status(*buffer), 0u);

    // Looping, the last frame leads into the first.
    buffer->Play(true);
    const std::vector<float> looped = Pull(mixer, 22);
    EXPECT_NEAR(Left(looped, 19), (Level(ramp[9]) + Level(ramp[0])) / 2, kTolerance);
    EXPECT_NEAR(Left(looped, 20), Level(ramp[0]), kTolerance);
}

TEST(SoundMixer, AnyRatioFollowsTheLineBetweenNeighbours)
{
    // Irregular samples, stereo, at rates above and below the output rate.
    std::vector<int16_t> samples(2 * 500);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((i * 7919) % 60000 - 30000);
    for (uint32_t rate : {30000u, 33075u, 57000u, 100000u})
    {
        CVKT_SoundMixer mixer(kRate);
        auto buffer = Make16(mixer, samples, 2, rate);
        buffer->Play(false);
        const size_t frames = 400 * kRate / rate;
        const std::vector<float> out = Pull(mixer, frames);
        for (size_t k = 0; k < frames; ++k)
        {
            const double position = static_cast<double>(k) * rate / kRate;
            const size_t i = static_cast<size_t>(position);
            const double t = position - static_cast<double>(i);
            for (size_t side = 0; side < 2; ++side)
            {
                const double a = Level(samples[2 * i + side]);
                const double b = Level(samples[2 * (i + 1) + side]);
                ASSERT_NEAR(out[2 * k + side], a + (b - a) * t, 1e-4) << rate << " frame " << k;
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
    const std::vector<int16_t> ramp = Ramp(50);
    // 200 frames claimed, 50 present.
    auto buffer = Make16(mixer, ramp, 1, kRate, 400);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->GetBufferBytes(), 400u);
    buffer->Play(true);
    const std::vector<float> out = Pull(mixer, 260);
    for (size_t k = 0; k < 260; ++k)
    {
        const float expected = (k % 200) < 50 ? Level(ramp[k % 200]) : 0.0f;
        ASSERT_FLOAT_EQ(Left(out, k), expected) << k;
    }

    // A one-shot plays its silence too before it ends.
    buffer->Play(false);
    Pull(mixer, 139);
    EXPECT_EQ(Status(*buffer), CVKT_SoundBuffer::STATUS_PLAYING);
    Pull(mixer, 1);
    EXPECT_EQ(Status(*buffer), 0u);
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

TEST(SoundMixer, ClipsOnceAtTheOutput)
{
    CVKT_SoundMixer mixer(kRate);
    auto up1 = Make16(mixer, std::vector<int16_t>(8, 32767));
    auto up2 = Make16(mixer, std::vector<int16_t>(8, 32767));
    up1->Play(false);
    up2->Play(false);
    EXPECT_EQ(Left(Pull(mixer, 1), 0), 1.0f);

    // Clipped per voice, this would cancel to 0; summed first, it does not.
    auto down = Make16(mixer, std::vector<int16_t>(8, -32768));
    down->Play(false);
    EXPECT_NEAR(Left(Pull(mixer, 1), 0), Level(32767) * 2 - 1.0f, kTolerance);

    auto down2 = Make16(mixer, std::vector<int16_t>(8, -32768));
    auto down3 = Make16(mixer, std::vector<int16_t>(8, -32768));
    down2->Play(false);
    down3->Play(false);
    EXPECT_EQ(Right(Pull(mixer, 1), 0), -1.0f);
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
    const std::vector<float> out = Pull(mixer, 20);
    for (size_t k = 0; k < 20; ++k)
        ASSERT_FLOAT_EQ(Left(out, k), Level(ramp[k]));
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
    const std::vector<float> out = Pull(mixer, 3000);
    for (size_t k = 0; k < samples.size(); ++k)
        ASSERT_FLOAT_EQ(Right(out, k), Level(samples[k])) << k;
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

TEST(SoundMixer, DeviceOutputIsConvertedFromTheClippedMix)
{
    CVKT_SoundMixer mixer(kRate);
    auto buffer = Make16(mixer, {32767, -32768, 1234, -1}, 2);
    mixer.AttachDevice(0, kRate, CVKT_SoundMixer::eOutputFormat::Signed16);
    buffer->Play(false);
    uint8_t stream[4 * 3 + 2];
    std::memset(stream, 0xAB, sizeof stream);
    mixer.RenderToDevice(stream, sizeof stream);
    int16_t samples[7];
    std::memcpy(samples, stream, sizeof samples);
    EXPECT_EQ(samples[0], 32767);
    EXPECT_EQ(samples[1], -32768);
    EXPECT_EQ(samples[2], 1234);
    EXPECT_EQ(samples[3], -1);
    EXPECT_EQ(samples[4], 0);
    EXPECT_EQ(samples[6], 0) << "a partial frame at the end stays silent";

    mixer.AttachDevice(0, kRate, CVKT_SoundMixer::eOutputFormat::Float32);
    buffer->Play(false);
    float floats[4];
    mixer.RenderToDevice(reinterpret_cast<uint8_t*>(floats), sizeof floats);
    EXPECT_FLOAT_EQ(floats[0], Level(32767));
    EXPECT_FLOAT_EQ(floats[3], Level(-1));
}
} // namespace
