// The two-seat bull game in the real program against roomsim: a whole round
// played by clicks, and a table entered mid-round from each scene.
#include "BullProgram.h"

using bulltest::BullProgram;

namespace {

using namespace bulltest::buttons;

TEST_F(BullProgram, OxExRoundIsPlayedByClicks)
{
    const Outcome o =
        Play("oxex_round.json", 102, 1440,
             {Click(300, kStart), Shot(420, "oxex_rob"), Click(480, kLeftAction), Shot(650, "oxex_bet"),
              Click(720, kBet3), Shot(880, "oxex_dealt"), Click(960, kRightAction), Shot(1000, "oxex_hint"),
              Click(1040, kLeftAction), Shot(1200, "oxex_result"), Click(1320, kStart), Shot(1380, "oxex_next")});
    ExpectClean(o);
}

TEST_F(BullProgram, OxExTableIsRestoredFromEachScene)
{
    const Outcome o = Play("oxex_restore.json", 102, 1100,
                           {Shot(200, "oxex_restore_call"), Click(240, kRightAction), Shot(360, "oxex_restore_bet"),
                            Click(400, kBet4), Shot(520, "oxex_restore_play"), Click(560, kLeftAction),
                            Shot(640, "oxex_restore_opened"), Shot(960, "oxex_restore_result"), Click(1000, kStart),
                            Shot(1060, "oxex_restore_next")});
    ExpectClean(o);
}

}  // namespace
