// Reading the scripted clicks and typing of a headless run.
#include "tools/scriptedinput/ScriptedInput.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptedInput, StepsAreReadInFrameOrder)
{
    std::vector<scripted::InputStep> steps;
    std::string error;
    ASSERT_TRUE(scripted::ReadInputSteps({"--click", "90:374,216", "--room", "x", "--type=60:abc 1", "--click=5:1.5,2"},
                                         steps, error))
        << error;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].frame, 5);
    EXPECT_FLOAT_EQ(steps[0].x, 1.5f);
    EXPECT_EQ(steps[1].text, "abc 1");
    EXPECT_TRUE(steps[2].click);
    EXPECT_FLOAT_EQ(steps[2].y, 216);
    for (const char* bad : {"90", "x:1,2", "9:1", "9:1,2x", ":1,2"})
    {
        steps.clear();
        EXPECT_FALSE(scripted::ReadInputSteps({"--click", bad}, steps, error)) << bad;
    }
    // Screenshots at given frames, each with its file.
    steps.clear();
    ASSERT_TRUE(scripted::ReadInputSteps({"--shot", "300:/tmp/a.png", "--shot=100:b.png"}, steps, error)) << error;
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_TRUE(steps[0].shot);
    EXPECT_FALSE(steps[0].click);
    EXPECT_EQ(steps[0].frame, 100);
    EXPECT_EQ(steps[1].text, "/tmp/a.png");
    EXPECT_FALSE(scripted::ReadInputSteps({"--shot", "300:"}, steps, error));
}

}  // namespace
