// Arbitrary bytes into the WAV reader. Whatever it accepts becomes a mixer buffer that is played
// for a moment, at a rate, pan and loop flag taken from the input, so that the mixer's reads of
// odd formats and cut-off data are searched as well.
#include "CVKT_SoundMixer.h"
#include "CVKT_WaveReader.h"

#include <cstddef>
#include <cstdint>

namespace
{
void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void PlayBriefly(CVKT_SoundMixer& mixer, const tWaveData& wave, size_t nInputSize)
{
    std::unique_ptr<CVKT_SoundBuffer> buffer =
        mixer.CreateSoundBuffer(wave.format, wave.dwDataLength, wave.samples);
    if (!buffer)
        return;
    // Refused values leave the buffer as it was; both outcomes are fine here.
    buffer->SetFrequency(wave.format.nAvgBytesPerSec);
    buffer->SetPan(static_cast<long>(nInputSize % 20001) - 10000);
    buffer->SetCurrentPosition(static_cast<uint32_t>(nInputSize * 7));
    buffer->Play(nInputSize % 2 == 1);
    std::unique_ptr<CVKT_SoundBuffer> copy = mixer.DuplicateSoundBuffer(*buffer);
    if (copy)
        copy->Play(false);

    static float out[2 * 700];
    mixer.Pull(out, 700);
    for (float sample : out)
        Require(sample >= -1.0f && sample <= 1.0f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tWaveData wave;
    const eWaveReadResult result = CVKT_WaveReader::ReadMemory(data, size, wave);
    // Never more than the input holds, and nothing at all on failure.
    Require(wave.samples.size() <= size);
    Require(result == eWaveReadResult::Ok || wave.samples.empty());
    if (result != eWaveReadResult::Ok)
        return 0;
    Require(wave.samples.size() <= wave.dwDataLength);

    static CVKT_SoundMixer mixer(44100);
    PlayBriefly(mixer, wave, size);
    return 0;
}
