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
        Play("oxnew_round.json", 27, 810,
             {Click(110, kStart), Shot(190, "oxnew_rob"), Click(210, kLeftAction), Shot(300, "oxnew_bet"),
              Click(320, kBet2), Shot(490, "oxnew_dealt"), Click(510, kRightAction), Shot(540, "oxnew_hint"),
              Click(560, kLeftAction), Shot(700, "oxnew_result"), Click(740, kStart), Shot(780, "oxnew_next")});
    ExpectClean(o);
}

TEST_F(BullProgram, OxNewTableIsRestoredFromEachScene)
{
    const Outcome o = Play("oxnew_restore.json", 27, 840,
                           {Shot(130, "oxnew_restore_wait"), Click(280, kStart), Shot(320, "oxnew_restore_call"),
                            Click(340, kRightAction), Shot(380, "oxnew_restore_bet"), Click(400, kBet3),
                            Shot(440, "oxnew_restore_play"), Click(460, kRightAction), Click(480, kLeftAction),
                            Shot(505, "oxnew_restore_opened"), Shot(740, "oxnew_restore_result"), Click(780, kStart),
                            Shot(820, "oxnew_restore_next")});
    ExpectClean(o);
}

// A betting scene, then a playing scene: a press where a bet was sends nothing.
TEST_F(BullProgram, OxNewPlayingSceneTakesTheBettingScenesButtons)
{
    ExpectClean(Play("oxnew_scene_again.json", 27, 1170,
                     {Shot(245, "oxnew_scene_again"), Click(250, kBet2), Click(270, kRightAction),
                      Click(290, kLeftAction), Click(480, kStart), Click(580, kLeftAction), Click(690, kBet2),
                      Click(880, kRightAction), Click(930, kLeftAction), Click(1110, kStart)}));
}

}  // namespace
