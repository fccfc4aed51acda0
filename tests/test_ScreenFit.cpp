// The arithmetic of fitting the picture to the desktop: the window size the usable area has room
// for, frame included, and where the 640 x 480 picture lands in an output of any size.
#include "CVKT_ScreenFit.h"

#include <gtest/gtest.h>

namespace
{
constexpr tSize kPicture = {640, 480};
// A title bar of 25 and borders of 1 (openbox's look, near enough).
constexpr tSize kFrame = {2, 26};
} // namespace

TEST(ScreenFit, TheWindowIsTheLargestWholeMultipleThatFitsWithItsFrameAndAtLeastOneTimes)
{
    const struct
    {
        const char* what;
        tSize area;
        tSize frame;
        tSize window;
    } cases[] = {
        {"1920 x 1080", {1920, 1080}, kFrame, {1280, 960}},
        {"3840 x 2160", {3840, 2160}, kFrame, {2560, 1920}},
        {"1366 x 768", {1366, 768}, kFrame, {640, 480}},
        {"800 x 600", {800, 600}, kFrame, {640, 480}},
        {"1920 x 1080 less a 48-pixel panel", {1920, 1032}, kFrame, {1280, 960}},
        {"1920 x 1080 less a top bar and a 64-pixel dock", {1920, 984}, kFrame, {640, 480}},
        {"2560 x 1440 less a panel", {2560, 1400}, kFrame, {1280, 960}},
        {"exactly 2x with the frame", {1282, 986}, kFrame, {1280, 960}},
        {"one pixel short of 2x", {1282, 985}, kFrame, {640, 480}},
        {"narrower than the picture", {600, 400}, kFrame, {640, 480}},
        {"the width decides on a tall screen", {1080, 1920}, kFrame, {640, 480}},
        {"no frame", {1920, 1440}, {0, 0}, {1920, 1440}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CVKT_ScreenFit::LargestWindow(c.area, c.frame, kPicture), c.window) << c.what;
}

TEST(ScreenFit, ARememberedSizeFitsOnlyWithItsFrameInsideTheArea)
{
    const struct
    {
        tSize client;
        tSize area;
        bool fits;
    } cases[] = {
        {{1000, 750}, {1920, 1080}, true},   {{1918, 1054}, {1920, 1080}, true},
        {{1919, 1054}, {1920, 1080}, false}, {{1918, 1055}, {1920, 1080}, false},
        {{2560, 1920}, {1920, 1080}, false}, {{0, 750}, {1920, 1080}, false},
        {{1000, 0}, {1920, 1080}, false},    {{-5, 750}, {1920, 1080}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CVKT_ScreenFit::Fits(c.client, kFrame, c.area), c.fits)
            << c.client.nWidth << " x " << c.client.nHeight;
}

TEST(ScreenFit, ThePictureKeepsItsShapeCentredAndIsAWholeMultipleOnlyWhenItCoversOne)
{
    const struct
    {
        tSize output;
        tViewport view;
    } cases[] = {
        {{640, 480}, {0, 0, 640, 480, true}},
        {{1280, 960}, {0, 0, 1280, 960, true}},
        {{2560, 1920}, {0, 0, 2560, 1920, true}},
        // Room beside a whole multiple: bars, and still crisp.
        {{1300, 960}, {10, 0, 1280, 960, true}},
        {{1280, 1000}, {0, 20, 1280, 960, true}},
        // Full screen on common desktops: 2.25 and 1.6 times.
        {{1920, 1080}, {240, 0, 1440, 1080, false}},
        {{1024, 768}, {0, 0, 1024, 768, false}},
        // Resized windows: bars left and right, or above and below; the odd pixel goes right or down.
        {{1000, 600}, {100, 0, 800, 600, false}},
        {{800, 800}, {0, 100, 800, 600, false}},
        {{1001, 600}, {100, 0, 800, 600, false}},
        {{801, 601}, {0, 0, 801, 600, false}},
        {{640, 481}, {0, 0, 640, 480, true}},
        {{320, 240}, {0, 0, 320, 240, false}},
        {{0, 480}, {0, 0, 0, 0, false}},
    };
    for (const auto& c : cases)
    {
        const tViewport view = CVKT_ScreenFit::Letterbox(c.output, kPicture);
        SCOPED_TRACE(testing::Message() << c.output.nWidth << " x " << c.output.nHeight);
        EXPECT_EQ(view.nX, c.view.nX);
        EXPECT_EQ(view.nY, c.view.nY);
        EXPECT_EQ(view.nWidth, c.view.nWidth);
        EXPECT_EQ(view.nHeight, c.view.nHeight);
        EXPECT_EQ(view.bWholeMultiple, c.view.bWholeMultiple);
    }
}
