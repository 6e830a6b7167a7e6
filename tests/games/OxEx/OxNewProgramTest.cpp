// The four-seat bull game in the real program against roomsim: a whole
// round played by clicks, and a table entered mid-round, first as a seated
// watcher, then from each scene.
#include "BullProgram.h"

using bulltest::BullProgram;
using namespace bulltest::buttons;

namespace {

TEST_F(BullProgram, OxNewRoundIsPlayedByClicks)
{
    const Outcome o =
        Play("oxnew_round.json", 27, 1440,
             {Click(300, kStart), Shot(420, "oxnew_rob"), Click(480, kLeftAction), Shot(650, "oxnew_bet"),
              Click(720, kBet2), Shot(900, "oxnew_dealt"), Click(960, kRightAction), Shot(1000, "oxnew_hint"),
              Click(1040, kLeftAction), Shot(1200, "oxnew_result"), Click(1320, kStart), Shot(1380, "oxnew_next")});
    ExpectClean(o);
}

TEST_F(BullProgram, OxNewTableIsRestoredFromEachScene)
{
    const Outcome o = Play("oxnew_restore.json", 27, 1520,
                           {Shot(160, "oxnew_restore_wait"), Click(480, kStart), Shot(580, "oxnew_restore_call"),
                            Click(620, kRightAction), Shot(720, "oxnew_restore_bet"), Click(760, kBet3),
                            Shot(860, "oxnew_restore_play"), Click(900, kRightAction), Click(940, kLeftAction),
                            Shot(1020, "oxnew_restore_opened"), Shot(1360, "oxnew_restore_result"), Click(1420, kStart),
                            Shot(1480, "oxnew_restore_next")});
    ExpectClean(o);
}

}  // namespace
