#include "Music.h"

#include "CScore.h"
#include "WaveFile.h"

#include <string>
#include <vector>

namespace assetgen
{
namespace
{
constexpr int kMenuBars = 16;
// Both themes are mastered to the same integrated loudness, the level streaming services play music
// at, with room under the largest sample for the peaks between samples.
constexpr double kMusicLufs = -16.0;
constexpr double kMusicPeakDb = -1.5;

double MusicGain(const tStereo& mix)
{
    return MasteringGain(IntegratedLoudness(mix), kMusicLufs, Peak(mix), FromDecibels(kMusicPeakDb));
}

// The menu theme written once, starting at `bar`.
void MenuPass(CScore& score, int bar)
{
    const std::vector<std::string> chords = {"Am", "F", "C",  "G",  "Am", "F", "G", "E",
                                             "F",  "G", "Em", "Am", "F",  "G", "E", "E7"};
    score.PadChords(bar, chords, 0.9);
    score.Arpeggio(bar, chords, 4, 0.55, 0.35);
    score.BassLine(bar + 4, std::vector<std::string>(chords.begin() + 4, chords.end()), 0.8);
    const char* const melody[kMenuBars] = {
        "A4/4 C5/2 E5/2 D5/4 C5/4", "C5/6 A4/2 F4/4 A4/4", "G4/4 C5/2 E5/2 G5/4 E5/4", "D5/8 B4/4 G4/4",
        "E5/4 A5/4 G5/2 E5/2 C5/4", "D5/4 C5/2 A4/2 F5/8", "E5/4 D5/4 B4/4 G4/4",      "G#4/8 B4/4 E5/4",
        "A5/6 G5/2 F5/4 E5/4",      "D5/6 E5/2 F5/4 G5/4", "E5/4 B4/4 G5/4 E5/4",      "A5/12 r/4",
        "F5/4 E5/4 D5/4 C5/4",      "B4/4 C5/4 D5/4 G5/4", "E5/4 D5/4 B4/4 G#4/4",     "E5/12 r/4"};
    for (int i = 0; i < kMenuBars; ++i)
    {
        // The tune comes in softly on the flute and the lead takes it over from the ninth bar.
        const bool lead = i >= 8;
        score.Melody(lead ? eInstrument::Lead : eInstrument::Flute, bar + i, melody[i], lead ? 0.85 : 0.9,
                     -0.1, 0.45);
    }
    score.Drums(eInstrument::Hat, bar, 4, "..o...o...o...o.", 0.6, 0.3);
    score.Drums(eInstrument::Kick, bar + 4, 12, "x.......x..x....", 0.85, 0.0);
    score.Drums(eInstrument::Snare, bar + 4, 12, "....x.......x...", 0.7, 0.05);
    score.Drums(eInstrument::Hat, bar + 4, 12, "x.o.x.o.x.o.x.oo", 0.55, 0.3);
    score.Hit(eInstrument::Crash, bar + 8, 0, 0.6);
}

void LevelIntro(CScore& score, int bar)
{
    const std::vector<std::string> chords = {"D", "A", "Bm", "G"};
    score.BassLine(bar, chords, 0.85);
    score.Drums(eInstrument::Kick, bar, 4, "x...x...x...x...", 0.9, 0.0);
    score.Drums(eInstrument::Hat, bar + 2, 2, "..x...x...x...x.", 0.6, 0.3);
    score.Drums(eInstrument::Snare, bar + 3, 1, "....x.......x.xx", 0.7, 0.05);
}

void LevelGroove(CScore& score, int bar, int bars)
{
    score.Drums(eInstrument::Kick, bar, bars, "x.....x.x.......", 0.9, 0.0);
    score.Drums(eInstrument::Snare, bar, bars, "....x.......x..o", 0.75, 0.05);
    score.Drums(eInstrument::Hat, bar, bars, "x.xox.xox.xox.xo", 0.5, 0.3);
    score.Drums(eInstrument::OpenHat, bar, bars, "......x.......x.", 0.35, -0.3);
}

void LevelVerse(CScore& score, int bar)
{
    const std::vector<std::string> chords = {"D", "A", "Bm", "G", "D", "A", "Bm", "G"};
    score.PadChords(bar, chords, 0.7);
    score.BassLine(bar, chords, 0.85);
    score.Arpeggio(bar, chords, 4, 0.4, 0.4);
    const char* const tune[8] = {"F#5/4 A5/4 F#5/2 E5/2 D5/4", "E5/6 C#5/2 A4/8",
                                 "D5/4 F#5/4 B5/4 A5/4",       "G5/8 F#5/4 E5/4",
                                 "F#5/4 A5/4 D6/4 A5/4",       "C#6/4 B5/2 A5/2 E5/8",
                                 "F#5/4 E5/2 D5/2 B4/4 D5/4",  "D5/4 E5/4 F#5/4 E5/4"};
    for (int i = 0; i < 8; ++i)
        score.Melody(eInstrument::Lead, bar + i, tune[i], 0.9, -0.1, 0.35);
    LevelGroove(score, bar, 8);
    score.Hit(eInstrument::Crash, bar, 0, 0.7);
}

// The chorus, whole (8 bars) or its first half (4 bars).
void LevelChorus(CScore& score, int bar, int bars)
{
    std::vector<std::string> chords = {"G", "A", "F#m", "Bm", "G", "A", "F#m", "A"};
    chords.resize(static_cast<size_t>(bars));
    score.PadChords(bar, chords, 0.75);
    score.BassLine(bar, chords, 0.85);
    score.Arpeggio(bar, chords, 5, 0.35, -0.4);
    const char* const tune[8] = {
        "B4/4 D5/4 G5/6 F#5/2", "E5/4 C#5/4 A4/8",      "C#5/4 F#5/4 A5/4 F#5/4", "B5/12 A5/4",
        "G5/4 F#5/4 E5/4 D5/4", "E5/4 F#5/4 G5/4 A5/4", "F#5/4 E5/4 C#5/4 A4/4",  "E5/8 A5/8"};
    for (int i = 0; i < bars; ++i)
        score.Melody(eInstrument::Lead, bar + i, tune[i], 0.9, -0.1, 0.35);
    if (bars == 8)
        score.Melody(eInstrument::Flute, bar + 4, "B5/16 C#6/16 A5/16 C#6/16", 0.45, 0.4, 0.5);
    LevelGroove(score, bar, bars);
    score.Hit(eInstrument::Crash, bar, 0, 0.7);
}

void LevelBridge(CScore& score, int bar)
{
    const std::vector<std::string> chords = {"Em", "G", "A", "A"};
    score.PadChords(bar, chords, 0.85);
    score.Arpeggio(bar, chords, 4, 0.5, 0.3);
    score.Melody(eInstrument::Flute, bar, "B4/16 D5/16 E5/16 A5/8 G5/4 F#5/4", 0.8, -0.1, 0.55);
    score.Drums(eInstrument::Kick, bar, 3, "x...x...x...x...", 0.8, 0.0);
    score.Drums(eInstrument::Snare, bar + 3, 1, "x.x.x.x.xxxxxxxx", 0.6, 0.05);
}

void LevelOutro(CScore& score, int bar)
{
    const std::vector<std::string> chords = {"D", "G", "A"};
    score.PadChords(bar, chords, 0.8);
    score.BassLine(bar, chords, 0.8);
    score.Melody(eInstrument::Lead, bar, "F#5/4 A5/4 D6/8", 0.85, -0.1, 0.4);
    score.Melody(eInstrument::Lead, bar + 1, "B5/4 A5/4 G5/4 B5/4", 0.85, -0.1, 0.4);
    score.Melody(eInstrument::Lead, bar + 2, "A5/4 C#6/4 E6/4 C#6/4", 0.85, -0.1, 0.4);
    LevelGroove(score, bar, 3);
    // Final chord, held to the end.
    score.Melody(eInstrument::Pad, bar + 3, "D3/16", 1.0, 0.0, 0.5);
    score.Melody(eInstrument::Pad, bar + 3, "A3/16", 1.0, -0.4, 0.5);
    score.Melody(eInstrument::Pad, bar + 3, "F#4/16", 1.0, 0.4, 0.5);
    score.Melody(eInstrument::Lead, bar + 3, "D6/12", 0.8, -0.1, 0.5);
    score.Hit(eInstrument::Kick, bar + 3, 0, 1.0);
    score.Hit(eInstrument::Crash, bar + 3, 0, 0.8);
}
} // namespace

bool WriteMenuTheme(const tOutput& out)
{
    CScore score(96.0);
    const double loopSeconds = score.BarSeconds() * kMenuBars;
    score.SetSeedPeriod(loopSeconds);
    // Written twice and the second pass kept: its opening already carries the echoes and reverb of the
    // loop's end, so the file joins its own end seamlessly.
    MenuPass(score, 0);
    MenuPass(score, kMenuBars);
    const tStereo both = score.Render(loopSeconds * 2.0);
    const size_t loopFrames = both.Frames() / 2;
    tStereo second;
    second.left.assign(both.left.begin() + static_cast<std::ptrdiff_t>(loopFrames), both.left.end());
    second.right.assign(both.right.begin() + static_cast<std::ptrdiff_t>(loopFrames), both.right.end());
    return WriteWave(out.Sound("OxM_ZORIRED_theme.wav"), Interleave(second, MusicGain(second)), 2,
                     kSampleRate);
}

bool WriteLevelTheme(const tOutput& out)
{
    // 40 bars at this tempo last exactly as long as a level.
    const double beatsPerMinute = 40.0 * 4.0 * 60.0 / kLevelSeconds;
    CScore score(beatsPerMinute);
    LevelIntro(score, 0);
    LevelVerse(score, 4);
    LevelChorus(score, 12, 8);
    LevelVerse(score, 20);
    LevelBridge(score, 28);
    LevelChorus(score, 32, 4);
    LevelOutro(score, 36);
    const tStereo rendered = score.Render(kLevelSeconds);
    std::vector<float> mix = Interleave(rendered, MusicGain(rendered));
    FadeEnds(mix, 2, static_cast<size_t>(0.005 * kSampleRate), static_cast<size_t>(1.5 * kSampleRate));
    return WriteWave(out.Sound("OxM_PALLET_theme.wav"), mix, 2, kSampleRate);
}
} // namespace assetgen
