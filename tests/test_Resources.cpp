// The generated Resource/ folder against what the game does with it: every file the game's code names
// exists and decodes at the size the game cuts from it, pictures carry the transparency their colour key
// needs, the glyph sheets hold every printable character, animations move, the sounds are 16-bit PCM
// that starts and ends cleanly, and the generator writes the same bytes every time.
#include "CReplayFile.h"
#include "CVKT_ResourcePath.h"
#include "CVKT_WaveReader.h"
#include "Files.h"
#include "Picture.h"
#include "ScopedTempDir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

constexpr uint32_t kWhiteKey = 0xFFFFFFFFu;
constexpr uint32_t kBlackKey = 0xFF000000u;

enum class eKind
{
    Image,
    Wave,
    Replay,     // a recorded game copied from data/, not generated
    RuntimeData // written by the game itself, not generated
};

// What the game needs of each file, by its path under Resource/ as the generator spells it. Sizes are
// exact unless a maximum is given (then any size from the minimum up to it) or `orLarger` is set (the
// game cuts rectangles out of it and never reads past the minimum).
struct tRequirement
{
    const char* path;
    eKind kind;
    int width;
    int height;
    bool orLarger;
    int maxWidth;
    int maxHeight;
};

const tRequirement kRequirements[] = {
    {"settings.xml", eKind::RuntimeData, 0, 0, false, 0, 0},
    {"Graphics/OxM_Copperfen_logo.png", eKind::Image, 640, 480, false, 0, 0},
    // The full menu in x 0..639; item k's highlighted look is cut from (641, 222 + 27k, 838, 249 + 27k).
    {"Graphics/OxM_MainMenu.png", eKind::Image, 839, 480, true, 0, 0},
    {"Graphics/OxM_OptionsMenu.png", eKind::Image, 640, 480, false, 0, 0},
    {"Graphics/OxM_OptionsSelection.png", eKind::Image, 426, 65, false, 0, 0},
    {"Graphics/OxM_ControlsMenu.png", eKind::Image, 640, 480, false, 0, 0},
    {"Graphics/OxM_ChangeControls.png", eKind::Image, 640, 480, false, 0, 0},
    {"Graphics/OxM_CreditsMenu.png", eKind::Image, 640, 480, false, 0, 0},
    {"Graphics/OxM_CreditsText.png", eKind::Image, 350, 500, false, 0, 0},
    {"Graphics/OxM_HighScoresMenu.png", eKind::Image, 640, 480, false, 0, 0},
    // Drawn whole at x 598, down from y 396 and mirrored up from y 84: at most 42 x 84.
    {"Graphics/OxM_Arrow.png", eKind::Image, 8, 8, false, 42, 84},
    {"Graphics/OxM_EnterScore.png", eKind::Image, 320, 240, false, 0, 0},
    {"Graphics/OxM_IntroMenu.png", eKind::Image, 640, 480, false, 0, 0},
    {"Graphics/OxM_CaptainChar.png", eKind::Image, 124, 88, false, 0, 0},
    {"Graphics/OxM_TextBox.png", eKind::Image, 480, 88, false, 0, 0},
    {"Graphics/OxM_PauseMenu.png", eKind::Image, 320, 240, false, 0, 0},
    // Drawn whole at (225, 244) and (269, 289): it must stay inside the panel and off the other item.
    {"Graphics/VKT_MenuCursor.png", eKind::Image, 8, 8, false, 64, 45},
    {"Graphics/OxM_HUD.png", eKind::Image, 243, 65, false, 0, 0},
    // The charge bar is cut from it, up to a little over 134 x 4.
    {"Graphics/OxM_White.png", eKind::Image, 150, 4, true, 0, 0},
    {"Graphics/OxM_Level1.png", eKind::Image, 640, 2048, false, 0, 0},
    {"Graphics/OxM_Level2.png", eKind::Image, 640, 2048, false, 0, 0},
    {"Graphics/OxM_Level3.png", eKind::Image, 640, 2048, false, 0, 0},
    {"Graphics/OxM_Clouds.png", eKind::Image, 640, 1024, true, 0, 0},
    // Drawn whole with its top-left at the player's centre - 32.
    {"Graphics/OxM_Bubble.png", eKind::Image, 64, 64, false, 0, 0},
    {"Graphics/OxM_Font2.png", eKind::Image, 320, 120, true, 0, 0},
    {"Graphics/OxM_Font1.png", eKind::Image, 160, 60, true, 0, 0},
    {"Graphics/OxM_PlayerChar.png", eKind::Image, 248, 53, false, 0, 0},
    {"Graphics/OxM_EnemyChar.png", eKind::Image, 1024, 1024, false, 0, 0},
    {"Graphics/OxM_EnemySwimmers.png", eKind::Image, 256, 256, false, 0, 0},
    {"Graphics/OxM_EnemyBirds.png", eKind::Image, 92, 34, false, 0, 0},
    {"Graphics/OxM_PlayerBullet.png", eKind::Image, 16, 32, false, 0, 0},
    {"Graphics/OxM_HunterBullet.bmp", eKind::Image, 24, 26, false, 0, 0},
    {"Graphics/OxM_ProjectileRock.png", eKind::Image, 16, 16, false, 0, 0},
    // Drawn whole, centred on an object of 46 x 34.
    {"Graphics/OxM_PowLife.png", eKind::Image, 46, 34, false, 0, 0},
    {"Graphics/OxM_PowCharge.png", eKind::Image, 46, 34, false, 0, 0},
    // The window's icon: square, as large as docks and task switchers show it.
    {"Graphics/OxM_WindowIcon.png", eKind::Image, 128, 128, false, 0, 0},
    {"Sound/OxM_ZORIRED_theme.wav", eKind::Wave, 0, 0, false, 0, 0},
    {"Sound/OxM_PALLET_theme.wav", eKind::Wave, 0, 0, false, 0, 0},
    {"Sound/VKT_LazerShot.wav", eKind::Wave, 0, 0, false, 0, 0},
    {"Sound/VKT_LazerHit.wav", eKind::Wave, 0, 0, false, 0, 0},
    {"Demos/demo-1.replay", eKind::Replay, 0, 0, false, 0, 0},
    {"Demos/demo-2.replay", eKind::Replay, 0, 0, false, 0, 0},
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ResourceRoot()
{
    return headless::BuildDir() + "/Resource";
}

// The requirement for a name as the code writes it ("resource/graphics/..."), or null.
const tRequirement* FindRequirement(const std::string& nameInCode)
{
    const std::string prefix = "resource/";
    const std::string lowered = Lower(nameInCode);
    if (lowered.compare(0, prefix.size(), prefix) != 0)
        return nullptr;
    const std::string rest = lowered.substr(prefix.size());
    for (const tRequirement& requirement : kRequirements)
    {
        if (Lower(requirement.path) == rest)
            return &requirement;
    }
    return nullptr;
}

// ---- Finding the names in the game's code ----

// The string literals of C++ source text, comments skipped.
std::vector<std::string> StringLiterals(const std::string& source)
{
    std::vector<std::string> literals;
    size_t i = 0;
    while (i < source.size())
    {
        if (source.compare(i, 2, "//") == 0)
        {
            i = source.find('\n', i);
            if (i == std::string::npos)
                break;
        }
        else if (source.compare(i, 2, "/*") == 0)
        {
            i = source.find("*/", i + 2);
            if (i == std::string::npos)
                break;
            i += 2;
        }
        else if (source[i] == '\'')
        {
            // A character literal, possibly an escaped quote.
            i += (i + 1 < source.size() && source[i + 1] == '\\') ? 4 : 3;
        }
        else if (source[i] == '"')
        {
            std::string literal;
            for (++i; i < source.size() && source[i] != '"'; ++i)
            {
                if (source[i] == '\\' && i + 1 < source.size())
                    ++i;
                literal += source[i];
            }
            literals.push_back(literal);
            ++i;
        }
        else
        {
            ++i;
        }
    }
    return literals;
}

// Every "Resource/..." string (any letter case) in the game's sources and headers, as often as it
// is written.
std::vector<std::string> ResourceLiteralsInCode()
{
    std::vector<std::string> literals;
    for (const auto& entry : fs::recursive_directory_iterator(headless::SourceDir() + "/source"))
    {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
            continue;
        for (const std::string& literal : StringLiterals(headless::ReadFile(entry.path().string())))
        {
            if (Lower(literal).rfind("resource/", 0) == 0)
                literals.push_back(literal);
        }
    }
    return literals;
}

std::vector<std::string> ResourceNamesInCode()
{
    const std::vector<std::string> literals = ResourceLiteralsInCode();
    const std::set<std::string> names(literals.begin(), literals.end());
    return std::vector<std::string>(names.begin(), names.end());
}

// ---- Pictures ----

struct tPicture : headless::Picture
{
    bool Loaded() const { return width > 0; }
};

// Decoded as the game decodes it (its own image reader, 32-bit ARGB); empty when it cannot be.
tPicture LoadPicture(const std::string& path)
{
    tPicture picture;
    try
    {
        static_cast<headless::Picture&>(picture) = headless::Picture::Read(path);
    }
    catch (const std::runtime_error&)
    {
    }
    return picture;
}

tPicture Graphic(const std::string& name)
{
    return LoadPicture(ResourceRoot() + "/Graphics/" + name);
}

// What the game sees after keying: key-coloured pixels are transparent.
bool Visible(uint32_t pixel, uint32_t key)
{
    return pixel != key && (pixel >> 24) >= 128;
}

int VisibleCount(const tPicture& picture, int x0, int y0, int width, int height, uint32_t key = 0)
{
    int count = 0;
    for (int y = y0; y < y0 + height; ++y)
    {
        for (int x = x0; x < x0 + width; ++x)
            count += Visible(picture.At(x, y), key) ? 1 : 0;
    }
    return count;
}

std::vector<uint32_t> Cut(const tPicture& picture, int x0, int y0, int width, int height)
{
    std::vector<uint32_t> cell;
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x)
            cell.push_back(picture.At(x, y));
    return cell;
}

double Luminance(uint32_t pixel)
{
    return 0.299 * ((pixel >> 16) & 0xFF) + 0.587 * ((pixel >> 8) & 0xFF) + 0.114 * (pixel & 0xFF);
}

double MeanLuminance(const tPicture& picture, int x0, int y0, int width, int height)
{
    double sum = 0.0;
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x)
            sum += Luminance(picture.At(x, y));
    return sum / (width * height);
}

// ---- Sounds ----

struct tWave
{
    std::string error; // empty when the file is a well-formed 16-bit PCM WAV
    int channels = 0;
    int sampleRate = 0;
    std::vector<int16_t> samples; // interleaved

    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    double Seconds() const { return sampleRate > 0 ? static_cast<double>(Frames()) / sampleRate : 0.0; }
};

tWave Rejected(const char* reason)
{
    tWave wave;
    wave.error = reason;
    return wave;
}

uint32_t Little(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

// The layout the game's wave reader accepts: RIFF/WAVE, "fmt " as the first chunk, PCM, then chunks up to
// "data". Here additionally 16 bits, mono or stereo, 22050 or 44100 Hz, and a data chunk that the file
// really holds.
tWave ReadWave(const std::string& path)
{
    tWave wave;
    const std::string bytes = headless::ReadFile(path);
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return Rejected("not RIFF/WAVE");
    if (bytes.compare(12, 4, "fmt ") != 0 || Little(bytes, 16, 4) < 16)
        return Rejected("first chunk is not a format chunk");
    const uint32_t formatSize = Little(bytes, 16, 4);
    const uint32_t tag = Little(bytes, 20, 2);
    wave.channels = static_cast<int>(Little(bytes, 22, 2));
    wave.sampleRate = static_cast<int>(Little(bytes, 24, 4));
    const uint32_t byteRate = Little(bytes, 28, 4);
    const uint32_t blockAlign = Little(bytes, 32, 2);
    const uint32_t bits = Little(bytes, 34, 2);
    if (tag != 1 || bits != 16)
        return Rejected("not 16-bit PCM");
    if ((wave.channels != 1 && wave.channels != 2) || (wave.sampleRate != 22050 && wave.sampleRate != 44100))
        return Rejected("unexpected channels or rate");
    if (blockAlign != static_cast<uint32_t>(wave.channels) * 2 || byteRate != blockAlign * wave.sampleRate)
        return Rejected("inconsistent block align or byte rate");
    size_t at = 20 + formatSize;
    while (at + 8 <= bytes.size() && bytes.compare(at, 4, "data") != 0)
        at += 8 + Little(bytes, at + 4, 4);
    if (at + 8 > bytes.size())
        return Rejected("no data chunk");
    const uint32_t dataSize = Little(bytes, at + 4, 4);
    if (at + 8 + dataSize > bytes.size() || dataSize % blockAlign != 0 || dataSize == 0)
        return Rejected("data chunk does not match the file");
    wave.samples.resize(dataSize / 2);
    std::memcpy(wave.samples.data(), bytes.data() + at + 8, dataSize);
    return wave;
}

tWave Sound(const std::string& name)
{
    return ReadWave(ResourceRoot() + "/Sound/" + name);
}

int Peak(const tWave& wave)
{
    int peak = 0;
    for (int16_t s : wave.samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak;
}

// Largest absolute sample over the first `frames` frames (or the last, with `fromEnd`), any channel.
int LargestSample(const tWave& wave, size_t frames, bool fromEnd)
{
    int largest = 0;
    const size_t count = std::min(frames, wave.Frames());
    for (size_t f = 0; f < count; ++f)
    {
        const size_t frame = fromEnd ? wave.Frames() - 1 - f : f;
        for (int c = 0; c < wave.channels; ++c)
            largest = std::max(largest, std::abs(static_cast<int>(wave.samples[frame * wave.channels + c])));
    }
    return largest;
}

// A sound starts and stops without a click: it begins and ends at (nearly) zero, rises over its first
// quarter millisecond instead of jumping, and has died away over its last five milliseconds.
void ExpectCleanEdges(const tWave& wave, const std::string& name)
{
    const size_t quarterMs = static_cast<size_t>(wave.sampleRate / 4000);
    const size_t fiveMs = static_cast<size_t>(wave.sampleRate / 200);
    EXPECT_LE(LargestSample(wave, 1, false), 328) << name << ": first sample";
    EXPECT_LE(LargestSample(wave, 1, true), 328) << name << ": last sample";
    EXPECT_LT(LargestSample(wave, quarterMs, false), 32768 / 4) << name << ": sudden onset";
    EXPECT_LT(LargestSample(wave, fiveMs, true), 32768 / 10) << name << ": cut off at the end";
}

// ---- The checks ----

void ExpectSize(const tRequirement& requirement, const tPicture& picture, const std::string& what)
{
    ASSERT_TRUE(picture.Loaded()) << what << " does not decode";
    if (requirement.maxWidth > 0)
    {
        EXPECT_GE(picture.width, requirement.width) << what;
        EXPECT_LE(picture.width, requirement.maxWidth) << what;
        EXPECT_GE(picture.height, requirement.height) << what;
        EXPECT_LE(picture.height, requirement.maxHeight) << what;
    }
    else if (requirement.orLarger)
    {
        EXPECT_GE(picture.width, requirement.width) << what;
        EXPECT_GE(picture.height, requirement.height) << what;
    }
    else
    {
        EXPECT_EQ(picture.width, requirement.width) << what;
        EXPECT_EQ(picture.height, requirement.height) << what;
    }
}

TEST(ResourceNames, TheCodeNamesResourcesAndEachHasARequirement)
{
    const std::vector<std::string> names = ResourceNamesInCode();
    // The game core loads the settings file and the menu music itself, so the scan cannot come up empty.
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names)
        EXPECT_NE(FindRequirement(name), nullptr)
            << "\"" << name << "\" is loaded by the game but has no size entry";
}

TEST(ResourceNames, EachSpellingOfAFileNameIsWrittenOnce)
{
    std::map<std::string, int> written;
    for (const std::string& literal : ResourceLiteralsInCode())
        ++written[literal];
    for (const auto& [name, count] : written)
        EXPECT_EQ(count, 1) << "\"" << name << "\" is written out more than once";
}

TEST(ResourceNames, TheScannerReadsOnlyStringLiteralsOutsideComments)
{
    const std::string source =
        "// \"Resource/InComment.png\"\n"
        "/* \"Resource/InBlock.png\" */\n"
        "char q = '\"'; Load(\"resource/graphics/A.png\"); Load(\"Resource/\\\"B\\\".png\");\n";
    const std::vector<std::string> literals = StringLiterals(source);
    EXPECT_EQ(literals, (std::vector<std::string>{"resource/graphics/A.png", "Resource/\"B\".png"}));
}

// The game's own wave reader accepts the file, and the layout is the plain 16-bit PCM the content
// checks below read.
static void ExpectTheGameReadsTheWave(const std::string& path, const std::string& name)
{
    tWaveData data;
    EXPECT_EQ(CVKT_WaveReader::ReadFile(path.c_str(), data), eWaveReadResult::Ok) << name;
    EXPECT_EQ(data.format.wBitsPerSample, 16) << name;
    EXPECT_EQ(ReadWave(path).error, "") << name;
}

// The file as the game reads it: an image at its size, a wave, a replay.
static void ExpectTheGameReads(const tRequirement& requirement, const std::string& path,
                               const std::string& name)
{
    tReplay replay;
    switch (requirement.kind)
    {
    case eKind::Image:
        ExpectSize(requirement, LoadPicture(path), name);
        break;
    case eKind::Wave:
        ExpectTheGameReadsTheWave(path, name);
        break;
    case eKind::Replay:
        EXPECT_EQ(CReplayFile::Load(path, replay), CReplayFile::eError::None) << name;
        break;
    case eKind::RuntimeData:
        break;
    }
}

TEST(ResourceFiles, EveryFileNamedInTheCodeDecodesAtTheSizeTheGameUses)
{
    for (const std::string& name : ResourceNamesInCode())
    {
        const tRequirement* requirement = FindRequirement(name);
        if (!requirement || requirement->kind == eKind::RuntimeData)
            continue;
        const std::string path = CVKT_ResourcePath::Resolve(headless::BuildDir() + "/" + name);
        ASSERT_TRUE(headless::FileExists(path)) << name << " is not in " << ResourceRoot();
        ExpectTheGameReads(*requirement, path, name);
    }
}

TEST(ResourceFiles, EveryRequiredFileIsGeneratedUnderItsExactName)
{
    for (const tRequirement& requirement : kRequirements)
    {
        if (requirement.kind == eKind::RuntimeData)
            continue;
        const std::string path = ResourceRoot() + "/" + requirement.path;
        ASSERT_TRUE(headless::FileExists(path)) << requirement.path;
        ExpectTheGameReads(requirement, path, requirement.path);
    }
}

TEST(ResourceFiles, NothingIsGeneratedThatTheGameDoesNotNeed)
{
    std::set<std::string> required;
    for (const tRequirement& requirement : kRequirements)
        required.insert(requirement.path);
    for (const char* folder : {"Graphics", "Sound"})
    {
        for (const auto& entry : fs::directory_iterator(ResourceRoot() + "/" + folder))
        {
            const std::string relative = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_EQ(required.count(relative), 1u) << relative << " is generated but nothing needs it";
        }
    }
}

// ---- Colour keys and transparency ----

TEST(ResourcePictures, WhiteKeyedPicturesAreTransparentWhereTheyMustBe)
{
    // Sprites drawn whole: their corners must vanish under the white key.
    for (const char* name : {"OxM_Arrow.png", "VKT_MenuCursor.png", "OxM_HunterBullet.bmp"})
    {
        const tPicture picture = Graphic(name);
        ASSERT_TRUE(picture.Loaded()) << name;
        EXPECT_EQ(picture.At(0, 0), kWhiteKey) << name;
        EXPECT_EQ(picture.At(picture.width - 1, picture.height - 1), kWhiteKey) << name;
        EXPECT_GT(VisibleCount(picture, 0, 0, picture.width, picture.height, kWhiteKey), 40) << name;
    }
    // The options marker frames a line: its middle is see-through, its edge is not.
    const tPicture marker = Graphic("OxM_OptionsSelection.png");
    ASSERT_TRUE(marker.Loaded());
    EXPECT_EQ(marker.At(213, 32), kWhiteKey);
    EXPECT_GT(VisibleCount(marker, 100, 0, 200, 6, kWhiteKey), 200);
    EXPECT_GT(VisibleCount(marker, 100, 59, 200, 6, kWhiteKey), 200);
}

TEST(ResourcePictures, WhiteKeyedScreensHaveNoHolesWhereTheyAreDrawnWhole)
{
    // Drawn as the whole screen with the white key: a pure white pixel would show the clear colour.
    for (const char* name : {"OxM_HighScoresMenu.png", "OxM_MainMenu.png"})
    {
        const tPicture picture = Graphic(name);
        ASSERT_TRUE(picture.Loaded()) << name;
        EXPECT_EQ(VisibleCount(picture, 0, 0, 640, 480, kWhiteKey), 640 * 480) << name;
    }
}

TEST(ResourcePictures, MainMenuHighlightsLieBesideTheMenuInTheItemsRows)
{
    const tPicture menu = Graphic("OxM_MainMenu.png");
    ASSERT_TRUE(menu.Loaded());
    for (int k = 0; k < 6; ++k)
    {
        const int top = 222 + 27 * k;
        // Each highlight is a solid plate with a label over most of its cut rectangle...
        EXPECT_GT(VisibleCount(menu, 641, top, 197, 27, kWhiteKey), 197 * 27 * 3 / 4) << "item " << k;
        // ...and differs from the item's normal look underneath, or choosing would show nothing.
        EXPECT_NE(Cut(menu, 641, top, 197, 27), Cut(menu, 222, top, 197, 27)) << "item " << k;
    }
    // Outside the six cut rectangles the column is never drawn; the separating column stays keyed out.
    EXPECT_EQ(VisibleCount(menu, 640, 0, 1, 480, kWhiteKey), 0);
    EXPECT_EQ(VisibleCount(menu, 641, 0, 197, 200, kWhiteKey), 0);
}

TEST(ResourcePictures, BlackKeyedPicturesAreTransparentAroundTheirShape)
{
    for (const char* name : {"OxM_Bubble.png", "OxM_PlayerBullet.png", "OxM_ProjectileRock.png"})
    {
        const tPicture picture = Graphic(name);
        ASSERT_TRUE(picture.Loaded()) << name;
        EXPECT_EQ(picture.At(0, 0), kBlackKey) << name;
        EXPECT_EQ(picture.At(picture.width - 1, 0), kBlackKey) << name;
        EXPECT_GT(VisibleCount(picture, 0, 0, picture.width, picture.height, kBlackKey), 20) << name;
    }
    // The bubble surrounds the player: its rim shows and its centre lets the player through.
    const tPicture bubble = Graphic("OxM_Bubble.png");
    EXPECT_TRUE(Visible(bubble.At(32, 2), kBlackKey));
    EXPECT_LT(bubble.At(32, 32) >> 24, 128u);
}

TEST(ResourcePictures, SpritesWithoutAKeyCarryRealAlpha)
{
    for (const char* name :
         {"OxM_PlayerChar.png", "OxM_EnemyChar.png", "OxM_EnemySwimmers.png", "OxM_EnemyBirds.png",
          "OxM_PowLife.png", "OxM_PowCharge.png", "OxM_CreditsText.png"})
    {
        const tPicture picture = Graphic(name);
        ASSERT_TRUE(picture.Loaded()) << name;
        EXPECT_EQ(picture.At(0, 0) >> 24, 0u) << name;
        EXPECT_EQ(picture.At(picture.width - 1, picture.height - 1) >> 24, 0u) << name;
    }
    const tPicture clouds = Graphic("OxM_Clouds.png");
    ASSERT_TRUE(clouds.Loaded());
    int clear = 0;
    int cloudy = 0;
    for (uint32_t pixel : clouds.argb)
    {
        clear += (pixel >> 24) < 16 ? 1 : 0;
        cloudy += (pixel >> 24) > 64 ? 1 : 0;
    }
    const int total = clouds.width * clouds.height;
    // Mostly open sky so the swimmers stay visible, with real clouds in it.
    EXPECT_GT(clear, total / 3);
    EXPECT_GT(cloudy, total / 20);
}

TEST(ResourcePictures, FullScreenPicturesAreOpaque)
{
    for (const char* name : {"OxM_Copperfen_logo.png", "OxM_OptionsMenu.png", "OxM_ControlsMenu.png",
                             "OxM_CreditsMenu.png", "OxM_IntroMenu.png", "OxM_Level1.png", "OxM_Level2.png",
                             "OxM_Level3.png", "OxM_CaptainChar.png", "OxM_White.png"})
    {
        const tPicture picture = Graphic(name);
        ASSERT_TRUE(picture.Loaded()) << name;
        EXPECT_EQ(VisibleCount(picture, 0, 0, picture.width, picture.height), picture.width * picture.height)
            << name;
    }
    const tPicture white = Graphic("OxM_White.png");
    EXPECT_EQ(white.At(133, 3), 0xFFFFFFFFu);
}

TEST(ResourcePictures, CloudsRepeatFromTheirBottomEdgeToTheirTopEdge)
{
    const tPicture clouds = Graphic("OxM_Clouds.png");
    ASSERT_TRUE(clouds.Loaded());
    double jump = 0.0;
    double typical = 0.0;
    for (int x = 0; x < clouds.width; ++x)
    {
        jump += std::abs(static_cast<int>(clouds.At(x, 0) >> 24) -
                         static_cast<int>(clouds.At(x, clouds.height - 1) >> 24));
        typical +=
            std::abs(static_cast<int>(clouds.At(x, 500) >> 24) - static_cast<int>(clouds.At(x, 501) >> 24));
    }
    EXPECT_LE(jump, typical * 3.0 + clouds.width);
}

// ---- Where the game draws over the pictures ----

TEST(ResourceLayout, HudLeavesDarkWindowsUnderTheDigitsAndTheChargeBar)
{
    const tPicture hud = Graphic("OxM_HUD.png");
    ASSERT_TRUE(hud.Loaded());
    // Score (8 digits from (25, 17)) and lives (2 digits from (184, 17)) in cream 16 x 24 glyphs.
    EXPECT_LT(MeanLuminance(hud, 25, 17, 128, 24), 70.0);
    EXPECT_LT(MeanLuminance(hud, 184, 17, 32, 24), 70.0);
    // The 134 x 4 slot that the white bar fills.
    EXPECT_LT(MeanLuminance(hud, 62, 46, 134, 4), 40.0);
    EXPECT_EQ(VisibleCount(hud, 62, 46, 134, 4), 134 * 4);
}

TEST(ResourceLayout, PanelsAreDarkWhereTheGamePrintsText)
{
    // Score entry: three 32 x 48 glyphs from panel (122, 108).
    EXPECT_LT(MeanLuminance(Graphic("OxM_EnterScore.png"), 122, 108, 96, 48), 70.0);
    // Story text box: four lines of 8 x 12 glyphs from box (15, 8).
    EXPECT_LT(MeanLuminance(Graphic("OxM_TextBox.png"), 15, 8, 424, 48), 80.0);
    // Options: the two numbers at (460, 116) and (460, 189), three glyphs each.
    const tPicture options = Graphic("OxM_OptionsMenu.png");
    EXPECT_LT(MeanLuminance(options, 460, 116, 48, 24), 60.0);
    EXPECT_LT(MeanLuminance(options, 460, 189, 48, 24), 60.0);
    // High scores: rows of up to 26 glyphs from (145, 113 + 59i).
    const tPicture scores = Graphic("OxM_HighScoresMenu.png");
    for (int i = 0; i < 5; ++i)
        EXPECT_LT(MeanLuminance(scores, 145, 113 + 59 * i, 416, 24), 80.0) << "row " << i;
}

TEST(ResourceLayout, PauseItemsSitBesideTheCursorPositions)
{
    const tPicture pause = Graphic("OxM_PauseMenu.png");
    ASSERT_TRUE(pause.Loaded());
    // The cursor lands at panel (65, 124) and (109, 169); a label lies just right of each, on the same
    // rows, so there is bright ink there.
    auto brightPixels = [&](int x0, int y0)
    {
        int bright = 0;
        for (int y = y0; y < y0 + 24; ++y)
            for (int x = x0; x < x0 + 100; ++x)
                bright += Luminance(pause.At(x, y)) > 180.0 ? 1 : 0;
        return bright;
    };
    EXPECT_GT(brightPixels(65 + 24, 124), 60);
    EXPECT_GT(brightPixels(109 + 24, 169), 60);
}

// ---- Glyph sheets ----

struct tSheet
{
    const char* name;
    int cellWidth;
    int cellHeight;
};

const tSheet kSheets[] = {{"OxM_Font2.png", 16, 24}, {"OxM_Font1.png", 8, 12}};

TEST(ResourceGlyphs, EveryPrintableCharacterHasItsOwnGlyph)
{
    for (const tSheet& sheet : kSheets)
    {
        const tPicture picture = Graphic(sheet.name);
        ASSERT_TRUE(picture.Loaded()) << sheet.name;
        std::set<std::vector<uint32_t>> glyphs;
        for (int code = 32; code <= 126; ++code)
        {
            const int n = code - 32;
            const int x = (n % 20) * sheet.cellWidth;
            const int y = (n / 20) * sheet.cellHeight;
            const int ink = VisibleCount(picture, x, y, sheet.cellWidth, sheet.cellHeight);
            if (code == ' ')
                EXPECT_EQ(ink, 0) << sheet.name << ": the space must be blank";
            else
                EXPECT_GE(ink, 3) << sheet.name << ": no glyph for '" << static_cast<char>(code) << "'";
            glyphs.insert(Cut(picture, x, y, sheet.cellWidth, sheet.cellHeight));
        }
        EXPECT_EQ(glyphs.size(), 95u) << sheet.name << ": two characters share a glyph";
    }
}

TEST(ResourceGlyphs, GlyphsSurviveBothColourKeysOnATransparentGround)
{
    for (const tSheet& sheet : kSheets)
    {
        const tPicture picture = Graphic(sheet.name);
        ASSERT_TRUE(picture.Loaded()) << sheet.name;
        int transparent = 0;
        for (uint32_t pixel : picture.argb)
        {
            EXPECT_NE(pixel, kWhiteKey) << sheet.name;
            EXPECT_NE(pixel, kBlackKey) << sheet.name;
            if (pixel == kWhiteKey || pixel == kBlackKey)
                break;
            transparent += (pixel >> 24) == 0 ? 1 : 0;
        }
        EXPECT_GT(transparent, picture.width * picture.height / 2) << sheet.name;
    }
}

TEST(ResourceGlyphs, LettersSitOnACommonBaselineInsideTheirCells)
{
    // 'E' has a flat foot and 'p' a descender: the foot is above the descender, and both are inside.
    for (const tSheet& sheet : kSheets)
    {
        const tPicture picture = Graphic(sheet.name);
        auto lowestInk = [&](char c)
        {
            const int n = c - 32;
            const int x0 = (n % 20) * sheet.cellWidth;
            const int y0 = (n / 20) * sheet.cellHeight;
            int lowest = -1;
            for (int y = 0; y < sheet.cellHeight; ++y)
                if (VisibleCount(picture, x0, y0 + y, sheet.cellWidth, 1) > 0)
                    lowest = y;
            return lowest;
        };
        EXPECT_EQ(lowestInk('E'), lowestInk('H')) << sheet.name;
        EXPECT_GT(lowestInk('p'), lowestInk('E')) << sheet.name;
        EXPECT_LT(lowestInk('p'), sheet.cellHeight) << sheet.name;
    }
}

// ---- Animation ----

TEST(ResourceAnimation, PlayerAndBirdFramesAllDiffer)
{
    const tPicture player = Graphic("OxM_PlayerChar.png");
    ASSERT_TRUE(player.Loaded());
    std::set<std::vector<uint32_t>> frames;
    for (int f = 0; f < 4; ++f)
    {
        EXPECT_GT(VisibleCount(player, f * 62, 0, 62, 53), 62 * 53 / 5) << "frame " << f;
        frames.insert(Cut(player, f * 62, 0, 62, 53));
    }
    EXPECT_EQ(frames.size(), 4u);
    const tPicture birds = Graphic("OxM_EnemyBirds.png");
    ASSERT_TRUE(birds.Loaded());
    EXPECT_NE(Cut(birds, 0, 0, 46, 34), Cut(birds, 46, 0, 46, 34));
    EXPECT_GT(VisibleCount(birds, 46, 0, 46, 34), 46 * 34 / 6);
}

// Checks a block sheet: every variant filled in every direction, steps that move, looks that differ.
void ExpectBlocks(const char* name, int variants, int blocksPerRow, int firstWalker)
{
    const tPicture sheet = Graphic(name);
    ASSERT_TRUE(sheet.Loaded()) << name;
    std::set<std::vector<uint32_t>> looks;
    for (int v = 0; v < variants; ++v)
    {
        const int bx = (v % blocksPerRow) * 128;
        const int by = (v / blocksPerRow) * 128;
        std::set<std::vector<uint32_t>> directions;
        for (int row = 0; row < 4; ++row)
        {
            std::set<std::vector<uint32_t>> steps;
            for (int f = 0; f < 4; ++f)
            {
                const int x = bx + f * 32;
                const int y = by + row * 32;
                EXPECT_GT(VisibleCount(sheet, x, y, 32, 32), 120)
                    << name << " variant " << v << " row " << row;
                steps.insert(Cut(sheet, x, y, 32, 32));
            }
            if (v >= firstWalker)
            {
                EXPECT_EQ(steps.size(), 4u)
                    << name << " variant " << v << " row " << row << " does not animate";
            }
            directions.insert(Cut(sheet, bx, by + row * 32, 32, 32));
        }
        EXPECT_EQ(directions.size(), 4u) << name << " variant " << v << " looks the same in two directions";
        looks.insert(Cut(sheet, bx, by, 32, 32));
    }
    EXPECT_EQ(looks.size(), static_cast<size_t>(variants)) << name << ": two variants look alike";
}

TEST(ResourceAnimation, EnemySheetHoldsFiftyNineDistinctAnimatedVariants)
{
    ExpectBlocks("OxM_EnemyChar.png", 59, 8, 2);
}

TEST(ResourceAnimation, SwimmerSheetHoldsFourDistinctAnimatedVariants)
{
    ExpectBlocks("OxM_EnemySwimmers.png", 4, 2, 0);
}

// ---- Sounds ----

TEST(ResourceSounds, EffectsAreShortPunchyAndClickFree)
{
    for (const char* name : {"VKT_LazerShot.wav", "VKT_LazerHit.wav"})
    {
        const tWave wave = Sound(name);
        ASSERT_EQ(wave.error, "") << name;
        EXPECT_GT(wave.Seconds(), 0.05) << name;
        EXPECT_LT(wave.Seconds(), 1.0) << name;
        EXPECT_GT(Peak(wave), 32768 / 3) << name;
        ExpectCleanEdges(wave, name);
    }
}

TEST(ResourceSounds, LevelThemeLastsALevelAndFadesOut)
{
    const tWave wave = Sound("OxM_PALLET_theme.wav");
    ASSERT_EQ(wave.error, "");
    EXPECT_NEAR(wave.Seconds(), 78.4, 1.0);
    ExpectCleanEdges(wave, "level theme");
    EXPECT_LT(Peak(wave), 32767) << "clipped";
    EXPECT_GT(Peak(wave), 32768 / 2);
}

TEST(ResourceSounds, MenuThemeJoinsItsEndToItsStart)
{
    const tWave wave = Sound("OxM_ZORIRED_theme.wav");
    ASSERT_EQ(wave.error, "");
    EXPECT_GT(wave.Seconds(), 10.0);
    EXPECT_LT(Peak(wave), 32767) << "clipped";
    // The step from the last frame back to the first is no larger than the music's ordinary steps.
    std::vector<int> steps;
    for (size_t f = 0; f + 1 < wave.Frames(); f += 3)
        for (int c = 0; c < wave.channels; ++c)
            steps.push_back(
                std::abs(wave.samples[(f + 1) * wave.channels + c] - wave.samples[f * wave.channels + c]));
    std::sort(steps.begin(), steps.end());
    const int usual = steps[steps.size() * 9 / 10];
    for (int c = 0; c < wave.channels; ++c)
    {
        const int seam = std::abs(wave.samples[static_cast<size_t>(c)] -
                                  wave.samples[(wave.Frames() - 1) * wave.channels + c]);
        EXPECT_LE(seam, usual) << "channel " << c;
    }
}

TEST(ResourceSounds, MusicHasNoDcOffset)
{
    for (const char* name :
         {"OxM_ZORIRED_theme.wav", "OxM_PALLET_theme.wav", "VKT_LazerShot.wav", "VKT_LazerHit.wav"})
    {
        const tWave wave = Sound(name);
        ASSERT_EQ(wave.error, "") << name;
        double sum = 0.0;
        for (int16_t s : wave.samples)
            sum += s;
        EXPECT_LT(std::fabs(sum / wave.samples.size()), 328.0) << name; // 1 % of full scale
    }
}

TEST(ResourceWaveCheck, RejectsWhatTheGamesReaderRejects)
{
    headless::ScopedTempDir dir;
    const std::string good = headless::ReadFile(ResourceRoot() + "/Sound/VKT_LazerHit.wav");
    ASSERT_GT(good.size(), 44u);
    auto check = [&](std::string bytes)
    {
        headless::WriteFile(dir / "x.wav", bytes);
        return ReadWave(dir / "x.wav").error;
    };
    EXPECT_EQ(check(good), "");
    std::string eightBit = good;
    eightBit[34] = 8;
    EXPECT_NE(check(eightBit), "");
    std::string listFirst = good;
    listFirst.replace(12, 4, "LIST");
    EXPECT_NE(check(listFirst), "");
    EXPECT_NE(check(good.substr(0, good.size() - 10)), "");
}

// ---- The generator itself ----

#ifdef TALONREACH_ASSETGEN
std::map<std::string, std::string> FilesUnder(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
    {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = headless::ReadFile(entry.path().string());
    }
    return files;
}

TEST(ResourceGenerator, TwoRunsWriteIdenticalFiles)
{
    headless::ScopedTempDir first;
    headless::ScopedTempDir second;
    for (const headless::ScopedTempDir* dir : {&first, &second})
    {
        const std::string command =
            std::string("'") + TALONREACH_ASSETGEN + "' '" + dir->Path() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    const auto a = FilesUnder(first.Path());
    const auto b = FilesUnder(second.Path());
    // The pictures and sounds: neither the settings file nor the demos are generated.
    const auto generated =
        std::count_if(std::begin(kRequirements), std::end(kRequirements),
                      [](const tRequirement& r) { return r.kind == eKind::Image || r.kind == eKind::Wave; });
    ASSERT_EQ(a.size(), static_cast<size_t>(generated));
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a)
    {
        ASSERT_EQ(b.count(name), 1u) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between two runs";
    }
}
#endif
} // namespace
