// Nothing of the little-nine table lies over what a player reads, from free
// time through betting, the notices, the deal and the result to a table
// entered mid-round.
#include "NineXiaoFixture.h"

using namespace NineXiaoBattle;
using namespace nxtest;

namespace {

class NineXiaoReadable : public NineXiaoTest
{
};

TEST_F(NineXiaoReadable, EveryPhaseOfARound)
{
    tcbtest::RoundMessages round;
    round.records = Records({{AREA_WON, AREA_LOST, AREA_TIED}, {AREA_LOST, AREA_LOST, AREA_WON}});
    round.free = Free(5);
    round.start = Start(1, 500000000, 200000000, 20);
    round.end = End(20);
    round.bettingScene = BytesOf(PlaySceneRecord(12, 1));
    round.resultScene = BytesOf(PlaySceneRecord(9, 1));
    ExpectEveryPhaseReadable(round, "ninexiao", [](int area) { return "Image_area_" + std::to_string(area - 1); });
}

}  // namespace
