// Nothing of the red-nine table lies over what a player reads, from free
// time through betting, the notices, the deal and the result to a table
// entered mid-round.
#include "RedNineFixture.h"

using namespace RedNineBattle;
using namespace rntest;

namespace {

class RedReadable : public RedNineTest
{
};

TEST_F(RedReadable, EveryPhaseOfARound)
{
    tcbtest::RoundMessages round;
    round.records = Records({{1, 0, 1}, {0, 0, 1}, {1, 1, 0}, {0, 1, 1}});
    round.free = Free(5, 1);
    round.start = Start(1, 500000000, 200000000, 20);
    round.end = End(20);
    round.bettingScene = BytesOf(PlaySceneRecord(12, 1));
    round.resultScene = BytesOf(PlaySceneRecord(9, 1));
    ExpectEveryPhaseReadable(round, "rednine", [](int area) { return "Image_area_" + std::to_string(area); });
}

}  // namespace
