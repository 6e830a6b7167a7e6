#include "games/HorseBattle/RaceCourse.h"

#include "games/common/BankerBetting.h"

#include <algorithm>
#include <limits>

namespace HorseBattle {

using games::SaturatingAdd;
using games::SaturatingSub;

namespace {

int32_t Clamp32(int64_t value)
{
    return static_cast<int32_t>(std::max<int64_t>(std::numeric_limits<int32_t>::min(),
                                                  std::min<int64_t>(std::numeric_limits<int32_t>::max(), value)));
}

}  // namespace

const char* const kAreaPairs[kAreas] = {"1-6", "1-5", "1-4", "1-3", "1-2", "2-6", "2-5", "2-4",
                                        "2-3", "3-6", "3-5", "3-4", "4-6", "4-5", "5-6"};

bool HorsesOfArea(int area, int& first, int& second)
{
    if (area < 0 || area >= kAreas)
        return false;
    first = kAreaPairs[area][0] - '0';
    second = kAreaPairs[area][2] - '0';
    return true;
}

int AreaOfPair(int horseA, int horseB)
{
    const int low = std::min(horseA, horseB);
    const int high = std::max(horseA, horseB);
    if (low < 1 || high > kHorses || low == high)
        return -1;
    for (int area = 0; area < kAreas; ++area)
    {
        int first = 0, second = 0;
        HorsesOfArea(area, first, second);
        if (first == low && second == high)
            return area;
    }
    return -1;
}

void BuildRacePaths(const int32_t checkpoints[kHorses][kCheckpoints], const CourseTables& course,
                    int32_t paths[kHorses][kPathSteps])
{
    for (int h = 0; h < kHorses; ++h)
    {
        int32_t* path = paths[h];
        std::fill(path, path + kPathSteps, 0);
        int p = kPathSteps - 1;
        for (int s = kCheckpoints - 1; s >= 0; --s)
        {
            int hold = course.hold[h][s];
            const int delta = s % 2 == 1 ? course.forward[h][s] : -static_cast<int>(course.back[h][s]);
            // Summed wider than the path's 32 bits: a course near their ends is held there.
            int64_t value = checkpoints[h][s];
            int counter = 0;
            while (p >= kPathSteps - kCourseSteps)
            {
                path[p] = Clamp32(value);
                if (s >= 1 && ((s % 2 == 0 && value <= checkpoints[h][s - 1]) ||
                               (s % 2 == 1 && value >= checkpoints[h][s - 1])))
                    break;  // the next segment overwrites this entry
                if (counter >= hold)
                {
                    hold = course.steps[h][p - (kPathSteps - kCourseSteps)];
                    value += delta;
                    counter = 0;
                }
                else
                {
                    ++counter;
                }
                --p;
            }
        }
        // The rise to entry 190 in 64 bits: entry x step overflows 32 at
        // values of some eleven million.
        const int64_t last = path[kPathSteps - kCourseSteps];
        for (int i = 0; i < kPathSteps - kCourseSteps; ++i)
            path[i] = static_cast<int32_t>(last * i / (kPathSteps - kCourseSteps));
    }
}

int64_t StepDelta(const int32_t path[kPathSteps], int index)
{
    if (index <= 0)
        return path[0];
    if (index < kPathSteps - 1)
        return static_cast<int64_t>(path[index]) - path[index - 1];
    return 0;
}

Ranking RankHorses(const float x[kHorses])
{
    Ranking r;
    for (int h = 0; h < kHorses; ++h)
    {
        if (r.leader < 0 || x[h] > x[r.leader])
            r.leader = h;
    }
    for (int h = 0; h < kHorses; ++h)
    {
        if (h != r.leader && (r.runnerUp < 0 || x[h] > x[r.runnerUp]))
            r.runnerUp = h;
    }
    return r;
}

void FinishDistances(const Ranking& ranking, int first, int second, float reach, float distances[kHorses])
{
    for (int h = 0; h < kHorses; ++h)
        distances[h] = reach - 300;
    if (ranking.leader != first)
    {
        if (first >= 0 && first < kHorses)
            distances[first] = reach;
        if (second >= 0 && second < kHorses)
            distances[second] = reach - 200;
    }
    else if (ranking.runnerUp != second)
    {
        if (first >= 0 && first < kHorses)
            distances[first] = reach;
        if (second >= 0 && second < kHorses)
            distances[second] = reach;
    }
    else
    {
        for (int h = 0; h < kHorses; ++h)
            distances[h] = reach;
    }
}

int64_t MaxBet(bool haveRecord, int64_t score, const int64_t myBets[kAreas], const int64_t allBets[kAreas],
               int64_t areaLimit, int64_t userAreaLimit, int area)
{
    if (!haveRecord || area < 0 || area > kAreas)
        return 0;
    int64_t mine = 0;
    for (int a = 0; a < kAreas; ++a)
        mine = SaturatingAdd(mine, myBets[a]);
    int64_t most = SaturatingSub(score, mine);
    if (area < kAreas)
    {
        most = std::min(most, SaturatingSub(userAreaLimit, myBets[area]));
        most = std::min(most, SaturatingSub(areaLimit, allBets[area]));
    }
    return std::max<int64_t>(most, 0);
}

}  // namespace HorseBattle
