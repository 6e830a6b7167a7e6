// What a player reads at the little-nine table, from free time through
// betting, the notices, the deal and the result to a table entered
// mid-round, in each window and with a busy table's figures.
#include "NineXiaoFixture.h"

using namespace NineXiaoBattle;
using namespace nxtest;

namespace {

// Faults the check finds that are being mended.
const std::vector<phasecheck::Open> kOpenFaults = {};

class NineXiaoReadable : public banktest::BusyAt<NineXiaoTest>
{
protected:
    NineXiaoReadable() { Open(kOpenFaults); }
};

TEST_P(NineXiaoReadable, EveryPhaseOfARound)
{
    // A full record strip.
    tcbtest::RoundMessages round;
    std::vector<std::vector<int32_t>> records;
    for (int i = 0; i < 40; ++i)
        records.push_back({i % 2 != 0 ? AREA_WON : AREA_LOST, i % 3 != 0 ? AREA_WON : AREA_TIED, AREA_LOST});
    round.records = Records(records);
    round.free = Free(5);
    tcbtest::FillBusyRound<RoundStartMessage>(round, EndRecord(20, -1234567890), PlaySceneRecord(12, 1), AREA_COUNT);
    ExpectEveryPhaseReadable(
        round, [](int area) { return "Image_area_" + std::to_string(area - 1); }, m_phases);
}

INSTANTIATE_TEST_SUITE_P(Window, NineXiaoReadable, ::testing::ValuesIn(phasecheck::Windows()),
                         phasecheck::WindowName);

}  // namespace
