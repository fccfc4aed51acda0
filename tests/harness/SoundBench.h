// The sound layer's bench, without an audio device: a hidden window on SDL's dummy video driver, a
// software mixer driven by hand, the wave manager started on both, a temporary folder for the WAV
// files a test writes, and every message box text recorded. Everything is shut down again on
// destruction.
#pragma once

#include "HiddenWindow.h"
#include "MessageRecorder.h"
#include "ScopedTempDir.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CVKT_SoundMixer;
class CVKT_WaveManager;

namespace headless
{
class SoundBench
{
public:
    // Throws std::runtime_error when the wave manager does not start.
    explicit SoundBench(uint32_t nOutputRate = 44100);
    ~SoundBench();
    SoundBench(const SoundBench&) = delete;
    SoundBench& operator=(const SoundBench&) = delete;

    CVKT_WaveManager* Waves() const;
    CVKT_SoundMixer& Mixer() const { return *m_mixer; }
    SDL_Window* Window() const { return m_window.Get(); }
    const std::vector<Message>& Messages() const { return m_messages.All(); }
    void ClearMessages() { m_messages.Clear(); }

    // Writes the bytes to a file in the bench's folder; returns its path.
    std::string WriteWave(const std::string& name, const std::string& bytes) const;
    // The next nFrames of mixed stereo output, interleaved.
    std::vector<float> Pull(size_t nFrames);

private:
    ScopedTempDir m_dir;
    HiddenWindow m_window;
    MessageRecorder m_messages;
    std::unique_ptr<CVKT_SoundMixer> m_mixer;
};
} // namespace headless
