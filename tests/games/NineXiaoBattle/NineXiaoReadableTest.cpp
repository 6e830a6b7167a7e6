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

namespace {

using NineXiaoReadableBusy = banktest::BusyAt<NineXiaoTest>;

// The same in a busy room at each window size: full nicknames, ten-digit
// amounts and negative figures, six players queued and a full record strip.
TEST_P(NineXiaoReadableBusy, EveryPhaseOfARound)
{
    tcbtest::RoundMessages round;
    std::vector<std::vector<int32_t>> records;
    for (int i = 0; i < 40; ++i)
        records.push_back({i % 2 != 0 ? AREA_WON : AREA_LOST, i % 3 != 0 ? AREA_WON : AREA_TIED, AREA_LOST});
    round.records = Records(records);
    round.free = Free(5);
    tcbtest::FillBusyRound<RoundStartMessage>(round, EndRecord(20), PlaySceneRecord(12, 1));
    ExpectEveryPhaseReadable(round, AtSize("ninexiao_busy"),
                             [](int area) { return "Image_area_" + std::to_string(area - 1); });
}

INSTANTIATE_TEST_SUITE_P(Sizes, NineXiaoReadableBusy, ::testing::ValuesIn(readables::kWindows),
                         readables::ByWindow);

}  // namespace
