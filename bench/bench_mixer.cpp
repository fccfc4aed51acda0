// What the software mixer costs: 32 overlapping 16-bit voices, each at its own volume and pan,
// mixed into 44.1 kHz stereo in the pieces a device asks for and passed through the master limiter.
// One iteration mixes one second of audio, so the CPU time per iteration is the CPU time per second
// of audio, and "x_realtime" says how many times faster than real time the mixer runs (the target
// is at least 500). The voices' noise lies above zero only, so their sum stays over the limiter's
// ceiling and the limiter works on every frame, its dearest case; "quiet" turns every voice down by
// 30 dB, so that the sum stays under the ceiling and the limiter is only a delay.
// "allocs_per_s" counts heap allocations made while mixing, per second of audio: it must be 0,
// because the audio callback may not allocate.
#include "CVKT_SoundBuffer.h"
#include "CVKT_SoundMixer.h"

#include "AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr uint32_t kOutputRate = 44100;
constexpr int kVoices = 32;
constexpr uint32_t kDeviceFrames = 512;

tWaveFormat Pcm16(uint16_t channels, uint32_t rate)
{
    tWaveFormat format;
    format.wFormatTag = 1;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<uint16_t>(2 * channels);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    return format;
}

// One second of noise-like samples, different for every voice.
std::vector<uint8_t> Noise(uint32_t frames, uint16_t channels, uint32_t seed)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(frames) * channels * 2);
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    {
        state = state * 1664525u + 1013904223u;
        const uint16_t sample = static_cast<uint16_t>(state >> 16) / 4; // 0 to 0.5 of full scale
        bytes[i] = static_cast<uint8_t>(sample & 0xFF);
        bytes[i + 1] = static_cast<uint8_t>(sample >> 8);
    }
    return bytes;
}

// 32 looping voices started at different offsets, with volumes from 0 to -31 dB (below the offset,
// in hundredths of a decibel) and pans across.
std::vector<std::unique_ptr<CVKT_SoundBuffer>> StartVoices(CVKT_SoundMixer& mixer, uint16_t channels,
                                                           uint32_t rate, long lVolumeOffset = 0)
{
    std::vector<std::unique_ptr<CVKT_SoundBuffer>> voices;
    const tWaveFormat format = Pcm16(channels, rate);
    for (int v = 0; v < kVoices; ++v)
    {
        std::vector<uint8_t> bytes = Noise(rate, channels, static_cast<uint32_t>(v));
        const uint32_t size = static_cast<uint32_t>(bytes.size());
        auto voice = mixer.CreateSoundBuffer(format, size, std::move(bytes));
        voice->SetVolume(lVolumeOffset - 100 * v);
        voice->SetPan((v % 9 - 4) * 1000);
        voice->SetCurrentPosition(static_cast<uint32_t>(v) * 997 * format.nBlockAlign);
        voice->Play(true);
        voices.push_back(std::move(voice));
    }
    return voices;
}

void Report(benchmark::State& state, size_t allocations)
{
    state.counters["x_realtime"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["allocs_per_s"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
}

// The main-thread pull into float stereo. Args: source channels, source rate, quiet (1) or not.
void BM_Mix32VoicesPull(benchmark::State& state)
{
    CVKT_SoundMixer mixer(kOutputRate);
    auto voices = StartVoices(mixer, static_cast<uint16_t>(state.range(0)),
                              static_cast<uint32_t>(state.range(1)), state.range(2) ? -3000 : 0);
    std::vector<float> out(2 * kDeviceFrames);
    bench::g_allocations = 0;
    for (auto _ : state)
    {
        {
            bench::CountAllocations counting;
            for (uint32_t done = 0; done < kOutputRate; done += kDeviceFrames)
                mixer.Pull(out.data(), std::min(kDeviceFrames, kOutputRate - done));
        }
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, bench::g_allocations);
}
BENCHMARK(BM_Mix32VoicesPull)
    ->ArgNames({"channels", "rate", "quiet"})
    ->Args({1, 44100, 0})
    ->Args({2, 44100, 0})
    ->Args({2, 44100, 1})
    ->Args({1, 22050, 0})
    ->Args({2, 22050, 0})
    ->Unit(benchmark::kMillisecond);

// The audio callback's path: the same mix converted to the device's format. Arg: 0 float, 1 16-bit.
void BM_Mix32VoicesDevice(benchmark::State& state)
{
    CVKT_SoundMixer mixer(kOutputRate);
    const bool signed16 = state.range(0) == 1;
    mixer.AttachDevice(0, kOutputRate,
                       signed16 ? CVKT_SoundMixer::eOutputFormat::Signed16
                                : CVKT_SoundMixer::eOutputFormat::Float32);
    auto voices = StartVoices(mixer, 2, 44100);
    const uint32_t frameBytes = signed16 ? 4 : 8;
    std::vector<uint8_t> stream(kDeviceFrames * frameBytes);
    bench::g_allocations = 0;
    for (auto _ : state)
    {
        {
            bench::CountAllocations counting;
            for (uint32_t done = 0; done < kOutputRate; done += kDeviceFrames)
                mixer.RenderToDevice(stream.data(), std::min(kDeviceFrames, kOutputRate - done) * frameBytes);
        }
        benchmark::DoNotOptimize(stream.data());
    }
    Report(state, bench::g_allocations);
}
BENCHMARK(BM_Mix32VoicesDevice)->ArgName("s16")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
