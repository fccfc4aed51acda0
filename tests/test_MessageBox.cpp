// Failure messages: written to standard error, seen by a listener, each distinct one once per run.
#include "CVKT_MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(MessageBoxTest, EachDistinctMessageIsReportedOncePerRun)
{
    std::vector<std::string> seen;
    CVKT_MessageBox::SetListener([&](const std::string& title, const std::string& text)
                                 { seen.push_back(title + "|" + text); });
    testing::internal::CaptureStderr();
    CVKT_MessageBox::Show(nullptr, "Failed to Create Texture - a.png", "TextureManager Error");
    CVKT_MessageBox::Show(nullptr, "Failed to Create Texture - a.png", "TextureManager Error");
    CVKT_MessageBox::Show(nullptr, "Failed to Create Texture - b.png", "TextureManager Error");
    CVKT_MessageBox::Show(nullptr, "Failed to Create Texture - a.png", "Other Title");
    CVKT_MessageBox::Show(nullptr, nullptr, nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    CVKT_MessageBox::SetListener({});

    EXPECT_EQ(seen, (std::vector<std::string>{"TextureManager Error|Failed to Create Texture - a.png",
                                              "TextureManager Error|Failed to Create Texture - b.png",
                                              "Other Title|Failed to Create Texture - a.png", "|"}));
    EXPECT_EQ(err, "TextureManager Error: Failed to Create Texture - a.png\n"
                   "TextureManager Error: Failed to Create Texture - b.png\n"
                   "Other Title: Failed to Create Texture - a.png\n"
                   ": \n");
}

TEST(MessageBoxTest, NoBoxWithoutARealDisplay)
{
    // Under the dummy video driver (or with video not started) a box would have nowhere to show and
    // must never block a run.
    EXPECT_FALSE(CVKT_MessageBox::DisplayAvailable());
}
