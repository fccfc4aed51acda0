#include "SoundRig.h"

#include "CVKT_MessageBox.h"
#include "CVKT_SoundMixer.h"
#include "CVKT_WaveManager.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace test
{
MessageRecorder::MessageRecorder()
{
    CVKT_MessageBox::SetListener(
        [this](const std::string& title, const std::string& text) {
            m_messages.push_back({title, text});
        });
}

MessageRecorder::~MessageRecorder()
{
    CVKT_MessageBox::SetListener({});
}

HiddenWindow::HiddenWindow()
{
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    m_window = SDL_CreateWindow("sound test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    if (!m_window)
        throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
}

HiddenWindow::~HiddenWindow()
{
    SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SoundRig::SoundRig(uint32_t nOutputRate) : m_mixer(std::make_unique<CVKT_SoundMixer>(nOutputRate))
{
    if (!Waves()->InitWaveManager(m_window.Get(), m_mixer.get()))
        throw std::runtime_error("the wave manager did not start");
}

SoundRig::~SoundRig()
{
    Waves()->ShutdownWaveManager();
}

CVKT_WaveManager* SoundRig::Waves() const
{
    return CVKT_WaveManager::GetInstance();
}

std::string SoundRig::WriteWave(const std::string& name, const std::string& bytes) const
{
    const std::string path = m_dir / name;
    WriteFile(path, bytes);
    return path;
}

MixRecorder::MixRecorder(CVKT_SoundMixer& mixer) : m_mixer(mixer), m_lag(mixer.GetLatencyFrames()) {}

void MixRecorder::Pull(size_t nFrames)
{
    const size_t before = m_heard.size();
    m_heard.resize(before + 2 * nFrames);
    m_mixer.Pull(m_heard.data() + before, nFrames);
}

void MixRecorder::Flush()
{
    Pull(m_lag);
}

float MixRecorder::Peak(size_t first, size_t count) const
{
    float peak = 0.0f;
    for (size_t frame = first; frame < first + count; ++frame)
        peak = std::max({peak, std::fabs(Left(frame)), std::fabs(Right(frame))});
    return peak;
}

std::vector<float> SoundRig::Pull(size_t nFrames)
{
    std::vector<float> out(2 * nFrames);
    m_mixer->Pull(out.data(), nFrames);
    return out;
}
} // namespace test
