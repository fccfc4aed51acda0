#include "SoundBench.h"

#include "Files.h"

#include "CVKT_SoundMixer.h"
#include "CVKT_WaveManager.h"

#include <stdexcept>

namespace headless
{
SoundBench::SoundBench(uint32_t nOutputRate) : m_mixer(std::make_unique<CVKT_SoundMixer>(nOutputRate))
{
    if (!Waves()->InitWaveManager(m_window.Get(), m_mixer.get()))
        throw std::runtime_error("the wave manager did not start");
}

SoundBench::~SoundBench()
{
    Waves()->ShutdownWaveManager();
}

CVKT_WaveManager* SoundBench::Waves() const
{
    return CVKT_WaveManager::GetInstance();
}

std::string SoundBench::WriteWave(const std::string& name, const std::string& bytes) const
{
    const std::string path = m_dir / name;
    WriteFile(path, bytes);
    return path;
}

std::vector<float> SoundBench::Pull(size_t nFrames)
{
    std::vector<float> out(2 * nFrames);
    m_mixer->Pull(out.data(), nFrames);
    return out;
}
} // namespace headless
