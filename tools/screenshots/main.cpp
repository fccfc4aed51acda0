// screenshots: runs the real game headless through a scripted visit of its screens, the way the
// program's loop runs it (window procedure, PeekMessages, CGame::Main), with real key events and a
// hand-driven clock, and writes chosen frames as NN_caption.png into an output folder.
//
// Every frame is checked before it is written: the parts of it that come straight from a picture
// (a menu background, a panel, a highlight, the text in a glyph sheet, the scrolled level) must
// match that picture, and the expected screen must be on top of the stack. A frame that does not
// show what it should ends the run with exit code 1, so a broken flow or a broken screen cannot
// slip onto the contact sheet unnoticed.
//
// The game runs headless (the library in tests/harness) in a temporary folder that links the
// pictures and sounds of the given Resource folder and has its own settings.xml (a demo high-score
// table), so the build's settings are never touched.
//
// usage: screenshots <Resource folder> <output folder>
#include "CBase.h"
#include "CChangeControlsState.h"
#include "CControls.h"
#include "CControlsMenuState.h"
#include "CCreditsMenuState.h"
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CHighScoreMenuState.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "COptionsMenuState.h"
#include "CPauseState.h"
#include "CopperfenLogoState.h"
#include "IGameState.h"

#include "CVKT_ObjectManager.h"
#include "VKT_KeyCodes.h"

#include "Files.h"
#include "FrameComparison.h"
#include "HeadlessGame.h"
#include "Picture.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr uint32_t kFrameMs = 16;
constexpr uint32_t kWhiteKey = 0xFFFFFFFFu;
constexpr uint32_t kBlackKey = 0xFF000000u;
// Per channel: blending on the software renderer rounds a little differently from the checks here.
constexpr int kTolerance = 3;
// A check that compared fewer pixels than this proves nothing (a transparent section, a text off
// the screen) and fails.
constexpr int kMinCompared = 40;

// The demo table the game starts with. The last entry is below any score, so the first finished
// game, whatever it scored, opens the score entry; after that entry the table is all at 0 or more
// and a second game scoring 0 ends without one.
struct tDemoScore
{
    const char* name;
    int points;
};
const tDemoScore kDemoTable[NUM_HIGH_SCORES] = {
    {"ACE", 12000}, {"KES", 9850}, {"OWL", 8720}, {"JAY", 7400}, {"HAW", 6010},
    {"ROC", 4800},  {"EMU", 3550}, {"TIT", 2200}, {"WRN", 900},  {"DUD", -1},
};
// The name typed into the score entry: three characters, mixed case and a digit.
constexpr const char* kTypedName = "Ab3";

// ---- Pictures and comparisons --------------------------------------------------------------------

using headless::Picture;
using tFrame = std::vector<uint32_t>;

// The pictures of one Graphics folder, each read once per colour key.
class CPictures
{
public:
    explicit CPictures(std::string graphicsDir) : m_dir(std::move(graphicsDir)) {}

    // The picture as a screen loads it; throws when it cannot be read.
    const Picture& Get(const std::string& name, uint32_t key = 0)
    {
        const std::string id = name + "#" + std::to_string(key);
        auto found = m_cache.find(id);
        if (found == m_cache.end())
            found = m_cache.emplace(id, Picture::Read(m_dir + "/" + name, key)).first;
        return found->second;
    }

private:
    std::string m_dir;
    std::map<std::string, Picture> m_cache;
};

// One requirement on a frame: the pixels compared and how many of them may differ.
struct tCheck
{
    explicit tCheck(std::string sWhat, double allowed = 0.0)
        : what(std::move(sWhat)), allowedFraction(allowed)
    {
    }
    tCheck(std::string sWhat, headless::Comparison comparison) : what(std::move(sWhat)), result(comparison) {}

    std::string what;
    headless::Comparison result;
    double allowedFraction = 0.0;

    bool Passed() const
    {
        return result.compared >= kMinCompared && result.mismatched <= allowedFraction * result.compared;
    }
};

// A section (sx, sy, w, h) of a picture drawn at (dx, dy): every fully opaque pixel must be in the
// frame. bMirrorY: drawn with scale y = -1. fade: the alpha the section was drawn with, over black.
tCheck Section(const std::string& what, const tFrame& frame, const Picture& picture, int sx, int sy, int w,
               int h, int dx, int dy, bool bMirrorY = false, int fade = 255)
{
    return tCheck(what,
                  headless::CompareSection(frame, picture, sx, sy, w, h, dx, dy, bMirrorY, kTolerance, fade));
}

tCheck Whole(const std::string& what, const tFrame& frame, const Picture& picture, int dx, int dy)
{
    return Section(what, frame, picture, 0, 0, picture.width, picture.height, dx, dy);
}

// A glyph sheet's font (cells of cellW x cellH, 20 to a row, from the space).
struct tFont
{
    const Picture& sheet;
    int cellW;
    int cellH;
};

// Text as the bitmap font prints it at (x, y) and an integer scale; '\n' starts a new row.
tCheck Text(const std::string& what, const tFrame& frame, const tFont& font, const std::string& text, int x,
            int y, int scale = 1)
{
    return tCheck(what, headless::CompareText(frame, font.sheet, font.cellW, font.cellH, 20, text, x, y,
                                              scale, kTolerance));
}

// The level's background (and, on level 3, the clouds over it) as the play screen scrolls them,
// compared in rows [y0, y1). Game objects cover some of it: `allowed` of the pixels may differ.
tCheck Scrolled(const std::string& what, const tFrame& frame, const Picture& background, float fOffset,
                const Picture* clouds, float fCloudsOffset, int y0, int y1, double allowed)
{
    tCheck check(what, allowed);
    RECT rBack{};
    int nBackY = 0;
    if (!CGamePlayState::PlaceScrollingLayer(fOffset, kWidth, kHeight, background.height, rBack, nBackY))
        return check;
    RECT rClouds{};
    int nCloudsY = 0;
    const bool bClouds = clouds && CGamePlayState::PlaceScrollingLayer(fCloudsOffset, kWidth, kHeight,
                                                                       clouds->height, rClouds, nCloudsY);
    for (int y = std::max(y0, nBackY); y < std::min(y1, nBackY + (rBack.bottom - rBack.top)); ++y)
        for (int x = 0; x < kWidth; ++x)
        {
            uint32_t expected = background.At(x, rBack.top + y - nBackY);
            if (bClouds && y >= nCloudsY && y < nCloudsY + (rClouds.bottom - rClouds.top))
                expected = headless::Blend(clouds->At(x, rClouds.top + y - nCloudsY), expected);
            check.result.Compare(x, y, expected, headless::FramePixel(frame, x, y), kTolerance);
        }
    return check;
}

// A plain fact about the game's state, as a check.
tCheck Fact(const std::string& what, bool holds)
{
    tCheck check(what);
    check.result.compared = kMinCompared;
    check.result.mismatched = holds ? 0 : 1;
    return check;
}

// ---- The game, run the way the program's loop runs it ---------------------------------------------

// The headless game of the library is strict here: a game that ends, a wait that times out or a
// frame not captured ends the run.
using headless::HeadlessGame;

// Throws unless `state` is on top.
void Expect(const HeadlessGame& game, IGameState* state, const char* what)
{
    if (game.Top() != state)
        throw std::runtime_error(std::string("expected to be on ") + what);
}

// ---- Writing the captures ------------------------------------------------------------------------

class CShots
{
public:
    explicit CShots(fs::path folder) : m_folder(std::move(folder))
    {
        fs::create_directories(m_folder);
        RemoveOldCaptures();
    }

    // Writes the frame as NN_name.png once every check passed; otherwise reports them and throws.
    void Take(const std::string& name, const tFrame& frame, const std::vector<tCheck>& checks)
    {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%02d_", ++m_count);
        const std::string file = prefix + name + ".png";
        bool bPassed = true;
        for (const tCheck& check : checks)
        {
            if (check.Passed())
                continue;
            bPassed = false;
            std::fprintf(stderr, "screenshots: %s: %s: %d of %d pixels differ%s%s\n", file.c_str(),
                         check.what.c_str(), check.result.mismatched, check.result.compared,
                         check.result.firstMismatch.empty() ? "" : "; ", check.result.firstMismatch.c_str());
        }
        if (!bPassed)
            throw std::runtime_error(file + " does not show its screen");
        Write(m_folder / file, frame);
        std::printf("screenshots: %s (%zu checks)\n", file.c_str(), checks.size());
    }

private:
    // Captures of an earlier run would otherwise mix with this one's on the sheet.
    void RemoveOldCaptures()
    {
        const std::regex capture("[0-9][0-9]_.*\\.png");
        for (const fs::directory_entry& entry : fs::directory_iterator(m_folder))
            if (entry.is_regular_file() && std::regex_match(entry.path().filename().string(), capture))
                fs::remove(entry.path());
    }

    static void Write(const fs::path& path, const tFrame& frame)
    {
        std::vector<uint32_t> opaque(frame);
        for (uint32_t& pixel : opaque)
            pixel |= 0xFF000000u;
        headless::WritePng(path.string(), kWidth, kHeight, opaque);
    }

    fs::path m_folder;
    int m_count = 0;
};

// ---- The visit ------------------------------------------------------------------------------------

std::string DemoSettings()
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n<root>\n"
                      "    <sound_settings music=\"50\" fx=\"50\" />\n    <high_scores>\n";
    for (const tDemoScore& entry : kDemoTable)
        xml += "        <score points=\"" + std::to_string(entry.points) + "\">" + entry.name + "</score>\n";
    return xml + "    </high_scores>\n</root>\n";
}

class CVisit
{
public:
    CVisit(HeadlessGame& game, CShots& shots, CPictures& pictures)
        : m_game(game), m_shots(shots),
          m_pics(pictures), m_menuFont{pictures.Get("OxM_Font2.png", kBlackKey), 16, 24},
          m_playFont{pictures.Get("OxM_Font2.png", kWhiteKey), 16, 24},
          m_storyFont{pictures.Get("OxM_Font1.png", kWhiteKey), 8, 12}
    {
    }

    void All()
    {
        CheckDemoTable();
        Logo();
        MainMenu();
        Options();
        Controls();
        Credits();
        Story();
        LevelOne();
        Pause();
        LevelTwo();
        LevelThree();
        ScoreEntry();
        HighScores();
        MissionComplete();
        Ending();
    }

private:
    void CheckDemoTable()
    {
        const tHighScore* table = CGame::GetInstance()->GetHighScores();
        if (std::strcmp(table[0].szName, kDemoTable[0].name) != 0 || table[NUM_HIGH_SCORES - 1].nPoints >= 0)
            throw std::runtime_error("the game did not read the demo settings");
    }

    void Logo()
    {
        CopperfenLogoState* logo = CopperfenLogoState::GetInstance();
        Expect(m_game, logo, "the logo");
        m_game.RunUntil([&] { return logo->GetFade() >= 110.0f; }, 10000, kFrameMs, "the logo half faded in");
        tFrame frame = m_game.CaptureFrame();
        m_shots.Take("logo_fading_in", frame, {LogoCheck(frame, logo->GetFade(), 100, 160)});

        m_game.RunUntil([&] { return logo->GetFade() >= 250.0f; }, 10000, kFrameMs, "the logo nearly opaque");
        // The fade turns round in the frame that reaches 255; take that very frame (at 0.72 a frame
        // it comes within eight).
        for (int i = 0; i < 10 && LogoAlpha(logo->GetFade()) != 255; ++i)
            frame = m_game.CaptureFrame();
        m_shots.Take("logo_full", frame, {LogoCheck(frame, logo->GetFade(), 255, 255)});
        m_game.Tap(SDL_SCANCODE_SPACE);
        Expect(m_game, CMainMenuState::GetInstance(), "the main menu");
    }

    static int LogoAlpha(float fFade) { return static_cast<int>(CopperfenLogoState::LogoColor(fFade) >> 24); }

    // The logo over black at the alpha of its fade, which must lie in [minAlpha, maxAlpha].
    tCheck LogoCheck(const tFrame& frame, float fFade, int minAlpha, int maxAlpha)
    {
        const int alpha = LogoAlpha(fFade);
        tCheck check =
            Section("logo at alpha " + std::to_string(alpha), frame, m_pics.Get("OxM_Copperfen_logo.png"), 0,
                    0, kWidth, kHeight, 0, 0, false, alpha);
        if (alpha < minAlpha || alpha > maxAlpha)
            check.result.mismatched = check.result.compared;
        return check;
    }

    // Down until the main menu's selection is `item`.
    void SelectItem(int item)
    {
        CMainMenuState* menu = CMainMenuState::GetInstance();
        for (int i = 0; i < CMainMenuState::NUM_ITEMS && menu->GetSelection() != item; ++i)
            m_game.Tap(SDL_SCANCODE_DOWN);
        if (menu->GetSelection() != item)
            throw std::runtime_error("the main menu did not move to item " + std::to_string(item));
    }
    void ChooseItem(int item, IGameState* screen, const char* what)
    {
        Expect(m_game, CMainMenuState::GetInstance(), "the main menu");
        SelectItem(item);
        m_game.Tap(SDL_SCANCODE_RETURN);
        Expect(m_game, screen, what);
    }

    // The highlight of `item` and the plain art of `plainItem`.
    std::vector<tCheck> MenuChecks(const tFrame& frame, int item, int plainItem)
    {
        const Picture& menu = m_pics.Get("OxM_MainMenu.png", kWhiteKey);
        const int w = CMainMenuState::HIGHLIGHT_RIGHT - CMainMenuState::HIGHLIGHT_LEFT;
        const int h = CMainMenuState::ITEM_HEIGHT;
        const int top = CMainMenuState::ITEM_TOP + h * item;
        const int plainTop = CMainMenuState::ITEM_TOP + h * plainItem;
        return {
            Section("menu art", frame, menu, 0, 0, kWidth, CMainMenuState::ITEM_TOP, 0, 0),
            Section("highlight", frame, menu, CMainMenuState::HIGHLIGHT_LEFT, top, w, h,
                    CMainMenuState::ITEM_LEFT, top),
            Section("plain item", frame, menu, CMainMenuState::ITEM_LEFT, plainTop, w, h,
                    CMainMenuState::ITEM_LEFT, plainTop),
        };
    }

    void MainMenu()
    {
        tFrame frame = m_game.CaptureFrame();
        m_shots.Take("main_menu_new_game", frame,
                     MenuChecks(frame, CMainMenuState::ITEM_PLAY, CMainMenuState::ITEM_OPTIONS));
        SelectItem(CMainMenuState::ITEM_OPTIONS);
        frame = m_game.CaptureFrame();
        m_shots.Take("main_menu_options", frame,
                     MenuChecks(frame, CMainMenuState::ITEM_OPTIONS, CMainMenuState::ITEM_PLAY));
    }

    // Holds `key` down for `ms` milliseconds, then lets it go.
    void HoldFor(SDL_Scancode key, uint32_t ms)
    {
        m_game.Hold(key);
        m_game.Run(ms);
        m_game.Release(key);
        m_game.Frame();
    }

    std::vector<tCheck> OptionsChecks(const tFrame& frame, int row, float fMusic, float fFX)
    {
        const Picture& background = m_pics.Get("OxM_OptionsMenu.png");
        return {
            Section("options art", frame, background, 0, 0, kWidth, 80, 0, 0),
            Section("marker", frame, m_pics.Get("OxM_OptionsSelection.png", kWhiteKey), 0, 0, 426, 65, 130,
                    83 + 72 * row),
            Text("music volume", frame, m_menuFont, std::to_string(static_cast<int>(fMusic)), 460, 116),
            Text("effects volume", frame, m_menuFont, std::to_string(static_cast<int>(fFX)), 460, 189),
            Text("press ESC", frame, m_menuFont, "press ESC", 480, 450),
        };
    }

    void Options()
    {
        ChooseItem(CMainMenuState::ITEM_OPTIONS, COptionsMenuState::GetInstance(), "the options");
        CGame* game = CGame::GetInstance();
        HoldFor(SDL_SCANCODE_RIGHT, 2000);
        tFrame frame = m_game.CaptureFrame();
        std::vector<tCheck> checks = OptionsChecks(frame, 0, game->GetMusicVolume(), game->GetFXVolume());
        checks.push_back(Fact("Right raised the music", game->GetMusicVolume() >= 65.0f));
        m_shots.Take("options_music_raised", frame, checks);

        m_game.Tap(SDL_SCANCODE_DOWN);
        HoldFor(SDL_SCANCODE_LEFT, 2000);
        frame = m_game.CaptureFrame();
        checks = OptionsChecks(frame, 1, game->GetMusicVolume(), game->GetFXVolume());
        checks.push_back(Fact("Left lowered the effects", game->GetFXVolume() <= 35.0f));
        m_shots.Take("options_effects_lowered", frame, checks);
        m_game.Tap(SDL_SCANCODE_ESCAPE);
    }

    void Controls()
    {
        ChooseItem(CMainMenuState::ITEM_CONTROLS, CControlsMenuState::GetInstance(), "the controls");
        const tFrame frame = m_game.CaptureFrame();
        m_shots.Take(
            "controls", frame,
            {Section("controls art", frame, m_pics.Get("OxM_ControlsMenu.png"), 0, 0, kWidth, 440, 0, 0),
             Text("press ESC", frame, m_menuFont, "press ESC", 480, 450)});
        ChangeControls();
        m_game.Tap(SDL_SCANCODE_ESCAPE);
    }

    // Fire moved to Z on the change of controls, shown, then the defaults back for the rest of the
    // visit.
    void ChangeControls()
    {
        CChangeControlsState* screen = CChangeControlsState::GetInstance();
        m_game.Tap(SDL_SCANCODE_C);
        Expect(m_game, screen, "the change of controls");
        while (screen->GetSelection() != CONTROL_FIRE)
            m_game.Tap(SDL_SCANCODE_DOWN);
        m_game.Tap(SDL_SCANCODE_RETURN);
        m_game.Tap(SDL_SCANCODE_Z);
        const tFrame frame = m_game.CaptureFrame();
        const int fireTop = CChangeControlsState::ROW_TOP + CChangeControlsState::ROW_STEP * CONTROL_FIRE;
        m_shots.Take(
            "change_controls", frame,
            {Section("change of controls art", frame, m_pics.Get("OxM_ChangeControls.png"), 0, 0, kWidth, 100,
                     0, 0),
             Text("fire on Z", frame, m_menuFont, "Z", CChangeControlsState::KEY_X, fireTop),
             Text("fire's pad button", frame, m_menuFont, "South", CChangeControlsState::PAD_X, fireTop),
             Fact("fire is on Z", CGame::GetInstance()->GetControls().ucKeys[CONTROL_FIRE] == DIK_Z)});
        CGame::GetInstance()->SetControls(CControls::Defaults());
        m_game.Tap(SDL_SCANCODE_ESCAPE);
        Expect(m_game, CControlsMenuState::GetInstance(), "the controls");
    }

    void Credits()
    {
        CCreditsMenuState* credits = CCreditsMenuState::GetInstance();
        ChooseItem(CMainMenuState::ITEM_CREDITS, credits, "the credits");
        m_game.Run(20000);
        const tFrame frame = m_game.CaptureFrame();
        const int y = static_cast<int>(credits->GetScrollY());
        m_shots.Take("credits_scrolling", frame,
                     {Section("credits art left of the text", frame, m_pics.Get("OxM_CreditsMenu.png"), 0, 0,
                              100, kHeight, 0, 0),
                      Whole("credits text", frame, m_pics.Get("OxM_CreditsText.png"), 100, y),
                      Fact("the credits are half way up", y > 0 && y < 300)});
        m_game.Tap(SDL_SCANCODE_SPACE);
    }

    // Background, portrait and text box of the story screen.
    std::vector<tCheck> StoryChecks(const tFrame& frame)
    {
        return {
            Section("story art", frame, m_pics.Get("OxM_IntroMenu.png"), 0, 0, kWidth, 240, 0, 0),
            Whole("portrait", frame, m_pics.Get("OxM_CaptainChar.png"), 258, 240),
            Section("text box", frame, m_pics.Get("OxM_TextBox.png"), 0, 0, 480, 8, 60, 392),
        };
    }

    void Story()
    {
        CLevelIntroState1* story = CLevelIntroState1::GetInstance();
        ChooseItem(CMainMenuState::ITEM_PLAY, story, "the story");
        const std::string line1 = CLevelIntroState1::LineText(1, false);
        m_game.RunUntil([&] { return story->GetTextTimer() >= line1.size() / 2.0f; }, 20000, kFrameMs,
                        "line 1 half typed");
        tFrame frame = m_game.CaptureFrame();
        const size_t shown = static_cast<size_t>(story->GetTextTimer());
        std::vector<tCheck> checks = StoryChecks(frame);
        checks.push_back(Text("typed part", frame, m_storyFont, line1.substr(0, shown), 75, 400));
        checks.push_back(Fact("line 1 is half typed", story->GetLine() == 1 && shown < line1.size() - 4));
        m_shots.Take("story_line_1_typing", frame, checks);

        // Space shows a line whole, then moves on.
        for (int i = 0; i < 6 && story->GetLine() < 4; ++i)
            m_game.Tap(SDL_SCANCODE_SPACE);
        if (story->GetLine() != 4)
            throw std::runtime_error("Space did not lead to line 4 of the story");
        frame = m_game.CaptureFrame();
        checks = StoryChecks(frame);
        checks.push_back(Text("line 4", frame, m_storyFont, CLevelIntroState1::LineText(4, false), 75, 400));
        m_shots.Take("story_line_4", frame, checks);
        ThroughTheStory();
    }

    void ThroughTheStory()
    {
        for (int i = 0; i < 12 && m_game.Top() == CLevelIntroState1::GetInstance(); ++i)
            m_game.Tap(SDL_SCANCODE_SPACE);
        Expect(m_game, CGamePlayState::GetInstance(), "the game");
    }

    // The level's ground below the HUD and the HUD's top rows, above the score (game objects may
    // cover a fifth of the ground).
    std::vector<tCheck> PlayChecks(const tFrame& frame, int y0 = 65, int y1 = kHeight)
    {
        CGamePlayState* play = CGamePlayState::GetInstance();
        const int level = std::min(play->GetLevel(), 3);
        const Picture& ground = m_pics.Get("OxM_Level" + std::to_string(level) + ".png");
        const Picture* clouds = level == 3 ? &m_pics.Get("OxM_Clouds.png") : nullptr;
        return {
            Section("HUD", frame, m_pics.Get("OxM_HUD.png"), 0, 0, 243, 17, 0, 0),
            Scrolled("level " + std::to_string(level) + (clouds ? " with clouds" : ""), frame, ground,
                     play->GetBackgroundOffset(), clouds, play->GetCloudsOffset(), y0, y1, 0.2),
        };
    }

    // Plays `ms` with the fire key held, steering for the last second, and captures the frame
    // that follows. The shots drop to the ground from under the bird and are drawn beneath it, so
    // only the trail left behind while it moves shows them.
    tFrame PlayFiring(uint32_t ms, SDL_Scancode steer)
    {
        m_game.Hold(SDL_SCANCODE_SPACE);
        m_game.Run(ms - 1000);
        m_game.Hold(steer);
        m_game.Run(1000);
        const tFrame frame = m_game.CaptureFrame();
        m_game.Release(steer);
        m_game.Release(SDL_SCANCODE_SPACE);
        return frame;
    }

    static bool ShotsInTheAir()
    {
        for (const CBase* object : CVKT_ObjectManager::GetInstance()->GetObjects())
            if (object->GetType() == OBJ_PLAYER_BULLET)
                return true;
        return false;
    }

    // The level's ground and HUD, that level, and the player's shots on their way down.
    void TakeLevel(const std::string& name, const tFrame& frame, int level)
    {
        std::vector<tCheck> checks = PlayChecks(frame);
        checks.push_back(
            Fact("level " + std::to_string(level), CGamePlayState::GetInstance()->GetLevel() == level));
        checks.push_back(Fact("shots in the air", ShotsInTheAir()));
        m_shots.Take(name, frame, checks);
    }

    void LevelOne() { TakeLevel("level_1_firing", PlayFiring(3000, SDL_SCANCODE_LEFT), 1); }

    void Pause()
    {
        CPauseState* pause = CPauseState::GetInstance();
        m_game.Tap(SDL_SCANCODE_ESCAPE);
        Expect(m_game, pause, "the pause screen");
        m_game.Tap(SDL_SCANCODE_DOWN);
        const tFrame frame = m_game.CaptureFrame();
        std::vector<tCheck> checks = PlayChecks(frame, 360, kHeight);
        checks.push_back(Whole("pause panel", frame, m_pics.Get("OxM_PauseMenu.png"), 160, 120));
        checks.push_back(
            Whole("cursor on Quit", frame, m_pics.Get("VKT_MenuCursor.png", kWhiteKey), 225 + 44, 244 + 45));
        checks.push_back(Fact("Quit chosen", pause->GetSelection() == CPauseState::ITEM_QUIT));
        m_shots.Take("pause_quit_selected", frame, checks);
        m_game.Tap(SDL_SCANCODE_UP);
        m_game.Tap(SDL_SCANCODE_RETURN);
        Expect(m_game, CGamePlayState::GetInstance(), "the game again");
    }

    // Key 2 ends the running level.
    void NextLevel(int level)
    {
        m_game.Tap(SDL_SCANCODE_2);
        m_game.RunUntil([&] { return CGamePlayState::GetInstance()->GetLevel() == level; }, 1000, kFrameMs,
                        "the next level");
    }

    void LevelTwo()
    {
        NextLevel(2);
        TakeLevel("level_2_firing", PlayFiring(2500, SDL_SCANCODE_RIGHT), 2);
    }

    void LevelThree()
    {
        NextLevel(3);
        TakeLevel("level_3_clouds", PlayFiring(4000, SDL_SCANCODE_UP), 3);
    }

    void ScoreEntry()
    {
        CEnterScorestate* entry = CEnterScorestate::GetInstance();
        m_game.Tap(SDL_SCANCODE_2);
        Expect(m_game, entry, "the score entry");
        m_game.Type(SDL_SCANCODE_A, "A");
        m_game.Type(SDL_SCANCODE_B, "b");
        m_game.Type(SDL_SCANCODE_3, "3");
        const tFrame frame = m_game.CaptureFrame();
        m_shots.Take("score_entry", frame,
                     {Section("HUD", frame, m_pics.Get("OxM_HUD.png"), 0, 0, 243, 17, 0, 0),
                      // Around the name's row: the name is drawn over the panel there.
                      Section("score panel above the name", frame, m_pics.Get("OxM_EnterScore.png"), 0, 0,
                              320, 108, 160, 120),
                      Section("score panel below the name", frame, m_pics.Get("OxM_EnterScore.png"), 0, 157,
                              320, 83, 160, 277),
                      Text("typed name", frame, m_playFont, kTypedName, 282, 228, 2),
                      Fact("the name is typed", entry->GetName() == kTypedName)});
        m_game.Tap(SDL_SCANCODE_RETURN);
        Expect(m_game, CMainMenuState::GetInstance(), "the main menu after the score entry");
    }

    std::vector<tCheck> HighScoreChecks(const tFrame& frame, int page)
    {
        const Picture& arrow = m_pics.Get("OxM_Arrow.png", kWhiteKey);
        std::vector<tCheck> checks = {
            // The rows above the second page's arrow, which reaches up 40 rows from y 84.
            Section("high scores art", frame, m_pics.Get("OxM_HighScoresMenu.png", kWhiteKey), 0, 0, kWidth,
                    40, 0, 0),
            page == 0 ? Whole("arrow down", frame, arrow, 598, 396)
                      : Section("arrow up", frame, arrow, 0, 0, arrow.width, arrow.height, 598, 84, true),
        };
        const tHighScore* table = CGame::GetInstance()->GetHighScores();
        for (int i = 0; i < CHighScoreMenuState::ROWS_PER_PAGE; ++i)
        {
            const int n = page * CHighScoreMenuState::ROWS_PER_PAGE + i;
            const std::string row =
                std::to_string(n + 1) + ". " + table[n].szName + " - " + std::to_string(table[n].nPoints);
            checks.push_back(Text("row " + std::to_string(n + 1), frame, m_menuFont, row, 145, 113 + 59 * i));
        }
        return checks;
    }

    void HighScores()
    {
        CHighScoreMenuState* scores = CHighScoreMenuState::GetInstance();
        ChooseItem(CMainMenuState::ITEM_HIGH_SCORES, scores, "the high scores");
        tFrame frame = m_game.CaptureFrame();
        std::vector<tCheck> checks = HighScoreChecks(frame, 0);
        checks.push_back(Fact("the demo table", std::strcmp(CGame::GetInstance()->GetHighScores()[0].szName,
                                                            kDemoTable[0].name) == 0));
        m_shots.Take("high_scores_page_0", frame, checks);
        m_game.Tap(SDL_SCANCODE_DOWN);
        frame = m_game.CaptureFrame();
        checks = HighScoreChecks(frame, 1);
        const tHighScore& last = CGame::GetInstance()->GetHighScores()[NUM_HIGH_SCORES - 1];
        checks.push_back(Fact("the typed name is in the table", std::strcmp(last.szName, kTypedName) == 0));
        m_shots.Take("high_scores_page_1", frame, checks);
        m_game.Tap(SDL_SCANCODE_ESCAPE);
    }

    // A second game, ended at once with keys 3 and 2: its 0 points do not enter the table now.
    void MissionComplete()
    {
        ChooseItem(CMainMenuState::ITEM_PLAY, CLevelIntroState1::GetInstance(), "the story");
        ThroughTheStory();
        m_game.Tap(SDL_SCANCODE_3);
        m_game.Tap(SDL_SCANCODE_2);
        CGamePlayState* play = CGamePlayState::GetInstance();
        m_game.RunUntil([&] { return play->IsGameOver(); }, 1000, kFrameMs, "the end of the game");
        m_game.Run(500);
        const tFrame frame = m_game.CaptureFrame();
        const char* line = "MISSION COMPLETE";
        std::vector<tCheck> checks = PlayChecks(frame, 65, 200);
        checks.push_back(Text("end line", frame, m_playFont, line,
                              (kWidth - 16 * static_cast<int>(std::strlen(line))) / 2, 228));
        checks.push_back(Fact("no score entry", m_game.Top() == play && play->IsGameCompleted()));
        m_shots.Take("mission_complete", frame, checks);
    }

    void Ending()
    {
        CLevelIntroState1* story = CLevelIntroState1::GetInstance();
        m_game.Tap(SDL_SCANCODE_SPACE);
        Expect(m_game, story, "the story's ending");
        for (int line = 1; line <= 2; ++line)
        {
            if (line > 1)
                m_game.Tap(SDL_SCANCODE_SPACE);
            m_game.RunUntil([&] { return story->IsLineComplete(); }, 20000, kFrameMs,
                            "an ending line typed out");
            const tFrame frame = m_game.CaptureFrame();
            std::vector<tCheck> checks = StoryChecks(frame);
            checks.push_back(
                Text("ending line", frame, m_storyFont, CLevelIntroState1::LineText(line, true), 75, 400));
            checks.push_back(Fact("the ending", story->IsEnding() && story->GetLine() == line));
            m_shots.Take("ending_line_" + std::to_string(line), frame, checks);
        }
    }

    HeadlessGame& m_game;
    CShots& m_shots;
    CPictures& m_pics;
    tFont m_menuFont;
    tFont m_playFont;
    tFont m_storyFont;
};

// Headless whatever the caller's environment says: no window on the desktop, no sound.
void UseHeadlessDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <Resource folder> <output folder>\n", argv[0]);
        return 2;
    }
    UseHeadlessDrivers();
    try
    {
        const fs::path resourceDir = fs::absolute(argv[1]);
        const fs::path outputDir = fs::absolute(argv[2]);
        CPictures pictures((resourceDir / "Graphics").string());
        CShots shots(outputDir);
        // Fixed, so that every run shows the same enemies in the same places.
        std::srand(20240);
        HeadlessGame::Options options;
        options.settingsXml = DemoSettings();
        options.resourceDir = resourceDir.string();
        options.strict = true;
        HeadlessGame game(options);
        CVisit(game, shots, pictures).All();
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
