// What a player reads at the red-nine table, from free time through
// betting, the notices, the deal and the result to a table entered
// mid-round, in each window and with a busy table's figures.
#include "RedNineFixture.h"

using namespace RedNineBattle;
using namespace rntest;

namespace {

// Faults the check finds that are being mended.
const char* const kEveryPhase = "idle|betting|dealing|result|restored betting|restored result";
const char* const kResults = "result|restored betting|restored result";
const char* const kNames = "rednine: in the score panel the banker's name and mine are written over each other "
                           "and over 名字, and past the panel";
const char* const kFigures = "rednine: in the score panel the banker's figures and mine run into each other";
const char* const kAreas = "rednine: the areas' totals of nine digits run past their plates, over the chips";
const std::vector<phasecheck::Open> kOpenFaults = {
    {kNames, kResults, phasecheck::kEverySize, "Label_2_[56]", "past the"},
    {kNames, kResults, phasecheck::kEverySize, "the score panel's 名字", "Label_2_6"},
    {kNames, kResults, phasecheck::kEverySize, "Label_2_6", "Label_2_5"},
    {kNames, kResults, phasecheck::k1600, "Label_2_5", "a line under it"},
    {kFigures, kResults, phasecheck::kEverySize, "Label_2_[24]", "Label_2_"},
    {kFigures, kResults, phasecheck::kEverySize, "Label_2_[24]", "past the 庄家 column"},
    {kFigures, kResults, phasecheck::k1288 | phasecheck::k1600, "Label_2_[13]", "a line under it"},
    {kAreas, "betting|result|restored betting|restored result", phasecheck::kEverySize, "area ?'s *",
     "a line under it"},
    {kAreas, "dealing", phasecheck::k1288 | phasecheck::k1920, "area ?'s *", "a line under it"},
    {kAreas, "dealing|result|restored betting|restored result", phasecheck::kEverySize, "area ?'s *",
     "hard to read"},
    {"rednine: the bank queue's fifth row runs under 申请上庄 instead of being clipped to the list", kEveryPhase,
     phasecheck::kEverySize, "the queue row 4", "CheckBox_87"},
    {"rednine: the bank queue's fifth row runs under 申请上庄 instead of being clipped to the list", kEveryPhase,
     phasecheck::kEverySize, "ListView_45", "CheckBox_87"},
    {"rednine: the bank queue cuts its players' ten-digit scores at its edge", kEveryPhase, phasecheck::kEverySize,
     "the queue row *", "cut by"},
    {"rednine: the refused-bet notice is drawn under the chips, over the no-chip notice", "notices",
     phasecheck::kEverySize, "a notice", "a notice"},
    {"rednine: the refused-bet notice is drawn under the chips, over the no-chip notice", "notices",
     phasecheck::kEverySize, "a notice", "a line under it"},
};

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
