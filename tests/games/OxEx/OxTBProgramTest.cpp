// The six-seat bull game in the real program against roomsim: a whole round
// played by clicks, and a table entered mid-round, first as a seated
// watcher, then with the hand unopened and opened.
#include "BullProgram.h"

using bulltest::BullProgram;
using namespace bulltest::buttons;

namespace {

TEST_F(BullProgram, OxTBRoundIsPlayedByClicks)
{
    const Outcome o = Play("oxtb_round.json", 28, 1000,
                           {Click(300, kStart), Shot(350, "oxtb_chips"), Shot(520, "oxtb_dealt"),
                            Click(560, kRightAction), Shot(600, "oxtb_hint"), Click(640, kLeftAction),
                            Shot(800, "oxtb_result"), Click(880, kStart), Shot(940, "oxtb_next")});
    ExpectClean(o);
}

TEST_F(BullProgram, OxTBTableIsRestoredFromEachScene)
{
    const Outcome o = Play("oxtb_restore.json", 28, 1320,
                           {Shot(160, "oxtb_restore_wait"), Click(480, kStart), Shot(580, "oxtb_restore_play"),
                            Click(620, kRightAction), Click(660, kLeftAction), Shot(760, "oxtb_restore_opened"),
                            Shot(1160, "oxtb_restore_result"), Click(1220, kStart), Shot(1280, "oxtb_restore_next")});
    ExpectClean(o);
}

}  // namespace
