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

namespace {

using RedReadableBusy = banktest::BusyAt<RedNineTest>;

// The same in a busy room at each window size: full nicknames, ten-digit
// amounts and negative figures, six players queued and a full record strip.
TEST_P(RedReadableBusy, EveryPhaseOfARound)
{
    tcbtest::RoundMessages round;
    std::vector<std::vector<uint8_t>> records;
    for (int i = 0; i < 40; ++i)
        records.push_back(
            {static_cast<uint8_t>(i % 2), static_cast<uint8_t>(i % 3 != 0), static_cast<uint8_t>(i % 5 == 0)});
    round.records = Records(records);
    round.free = Free(5, 1);
    tcbtest::FillBusyRound<RoundStartMessage>(round, EndRecord(20), PlaySceneRecord(12, 1));
    ExpectEveryPhaseReadable(round, AtSize("rednine_busy"),
                             [](int area) { return "Image_area_" + std::to_string(area); });
}

INSTANTIATE_TEST_SUITE_P(Sizes, RedReadableBusy, ::testing::ValuesIn(readables::kWindows), readables::ByWindow);

}  // namespace
