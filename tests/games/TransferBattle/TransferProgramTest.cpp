// The four-beast wheel in the real program against roomsim, in a room of
// 100 chairs where I sit on chair 5: my requests are clicks on the table,
// checked byte for byte by the scenario, and each phase is shot. Every step
// the server takes after my entry waits for a click of mine, so the shots
// show the same moments however fast the frames run.
#include "BettingProgram.h"

using bettingtest::BettingProgram;

namespace {

// Window pixels of the table's buttons, chips and areas.
constexpr const char* kApply = "833,150";
constexpr const char* kCancel = "943,150";
constexpr const char* kChip10000 = "489,633";
constexpr const char* kChip100000 = "549,633";
constexpr const char* kArea1 = "138,220";
constexpr const char* kArea6 = "888,440";
constexpr const char* kMaximise = "1227,12";
constexpr const char* kRoom = "四方神兽 一号房";

// A whole round: I queue for the banker, the banker changes, I bet 10,000 on
// the first area and 100,000 on the sixth by clicks, give up my place in the
// queue, and the round ends: the light runs round the wheel and stops on the
// white tiger, its animation and banner show, the record is added and the
// result panel comes; I queue again and the next free time takes the panel
// off; maximised, the table fits the window. The clocks run four times as
// fast as the frames.
TEST_F(BettingProgram, TransferBattleRoundIsBetByClicksAndRunToTheResult)
{
    const Outcome o = Play("transferbattle_round.json", 404, kRoom, 1140,
                           {Click(240, kApply), Click(300, kChip10000), Click(330, kArea1), Click(360, kChip100000),
                            Click(390, kArea6), Shot(480, "transferbattle_betting"), Click(540, kCancel),
                            Shot(590, "transferbattle_running"), Shot(700, "transferbattle_stop"),
                            Shot(850, "transferbattle_result"), Click(900, kApply), Shot(1000, "transferbattle_free"),
                            Click(1030, kMaximise), Shot(1110, "transferbattle_maximised")},
                           {"--speed", "4"});
    ExpectClean(o);
}

// Entering in the betting restores the areas' amounts; a result scene shows
// the result panel at once; a free scene shows the banker's panel.
TEST_F(BettingProgram, TransferBattleTableIsRestoredFromEachScene)
{
    const Outcome o = Play("transferbattle_restore.json", 404, kRoom, 520,
                           {Shot(210, "transferbattle_restore_betting"), Click(240, kApply),
                            Shot(330, "transferbattle_restore_result"), Click(360, kCancel),
                            Shot(450, "transferbattle_restore_free")});
    ExpectClean(o);
}

}  // namespace
