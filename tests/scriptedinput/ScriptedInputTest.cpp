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

TEST(ScriptedInput, DoubleAndRightClicksAndDragsNameTheirButtonAndPoints)
{
    std::vector<scripted::InputStep> steps;
    std::string error;
    ASSERT_TRUE(scripted::ReadInputSteps(
        {"--drag", "30:10,20,45.5,20", "--rclick=20:7,8", "--dblclick", "10:1,2", "--click", "40:3,4"}, steps, error))
        << error;
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].button, scripted::InputStep::kDouble);
    EXPECT_EQ(steps[1].button, scripted::InputStep::kRight);
    EXPECT_FLOAT_EQ(steps[1].y, 8);
    EXPECT_EQ(steps[2].button, scripted::InputStep::kDrag);
    EXPECT_TRUE(steps[2].click);
    EXPECT_FLOAT_EQ(steps[2].x, 10);
    EXPECT_FLOAT_EQ(steps[2].x2, 45.5f);
    EXPECT_FLOAT_EQ(steps[2].y2, 20);
    EXPECT_EQ(steps[3].button, scripted::InputStep::kLeft);
    // A drag needs both ends; a click takes one point only.
    for (const char* bad : {"9:1,2", "9:1,2,3", "9:1,2,3,4,5", "9:1,,3,4"})
    {
        steps.clear();
        EXPECT_FALSE(scripted::ReadInputSteps({"--drag", bad}, steps, error)) << bad;
        EXPECT_EQ(error, "--drag needs FRAME:X,Y,X2,Y2");
    }
    EXPECT_FALSE(scripted::ReadInputSteps({"--rclick", "9:1,2,3"}, steps, error));
}

}  // namespace
