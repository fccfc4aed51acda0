// Everything a mixer puts out from the recorder's creation on, read at the frame of the mix it came
// from: what is mixed at frame k is heard the limiter's look-ahead later. Pull moves every buffer on
// by exactly the frames asked for; a frame can be read once its latency has been pulled too (Flush).
#pragma once

#include <cstddef>
#include <vector>

class CVKT_SoundMixer;

namespace headless
{
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
} // namespace headless
