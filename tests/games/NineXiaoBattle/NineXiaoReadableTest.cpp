// What a player reads at the little-nine table, from free time through
// betting, the notices, the deal and the result to a table entered
// mid-round, in each window and with a busy table's figures.
#include "NineXiaoFixture.h"

using namespace NineXiaoBattle;
using namespace nxtest;

namespace {

// Faults the check finds that are being mended.
const char* const kEveryPhase = "idle|betting|dealing|result|restored betting|restored result";
const char* const kResults = "result|restored betting|restored result";
const char* const kRestored = "restored betting|restored result";
const char* const kNames = "ninexiao: in the score panel the banker's name and mine are written over each other "
                           "and over 名字, and past the panel";
const char* const kFigures = "ninexiao: in the score panel the banker's figures and mine run into each other";
const char* const kAreas = "ninexiao: the areas' totals of nine digits run past their plates, over the chips";
const std::vector<phasecheck::Open> kOpenFaults = {
    {kNames, kResults, phasecheck::kEverySize, "Label_2_5", "past the 自己 column"},
    {kNames, kRestored, phasecheck::kEverySize, "Label_2_6", "past the 庄家 column"},
    {kNames, "result", phasecheck::k1920, "Label_2_6", "past the 庄家 column"},
    {kNames, kRestored, phasecheck::kEverySize, "the score panel's 名字", "Label_2_6"},
    {kNames, kRestored, phasecheck::kEverySize, "Label_2_6", "Label_2_5"},
    {kNames, "result", phasecheck::kWider, "Label_2_6", "Label_2_5"},
    {kNames, kRestored, phasecheck::kWider, "Label_2_5", "a line under it"},
    {kFigures, kResults, phasecheck::kEverySize, "Label_2_[24]", "Label_2_"},
    {kFigures, kResults, phasecheck::kEverySize, "Label_2_[24]", "past the 庄家 column"},
    {kFigures, kResults, phasecheck::k1288 | phasecheck::k1600, "Label_2_[13]", "a line under it"},
    {kAreas, kRestored, phasecheck::kEverySize, "area ?'s *", "a line under it"},
    {kAreas, "dealing", phasecheck::k1288 | phasecheck::k1920, "area 1's bet of mine", "hard to read"},
    {"ninexiao: the bank queue's fifth row runs under 申请上庄 instead of being clipped to the list", kEveryPhase,
     phasecheck::kEverySize, "the queue row 4", "CheckBox_87"},
    {"ninexiao: the bank queue's fifth row runs under 申请上庄 instead of being clipped to the list", kEveryPhase,
     phasecheck::kEverySize, "ListView_45", "CheckBox_87"},
    {"ninexiao: the bank queue's fifth row runs under 申请上庄 instead of being clipped to the list", kEveryPhase,
     phasecheck::kEverySize, "the queue row 4", "cut by"},
    {"ninexiao: the refused-bet notice is drawn under the chips, over the no-chip notice", "notices",
     phasecheck::kEverySize, "a notice", "a notice"},
    {"ninexiao: the refused-bet notice is drawn under the chips, over the no-chip notice", "notices",
     phasecheck::kEverySize, "a notice", "a line under it"},
    {"ninexiao: the refused-bet notice is drawn under the chips, over the no-chip notice", "notices",
     phasecheck::kEverySize, "a notice", "hard to read"},
};

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
