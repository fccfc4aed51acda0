// The frame pacer on simulated time: a clock that moves only when a frame works or the pacer
// sleeps, and a display whose presents either come back at once or wait for its next refresh.
#include "CVKT_FramePacer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
constexpr uint64_t kSecond = 1000000000; // the simulated clock counts nanoseconds
constexpr uint64_t kMillisecond = kSecond / 1000;

class SimulatedClock : public CVKT_FrameClock
{
public:
    uint64_t GetCounter() override
    {
        ++reads;
        return now;
    }
    uint64_t GetFrequency() override { return kSecond; }
    // The system wakes a sleeper a little after the time asked.
    void Sleep(uint64_t nCounts) override { now += nCounts + oversleep; }

    uint64_t now = 0;
    uint64_t oversleep = 0;
    long reads = 0;
};

// One frame loop on the simulated clock: each frame works, presents (a display with a refresh
// rate holds the present until its next refresh), then waits in the pacer.
class SimulatedLoop
{
public:
    SimulatedLoop(int reportedRate, double displayHz) : m_rate(reportedRate), m_displayHz(displayHz) {}

    // Runs frames until the clock reaches `until`; returns the present times.
    std::vector<uint64_t> Run(uint64_t until, uint64_t work, int overrunFrame = -1, uint64_t overrun = 0)
    {
        std::vector<uint64_t> presents;
        for (int frame = 0; clock.now < until; ++frame)
        {
            clock.now += frame == overrunFrame ? overrun : work;
            Present();
            presents.push_back(clock.now);
            pacer.WaitForNextFrame(m_rate);
        }
        return presents;
    }

    SimulatedClock clock;
    CVKT_FramePacer pacer{&clock};

private:
    void Present()
    {
        if (m_displayHz <= 0.0)
            return;
        const uint64_t refresh = static_cast<uint64_t>(kSecond / m_displayHz);
        clock.now = (clock.now / refresh + 1) * refresh;
    }

    int m_rate;
    double m_displayHz;
};

long PresentsBefore(const std::vector<uint64_t>& presents, uint64_t end)
{
    long count = 0;
    for (uint64_t t : presents)
        count += t < end;
    return count;
}

struct RateCase
{
    const char* what;
    int reportedRate;
    double displayHz; // 0: presents come back at once
    uint64_t work;
    uint64_t oversleep;
    long framesPerSecond;
};

class FramePacerRateTest : public ::testing::TestWithParam<RateCase>
{
};
} // namespace

TEST_P(FramePacerRateTest, OneFramePerRefreshSleepingInBetween)
{
    const RateCase& c = GetParam();
    SimulatedLoop loop(c.reportedRate, c.displayHz);
    loop.clock.oversleep = c.oversleep;
    const std::vector<uint64_t> presents = loop.Run(3 * kSecond, c.work);

    // Counted over the third simulated second, after the start has settled.
    const long frames = PresentsBefore(presents, 3 * kSecond) - PresentsBefore(presents, 2 * kSecond);
    EXPECT_NEAR(frames, c.framesPerSecond, 1) << c.what;
    // A pacer that spun on the clock would read it over and over while it waits.
    EXPECT_LE(loop.clock.reads, 4 * static_cast<long>(presents.size())) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Displays, FramePacerRateTest,
    ::testing::Values(
        RateCase{"60 Hz, presents come back at once", 60, 0.0, 3 * kMillisecond, 0, 60},
        RateCase{"60 Hz, the system wakes late", 60, 0.0, 3 * kMillisecond, kMillisecond / 3, 60},
        RateCase{"144 Hz, presents come back at once", 144, 0.0, 2 * kMillisecond, kMillisecond / 10, 144},
        RateCase{"no rate reported: 60 Hz", 0, 0.0, 3 * kMillisecond, 0, 60},
        RateCase{"a negative rate reported: 60 Hz", -1, 0.0, 3 * kMillisecond, 0, 60},
        RateCase{"vertical sync on a 60 Hz display", 60, 60.0, 3 * kMillisecond, 0, 60},
        RateCase{"vertical sync on a 59.94 Hz display that reports 60", 60, 59.94, 3 * kMillisecond, 0, 60},
        RateCase{"vertical sync on a 144 Hz display", 144, 144.0, 2 * kMillisecond, 0, 144}));

TEST(FramePacerTest, APresentThatWaitedForTheDisplayIsNotHeldAgain)
{
    SimulatedLoop loop(60, 60.0);
    const std::vector<uint64_t> presents = loop.Run(kSecond, 3 * kMillisecond);
    const uint64_t refresh = kSecond / 60;
    for (size_t i = 1; i < presents.size(); ++i)
        ASSERT_EQ(presents[i] - presents[i - 1], refresh) << "frame " << i << " missed a refresh";
}

struct OverrunCase
{
    int rate;
    double displayHz;
    uint64_t overrun;
};

class FramePacerOverrunTest : public ::testing::TestWithParam<OverrunCase>
{
};

TEST_P(FramePacerOverrunTest, AnOverrunFrameIsFollowedByANormalOne)
{
    const OverrunCase& c = GetParam();
    SimulatedLoop loop(c.rate, c.displayHz);
    const int overrunFrame = 30;
    const std::vector<uint64_t> presents = loop.Run(kSecond, 2 * kMillisecond, overrunFrame, c.overrun);
    ASSERT_GT(presents.size(), static_cast<size_t>(overrunFrame + 3));

    const uint64_t interval = loop.pacer.GetFrameInterval(c.rate);
    const uint64_t late = presents[overrunFrame] - presents[overrunFrame - 1];
    EXPECT_GT(late, interval) << "the frame did overrun";
    for (int i = overrunFrame + 1; i <= overrunFrame + 2; ++i)
        EXPECT_NEAR(static_cast<double>(presents[i] - presents[i - 1]), static_cast<double>(interval),
                    static_cast<double>(interval) / 32)
            << "frame " << i - overrunFrame << " after the overrun";
}

INSTANTIATE_TEST_SUITE_P(Overruns, FramePacerOverrunTest,
                         ::testing::Values(OverrunCase{60, 0.0, 40 * kMillisecond},
                                           OverrunCase{60, 0.0, 17 * kMillisecond},
                                           OverrunCase{60, 0.0, 33 * kMillisecond},
                                           OverrunCase{144, 0.0, 10 * kMillisecond},
                                           OverrunCase{60, 60.0, 20 * kMillisecond}));
