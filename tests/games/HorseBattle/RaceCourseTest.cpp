// The race's rules without the table: the areas' pairs, the paths built from
// the course tables, the steps, the ranking, the finish run and the most a
// player may still bet.
#include "games/HorseBattle/RaceCourse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>

using namespace HorseBattle;

namespace {

TEST(RaceCourse, EachAreaIsOnePairOfHorses)
{
    EXPECT_EQ(AreaOfPair(1, 6), 0);
    EXPECT_EQ(AreaOfPair(6, 1), 0);
    EXPECT_EQ(AreaOfPair(1, 2), 4);
    EXPECT_EQ(AreaOfPair(3, 2), 8);
    EXPECT_EQ(AreaOfPair(5, 6), 14);
    EXPECT_EQ(AreaOfPair(4, 4), -1);
    EXPECT_EQ(AreaOfPair(0, 3), -1);
    EXPECT_EQ(AreaOfPair(7, 3), -1);
    for (int area = 0; area < kAreas; ++area)
    {
        int a = 0, b = 0;
        ASSERT_TRUE(HorsesOfArea(area, a, b));
        EXPECT_LT(a, b);
        EXPECT_EQ(AreaOfPair(a, b), area);
    }
    int a = 0, b = 0;
    EXPECT_FALSE(HorsesOfArea(15, a, b));
    EXPECT_FALSE(HorsesOfArea(-1, a, b));
    EXPECT_EQ(CheckedHorse(5), 5);
    EXPECT_EQ(CheckedHorse(6), 6);
    EXPECT_EQ(CheckedHorse(200), 6);
}

class Paths : public ::testing::Test
{
protected:
    void SetUp() override
    {
        course = std::make_unique<CourseTables>();
        std::memset(checkpoints, 0, sizeof(checkpoints));
        std::memset(paths, 0, sizeof(paths));
    }
    void Build() { BuildRacePaths(checkpoints, *course, paths); }

    std::unique_ptr<CourseTables> course;
    int32_t checkpoints[kHorses][kCheckpoints];
    int32_t paths[kHorses][kPathSteps];
};

// Segment 9 holds its checkpoint for `hold` steps, then moves by its forward
// step every step-table count; it stops where it passes segment 8's value.
TEST_F(Paths, TheLastTenStepsFollowTheSegmentsFromTheLast)
{
    for (int s = 0; s < kCheckpoints; ++s)
        checkpoints[0][s] = 300;
    checkpoints[0][9] = 310;
    checkpoints[0][8] = 330;
    course->hold[0][9] = 2;
    course->forward[0][9] = 5;
    // After the first hold the step table gives the next (entries p - 190).
    course->steps[0][7] = 1;
    course->steps[0][5] = 0;
    course->steps[0][4] = 9;
    Build();
    // 199, 198, 197 hold 310; at 197 the count reaches 2: next hold from
    // steps[7] = 1, value 315 at 196; 195 holds; then steps[5] = 0 and 320 at
    // 194, then steps[4]... the value passes 330 only past the end.
    EXPECT_EQ(paths[0][199], 310);
    EXPECT_EQ(paths[0][198], 310);
    EXPECT_EQ(paths[0][197], 310);
    EXPECT_EQ(paths[0][196], 315);
    EXPECT_EQ(paths[0][195], 315);
    EXPECT_EQ(paths[0][194], 320);
    EXPECT_EQ(paths[0][193], 325);
    // The first 190 rise evenly to entry 190.
    EXPECT_EQ(paths[0][0], 0);
    EXPECT_EQ(paths[0][95], paths[0][190] * 95 / 190);
    EXPECT_EQ(paths[0][189], paths[0][190] * 189 / 190);
}

// An even segment moves back; a segment whose start already lies past the
// next checkpoint gives way at once, and the next one writes the same entry.
TEST_F(Paths, ASegmentThatMeetsTheNextCheckpointGivesWayAtOnce)
{
    checkpoints[1][9] = 100;
    checkpoints[1][8] = 100;  // 100 >= 100: segment 9 gives way at 199
    for (int s = 0; s <= 7; ++s)
        checkpoints[1][s] = 90;  // segment 8 (even): 100 > 90, so it runs
    course->back[1][8] = 4;
    course->hold[1][8] = 0;
    for (int i = 0; i < kStepTable; ++i)
        course->steps[1][i] = 0;
    Build();
    // Segment 8 moves back 4 a step: 100, 96, 92, then 88 <= 90 gives way;
    // segments 7 to 1 meet their neighbours' 90 at once, each writing 90 over
    // entry 196, and segment 0 holds 90 to the end.
    EXPECT_EQ(paths[1][199], 100);
    EXPECT_EQ(paths[1][198], 96);
    EXPECT_EQ(paths[1][197], 92);
    EXPECT_EQ(paths[1][196], 90);
    EXPECT_EQ(paths[1][190], 90);
}

// F10: entry 190 times the step overflows 32 bits from some eleven million
// on; the rise is worked out in 64 bits and a course at the ends is held.
TEST_F(Paths, LargeCoursesNeitherWrapNorOverflow)
{
    for (int s = 0; s < kCheckpoints; ++s)
    {
        checkpoints[2][s] = 20000000;
        checkpoints[3][s] = std::numeric_limits<int32_t>::max();
        checkpoints[4][s] = std::numeric_limits<int32_t>::min();
    }
    for (int s = 1; s < kCheckpoints; s += 2)
        course->forward[3][s] = 255;
    course->back[4][0] = 255;
    Build();
    EXPECT_EQ(paths[2][189], static_cast<int32_t>(20000000LL * 189 / 190));
    EXPECT_GT(paths[2][189], 0);
    for (int i = 1; i < kPathSteps; ++i)
    {
        EXPECT_GE(paths[3][i], paths[3][i - 1]) << i;
        EXPECT_LE(paths[4][i], paths[4][i - 1]) << i;
    }
    EXPECT_EQ(paths[3][199], std::numeric_limits<int32_t>::max());
    EXPECT_EQ(paths[4][190], std::numeric_limits<int32_t>::min());
}

TEST(RaceCourse, StepsMoveByThePathAndStopAtTheLastEntry)
{
    int32_t path[kPathSteps];
    for (int i = 0; i < kPathSteps; ++i)
        path[i] = 3 * i + 7;
    EXPECT_EQ(StepDelta(path, 0), 7);
    EXPECT_EQ(StepDelta(path, 1), 3);
    EXPECT_EQ(StepDelta(path, 198), 3);
    EXPECT_EQ(StepDelta(path, 199), 0);
    EXPECT_EQ(NextStepIndex(0), 1);
    EXPECT_EQ(NextStepIndex(198), 199);
    EXPECT_EQ(NextStepIndex(199), 199);
    // Summed over every step a horse ends on its last entry but one's value
    // plus nothing: the path's entry 198.
    int64_t x = 0;
    int index = 0;
    for (int step = 0; step < 500; ++step)
    {
        x += StepDelta(path, index);
        index = NextStepIndex(index);
    }
    EXPECT_EQ(x, path[198]);
}

TEST(RaceCourse, TheLeaderIsTheHorseFurthestOnTheFirstOfEqualsWinning)
{
    const float x[kHorses] = {100, 300, 250, 300, 50, 299};
    Ranking r = RankHorses(x);
    EXPECT_EQ(r.leader, 1);
    EXPECT_EQ(r.runnerUp, 3);
    const float same[kHorses] = {5, 5, 5, 5, 5, 5};
    r = RankHorses(same);
    EXPECT_EQ(r.leader, 0);
    EXPECT_EQ(r.runnerUp, 1);
}

// The finish brings the result's first and second in whatever the race showed.
TEST(RaceCourse, TheFinishRunBringsTheResultIn)
{
    float d[kHorses];
    FinishDistances(Ranking{2, 3}, 4, 5, 1040, d);
    EXPECT_EQ(d[4], 1040);
    EXPECT_EQ(d[5], 840);
    EXPECT_EQ(d[0], 740);
    EXPECT_EQ(d[2], 740);
    FinishDistances(Ranking{4, 3}, 4, 5, 1040, d);
    EXPECT_EQ(d[4], 1040);
    EXPECT_EQ(d[5], 1040);
    EXPECT_EQ(d[3], 740);
    FinishDistances(Ranking{4, 5}, 4, 5, 1040, d);
    for (float distance : d)
        EXPECT_EQ(distance, 1040);
    // No result horse: the others run their short way only.
    FinishDistances(Ranking{1, 2}, 6, 6, 1040, d);
    for (float distance : d)
        EXPECT_EQ(distance, 740);
}

TEST(RaceCourse, TheMostIMayBetStaysWithinEveryLimitAndNeverBelowNothing)
{
    int64_t mine[kAreas] = {};
    int64_t all[kAreas] = {};
    EXPECT_EQ(MaxBet(false, 1000000, mine, all, 10000000, 500000, 3), 0);
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 500000, 3), 500000);
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 0, 3), 0);
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 0, 15), 1000000);
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 0, 16), 0);
    mine[3] = 400000;
    all[3] = 9950000;
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 500000, 3), 50000);
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 500000, 15), 600000);
    all[3] = 20000000;
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 500000, 3), 0);
    // Amounts at the ends of 64 bits do not wrap into a large allowance.
    mine[0] = std::numeric_limits<int64_t>::min();
    EXPECT_GE(MaxBet(true, 1000000, mine, all, 10000000, 500000, 15), 0);
    mine[0] = std::numeric_limits<int64_t>::max();
    EXPECT_EQ(MaxBet(true, 1000000, mine, all, 10000000, 500000, 15), 0);
}

}  // namespace
