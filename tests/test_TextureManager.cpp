// The texture manager on the real software renderer: slots, reference counts, letter case, failed
// loads, colour keys, the draw transform (checked on pixels read back) and device resets.
#include "CVKT_Direct3D.h"
#include "CVKT_MessageBox.h"
#include "CVKT_Sprite.h"
#include "CVKT_TextureManager.h"
#include "CVKT_Window.h"

#include "Files.h"
#include "InputEvents.h"
#include "RendererBench.h"
#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kYellow = 0xFFFFFF00;
constexpr uint32_t kBackground = 0xFF000080;

// A square image whose quadrants have four colours, so orientation is visible in the pixels:
// top-left red, top-right green, bottom-left blue, bottom-right yellow.
std::vector<uint32_t> Quadrants(int size)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            const bool right = x >= size / 2;
            const bool bottom = y >= size / 2;
            pixels[y * size + x] = bottom ? (right ? kYellow : kBlue) : (right ? kGreen : kRed);
        }
    return pixels;
}

class TextureManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        renderer = std::make_unique<headless::RendererBench>();
        tm = CVKT_TextureManager::GetInstance();
        CVKT_MessageBox::SetListener([this](const std::string& title, const std::string& text)
                                     { messages.push_back(title + "|" + text); });
    }
    void TearDown() override
    {
        CVKT_MessageBox::SetListener({});
        renderer.reset();
    }

    std::string MakeImage(const std::string& name, int size, const std::vector<uint32_t>& pixels)
    {
        const std::string path = dir / name;
        headless::WritePng(path, size, size, pixels);
        return path;
    }

    headless::ScopedTempDir dir;
    std::unique_ptr<headless::RendererBench> renderer;
    CVKT_TextureManager* tm = nullptr;
    std::vector<std::string> messages;
};
} // namespace

TEST_F(TextureManagerTest, SameFileInAnyLetterCaseSharesOneSlotWithoutTouchingTheDisk)
{
    const std::string path = MakeImage("Sprite.png", 8, Quadrants(8));
    const int first = tm->LoadTexture(path.c_str(), 0);
    ASSERT_EQ(first, 0);
    std::remove(path.c_str()); // a second read would now fail

    std::string shouted = path;
    for (char& ch : shouted)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(tm->LoadTexture(shouted.c_str(), 0), first);
    EXPECT_EQ(tm->GetRefCount(first), 2);
    EXPECT_TRUE(messages.empty());

    tm->UnloadTexture(first);
    EXPECT_EQ(tm->GetRefCount(first), 1) << "still shared";
    tm->UnloadTexture(first);
    EXPECT_EQ(tm->GetRefCount(first), 0);
    tm->UnloadTexture(first);
    EXPECT_EQ(tm->GetRefCount(first), 0) << "unloading a free slot never goes negative";
}

TEST_F(TextureManagerTest, NamesThatDifferBeyondLetterCaseAreDifferentFiles)
{
    const std::string path = MakeImage("a.png", 4, Quadrants(4));
    headless::ScopedWorkingDir cwd(dir.Path());
    const int plain = tm->LoadTexture("a.png", 0);
    const int dotted = tm->LoadTexture("./a.png", 0);
    EXPECT_NE(plain, -1);
    EXPECT_NE(dotted, -1);
    EXPECT_NE(plain, dotted);
}

TEST_F(TextureManagerTest, FreedSlotsAreReusedLowestFirst)
{
    const int a = tm->LoadTexture(MakeImage("a.png", 4, Quadrants(4)).c_str(), 0);
    const int b = tm->LoadTexture(MakeImage("b.png", 4, Quadrants(4)).c_str(), 0);
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);
    tm->UnloadTexture(a);
    const int c = tm->LoadTexture(MakeImage("c.png", 4, Quadrants(4)).c_str(), 0);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(tm->GetRefCount(b), 1);
    EXPECT_EQ(tm->GetSlotCount(), 2);
}

TEST_F(TextureManagerTest, MissingFileReportsOnceAndALaterLoadTriesAgain)
{
    const std::string path = dir / "late.png";
    EXPECT_EQ(tm->LoadTexture(path.c_str(), 0), -1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "TextureManager Error|Failed to Create Texture - " + path);

    EXPECT_EQ(tm->LoadTexture(path.c_str(), 0), -1);
    EXPECT_EQ(messages.size(), 1u) << "the same failure is reported once per run";
    EXPECT_EQ(tm->LoadTexture((dir / "other.png").c_str(), 0), -1);
    EXPECT_EQ(messages.size(), 2u) << "another file is another failure";

    MakeImage("late.png", 4, Quadrants(4));
    const int id = tm->LoadTexture(path.c_str(), 0);
    EXPECT_NE(id, -1);
    EXPECT_EQ(tm->GetTextureWidth(id), 4);
}

TEST_F(TextureManagerTest, GarbageAndOverlongNamesFailCleanly)
{
    const std::string garbage = dir / "garbage.png";
    headless::WriteFile(garbage, "this is not an image at all");
    EXPECT_EQ(tm->LoadTexture(garbage.c_str(), 0), -1);
    EXPECT_EQ(tm->LoadTexture(std::string(400, 'x').c_str(), 0), -1);
    EXPECT_EQ(tm->LoadTexture(nullptr, 0), -1);
    EXPECT_EQ(messages.size(), 2u) << "a null name fails without a message";
}

TEST_F(TextureManagerTest, FailureIdIsIgnoredEverywhere)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->SpriteBegin();
    EXPECT_FALSE(tm->DrawTexture(-1, 0, 0));
    d3d->SpriteEnd();
    tm->UnloadTexture(-1);
    EXPECT_EQ(tm->GetSlotCount(), 0);
}

TEST_F(TextureManagerTest, ShutdownReleasesEverySlotWhateverItsCount)
{
    const int a = tm->LoadTexture(MakeImage("a.png", 4, Quadrants(4)).c_str(), 0);
    tm->LoadTexture((dir / "A.PNG").c_str(), 0);
    ASSERT_EQ(tm->GetRefCount(a), 2);
    tm->ShutdownTextureManager();
    EXPECT_EQ(tm->GetSlotCount(), 0);
    EXPECT_EQ(tm->LoadTexture((dir / "a.png").c_str(), 0), -1) << "no device after shutdown";
}

TEST_F(TextureManagerTest, ColourKeysMakeExactlyThosePixelsTransparent)
{
    std::vector<uint32_t> pixels = {0xFF000000, 0xFFFFFFFF, 0xFF010101, 0xFFFEFEFE};
    const std::string path = dir / "keys.png";
    headless::WritePng(path, 2, 2, pixels);
    const int black = tm->LoadTexture(path.c_str(), 0xFF000000);
    ASSERT_NE(black, -1);
    const std::vector<uint32_t> frame =
        renderer->Frame([&] { tm->DrawTexture(black, 10, 10, 4.0f, 4.0f); }, 0x20, 0x40, 0x60);
    const uint32_t background = 0xFF204060;
    EXPECT_EQ(renderer->Pixel(frame, 11, 11), background) << "opaque black keyed out";
    EXPECT_EQ(renderer->Pixel(frame, 15, 11), 0xFFFFFFFFu);
    EXPECT_EQ(renderer->Pixel(frame, 11, 15), 0xFF010101u) << "near-black stays";
    tm->UnloadTexture(black);

    const int white = tm->LoadTexture(path.c_str(), 0xFFFFFFFF);
    const std::vector<uint32_t> frame2 =
        renderer->Frame([&] { tm->DrawTexture(white, 10, 10, 4.0f, 4.0f); }, 0x20, 0x40, 0x60);
    EXPECT_EQ(renderer->Pixel(frame2, 11, 11), 0xFF000000u);
    EXPECT_EQ(renderer->Pixel(frame2, 15, 11), background) << "opaque white keyed out";
    EXPECT_EQ(renderer->Pixel(frame2, 15, 15), 0xFFFEFEFEu);
}

TEST_F(TextureManagerTest, ClearFillsWithOpaqueDarkBlue)
{
    const std::vector<uint32_t> frame = renderer->Frame([] {});
    EXPECT_EQ(renderer->Pixel(frame, 0, 0), kBackground);
    EXPECT_EQ(renderer->Pixel(frame, 639, 479), kBackground);
}

TEST_F(TextureManagerTest, SpritesQueuedBeforeARectangleFillStillLandOnTopOfIt)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 32, Quadrants(32)).c_str(), 0);
    const std::vector<uint32_t> frame = renderer->Frame(
        [&]
        {
            tm->DrawTexture(id, 100, 100);
            CVKT_Direct3D::GetInstance()->DrawRect(RECT{0, 0, 640, 480}, 0, 0, 0);
        });
    EXPECT_EQ(renderer->Pixel(frame, 100, 100), kRed);
    EXPECT_EQ(renderer->Pixel(frame, 131, 131), kYellow);
    EXPECT_EQ(renderer->Pixel(frame, 99, 100), 0xFF000000u) << "the fill blanks the rest";
    EXPECT_EQ(renderer->Pixel(frame, 639, 479), 0xFF000000u);
}

TEST_F(TextureManagerTest, SectionIsCutAndClampedToTheImage)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 32, Quadrants(32)).c_str(), 0);
    const RECT green = {16, 0, 16 + 16, 16};
    const RECT beyond = {16, 16, 500, 500};
    const std::vector<uint32_t> frame = renderer->Frame(
        [&]
        {
            tm->DrawTexture(id, 10, 10, 1.0f, 1.0f, &green);
            tm->DrawTexture(id, 50, 10, 1.0f, 1.0f, &beyond);
        });
    EXPECT_EQ(renderer->Pixel(frame, 10, 10), kGreen);
    EXPECT_EQ(renderer->Pixel(frame, 25, 25), kGreen);
    EXPECT_EQ(renderer->Pixel(frame, 26, 10), kBackground);
    EXPECT_EQ(renderer->Pixel(frame, 65, 25), kYellow);
    EXPECT_EQ(renderer->Pixel(frame, 66, 10), kBackground) << "nothing beyond the image is read";
}

TEST_F(TextureManagerTest, RotationAboutACentreInSectionPixels)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 32, Quadrants(32)).c_str(), 0);
    const RECT section = {0, 0, 32, 32};
    const float halfPi = 1.5707964f;
    const std::vector<uint32_t> frame =
        renderer->Frame([&] { tm->DrawTexture(id, 100, 50, 1.0f, 1.0f, &section, 16.0f, 16.0f, halfPi); });
    // A quarter turn clockwise about the middle: the top-left corner goes to (132, 50), so the red
    // quadrant now fills the top right and its first texel covers pixel (131, 50).
    EXPECT_EQ(renderer->Pixel(frame, 131, 50), kRed);
    EXPECT_EQ(renderer->Pixel(frame, 116, 50), kRed);
    EXPECT_EQ(renderer->Pixel(frame, 100, 50), kBlue);
    EXPECT_EQ(renderer->Pixel(frame, 131, 81), kGreen);
    EXPECT_EQ(renderer->Pixel(frame, 100, 81), kYellow);
    EXPECT_EQ(renderer->Pixel(frame, 99, 50), kBackground);
    EXPECT_EQ(renderer->Pixel(frame, 132, 50), kBackground);
    EXPECT_EQ(renderer->Pixel(frame, 100, 82), kBackground);
}

TEST_F(TextureManagerTest, NegativeScalesMirrorAboutTheDrawPosition)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 32, Quadrants(32)).c_str(), 0);
    const std::vector<uint32_t> frame = renderer->Frame(
        [&]
        {
            tm->DrawTexture(id, 200, 84, 1.0f, -1.0f);  // occupies the rows above 84
            tm->DrawTexture(id, 400, 200, -1.0f, 1.0f); // occupies the columns left of 400
        });
    EXPECT_EQ(renderer->Pixel(frame, 200, 83), kRed) << "the top row is now at the bottom";
    EXPECT_EQ(renderer->Pixel(frame, 200, 52), kBlue);
    EXPECT_EQ(renderer->Pixel(frame, 231, 83), kGreen);
    EXPECT_EQ(renderer->Pixel(frame, 200, 84), kBackground);
    EXPECT_EQ(renderer->Pixel(frame, 200, 51), kBackground);

    EXPECT_EQ(renderer->Pixel(frame, 399, 200), kRed);
    EXPECT_EQ(renderer->Pixel(frame, 368, 200), kGreen);
    EXPECT_EQ(renderer->Pixel(frame, 400, 200), kBackground);
}

TEST_F(TextureManagerTest, MirroringAndRotationCombine)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 32, Quadrants(32)).c_str(), 0);
    const float halfPi = 1.5707964f;
    // Mirrored in x, then a quarter turn about (16, 16): section pixel (u, v) lands at
    // x = -(16 - (v - 16)) + 300, y = 16 + (u - 16) + 100.
    const std::vector<uint32_t> frame =
        renderer->Frame([&] { tm->DrawTexture(id, 300, 100, -1.0f, 1.0f, nullptr, 16.0f, 16.0f, halfPi); });
    // u = 0..15, v = 0..15 (red) lands at x in 268..283 and y in 100..115.
    EXPECT_EQ(renderer->Pixel(frame, 270, 102), kRed);
    // u = 16..31, v = 0..15 (green) lands at x in 268..283 and y in 116..131.
    EXPECT_EQ(renderer->Pixel(frame, 270, 125), kGreen);
    // v = 16..31 (blue, yellow) lands at x in 284..299.
    EXPECT_EQ(renderer->Pixel(frame, 290, 102), kBlue);
    EXPECT_EQ(renderer->Pixel(frame, 290, 125), kYellow);
}

TEST_F(TextureManagerTest, RotationWithUnequalScalesFollowsTheSameMatrix)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 32, Quadrants(32)).c_str(), 0);
    const float halfPi = 1.5707964f;
    // Scale (2, 1) after a quarter turn about (0, 0): (u, v) -> (-2v + 300, u + 100).
    const std::vector<uint32_t> frame =
        renderer->Frame([&] { tm->DrawTexture(id, 300, 100, 2.0f, 1.0f, nullptr, 0.0f, 0.0f, halfPi); });
    EXPECT_EQ(renderer->Pixel(frame, 290, 104), kRed);    // v ~ 5, u ~ 4
    EXPECT_EQ(renderer->Pixel(frame, 250, 104), kBlue);   // v ~ 25, u ~ 4
    EXPECT_EQ(renderer->Pixel(frame, 290, 125), kGreen);  // v ~ 5, u ~ 25
    EXPECT_EQ(renderer->Pixel(frame, 250, 125), kYellow); // v ~ 25, u ~ 25
    EXPECT_EQ(renderer->Pixel(frame, 302, 110), kBackground);
}

TEST_F(TextureManagerTest, ColourModulatesAndAlphaBlends)
{
    std::vector<uint32_t> white(16 * 16, 0xFFFFFFFF);
    const int id = tm->LoadTexture(MakeImage("w.png", 16, white).c_str(), 0);
    const std::vector<uint32_t> frame = renderer->Frame(
        [&]
        {
            tm->DrawTexture(id, 0, 0, 1.0f, 1.0f, nullptr, 0, 0, 0, 0x80FFFFFF);
            tm->DrawTexture(id, 20, 0, 1.0f, 1.0f, nullptr, 0, 0, 0, 0xFF00FF00);
            tm->DrawTexture(id, 40, 0); // the modulation of an earlier draw must not stick
        },
        0, 0, 0);
    const uint32_t half = renderer->Pixel(frame, 5, 5);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x80, 2);
    EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 0x80, 2);
    EXPECT_EQ(renderer->Pixel(frame, 25, 5), kGreen);
    EXPECT_EQ(renderer->Pixel(frame, 45, 5), 0xFFFFFFFFu);
}

TEST_F(TextureManagerTest, DrawsOutsideAnOpenBatchFail)
{
    const int id = tm->LoadTexture(MakeImage("q.png", 4, Quadrants(4)).c_str(), 0);
    EXPECT_FALSE(tm->DrawTexture(id, 0, 0));
}

TEST_F(TextureManagerTest, ALostDeviceIsSurvivedWithoutReadingAnyFile)
{
    const std::string path = MakeImage("q.png", 32, Quadrants(32));
    const int id = tm->LoadTexture(path.c_str(), 0);
    std::remove(path.c_str());

    SDL_Event reset;
    SDL_zero(reset);
    reset.type = SDL_RENDER_DEVICE_RESET;
    SDL_PushEvent(&reset);
    CVKT_Window::GetInstance()->PeekMessages(); // routes the reset to the renderer

    const std::vector<uint32_t> frame = renderer->Frame([&] { tm->DrawTexture(id, 10, 10); });
    EXPECT_EQ(renderer->Pixel(frame, 10, 10), kRed);
    EXPECT_EQ(renderer->Pixel(frame, 41, 41), kYellow);
    EXPECT_TRUE(messages.empty());
}

namespace
{
// Counts the presents that reach the window.
void CountPresent(void* pUser)
{
    ++*static_cast<int*>(pUser);
}

// One frame as the game draws it: clear, one batch, present.
void GameFrame(int nID, int nX, unsigned char ucBlue = 128)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    d3d->Clear(0, 0, ucBlue);
    d3d->DeviceBegin();
    d3d->SpriteBegin();
    CVKT_TextureManager::GetInstance()->DrawTexture(nID, nX, 10);
    d3d->SpriteEnd();
    d3d->DeviceEnd();
    d3d->Present();
}
} // namespace

TEST_F(TextureManagerTest, AFrameThatRepeatsThePictureOnShowIsNotPresentedAgain)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    const int id = tm->LoadTexture(MakeImage("q.png", 8, Quadrants(8)).c_str(), 0);
    struct
    {
        const char* what;
        std::function<void()> between;
        std::function<void()> frame;
        bool presented;
    } cases[] = {
        {"nothing changed", [] {}, [&] { GameFrame(id, 10); }, false},
        {"a sprite moved", [] {}, [&] { GameFrame(id, 11); }, true},
        {"another clear colour", [] {}, [&] { GameFrame(id, 10, 64); }, true},
        {"a rectangle drawn between the frames",
         [&] {
             d3d->DrawRect(RECT{0, 0, 8, 8}, 255, 0, 0);
         },
         [&] { GameFrame(id, 10); }, true},
        {"the window exposed",
         [&] { headless::PushWindowEvent(renderer->Window(), SDL_WINDOWEVENT_EXPOSED); },
         [&]
         {
             CVKT_Window::GetInstance()->PeekMessages();
             GameFrame(id, 10);
         },
         true},
        {"a texture loaded", [&] { tm->LoadTexture(MakeImage("other.png", 4, Quadrants(4)).c_str(), 0); },
         [&] { GameFrame(id, 10); }, true},
        {"a lost device", [&] { d3d->OnDeviceLost(); }, [&] { GameFrame(id, 10); }, true},
        {"a display switch", [&] { d3d->ChangeDisplayParam(640, 480, true); }, [&] { GameFrame(id, 10); },
         true},
    };
    int presents = 0;
    d3d->SetPresentListener(&CountPresent, &presents);
    for (const auto& c : cases)
    {
        GameFrame(id, 10);
        c.between();
        presents = 0;
        c.frame();
        EXPECT_EQ(presents, c.presented ? 1 : 0) << c.what;
    }
    d3d->SetPresentListener(nullptr, nullptr);
}

TEST_F(TextureManagerTest, AFrameHeldBackIsDrawnWhenTheBackBufferIsRead)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    const int id = tm->LoadTexture(MakeImage("q.png", 8, Quadrants(8)).c_str(), 0);
    GameFrame(id, 10);
    // Scribbled over behind the renderer's back, then the same frame again.
    SDL_SetRenderDrawColor(d3d->GetDirect3DDevice(), 0, 255, 0, 255);
    SDL_RenderFillRect(d3d->GetDirect3DDevice(), nullptr);
    GameFrame(id, 10);
    const std::vector<uint32_t> pixels = renderer->ReadBack();
    EXPECT_EQ(renderer->Pixel(pixels, 10, 10), kRed);
    EXPECT_EQ(renderer->Pixel(pixels, 100, 100), kBackground);
}

TEST(RendererTest, InitWithoutAWindowFailsAndCreatesNothing)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    EXPECT_FALSE(d3d->InitDirect3D(nullptr, 640, 480, true, false));
    EXPECT_EQ(d3d->GetDirect3DDevice(), nullptr);
    EXPECT_EQ(d3d->GetSprite(), nullptr);
}

TEST_F(TextureManagerTest, LinesAndTextDrawOnTheBackBuffer)
{
    CVKT_Direct3D* d3d = CVKT_Direct3D::GetInstance();
    const std::vector<uint32_t> frame = renderer->Frame(
        [&]
        {
            d3d->DrawLine(10, 100, 200, 100, 255, 0, 0);
            d3d->DrawText("X", 300, 300, 0, 255, 0);
        });
    EXPECT_EQ(renderer->Pixel(frame, 100, 100), kRed);
    EXPECT_EQ(renderer->Pixel(frame, 100, 104), kBackground);
    int green = 0;
    for (int y = 300; y < 308; ++y)
        for (int x = 300; x < 308; ++x)
            green += renderer->Pixel(frame, x, y) == kGreen;
    EXPECT_GT(green, 4) << "the glyph of X is drawn in the text colour";
}
