// The resource generator's building blocks: the picture writers and their colour-key handling, the
// random numbers and noise, the synthesiser's oscillators, envelope and effects, the wave writer, and
// the sequencer's reading of note texts, chords and drum patterns; and the application icons.
#include "CCanvas.h"
#include "CRandom.h"
#include "CScore.h"
#include "CValueNoise.h"
#include "Dsp.h"
#include "IconArt.h"
#include "Files.h"
#include "ScopedTempDir.h"
#include "WaveFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace
{
using namespace assetgen;

// The pixels of a written picture as the game's loader decodes them (ARGB).
std::vector<uint32_t> Decode(const std::string& path, int* width, int* height)
{
    std::vector<uint32_t> pixels;
    SDL_Surface* decoded = IMG_Load(path.c_str());
    if (!decoded)
        return pixels;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    *width = argb->w;
    *height = argb->h;
    for (int y = 0; y < argb->h; ++y)
    {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(argb->pixels) + y * argb->pitch);
        pixels.insert(pixels.end(), row, row + argb->w);
    }
    SDL_FreeSurface(argb);
    return pixels;
}

// A 4 x 2 picture: transparent, opaque white, opaque black, half-covered red; then a blue row.
void PaintSample(CCanvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    auto pixel = [cr](int x, int y, double r, double g, double b, double a)
    {
        cairo_rectangle(cr, x, y, 1, 1);
        cairo_set_source_rgba(cr, r, g, b, a);
        cairo_fill(cr);
    };
    pixel(1, 0, 1, 1, 1, 1);
    pixel(2, 0, 0, 0, 0, 1);
    pixel(3, 0, 1, 0, 0, 0.5);
    for (int x = 0; x < 4; ++x)
        pixel(x, 1, 0, 0, 1, 1);
}

TEST(AssetCanvas, PngForAWhiteKeyFillsTheTransparencyAndKeepsVisiblePixelsVisible)
{
    headless::ScopedTempDir dir;
    CCanvas canvas(4, 2);
    PaintSample(canvas);
    ASSERT_TRUE(canvas.SavePng(dir / "w.png", eColorKey::White));
    int w = 0;
    int h = 0;
    const std::vector<uint32_t> p = Decode(dir / "w.png", &w, &h);
    ASSERT_EQ(p.size(), 8u);
    EXPECT_EQ(p[0], 0xFFFFFFFFu); // transparent became the key
    EXPECT_NE(p[1], 0xFFFFFFFFu); // drawn white must not vanish under the key
    EXPECT_EQ(p[1] >> 24, 0xFFu);
    EXPECT_EQ(p[2], 0xFF000000u); // black is not this picture's key
    EXPECT_EQ(p[3] >> 24, 128u);  // soft edges keep their alpha
    EXPECT_EQ((p[3] >> 16) & 0xFF, 255u);
    EXPECT_EQ(p[4], 0xFF0000FFu);
}

TEST(AssetCanvas, PngForABlackKeyAndWithoutAKey)
{
    headless::ScopedTempDir dir;
    CCanvas canvas(4, 2);
    PaintSample(canvas);
    ASSERT_TRUE(canvas.SavePng(dir / "k.png", eColorKey::Black));
    ASSERT_TRUE(canvas.SavePng(dir / "n.png", eColorKey::None));
    int w = 0;
    int h = 0;
    const std::vector<uint32_t> keyed = Decode(dir / "k.png", &w, &h);
    ASSERT_EQ(keyed.size(), 8u);
    EXPECT_EQ(keyed[0], 0xFF000000u);
    EXPECT_EQ(keyed[1], 0xFFFFFFFFu);
    EXPECT_NE(keyed[2], 0xFF000000u);
    EXPECT_EQ(keyed[2] >> 24, 0xFFu);
    const std::vector<uint32_t> plain = Decode(dir / "n.png", &w, &h);
    ASSERT_EQ(plain.size(), 8u);
    EXPECT_EQ(plain[0] >> 24, 0u);
    EXPECT_EQ(plain[2], 0xFF000000u);
}

TEST(AssetCanvas, BmpIsUprightWithTheKeyWhereThePictureIsMostlyEmpty)
{
    headless::ScopedTempDir dir;
    CCanvas canvas(4, 2);
    PaintSample(canvas);
    ASSERT_TRUE(canvas.SaveBmp(dir / "b.bmp", eColorKey::White));
    int w = 0;
    int h = 0;
    const std::vector<uint32_t> p = Decode(dir / "b.bmp", &w, &h);
    ASSERT_EQ(w, 4);
    ASSERT_EQ(h, 2);
    EXPECT_EQ(p[0], 0xFFFFFFFFu);
    EXPECT_NE(p[1], 0xFFFFFFFFu);
    EXPECT_EQ(p[2], 0xFF000000u);
    EXPECT_EQ(p[3], 0xFFFF0000u); // half covered counts as drawn, at its own colour
    EXPECT_EQ(p[4], 0xFF0000FFu); // the bottom row stays at the bottom
    // 3-byte rows padded to 4: 54-byte header plus 2 rows of 12 bytes.
    EXPECT_EQ(headless::ReadFile(dir / "b.bmp").size(), 54u + 24u);
}

TEST(AssetRandom, IsReproducibleAndStaysInRange)
{
    CRandom a(42);
    CRandom b(42);
    CRandom c(43);
    std::set<int> seen;
    bool differs = false;
    for (int i = 0; i < 2000; ++i)
    {
        const int value = a.Int(-3, 3);
        EXPECT_EQ(value, b.Int(-3, 3));
        EXPECT_GE(value, -3);
        EXPECT_LE(value, 3);
        seen.insert(value);
        const double u = a.Uniform();
        b.Uniform();
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
        const uint64_t fromA = a.Next();
        EXPECT_EQ(fromA, b.Next());
        differs = differs || c.Next() != fromA;
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_TRUE(differs);
}

TEST(AssetNoise, PeriodicNoiseRepeatsAndStaysInRange)
{
    const CValueNoise noise(7, 5, 8);
    for (double x = 0.0; x < 5.0; x += 0.37)
    {
        for (double y = 0.0; y < 8.0; y += 0.41)
        {
            EXPECT_NEAR(noise.Value(x, y), noise.Value(x + 5.0, y), 1e-12);
            EXPECT_NEAR(noise.Value(x, y), noise.Value(x, y + 8.0), 1e-12);
            EXPECT_NEAR(noise.Fractal(x, y, 3), noise.Fractal(x, y + 8.0, 3), 1e-12);
            EXPECT_LE(std::fabs(noise.Fractal(x, y, 4)), 1.0);
        }
    }
    const CValueNoise open(7);
    EXPECT_NE(open.Value(0.5, 0.5), open.Value(5.5, 0.5));
}

double Mean(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double v : values)
        sum += v;
    return sum / static_cast<double>(values.size());
}

TEST(AssetOscillators, PitchIsRightAndWaveformsAreCentred)
{
    const int second = kSampleRate;
    COscillator sine;
    COscillator saw;
    COscillator pulse;
    std::vector<double> s(second);
    std::vector<double> w(second);
    std::vector<double> p(second);
    for (int i = 0; i < second; ++i)
    {
        s[i] = sine.Sine(440.0);
        w[i] = saw.Saw(440.0);
        p[i] = pulse.Pulse(440.0, 0.25);
    }
    int upward = 0;
    for (int i = 1; i < second; ++i)
        upward += (s[i - 1] < 0.0 && s[i] >= 0.0) ? 1 : 0;
    EXPECT_NEAR(upward, 440, 1);
    // A narrow pulse would sit at -0.5 on average without its correction.
    EXPECT_NEAR(Mean(p), 0.0, 0.01);
    EXPECT_NEAR(Mean(w), 0.0, 0.01);
    EXPECT_NEAR(MidiToHz(69.0), 440.0, 1e-9);
    EXPECT_NEAR(MidiToHz(81.0), 880.0, 1e-9);
}

TEST(AssetEnvelope, RisesHoldsAndReleasesToSilence)
{
    const tEnvelope env{0.1, 0.2, 0.5, 0.4};
    EXPECT_DOUBLE_EQ(env.Level(0.0, 1.0), 0.0);
    EXPECT_NEAR(env.Level(0.05, 1.0), 0.5, 1e-12);
    EXPECT_NEAR(env.Level(0.1, 1.0), 1.0, 1e-12);
    EXPECT_NEAR(env.Level(0.2, 1.0), 0.75, 1e-12);
    EXPECT_NEAR(env.Level(0.8, 1.0), 0.5, 1e-12);
    EXPECT_NEAR(env.Level(1.2, 1.0), 0.25, 1e-12);
    EXPECT_NEAR(env.Level(1.4, 1.0), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(env.Level(3.0, 1.0), 0.0);
    // A note released during its attack fades from where it got to, not from full.
    EXPECT_NEAR(env.Level(0.05 + 0.2, 0.05), 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(env.TotalLength(1.0), 1.4);
}

TEST(AssetEffects, EchoReturnsOnTheOtherSideAndFades)
{
    tStereo send;
    tStereo out;
    send.Resize(1000);
    out.Resize(1000);
    send.left[0] = 1.0f;
    const double delay = 100.0 / kSampleRate;
    AddEcho(send, out, delay, 0.5, 1.0);
    EXPECT_FLOAT_EQ(out.right[100], 1.0f);
    EXPECT_FLOAT_EQ(out.left[100], 0.0f);
    EXPECT_FLOAT_EQ(out.left[200], 0.5f);
    EXPECT_FLOAT_EQ(out.right[300], 0.25f);
    EXPECT_FLOAT_EQ(out.left[0], 0.0f);
}

TEST(AssetEffects, DcIsRemovedFadesReachZeroAndGainsScaleThePeak)
{
    tStereo mix;
    mix.Resize(static_cast<size_t>(kSampleRate));
    for (size_t i = 0; i < mix.Frames(); ++i)
    {
        mix.left[i] = 0.5f + 0.25f * static_cast<float>(std::sin(i * 0.05));
        mix.right[i] = -0.3f;
    }
    RemoveDc(mix);
    double tail = 0.0;
    for (size_t i = mix.Frames() - 4410; i < mix.Frames(); ++i)
        tail += mix.left[i] + mix.right[i];
    EXPECT_NEAR(tail / 4410.0, 0.0, 0.01);
    std::vector<float> interleaved = Interleave(mix, 0.8 / Peak(mix));
    float peak = 0.0f;
    for (float v : interleaved)
        peak = std::max(peak, std::fabs(v));
    EXPECT_NEAR(peak, 0.8f, 1e-6);
    FadeEnds(interleaved, 2, 100, 100);
    EXPECT_EQ(interleaved[0], 0.0f);
    EXPECT_EQ(interleaved[1], 0.0f);
    EXPECT_EQ(interleaved[interleaved.size() - 1], 0.0f);
    EXPECT_EQ(interleaved[interleaved.size() - 2], 0.0f);
}

// seconds of a 997 Hz sine of `level` on both sides, after `silence` seconds of silence: the
// loudness standard's calibration tone.
tStereo Tone(double seconds, double level, double silence = 0.0)
{
    tStereo mix;
    const auto start = static_cast<size_t>(silence * kSampleRate);
    mix.Resize(start + static_cast<size_t>(seconds * kSampleRate));
    for (size_t i = start; i < mix.Frames(); ++i)
        mix.left[i] = mix.right[i] =
            static_cast<float>(level * std::sin(2.0 * M_PI * 997.0 * i / kSampleRate));
    return mix;
}

TEST(AssetLoudness, TheMeterReadsTheCalibrationToneAndGatesSilence)
{
    // A sine at -20 dBFS on both sides reads -20 LUFS. Silence before it is gated out (counted, 15 s
    // would read 4.8 LU lower); of the 50 blocks of 400 ms that reach into the tone, three only partly.
    EXPECT_NEAR(IntegratedLoudness(Tone(5.0, 0.1)), -20.0, 0.05);
    EXPECT_NEAR(IntegratedLoudness(Tone(5.0, 0.1, 10.0)), -20.0 + 10.0 * std::log10(48.5 / 50.0), 0.05);
    EXPECT_NEAR(LoudestMomentary(Tone(5.0, 0.1, 10.0)), -20.0, 0.05);
    // A 200 ms burst fills half of the loudest 400 ms window; it is too short for a gating block.
    EXPECT_NEAR(LoudestMomentary(Tone(0.2, 0.1)), -20.0 - 10.0 * std::log10(2.0), 0.05);
    EXPECT_EQ(IntegratedLoudness(Tone(0.2, 0.1)), -HUGE_VAL);
}

TEST(AssetLoudness, MasteringReachesTheTargetUnlessThePeakWouldPassItsCeiling)
{
    EXPECT_NEAR(MasteringGain(-20.0, -16.0, 0.5, 1.0), FromDecibels(4.0), 1e-12);
    EXPECT_NEAR(MasteringGain(-20.0, -16.0, 0.8, 0.9), 0.9 / 0.8, 1e-12);
}

TEST(AssetFilters, SteepFiltersKeepTheirBandAndCutBeyondIt)
{
    struct Case
    {
        bool high;
        double cutoff;
        double hz;
        double lowestDb;
        double highestDb;
    } cases[] = {
        {true, 40.0, 25.0, -99.0, -15.0}, // the music's floor: a sub-octave under it is gone
        {true, 40.0, 80.0, -0.5, 0.1},
        {false, 11000.0, 16000.0, -99.0, -12.0}, // the cymbals' top
        {false, 11000.0, 5000.0, -0.5, 0.1},
    };
    for (const Case& c : cases)
    {
        CSteepFilter filter = c.high ? CSteepFilter::HighPass(c.cutoff) : CSteepFilter::LowPass(c.cutoff);
        double peak = 0.0;
        for (int i = 0; i < 2 * kSampleRate; ++i)
        {
            const double out = filter.Process(std::sin(2.0 * M_PI * c.hz * i / kSampleRate));
            if (i >= kSampleRate)
                peak = std::max(peak, std::fabs(out));
        }
        const double db = 20.0 * std::log10(peak);
        EXPECT_GE(db, c.lowestDb) << c.cutoff << " at " << c.hz;
        EXPECT_LE(db, c.highestDb) << c.cutoff << " at " << c.hz;
    }
}

TEST(AssetWave, WritesSixteenBitPcmThatDecodesBack)
{
    headless::ScopedTempDir dir;
    const std::vector<float> samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f};
    ASSERT_TRUE(WriteWave(dir / "t.wav", samples, 2, 22050));
    const std::string bytes = headless::ReadFile(dir / "t.wav");
    ASSERT_EQ(bytes.size(), 44u + 12u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(bytes.substr(36, 4), "data");
    SDL_AudioSpec format;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV((dir / "t.wav").c_str(), &format, &buffer, &length), nullptr) << SDL_GetError();
    EXPECT_EQ(format.freq, 22050);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.format, AUDIO_S16LSB);
    ASSERT_EQ(length, 12u);
    const auto* pcm = reinterpret_cast<const int16_t*>(buffer);
    EXPECT_EQ(pcm[1], 16384);
    EXPECT_EQ(pcm[2], -16384);
    EXPECT_EQ(pcm[3], 32767);
    EXPECT_EQ(pcm[4], -32767);
    EXPECT_EQ(pcm[5], 32767); // clamped
    SDL_FreeWAV(buffer);
}

TEST(AssetScore, NoteNamesMapToMidiNumbers)
{
    EXPECT_EQ(ParseNote("C4"), 60.0);
    EXPECT_EQ(ParseNote("A4"), 69.0);
    EXPECT_EQ(ParseNote("F#5"), 78.0);
    EXPECT_EQ(ParseNote("Bb3"), 58.0);
    EXPECT_EQ(ParseNote("C-1"), 0.0);
}

TEST(AssetScore, MelodyTextPlacesNotesOnTheStepGrid)
{
    CScore score(120.0); // a step is 0.125 s, a bar 2 s
    score.Melody(eInstrument::Lead, 2, "E5/4 r/2 G5/2 C6/8", 0.9, 0.0, 0.0);
    const std::vector<tNote>& notes = score.Notes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_DOUBLE_EQ(notes[0].start, 4.0);
    EXPECT_DOUBLE_EQ(notes[1].start, 4.0 + 6 * 0.125);
    EXPECT_DOUBLE_EQ(notes[2].start, 4.0 + 8 * 0.125);
    EXPECT_EQ(notes[2].midi, 84.0);
    // Held a little short of the full length, so repeated notes are heard as separate.
    EXPECT_GT(notes[0].length, 0.4);
    EXPECT_LT(notes[0].length, 0.5);
}

TEST(AssetScore, ChordsAreVoicedAroundMiddleC)
{
    CScore score(120.0);
    score.PadChords(0, {"Am", "F#", "E7"}, 1.0);
    const std::vector<tNote>& notes = score.Notes();
    ASSERT_EQ(notes.size(), 3u + 3u + 4u);
    std::set<int> am;
    for (size_t i = 0; i < 3; ++i)
    {
        am.insert(static_cast<int>(notes[i].midi) % 12);
        EXPECT_GE(notes[i].midi, 55.0);
        EXPECT_LE(notes[i].midi, 66.0);
    }
    EXPECT_EQ(am, (std::set<int>{9, 0, 4})); // A C E
    std::set<int> fSharp;
    for (size_t i = 3; i < 6; ++i)
        fSharp.insert(static_cast<int>(notes[i].midi) % 12);
    EXPECT_EQ(fSharp, (std::set<int>{6, 10, 1}));       // F# A# C#
    EXPECT_EQ(static_cast<int>(notes[9].midi) % 12, 2); // the seventh of E is D
    EXPECT_DOUBLE_EQ(notes[6].start, 2 * score.BarSeconds());
}

TEST(AssetScore, DrumPatternsHitOnTheirStepsInEveryBar)
{
    CScore score(120.0);
    score.Drums(eInstrument::Kick, 1, 2, "x...o.......x...", 1.0, 0.0);
    const std::vector<tNote>& notes = score.Notes();
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_DOUBLE_EQ(notes[0].start, 16 * 0.125);
    EXPECT_DOUBLE_EQ(notes[1].start, 20 * 0.125);
    EXPECT_DOUBLE_EQ(notes[1].velocity, 0.55);
    EXPECT_DOUBLE_EQ(notes[5].start, 44 * 0.125);
}

TEST(AssetScore, NoiseRepeatsWithTheSeedPeriodSoALoopSoundsTheSameTwice)
{
    CScore looped(120.0);
    looped.SetSeedPeriod(4.0);
    looped.Drums(eInstrument::Hat, 0, 4, "x...............", 1.0, 0.0);
    const std::vector<tNote>& notes = looped.Notes();
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].seed, notes[2].seed);
    EXPECT_NE(notes[0].seed, notes[1].seed);
}
} // namespace

// ---- Application icons ----

namespace
{
int Channel(uint32_t argb, int shift)
{
    return static_cast<int>((argb >> shift) & 0xFF);
}

// The largest difference of one colour channel between two opaque pixels.
int Distance(uint32_t a, uint32_t b)
{
    int most = 0;
    for (int shift : {0, 8, 16})
        most = std::max(most, std::abs(Channel(a, shift) - Channel(b, shift)));
    return most;
}
} // namespace

TEST(AssetIcons, EverySizeIsASquareBadgeThatShowsTheSoldier)
{
    headless::ScopedTempDir dir;
    ASSERT_TRUE(WriteIcons(dir.Path(), "app.id"));
    // The soldier's helmet, so that the icon is the game's own bird at every size.
    const uint32_t helmet = 0xFF6E7D36u;
    for (int size : IconSizes())
    {
        const std::string path =
            dir / ("hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/app.id.png");
        int width = 0;
        int height = 0;
        const std::vector<uint32_t> pixels = Decode(path, &width, &height);
        ASSERT_EQ(width, size) << path;
        ASSERT_EQ(height, size) << path;
        EXPECT_EQ(pixels[0] >> 24, 0u) << size << ": the rounded corner is see-through";
        EXPECT_EQ(pixels[size * size - 1] >> 24, 0u) << size;
        EXPECT_EQ(pixels[(size / 2) * size + size / 2] >> 24, 0xFFu) << size << ": the middle is opaque";
        const bool showsHelmet =
            std::any_of(pixels.begin(), pixels.end(),
                        [&](uint32_t p) { return (p >> 24) == 0xFF && Distance(p, helmet) <= 24; });
        EXPECT_TRUE(showsHelmet) << size;
    }
}

TEST(AssetIcons, TheScalableIconDrawsTheSamePictureAsTheLargestPng)
{
    headless::ScopedTempDir dir;
    ASSERT_TRUE(WriteIcons(dir.Path(), "app.id"));
    int width = 0;
    int height = 0;
    const std::vector<uint32_t> svg = Decode(dir / "hicolor/scalable/apps/app.id.svg", &width, &height);
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 256);
    const std::vector<uint32_t> png = Decode(dir / "hicolor/256x256/apps/app.id.png", &width, &height);
    ASSERT_EQ(png.size(), svg.size());
    // Two renderers differ along the edges; the same picture agrees nearly everywhere else.
    size_t differing = 0;
    for (size_t i = 0; i < png.size(); ++i)
        differing += std::abs(Channel(png[i], 24) - Channel(svg[i], 24)) > 64 ||
                     ((png[i] >> 24) == 0xFF && (svg[i] >> 24) == 0xFF && Distance(png[i], svg[i]) > 48);
    EXPECT_LT(differing, png.size() / 50) << differing << " of " << png.size() << " pixels differ";
}
