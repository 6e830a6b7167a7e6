// The rules of the horse race that the table plays back: the areas' pairs
// of horses, the path each horse runs from the server's course tables, the
// race's steps, the ranking and the finish run, and the most a player may
// still bet on an area. No engine: the board moves its horses by these.
#pragma once

#include <cstdint>

namespace HorseBattle {

constexpr int kHorses = 6;
constexpr int kAreas = 15;
constexpr int kCheckpoints = 10;
constexpr int kStepTable = 900;
constexpr int kPathSteps = 200;
// Only the last ten path entries come from the course; the rest rise evenly.
constexpr int kCourseSteps = 10;

// The pair of horses (1..6, smaller first) of each area, as the table names them.
extern const char* const kAreaPairs[kAreas];
// The area of a pair of horses 1..6 in either order; -1 for the same horse
// or a horse outside 1..6.
int AreaOfPair(int horseA, int horseB);
// A wire horse (0..5), or none (6) for anything else.
inline uint8_t CheckedHorse(uint8_t horse) { return horse < kHorses ? horse : kHorses; }
// The two horses (1..6) of an area; false outside 0..14.
bool HorsesOfArea(int area, int& first, int& second);

// The course of a race as the server sends it.
struct CourseTables
{
    uint8_t hold[kHorses][kCheckpoints] = {};     // hold counts
    uint8_t back[kHorses][kCheckpoints] = {};     // backward steps (even segments)
    uint8_t forward[kHorses][kCheckpoints] = {};  // forward steps (odd segments)
    uint8_t steps[kHorses][kStepTable] = {};      // step table
};

// Each horse's position offset at each of the 200 steps: the last ten from
// the checkpoints and tables, walking the segments from the last down, the
// first 190 rising evenly to entry 190. Values past the 32-bit range are
// held at its ends.
void BuildRacePaths(const int32_t checkpoints[kHorses][kCheckpoints], const CourseTables& course,
                    int32_t paths[kHorses][kPathSteps]);

// How far a horse moves at its step index: the first entry at 0, the rise
// from the entry before up to 198, nothing at 199 (it stays there).
int64_t StepDelta(const int32_t path[kPathSteps], int index);
// The index after a step: one on, never past 199.
inline int NextStepIndex(int index) { return index + 1 >= kPathSteps ? kPathSteps - 1 : index + 1; }

// The horse furthest on (the first met wins a tie) and the furthest of the
// others; -1 when there is none.
struct Ranking
{
    int leader = -1;
    int runnerUp = -1;
};
Ranking RankHorses(const float x[kHorses]);

// How far each horse runs in the finish run of `reach`: the first and
// second horses of the result come in first and second whatever the race
// showed. first and second are 0..5 (others run as also-rans).
void FinishDistances(const Ranking& ranking, int first, int second, float reach, float distances[kHorses]);

// The most I may still add on an area (0..14), or in all with area 15: my
// score less all my bets, and for an area also within my limit on it and
// the table's; never below 0. Nothing without my record, or above 15.
int64_t MaxBet(bool haveRecord, int64_t score, const int64_t myBets[kAreas], const int64_t allBets[kAreas],
               int64_t areaLimit, int64_t userAreaLimit, int area);

}  // namespace HorseBattle
