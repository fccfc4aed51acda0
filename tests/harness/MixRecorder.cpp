#include "MixRecorder.h"

#include "CVKT_SoundMixer.h"

#include <algorithm>
#include <cmath>

namespace headless
{
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
} // namespace headless
