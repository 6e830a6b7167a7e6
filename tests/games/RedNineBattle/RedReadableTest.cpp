// What a player reads at the red-nine table, from free time through
// betting, the notices, the deal and the result to a table entered
// mid-round, in each window and with a busy table's figures.
#include "RedNineFixture.h"

using namespace RedNineBattle;
using namespace rntest;

namespace {

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

class RedReadable : public banktest::BusyAt<RedNineTest>
{
protected:
    RedReadable() { Open(kOpenFaults); }
};

TEST_P(RedReadable, EveryPhaseOfARound)
{
    // A full record strip.
    tcbtest::RoundMessages round;
    std::vector<std::vector<uint8_t>> records;
    for (int i = 0; i < 40; ++i)
        records.push_back(
            {static_cast<uint8_t>(i % 2), static_cast<uint8_t>(i % 3 != 0), static_cast<uint8_t>(i % 5 == 0)});
    round.records = Records(records);
    round.free = Free(5, 1);
    tcbtest::FillBusyRound<RoundStartMessage>(round, EndRecord(20), PlaySceneRecord(12, 1), AREA_COUNT);
    ExpectEveryPhaseReadable(
        round, [](int area) { return "Image_area_" + std::to_string(area); }, m_phases);
}

INSTANTIATE_TEST_SUITE_P(Window, RedReadable, ::testing::ValuesIn(phasecheck::Windows()), phasecheck::WindowName);

}  // namespace
