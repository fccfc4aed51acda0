// A sound test bench without an audio device: a hidden window on SDL's dummy video driver, a
// software mixer driven by hand, the wave manager started on both, a temporary folder for the WAV
// files a test writes, and a record of every message box text. Everything is shut down again on
// destruction.
#pragma once

#include "CVKT_MessageBox.h"

#include "TestSupport.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CVKT_SoundMixer;
class CVKT_WaveManager;

namespace test
{
struct Message
{
    std::string title;
    std::string text;
};

// Records every CVKT_MessageBox text until it goes.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    const std::vector<Message>& All() const { return m_messages; }
    void Clear()
    {
        m_messages.clear();
        CVKT_MessageBox::ForgetReported();
    }

private:
    std::vector<Message> m_messages;
};

// SDL video (dummy unless a driver is chosen) with one hidden window.
class HiddenWindow
{
public:
    HiddenWindow();
    ~HiddenWindow();
    SDL_Window* Get() const { return m_window; }

private:
    SDL_Window* m_window = nullptr;
};

// Everything a mixer puts out from its creation on (or from the recorder's), read at the frame of
// the mix it came from: what is mixed at frame k is heard the limiter's look-ahead later. Pull moves
// every buffer on by exactly the frames asked for; a frame can be read once its latency has been
// pulled too (Flush).
class MixRecorder
{
public:
    explicit MixRecorder(CVKT_SoundMixer& mixer);
    void Pull(size_t nFrames);
    // Pulls the latency, so that every frame mixed so far can be read.
    void Flush();
    size_t Lag() const { return m_lag; }
    float Left(size_t frame) const { return m_heard.at(2 * (frame + m_lag)); }
    float Right(size_t frame) const { return m_heard.at(2 * (frame + m_lag) + 1); }
    // The largest magnitude of either side over frames first .. first + count - 1.
    float Peak(size_t first, size_t count) const;
    // Frames mixed so far, and of those the ones that can be read.
    size_t Mixed() const { return m_heard.size() / 2; }
    size_t Frames() const { return Mixed() - m_lag; }

private:
    CVKT_SoundMixer& m_mixer;
    size_t m_lag;
    std::vector<float> m_heard;
};

class SoundRig
{
public:
    explicit SoundRig(uint32_t nOutputRate = 44100);
    ~SoundRig();

    CVKT_WaveManager* Waves() const;
    CVKT_SoundMixer& Mixer() const { return *m_mixer; }
    SDL_Window* Window() const { return m_window.Get(); }
    const std::vector<Message>& Messages() const { return m_messages.All(); }
    void ClearMessages() { m_messages.Clear(); }

    // Writes the bytes to a file in the rig's folder; returns its path.
    std::string WriteWave(const std::string& name, const std::string& bytes) const;
    // The next nFrames of mixed stereo output, interleaved.
    std::vector<float> Pull(size_t nFrames);

private:
    ScopedTempDir m_dir;
    HiddenWindow m_window;
    MessageRecorder m_messages;
    std::unique_ptr<CVKT_SoundMixer> m_mixer;
};
} // namespace test
