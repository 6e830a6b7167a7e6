// The two-seat bull game in the real program against roomsim: a whole round
// played by clicks, and a table entered mid-round from each scene.
#include "BullProgram.h"

using bulltest::BullProgram;

namespace {

using namespace bulltest::buttons;

TEST_F(BullProgram, OxExRoundIsPlayedByClicks)
{
    const Outcome o =
        Play("oxex_round.json", 102, 810,
             {Click(110, kStart), Shot(170, "oxex_rob"), Click(190, kLeftAction), Shot(310, "oxex_bet"),
              Click(330, kBet3), Shot(490, "oxex_dealt"), Click(510, kRightAction), Shot(540, "oxex_hint"),
              Click(560, kLeftAction), Shot(690, "oxex_result"), Click(740, kStart), Shot(780, "oxex_next")});
    ExpectClean(o);
}

TEST_F(BullProgram, OxExTableIsRestoredFromEachScene)
{
    const Outcome o = Play("oxex_restore.json", 102, 600,
                           {Shot(110, "oxex_restore_call"), Click(130, kRightAction), Shot(170, "oxex_restore_bet"),
                            Click(190, kBet4), Shot(230, "oxex_restore_play"), Click(250, kLeftAction),
                            Shot(275, "oxex_restore_opened"), Shot(500, "oxex_restore_result"), Click(540, kStart),
                            Shot(580, "oxex_restore_next")});
    ExpectClean(o);
}

}  // namespace
