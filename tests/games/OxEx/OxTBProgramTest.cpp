// The six-seat bull game in the real program against roomsim: a whole round
// played by clicks, and a table entered mid-round, first as a seated
// watcher, then with the hand unopened and opened.
#include "BullProgram.h"

using bulltest::BullProgram;
using namespace bulltest::buttons;

namespace {

TEST_F(BullProgram, OxTBRoundIsPlayedByClicks)
{
    const Outcome o = Play("oxtb_round.json", 28, 600,
                           {Click(110, kStart), Shot(140, "oxtb_chips"), Shot(300, "oxtb_dealt"),
                            Click(320, kRightAction), Shot(350, "oxtb_hint"), Click(370, kLeftAction),
                            Shot(480, "oxtb_result"), Click(540, kStart), Shot(580, "oxtb_next")});
    ExpectClean(o);
}

TEST_F(BullProgram, OxTBTableIsRestoredFromEachScene)
{
    const Outcome o = Play("oxtb_restore.json", 28, 740,
                           {Shot(130, "oxtb_restore_wait"), Click(280, kStart), Shot(320, "oxtb_restore_play"),
                            Click(340, kRightAction), Click(380, kLeftAction), Shot(405, "oxtb_restore_opened"),
                            Shot(640, "oxtb_restore_result"), Click(680, kStart), Shot(720, "oxtb_restore_next")});
    ExpectClean(o);
}

}  // namespace
